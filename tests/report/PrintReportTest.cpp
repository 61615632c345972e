#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <variant>

#include "fakes/FakePrinterDialog.h"
#include "fakes/FakePrompter.h"
#include "fakes/RecordingPrinter.h"
#include "report/PrintReport.h"
#include "report/ReportLayout.h"
#include "report/ReportTexts.h"
#include "windowmodel/CheckTexts.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/DeliveredTexts.h"
#include "windowmodel/DesignFile.h"

namespace coilsmith {
namespace {

// The fonts need a running application; offscreen is enough.
void application() {
    static int argc = 1;
    static char name[] = "report_tests";
    static char* argv[] = {name, nullptr};
    static const QGuiApplication app(argc, argv);
}

class PrintReportTest : public ::testing::Test {
  protected:
    void SetUp() override { application(); }

    // A toroid design run from the window's creation texts on the real catalogue.
    std::unique_ptr<ChokeModel> completedDesign() {
        auto model = emptyDesign();
        model->calculateAreaProduct();
        model->setOption("Toroid", true);
        model->chooseItem("Core", static_cast<int>(model->control("Core").items.size()) - 1);
        model->chooseItem("CoreMat", 0);
        model->runDesign();
        return model;
    }
    std::unique_ptr<ChokeModel> emptyDesign() {
        return std::make_unique<ChokeModel>(
            ChokeModel::Options{COILSMITH_TEST_BIN_DIR, "", NumberLocale{}}, modelPrompter);
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

TEST_F(PrintReportTest, CompletedDesignPrintsTheWindowTextsThenItsCheck) {
    const auto model = completedDesign();
    ASSERT_EQ(model->selectedPage(), kResultsPage) << "the design did not complete";
    printReport(*model, "/home/engineer/designs/t.txt", dialog, prompter);
    EXPECT_TRUE(prompter.messages.empty() && dialog.printer.ended);
    ASSERT_EQ(pageTexts(dialog.printer, 0).size(), 40u);

    // The second page and its continuation: the check's own figure rows and verdicts, as the
    // window shows them, and beside them the delivered design's.
    ASSERT_TRUE(model->lastCheck());
    auto page2 = pageTexts(dialog.printer, 1);
    std::ranges::copy(pageTexts(dialog.printer, 2), std::back_inserter(page2));
    const auto printedOnPage2 = [&page2](const std::string& text) {
        return std::ranges::find(page2, text) != page2.end();
    };
    EXPECT_TRUE(printedOnPage2("Design Check"));
    const CheckTexts check = *checkTexts(*model);
    for (const CheckFigureRow& row : check.figures) {
        if (row.label == "L at Idc" || row.label == "Fill") {
            EXPECT_TRUE(printedOnPage2(row.label) && printedOnPage2(row.value + " " + row.unit));
        }
    }
    for (const CheckVerdictRow& row : check.verdicts)
        EXPECT_TRUE(printedOnPage2(row.verdictText)) << row.check;
    const DeliveredTexts delivered = *deliveredTexts(*model);
    EXPECT_TRUE(printedOnPage2("Delivered design verdicts"));
    EXPECT_TRUE(std::ranges::any_of(page2, [&](const std::string& line) {  // wrapped or not
        return line.size() > 10 && delivered.summary.starts_with(line);
    })) << delivered.summary;
    for (const ComparedFigureRow& row : delivered.figures) {
        if (row.label == "L at Idc" || row.label == "Cores stacked") {
            EXPECT_TRUE(printedOnPage2(row.delivered + (row.unit.empty() ? "" : " " + row.unit)))
                << row.label;
        }
    }
    EXPECT_TRUE(pageTexts(dialog.printer, 3).empty());

    const auto printed = dialog.printer.printed();
    EXPECT_EQ(printed[0].text, "Coilsmith - /home/engineer/designs/t.txt.");
    EXPECT_FALSE(model->text("NTurns").empty());
    // The values of lines 2, 6, 9, 17, 18 and 19 printed from the window's result boxes.
    EXPECT_EQ(printed[5].text + "|" + printed[13].text + "|" + printed[19].text + "|" +
                  printed[35].text + "|" + printed[37].text + "|" + printed[39].text,
              model->text("DCC") + " " + model->text("DCunit") + "|" + model->text("NTurns") + "|" +
                  model->text("CUL") + " W|" + model->text("CDact") + "  A/cm^2|" +
                  model->text("fCore") + "|" + model->text("Price"));
}

// Page 2 is the check of a Run of the design printed on page 1: after another design was
// opened it is left out until that design has run.
TEST_F(PrintReportTest, SecondPageIsOnlyTheCheckOfTheDesignPrinted) {
    const auto model = completedDesign();
    ASSERT_TRUE(model->lastCheck());
    std::string other = writeDesignFile(*model);
    const std::string inductance = "\r\n25\r\nuH\r\n";  // the file's last lines: Ldes, Lunit
    ASSERT_TRUE(other.ends_with(inductance));
    other.replace(other.size() - inductance.size(), inductance.size(), "\r\n220\r\nuH\r\n");
    loadDesignFile(*model, std::get<DesignFileLines>(parseDesignFile(other, "220.txt")));
    printReport(*model, "220.txt", dialog, prompter);
    EXPECT_TRUE(dialog.printer.ended);
    EXPECT_TRUE(pageTexts(dialog.printer, 1).empty());

    model->runDesign();
    ASSERT_TRUE(model->lastCheck());
    FakePrinterDialog again;
    printReport(*model, "220.txt", again, prompter);
    const auto page2 = pageTexts(again.printer, 1);
    EXPECT_NE(std::ranges::find(page2, "220.0 µH"), page2.end());
    EXPECT_EQ(std::ranges::find(page2, "25.00 µH"), page2.end());
}

// 100 mH at 100 A DC, 1 A ripple on T157 keeps to none of the method's limits (minimum AP
// 126253.125 cm^4 against 4.876): the page prints a warning line for each, after the
// nineteen lines, in the label column where its words have room.
TEST_F(PrintReportTest, DesignBeyondTheMethodsLimitsPrintsItsWarnings) {
    const auto model = emptyDesign();
    model->editText("Ldes", "100");
    model->setListText("Lunit", "mH");
    model->editText("DCC", "100");
    model->editText("ACC", "1");
    model->calculateAreaProduct();
    model->setOption("Toroid", true);
    ASSERT_TRUE(model->setListText("Core", "T157") && model->setListText("CoreMat", "-26"));
    model->runDesign();
    ASSERT_EQ(model->selectedPage(), kResultsPage) << "the design did not complete";
    printReport(*model, "big.txt", dialog, prompter);
    const auto page = pageTexts(dialog.printer, 0);
    ASSERT_GE(page.size(), 3u);
    const std::vector<std::string> warnings(page.end() - 3, page.end());
    EXPECT_EQ(warnings, (std::vector<std::string>{"Warning: core AP below the minimum AP",
                                                  "Warning: Bmax above the specified flux density",
                                                  "Warning: temperature rise above 100 deg. C"}));
}

// Cancel ends silently; a failing dialog, or a failure at any printer operation, gives one
// message and no end of the document.
TEST_F(PrintReportTest, CancelAndFailuresStopTheReport) {
    const auto model = emptyDesign();
    dialog.outcome = PrinterDialog::Outcome::Cancelled;
    printReport(*model, "", dialog, prompter);
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_TRUE(dialog.printer.ops.empty() && prompter.messages.empty());
    dialog.outcome = PrinterDialog::Outcome::Failed;
    printReport(*model, "", dialog, prompter);
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{"There was a problem printing to your printer."});
    // First font operation, measuring, the title, the rule, the heading, a body line, the end.
    for (const int failAt : {0, 3, 4, 7, 10, 15, 19, 40, 94}) {
        FakePrompter failed;
        FakePrinterDialog printing;
        printing.printer.failAtOperation = failAt;
        printReport(*model, "x.txt", printing, failed);
        EXPECT_EQ(failed.messages, std::vector<std::string>{kPrintProblemMessage}) << failAt;
        EXPECT_FALSE(printing.printer.ended);
        EXPECT_EQ(static_cast<int>(printing.printer.ops.size()), failAt);
    }
}

// --- PDF ------------------------------------------------------------------------------

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start("pdftotext", {"-layout", pdf, "-"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return {};
    }
    // The serif font sets "ff" as a ligature; compatibility normalisation splits it again.
    return QString::fromUtf8(process.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC);
}

void expectReportText(const QString& text, const ChokeModel& model) {
    EXPECT_TRUE(text.contains("Resultant Design Data"));
    for (const ReportLine& line : reportLines(reportTexts(model))) {
        EXPECT_TRUE(text.contains(QString::fromStdString(line.label))) << line.label;
        // pdftotext may merge runs of blanks; compare the value's words.
        for (const QString& word :
             QString::fromStdString(line.value).split(u' ', Qt::SkipEmptyParts)) {
            EXPECT_TRUE(text.contains(word)) << line.label << " " << word.toStdString();
        }
    }
}

// The report written as PDF, by the program and by the command line from the design file.
TEST_F(PrintReportTest, PdfHoldsTheNineteenLabelsAndValues) {
    const auto model = completedDesign();
    ASSERT_EQ(model->selectedPage(), kResultsPage);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf"), design = dir.filePath("choke.txt");
    writeReportPdf(*model, design.toStdString(), pdf.toStdString());
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
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    for (const QString& written : pdfs) {
        const QString text = pdfText(written);
        EXPECT_TRUE(text.contains("Coilsmith - " + design + ".")) << written.toStdString();
        expectReportText(text, *model);
    }
}

}  // namespace
}  // namespace coilsmith
