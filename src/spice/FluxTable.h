#pragma once

#include <functional>
#include <stdexcept>
#include <vector>

// The flux linkage of a choke against its current, from its incremental inductance.
namespace coilsmith::spice {

// Inputs that cannot make a simulator model; the message names what is wrong.
class SpiceModelError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

// The incremental inductance dψ/di in henries at a DC current in amperes, as a DC-bias curve
// gives it. The curve is symmetric: it is only asked for currents ≥ 0.
using InductanceCurve = std::function<double(double currentA)>;

struct CurrentInductance {
    double currentA = 0;
    double inductanceH = 0;
};

// L(I) through the points (at least one, currents rising), linearly between them and held
// at the end values outside.
InductanceCurve inductanceFromTable(std::vector<CurrentInductance> points);

// ψ(i) = ∫₀ⁱ L(|x|) dx on `pointsPerSide` equal steps from 0 to ±tableEnd, odd in i; one
// more point at each end continues the table at the air-core slope, so that a linear
// extrapolation of its last segment (as SPICE pwl tables do) stays at that slope.
struct FluxTable {
    std::vector<double> currentA;
    std::vector<double> fluxLinkageWb;  // webers (V·s), rising with the current
};

inline constexpr int kFewestPointsPerSide = 30;
inline constexpr int kMostPointsPerSide = 2000;

// Throws SpiceModelError when L is not positive and finite at a table current, or when
// the end, the air-core inductance or the number of points is unusable.
FluxTable fluxLinkageTable(const InductanceCurve& inductance, double tableEndA,
                           double airCoreInductanceH, int pointsPerSide);

}  // namespace coilsmith::spice
