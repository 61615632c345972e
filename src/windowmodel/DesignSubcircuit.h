#pragma once

#include <string>

#include "check/DesignCheck.h"
#include "spice/ChokeSubcircuit.h"
#include "windowmodel/ChokeModel.h"

// The circuit-simulator model of the design a window holds: the design of its last completed
// Run with that design's check, as a two-pin SPICE subcircuit (spice/ChokeSubcircuit.h).
namespace coilsmith {

// Which design of the window the model describes.
//   AsDesigned: the Run's core, turns and wire; L(I) from the check on the published curve.
//   Delivered: the delivered design beside the check (ChokeModel::lastDelivered(), on the
//     window's chosen stack): its turns on the stacked core, its hot winding resistance and
//     its core loss, L(I) on the same published curve.
enum class ModelledDesign { AsDesigned, Delivered };

struct SimulatorModelRequest {
    ModelledDesign design = ModelledDesign::AsDesigned;
    std::string designName;  // the design file, named in the header; empty for a new design
};

// Said when a model is asked for before a Run has completed a design.
inline constexpr const char* kNoCompletedDesignToModel =
    "There is no completed design to model: choose a core and a material and run the design "
    "first";

// The duty cycle the core-loss resistance is sized at: a design holds no converter, and a
// choke's rms ripple voltage is smallest, so its Rcore largest, at 0.5.
inline constexpr double kModelDutyCycle = 0.5;

// The air-core inductance of the winding: L(N, I) with µ = 1, µ0·N²·Ac/(lc + gap). It leaves
// out that the winding's own area is a little larger than the core's Ac.
double airCoreInductanceH(const DesignCheckInput& input);
double airCoreInductanceH(const DesignCheckInput& input, long turns, int stackCount);

// L(I) of the design: the check's inductance on the published DC-bias curve at the design's
// turns, µ0·µ·N²·Ac/(gap·µ + lc) with µ = µi·%µ(H)/100, never below the air-core inductance
// (far beyond the maker's data the curve fit falls below µ = 1). `turns` and `stackCount`
// replace the design's for the delivered design. Throws spice::SpiceModelError when the core
// or the curve cannot give an inductance.
spice::InductanceCurve designInductanceCurve(const DesignCheckInput& input);
spice::InductanceCurve designInductanceCurve(const DesignCheckInput& input, long turns,
                                             int stackCount);

// The subcircuit's inputs from the window's last completed Run and its check: L(I) as above,
// the air-core slope, the hot winding resistance of the check's copper (the 20 °C Rdc of
// the design when the check's copper is unavailable, said in the header), the design's core
// loss as a resistance at the volt-seconds it was computed for (the required L times the
// ripple), and header lines naming the design, its figures and the check's
// verdicts; for the delivered design its own turns, stack, hot resistance, core loss,
// inductances and verdicts. Throws spice::SpiceModelError, saying what is missing, when there
// is no completed design (or delivered design) or its inductance against current or its
// winding resistance is not available.
spice::ChokeModelInput simulatorModelInput(const ChokeModel& model,
                                           const SimulatorModelRequest& request);

// The netlist text of simulatorModelInput(); throws spice::SpiceModelError.
std::string simulatorModel(const ChokeModel& model, const SimulatorModelRequest& request);

}  // namespace coilsmith
