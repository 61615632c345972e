#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "physics/Inductance.h"
#include "physics/Ripple.h"
#include "physics/Thermal.h"
#include "physics/Verdicts.h"

namespace coilsmith {

// An independent check of a completed design. The design method sizes the turns with a
// fitted permeability that includes an AC-flux factor, a mean turn from the core's outline
// and the copper loss at the 20 °C DC resistance; the check looks at the same design
// again with the maker's published DC-bias curve, the real layer build of the wire on the
// core, the AC resistance of the layers (Dowell) and the copper heated to where it settles.
// It never changes the design.
//
// Units: the input is given in the design's own units (H, A, Hz, cm, cm², mm for the gap,
// inches for the catalogue outline, mm and Ω/km for the wire table); the figures are in
// H, A, Ω, W and °C, winding lengths in cm.
//
// Each part needs its own data and says why when it cannot run: the inductance needs the
// material's bias curve, the winding needs the gauge's wire row, the copper (wound mean
// turn, Dowell AC loss over the ripple's odd harmonics 1…19, hot resistance) needs a
// winding that fits. The hot point starts at ambient + the design's rise and repeats
// T = ambient + ΔT(P(T)) until it moves less than 0.01 °C (at most 100 rounds); no
// settling, or a temperature above 250 °C, is thermal runaway. A value the physics cannot
// use makes the part unavailable with the reason; no figure is ever inf or NaN.
//
// The arithmetic is the physics core's (physics/Inductance, Winding, CopperLoss, Thermal);
// this check maps the design onto it and judges the results.

enum class CoreShape { Toroid, ECore };

// The maker's DC-bias curve of one mix: %µ(H) = 1 / (a + b·H^c), H in oersted.
struct BiasCurve {
    double a = 0.01;
    double b = 0;
    double c = 1;
};

// One row of the magnet-wire table.
struct WireRow {
    double bareDiameterMm = 0;
    double overallDiameterMm = 0;  // over the insulation
    double resistance20OhmPerKm = 0;
};

// The catalogue outline of the core, in inches as the catalogue stores it. A toroid uses
// od, id, ht; an E-core c (stack depth), d (inner span), f (centre leg), g (window height).
struct CoreOutline {
    double od = 0, id = 0, ht = 0;
    double c = 0, d = 0, f = 0, g = 0;
};

struct DesignCheckInput {
    // The specification.
    double requiredInductanceH = 0;
    double idcA = 0;
    double iacPeakToPeakA = 0;
    double irmsA = 0;  // only for the comparison figure rmsLossAtRdcW
    double frequencyHz = 0;
    double peakCurrentA() const { return physics::peakCurrentA(idcA, iacPeakToPeakA); }
    double windowUtilisation = 0.4;  // Ku: the largest fill the design allows

    // The design: turns, gauge, core and material as the design computation used them.
    long turns = 0;
    int awg = 0;
    CoreShape shape = CoreShape::Toroid;
    CoreOutline outline;
    double acCm2 = 0;
    double lcCm = 0;
    double gapMm = 0;
    double windowAreaCm2 = 0;  // Wa
    double surfaceAreaCm2 = 0;
    std::string material;  // MatNo, for the reasons
    double muInitial = 0;
    double coreLossW = 0;
    double designTempRiseC = 0;

    // Reference data; empty when the table has no row for the material or the gauge.
    std::optional<BiasCurve> biasCurve;
    std::optional<WireRow> wire;

    // A design value a part cannot use, named as the catalogue names it ("d_dim is empty
    // or not a number"): that part (and what needs it) is unavailable with this reason.
    std::optional<std::string> inductanceDataProblem;
    std::optional<std::string> windingDataProblem;
    std::optional<std::string> copperDataProblem;

    double ambientC = 25;
    double temperatureLimitC = 125;  // iron powder

    // The design method's own limits, judged as warnings: the minimum and the core's area
    // product as the core page shows them (cm^4, empty when not shown), the specified
    // maximum flux density (T, 0 when not known) and the design's Bmax (T).
    std::optional<double> minimumAreaProductCm4;
    std::optional<double> coreAreaProductCm4;
    double specifiedFluxDensityT = 0;
    double peakFluxDensityT = 0;
};

// Thresholds of the verdicts, in percent of the required inductance. The required L is
// the L at Idc; at Ipk it may fall by a margin of its own, but L at Ipk is never judged
// better than L at Idc.
inline constexpr double kInductanceAtIdcPassPercent = physics::kInductanceAtIdcPassPercent;
inline constexpr double kInductanceAtIdcWarnPercent = physics::kInductanceAtIdcWarnPercent;
inline constexpr double kInductanceAtIpkPassPercent = physics::kInductanceAtIpkPassPercent;
inline constexpr double kInductanceAtIpkWarnPercent = physics::kInductanceAtIpkWarnPercent;
inline constexpr long kMaxTurnsSearched = physics::kMaxTurns;
inline constexpr double kRunawayTemperatureC = physics::kRunawayTemperatureC;
inline constexpr int kCurvePoints = 101;
inline constexpr int kHighestHarmonic = physics::kHighestRippleHarmonic;

// One part of the check: its figures, or why they could not be had.
template <class Figures>
struct CheckPart {
    std::optional<Figures> figures;
    std::string unavailableReason;  // set when figures is empty
    bool available() const { return figures.has_value(); }
};

struct CurvePoint {
    double currentA = 0;
    double inductanceH = 0;
};

struct InductanceFigures {
    double atZeroH = 0, atIdcH = 0, atIpkH = 0;
    double atZeroPercent = 0, atIdcPercent = 0, atIpkPercent = 0;  // of the required L
    double swing = 0;                                              // L(0) / L(Idc)
    // Smallest N from the design's N up with L(Idc) >= required L; empty when none up to
    // kMaxTurnsSearched.
    std::optional<long> turnsNeeded;
    std::array<CurvePoint, kCurvePoints> curve{};  // 0 … 2·Ipk
};

struct WindingFigures {
    double insulatedDiameterCm = 0;
    // Turns of each layer, innermost first. A winding that does not fit lists the layers
    // that went on (toroid) or that the window width takes plus one (E-core).
    std::vector<long> turnsPerLayer;
    int layers = 0;   // layers wound; for an E-core that does not fit, the layers it needs
    double fill = 0;  // copper-with-insulation area over the window area Wa
    bool fits = false;
    std::string doesNotFitReason;
};

struct CopperFigures {
    double meanTurnCm = 0;  // turns-weighted over the layers
    double rdc20Ohm = 0;
    double rhotOhm = 0;
    double racOverRdcFundamental = 0;  // Dowell's Fr at the ripple frequency
    double copperLossDcW = 0;          // Idc²·Rhot
    double copperLossAcW = 0;          // the ripple harmonics with their Fr
    double copperLossW = 0;
    double rmsLossAtRdcW = 0;  // Irms²·Rhot: what the copper loss is without the AC factor
    double totalLossW = 0;     // copper + the design's core loss
    double temperatureRiseC = 0;
    double hotTemperatureC = 0;
    int rounds = 0;
    bool runaway = false;
};

enum class Verdict { Pass, Warning, Fail, Unavailable };

struct CheckVerdict {
    // "L at Idc", "L at Ipk", "Winding fits", "Fill", "Hot temperature", "Area product",
    // "Flux density"
    std::string check;
    Verdict verdict = Verdict::Unavailable;
    std::string reason;
};

struct DesignCheck {
    CheckPart<InductanceFigures> inductance;
    CheckPart<WindingFigures> winding;
    CheckPart<CopperFigures> copper;
    std::vector<CheckVerdict> verdicts;
};

DesignCheck checkDesign(const DesignCheckInput& input);

// Whether a design passes its check: no verdict fails and none is unavailable (a warning
// passes: L at Idc of 90 % to 100 % of the required L, L at Ipk of 70 % to 90 % or with
// L at Idc warning, a fill above Ku that still winds, a core below the minimum AP, Bmax
// above the specified one).
bool checkPasses(const DesignCheck& check) noexcept;

const char* verdictName(Verdict verdict) noexcept;

}  // namespace coilsmith
