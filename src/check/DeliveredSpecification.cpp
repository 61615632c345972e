#include "check/DeliveredSpecification.h"

#include "method/StateViews.h"
namespace coilsmith {

physics::ChokeSpecification deliveredSpecification(const DesignState& state) {
    return specificationView(state);  // the view without the sizing's flux density
}

}  // namespace coilsmith
