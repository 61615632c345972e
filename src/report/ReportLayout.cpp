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

std::vector<ReportLine> reportLines(const ReportTexts& t) {
    std::vector<ReportLine> lines{{
        {"Inductance Value:", t.Inductance},
        {"DC Current:", pair(t.DCC, t.DCunit)},
        {"AC Current:", pair(t.ACC, t.ACunit)},
        {"Switching Frequency:", pair(t.Freq, t.Funit)},
        {"Effective Permeability:", t.EffMu},
        {"Number of Turns:", t.NTurns},
        {"Wire AWG:", t.WAWG},
        {"DC Resistance:", t.DCR},
        {"Copper Loss:", t.CUL + " W"},
        {"Core Loss:", t.COL + " W"},
        {"Total Loss:", t.PTOT + " W"},
        {"Total Weight:", t.TWT + " g"},
        {"Temperature Rise:", t.TRISE + " deg. C"},
        {"Max. Flux Density, Bmax:", t.FDmax + " T"},
        {"Peak AC Flux Density, Bac:", t.FDac + " T"},
        {"DC Magnetizing Force, Hdc:", t.FIdc + "  AT/cm"},
        {"Current Density:", t.CDact + "  A/cm^2"},
        {"Core Number:", t.fCore},
        {"Relative Cost:", t.Price},
    }};
    // A warning is printed in the label column, where its words have room.
    for (const std::string& limit : t.limitWarnings) {
        lines.push_back({"Warning: " + limit, {}});
    }
    return lines;
}

std::string reportTitle(const std::string& fileName) {
    return "Coilsmith - " + fileName;
}

void layoutReport(Printer& printer, const std::string& fileName, const ReportTexts& texts) {
    layoutReport(printer, fileName, texts, std::nullopt);
}

void layoutReport(Printer& printer, const std::string& fileName, const ReportTexts& texts,
                  const std::optional<CheckReport>& check) {
    printer.setFontBold(true);
    printer.setFontName(kReportFont);
    printer.setFontSize(kReportFontSize);
    TextFlow flow(printer, kReportTop);

    // The title is centred without its closing full stop and printed with it; the rule
    // goes below its last line.
    const int titleLines = flow.centred(reportTitle(fileName), ".");
    flow.moveTo(kReportTop + kTitleRuleGap + static_cast<float>(titleLines) * flow.lineHeight());
    flow.rule();
    flow.skipLines(2);
    flow.centred(kReportHeading);
    flow.skipLines(3);
    bodyLines(flow, printer, reportLines(texts));

    if (check) {
        printer.newPage();
        layoutCheckPage(printer, *check);
    }
    printer.endDocument();
}

}  // namespace coilsmith
