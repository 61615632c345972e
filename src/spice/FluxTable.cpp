#include "spice/FluxTable.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "converter/SiNumber.h"

namespace coilsmith::spice {

namespace {

using converter::formatSi;

// Composite Simpson over one table step: the curve may have kinks (a table curve), so a
// step is split into this many parts.
constexpr int kSimpsonParts = 8;

double checkedInductance(const InductanceCurve& inductance, double currentA) {
    const double henries = inductance(currentA);
    if (!std::isfinite(henries) || henries <= 0)
        throw SpiceModelError("The inductance curve gives " + formatSi(henries, "H") + " at " +
                              formatSi(currentA, "A") +
                              "; a flux table needs a positive inductance at every current");
    return henries;
}

// ∫ L(x) dx from a to b.
double integral(const InductanceCurve& inductance, double a, double b) {
    const double part = (b - a) / kSimpsonParts;
    double sum = 0;
    for (int k = 0; k <= kSimpsonParts; ++k) {
        const double weight = (k == 0 || k == kSimpsonParts) ? 1 : (k % 2 == 1 ? 4 : 2);
        sum += weight * checkedInductance(inductance, k == kSimpsonParts ? b : a + k * part);
    }
    return sum * part / 3;
}

}  // namespace

InductanceCurve inductanceFromTable(std::vector<CurrentInductance> points) {
    if (points.empty())
        throw SpiceModelError("An inductance table needs at least one point");
    for (std::size_t k = 1; k < points.size(); ++k) {
        if (!(points[k].currentA > points[k - 1].currentA))
            throw SpiceModelError("The currents of an inductance table must rise: " +
                                  formatSi(points[k].currentA, "A") + " follows " +
                                  formatSi(points[k - 1].currentA, "A"));
    }
    return [table = std::move(points)](double currentA) {
        if (currentA <= table.front().currentA)
            return table.front().inductanceH;
        if (currentA >= table.back().currentA)
            return table.back().inductanceH;
        const auto above = std::upper_bound(
            table.begin(), table.end(), currentA,
            [](double i, const CurrentInductance& point) { return i < point.currentA; });
        const auto below = above - 1;
        const double share = (currentA - below->currentA) / (above->currentA - below->currentA);
        return below->inductanceH + share * (above->inductanceH - below->inductanceH);
    };
}

FluxTable fluxLinkageTable(const InductanceCurve& inductance, double tableEndA,
                           double airCoreInductanceH, int pointsPerSide) {
    if (!std::isfinite(tableEndA) || tableEndA <= 0)
        throw SpiceModelError("The flux table needs a positive peak current, not " +
                              formatSi(tableEndA, "A"));
    if (!std::isfinite(airCoreInductanceH) || airCoreInductanceH <= 0)
        throw SpiceModelError("The air-core inductance must be above zero, not " +
                              formatSi(airCoreInductanceH, "H"));
    if (pointsPerSide < kFewestPointsPerSide || pointsPerSide > kMostPointsPerSide)
        throw SpiceModelError("The flux table takes " + std::to_string(kFewestPointsPerSide) +
                              " to " + std::to_string(kMostPointsPerSide) +
                              " points on each side, not " + std::to_string(pointsPerSide));

    // ψ at 0, h, 2h, … tableEnd, then one step further at the air-core slope.
    const double step = tableEndA / pointsPerSide;
    std::vector<double> positiveCurrent{0}, positiveFlux{0};
    for (int k = 1; k <= pointsPerSide; ++k) {
        const double current = k == pointsPerSide ? tableEndA : k * step;
        positiveFlux.push_back(positiveFlux.back() +
                               integral(inductance, positiveCurrent.back(), current));
        positiveCurrent.push_back(current);
    }
    positiveCurrent.push_back(tableEndA + step);
    positiveFlux.push_back(positiveFlux.back() + airCoreInductanceH * step);
    if (!std::isfinite(positiveFlux.back()))
        throw SpiceModelError("The flux linkage at " + formatSi(tableEndA, "A") +
                              " is out of range; check the units of the current and inductance");

    FluxTable table;
    for (std::size_t k = positiveCurrent.size() - 1; k > 0; --k) {
        table.currentA.push_back(-positiveCurrent[k]);
        table.fluxLinkageWb.push_back(-positiveFlux[k]);
    }
    table.currentA.insert(table.currentA.end(), positiveCurrent.begin(), positiveCurrent.end());
    table.fluxLinkageWb.insert(table.fluxLinkageWb.end(), positiveFlux.begin(), positiveFlux.end());
    return table;
}

}  // namespace coilsmith::spice
