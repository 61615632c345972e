#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "LayoutRecorder.h"
#include "ReportTestData.h"
#include "fakes/RecordingPrinter.h"
#include "report/CheckReport.h"
#include "report/ReportLayout.h"
#include "report/TextFlow.h"

namespace coilsmith {
namespace {

// The results in the formatter's order: Inductance, EffMu, NTurns, WAWG, DCR, CUL, COL,
// PTOT, TWT, TRISE, FDmax, FDac, FIdc, CDact, fCore, Price.
ReportContent completedContent(const std::string& fileName = "a.txt") {
    return {fileName,
            {"5", "A", "1", "A", "50", "kHz"},
            {"100  uH", "60.0", "37", "16", "24.73  mOhms", "0.62", "0.31", "0.93", "25.40", "12.3",
             "0.149", "0.0135", "18.55", "388", "T106-26", "1"},
            {},
            std::nullopt};
}

// Each line: label|value|the suffix alone from empty results; every label ends before the
// value column. A limit of the method that the design exceeds follows as a warning in the
// label column, where its words have room.
TEST(ReportLines, LabelAndValueWithSuffixThenWarnings) {
    // clang-format off
    const std::string rows[] = {
        "Inductance Value:|100  uH|",                "DC Current:|5 A| ",
        "AC Current:|1 A| ",                         "Switching Frequency:|50 kHz| ",
        "Effective Permeability:|60.0|",             "Number of Turns:|37|",
        "Wire AWG:|16|",                             "DC Resistance:|24.73  mOhms|",
        "Copper Loss:|0.62 W| W",                    "Core Loss:|0.31 W| W",
        "Total Loss:|0.93 W| W",                     "Total Weight:|25.40 g| g",
        "Temperature Rise:|12.3 deg. C| deg. C",     "Max. Flux Density, Bmax:|0.149 T| T",
        "Peak AC Flux Density, Bac:|0.0135 T| T",    "DC Magnetizing Force, Hdc:|18.55  AT/cm|  AT/cm",
        "Current Density:|388  A/cm^2|  A/cm^2",     "Core Number:|T106-26|",
        "Relative Cost:|1|",                         "Warning: Bmax above the specified flux density||"};
    // clang-format on
    ReportContent content = completedContent(), empty;
    content.limitWarnings = empty.limitWarnings = {"Bmax above the specified flux density"};
    const auto lines = reportLines(content), emptyLines = reportLines(empty);
    ASSERT_EQ(lines.size(), std::size(rows));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].label + "|" + lines[i].value + "|" + emptyLines[i].value, rows[i]);
        EXPECT_TRUE(i >= 19 ||
                    static_cast<int>(lines[i].label.size()) + kLabelColumn < kValueColumn)
            << i;
    }
}

// The recording printer: 100 twips a character, 276 twips a line, page 11520 twips.
class ReportLayoutTest : public ::testing::Test {
  protected:
    // The texts printed at columns, with their columns, from operation `from` on.
    std::vector<std::pair<int, std::string>> columns(std::size_t from = 0) const {
        std::vector<std::pair<int, std::string>> found;
        for (std::size_t i = from; i < printer.ops.size(); ++i)
            if (printer.ops[i].name == "printAtColumn")
                found.emplace_back(printer.ops[i].column, printer.ops[i].text);
        return found;
    }
    int columnOf(const std::string& text) const {
        const auto all = columns();
        const auto at = std::ranges::find(all, text, &std::pair<int, std::string>::second);
        return at == all.end() ? -1 : at->first;
    }
    std::size_t count(const std::string& op) const {
        return std::ranges::count(printer.ops, op, &RecordingPrinter::Op::name);
    }
    std::vector<RecordingPrinter::Op> drawn(std::uint32_t colour) const {
        std::vector<RecordingPrinter::Op> lines;
        std::ranges::copy_if(printer.ops, std::back_inserter(lines), [&](const auto& op) {
            return op.name == "drawLine" && op.colour == colour;
        });
        return lines;
    }

    RecordingPrinter printer;
    static constexpr float kLine = 276.0f;
    static constexpr float kPage = 11520.0f;
    static constexpr float kRuleY = 50.0f + 100.0f + kLine;  // title at 50, 100 below it
    static constexpr std::uint32_t kCurve = 0xAA5A1E, kDelivered = 0x969614, kIdc = 0x3C8C3C;
};

// Text widths depend on the font, so it is set (bold Times 12, once) before any measuring.
// Without a check there is one page.
TEST_F(ReportLayoutTest, PageOneFontTitleRuleHeadingAndBodyLines) {
    layoutReport(printer, completedContent("/home/eng/choke.txt"));
    EXPECT_EQ(std::tie(printer.fontBold, printer.fontName, printer.fontSize),
              std::make_tuple(true, std::string("Times"), 12.0f));
    const auto firstMeasure =
        std::ranges::find(printer.ops, "textWidth", &RecordingPrinter::Op::name);
    EXPECT_EQ(std::count_if(printer.ops.begin(), firstMeasure,
                            [](const auto& op) { return op.name.starts_with("setFont"); }),
              3);
    EXPECT_EQ(std::make_tuple(count("setFontName"), count("newPage"), printer.ops.back().name),
              std::make_tuple(1u, 0u, std::string("endDocument")));

    // The title is centred without its full stop and printed with it; the rule crosses the
    // page and the heading is centred two lines below.
    const auto printed = printer.printed();
    const std::string title = "Coilsmith - /home/eng/choke.txt";
    EXPECT_EQ(std::tie(printed[0].text, printed[0].x, printed[0].y),
              std::make_tuple(title + ".", kPage / 2 - 100.0f * title.size() / 2, 50.0f));
    const auto rule = std::ranges::find(printer.ops, "drawLine", &RecordingPrinter::Op::name);
    ASSERT_NE(rule, printer.ops.end());
    EXPECT_EQ(std::tie(rule->x, rule->y, rule->x2, rule->y2, rule->colour),
              std::make_tuple(0.0f, kRuleY, kPage, kRuleY, 0u));
    EXPECT_EQ(std::tie(printed[1].text, printed[1].x, printed[1].y),
              std::make_tuple(std::string("Resultant Design Data"), kPage / 2 - 100.0f * 21 / 2,
                              kRuleY + 2 * kLine));

    // Labels at column 20 (x = 19 characters), values at column 70, an empty line between
    // lines, three empty lines below the heading.
    const auto lines = reportLines(completedContent());
    ASSERT_EQ(printed.size(), 2u + 2 * lines.size());
    const float firstBodyY = kRuleY + 2 * kLine + kLine + 3 * kLine;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& label = printed[2 + 2 * i];
        const auto& value = printed[3 + 2 * i];
        const float y = firstBodyY + static_cast<float>(2 * i) * kLine;
        EXPECT_EQ(std::tie(label.text, label.column, label.x, label.y),
                  std::make_tuple(lines[i].label, 20, 1900.0f, y));
        EXPECT_EQ(std::tie(value.text, value.column, value.x, value.y),
                  std::make_tuple(lines[i].value, 70, 6900.0f, y));
    }
}

TEST_F(ReportLayoutTest, SizesThatAreNotNumbersStopBeforeTheDocumentEnds) {
    for (float bad :
         {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        for (float RecordingPrinter::*size :
             {&RecordingPrinter::width, &RecordingPrinter::lineHeight}) {
            RecordingPrinter broken;
            broken.*size = bad;
            EXPECT_THROW(layoutReport(broken, completedContent()), PrinterError);
            EXPECT_FALSE(broken.ended);
        }
    }
}

// --- The check page ----------------------------------------------------------------

// A check of 100 uH at Idc 5 A, Ipk 5.5 A: a straight L(I) from 120 uH at 0 A to 65 uH at
// 11 A, and a value too long for one line of the table.
ReportContent withCheck(ReportContent content = completedContent()) {
    CheckReport check;
    check.texts.figures = {{"Inductance", "L at Idc", "104.2", "µH"},
                           {"Copper", "Not available", "the winding does not fit its window", ""}};
    check.texts.verdicts = {{"L at Idc", Verdict::Pass, "Pass", "L(Idc) = 104.17 uH"}};
    check.requiredInductanceH = 100e-6;
    check.idcA = 5;
    check.ipkA = 5.5;
    for (int k = 0; k < kCurvePoints; ++k)
        check.curve.push_back({0.11 * k, 120e-6 - 0.55e-6 * k});
    content.check = check;
    return content;
}

// The delivered design beside it: 100.4 µH at 5 A on two cores, its L(I) a straight line
// from 200 µH at 0 A to 90 µH at 11 A.
ReportContent withDelivered(ReportContent content = withCheck()) {
    DeliveredTexts& delivered = content.check->delivered.emplace();
    delivered.figures = {{"Inductance", "L at Idc", "104.2", "100.4", "µH", true},
                         {"Stack and weight", "Cores stacked", "1", "2", "", true}};
    delivered.verdicts = {{"Fill", Verdict::Warning, "Warning", "near Ku"}};
    delivered.summary = "On 2 stacked cores, 41 turns instead of 37 reach 100.4 µH at 5 A.";
    for (int k = 0; k < kCurvePoints; ++k)
        content.check->deliveredCurve.push_back({0.11 * k, 200e-6 - 1.1e-6 * k});
    return content;
}

TEST_F(ReportLayoutTest, CheckPageHasTheFiguresVerdictsAndChart) {
    layoutReport(printer, withCheck());
    const auto pageBreak = std::ranges::find(printer.ops, "newPage", &RecordingPrinter::Op::name);
    ASSERT_NE(pageBreak, printer.ops.end());
    EXPECT_EQ(printer.ops.back().name, "endDocument");
    const std::vector<std::pair<int, std::string>> expected = {
        {kCheckPartColumn, "Inductance"},
        {kCheckLabelColumn, "L at Idc"},
        {kCheckValueColumn, "104.2 µH"},
        {kCheckPartColumn, "Copper"},
        {kCheckLabelColumn, "Not available"},
        // Wrapped two columns before the chart at 0.58 * 11520 = 6681.6 twips: 29.8
        // characters from column 36 (x = 3500).
        {kCheckValueColumn, "the winding does not fit its"},
        {kCheckValueColumn, "window"},
        {kCheckPartColumn, "Verdicts"},
        {kCheckLabelColumn, "L at Idc"},
        {kVerdictColumn, "Pass"},
        {kVerdictReasonColumn, "L(Idc) = 104.17 uH"}};
    EXPECT_EQ(columns(static_cast<std::size_t>(pageBreak - printer.ops.begin())), expected);

    // The chart: 100 curve segments and a legend sample, no delivered curve; the Idc mark at
    // 5 of 12 A across the plot, which runs from 0.58 * 11520 + 700 = 7381.6 to
    // 11520 - 150 = 11370 twips.
    EXPECT_EQ(std::make_tuple(drawn(kCurve).size(), drawn(kDelivered).size()),
              std::make_tuple(101u, 0u));
    const auto idc = drawn(kIdc);
    ASSERT_FALSE(idc.empty());
    EXPECT_NEAR(idc.front().x, 7381.6 + 5.0 / 12.0 * (11370 - 7381.6), 0.5);
    EXPECT_NEAR(idc.front().x2, idc.front().x, 0.01);
}

// The delivered design beside the check: a second value column under its heading, its
// verdicts under their own heading, the sentence that says what changed, and its L(I)
// beside the designed one on axes that hold both, each named in the legend.
TEST_F(ReportLayoutTest, CheckPageHasTheDeliveredColumnVerdictsAndCurve) {
    const ReportContent content = withDelivered();
    LayoutRecorder recorder(printer);
    layoutReport(recorder, content);
    EXPECT_EQ(recorder.faults(), std::vector<std::string>{});
    EXPECT_EQ(columnOf("As designed"), columnOf("104.2 µH"));
    EXPECT_EQ(columnOf("Delivered"), columnOf("100.4 µH"));
    EXPECT_GT(columnOf("100.4 µH"), kCheckValueColumn);
    EXPECT_EQ(columnOf("Delivered design verdicts"), kCheckPartColumn);
    EXPECT_EQ(columnOf("near Ku"), kVerdictReasonColumn);
    EXPECT_EQ(columnOf(content.check->delivered->summary), kCheckLabelColumn);

    const auto delivered = drawn(kDelivered), designed = drawn(kCurve);
    ASSERT_EQ(std::make_tuple(delivered.size(), designed.size()), std::make_tuple(101u, 101u));
    // The delivered 200 µH at 0 A sets the L axis: 0 to 200 µH in steps of 50, its top at
    // the plot's top, 3600 twips above the bottom.
    const float bottom = delivered.front().y + 3600.0f;
    EXPECT_NEAR(designed.front().y, bottom - 120.0f / 200.0f * 3600.0f, 0.5);
    EXPECT_NEAR(delivered[99].y2, bottom - 90.0f / 200.0f * 3600.0f, 0.5);  // 90 µH at 11 A
    // The legend names each curve, wrapped beside its sample where it is long.
    for (const std::string legend : {"As designed: L(I) from the", "Delivered design: L(I)"}) {
        EXPECT_TRUE(std::ranges::any_of(recorder.texts, [&](const auto& box) {
            return box.text.starts_with(legend);
        })) << legend;
    }
}

// The recording printer: 100 twips a character (a UTF-8 byte).
TEST(WrapText, BreaksAfterWordsThenPathSeparatorsThenCharacters) {
    const struct {
        std::string text;
        float width;
        std::vector<std::string> lines;
    } cases[] = {
        {"24.73  mOhms", 1200.0f, {"24.73  mOhms"}},  // fits: blanks kept
        {"", 1000.0f, {}},
        {"the winding does not fit its window",
         2981.6f,
         {"the winding does not fit its", "window"}},
        {"a  b", 200.0f, {"a", "b"}},
        {"/home/engineer/designs/choke.txt", 1500.0f, {"/home/engineer/", "designs/", "choke.txt"}},
        {"abcdefgh", 350.0f, {"abc", "def", "gh"}},
        {"µµµ", 250.0f, {"µ", "µ", "µ"}},  // two bytes a character, never split
        {"ab", 0.0f, {"a", "b"}},
    };
    for (const auto& c : cases) {
        RecordingPrinter printer;
        EXPECT_EQ(wrapText(printer, c.text, c.width), c.lines) << c.text;
    }
}

// Column 1 starts at 0, 100 twips a column, 2 blank columns between a text and the next.
TEST(FitColumns, UsualColumnsUnlessATextNeedsTheRoom) {
    const struct {
        std::vector<int> usual;
        std::vector<float> widest;
        float right;
        std::vector<int> fitted;
    } cases[] = {
        // 20 + 26 + 2 <= 70, and 6900 + 1600 <= 11520.
        {{20, 70}, {2600, 1600}, 11520, {20, 70}},
        // The label ends at column 6 + 17: the verdicts from 25, the reasons stay at 32 and
        // wrap; they need 40 columns of the rest.
        {{6, 22, 32}, {1700, 400, 9000}, 11520, {6, 25, 32}},
        // The values end at the edge from column 61 (x 6000); the labels stay.
        {{20, 70}, {2600, 1500}, 7500, {20, 61}},
        // No room for both: they share the line in proportion, (4000 - 200) / 4100 of
        // their widths: the labels 24.1 columns, so the values from 1 + 25 + 2.
        {{20, 70}, {2600, 1500}, 4000, {1, 28}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fitColumns(c.usual, c.widest, 100.0f, c.right, 4000.0f), c.fitted)
            << c.right << " " << c.widest[0];
    }
}

}  // namespace
}  // namespace coilsmith
