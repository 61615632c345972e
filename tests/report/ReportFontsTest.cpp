// The report laid out in the fonts of a real system. CTest runs this program once for each
// font set (see CMakeLists.txt): the fonts of a fresh Debian system, and those of a
// developer's one. The report's font is resolved as the shipped program resolves it.
#include <gtest/gtest.h>

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "LayoutRecorder.h"
#include "ReportTestData.h"
#include "fakes/FakePrompter.h"
#include "platform/QtPrinter.h"
#include "report/PrintReport.h"
#include "report/ReportLayout.h"
#include "windowmodel/ModelTexts.h"

namespace coilsmith {
namespace {

// The shipped PDF's margins, 12.7 mm: 36 points.
constexpr double kMarginMm = 12.7;
constexpr float kMarginPoints = 36.0f;
// PDF positions are rounded to device pixels; touching words may overlap by this much.
constexpr float kTolerancePoints = 0.05f;

class ReportOnPaper : public ::testing::TestWithParam<QPageSize::PageSizeId> {
  protected:
    void SetUp() override {
        fontApplication();
        model = completedDesign(COILSMITH_TEST_BIN_DIR, prompter);
        ASSERT_TRUE(model->lastCheck()) << "the design did not complete";
    }

    FakePrompter prompter;
    std::unique_ptr<ChokeModel> model;
    QTemporaryDir dir;
};

// The report on a PDF printer of the given paper, as the program writes its PDF.
std::unique_ptr<QPrinter> pdfPrinter(const QString& path, QPageSize::PageSizeId paper) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(paper));
    printer->setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                            QPageLayout::Millimeter);
    return printer;
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The faults of a PDF's words, with their boxes in points as pdftotext reads them back:
// a word outside the margins or on another.
std::vector<std::string> pdfFaults(const QString& pdf) {
    static const QRegularExpression pageLine(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    static const QRegularExpression wordLine(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    std::vector<LayoutRecorder::Box> words;
    float width = 0, height = 0;
    int page = -1;
    for (const QString& line : run("pdftotext", {"-bbox", pdf, "-"}).split(u'\n')) {
        if (const auto m = pageLine.match(line); m.hasMatch()) {
            ++page, width = m.captured(1).toFloat(), height = m.captured(2).toFloat();
        } else if (const auto w = wordLine.match(line); w.hasMatch()) {
            words.push_back({page, w.captured(5).toStdString(), w.captured(1).toFloat(),
                             w.captured(2).toFloat(), w.captured(3).toFloat(),
                             w.captured(4).toFloat()});
        }
    }
    if (words.size() < 100)
        return {"too few words: " + std::to_string(words.size())};
    return LayoutRecorder::boxFaults(words, kMarginPoints, kMarginPoints, width - kMarginPoints,
                                     height - kMarginPoints, kTolerancePoints);
}

// The design as run, with both L(I) curves, then with texts longer than any column: every
// row of text keeps clear of the others, of the chart's lines, of the page's edges and of
// the next column, as laid out and as read back from the PDF in the expected font.
TEST_P(ReportOnPaper, RowsKeepToTheirColumnsAndThePage) {
    for (const char* tool : {"pdftotext", "pdffonts"})
        ASSERT_FALSE(QStandardPaths::findExecutable(tool).isEmpty()) << tool << " is missing";
    const ReportContent content = reportContent(*model, "/home/engineer/choke.txt");
    ASSERT_FALSE(content.check->deliveredCurve.empty()) << "the design delivers no curve";
    const QString expectedFont = qEnvironmentVariable("COILSMITH_EXPECTED_REPORT_FONT");
    std::vector<int> pages;
    for (const ReportContent& report : {content, crowded(content)}) {
        const QString pdf = dir.filePath(QString::number(pages.size()) + ".pdf");
        {
            QtPrinter printer(pdfPrinter(pdf, GetParam()));
            LayoutRecorder recorder(printer);
            layoutReport(recorder, report);
            EXPECT_EQ(recorder.faults(), std::vector<std::string>{}) << pages.size();
            pages.push_back(recorder.pages());
        }
        EXPECT_EQ(pdfFaults(pdf), std::vector<std::string>{}) << pages.size();
        const QString fonts = run("pdffonts", {pdf});
        EXPECT_TRUE(expectedFont.isEmpty() ||
                    (fonts.contains(expectedFont + "-Bold") && fonts.contains(expectedFont + " ")))
            << "the font set is not the one expected:\n"
            << fonts.toStdString();
    }
    EXPECT_GT(pages[1], pages[0]) << "the crowded report takes more pages";
}

INSTANTIATE_TEST_SUITE_P(Papers, ReportOnPaper,
                         ::testing::Values(QPageSize::A4, QPageSize::Letter, QPageSize::A5),
                         [](const auto& paper) {
                             return QPageSize::key(paper.param).toStdString();
                         });

}  // namespace
}  // namespace coilsmith
