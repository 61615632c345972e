#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "spice/FluxTable.h"

// A circuit-simulator model of a choke: a two-pin SPICE subcircuit in plain ngspice syntax
// (a B source with a pwl table) that carries the choke's inductance against current, its
// hot winding resistance and its core loss into a simulation.
//
//   pin 1 ── Rw ── w ──┬── Bw: i = pwl(v(psi), ψ₁, i₁, …) ──┬── pin 2
//                      └──────────── Rcore ─────────────────┘
//   Gpsi charges the 1 F capacitor Cpsi with v(w, 2), so v(psi) = ∫ v dt = ψ, the flux
//   linkage; Rpsi (1 TΩ) only gives the node a DC path for the operating point.
//
// A flux integrator, not "V = ddt(ψ(i))" on a branch current: the latter stops ngspice with
// "timestep too small" as soon as the core saturates.
namespace coilsmith::spice {

inline constexpr double kTableEndPerPeakCurrent = 3.0;  // the table spans ±3·Ipk
inline constexpr int kDefaultPointsPerSide = 100;
inline constexpr int kLongestLine = 80;  // characters, continuation lines included

struct ChokeModelInput {
    std::string name;               // the subcircuit's name: a letter, then letters, digits, _
    InductanceCurve inductance;     // incremental L(I) under DC bias, I ≥ 0
    double airCoreInductanceH = 0;  // the slope beyond the table
    double dcCurrentA = 0;
    double ripplePeakToPeakA = 0;
    double frequencyHz = 0;
    double dutyCycle = 0.5;  // of the winding voltage, for its rms value
    // The inductance the ripple was specified at, whose L·ΔI are the volt-seconds the
    // circuit puts on the winding (a design's required L); 0: L(Idc) of the curve.
    double rippleInductanceH = 0;
    double windingResistanceOhm = 0;       // hot; 0 leaves it out
    double coreLossW = 0;                  // at the design ripple; 0 leaves Rcore out
    std::vector<std::string> headerLines;  // free text, written as comments
    int pointsPerSide = kDefaultPointsPerSide;
};

// Ipk = Idc + ΔI/2.
double peakCurrentA(const ChokeModelInput& input);

// The rms winding voltage of the design ripple: the winding sees +L·ΔI·f/D for the time
// D/f and −L·ΔI·f/(1 − D) for the rest (equal volt-seconds L·ΔI), so
// V = L·ΔI·f/√(D·(1 − D)); 2·L·ΔI·f for D = 0.5. L is rippleInductanceH, else L(Idc).
double rippleRmsVoltageV(const ChokeModelInput& input);

// R = V²/P with V the rms winding voltage above; 0 when there is no core loss.
double coreLossResistanceOhm(const ChokeModelInput& input);

// The name with every character that SPICE does not take in a name replaced by "_", and
// "L_" put before it when it does not start with a letter ("my choke 2" → "my_choke_2").
std::string spiceName(std::string_view text);

// A text for the netlist's comments, which simulators read as ASCII: "µ" becomes "u", "Ω"
// "Ohm" and "°" "deg. " ("52.0 °C" reads "52.0 deg. C").
std::string asciiText(std::string text);

// The netlist text: header comments (the caller's lines, the program version, the model's
// figures), then ".subckt NAME 1 2" … ".ends NAME". The cards stay within kLongestLine
// characters (the table goes on "+" continuation lines); a header line is one comment line
// however long. Throws SpiceModelError.
std::string writeChokeSubcircuit(const ChokeModelInput& input);

}  // namespace coilsmith::spice
