#include "report/CheckReport.h"

#include <algorithm>
#include <sstream>

#include "report/ReportLayout.h"
#include "report/TextFlow.h"

namespace coilsmith {

namespace {

// Colours as the printer takes them, 0x00BBGGRR.
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kGrid = 0xD0D0D0;
constexpr std::uint32_t kCurveColour = 0xAA5A1E;      // blue
constexpr std::uint32_t kDeliveredColour = 0x969614;  // teal
constexpr std::uint32_t kRequiredColour = 0x1E3CC8;   // red
constexpr std::uint32_t kIdcColour = 0x3C8C3C;        // green
constexpr std::uint32_t kIpkColour = 0xA05096;        // purple

// The chart stands right of the figure table, from this share of the page width.
constexpr float kChartLeftOfPage = 0.58f;
constexpr float kChartLabelRoom = 700.0f;    // least room left of the plot for the L tick labels
constexpr float kChartRightMargin = 150.0f;  // least room right of the plot
constexpr float kPlotHeight = 3600.0f;
constexpr float kTick = 60.0f;
constexpr float kLegendSample = 300.0f;
// The room a value or a reason asks for: its column moves left of its usual place to
// give its widest text up to this many columns; a wider text wraps.
constexpr int kValueColumnsNeeded = 20;
constexpr int kReasonColumnsNeeded = 40;

std::string tickText(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string withUnit(const std::string& value, const std::string& unit) {
    return unit.empty() || value.empty() ? value : value + " " + unit;
}

// The page layout keeps its own vertical position: printing moves the printer's, and the
// chart is drawn beside the table.
class CheckPageLayout {
  public:
    CheckPageLayout(Printer& printer, const CheckReport& check)
        : p_(printer),
          check_(check),
          flow_(printer, kReportTop),
          pageWidth_(checkedSize(printer.pageWidth())) {}

    void lay() {
        heading();
        p_.setFontBold(false);
        p_.setFontSize(kCheckFontSize);
        lineHeight_ = flow_.lineHeight();
        const float tableTop = flow_.y();
        float tableRight = pageWidth_;
        float chartBottom = tableTop;
        if (!check_.curve.empty()) {
            const float chartLeft = pageWidth_ * kChartLeftOfPage;
            tableRight = chartLeft - static_cast<float>(kColumnGap) * flow_.columnWidth();
            chartBottom = chart(chartLeft, tableTop);
        }
        figureTable(tableRight);
        if (flow_.page() == 0) {
            flow_.moveTo(std::max(flow_.y(), chartBottom));
        }
        flow_.skipLines(1);
        verdicts("Verdicts", check_.texts.verdicts);
        if (check_.delivered) {
            flow_.skipLines(1);
            verdicts("Delivered design verdicts", check_.delivered->verdicts);
            flow_.skipLines(1);
            flow_.row({{kCheckLabelColumn, check_.delivered->summary}}, pageWidth_);
        }
    }

  private:
    void heading() {
        p_.setFontBold(true);
        p_.setFontName(kReportFont);
        p_.setFontSize(kReportFontSize);
        flow_.centred(kCheckPageHeading);
        flow_.moveTo(kReportTop + kTitleRuleGap + flow_.lineHeight());
        flow_.rule();
        flow_.skipLines(1);
    }

    void printAt(float x, float y, const std::string& text) {
        p_.setCurrentX(x);
        p_.setCurrentY(y);
        p_.printLine(text);
    }

    // A part's heading, kept on a page with the first row below it and as far left of
    // the rows' first column as usual.
    void partHeading(const std::string& part, int firstColumn, float right) {
        flow_.keepLines(2);
        p_.setFontBold(true);
        const int column = std::max(1, firstColumn - (kCheckLabelColumn - kCheckPartColumn));
        flow_.row({{column, part}}, right);
        p_.setFontBold(false);
    }

    // The figures as designed and, when there is a delivered design, beside them the
    // delivered ones under two column headings.
    void figureTable(float right) {
        std::vector<std::string> labels, designed, delivered;
        const bool twoColumns = check_.delivered.has_value();
        if (twoColumns) {
            for (const ComparedFigureRow& row : check_.delivered->figures) {
                labels.push_back(row.label);
                designed.push_back(withUnit(row.designed, row.unit));
                delivered.push_back(withUnit(row.delivered, row.unit));
            }
        } else {
            for (const CheckFigureRow& row : check_.texts.figures) {
                labels.push_back(row.label);
                designed.push_back(withUnit(row.value, row.unit));
            }
        }
        const float columnWidth = flow_.columnWidth();
        std::vector<int> usual = {kCheckLabelColumn, kCheckValueColumn};
        std::vector<float> widest = {widestText(p_, labels), widestText(p_, designed)};
        if (twoColumns) {
            usual.push_back(kDeliveredValueColumn);
            widest.back() = std::max(widest.back(), widestText(p_, {"As designed"}));
            widest.push_back(std::max(widestText(p_, delivered), widestText(p_, {"Delivered"})));
        }
        const std::vector<int> columns =
            fitColumns(usual, widest, columnWidth, right, kValueColumnsNeeded * columnWidth);
        if (twoColumns) {
            p_.setFontBold(true);
            flow_.row({{columns[1], "As designed"}, {columns[2], "Delivered"}}, right);
            p_.setFontBold(false);
        }
        std::string part;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const std::string& rowPart =
                twoColumns ? check_.delivered->figures[i].part : check_.texts.figures[i].part;
            if (i == 0 || rowPart != part) {
                part = rowPart;
                partHeading(part, columns[0], right);
            }
            std::vector<TableCell> cells = {{columns[0], labels[i]}, {columns[1], designed[i]}};
            if (twoColumns)
                cells.push_back({columns[2], delivered[i]});
            flow_.row(cells, right);
        }
    }

    void verdicts(const std::string& heading, const std::vector<CheckVerdictRow>& rows) {
        std::vector<std::string> checks, words, reasons;
        for (const CheckVerdictRow& row : rows) {
            checks.push_back(row.check);
            words.push_back(row.verdictText);
            reasons.push_back(row.reason);
        }
        const float columnWidth = flow_.columnWidth();
        const std::vector<int> columns =
            fitColumns({kCheckLabelColumn, kVerdictColumn, kVerdictReasonColumn},
                       {widestText(p_, checks), widestText(p_, words), widestText(p_, reasons)},
                       columnWidth, pageWidth_, kReasonColumnsNeeded * columnWidth);
        partHeading(heading, columns[0], pageWidth_);
        for (const CheckVerdictRow& row : rows) {
            flow_.row(
                {{columns[0], row.check}, {columns[1], row.verdictText}, {columns[2], row.reason}},
                pageWidth_);
        }
    }

    // The L(I) chart from (`chartLeft`, `top`) to the page's right edge; returns the bottom
    // of its legend. The tick labels and the legend are measured so that they stay on the page.
    float chart(float chartLeft, float top) {
        const InductanceUnit unit = inductanceUnit(check_.requiredInductanceH);
        double highestL = check_.requiredInductanceH;
        double highestI = check_.curve.back().currentA;
        for (const auto* curve : {&check_.curve, &check_.deliveredCurve}) {
            for (const CurvePoint& point : *curve) {
                highestL = std::max(highestL, point.inductanceH);
                highestI = std::max(highestI, point.currentA);
            }
        }
        const RoundAxis currents = roundAxis(highestI);
        const RoundAxis inductances = roundAxis(highestL * unit.perHenry);

        const float labelRoom =
            std::max(kChartLabelRoom, widestText(p_, tickTexts(inductances)) + 2 * kTick);
        const float lastCurrentHalf = widestText(p_, {tickTexts(currents).back()}) / 2.0f;
        left_ = checkedSize(chartLeft + labelRoom);
        right_ = checkedSize(pageWidth_ - std::max(kChartRightMargin, lastCurrentHalf));
        top_ = top + 1.5f * lineHeight_;  // room for the axis title above
        bottom_ = top_ + kPlotHeight;
        xTop_ = currents.top;
        yTop_ = inductances.top;

        printAt(chartLeft, top, std::string("L (") + unit.name + ")");
        grid(currents, inductances);
        polyline(check_.curve, unit, kCurveColour);
        polyline(check_.deliveredCurve, unit, kDeliveredColour);
        const double required = check_.requiredInductanceH * unit.perHenry;
        dashed(0, required, xTop_, required, kRequiredColour);
        dashed(check_.idcA, 0, check_.idcA, yTop_, kIdcColour);
        dashed(check_.ipkA, 0, check_.ipkA, yTop_, kIpkColour);

        float y = bottom_ + kTick + lineHeight_;
        const std::string axisTitle = "Current (A)";
        printAt((left_ + right_) / 2.0f - checkedSize(p_.textWidth(axisTitle)) / 2.0f, y,
                axisTitle);
        y += lineHeight_;
        const bool delivered = !check_.deliveredCurve.empty();
        std::vector<std::pair<std::uint32_t, std::string>> legend = {
            {kCurveColour,
             std::string(delivered ? "As designed: " : "") + "L(I) from the published bias curve"},
            {kRequiredColour, "Required L = " + significantText(required) + " " + unit.name},
            {kIdcColour, "Idc = " + significantText(check_.idcA) + " A"},
            {kIpkColour, "Ipk = " + significantText(check_.ipkA) + " A"},
        };
        if (delivered)
            legend.insert(legend.begin() + 1, {kDeliveredColour, "Delivered design: L(I)"});
        const float textX = left_ + kLegendSample + kTick;
        for (const auto& [colour, text] : legend) {
            const float middle = y + lineHeight_ / 2.0f;
            p_.drawLine(left_, middle, left_ + kLegendSample, middle, colour);
            for (const std::string& line : wrapText(p_, text, pageWidth_ - textX)) {
                printAt(textX, y, line);
                y += lineHeight_;
            }
        }
        return y;
    }

    static std::vector<std::string> tickTexts(const RoundAxis& axis) {
        std::vector<std::string> texts;
        for (int i = 0; i <= axis.intervals(); ++i)
            texts.push_back(tickText(i * axis.step));
        return texts;
    }

    void grid(const RoundAxis& currents, const RoundAxis& inductances) {
        for (int i = 0; i <= currents.intervals(); ++i) {
            const double current = i * currents.step;
            const float x = toX(current);
            p_.drawLine(x, top_, x, bottom_, kGrid);
            p_.drawLine(x, bottom_, x, bottom_ + kTick, kBlack);
            const std::string text = tickText(current);
            printAt(x - checkedSize(p_.textWidth(text)) / 2.0f, bottom_ + kTick, text);
        }
        for (int i = 0; i <= inductances.intervals(); ++i) {
            const double inductance = i * inductances.step;
            const float y = toY(inductance);
            p_.drawLine(left_, y, right_, y, kGrid);
            p_.drawLine(left_ - kTick, y, left_, y, kBlack);
            const std::string text = tickText(inductance);
            printAt(left_ - 2 * kTick - checkedSize(p_.textWidth(text)), y - lineHeight_ / 2.0f,
                    text);
        }
        p_.drawLine(left_, top_, right_, top_, kBlack);
        p_.drawLine(right_, top_, right_, bottom_, kBlack);
        p_.drawLine(right_, bottom_, left_, bottom_, kBlack);
        p_.drawLine(left_, bottom_, left_, top_, kBlack);
    }

    void polyline(const std::vector<CurvePoint>& curve, const InductanceUnit& unit,
                  std::uint32_t colour) {
        for (std::size_t i = 1; i < curve.size(); ++i) {
            const CurvePoint& a = curve[i - 1];
            const CurvePoint& b = curve[i];
            p_.drawLine(toX(a.currentA), toY(a.inductanceH * unit.perHenry), toX(b.currentA),
                        toY(b.inductanceH * unit.perHenry), colour);
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
        return checkedSize(left_ + static_cast<float>(current / xTop_) * (right_ - left_));
    }
    float toY(double inductance) const {
        return checkedSize(bottom_ - static_cast<float>(inductance / yTop_) * (bottom_ - top_));
    }

    Printer& p_;
    const CheckReport& check_;
    TextFlow flow_;
    float pageWidth_;
    float lineHeight_ = 0;
    float left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;
    double xTop_ = 1, yTop_ = 1;
};

}  // namespace

void layoutCheckPage(Printer& printer, const CheckReport& check) {
    CheckPageLayout(printer, check).lay();
}

}  // namespace coilsmith
