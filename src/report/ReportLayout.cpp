#include "report/ReportLayout.h"

#include <cmath>

#include "report/CheckReport.h"

namespace coilsmith {

namespace {

float finite(float value) {
    if (!std::isfinite(value)) {
        throw PrinterError("the printer reported a size that is not a number");
    }
    return value;
}

// Centred on the full page width; widths and half widths stay single precision.
float centredX(Printer& printer, float pageWidth, const std::string& text) {
    return finite(pageWidth / 2.0f - finite(printer.textWidth(text)) / 2.0f);
}

std::string pair(const std::string& first, const std::string& second) {
    return first + " " + second;
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
    float y = kReportTop;
    printer.setFontBold(true);
    printer.setFontName(kReportFont);
    printer.setFontSize(kReportFontSize);

    // The title is centred without its closing full stop and printed with it.
    const std::string title = reportTitle(fileName);
    const float pageWidth = finite(printer.pageWidth());
    printer.setCurrentX(centredX(printer, pageWidth, title));
    printer.setCurrentY(y);
    printer.printLine(title + ".");

    y = finite(y + kTitleRuleGap + finite(printer.textHeight(title)));
    printer.setCurrentY(y);
    printer.drawLine(0.0f, y, pageWidth, y, 0);
    printer.printEmptyLine();
    printer.printEmptyLine();

    printer.setCurrentX(centredX(printer, pageWidth, kReportHeading));
    printer.printLine(kReportHeading);
    printer.printEmptyLine();
    printer.printEmptyLine();
    printer.printEmptyLine();

    const auto lines = reportLines(texts);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        printer.printAtColumn(kLabelColumn, lines[i].label);
        printer.printAtColumn(kValueColumn, lines[i].value);
        printer.endLine();
        if (i + 1 < lines.size()) {
            printer.printEmptyLine();
        }
    }
    if (check) {
        printer.newPage();
        layoutCheckPage(printer, *check);
    }
    printer.endDocument();
}

}  // namespace coilsmith
