#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
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
#include "windowmodel/DesignFile.h"
#include "windowmodel/ModelTexts.h"

namespace coilsmith {
namespace {

class PrintReportTest : public ::testing::Test {
  protected:
    void SetUp() override { fontApplication(); }

    std::unique_ptr<ChokeModel> emptyDesign() {
        return std::make_unique<ChokeModel>(
            ChokeModel::Options{COILSMITH_TEST_BIN_DIR, "", NumberLocale{}}, modelPrompter);
    }
    std::unique_ptr<ChokeModel> completed() {
        return completedDesign(COILSMITH_TEST_BIN_DIR, modelPrompter);
    }

    FakePrompter modelPrompter;
    FakePrompter prompter;
    FakePrinterDialog dialog;
};

// The texts printed between two page operations (the first page: from the start).
std::vector<std::string> pageTexts(const RecordingPrinter& printer, int page) {
    std::vector<std::string> texts;
    int at = 0;
    for (const auto& op : printer.ops) {
        if (op.name == "newPage")
            ++at;
        else if (at == page && (op.name == "printLine" || op.name == "printAtColumn"))
            texts.push_back(op.text);
    }
    return texts;
}

// The report of a design the window has run holds what the window shows: the boxes' texts,
// the check's rows and the delivered design's, with both L(I) curves.
TEST_F(PrintReportTest, CompletedDesignPrintsTheWindowTextsThenItsCheck) {
    const auto model = completed();
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
    EXPECT_EQ(content.check->curve.size(), static_cast<std::size_t>(kCurvePoints));
    EXPECT_EQ(content.check->deliveredCurve.size(), model->lastDelivered()->curve.size());

    printReport(content, dialog, prompter);
    EXPECT_TRUE(prompter.messages.empty() && dialog.printer.ended);
    ASSERT_EQ(pageTexts(dialog.printer, 0).size(), 40u);
    EXPECT_EQ(dialog.printer.printed()[0].text, "Coilsmith - /home/engineer/designs/t.txt.");
    // The check's page follows (its layout is ReportLayoutTest's).
    const auto page2 = pageTexts(dialog.printer, 1);
    EXPECT_NE(std::ranges::find(page2, "Design Check"), page2.end());

    // A limit of the method that the boxes exceed is warned of (which limits, and when, are
    // the window model's: DesignCheckModelTest).
    model->setTextRaw("TRISE", "100.1");
    EXPECT_EQ(reportContent(*model, "t.txt").limitWarnings,
              std::vector<std::string>{"temperature rise above 100 deg. C"});
}

// Cancel ends silently; a failing dialog, or a failure at any printer operation, gives one
// message and no end of the document.
TEST_F(PrintReportTest, CancelAndFailuresStopTheReport) {
    const ReportContent content = reportContent(*emptyDesign(), "x.txt");
    dialog.outcome = PrinterDialog::Outcome::Cancelled;
    printReport(content, dialog, prompter);
    EXPECT_EQ(dialog.shown, 1);
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
        EXPECT_EQ(static_cast<int>(printing.printer.ops.size()), failAt);
    }
}

// The report written as PDF, by the program and by the command line from the design file,
// read back: the title, and every label and every word of its value. Qt's start-up remarks
// are no message of the design: the command line's report says nothing, also where the
// system gives no runtime folder.
TEST_F(PrintReportTest, PdfHoldsTheNineteenLabelsAndValues) {
    const auto model = completed();
    ASSERT_EQ(model->selectedPage(), kResultsPage);
    QTemporaryDir dir;
    const QString design = dir.filePath("choke.txt");
    const ReportContent content = reportContent(*model, design.toStdString());
    writeReportPdf(content, dir.filePath("report.pdf").toStdString());
    QFile designFile(design);
    ASSERT_TRUE(designFile.open(QIODevice::WriteOnly));
    designFile.write(QByteArray::fromStdString(writeDesignFile(*model)));
    designFile.close();
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("XDG_RUNTIME_DIR");
    cli.setProcessEnvironment(environment);
    cli.start(COILSMITH_TEST_BIN_DIR "/coilsmith-cli",
              {"report", design, "-o", dir.filePath("cli.pdf")});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_EQ(cli.readAllStandardError().toStdString(), "");
    EXPECT_EQ(cli.readAllStandardOutput().toStdString(), "");
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    for (const QString& written : {dir.filePath("report.pdf"), dir.filePath("cli.pdf")}) {
        QProcess process;
        process.start("pdftotext", {"-layout", written, "-"});
        ASSERT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0);
        // The serif font sets "ff" as a ligature; compatibility normalisation splits it again.
        const QString text = QString::fromUtf8(process.readAllStandardOutput())
                                 .normalized(QString::NormalizationForm_KC);
        EXPECT_TRUE(text.contains("Coilsmith - " + design + ".")) << written.toStdString();
        EXPECT_TRUE(text.contains("Resultant Design Data"));
        for (const ReportLine& line : reportLines(content)) {
            EXPECT_TRUE(text.contains(QString::fromStdString(line.label))) << line.label;
            // pdftotext may merge runs of blanks; compare the value's words.
            for (const QString& word :
                 QString::fromStdString(line.value).split(u' ', Qt::SkipEmptyParts))
                EXPECT_TRUE(text.contains(word)) << line.label << " " << word.toStdString();
        }
    }
}

}  // namespace
}  // namespace coilsmith
