#include "report/ReportLayout.h"

#include "report/CheckReport.h"
#include "report/TextFlow.h"

namespace coilsmith {

namespace {

std::string pair(const std::string& first, const std::string& second) {
    return first + " " + second;
}

// The room a value asks for: the value column moves left of its usual place to give its
// widest value up to this many columns; a wider value wraps.
constexpr int kValueColumnsNeeded = 20;

// Labels at column 20 and values at column 70, an empty line between two lines. Where a
// label or value is too wide for that, the columns move as little as lets it fit.
template <typename Lines>
void bodyLines(TextFlow& flow, Printer& printer, const Lines& lines) {
    std::vector<std::string> labels, values;
    for (const ReportLine& line : lines) {
        labels.push_back(line.label);
        values.push_back(line.value);
    }
    const float pageWidth = checkedSize(printer.pageWidth());
    const float columnWidth = flow.columnWidth();
    const std::vector<int> columns = fitColumns(
        {kLabelColumn, kValueColumn}, {widestText(printer, labels), widestText(printer, values)},
        columnWidth, pageWidth, kValueColumnsNeeded * columnWidth);
    bool first = true;
    for (const ReportLine& line : lines) {
        if (!first) {
            flow.skipLines(1);
        }
        first = false;
        flow.row({{columns[0], line.label}, {columns[1], line.value}}, pageWidth);
    }
}

}  // namespace

std::vector<ReportLine> reportLines(const ReportContent& content) {
    const EnteredSpecification& s = content.specification;
    const DesignResultTexts& r = content.results;
    const auto text = [](const std::optional<std::string>& result) { return result.value_or(""); };
    std::vector<ReportLine> lines{{
        {"Inductance Value:", text(r.inductance)},
        {"DC Current:", pair(s.dcCurrent, s.dcCurrentUnit)},
        {"AC Current:", pair(s.rippleCurrent, s.rippleCurrentUnit)},
        {"Switching Frequency:", pair(s.frequency, s.frequencyUnit)},
        {"Effective Permeability:", text(r.effectivePermeability)},
        {"Number of Turns:", text(r.turns)},
        {"Wire AWG:", text(r.wireGauge)},
        {"DC Resistance:", text(r.resistance)},
        {"Copper Loss:", text(r.copperLoss) + " W"},
        {"Core Loss:", text(r.coreLoss) + " W"},
        {"Total Loss:", text(r.totalLoss) + " W"},
        {"Total Weight:", text(r.totalWeight) + " g"},
        {"Temperature Rise:", text(r.temperatureRise) + " deg. C"},
        {"Max. Flux Density, Bmax:", text(r.peakFluxDensity) + " T"},
        {"Peak AC Flux Density, Bac:", text(r.acFluxDensity) + " T"},
        {"DC Magnetizing Force, Hdc:", text(r.dcField) + "  AT/cm"},
        {"Current Density:", text(r.currentDensity) + "  A/cm^2"},
        {"Core Number:", text(r.coreAndMaterial)},
        {"Relative Cost:", text(r.relativeCost)},
    }};
    // A warning is printed in the label column, where its words have room.
    for (const std::string& limit : content.limitWarnings) {
        lines.push_back({"Warning: " + limit, {}});
    }
    return lines;
}

std::string reportTitle(const std::string& fileName) {
    return "Coilsmith - " + fileName;
}

void layoutReport(Printer& printer, const ReportContent& content) {
    printer.setFontBold(true);
    printer.setFontName(kReportFont);
    printer.setFontSize(kReportFontSize);
    TextFlow flow(printer, kReportTop);

    // The title is centred without its closing full stop and printed with it; the rule
    // goes below its last line.
    const int titleLines = flow.centred(reportTitle(content.fileName), ".");
    flow.moveTo(kReportTop + kTitleRuleGap + static_cast<float>(titleLines) * flow.lineHeight());
    flow.rule();
    flow.skipLines(2);
    flow.centred(kReportHeading);
    flow.skipLines(3);
    bodyLines(flow, printer, reportLines(content));

    if (content.check) {
        printer.newPage();
        layoutCheckPage(printer, *content.check);
    }
    printer.endDocument();
}

}  // namespace coilsmith
