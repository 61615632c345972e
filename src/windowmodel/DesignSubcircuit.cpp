#include "windowmodel/DesignSubcircuit.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "check/CheckTexts.h"
#include "check/DeliveredTexts.h"
#include "converter/SiNumber.h"
#include "numeric/NumberText.h"
#include "physics/Constants.h"
#include "physics/Inductance.h"
#include "windowmodel/ModelTexts.h"

namespace coilsmith {

namespace {

using spice::SpiceModelError;

constexpr double kMetresPerCm = 1e-2;
constexpr double kMetresPerMm = 1e-3;
constexpr double kSquareMetresPerSquareCm = 1e-4;

std::string si(double value, std::string_view unit) {
    return spice::asciiText(converter::formatSi(value, unit));
}

std::string percent(double value) {
    return formatFixed(value, 1) + " %";
}

// The core in SI units as the check holds it (cm, cm², mm). Its volume is the effective
// volume Ve = Ae·le, which the inductance does not use.
physics::MagneticCore magneticCore(const DesignCheckInput& input) {
    physics::MagneticCore core;
    core.crossSectionM2 = input.acCm2 * kSquareMetresPerSquareCm;
    core.pathLengthM = input.lcCm * kMetresPerCm;
    core.volumeM3 = core.crossSectionM2 * core.pathLengthM;
    core.windowAreaM2 = input.windowAreaCm2 * kSquareMetresPerSquareCm;
    core.gapM = input.gapMm * kMetresPerMm;
    return core;
}

// The design's core on `stackCount` identical cores.
physics::MagneticCore stackedCore(const DesignCheckInput& input, int stackCount) {
    auto stacked = physics::stacked(magneticCore(input), stackCount);
    if (!stacked) {
        throw SpiceModelError("The design's core cannot be stacked: " + stacked.reason());
    }
    return *stacked;
}

std::string subcircuitName(const std::string& core, const std::string& material) {
    std::string name = spice::spiceName(core + "_" + material);
    // "T80_-45" reads "T80__45": one underscore between the parts is enough.
    name.erase(
        std::unique(name.begin(), name.end(), [](char a, char b) { return a == '_' && b == '_'; }),
        name.end());
    if (name.size() > 1 && name.back() == '_') {
        name.pop_back();
    }
    return name;
}

const DesignCheck& completedCheck(const ChokeModel& model) {
    if (!model.lastDesign() || !model.lastDesign()->completed() || !model.lastCheck() ||
        !model.lastCheckInput()) {
        throw SpiceModelError(kNoCompletedDesignToModel);
    }
    const DesignCheck& check = *model.lastCheck();
    if (!check.inductance.available()) {
        throw SpiceModelError("The design's inductance against current is not available: " +
                              check.inductance.unavailableReason);
    }
    return check;
}

std::string specificationLine(const DesignCheckInput& in) {
    return "Specification: L = " + si(in.requiredInductanceH, "H") +
           " at Idc = " + si(in.idcA, "A") + ", ripple " + si(in.iacPeakToPeakA, "A") + " p-p at " +
           si(in.frequencyHz, "Hz");
}

std::string inductancesLine(const std::string& what, double ambientC, double atZeroH,
                            double atZeroPercent, double atIdcH, double atIdcPercent, double atIpkH,
                            double atIpkPercent) {
    return what + " at " + formatFixed(ambientC, 1) + " C ambient: L(0) = " + si(atZeroH, "H") +
           " (" + percent(atZeroPercent) + "), L(Idc) = " + si(atIdcH, "H") + " (" +
           percent(atIdcPercent) + "), L(Ipk) = " + si(atIpkH, "H") + " (" + percent(atIpkPercent) +
           ") of the required L";
}

// The lines every model ends its header with: how L(I) is had, and what Rcore stands for.
void appendModelLines(std::vector<std::string>& lines, double airCoreH) {
    lines.push_back(
        "L(I) on the published DC-bias curve: mu0*mu*N^2*Ac/(gap*mu + lc), "
        "mu = mui*%mu(H)/100, never below the air-core");
    lines.push_back("inductance mu0*N^2*Ac/(lc + gap) = " + si(airCoreH, "H") +
                    " (mu = 1; the winding's own area, a little larger than Ac, is left out)");
}

void appendCoreLossLine(std::vector<std::string>& lines) {
    lines.push_back("Rcore at the specification's volt-seconds L*dI and a duty cycle of " +
                    converter::formatSignificant(kModelDutyCycle) +
                    " (the design holds no converter)");
}

void appendVerdicts(std::vector<std::string>& lines, const std::vector<CheckVerdictRow>& rows) {
    for (const CheckVerdictRow& verdict : rows) {
        lines.push_back("Check " + verdict.check + ": " + verdict.verdictText +
                        (verdict.reason.empty() ? "" : " - " + spice::asciiText(verdict.reason)));
    }
}

std::string coresText(int count) {
    return std::to_string(count) + (count == 1 ? " core" : " cores");
}

std::string designTitle(const SimulatorModelRequest& request, const std::string& how) {
    return "Coilsmith design " +
           (request.designName.empty() ? std::string("(not saved)") : request.designName) + ", " +
           how;
}

std::string coreLine(const ChokeModel& model, const DesignCheckInput& in, int stackCount,
                     long turns, int awg) {
    return std::string(in.shape == CoreShape::ECore ? "E-core " : "Toroid ") + model.text("Core") +
           " in " + model.text("CoreMat") + ", " + std::to_string(stackCount) +
           (stackCount == 1 ? " core, " : " cores stacked, ") + std::to_string(turns) +
           " turns of AWG " + std::to_string(awg);
}

std::vector<std::string> headerLines(const ChokeModel& model, const SimulatorModelRequest& request,
                                     const DesignCheck& check, double airCoreH) {
    const DesignCheckInput& in = *model.lastCheckInput();
    const InductanceFigures& l = *check.inductance.figures;
    std::vector<std::string> lines{
        designTitle(request, "as designed"), coreLine(model, in, 1, in.turns, in.awg),
        specificationLine(in),
        inductancesLine("Design check", in.ambientC, l.atZeroH, l.atZeroPercent, l.atIdcH,
                        l.atIdcPercent, l.atIpkH, l.atIpkPercent)};
    appendModelLines(lines, airCoreH);
    const double rdc20 = model.lastDesign()->numbers.resistanceOhm;
    if (check.copper.available()) {
        const CopperFigures& copper = *check.copper.figures;
        lines.push_back(
            "Rdc at 20 C = " + si(rdc20, "Ohm") + " (design), " + si(copper.rdc20Ohm, "Ohm") +
            " (check, the wound mean turn); Rw = " + si(copper.rhotOhm, "Ohm") + " hot, at " +
            formatFixed(copper.hotTemperatureC, 1) + " C where the check's copper settles");
    } else {
        lines.push_back("Rw = Rdc = " + si(rdc20, "Ohm") +
                        " at 20 C: the check's hot copper is unavailable (" +
                        check.copper.unavailableReason + ")");
    }
    appendCoreLossLine(lines);
    appendVerdicts(lines, checkTexts(check, in).verdicts);
    return lines;
}

// The delivered design beside the check, with every part a model needs.
const physics::DeliveredDesign& modelledDeliveredDesign(const ChokeModel& model) {
    const auto& delivered = model.lastDelivered();
    if (!delivered || !delivered->design) {
        throw SpiceModelError("There is no delivered design to model" +
                              (delivered ? ": " + delivered->problem : std::string()));
    }
    const physics::DeliveredDesign& design = *delivered->design;
    if (!design.inductance || !design.winding || !design.copper || !design.core) {
        throw SpiceModelError(
            "The delivered design on " + coresText(design.stackCount) +
            " cannot be modelled: " + design.problem.value_or("its winding does not go on"));
    }
    return design;
}

spice::ChokeModelInput deliveredModelInput(const ChokeModel& model,
                                           const SimulatorModelRequest& request) {
    completedCheck(model);
    const DesignCheckInput& in = *model.lastCheckInput();
    const physics::DeliveredDesign& design = modelledDeliveredDesign(model);
    const physics::DeliveredInductance& l = *design.inductance;
    const physics::DeliveredCopper& copper = *design.copper;
    spice::ChokeModelInput input;
    input.name = subcircuitName(model.text("Core"), model.text("CoreMat"));
    input.inductance = designInductanceCurve(in, l.turns, design.stackCount);
    input.airCoreInductanceH = airCoreInductanceH(in, l.turns, design.stackCount);
    input.dcCurrentA = in.idcA;
    input.ripplePeakToPeakA = in.iacPeakToPeakA;
    input.frequencyHz = in.frequencyHz;
    input.dutyCycle = kModelDutyCycle;
    input.rippleInductanceH = in.requiredInductanceH;
    input.windingResistanceOhm = copper.resistanceHotOhm;
    input.coreLossW = design.core->lossW;

    const std::string stack =
        model.deliveredStack().count ? "the stack chosen" : "the smallest stack that passes";
    std::vector<std::string>& lines = input.headerLines;
    lines.push_back(designTitle(
        request, "as delivered on " + coresText(design.stackCount) + " (" + stack + ")"));
    lines.push_back(coreLine(model, in, design.stackCount, l.turns, design.winding->awg));
    lines.push_back(specificationLine(in));
    lines.push_back(inductancesLine("Delivered design", in.ambientC, l.atZeroH, l.atZeroPercent,
                                    l.atIdcH, l.atIdcPercent, l.atIpkH, l.atIpkPercent));
    appendModelLines(lines, input.airCoreInductanceH);
    lines.push_back("Rdc at 20 C = " + si(copper.resistance20Ohm, "Ohm") +
                    " (the wound mean turn); Rw = " + si(copper.resistanceHotOhm, "Ohm") +
                    " hot, at " + formatFixed(copper.hotTemperatureC, 1) +
                    " C where the delivered design's copper settles");
    appendCoreLossLine(lines);
    if (const auto texts = deliveredTexts(model)) {
        appendVerdicts(lines, texts->verdicts);
    }
    return input;
}

}  // namespace

double airCoreInductanceH(const DesignCheckInput& input) {
    return airCoreInductanceH(input, input.turns, 1);
}

double airCoreInductanceH(const DesignCheckInput& input, long turns, int stackCount) {
    const physics::MagneticCore core = stackedCore(input, stackCount);
    const double n = static_cast<double>(turns);
    return physics::kMu0HPerM * n * n * core.crossSectionM2 / (core.pathLengthM + core.gapM);
}

spice::InductanceCurve designInductanceCurve(const DesignCheckInput& input) {
    return designInductanceCurve(input, input.turns, 1);
}

spice::InductanceCurve designInductanceCurve(const DesignCheckInput& input, long turns,
                                             int stackCount) {
    if (!input.biasCurve) {
        throw SpiceModelError("There is no published bias curve for material " + input.material);
    }
    const physics::BiasedMaterial material{
        input.muInitial, {input.biasCurve->a, input.biasCurve->b, input.biasCurve->c}};
    auto made = physics::InductanceModel::make(stackedCore(input, stackCount), material);
    if (!made) {
        throw SpiceModelError("The design's core or material cannot give an inductance: " +
                              made.reason());
    }
    const double airCoreH = airCoreInductanceH(input, turns, stackCount);
    return [model = std::move(made).value(), turns, airCoreH](double currentA) {
        return std::max(model.inductanceH(turns, currentA), airCoreH);
    };
}

spice::ChokeModelInput simulatorModelInput(const ChokeModel& model,
                                           const SimulatorModelRequest& request) {
    if (request.design == ModelledDesign::Delivered) {
        return deliveredModelInput(model, request);
    }
    const DesignCheck& check = completedCheck(model);
    const DesignCheckInput& in = *model.lastCheckInput();
    spice::ChokeModelInput input;
    input.name = subcircuitName(model.text("Core"), model.text("CoreMat"));
    input.inductance = designInductanceCurve(in);
    input.airCoreInductanceH = airCoreInductanceH(in);
    input.dcCurrentA = in.idcA;
    input.ripplePeakToPeakA = in.iacPeakToPeakA;
    input.frequencyHz = in.frequencyHz;
    input.dutyCycle = kModelDutyCycle;
    // The design's core loss is at the flux swing of the required L and ripple.
    input.rippleInductanceH = in.requiredInductanceH;
    input.windingResistanceOhm = check.copper.available()
                                     ? check.copper.figures->rhotOhm
                                     : model.lastDesign()->numbers.resistanceOhm;
    input.coreLossW = in.coreLossW;
    input.headerLines = headerLines(model, request, check, input.airCoreInductanceH);
    return input;
}

std::string simulatorModel(const ChokeModel& model, const SimulatorModelRequest& request) {
    return spice::writeChokeSubcircuit(simulatorModelInput(model, request));
}

}  // namespace coilsmith
