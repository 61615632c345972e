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
    const SpecificationTexts& s = content.specification;
    const DesignResultTexts& r = content.results;
    const auto text = [](const std::optional<std::string>& result) { return result.value_or(""); };
    std::vector<ReportLine> lines{{
        {"Inductance Value:", text(r.Inductance)},
        {"DC Current:", pair(s.dcCurrent, s.dcCurrentUnit)},
        {"AC Current:", pair(s.rippleCurrent, s.rippleCurrentUnit)},
        {"Switching Frequency:", pair(s.frequency, s.frequencyUnit)},
        {"Effective Permeability:", text(r.EffMu)},
        {"Number of Turns:", text(r.NTurns)},
        {"Wire AWG:", text(r.WAWG)},
        {"DC Resistance:", text(r.DCR)},
        {"Copper Loss:", text(r.CUL) + " W"},
        {"Core Loss:", text(r.COL) + " W"},
        {"Total Loss:", text(r.PTOT) + " W"},
        {"Total Weight:", text(r.TWT) + " g"},
        {"Temperature Rise:", text(r.TRISE) + " deg. C"},
        {"Max. Flux Density, Bmax:", text(r.FDmax) + " T"},
        {"Peak AC Flux Density, Bac:", text(r.FDac) + " T"},
        {"DC Magnetizing Force, Hdc:", text(r.FIdc) + "  AT/cm"},
        {"Current Density:", text(r.CDact) + "  A/cm^2"},
        {"Core Number:", text(r.fCore)},
        {"Relative Cost:", text(r.Price)},
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
