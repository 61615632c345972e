#include "report/CheckReport.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "model/ChokeModel.h"
#include "report/ReportLayout.h"

namespace coilsmith {

namespace {

// Colours as the printer takes them, 0x00BBGGRR.
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kGrid = 0xD0D0D0;
constexpr std::uint32_t kCurveColour = 0xAA5A1E;     // blue
constexpr std::uint32_t kRequiredColour = 0x1E3CC8;  // red
constexpr std::uint32_t kIdcColour = 0x3C8C3C;       // green
constexpr std::uint32_t kIpkColour = 0xA05096;       // purple

// The chart stands right of the figure table; values longer than this wrap so that they
// stay left of it.
constexpr float kChartLeftOfPage = 0.58f;
constexpr float kChartLabelRoom = 700.0f;  // twips left of the plot for the L tick labels
constexpr float kChartRightMargin = 150.0f;
constexpr float kPlotHeight = 3600.0f;
constexpr float kTick = 60.0f;
constexpr float kLegendSample = 300.0f;
constexpr std::size_t kValueWidth = 20;  // characters of a value on one line

float finite(float value) {
    if (!std::isfinite(value)) {
        throw PrinterError("the printer reported a size that is not a number");
    }
    return value;
}

// Words up to `width` characters a line; a longer word keeps a line of its own.
std::vector<std::string> wrapped(const std::string& text, std::size_t width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word;
    std::string line;
    while (words >> word) {
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty() || lines.empty())
        lines.push_back(line);
    return lines;
}

std::string tickText(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

// The page layout keeps its own vertical position: printing moves the printer's, and the
// chart is drawn beside the table.
class CheckPageLayout {
  public:
    CheckPageLayout(Printer& printer, const CheckReport& check)
        : p_(printer), check_(check), pageWidth_(finite(printer.pageWidth())) {}

    void lay() {
        heading();
        p_.setFontBold(false);
        p_.setFontSize(kCheckFontSize);
        lineHeight_ = finite(p_.textHeight("Ag"));
        const float tableTop = y_;
        float chartBottom = tableTop;
        if (!check_.curve.empty())
            chartBottom = chart(tableTop);
        figureTable();
        y_ = std::max(y_, chartBottom) + lineHeight_;
        verdicts();
    }

  private:
    void heading() {
        p_.setFontBold(true);
        p_.setFontName(kReportFont);
        p_.setFontSize(kReportFontSize);
        const float width = finite(p_.textWidth(kCheckPageHeading));
        printAt(finite(pageWidth_ / 2.0f - width / 2.0f), kReportTop, kCheckPageHeading);
        y_ = finite(kReportTop + kTitleRuleGap + finite(p_.textHeight(kCheckPageHeading)));
        p_.drawLine(0.0f, y_, pageWidth_, y_, kBlack);
        y_ += finite(p_.textHeight(kCheckPageHeading));
    }

    void printAt(float x, float y, const std::string& text) {
        p_.setCurrentX(x);
        p_.setCurrentY(y);
        p_.printLine(text);
    }

    // Starts a table line at the layout's position.
    void startLine() {
        p_.setCurrentX(0.0f);
        p_.setCurrentY(y_);
    }
    void endLine() {
        p_.endLine();
        y_ += lineHeight_;
    }

    void figureTable() {
        std::string part;
        for (const CheckFigureRow& row : check_.texts.figures) {
            if (row.part != part) {
                part = row.part;
                p_.setFontBold(true);
                startLine();
                p_.printAtColumn(kCheckPartColumn, part);
                endLine();
                p_.setFontBold(false);
            }
            const std::string value = row.unit.empty() ? row.value : row.value + " " + row.unit;
            const auto lines = wrapped(value, kValueWidth);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                startLine();
                if (i == 0)
                    p_.printAtColumn(kCheckLabelColumn, row.label);
                p_.printAtColumn(kCheckValueColumn, lines[i]);
                endLine();
            }
        }
    }

    void verdicts() {
        p_.setFontBold(true);
        startLine();
        p_.printAtColumn(kCheckPartColumn, "Verdicts");
        endLine();
        p_.setFontBold(false);
        for (const CheckVerdictRow& row : check_.texts.verdicts) {
            const auto lines = wrapped(row.reason, kVerdictReasonWidth);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                startLine();
                if (i == 0) {
                    p_.printAtColumn(kCheckLabelColumn, row.check);
                    p_.printAtColumn(kVerdictColumn, row.verdictText);
                }
                p_.printAtColumn(kVerdictReasonColumn, lines[i]);
                endLine();
            }
        }
    }

    // The L(I) chart from `top`; returns the bottom of its legend.
    float chart(float top) {
        const InductanceUnit unit = inductanceUnit(check_.requiredInductanceH);
        double highestL = check_.requiredInductanceH;
        for (const CurvePoint& point : check_.curve)
            highestL = std::max(highestL, point.inductanceH);
        const RoundAxis currents = roundAxis(check_.curve.back().currentA);
        const RoundAxis inductances = roundAxis(highestL * unit.perHenry);

        left_ = finite(pageWidth_ * kChartLeftOfPage + kChartLabelRoom);
        right_ = finite(pageWidth_ - kChartRightMargin);
        top_ = top + 1.5f * lineHeight_;  // room for the axis title above
        bottom_ = top_ + kPlotHeight;
        xTop_ = currents.top;
        yTop_ = inductances.top;

        printAt(left_ - kChartLabelRoom, top, std::string("L (") + unit.name + ")");
        grid(currents, inductances);
        polyline(unit);
        const double required = check_.requiredInductanceH * unit.perHenry;
        dashed(0, required, xTop_, required, kRequiredColour);
        dashed(check_.idcA, 0, check_.idcA, yTop_, kIdcColour);
        dashed(check_.ipkA, 0, check_.ipkA, yTop_, kIpkColour);

        float y = bottom_ + kTick + lineHeight_;
        const std::string axisTitle = "Current (A)";
        printAt((left_ + right_) / 2.0f - finite(p_.textWidth(axisTitle)) / 2.0f, y, axisTitle);
        y += lineHeight_;
        const std::pair<std::uint32_t, std::string> legend[] = {
            {kCurveColour, "L(I) from the published bias curve"},
            {kRequiredColour, "Required L = " + significantText(required) + " " + unit.name},
            {kIdcColour, "Idc = " + significantText(check_.idcA) + " A"},
            {kIpkColour, "Ipk = " + significantText(check_.ipkA) + " A"},
        };
        for (const auto& [colour, text] : legend) {
            const float middle = y + lineHeight_ / 2.0f;
            p_.drawLine(left_, middle, left_ + kLegendSample, middle, colour);
            printAt(left_ + kLegendSample + kTick, y, text);
            y += lineHeight_;
        }
        return y;
    }

    void grid(const RoundAxis& currents, const RoundAxis& inductances) {
        for (int i = 0; i <= currents.intervals(); ++i) {
            const double current = i * currents.step;
            const float x = toX(current);
            p_.drawLine(x, top_, x, bottom_, kGrid);
            p_.drawLine(x, bottom_, x, bottom_ + kTick, kBlack);
            const std::string text = tickText(current);
            printAt(x - finite(p_.textWidth(text)) / 2.0f, bottom_ + kTick, text);
        }
        for (int i = 0; i <= inductances.intervals(); ++i) {
            const double inductance = i * inductances.step;
            const float y = toY(inductance);
            p_.drawLine(left_, y, right_, y, kGrid);
            p_.drawLine(left_ - kTick, y, left_, y, kBlack);
            const std::string text = tickText(inductance);
            printAt(left_ - 2 * kTick - finite(p_.textWidth(text)), y - lineHeight_ / 2.0f, text);
        }
        p_.drawLine(left_, top_, right_, top_, kBlack);
        p_.drawLine(right_, top_, right_, bottom_, kBlack);
        p_.drawLine(right_, bottom_, left_, bottom_, kBlack);
        p_.drawLine(left_, bottom_, left_, top_, kBlack);
    }

    void polyline(const InductanceUnit& unit) {
        for (std::size_t i = 1; i < check_.curve.size(); ++i) {
            const CurvePoint& a = check_.curve[i - 1];
            const CurvePoint& b = check_.curve[i];
            p_.drawLine(toX(a.currentA), toY(a.inductanceH * unit.perHenry), toX(b.currentA),
                        toY(b.inductanceH * unit.perHenry), kCurveColour);
        }
    }

    // A dashed line in chart units, so that the marks read apart on a black-and-white page.
    void dashed(double x1, double y1, double x2, double y2, std::uint32_t colour) {
        constexpr int kDashes = 24;
        for (int i = 0; i < kDashes; ++i) {
            const double from = static_cast<double>(2 * i) / (2 * kDashes - 1);
            const double to = static_cast<double>(2 * i + 1) / (2 * kDashes - 1);
            p_.drawLine(toX(x1 + (x2 - x1) * from), toY(y1 + (y2 - y1) * from),
                        toX(x1 + (x2 - x1) * to), toY(y1 + (y2 - y1) * to), colour);
        }
    }

    float toX(double current) const {
        return finite(left_ + static_cast<float>(current / xTop_) * (right_ - left_));
    }
    float toY(double inductance) const {
        return finite(bottom_ - static_cast<float>(inductance / yTop_) * (bottom_ - top_));
    }

    Printer& p_;
    const CheckReport& check_;
    float pageWidth_;
    float lineHeight_ = 0;
    float y_ = 0;
    float left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;
    double xTop_ = 1, yTop_ = 1;
};

}  // namespace

std::optional<CheckReport> checkReport(const ChokeModel& model) {
    std::optional<CheckTexts> texts = checkTexts(model);
    if (!texts)
        return std::nullopt;
    const DesignCheckInput& input = *model.lastCheckInput();
    CheckReport report{std::move(*texts),
                       {},
                       input.requiredInductanceH,
                       input.idcA,
                       input.idcA + input.iacPeakToPeakA / 2};
    if (const auto& inductance = model.lastCheck()->inductance; inductance.available())
        report.curve.assign(inductance.figures->curve.begin(), inductance.figures->curve.end());
    return report;
}

void layoutCheckPage(Printer& printer, const CheckReport& check) {
    CheckPageLayout(printer, check).lay();
}

}  // namespace coilsmith
