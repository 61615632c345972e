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
    std::string coreMatText;  // text of the material list; empty means no core chosen
    int coreMatIndex = -1;    // selected entry of the material list, -1 for none
    std::string ldesText;     // texts of Ldes, Lunit and Core as shown
    std::string lunitText;
    std::string coreText;
    // The "Cost" field of the current material record; nullopt when it cannot be read.
    std::optional<Value> cost;
};

// The working values of a completed run, for the results page and for callers that
// compare designs. Lcalc is the last inductance the turns search evaluated: that of N for
// an upward search, of N - 1 for a downward one. A value whose step faulted keeps what it
// held before the step (0, or the value of an earlier step); the run names it in `skipped`.
struct DesignNumbers {
    double N = 0, Lcalc = 0, Bmax = 0, AwReq = 0, AWG = 0, d = 0, Aw = 0, Jact = 0;
    double Rdc = 0, Pcu = 0, Pcore = 0, Ptot = 0, Wcu = 0, Wcore = 0, Wtot = 0, Trise = 0;
    double Hdc = 0, Bac = 0, MuEff = 0;  // Oe, gauss, and the effective permeability
    int iterations = 0;                  // turns-search iterations

    // The figures in the units the results page shows them in.
    double bacTesla() const noexcept { return kTeslaPerGauss * Bac; }
    double hdcAmperesPerCm() const noexcept { return kAmperesPerCmPerOersted * Hdc; }
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
