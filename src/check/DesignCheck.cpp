#include "check/DesignCheck.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "check/Dowell.h"
#include "method/MethodLimits.h"
#include "method/PhysicalConstants.h"
#include "numeric/Fault.h"
#include "numeric/Num.h"
#include "numeric/NumberText.h"

namespace coilsmith {

namespace {

constexpr double kCmPerInch = 2.54;
constexpr double kCmPerMm = 0.1;
constexpr double kCmPerKm = 1e5;
constexpr double kCopperRho20 = 1.7241e-8;  // Ω·m
constexpr double kCopperTempco = 0.00393;   // 1/K, referred to 20 °C
constexpr double kConvergedWithinC = 0.01;
constexpr int kMaxThermalRounds = 100;

template <class Figures>
CheckPart<Figures> unavailable(std::string reason) {
    CheckPart<Figures> part;
    part.unavailableReason = std::move(reason);
    return part;
}

std::string arithmeticFault(const Fault& fault) {
    return std::string("arithmetic fault (") + faultName(fault.kind()) + ")";
}

double quotient(double numerator, double denominator) {
    if (denominator == 0)
        throw Fault(FaultKind::DivisionByZero);
    return checkedFinite(numerator / denominator);
}

std::string fixed(double value, int decimals) {
    return formatFixed(value, decimals);
}

// ---- Inductance against current on the published curve --------------------------------

// L(N, I) with the turns search's expression and units, µ(I) from the published curve in
// place of the effective permeability (no AC-flux factor).
class PublishedCurveInductance {
  public:
    PublishedCurveInductance(const DesignCheckInput& in, const BiasCurve& curve)
        : in_(in), curve_(curve) {}

    double at(long turns, double currentA) const {
        const double n = static_cast<double>(turns);
        const double hOe = quotient(kOerstedPerAmpereTurnPerCm * n * currentA, in_.lcCm);
        const double percent = quotient(1, curve_.a + curve_.b * checkedPow(hOe, curve_.c));
        const double mu = in_.muInitial * percent / 100;
        return quotient(kMu0 * mu * n * n * in_.acCm2 * 1e-4,
                        in_.gapMm * mu * 0.001 + in_.lcCm * 0.01);
    }

  private:
    const DesignCheckInput& in_;
    const BiasCurve& curve_;
};

double peakCurrent(const DesignCheckInput& in) {
    return in.idcA + in.iacPeakToPeakA / 2;
}

// L(N) = µ0·Ac / (gap/N² + lc·100·(a + b·(kN)^c)/(µi·N²)): with a, b, the gap and Idc not
// negative and c <= 2 every term of the denominator falls or stays as N grows, so L rises
// with N and the first N that reaches the required L is found by bisection. Other curves
// may turn over; they are searched turn by turn.
bool inductanceRisesWithTurns(const DesignCheckInput& in, const BiasCurve& curve) {
    return curve.a >= 0 && curve.b >= 0 && curve.c <= 2 && in.gapMm >= 0 && in.idcA >= 0;
}

std::optional<long> turnsNeeded(const PublishedCurveInductance& l, const DesignCheckInput& in,
                                const BiasCurve& curve) {
    const auto enough = [&](long n) { return l.at(n, in.idcA) >= in.requiredInductanceH; };
    long low = std::max(in.turns, 1L);
    if (!inductanceRisesWithTurns(in, curve)) {
        for (long n = low; n <= kMaxTurnsSearched; ++n)
            if (enough(n))
                return n;
        return std::nullopt;
    }
    if (low > kMaxTurnsSearched || !enough(kMaxTurnsSearched))
        return std::nullopt;
    long high = kMaxTurnsSearched;  // enough(high) holds throughout
    while (low < high) {
        const long middle = low + (high - low) / 2;
        if (enough(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return high;
}

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
    try {
        const PublishedCurveInductance l(in, *in.biasCurve);
        const double ipk = peakCurrent(in);
        InductanceFigures f;
        f.atZeroH = l.at(in.turns, 0);
        f.atIdcH = l.at(in.turns, in.idcA);
        f.atIpkH = l.at(in.turns, ipk);
        f.atZeroPercent = 100 * f.atZeroH / in.requiredInductanceH;
        f.atIdcPercent = 100 * f.atIdcH / in.requiredInductanceH;
        f.atIpkPercent = 100 * f.atIpkH / in.requiredInductanceH;
        f.swing = quotient(f.atZeroH, f.atIdcH);
        for (int k = 0; k < kCurvePoints; ++k) {
            const double current = 2 * ipk * k / (kCurvePoints - 1);
            f.curve[static_cast<std::size_t>(k)] = {current, l.at(in.turns, current)};
        }
        f.turnsNeeded = turnsNeeded(l, in, *in.biasCurve);
        return {f, {}};
    } catch (const Fault& fault) {
        return unavailable<InductanceFigures>(arithmeticFault(fault));
    }
}

// ---- Winding fit ---------------------------------------------------------------------

// The turns a layer takes: `room` (a whole number of turns, possibly far beyond any
// count) up to the `left` still to wind. Compared as doubles, so a vast room never meets
// an integer cast.
long turnsTaken(double room, long left) {
    return room >= static_cast<double>(left) ? left : static_cast<long>(room);
}

int layerCount(std::size_t layers) {
    return static_cast<int>(std::min<std::size_t>(layers, std::numeric_limits<int>::max()));
}

// Toroid: layer k on the inner wall holds floor(π·(ID − (2k−1)·do)/do) turns.
void windToroid(const DesignCheckInput& in, WindingFigures& w) {
    const double idCm = in.outline.id * kCmPerInch;
    const double dOver = w.insulatedDiameterCm;
    long left = in.turns;
    for (long k = 1; left > 0; ++k) {
        const double room = checkedFinite(std::floor(kPi * (idCm - (2.0 * k - 1) * dOver) / dOver));
        if (room < 1) {
            w.layers = layerCount(w.turnsPerLayer.size());
            w.doesNotFitReason = "the winding closes the hole after " + std::to_string(k - 1) +
                                 " layers with " + std::to_string(in.turns - left) + " of " +
                                 std::to_string(in.turns) + " turns";
            return;
        }
        const long wound = turnsTaken(room, left);
        w.turnsPerLayer.push_back(wound);
        left -= wound;
    }
    w.layers = layerCount(w.turnsPerLayer.size());
    w.fits = true;
}

// E-core: full layers of floor(g/do) turns across the window height, built outward
// across the window width (d − f)/2.
void windECore(const DesignCheckInput& in, WindingFigures& w) {
    const double heightCm = in.outline.g * kCmPerInch;
    const double widthCm = (in.outline.d - in.outline.f) / 2 * kCmPerInch;
    const double dOver = w.insulatedDiameterCm;
    const double perLayerRoom = checkedFinite(std::floor(heightCm / dOver));
    if (perLayerRoom < 1) {
        w.doesNotFitReason = "the wire is thicker than the window height";
        return;
    }
    const long perLayer = turnsTaken(perLayerRoom, in.turns);
    const long needed = in.turns / perLayer + (in.turns % perLayer != 0 ? 1 : 0);
    const double build = static_cast<double>(needed) * dOver;
    w.fits = build <= widthCm;
    w.layers = static_cast<int>(std::min<long>(needed, std::numeric_limits<int>::max()));
    // Lay out no more layers than the window could take plus one, so an absurd turn count
    // costs no memory; a winding that fits is laid out in full.
    const double layerRoom = checkedFinite(std::floor(widthCm / dOver)) + 1;
    const long laid = std::max(0L, turnsTaken(layerRoom, needed));
    for (long left = in.turns; left > 0 && std::ssize(w.turnsPerLayer) < laid; left -= perLayer)
        w.turnsPerLayer.push_back(std::min(left, perLayer));
    if (!w.fits)
        w.doesNotFitReason = std::to_string(needed) + " layers build " + fixed(build * 10, 2) +
                             " mm, the window is " + fixed(widthCm * 10, 2) + " mm wide";
}

std::string outsideWireTable(int awg) {
    return "AWG " + std::to_string(awg) + " is outside the wire table";
}

CheckPart<WindingFigures> checkWinding(const DesignCheckInput& in) {
    if (in.windingDataProblem)
        return unavailable<WindingFigures>(*in.windingDataProblem);
    if (!in.wire)
        return unavailable<WindingFigures>(outsideWireTable(in.awg));
    if (in.turns < 1)
        return unavailable<WindingFigures>("the design has no turns");
    if (!(in.wire->overallDiameterMm > 0))
        return unavailable<WindingFigures>("the wire has no diameter");
    try {
        WindingFigures w;
        w.insulatedDiameterCm = in.wire->overallDiameterMm * kCmPerMm;
        if (in.shape == CoreShape::Toroid)
            windToroid(in, w);
        else
            windECore(in, w);
        const double dOver = w.insulatedDiameterCm;
        w.fill =
            quotient(static_cast<double>(in.turns) * kPi * dOver * dOver / 4, in.windowAreaCm2);
        return {w, {}};
    } catch (const Fault& fault) {
        return unavailable<WindingFigures>(arithmeticFault(fault));
    }
}

// ---- Copper: wound mean turn, AC loss, hot resistance --------------------------------

double layerTurnLengthCm(const DesignCheckInput& in, double dOverCm, int layer) {
    const double buildUp = 8 * (layer - 0.5) * dOverCm;
    const CoreOutline& o = in.outline;
    if (in.shape == CoreShape::Toroid)
        return 2 * ((o.od - o.id) / 2 + o.ht) * kCmPerInch + buildUp;
    return 2 * (o.f + o.c) * kCmPerInch + buildUp;
}

// Over the layers laid out, which for a winding that fits are all of them.
double woundMeanTurnCm(const DesignCheckInput& in, const WindingFigures& w) {
    double length = 0;
    int layer = 0;
    for (const long turns : w.turnsPerLayer)
        length +=
            static_cast<double>(turns) * layerTurnLengthCm(in, w.insulatedDiameterCm, ++layer);
    return quotient(length, static_cast<double>(in.turns));
}

struct CopperAt {
    double resistanceOhm = 0;
    double fundamentalFr = 1;
    double dcLossW = 0;
    double acLossW = 0;
};

// The symmetric triangular ripple's odd harmonics, each with its own Dowell factor, on
// copper at temperatureC.
class HotCopper {
  public:
    HotCopper(const DesignCheckInput& in, const WindingFigures& w, double rdc20)
        : in_(in), w_(w), rdc20_(rdc20) {}

    CopperAt at(double temperatureC) const {
        const double factor = 1 + kCopperTempco * (temperatureC - 20);
        if (!(factor > 0))
            throw Fault(FaultKind::Overflow, "copper below absolute resistance zero");
        CopperAt c;
        c.resistanceOhm = rdc20_ * factor;
        c.dcLossW = in_.idcA * in_.idcA * c.resistanceOhm;
        if (!(in_.frequencyHz > 0))
            return c;
        const double rho = kCopperRho20 * factor;
        const double bareM = in_.wire->bareDiameterMm * 1e-3;
        const double overM = in_.wire->overallDiameterMm * 1e-3;
        for (int n = 1; n <= kHighestHarmonic; n += 2) {
            const double penetration =
                dowellPenetration(bareM, overM, skinDepthM(rho, n * in_.frequencyHz));
            const double fr = dowellFactor(penetration, w_.layers);
            if (n == 1)
                c.fundamentalFr = fr;
            const double irms = 4 * in_.iacPeakToPeakA / (kPi * kPi * n * n * std::sqrt(2.0));
            c.acLossW += checkedFinite(irms * irms * c.resistanceOhm * fr);
        }
        return c;
    }

  private:
    const DesignCheckInput& in_;
    const WindingFigures& w_;
    double rdc20_;
};

double temperatureRise(double lossW, double surfaceCm2) {
    return checkedPow(quotient(lossW * 1e3, kTempRiseSurfaceFactor * surfaceCm2),
                      kTempRiseExponent);
}

// T = Ta + ΔT(P(T)) from the design's own hot point until it settles.
void settleTemperature(const DesignCheckInput& in, const HotCopper& copper, CopperFigures& f) {
    double t = in.ambientC + in.designTempRiseC;
    bool settled = false;
    while (f.rounds < kMaxThermalRounds && !settled) {
        ++f.rounds;
        const CopperAt c = copper.at(t);
        const double next =
            in.ambientC + temperatureRise(c.dcLossW + c.acLossW + in.coreLossW, in.surfaceAreaCm2);
        settled = std::fabs(next - t) < kConvergedWithinC;
        t = next;
        if (t > kRunawayTemperatureC)
            break;
    }
    f.runaway = !settled || t > kRunawayTemperatureC;
    const CopperAt c = copper.at(t);
    f.rhotOhm = c.resistanceOhm;
    f.racOverRdcFundamental = c.fundamentalFr;
    f.copperLossDcW = c.dcLossW;
    f.copperLossAcW = c.acLossW;
    f.copperLossW = c.dcLossW + c.acLossW;
    f.rmsLossAtRdcW = in.irmsA * in.irmsA * c.resistanceOhm;
    f.totalLossW = f.copperLossW + in.coreLossW;
    f.hotTemperatureC = t;
    f.temperatureRiseC = t - in.ambientC;
}

CheckPart<CopperFigures> checkCopper(const DesignCheckInput& in,
                                     const CheckPart<WindingFigures>& winding) {
    if (!winding.available())
        return unavailable<CopperFigures>(winding.unavailableReason);
    if (in.copperDataProblem)
        return unavailable<CopperFigures>(*in.copperDataProblem);
    const WindingFigures& w = *winding.figures;
    if (!w.fits)
        return unavailable<CopperFigures>("the winding does not fit: " + w.doesNotFitReason);
    try {
        CopperFigures f;
        f.meanTurnCm = woundMeanTurnCm(in, w);
        f.rdc20Ohm =
            f.meanTurnCm * static_cast<double>(in.turns) * in.wire->resistance20OhmPerKm / kCmPerKm;
        settleTemperature(in, HotCopper(in, w, f.rdc20Ohm), f);
        return {f, {}};
    } catch (const Fault& fault) {
        return unavailable<CopperFigures>(arithmeticFault(fault));
    }
}

// ---- Verdicts ------------------------------------------------------------------------

CheckVerdict inductanceVerdict(const char* name, const char* at, double henry, double percent,
                               double passPercent, double warnPercent) {
    const std::string figure = std::string("L(") + at + ") = " + fixed(henry * 1e6, 2) + " µH, " +
                               fixed(percent, 1) + " % of the required L";
    if (percent >= passPercent)
        return {name, Verdict::Pass, figure};
    if (percent >= warnPercent)
        return {name, Verdict::Warning, figure + ", below " + fixed(passPercent, 0) + " %"};
    return {name, Verdict::Fail, figure + ", below " + fixed(warnPercent, 0) + " %"};
}

// The inductance at Ipk is the one at Idc less the further fall of the bias curve, so it
// may drop below the required L by its own margin; but it is never judged better than
// the inductance at Idc, which has the smaller shortfall.
CheckVerdict peakVerdict(const InductanceFigures& f, const CheckVerdict& atIdc) {
    CheckVerdict atIpk =
        inductanceVerdict("L at Ipk", "Ipk", f.atIpkH, f.atIpkPercent, kInductanceAtIpkPassPercent,
                          kInductanceAtIpkWarnPercent);
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
    out.push_back(inductanceVerdict("L at Idc", "Idc", f.atIdcH, f.atIdcPercent,
                                    kInductanceAtIdcPassPercent, kInductanceAtIdcWarnPercent));
    out.push_back(peakVerdict(f, out.back()));
}

void addWindingVerdicts(const DesignCheckInput& in, const CheckPart<WindingFigures>& part,
                        std::vector<CheckVerdict>& out) {
    if (!part.available()) {
        out.push_back({"Winding fits", Verdict::Unavailable, part.unavailableReason});
        out.push_back({"Fill", Verdict::Unavailable, part.unavailableReason});
        return;
    }
    const WindingFigures& w = *part.figures;
    if (w.fits)
        out.push_back({"Winding fits", Verdict::Pass,
                       std::to_string(in.turns) + " turns in " + std::to_string(w.layers) +
                           (w.layers == 1 ? " layer" : " layers")});
    else
        out.push_back({"Winding fits", Verdict::Fail, w.doesNotFitReason});
    const std::string fill = "fill " + fixed(w.fill, 3);
    const std::string ku = " Ku " + fixed(in.windowUtilisation, 2);
    if (w.fill <= in.windowUtilisation)
        out.push_back({"Fill", Verdict::Pass, fill + " within" + ku});
    else
        out.push_back({"Fill", Verdict::Warning, fill + " above" + ku});
}

void addTemperatureVerdict(const DesignCheckInput& in, const CheckPart<CopperFigures>& part,
                           std::vector<CheckVerdict>& out) {
    const char* name = "Hot temperature";
    if (!part.available()) {
        out.push_back({name, Verdict::Unavailable, part.unavailableReason});
        return;
    }
    const CopperFigures& f = *part.figures;
    const std::string limit = fixed(in.temperatureLimitC, 0) + " °C limit";
    if (f.runaway)
        out.push_back({name, Verdict::Fail, "thermal runaway"});
    else if (f.hotTemperatureC > in.temperatureLimitC)
        out.push_back(
            {name, Verdict::Fail, fixed(f.hotTemperatureC, 1) + " °C, above the " + limit});
    else
        out.push_back(
            {name, Verdict::Pass, fixed(f.hotTemperatureC, 1) + " °C, within the " + limit});
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
    check.winding = checkWinding(input);
    check.copper = checkCopper(input, check.winding);
    addInductanceVerdicts(check.inductance, check.verdicts);
    addWindingVerdicts(input, check.winding, check.verdicts);
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
