#pragma once

#include <string>

#include "method/DesignState.h"
#include "numeric/Num.h"
#include "physics/DeliveredDesign.h"

// The state record's quantities under their own names and units, for the code outside the
// method (the check, the delivered design, the adviser, the window's limits), and the
// specification page's handlers that write them.
namespace coilsmith {

// The specification as the last "Calculate AP" scaled it; zeros before one. It is the
// specification a delivered design takes, with the flux density the sizing used.
struct SpecificationView : physics::ChokeSpecification {
    double fluxDensityT = 0;
};

// The selected core in the catalogue's units; null where its row leaves a value empty.
struct CoreView {
    bool isECore = false;
    // E-core drawing letters c, d, f and g, inch.
    Num stackDepthIn, innerSpanIn, centreLegWidthIn, windowHeightIn;
    // Toroid outline, inch.
    Num outerDiameterIn, innerDiameterIn, heightIn;
    Num crossSectionCm2, volumeCm3, pathLengthCm, windowAreaCm2, gapMm, surfaceAreaCm2;
};

struct MaterialView {
    std::string name;  // "-8"; empty before a material is chosen
    float initialPermeability = 0;
};

SpecificationView specificationView(const DesignState& state);
CoreView coreView(const DesignState& state);
MaterialView materialView(const DesignState& state);

// The specification page as the window opens it: µH, T, A, A and kHz selected,
// 400 A/cm² and a window utilisation of 0.4, no core type chosen.
DesignState initialDesignState(std::string programFolder);

// The specification's quantities that are typed with a unit selector.
enum class SelectedUnit { Inductance, FluxDensity, DcCurrent, RippleCurrent, Frequency };

// The factor that turns the typed number into SI under the selector's unit ("mH": 1e-3).
double unitFactor(const DesignState& state, SelectedUnit quantity);

// A selector's text that names one of its units sets that unit's factor; any other text
// leaves the factor as it was.
void selectUnit(DesignState& state, SelectedUnit quantity, const std::string& unitText);

// The current-density and window-utilisation lists' handlers: A/cm² and a fraction, held in
// the record's units; a value they cannot hold faults and leaves the field as it was.
void selectCurrentDensity(DesignState& state, double aPerCm2);
void selectWindowUtilisation(DesignState& state, double fraction);

void selectCoreShape(DesignState& state, bool eCore);

}  // namespace coilsmith
