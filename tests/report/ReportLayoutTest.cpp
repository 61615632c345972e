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

// Each line: label|value|the suffix alone from empty results. A limit of the method that the
// design exceeds follows as a warning in the label column, where its words have room.
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
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].label + "|" + lines[i].value + "|" + emptyLines[i].value, rows[i]);
}

// The recording printer: 100 twips a character, 276 twips a line, page 11520 twips.
class ReportLayoutTest : public ::testing::Test {
  protected:
    // The column of the first text printed at one; -1 when there is none.
    int columnOf(const std::string& text) const {
        const auto at = std::ranges::find_if(printer.ops, [&](const auto& op) {
            return op.name == "printAtColumn" && op.text == text;
        });
        return at == printer.ops.end() ? -1 : at->column;
    }
    std::vector<RecordingPrinter::Op> drawn(std::uint32_t colour) const {
        std::vector<RecordingPrinter::Op> lines;
        std::ranges::copy_if(printer.ops, std::back_inserter(lines), [&](const auto& op) {
            return op.name == "drawLine" && op.colour == colour;
        });
        return lines;
    }

    RecordingPrinter printer;
    static constexpr std::uint32_t kCurve = 0xAA5A1E, kDelivered = 0x969614;
};

// Text widths depend on the font, so it is set (bold Times 12) before any measuring. The
// labels (column 20) and values (column 70) keep clear of each other and of the page's
// edges; without a check there is one page.
TEST_F(ReportLayoutTest, PageOneSetsItsFontFirstAndKeepsToItsColumns) {
    LayoutRecorder recorder(printer);
    layoutReport(recorder, completedContent("/home/eng/choke.txt"));
    EXPECT_EQ(std::tie(printer.fontBold, printer.fontName, printer.fontSize),
              std::make_tuple(true, std::string("Times"), 12.0f));
    const auto firstMeasure =
        std::ranges::find(printer.ops, "textWidth", &RecordingPrinter::Op::name);
    EXPECT_EQ(std::count_if(printer.ops.begin(), firstMeasure,
                            [](const auto& op) { return op.name.starts_with("setFont"); }),
              3);
    EXPECT_EQ(recorder.pages(), 1);
    EXPECT_EQ(recorder.faults(), std::vector<std::string>{});
    EXPECT_EQ(std::make_pair(columnOf("Inductance Value:"), columnOf("100  uH")),
              std::make_pair(20, 70));
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

// The check's rows on the second page, each part in its column, clear of the chart (long
// values wrap before it: ReportFontsTest's crowded report).
TEST_F(ReportLayoutTest, CheckPageHasTheFiguresVerdictsAndChart) {
    LayoutRecorder recorder(printer);
    layoutReport(recorder, withCheck());
    EXPECT_EQ(recorder.faults(), std::vector<std::string>{});
    EXPECT_EQ(recorder.pages(), 2);
    EXPECT_EQ(
        std::make_tuple(columnOf("Copper"), columnOf("104.2 µH"), columnOf("Pass"),
                        columnOf("L(Idc) = 104.17 uH")),
        std::make_tuple(kCheckPartColumn, kCheckValueColumn, kVerdictColumn, kVerdictReasonColumn));
    // The chart: 100 curve segments and a legend sample, no delivered curve.
    EXPECT_EQ(std::make_tuple(drawn(kCurve).size(), drawn(kDelivered).size()),
              std::make_tuple(101u, 0u));
}

// The delivered design beside the check: a second value column under its heading, clear of
// the other texts and the chart, and its L(I) beside the designed one on axes that hold both.
TEST_F(ReportLayoutTest, CheckPageHasTheDeliveredColumnAndCurve) {
    LayoutRecorder recorder(printer);
    layoutReport(recorder, withDelivered());
    EXPECT_EQ(recorder.faults(), std::vector<std::string>{});
    EXPECT_EQ(columnOf("As designed"), columnOf("104.2 µH"));
    EXPECT_EQ(columnOf("Delivered"), columnOf("100.4 µH"));
    EXPECT_EQ(columnOf("near Ku"), kVerdictReasonColumn);  // its verdicts, and what changed:
    EXPECT_EQ(columnOf(withDelivered().check->delivered->summary), kCheckLabelColumn);

    const auto delivered = drawn(kDelivered), designed = drawn(kCurve);
    ASSERT_EQ(std::make_tuple(delivered.size(), designed.size()), std::make_tuple(101u, 101u));
    // The delivered 200 µH at 0 A sets the L axis: 0 to 200 µH, its top at the plot's top,
    // 3600 twips above the bottom.
    const float bottom = delivered.front().y + 3600.0f;
    EXPECT_NEAR(designed.front().y, bottom - 120.0f / 200.0f * 3600.0f, 0.5);
}

// The recording printer: 100 twips a character (a UTF-8 byte). Between words: the check
// page's wrapped value above.
TEST(WrapText, BreaksAfterWordsThenPathSeparatorsThenCharacters) {
    const struct {
        std::string text;
        float width;
        std::vector<std::string> lines;
    } cases[] = {
        {"", 1000.0f, {}},
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

}  // namespace
}  // namespace coilsmith
