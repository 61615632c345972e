#include <gtest/gtest.h>

#include <string>
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
    const char* value;
};

class ReportLinesTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ReportLinesTest, LabelAndValueWithSuffix) {
    const LineCase& c = GetParam();
    const auto lines = reportLines(completedTexts());
    EXPECT_EQ(lines[c.index].label, c.label);
    EXPECT_EQ(lines[c.index].value, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    AllNineteen, ReportLinesTest,
    ::testing::Values(
        LineCase{0, "Inductance Value:", "100  uH"}, LineCase{1, "DC Current:", "5 A"},
        LineCase{2, "AC Current:", "1 A"}, LineCase{3, "Switching Frequency:", "50 kHz"},
        LineCase{4, "Effective Permeability:", "60.0"}, LineCase{5, "Number of Turns:", "37"},
        LineCase{6, "Wire AWG:", "16"}, LineCase{7, "DC Resistance:", "24.73  mOhms"},
        LineCase{8, "Copper Loss:", "0.62 W"}, LineCase{9, "Core Loss:", "0.31 W"},
        LineCase{10, "Total Loss:", "0.93 W"}, LineCase{11, "Total Weight:", "25.40 g"},
        LineCase{12, "Temperature Rise:", "12.3 deg. C"},
        LineCase{13, "Max. Flux Density, Bmax:", "0.149 T"},
        LineCase{14, "Peak AC Flux Density, Bac:", "0.0135 T"},
        LineCase{15, "DC Magnetizing Force, Hdc:", "18.55  AT/cm"},
        LineCase{16, "Current Density:", "388  A/cm^2"}, LineCase{17, "Core Number:", "T106-26"},
        LineCase{18, "Relative Cost:", "1"}));

TEST(ReportLines, EmptyResultBoxesPrintTheirSuffixesAlone) {
    const auto lines = reportLines(ReportTexts{});
    const std::vector<std::string> expected = {
        "",   " ",  " ",       " ",  "",   "",        "",         "", " W", " W",
        " W", " g", " deg. C", " T", " T", "  AT/cm", "  A/cm^2", "", ""};
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(lines[i].value, expected[i]) << "line " << i + 1;
    }
}

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
};

TEST_F(ReportLayoutTest, FontIsSetOnceBoldTimesTwelveBeforeAnythingIsMeasured) {
    layoutReport(printer, "C:\\designs\\choke.txt", completedTexts());
    ASSERT_GE(printer.ops.size(), 3u);
    EXPECT_EQ(printer.ops[0].name, "setFontBold");
    EXPECT_EQ(printer.ops[1].name, "setFontName");
    EXPECT_EQ(printer.ops[2].name, "setFontSize");
    EXPECT_TRUE(printer.fontBold);
    EXPECT_EQ(printer.fontName, "Times");
    EXPECT_FLOAT_EQ(printer.fontSize, 12.0f);
    int fontOps = 0;
    for (const auto& op : printer.ops) {
        fontOps += op.name.rfind("setFont", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(fontOps, 3);
}

TEST_F(ReportLayoutTest, TitleIsCentredWithoutItsFullStopAndPrintedWithIt) {
    const std::string file = "/home/eng/choke.txt";
    layoutReport(printer, file, completedTexts());
    const auto printed = printer.printed();
    const std::string title = "Coilsmith - " + file;
    EXPECT_EQ(printed[0].text, title + ".");
    EXPECT_FLOAT_EQ(printed[0].x, 11520.0f / 2 - 100.0f * title.size() / 2);
    EXPECT_FLOAT_EQ(printed[0].y, 50.0f);
}

TEST_F(ReportLayoutTest, UnsavedDesignTitleHasNothingBetweenDashAndFullStop) {
    layoutReport(printer, "", completedTexts());
    EXPECT_EQ(printer.printed()[0].text, "Coilsmith - .");
}

TEST_F(ReportLayoutTest, RuleCrossesThePageBelowTheTitle) {
    layoutReport(printer, "a.txt", completedTexts());
    const auto it = std::find_if(printer.ops.begin(), printer.ops.end(),
                                 [](const auto& op) { return op.name == "drawLine"; });
    ASSERT_NE(it, printer.ops.end());
    const float y = 50.0f + 100.0f + kLine;
    EXPECT_FLOAT_EQ(it->x, 0.0f);
    EXPECT_FLOAT_EQ(it->y, y);
    EXPECT_FLOAT_EQ(it->x2, 11520.0f);
    EXPECT_FLOAT_EQ(it->y2, y);
    EXPECT_EQ(it->colour, 0u);
}

TEST_F(ReportLayoutTest, HeadingIsCentredTwoLinesBelowTheRule) {
    layoutReport(printer, "a.txt", completedTexts());
    const auto printed = printer.printed();
    EXPECT_EQ(printed[1].text, "Resultant Design Data");
    EXPECT_FLOAT_EQ(printed[1].x, 11520.0f / 2 - 100.0f * 21 / 2);
    EXPECT_FLOAT_EQ(printed[1].y, 50.0f + 100.0f + kLine + 2 * kLine);
}

TEST_F(ReportLayoutTest, BodyLinesAtColumnsTwentyAndSeventyWithEmptyLinesBetween) {
    const ReportTexts texts = completedTexts();
    layoutReport(printer, "a.txt", texts);
    const auto printed = printer.printed();
    const auto lines = reportLines(texts);
    ASSERT_EQ(printed.size(), 2u + 2 * lines.size());
    const float headingY = 50.0f + 100.0f + 3 * kLine;
    const float firstBodyY = headingY + kLine + 3 * kLine;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& label = printed[2 + 2 * i];
        const auto& value = printed[3 + 2 * i];
        const float y = firstBodyY + static_cast<float>(2 * i) * kLine;
        EXPECT_EQ(label.text, lines[i].label);
        EXPECT_EQ(label.column, 20);
        EXPECT_FLOAT_EQ(label.x, 1900.0f);
        EXPECT_FLOAT_EQ(label.y, y) << "line " << i + 1;
        EXPECT_EQ(value.text, lines[i].value);
        EXPECT_EQ(value.column, 70);
        EXPECT_FLOAT_EQ(value.x, 6900.0f);
        EXPECT_FLOAT_EQ(value.y, y) << "line " << i + 1;
    }
}

TEST_F(ReportLayoutTest, OperationSequenceEndsTheDocumentOnceAtTheEnd) {
    layoutReport(printer, "a.txt", completedTexts());
    std::vector<std::string> names;
    for (const auto& op : printer.ops) {
        names.push_back(op.name);
    }
    const std::vector<std::string> head = {
        "setFontBold", "setFontName",    "setFontSize",    "pageWidth",     "textWidth",
        "setCurrentX", "setCurrentY",    "printLine",      "textHeight",    "setCurrentY",
        "drawLine",    "printEmptyLine", "printEmptyLine", "textWidth",     "setCurrentX",
        "printLine",   "printEmptyLine", "printEmptyLine", "printEmptyLine"};
    ASSERT_GT(names.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + head.size()), head);
    // 19 lines of label, value, end of line; 18 empty lines between them; the end.
    EXPECT_EQ(names.size(), head.size() + 19 * 3 + 18 + 1);
    EXPECT_EQ(names.back(), "endDocument");
    EXPECT_EQ(std::count(names.begin(), names.end(), "endDocument"), 1);
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
