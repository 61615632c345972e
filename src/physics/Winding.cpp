#include "physics/Winding.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "physics/Constants.h"
#include "physics/FixedText.h"

namespace coilsmith::physics {

namespace {

// The gauge fit is rounded to the nearest gauge.
constexpr double kRoundingHalf = 0.5;
// Gauges beyond these are not wire (AWG −3 is 11.7 mm, AWG 60 is 9 µm).
constexpr double kThickestGauge = -100;
constexpr double kThinnestGauge = 100;
// A turn of layer k lies (k − 0.5)·do out from the core on each of four sides.
constexpr double kBuildSidesPerTurn = 8;
constexpr double kMillimetresPerMetre = 1e3;

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}

std::optional<Problem> windingInputProblem(long turns, double insulatedDiameterM) {
    if (turns < 1)
        return problem("the winding has no turns");
    if (turns > kMaxWoundTurns)
        return problem("a winding of " + std::to_string(turns) +
                       " turns is not laid out (more than " + std::to_string(kMaxWoundTurns) + ")");
    if (!positive(insulatedDiameterM))
        return problem("the wire's insulated diameter is not a positive number");
    return std::nullopt;
}

std::string layersText(long layers) {
    return std::to_string(layers) + (layers == 1 ? " layer" : " layers");
}

}  // namespace

std::optional<Problem> problemOf(const Wire& w) {
    if (!positive(w.bareDiameterM))
        return problem("the wire's bare diameter is not a positive number");
    if (!(positive(w.insulatedDiameterM) && w.insulatedDiameterM >= w.bareDiameterM))
        return problem("the wire's insulated diameter is below its bare diameter");
    if (!positive(w.resistance20OhmPerM))
        return problem("the wire's resistance is not a positive number");
    return std::nullopt;
}

double circleArea(double diameter) {
    return kPi * (diameter * diameter) / 4;
}

double bareAreaM2(const Wire& wire) {
    return circleArea(wire.bareDiameterM);
}

Result<Wire> WireTable::find(int awg) const {
    const auto row = std::find_if(rows_.begin(), rows_.end(),
                                  [awg](const GaugedWire& r) { return r.awg == awg; });
    if (row == rows_.end())
        return problem("AWG " + std::to_string(awg) + " is outside the wire table");
    return row->wire;
}

Result<int> wireGaugeFor(double rmsCurrentA, double currentDensityAPerM2) {
    if (!positive(rmsCurrentA))
        return problem("no wire gauge for an rms current that is not positive");
    if (!positive(currentDensityAPerM2))
        return problem("no wire gauge for a current density that is not positive");
    const double areaCm2 = rmsCurrentA / (currentDensityAPerM2 / kSquareCmPerSquareMetre);
    // log10 as ln/ln 10, as the method takes it, so the gauge is the method's at every edge.
    const double exact =
        kAwgPerDecadeOfArea * (std::log(areaCm2) / std::log(10.0)) + kAwgOfOneSquareCm;
    const double gauge = std::floor(exact + kRoundingHalf);
    if (!(gauge >= kThickestGauge && gauge <= kThinnestGauge))
        return problem("the wire for " + fixedText(rmsCurrentA, 3) +
                       " A at this current density "
                       "would be AWG " +
                       fixedText(gauge, 0) + ", no wire");
    return static_cast<int>(gauge);
}

Result<WindingLayout> windToroid(long turns, double innerDiameterM, double insulatedDiameterM) {
    if (auto p = windingInputProblem(turns, insulatedDiameterM))
        return *p;
    if (!positive(innerDiameterM))
        return problem("the inner diameter is not a positive number");
    const double d = insulatedDiameterM;
    WindingLayout w;
    long left = turns;
    for (long k = 1; left > 0; ++k) {
        const double room =
            std::floor(kPi * (innerDiameterM - (2.0 * static_cast<double>(k) - 1) * d) / d);
        if (!(room >= 1)) {
            w.layers = std::ssize(w.turnsPerLayer);
            w.doesNotFitReason = "the winding closes the hole after " + layersText(k - 1) +
                                 " with " + std::to_string(turns - left) + " of " +
                                 std::to_string(turns) + " turns";
            return w;
        }
        // room < left <= kMaxWoundTurns here, so the count converts exactly.
        const long wound = room >= static_cast<double>(left) ? left : static_cast<long>(room);
        w.turnsPerLayer.push_back(wound);
        left -= wound;
    }
    w.layers = std::ssize(w.turnsPerLayer);
    w.fits = true;
    return w;
}

Result<WindingLayout> windECore(long turns, double windowWidthM, double windowHeightM,
                                double insulatedDiameterM) {
    if (auto p = windingInputProblem(turns, insulatedDiameterM))
        return *p;
    if (!positive(windowWidthM) || !positive(windowHeightM))
        return problem("the window's width or height is not a positive number");
    const double d = insulatedDiameterM;
    WindingLayout w;
    const double perLayerRoom = std::floor(windowHeightM / d);
    if (!(perLayerRoom >= 1)) {
        w.doesNotFitReason = "the wire is thicker than the window height";
        return w;
    }
    const long perLayer =
        perLayerRoom >= static_cast<double>(turns) ? turns : static_cast<long>(perLayerRoom);
    const long needed = (turns + perLayer - 1) / perLayer;
    const double build = static_cast<double>(needed) * d;
    w.layers = needed;
    w.fits = build <= windowWidthM;
    // Lay out no more layers than the window takes, plus the one that overflows it.
    const double room = std::floor(windowWidthM / d) + 1;
    const long laidOut = room >= static_cast<double>(needed) ? needed : static_cast<long>(room);
    for (long k = 0, left = turns; k < laidOut; ++k, left -= perLayer)
        w.turnsPerLayer.push_back(std::min(left, perLayer));
    if (!w.fits)
        w.doesNotFitReason = layersText(needed) + " build " +
                             fixedText(build * kMillimetresPerMetre, 2) + " mm, the window is " +
                             fixedText(windowWidthM * kMillimetresPerMetre, 2) + " mm wide";
    return w;
}

Result<WindingLayout> wind(long turns, const CoreOutline& outline, double insulatedDiameterM) {
    if (const auto* t = std::get_if<ToroidOutline>(&outline))
        return windToroid(turns, t->innerDiameterM, insulatedDiameterM);
    const auto& e = std::get<ECoreOutline>(outline);
    return windECore(turns, windowWidthM(e), windowHeightM(e), insulatedDiameterM);
}

Result<double> windingFill(long turns, double insulatedDiameterM, double windowAreaM2) {
    if (auto p = windingInputProblem(turns, insulatedDiameterM))
        return *p;
    if (!positive(windowAreaM2))
        return problem("the window area is not a positive number");
    const double d = insulatedDiameterM;
    const double fill = static_cast<double>(turns) * circleArea(d) / windowAreaM2;
    if (!std::isfinite(fill))
        return problem("the fill is not a finite number");
    return fill;
}

double innermostTurnM(const ToroidOutline& o) {
    return 2 * ((o.outerDiameterM - o.innerDiameterM) / 2 + o.heightM);
}

double innermostTurnM(const ECoreOutline& o) {
    return 2 * (o.centreLegWidthM + o.stackDepthM);
}

double innermostTurnM(const CoreOutline& outline) {
    return std::visit([](const auto& o) { return innermostTurnM(o); }, outline);
}

Result<double> woundMeanTurnM(const WindingLayout& layout, double innermostTurnM,
                              double insulatedDiameterM) {
    if (!layout.fits)
        return problem("the winding does not fit: " + layout.doesNotFitReason);
    const long turns =
        std::accumulate(layout.turnsPerLayer.begin(), layout.turnsPerLayer.end(), 0L);
    if (turns < 1)
        return problem("the winding has no turns");
    double length = 0;
    for (std::size_t k = 0; k < layout.turnsPerLayer.size(); ++k) {
        const double layerTurnM = innermostTurnM + kBuildSidesPerTurn *
                                                       (static_cast<double>(k) + kRoundingHalf) *
                                                       insulatedDiameterM;
        length += static_cast<double>(layout.turnsPerLayer[k]) * layerTurnM;
    }
    const double mean = length / static_cast<double>(turns);
    if (!(std::isfinite(mean) && mean > 0))
        return problem("the wound mean turn is not a positive number");
    return mean;
}

}  // namespace coilsmith::physics
