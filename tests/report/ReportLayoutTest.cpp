#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include <algorithm>

#include "platform/fakes/RecordingPrinter.h"
#include "report/CheckReport.h"
#include "report/ReportLayout.h"

namespace coilsmith {
namespace {

ReportTexts completedTexts() {
    ReportTexts t;
    t.Inductance = "100  uH";
    t.DCC = "5";
    t.DCunit = "A";
    t.ACC = "1";
    t.ACunit = "A";
    t.Freq = "50";
    t.Funit = "kHz";
    t.EffMu = "60.0";
    t.NTurns = "37";
    t.WAWG = "16";
    t.DCR = "24.73  mOhms";
    t.CUL = "0.62";
    t.COL = "0.31";
    t.PTOT = "0.93";
    t.TWT = "25.40";
    t.TRISE = "12.3";
    t.FDmax = "0.149";
    t.FDac = "0.0135";
    t.FIdc = "18.55";
    t.CDact = "388";
    t.fCore = "T106-26";
    t.Price = "1";
    return t;
}

struct LineCase {
    int index;
    const char* label;
    const char* value;       // from completedTexts()
    const char* emptyValue;  // from empty result boxes: the suffix alone
};

class ReportLinesTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ReportLinesTest, LabelAndValueWithSuffix) {
    const LineCase& c = GetParam();
    const auto lines = reportLines(completedTexts());
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[c.index].label, c.label);
    EXPECT_EQ(lines[c.index].value, c.value);
    EXPECT_EQ(reportLines(ReportTexts{})[c.index].value, c.emptyValue);
}

INSTANTIATE_TEST_SUITE_P(
    AllNineteen, ReportLinesTest,
    ::testing::Values(
        LineCase{0, "Inductance Value:", "100  uH", ""}, LineCase{1, "DC Current:", "5 A", " "},
        LineCase{2, "AC Current:", "1 A", " "}, LineCase{3, "Switching Frequency:", "50 kHz", " "},
        LineCase{4, "Effective Permeability:", "60.0", ""},
        LineCase{5, "Number of Turns:", "37", ""}, LineCase{6, "Wire AWG:", "16", ""},
        LineCase{7, "DC Resistance:", "24.73  mOhms", ""},
        LineCase{8, "Copper Loss:", "0.62 W", " W"}, LineCase{9, "Core Loss:", "0.31 W", " W"},
        LineCase{10, "Total Loss:", "0.93 W", " W"}, LineCase{11, "Total Weight:", "25.40 g", " g"},
        LineCase{12, "Temperature Rise:", "12.3 deg. C", " deg. C"},
        LineCase{13, "Max. Flux Density, Bmax:", "0.149 T", " T"},
        LineCase{14, "Peak AC Flux Density, Bac:", "0.0135 T", " T"},
        LineCase{15, "DC Magnetizing Force, Hdc:", "18.55  AT/cm", "  AT/cm"},
        LineCase{16, "Current Density:", "388  A/cm^2", "  A/cm^2"},
        LineCase{17, "Core Number:", "T106-26", ""}, LineCase{18, "Relative Cost:", "1", ""}));

TEST(ReportLines, EveryLabelEndsBeforeTheValueColumn) {
    for (const ReportLine& line : reportLines(ReportTexts{})) {
        EXPECT_LT(static_cast<int>(line.label.size()) + kLabelColumn, kValueColumn) << line.label;
    }
}

// The recording printer: 100 twips a character, 276 twips a line, page 11520 twips.
class ReportLayoutTest : public ::testing::Test {
  protected:
    RecordingPrinter printer;
    static constexpr float kLine = 276.0f;
    static constexpr float kPage = 11520.0f;
    static constexpr float kRuleY = 50.0f + 100.0f + kLine;  // title at 50, 100 below it
};

// Text widths depend on the font, so it is set (bold Times 12, once) before any measuring.
TEST_F(ReportLayoutTest, FontIsSetOnceBoldTimesTwelveBeforeAnythingIsMeasured) {
    layoutReport(printer, "a.txt", completedTexts());
    EXPECT_TRUE(printer.fontBold);
    EXPECT_EQ(printer.fontName, "Times");
    EXPECT_FLOAT_EQ(printer.fontSize, 12.0f);
    std::vector<std::size_t> fontOps;
    std::size_t firstMeasure = printer.ops.size();
    for (std::size_t i = 0; i < printer.ops.size(); ++i) {
        if (printer.ops[i].name.rfind("setFont", 0) == 0) {
            fontOps.push_back(i);
        } else if (printer.ops[i].name == "textWidth" && firstMeasure == printer.ops.size()) {
            firstMeasure = i;
        }
    }
    ASSERT_EQ(fontOps.size(), 3u);
    EXPECT_LT(fontOps.back(), firstMeasure);
}

TEST_F(ReportLayoutTest, TitleIsCentredWithoutItsFullStopAndPrintedWithIt) {
    for (const std::string file : {"/home/eng/choke.txt", ""}) {
        RecordingPrinter p;
        layoutReport(p, file, completedTexts());
        const std::string title = "Coilsmith - " + file;
        const auto first = p.printed()[0];
        EXPECT_EQ(first.text, title + ".");
        EXPECT_FLOAT_EQ(first.x, kPage / 2 - 100.0f * title.size() / 2);
        EXPECT_FLOAT_EQ(first.y, 50.0f);
    }
}

TEST_F(ReportLayoutTest, RuleCrossesThePageAndTheHeadingIsCentredTwoLinesBelow) {
    layoutReport(printer, "a.txt", completedTexts());
    const auto rule = std::find_if(printer.ops.begin(), printer.ops.end(),
                                   [](const auto& op) { return op.name == "drawLine"; });
    ASSERT_NE(rule, printer.ops.end());
    EXPECT_EQ(std::tie(rule->x, rule->y, rule->x2, rule->y2, rule->colour),
              std::make_tuple(0.0f, kRuleY, kPage, kRuleY, 0u));
    const auto heading = printer.printed()[1];
    EXPECT_EQ(heading.text, "Resultant Design Data");
    EXPECT_FLOAT_EQ(heading.x, kPage / 2 - 100.0f * 21 / 2);
    EXPECT_FLOAT_EQ(heading.y, kRuleY + 2 * kLine);
}

// Labels at column 20 (x = 19 characters), values at column 70, an empty line between
// lines, three empty lines below the heading; the document ends once, at the end.
TEST_F(ReportLayoutTest, BodyLinesAtColumnsTwentyAndSeventyWithEmptyLinesBetween) {
    const ReportTexts texts = completedTexts();
    layoutReport(printer, "a.txt", texts);
    const auto printed = printer.printed();
    const auto lines = reportLines(texts);
    ASSERT_EQ(printed.size(), 2u + 2 * lines.size());
    const float firstBodyY = kRuleY + 2 * kLine + kLine + 3 * kLine;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& label = printed[2 + 2 * i];
        const auto& value = printed[3 + 2 * i];
        const float y = firstBodyY + static_cast<float>(2 * i) * kLine;
        EXPECT_EQ(label.text, lines[i].label);
        EXPECT_EQ(value.text, lines[i].value);
        EXPECT_EQ(label.column, 20);
        EXPECT_EQ(value.column, 70);
        EXPECT_FLOAT_EQ(label.x, 1900.0f);
        EXPECT_FLOAT_EQ(value.x, 6900.0f);
        EXPECT_FLOAT_EQ(label.y, y) << "line " << i + 1;
        EXPECT_FLOAT_EQ(value.y, y) << "line " << i + 1;
    }
    EXPECT_EQ(printer.ops.back().name, "endDocument");
    EXPECT_EQ(std::count_if(printer.ops.begin(), printer.ops.end(),
                            [](const auto& op) { return op.name == "endDocument"; }),
              1);
    EXPECT_TRUE(printer.ended);
}

TEST_F(ReportLayoutTest, SizesThatAreNotNumbersStopBeforeTheDocumentEnds) {
    for (float bad :
         {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        RecordingPrinter broken;
        broken.width = bad;
        EXPECT_THROW(layoutReport(broken, "a.txt", completedTexts()), PrinterError);
        EXPECT_FALSE(broken.ended);
        RecordingPrinter tall;
        tall.lineHeight = bad;
        EXPECT_THROW(layoutReport(tall, "a.txt", completedTexts()), PrinterError);
        EXPECT_FALSE(tall.ended);
    }
}

// --- The check page ----------------------------------------------------------------

// A check of 100 uH at Idc 5 A, Ipk 5.5 A: a straight L(I) from 120 uH at 0 A to 65 uH at
// 11 A, and a value too long for one line of the table.
CheckReport handCheckReport() {
    CheckReport check;
    check.texts.figures = {{"Inductance", "L at Idc", "104.2", "µH"},
                           {"Copper", "Not available", "the winding does not fit its window", ""}};
    check.texts.verdicts = {{"L at Idc", Verdict::Pass, "Pass", "L(Idc) = 104.17 uH"}};
    check.requiredInductanceH = 100e-6;
    check.idcA = 5;
    check.ipkA = 5.5;
    for (int k = 0; k < kCurvePoints; ++k)
        check.curve.push_back({0.11 * k, 120e-6 - 0.55e-6 * k});
    return check;
}

TEST_F(ReportLayoutTest, WithoutACheckThereIsNoSecondPage) {
    RecordingPrinter onePage;
    layoutReport(onePage, "a.txt", completedTexts());
    layoutReport(printer, "a.txt", completedTexts(), std::nullopt);
    EXPECT_EQ(printer.ops.size(), onePage.ops.size());
    EXPECT_TRUE(std::none_of(printer.ops.begin(), printer.ops.end(),
                             [](const auto& op) { return op.name == "newPage"; }));
}

TEST_F(ReportLayoutTest, CheckPageHasTheFiguresVerdictsAndChart) {
    layoutReport(printer, "a.txt", completedTexts(), handCheckReport());
    const auto pageBreak = std::find_if(printer.ops.begin(), printer.ops.end(),
                                        [](const auto& op) { return op.name == "newPage"; });
    ASSERT_NE(pageBreak, printer.ops.end());
    EXPECT_EQ(printer.ops.back().name, "endDocument");
    std::vector<std::pair<int, std::string>> columns;
    for (auto op = pageBreak; op != printer.ops.end(); ++op)
        if (op->name == "printAtColumn")
            columns.emplace_back(op->column, op->text);
    const std::vector<std::pair<int, std::string>> expected = {
        {kCheckPartColumn, "Inductance"},
        {kCheckLabelColumn, "L at Idc"},
        {kCheckValueColumn, "104.2 µH"},
        {kCheckPartColumn, "Copper"},
        {kCheckLabelColumn, "Not available"},
        {kCheckValueColumn, "the winding does not"},  // 20 characters a line
        {kCheckValueColumn, "fit its window"},
        {kCheckPartColumn, "Verdicts"},
        {kCheckLabelColumn, "L at Idc"},
        {kVerdictColumn, "Pass"},
        {kVerdictReasonColumn, "L(Idc) = 104.17 uH"},
    };
    EXPECT_EQ(columns, expected);

    // The chart: 100 curve segments; the Idc mark at 5 of 12 A across the plot, which runs
    // from 0.58 * 11520 + 700 = 7381.6 to 11520 - 150 = 11370 twips.
    const auto drawn = [&](std::uint32_t colour) {
        std::vector<RecordingPrinter::Op> lines;
        std::copy_if(pageBreak, printer.ops.end(), std::back_inserter(lines),
                     [&](const auto& op) { return op.name == "drawLine" && op.colour == colour; });
        return lines;
    };
    EXPECT_EQ(drawn(0xAA5A1E).size(), 100u + 1u);  // and its legend sample
    const auto idc = drawn(0x3C8C3C);
    ASSERT_FALSE(idc.empty());
    EXPECT_NEAR(idc.front().x, 7381.6 + 5.0 / 12.0 * (11370 - 7381.6), 0.5);
    EXPECT_NEAR(idc.front().x2, idc.front().x, 0.01);
}

}  // namespace
}  // namespace coilsmith
