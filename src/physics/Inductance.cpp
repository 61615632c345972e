#include "physics/Inductance.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "physics/Constants.h"
#include "physics/FixedText.h"

namespace coilsmith::physics {

namespace {

// The bias curve falls with N wherever its exponent is at most 2 (see risesWithTurns).
constexpr double kLargestRisingExponent = 2;
constexpr int kMaxCurvePoints = 10000;

std::string unreachable(double targetH, double currentA) {
    return "L at Idc cannot be reached on this core: " +
           fixedText(targetH * kMicrohenriesPerHenry, 2) + " uH at " + fixedText(currentA, 2) +
           " A";
}

// The smallest N in [low, kMaxTurns] that is enough, given that enough(kMaxTurns) holds and
// enough is monotone.
template <class Enough>
long bisect(long low, Enough enough) {
    long high = kMaxTurns;
    while (low < high) {
        const long middle = low + (high - low) / 2;
        if (enough(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return high;
}

Result<long> checkedTarget(double currentA, double targetH) {
    if (!(std::isfinite(targetH) && targetH > 0))
        return problem("the required inductance is not a positive number");
    if (!std::isfinite(currentA))
        return problem("the current is not a number");
    return 0L;
}

}  // namespace

double fieldStrengthAPerM(long turns, double currentA, double pathLengthM) {
    return static_cast<double>(turns) * currentA / pathLengthM;
}

double fieldStrengthOe(long turns, double currentA, double pathLengthM) {
    return kOerstedPerAmperePerMetre * fieldStrengthAPerM(turns, currentA, pathLengthM);
}

Result<InductanceModel> InductanceModel::make(const MagneticCore& core,
                                              const BiasedMaterial& material) {
    if (auto p = magneticPathProblem(core))
        return *p;
    if (auto p = problemOf(material.curve))
        return *p;
    if (!(std::isfinite(material.initialPermeability) && material.initialPermeability > 0))
        return problem("the initial permeability is not a positive number");
    return InductanceModel(core, material);
}

double InductanceModel::inductanceH(long turns, double currentA) const noexcept {
    const double n = static_cast<double>(turns);
    const double hOe = fieldStrengthOe(turns, currentA, core_.pathLengthM);
    const double mu =
        material_.initialPermeability * biasPercent(material_.curve, hOe) * kFractionPerPercent;
    return kMu0HPerM * mu * n * n * core_.crossSectionM2 / (core_.gapM * mu + core_.pathLengthM);
}

bool InductanceModel::risesWithTurns() const noexcept {
    return material_.curve.fieldExponent <= kLargestRisingExponent;
}

Result<std::vector<InductancePoint>> InductanceModel::curve(long turns, double maxCurrentA,
                                                            int points) const {
    if (points < 2 || points > kMaxCurvePoints)
        return problem("a curve takes 2 to " + std::to_string(kMaxCurvePoints) + " points, not " +
                       std::to_string(points));
    if (!(std::isfinite(maxCurrentA) && maxCurrentA >= 0))
        return problem("the curve's current range is negative or not a number");
    std::vector<InductancePoint> out;
    out.reserve(static_cast<std::size_t>(points));
    for (int k = 0; k < points; ++k) {
        const double current = maxCurrentA * k / (points - 1);
        out.push_back({current, inductanceH(turns, current)});
    }
    return out;
}

Result<long> fewestTurnsFrom(const InductanceModel& model, double currentA, double targetH,
                             long startTurns) {
    if (auto checked = checkedTarget(currentA, targetH); !checked)
        return checked.problem();
    const auto enough = [&](long n) { return model.inductanceH(n, currentA) >= targetH; };
    const long low = std::max(startTurns, 1L);
    const std::string none =
        unreachable(targetH, currentA) + " within " + std::to_string(kMaxTurns) + " turns";
    if (!model.risesWithTurns()) {
        for (long n = low; n <= kMaxTurns; ++n)
            if (enough(n))
                return n;
        return problem(none);
    }
    if (low > kMaxTurns || !enough(kMaxTurns))
        return problem(none);
    return bisect(low, enough);
}

Result<long> fewestTurnsWalkingUp(const InductanceModel& model, double currentA, double targetH) {
    if (model.risesWithTurns())
        return fewestTurnsFrom(model, currentA, targetH, 1);
    if (auto checked = checkedTarget(currentA, targetH); !checked)
        return checked.problem();
    double previous = 0;
    for (long n = 1; n <= kMaxTurns; ++n) {
        const double l = model.inductanceH(n, currentA);
        if (l >= targetH)
            return n;
        if (n > 1 && l < previous)
            return problem(unreachable(targetH, currentA) + ": L falls from " +
                           fixedText(previous * kMicrohenriesPerHenry, 2) + " uH at " +
                           std::to_string(n - 1) + " turns to " +
                           fixedText(l * kMicrohenriesPerHenry, 2) + " uH at " + std::to_string(n) +
                           " turns");
        previous = l;
    }
    return problem(unreachable(targetH, currentA) + " within " + std::to_string(kMaxTurns) +
                   " turns");
}

}  // namespace coilsmith::physics
