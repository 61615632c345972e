// The report laid out in the fonts of a real system. CTest runs this program once for each
// font set (see CMakeLists.txt): the fonts of a fresh Debian system, and those of a
// developer's one. The report's font is resolved as the shipped program resolves it.
#include <gtest/gtest.h>

#include <QGuiApplication>
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

namespace coilsmith {
namespace {

// The shipped PDF's margins, 12.7 mm: 36 points.
constexpr double kMarginMm = 12.7;
constexpr double kMarginPoints = 36.0;
// PDF positions are rounded to device pixels; touching words may overlap by this much.
constexpr double kTolerancePoints = 0.05;

void application() {
    static int argc = 1;
    static char name[] = "report_font_tests";
    static char* argv[] = {name, nullptr};
    static const QGuiApplication app(argc, argv);
}

class DesignedReport : public ::testing::Test {
  protected:
    void SetUp() override {
        application();
        model = completedDesign(COILSMITH_TEST_BIN_DIR, prompter);
        ASSERT_TRUE(model->lastCheck()) << "the design did not complete";
    }

    FakePrompter prompter;
    std::unique_ptr<ChokeModel> model;
    QTemporaryDir dir;
};

class ReportOnPaper : public DesignedReport,
                      public ::testing::WithParamInterface<QPageSize::PageSizeId> {};

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

// The design as run, then with texts longer than any column: every row of text keeps clear
// of the others, of the chart's lines and of the page's edges, and of the next column.
TEST_P(ReportOnPaper, RowsKeepToTheirColumnsAndThePage) {
    const ReportTexts texts = reportTexts(*model);
    const CheckReport check = *checkReport(*model);
    const struct {
        std::string name;
        std::string fileName;
        ReportTexts texts;
        CheckReport check;
    } reports[] = {
        {"as designed", "/home/engineer/choke.txt", texts, check},
        {"crowded", deepDesignPath(), crowded(texts), crowded(check)},
    };
    std::vector<int> pages;
    for (const auto& report : reports) {
        QtPrinter printer(
            pdfPrinter(dir.filePath(QString::fromStdString(report.name) + ".pdf"), GetParam()));
        LayoutRecorder recorder(printer);
        layoutReport(recorder, report.fileName, report.texts, report.check);
        EXPECT_EQ(recorder.faults(), std::vector<std::string>{}) << report.name;
        pages.push_back(recorder.pages());
    }
    EXPECT_GT(pages[1], pages[0]) << "the crowded report takes more pages";
}

INSTANTIATE_TEST_SUITE_P(Papers, ReportOnPaper,
                         ::testing::Values(QPageSize::A4, QPageSize::Letter, QPageSize::A5),
                         [](const auto& paper) {
                             return QPageSize::key(paper.param).toStdString();
                         });

// --- The PDF as written -------------------------------------------------------------

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Word {
    int page = 0;
    QString text;
    double left = 0, top = 0, right = 0, bottom = 0;
};
struct PdfPages {
    double width = 0, height = 0;
    std::vector<Word> words;
};

// The words of a PDF with their boxes in points, as pdftotext reads them back.
PdfPages pdfWords(const QString& pdf) {
    PdfPages pages;
    int page = -1;
    static const QRegularExpression pageLine(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    static const QRegularExpression wordLine(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    for (const QString& line : run("pdftotext", {"-bbox", pdf, "-"}).split(u'\n')) {
        if (const auto m = pageLine.match(line); m.hasMatch()) {
            ++page;
            pages.width = m.captured(1).toDouble();
            pages.height = m.captured(2).toDouble();
        } else if (const auto w = wordLine.match(line); w.hasMatch()) {
            pages.words.push_back({page, w.captured(5), w.captured(1).toDouble(),
                                   w.captured(2).toDouble(), w.captured(3).toDouble(),
                                   w.captured(4).toDouble()});
        }
    }
    return pages;
}

bool overlap(const Word& a, const Word& b) {
    return a.page == b.page && a.left < b.right - kTolerancePoints &&
           b.left < a.right - kTolerancePoints && a.top < b.bottom - kTolerancePoints &&
           b.top < a.bottom - kTolerancePoints;
}

// The report the program writes, read back from the PDF: in the expected font, no word
// on another and every word inside the margins.
TEST_F(DesignedReport, PdfWordsKeepClearOfEachOtherAndInsideTheMargins) {
    for (const char* tool : {"pdftotext", "pdffonts"}) {
        ASSERT_FALSE(QStandardPaths::findExecutable(tool).isEmpty()) << tool << " is missing";
    }
    const QString pdf = dir.filePath("report.pdf");
    writeReportPdf(*model, deepDesignPath(), pdf.toStdString());

    const QString expectedFont = qEnvironmentVariable("COILSMITH_EXPECTED_REPORT_FONT");
    if (!expectedFont.isEmpty()) {
        const QString fonts = run("pdffonts", {pdf});
        EXPECT_TRUE(fonts.contains(expectedFont + "-Bold") && fonts.contains(expectedFont + " "))
            << "the font set is not the one expected:\n"
            << fonts.toStdString();
    }

    const PdfPages pages = pdfWords(pdf);
    ASSERT_GT(pages.words.size(), 100u);
    for (std::size_t i = 0; i < pages.words.size(); ++i) {
        const Word& a = pages.words[i];
        const std::string name = a.text.toStdString() + " on page " + std::to_string(a.page + 1);
        EXPECT_TRUE(a.left >= kMarginPoints - kTolerancePoints &&
                    a.top >= kMarginPoints - kTolerancePoints &&
                    a.right <= pages.width - kMarginPoints + kTolerancePoints &&
                    a.bottom <= pages.height - kMarginPoints + kTolerancePoints)
            << name << " is outside the margins";
        for (std::size_t j = i + 1; j < pages.words.size(); ++j) {
            EXPECT_FALSE(overlap(a, pages.words[j]))
                << name << " overlaps " << pages.words[j].text.toStdString();
        }
    }
}

}  // namespace
}  // namespace coilsmith
