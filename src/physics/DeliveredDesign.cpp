#include "physics/DeliveredDesign.h"

#include <cmath>

#include "physics/CopperLoss.h"
#include "physics/Inductance.h"
#include "physics/Ripple.h"
#include "physics/Thermal.h"
#include "physics/Weight.h"

namespace coilsmith::physics {

namespace {

constexpr double kPercent = 100;

bool finiteAtLeast(double value, double least) {
    return std::isfinite(value) && value >= least;
}

std::optional<Problem> specificationProblem(const ChokeSpecification& s) {
    if (!(std::isfinite(s.requiredInductanceH) && s.requiredInductanceH > 0))
        return problem("the required inductance is not a positive number");
    if (!finiteAtLeast(s.dcCurrentA, 0) || !finiteAtLeast(s.ripplePeakToPeakA, 0) ||
        !finiteAtLeast(s.rmsCurrentA, 0))
        return problem("a current of the specification is negative or not a number");
    if (!finiteAtLeast(s.frequencyHz, 0))
        return problem("the frequency is negative or not a number");
    if (!(std::isfinite(s.currentDensityAPerM2) && s.currentDensityAPerM2 > 0))
        return problem("the current density is not a positive number");
    if (!(std::isfinite(s.windowUtilisation) && s.windowUtilisation > 0))
        return problem("the window utilisation is not a positive number");
    return std::nullopt;
}

std::optional<Problem> materialProblem(const Material& m) {
    if (!m.biasCurve)
        return problem("no published bias curve for material " + m.name);
    if (!(std::isfinite(m.densityKgPerM3) && m.densityKgPerM3 > 0))
        return problem("the density of material " + m.name + " is not a positive number");
    return std::nullopt;
}

// One run of the stages on one stack; each stage fills its part or stops with the reason.
class Delivery {
  public:
    Delivery(const DeliveredDesignInput& input, const WireTable& wires, int stackCount)
        : in_(input), spec_(input.specification), wires_(wires) {
        d_.stackCount = stackCount;
    }

    DeliveredDesign run();

  private:
    std::optional<Problem> prepare();
    std::optional<Problem> findTurns();
    std::optional<Problem> lossInCore();
    std::optional<Problem> windCopper();
    std::optional<Problem> settleCopper();
    void addVerdicts();

    const DeliveredDesignInput& in_;
    const ChokeSpecification& spec_;
    const WireTable& wires_;
    DeliveredDesign d_;
    CoreOutline outline_;
    MagneticCore core_;
    std::optional<InductanceModel> model_;
};

DeliveredDesign Delivery::run() {
    for (auto stage : {&Delivery::prepare, &Delivery::findTurns, &Delivery::lossInCore,
                       &Delivery::windCopper, &Delivery::settleCopper}) {
        if (auto p = (this->*stage)()) {
            d_.problem = std::move(p->reason);
            break;
        }
    }
    addVerdicts();
    return std::move(d_);
}

std::optional<Problem> Delivery::prepare() {
    if (d_.stackCount < 1 || d_.stackCount > kMaxStackedCores)
        return problem("a stack takes 1 to " + std::to_string(kMaxStackedCores) + " cores, not " +
                       std::to_string(d_.stackCount));
    if (auto p = specificationProblem(spec_))
        return p;
    if (auto p = problemOf(in_.core.outline))
        return problem("core " + in_.core.name + ": " + p->reason);
    if (auto p = materialProblem(in_.material))
        return p;
    Result<CoreOutline> outline = stacked(in_.core.outline, d_.stackCount);
    Result<MagneticCore> core = stacked(in_.core.magnetic, d_.stackCount);
    if (!outline)
        return outline.problem();
    if (!core)
        return core.problem();
    outline_ = *outline;
    core_ = *core;
    Result<InductanceModel> model =
        InductanceModel::make(core_, {in_.material.initialPermeability, *in_.material.biasCurve});
    if (!model)
        return problem("core " + in_.core.name + " in " + in_.material.name + ": " +
                       model.reason());
    model_ = *model;
    return std::nullopt;
}

std::optional<Problem> Delivery::findTurns() {
    const Result<long> turns =
        fewestTurnsWalkingUp(*model_, spec_.dcCurrentA, spec_.requiredInductanceH);
    if (!turns)
        return turns.problem();
    d_.reachable = true;
    DeliveredInductance l;
    l.turns = *turns;
    l.atZeroH = model_->inductanceH(l.turns, 0);
    l.atIdcH = model_->inductanceH(l.turns, spec_.dcCurrentA);
    l.atIpkH =
        model_->inductanceH(l.turns, peakCurrentA(spec_.dcCurrentA, spec_.ripplePeakToPeakA));
    l.atZeroPercent = kPercent * l.atZeroH / spec_.requiredInductanceH;
    l.atIdcPercent = kPercent * l.atIdcH / spec_.requiredInductanceH;
    l.atIpkPercent = kPercent * l.atIpkH / spec_.requiredInductanceH;
    d_.inductance = l;
    return std::nullopt;
}

std::optional<Problem> Delivery::lossInCore() {
    const Result<double> b = acFluxDensityT(spec_.requiredInductanceH, spec_.ripplePeakToPeakA,
                                            d_.inductance->turns, core_.crossSectionM2);
    if (!b)
        return b.problem();
    const Result<double> density = coreLossDensityWPerM3(in_.material.loss, *b, spec_.frequencyHz);
    if (!density)
        return problem("material " + in_.material.name + ": " + density.reason());
    d_.core = DeliveredCore{*b, *density * core_.volumeM3,
                            coreWeightKg(in_.material.densityKgPerM3, core_.volumeM3)};
    return std::nullopt;
}

std::optional<Problem> Delivery::windCopper() {
    const Result<int> awg = wireGaugeFor(spec_.rmsCurrentA, spec_.currentDensityAPerM2);
    if (!awg)
        return awg.problem();
    const Result<Wire> wire = wires_.find(*awg);
    if (!wire)
        return wire.problem();
    if (auto p = problemOf(*wire))
        return problem("AWG " + std::to_string(*awg) + ": " + p->reason);
    const long turns = d_.inductance->turns;
    const double insulated = wire->insulatedDiameterM;
    Result<WindingLayout> layout = wind(turns, outline_, insulated);
    if (!layout)
        return layout.problem();
    const Result<double> fill = windingFill(turns, insulated, core_.windowAreaM2);
    if (!fill)
        return fill.problem();
    DeliveredWinding w{*awg, *wire, std::move(layout).value(), *fill, false, {}};
    const Verdict fillCheck = fillVerdict(w.fill, spec_.windowUtilisation);
    w.fits = w.layout.fits && fillCheck.level == VerdictLevel::Pass;
    if (!w.layout.fits)
        w.doesNotFitReason = w.layout.doesNotFitReason;
    else if (!w.fits)
        w.doesNotFitReason = fillCheck.reason;
    d_.fits = w.fits;
    d_.winding = std::move(w);
    return std::nullopt;
}

std::optional<Problem> Delivery::settleCopper() {
    const DeliveredWinding& w = *d_.winding;
    if (!w.layout.fits)
        return std::nullopt;  // not unavailable: the winding does not fit (see its verdict)
    const long turns = d_.inductance->turns;
    const Result<double> meanTurn =
        woundMeanTurnM(w.layout, innermostTurnM(outline_), w.wire.insulatedDiameterM);
    if (!meanTurn)
        return meanTurn.problem();
    const double surface = outerSurfaceM2(outline_);
    const WindingCopper copper{
        dcResistanceOhm(*meanTurn * static_cast<double>(turns), w.wire.resistance20OhmPerM), w.wire,
        w.layout.layers};
    const RippleCurrent current{spec_.dcCurrentA, spec_.ripplePeakToPeakA, spec_.frequencyHz};
    const Result<HotWinding> settled =
        settleHotWinding(copper, current, d_.core->lossW, in_.ambientC, in_.ambientC, surface);
    if (!settled)
        return settled.problem();
    const HotPoint& hot = settled->hot;
    const CopperLoss& c = settled->copper;
    DeliveredCopper f;
    f.woundMeanTurnM = *meanTurn;
    f.resistance20Ohm = copper.resistance20Ohm;
    f.resistanceHotOhm = c.resistanceOhm;
    f.fundamentalFr = c.fundamentalFr;
    f.copperLossDcW = c.dcLossW;
    f.copperLossAcW = c.acLossW;
    f.totalLossHotW = hot.lossW;
    f.temperatureRiseHotC = hot.riseC;
    f.hotTemperatureC = hot.temperatureC;
    f.rounds = hot.rounds;
    f.runaway = hot.runaway;
    f.copperWeightKg = copperWeightKg(*meanTurn, turns, bareAreaM2(w.wire));
    f.totalWeightKg = f.copperWeightKg + d_.core->weightKg;
    d_.copper = f;
    return std::nullopt;
}

void Delivery::addVerdicts() {
    std::vector<Verdict>& v = d_.verdicts;
    const std::string why = d_.problem.value_or("");
    if (d_.inductance) {
        v.push_back(inductanceAtIdcVerdict(d_.inductance->atIdcH, d_.inductance->atIdcPercent));
        v.push_back(inductanceAtIpkVerdict(d_.inductance->atIpkH, d_.inductance->atIpkPercent));
    } else if (model_) {  // the model ran: no turns reach L
        v.push_back({kInductanceAtIdcCheck, VerdictLevel::Fail, why});
        v.push_back(unavailableVerdict(kInductanceAtIpkCheck, why));
    } else {
        v.push_back(unavailableVerdict(kInductanceAtIdcCheck, why));
        v.push_back(unavailableVerdict(kInductanceAtIpkCheck, why));
    }
    if (d_.winding) {
        v.push_back(windingFitsVerdict(d_.inductance->turns, d_.winding->layout));
        v.push_back(fillVerdict(d_.winding->fill, spec_.windowUtilisation));
    } else {
        v.push_back(unavailableVerdict(kWindingFitsCheck, why));
        v.push_back(unavailableVerdict(kFillCheck, why));
    }
    if (d_.copper) {
        v.push_back(
            hotTemperatureVerdict({d_.copper->hotTemperatureC, d_.copper->temperatureRiseHotC,
                                   d_.copper->totalLossHotW, d_.copper->rounds, d_.copper->runaway},
                                  in_.temperatureLimitC));
    } else if (d_.winding && !d_.winding->layout.fits) {
        v.push_back(unavailableVerdict(
            kHotTemperatureCheck, "the winding does not fit: " + d_.winding->doesNotFitReason));
    } else {
        v.push_back(unavailableVerdict(kHotTemperatureCheck, why));
    }
}

}  // namespace

bool DeliveredDesign::passes() const noexcept {
    return reachable && fits && verdictsPass(verdicts);
}

DeliveredDesign deliverDesign(const DeliveredDesignInput& input, const WireTable& wires,
                              int stackCount) {
    return Delivery(input, wires, stackCount).run();
}

std::optional<DeliveredDesign> smallestPassingStack(const DeliveredDesignInput& input,
                                                    const WireTable& wires, int maxStackCount) {
    const int last = std::min(maxStackCount, kMaxStackedCores);
    for (int k = 1; k <= last; ++k) {
        DeliveredDesign d = deliverDesign(input, wires, k);
        if (d.passes())
            return d;
    }
    return std::nullopt;
}

}  // namespace coilsmith::physics
