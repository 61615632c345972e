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
    EXPECT_EQ(content.check->curve.size(), static_cast<std::size_t>(kCurvePoints));
    EXPECT_EQ(content.check->deliveredCurve.size(), model->lastDelivered()->curve.size());

    printReport(content, dialog, prompter);
    EXPECT_TRUE(prompter.messages.empty() && dialog.printer.ended);
    ASSERT_EQ(pageTexts(dialog.printer, 0).size(), 40u);
    EXPECT_EQ(dialog.printer.printed()[0].text, "Coilsmith - /home/engineer/designs/t.txt.");
    // The second page and its continuation: the check's figure rows and verdicts, and
    // beside them the delivered design's.
    auto page2 = pageTexts(dialog.printer, 1);
    std::ranges::copy(pageTexts(dialog.printer, 2), std::back_inserter(page2));
    const auto printedOnPage2 = [&page2](const std::string& text) {
        return std::ranges::find(page2, text) != page2.end();
    };
    EXPECT_TRUE(printedOnPage2("Design Check") && printedOnPage2("Delivered design verdicts"));
    const DeliveredTexts& delivered = *content.check->delivered;
    for (const ComparedFigureRow& row : delivered.figures) {
        if (row.label == "L at Idc" || row.label == "Fill" || row.label == "Cores stacked") {
            const std::string unit = row.unit.empty() ? "" : " " + row.unit;
            EXPECT_TRUE(printedOnPage2(row.label) && printedOnPage2(row.designed + unit) &&
                        printedOnPage2(row.delivered + unit))
                << row.label;
        }
    }
    for (const CheckVerdictRow& row : content.check->texts.verdicts)
        EXPECT_TRUE(printedOnPage2(row.verdictText)) << row.check;
    EXPECT_TRUE(std::ranges::any_of(page2, [&](const std::string& line) {  // wrapped or not
        return line.size() > 10 && delivered.summary.starts_with(line);
    })) << delivered.summary;
    EXPECT_TRUE(pageTexts(dialog.printer, 3).empty());
}

// 100 mH at 100 A DC, 1 A ripple on T157 keeps to none of the method's limits (minimum AP
// 126253.125 cm^4 against 4.876): the report warns of each.
TEST_F(PrintReportTest, DesignBeyondTheMethodsLimitsHasItsWarnings) {
    const auto model = emptyDesign();
    model->editText("Ldes", "100");
    model->setListText("Lunit", "mH");
    model->editText("DCC", "100");
    model->editText("ACC", "1");
    model->calculateAreaProduct();
    model->setOption("Toroid", true);
    ASSERT_TRUE(model->setListText("Core", "T157") && model->setListText("CoreMat", "-26"));
    model->runDesign();
    EXPECT_EQ(reportContent(*model, "big.txt").limitWarnings,
              (std::vector<std::string>{"core AP below the minimum AP",
                                        "Bmax above the specified flux density",
                                        "temperature rise above 100 deg. C"}));
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
// read back: the title, and every label and every word of its value.
TEST_F(PrintReportTest, PdfHoldsTheNineteenLabelsAndValues) {
    const auto model = completed();
    ASSERT_EQ(model->selectedPage(), kResultsPage);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf"), design = dir.filePath("choke.txt");
    const ReportContent content = reportContent(*model, design.toStdString());
    writeReportPdf(content, pdf.toStdString());
    QFile file(pdf);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.read(5).startsWith("%PDF-"));
    QStringList pdfs{pdf};
    const QString cli = QStringLiteral(COILSMITH_TEST_BIN_DIR "/coilsmith-cli");
    if (QFile::exists(cli)) {
        QFile designFile(design);
        ASSERT_TRUE(designFile.open(QIODevice::WriteOnly));
        designFile.write(QByteArray::fromStdString(writeDesignFile(*model)));
        designFile.close();
        QProcess process;
        pdfs << dir.filePath("cli.pdf");
        process.start(cli, {"report", design, "-o", pdfs.back()});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    }
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    for (const QString& written : pdfs) {
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
