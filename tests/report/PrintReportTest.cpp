#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>

#include "ReportTestData.h"
#include "fakes/FakePrinterDialog.h"
#include "fakes/FakePrompter.h"
#include "fakes/RecordingPrinter.h"
#include "report/PrintReport.h"
#include "report/ReportLayout.h"
#include "windowmodel/ModelTexts.h"

namespace coilsmith {
namespace {

class PrintReportTest : public ::testing::Test {
  protected:
    void SetUp() override { fontApplication(); }

    FakePrompter modelPrompter;
    FakePrompter prompter;
    FakePrinterDialog dialog;
};

// The report of a design the window has run holds what the window shows: the boxes' texts,
// the check's rows and the delivered design's, and it prints them.
TEST_F(PrintReportTest, CompletedDesignPrintsTheWindowTextsThenItsCheck) {
    const auto model = completedDesign(COILSMITH_TEST_BIN_DIR, modelPrompter);
    ASSERT_EQ(model->selectedPage(), kResultsPage) << "the design did not complete";
    const ReportContent content = reportContent(*model, "/home/engineer/designs/t.txt");
    // Each line's value begins with the text of the box it comes from.
    const char* boxes[] = {"Inductance", "DCC",  "ACC",   "Freq",  "EffMu", "NTurns", "WAWG",
                           "DCR",        "CUL",  "COL",   "PTOT",  "TWT",   "TRISE",  "FDmax",
                           "FDac",       "FIdc", "CDact", "fCore", "Price"};
    const auto lines = reportLines(content);
    for (std::size_t i = 0; i < std::size(boxes); ++i)
        EXPECT_TRUE(!model->text(boxes[i]).empty() &&
                    lines.at(i).value.starts_with(model->text(boxes[i])))
            << boxes[i];
    ASSERT_TRUE(content.check && content.check->delivered);
    EXPECT_EQ(content.check->texts.figures, checkTexts(*model)->figures);
    EXPECT_EQ(content.check->delivered->summary, deliveredTexts(*model)->summary);

    printReport(content, dialog, prompter);
    EXPECT_TRUE(prompter.messages.empty() && dialog.printer.ended);
    const auto& ops = dialog.printer.ops;
    const auto text = [](const auto& op) {
        return op.name.starts_with("print") && !op.text.empty();
    };
    EXPECT_EQ(std::ranges::find_if(ops, text)->text, "Coilsmith - /home/engineer/designs/t.txt.");
    // The check's page follows (its layout is ReportLayoutTest's).
    EXPECT_TRUE(std::any_of(std::ranges::find(ops, "newPage", &RecordingPrinter::Op::name),
                            ops.end(),
                            [&](const auto& op) { return text(op) && op.text == "Design Check"; }));

    // A limit of the method that the boxes exceed is warned of (which limits, and when, are
    // the window model's: DesignCheckModelTest).
    model->setTextRaw("TRISE", "100.1");
    EXPECT_EQ(reportContent(*model, "t.txt").limitWarnings,
              std::vector<std::string>{"temperature rise above 100 deg. C"});
}

// Cancel ends silently; a failing dialog, or a failure at any printer operation, gives one
// message and no end of the document.
TEST_F(PrintReportTest, CancelAndFailuresStopTheReport) {
    const ReportContent content = reportContent(
        ChokeModel({COILSMITH_TEST_BIN_DIR, "", NumberLocale{}}, modelPrompter), "x.txt");
    dialog.outcome = PrinterDialog::Outcome::Cancelled;
    printReport(content, dialog, prompter);
    EXPECT_TRUE(dialog.printer.ops.empty() && prompter.messages.empty());
    dialog.outcome = PrinterDialog::Outcome::Failed;
    printReport(content, dialog, prompter);
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{"There was a problem printing to your printer."});
    // First font operation, measuring, the title, the rule, the heading, a body line, the end.
    for (const int failAt : {0, 3, 4, 7, 10, 15, 19, 40, 94}) {
        FakePrompter failed;
        FakePrinterDialog printing;
        printing.printer.failAtOperation = failAt;
        printReport(content, printing, failed);
        EXPECT_EQ(failed.messages, std::vector<std::string>{kPrintProblemMessage}) << failAt;
        EXPECT_FALSE(printing.printer.ended);
    }
}

}  // namespace
}  // namespace coilsmith
