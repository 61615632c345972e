#include "check/DesignCheck.h"

#include <algorithm>
#include <limits>

#include "method/MethodLimits.h"
#include "numeric/NumberText.h"
#include "physics/Constants.h"
#include "physics/CopperLoss.h"
#include "physics/Inductance.h"
#include "physics/Ripple.h"
#include "physics/Thermal.h"
#include "physics/Verdicts.h"
#include "physics/Winding.h"

namespace coilsmith {

namespace {

// The input's units in the physics core's SI.
constexpr double kSquareMetresPerSquareCm = 1e-4;
constexpr double kCmPerMetre = 100;
constexpr double kCmPerMm = 0.1;
constexpr double kPercent = 100;

template <class Figures>
CheckPart<Figures> unavailable(std::string reason) {
    CheckPart<Figures> part;
    part.unavailableReason = std::move(reason);
    return part;
}

std::string fixed(double value, int decimals) {
    return formatFixed(value, decimals);
}

CheckVerdict fromPhysics(const physics::Verdict& v) {
    static_assert(static_cast<int>(physics::VerdictLevel::Unavailable) ==
                  static_cast<int>(Verdict::Unavailable));
    return {v.check, static_cast<Verdict>(v.level), v.reason};
}

int layerCount(long layers) {
    return static_cast<int>(std::clamp<long>(layers, 0, std::numeric_limits<int>::max()));
}

// ---- The design in the physics core's terms ------------------------------------------

physics::MagneticCore magneticCore(const DesignCheckInput& in) {
    physics::MagneticCore core;
    core.crossSectionM2 = in.acCm2 * kSquareMetresPerSquareCm;
    core.pathLengthM = in.lcCm * physics::kMetresPerCm;
    core.gapM = in.gapMm * physics::kMetresPerMm;
    core.windowAreaM2 = in.windowAreaCm2 * kSquareMetresPerSquareCm;
    return core;
}

// The outline as far as the winding reads it: a toroid's OD, ID and HT; an E-core's stack
// depth, inner span, centre leg and window height (its overall sizes do not matter here).
physics::CoreOutline coreOutline(const DesignCheckInput& in) {
    const CoreOutline& o = in.outline;
    constexpr double m = physics::kMetresPerInch;
    if (in.shape == CoreShape::Toroid)
        return physics::ToroidOutline{o.od * m, o.id * m, o.ht * m};
    physics::ECoreOutline e;
    e.stackDepthM = o.c * m;
    e.innerSpanM = o.d * m;
    e.centreLegWidthM = o.f * m;
    e.windowHeightM = o.g * m;
    return e;
}

physics::Wire wire(const WireRow& row) {
    return {row.bareDiameterMm * physics::kMetresPerMm,
            row.overallDiameterMm * physics::kMetresPerMm,
            row.resistance20OhmPerKm / physics::kMetresPerKm};
}

// ---- Inductance against current on the published curve --------------------------------

CheckPart<InductanceFigures> checkInductance(const DesignCheckInput& in) {
    if (in.inductanceDataProblem)
        return unavailable<InductanceFigures>(*in.inductanceDataProblem);
    if (!in.biasCurve)
        return unavailable<InductanceFigures>("no published bias curve for material " +
                                              in.material);
    if (in.turns < 1)
        return unavailable<InductanceFigures>("the design has no turns");
    if (!(in.requiredInductanceH > 0))
        return unavailable<InductanceFigures>("the required inductance is not positive");
    const BiasCurve& c = *in.biasCurve;
    const auto model =
        physics::InductanceModel::make(magneticCore(in), {in.muInitial, {c.a, c.b, c.c}});
    if (!model)
        return unavailable<InductanceFigures>(model.reason());
    const double ipk = physics::peakCurrentA(in.idcA, in.iacPeakToPeakA);
    InductanceFigures f;
    f.atZeroH = model->inductanceH(in.turns, 0);
    f.atIdcH = model->inductanceH(in.turns, in.idcA);
    f.atIpkH = model->inductanceH(in.turns, ipk);
    if (!(f.atIdcH > 0))
        return unavailable<InductanceFigures>("the inductance at Idc is not positive");
    f.atZeroPercent = kPercent * f.atZeroH / in.requiredInductanceH;
    f.atIdcPercent = kPercent * f.atIdcH / in.requiredInductanceH;
    f.atIpkPercent = kPercent * f.atIpkH / in.requiredInductanceH;
    f.swing = f.atZeroH / f.atIdcH;
    const auto curve = model->curve(in.turns, 2 * ipk, kCurvePoints);
    if (!curve)
        return unavailable<InductanceFigures>(curve.reason());
    for (std::size_t k = 0; k < f.curve.size(); ++k)
        f.curve[k] = {(*curve)[k].currentA, (*curve)[k].inductanceH};
    if (const auto n = physics::fewestTurnsFrom(*model, in.idcA, in.requiredInductanceH, in.turns))
        f.turnsNeeded = *n;
    return {f, {}};
}

// ---- Winding fit ---------------------------------------------------------------------

struct WoundLayout {
    CheckPart<WindingFigures> figures;
    physics::WindingLayout layout;  // for the copper, when the figures are available
};

WoundLayout checkWinding(const DesignCheckInput& in) {
    if (in.windingDataProblem)
        return {unavailable<WindingFigures>(*in.windingDataProblem), {}};
    if (!in.wire)
        return {unavailable<WindingFigures>("AWG " + std::to_string(in.awg) +
                                            " is outside the wire table"),
                {}};
    if (in.turns < 1)
        return {unavailable<WindingFigures>("the design has no turns"), {}};
    if (!(in.wire->overallDiameterMm > 0))
        return {unavailable<WindingFigures>("the wire has no diameter"), {}};
    const double insulatedM = in.wire->overallDiameterMm * physics::kMetresPerMm;
    auto layout = physics::wind(in.turns, coreOutline(in), insulatedM);
    if (!layout)
        return {unavailable<WindingFigures>(layout.reason()), {}};
    const auto fill =
        physics::windingFill(in.turns, insulatedM, in.windowAreaCm2 * kSquareMetresPerSquareCm);
    if (!fill)
        return {unavailable<WindingFigures>(fill.reason()), {}};
    WindingFigures w;
    w.insulatedDiameterCm = in.wire->overallDiameterMm * kCmPerMm;
    w.turnsPerLayer = layout->turnsPerLayer;
    w.layers = layerCount(layout->layers);
    w.fill = *fill;
    w.fits = layout->fits;
    w.doesNotFitReason = layout->doesNotFitReason;
    return {{w, {}}, std::move(layout).value()};
}

// ---- Copper: wound mean turn, AC loss, hot resistance --------------------------------

void fillCopper(const DesignCheckInput& in, const physics::CopperLoss& c,
                const physics::HotPoint& hot, CopperFigures& f) {
    f.rhotOhm = c.resistanceOhm;
    f.racOverRdcFundamental = c.fundamentalFr;
    f.copperLossDcW = c.dcLossW;
    f.copperLossAcW = c.acLossW;
    f.copperLossW = c.totalW();
    f.rmsLossAtRdcW = in.irmsA * in.irmsA * c.resistanceOhm;
    f.totalLossW = f.copperLossW + in.coreLossW;
    f.hotTemperatureC = hot.temperatureC;
    f.temperatureRiseC = hot.riseC;
    f.rounds = hot.rounds;
    f.runaway = hot.runaway;
}

CheckPart<CopperFigures> checkCopper(const DesignCheckInput& in, const WoundLayout& winding) {
    if (!winding.figures.available())
        return unavailable<CopperFigures>(winding.figures.unavailableReason);
    if (in.copperDataProblem)
        return unavailable<CopperFigures>(*in.copperDataProblem);
    if (!winding.layout.fits)
        return unavailable<CopperFigures>("the winding does not fit: " +
                                          winding.layout.doesNotFitReason);
    const physics::Wire w = wire(*in.wire);
    const auto meanTurnM = physics::woundMeanTurnM(
        winding.layout, physics::innermostTurnM(coreOutline(in)), w.insulatedDiameterM);
    if (!meanTurnM)
        return unavailable<CopperFigures>(meanTurnM.reason());
    const physics::WindingCopper copper{
        physics::dcResistanceOhm(*meanTurnM * static_cast<double>(in.turns), w.resistance20OhmPerM),
        w, winding.layout.layers};
    const physics::RippleCurrent current{in.idcA, in.iacPeakToPeakA, in.frequencyHz};
    // From the design's own hot point.
    const auto hot = physics::settleHotWinding(copper, current, in.coreLossW, in.ambientC,
                                               in.ambientC + in.designTempRiseC,
                                               in.surfaceAreaCm2 * kSquareMetresPerSquareCm);
    if (!hot)
        return unavailable<CopperFigures>(hot.reason());
    CopperFigures f;
    f.meanTurnCm = *meanTurnM * kCmPerMetre;
    f.rdc20Ohm = copper.resistance20Ohm;
    fillCopper(in, hot->copper, hot->hot, f);
    return {f, {}};
}

// ---- Verdicts ------------------------------------------------------------------------

// The inductance at Ipk is the one at Idc less the further fall of the bias curve, so it
// may drop below the required L by its own margin; but it is never judged better than
// the inductance at Idc, which has the smaller shortfall.
CheckVerdict peakVerdict(const InductanceFigures& f, const CheckVerdict& atIdc) {
    CheckVerdict atIpk = fromPhysics(physics::inductanceAtIpkVerdict(f.atIpkH, f.atIpkPercent));
    if (atIdc.verdict > atIpk.verdict) {  // Pass < Warning < Fail
        atIpk.verdict = atIdc.verdict;
        atIpk.reason += ", and L at Idc is below " +
                        fixed(atIdc.verdict == Verdict::Warning ? kInductanceAtIdcPassPercent
                                                                : kInductanceAtIdcWarnPercent,
                              0) +
                        " %";
    }
    return atIpk;
}

void addInductanceVerdicts(const CheckPart<InductanceFigures>& part,
                           std::vector<CheckVerdict>& out) {
    if (!part.available()) {
        out.push_back({"L at Idc", Verdict::Unavailable, part.unavailableReason});
        out.push_back({"L at Ipk", Verdict::Unavailable, part.unavailableReason});
        return;
    }
    const InductanceFigures& f = *part.figures;
    out.push_back(fromPhysics(physics::inductanceAtIdcVerdict(f.atIdcH, f.atIdcPercent)));
    out.push_back(peakVerdict(f, out.back()));
}

void addWindingVerdicts(const DesignCheckInput& in, const WoundLayout& part,
                        std::vector<CheckVerdict>& out) {
    if (!part.figures.available()) {
        out.push_back({"Winding fits", Verdict::Unavailable, part.figures.unavailableReason});
        out.push_back({"Fill", Verdict::Unavailable, part.figures.unavailableReason});
        return;
    }
    out.push_back(fromPhysics(physics::windingFitsVerdict(in.turns, part.layout)));
    out.push_back(
        fromPhysics(physics::fillVerdict(part.figures.figures->fill, in.windowUtilisation)));
}

void addTemperatureVerdict(const DesignCheckInput& in, const CheckPart<CopperFigures>& part,
                           std::vector<CheckVerdict>& out) {
    if (!part.available()) {
        out.push_back({"Hot temperature", Verdict::Unavailable, part.unavailableReason});
        return;
    }
    const CopperFigures& f = *part.figures;
    out.push_back(fromPhysics(physics::hotTemperatureVerdict(
        {f.hotTemperatureC, f.temperatureRiseC, f.totalLossW, f.rounds, f.runaway},
        in.temperatureLimitC)));
}

// The method's own limits: a design outside them is flagged, never failed.
CheckVerdict areaProductVerdict(const DesignCheckInput& in) {
    const char* name = "Area product";
    const auto standing = areaProductStanding(in.minimumAreaProductCm4, in.coreAreaProductCm4);
    if (!standing)
        return {name, Verdict::Unavailable, "the area products are not known"};
    const std::string core = "core AP " + fixed(*in.coreAreaProductCm4, 3) + " cm^4, ";
    const std::string minimum = " the minimum " + fixed(*in.minimumAreaProductCm4, 3) + " cm^4";
    switch (*standing) {
        case AreaProductStanding::BelowMinimum:
            return {name, Verdict::Warning, core + "below" + minimum};
        case AreaProductStanding::AtMinimum:
            return {name, Verdict::Pass, core + "at" + minimum};
        case AreaProductStanding::AboveMinimum:
            break;
    }
    return {name, Verdict::Pass, core + "above" + minimum};
}

CheckVerdict fluxDensityVerdict(const DesignCheckInput& in) {
    const char* name = "Flux density";
    if (!(in.specifiedFluxDensityT > 0))
        return {name, Verdict::Unavailable, "no specified flux density"};
    const std::string bmax = "Bmax " + fixed(in.peakFluxDensityT, 3) + " T, ";
    const std::string specified = " the specified " + fixed(in.specifiedFluxDensityT, 3) + " T";
    if (fluxDensityAboveSpecified(in.peakFluxDensityT, in.specifiedFluxDensityT))
        return {name, Verdict::Warning, bmax + "above" + specified};
    return {name, Verdict::Pass, bmax + "within" + specified};
}

}  // namespace

DesignCheck checkDesign(const DesignCheckInput& input) {
    DesignCheck check;
    check.inductance = checkInductance(input);
    WoundLayout winding = checkWinding(input);
    check.copper = checkCopper(input, winding);
    addInductanceVerdicts(check.inductance, check.verdicts);
    addWindingVerdicts(input, winding, check.verdicts);
    check.winding = std::move(winding.figures);
    addTemperatureVerdict(input, check.copper, check.verdicts);
    check.verdicts.push_back(areaProductVerdict(input));
    check.verdicts.push_back(fluxDensityVerdict(input));
    return check;
}

bool checkPasses(const DesignCheck& check) noexcept {
    return std::none_of(check.verdicts.begin(), check.verdicts.end(), [](const CheckVerdict& v) {
        return v.verdict == Verdict::Fail || v.verdict == Verdict::Unavailable;
    });
}

const char* verdictName(Verdict verdict) noexcept {
    switch (verdict) {
        case Verdict::Pass:
            return "pass";
        case Verdict::Warning:
            return "warning";
        case Verdict::Fail:
            return "fail";
        case Verdict::Unavailable:
            return "unavailable";
    }
    return "unavailable";
}

}  // namespace coilsmith
