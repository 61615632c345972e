#include "windowmodel/SizedSpecificationOf.h"

#include "method/Sizing.h"

namespace coilsmith {

std::optional<SizedSpecification> sizedSpecificationOf(const ChokeModel& window) {
    if (window.state().sizedSpecification.empty() || window.specificationChangedSinceSizing()) {
        return std::nullopt;
    }
    // Sizing the same texts again on a copy gives the area product the sizing shows, in
    // full precision.
    SizedSpecification sized{window.state(),      0,
                             window.text("Ldes"), window.text("Lunit"),
                             window.locale(),     window.ambientTemperature()};
    const SizingOutcome outcome = sizeAreaProduct(
        sized.state,
        {window.text("Ldes"), window.text("FD"), window.text("DCC"), window.text("ACC"),
         window.text("Freq"), window.text("CurD"), window.text("WU")},
        window.locale());
    if (outcome.message) {
        return std::nullopt;
    }
    sized.minimumAreaProductCm4 = outcome.ap;
    return sized;
}

}  // namespace coilsmith
