#pragma once

#include <vector>

#include "physics/Geometry.h"
#include "physics/Permeability.h"
#include "physics/Result.h"

namespace coilsmith::physics {

// The turns searches look no further than this.
inline constexpr long kMaxTurns = 100000;

// H = N·I / lc in A/m.
double fieldStrengthAPerM(long turns, double currentA, double pathLengthM);
// The same field in oersted (the unit of the published curves).
double fieldStrengthOe(long turns, double currentA, double pathLengthM);

// A material as the inductance sees it: its initial permeability and published bias curve.
struct BiasedMaterial {
    double initialPermeability = 0;  // µi
    BiasCurve curve;
};

struct InductancePoint {
    double currentA = 0;
    double inductanceH = 0;
};

// L(N, I) = µ0·µ·N²·Ac / (gap·µ + lc) with µ = µi·%µ(H)/100 and H = N·I/lc in oersted:
// the core's own path in series with its gap, the permeability read from the published
// curve at the DC field (no AC-flux factor).
class InductanceModel {
  public:
    // A Problem when the core or the material cannot give a finite inductance.
    static Result<InductanceModel> make(const MagneticCore& core, const BiasedMaterial& material);

    // Finite and not negative for finite arguments.
    double inductanceH(long turns, double currentA) const noexcept;

    // True when L provably rises with N at every current: L = µ0·Ac / (gap/N² +
    // 100·lc·(a + b·(kN)^c)/(µi·N²)), and with a positive, the gap and b not negative and
    // c ≤ 2 every term of the denominator falls as N grows.
    bool risesWithTurns() const noexcept;

    // `points` points of L(I) at the turns from 0 to maxCurrentA, evenly spaced (2 … 10,000
    // points, a current range that is finite and not negative).
    Result<std::vector<InductancePoint>> curve(long turns, double maxCurrentA, int points) const;

  private:
    InductanceModel(const MagneticCore& core, const BiasedMaterial& material)
        : core_(core), material_(material) {}
    MagneticCore core_;
    BiasedMaterial material_;
};

// The fewest turns from startTurns up (at least 1) whose L at currentA reaches targetH,
// searching up to kMaxTurns: by bisection where L rises with N, turn by turn otherwise.
// A Problem when none does.
Result<long> fewestTurnsFrom(const InductanceModel& model, double currentA, double targetH,
                             long startTurns);

// The fewest turns N ≥ 1 whose L at currentA reaches targetH, walking up from N = 1 and
// stopping, with a Problem, as soon as L(N) falls below L(N − 1) without having reached it
// (more turns only saturate the core further) or past kMaxTurns. Where L provably rises
// with N the walk never stops early and a bisection gives the same N.
Result<long> fewestTurnsWalkingUp(const InductanceModel& model, double currentA, double targetH);

}  // namespace coilsmith::physics
