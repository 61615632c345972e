#pragma once

#include <optional>
#include <string>
#include <vector>

#include "method/DesignState.h"
#include "method/MethodConstants.h"
#include "numeric/Fault.h"
#include "numeric/Value.h"

namespace coilsmith {

// What the design run needs from the window besides DesignState.
struct DesignSelection {
    std::string materialText;    // text of the material list; empty means no core chosen
    int materialIndex = -1;      // selected entry of the material list, -1 for none
    std::string inductanceText;  // texts of Ldes, Lunit and Core as shown
    std::string inductanceUnitText;
    std::string coreText;
    // The "Cost" field of the current material record; nullopt when it cannot be read.
    std::optional<Value> cost;
};

// The working values of a completed run, for the results page and for callers that
// compare designs, in the units the method works in. searchedInductanceH is the last inductance
// the turns search evaluated: that of `turns` for an upward search, of turns - 1 for a downward
// one. A value whose step faulted keeps what it held before the step (0, or the value of an earlier
// step); the run names it in `skipped`.
struct DesignNumbers {
    double turns = 0;                  // N
    double searchedInductanceH = 0;    // Lcalc
    double peakFluxDensityT = 0;       // Bmax
    double requiredWireAreaCm2 = 0;    // AwReq
    double wireGauge = 0;              // AWG
    double wireDiameterCm = 0;         // d, bare
    double wireAreaCm2 = 0;            // Aw, bare
    double currentDensityAPerCm2 = 0;  // Jact
    double resistanceOhm = 0;          // Rdc, at 20 °C
    double copperLossW = 0;            // Pcu
    double coreLossW = 0;              // Pcore
    double totalLossW = 0;             // Ptot
    double copperWeightG = 0;          // Wcu
    double coreWeightG = 0;            // Wcore
    double totalWeightG = 0;           // Wtot
    double temperatureRiseC = 0;       // Trise
    double dcFieldOe = 0;              // Hdc
    double acFluxDensityGauss = 0;     // Bac
    double effectivePermeability = 0;  // MuEff
    int iterations = 0;                // turns-search iterations

    // The figures in the units the results page shows them in.
    double acFluxDensityT() const noexcept { return kTeslaPerGauss * acFluxDensityGauss; }
    double dcFieldAPerCm() const noexcept { return kAmperesPerCmPerOersted * dcFieldOe; }
};

// A step of the wire and loss calculation whose fault was skipped: the value it computes
// ("Rdc", "Pv" ...) and the fault.
struct SkippedStep {
    std::string value;
    Fault fault;
};

struct DesignOutcome {
    // Set when the run ended on a message: the text and the page to select (0 or 1).
    std::optional<std::string> message;
    int page = 2;
    // Set when the run ended on the computational error because a catalogue value or a
    // result is unusable: names the field ("HT is not positive").
    std::optional<std::string> unusableValue;
    DesignNumbers numbers;             // filled only for a completed run
    std::vector<SkippedStep> skipped;  // in step order; only for a completed run
    bool completed() const noexcept { return !message.has_value(); }
};

// The turns search is abandoned above this many turns ("Computational error ...").
inline constexpr double kMaxTurns = 100000;

inline constexpr const char* kComputationalError =
    "Computational error.  Reverify your design parameters";

// The first catalogue value of the chosen core and material that the design cannot use:
// a row that is not physically sensible, as the catalogue reader found it (coreRowProblem,
// materialRowProblem); then a value that is empty, not a number, not finite, or not
// positive where only a positive value makes sense, named by its catalogue field: "HT is
// not positive"; then the window area, mean turn length and surface area derived from
// them ("mean turn length is not positive").
std::optional<std::string> unusableCatalogueValue(const DesignState& state);

// "Run": checks the selections and the catalogue values, searches the turns, sizes the wire and
// computes the losses, weight, temperature rise and flux densities. Updates state.Hdc, Bac, MuEff
// and Pv as the run goes; Pv starts every run at 0. A run never completes with a resistance,
// weight, total loss or temperature rise that is not positive, nor with a core loss that
// is negative or could not be evaluated under AC flux: it ends on the computational error.
DesignOutcome computeDesign(DesignState& state, const DesignSelection& selection);

}  // namespace coilsmith
