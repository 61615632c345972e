#include "windowmodel/ModelTexts.h"

#include "windowmodel/ChokeModel.h"

namespace coilsmith {

namespace {

// The report prints what the boxes show: the results the formatter made at the last Run,
// or the texts the boxes kept where it could make none.
DesignResultTexts shownResults(const ChokeModel& model) {
    const auto box = [&model](const char* name) { return model.text(name); };
    DesignResultTexts r;
    r.inductance = box("Inductance");
    r.effectivePermeability = box("EffMu");
    r.turns = box("NTurns");
    r.wireGauge = box("WAWG");
    r.resistance = box("DCR");
    r.copperLoss = box("CUL");
    r.coreLoss = box("COL");
    r.totalLoss = box("PTOT");
    r.totalWeight = box("TWT");
    r.temperatureRise = box("TRISE");
    r.peakFluxDensity = box("FDmax");
    r.acFluxDensity = box("FDac");
    r.dcField = box("FIdc");
    r.currentDensity = box("CDact");
    r.coreAndMaterial = box("fCore");
    r.relativeCost = box("Price");
    return r;
}

std::optional<CheckReport> checkReport(const ChokeModel& model) {
    std::optional<CheckTexts> texts = checkTexts(model);
    if (!texts)
        return std::nullopt;
    const DesignCheckInput& input = *model.lastCheckInput();
    CheckReport report;
    report.texts = std::move(*texts);
    report.requiredInductanceH = input.requiredInductanceH;
    report.idcA = input.idcA;
    report.ipkA = input.idcA + input.iacPeakToPeakA / 2;
    report.delivered = deliveredTexts(model);
    if (const auto& inductance = model.lastCheck()->inductance; inductance.available())
        report.curve.assign(inductance.figures->curve.begin(), inductance.figures->curve.end());
    if (model.lastDelivered()) {
        for (const physics::InductancePoint& p : model.lastDelivered()->curve)
            report.deliveredCurve.push_back({p.currentA, p.inductanceH});
    }
    return report;
}

}  // namespace

std::optional<CheckTexts> checkTexts(const ChokeModel& model) {
    if (!model.lastCheck() || !model.lastCheckInput())
        return std::nullopt;
    return checkTexts(*model.lastCheck(), *model.lastCheckInput());
}

std::optional<DeliveredTexts> deliveredTexts(const ChokeModel& model) {
    const std::optional<CheckTexts> check = checkTexts(model);
    if (!check || !model.lastDelivered())
        return std::nullopt;
    return deliveredTexts(*check, *model.lastCheckInput(), *model.lastDelivered());
}

ReportContent reportContent(const ChokeModel& model, const std::string& fileName) {
    ReportContent content;
    content.fileName = fileName;
    content.specification = {model.text("DCC"),    model.text("DCunit"), model.text("ACC"),
                             model.text("ACunit"), model.text("Freq"),   model.text("Funit")};
    content.results = shownResults(model);
    content.limitWarnings = model.exceededLimits();
    content.check = checkReport(model);
    return content;
}

}  // namespace coilsmith
