#include "report/PrintReport.h"

#include <QFile>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <exception>
#include <memory>

#include "platform/QtPrinter.h"
#include "report/ReportLayout.h"
#include "report/ReportTexts.h"

namespace coilsmith {

namespace {

// A PDF has no hardware margins of its own; these keep the text off the paper's edge.
constexpr double kPdfMarginMm = 12.7;

std::unique_ptr<QPrinter> pdfPrinter(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                            QPageLayout::Millimeter);
    return printer;
}

}  // namespace

void printReport(const ChokeModel& model, const std::string& fileName, PrinterDialog& dialog,
                 Prompter& prompter) {
    try {
        PrinterDialog::Result chosen = dialog.choose();
        if (chosen.outcome == PrinterDialog::Outcome::Cancelled) {
            return;
        }
        if (chosen.outcome != PrinterDialog::Outcome::Chosen || !chosen.printer) {
            throw PrinterError("the printer dialog failed");
        }
        layoutReport(*chosen.printer, fileName, reportTexts(model));
    } catch (const std::exception&) {
        prompter.message(kPrintProblemMessage);
    }
}

void writeReportPdf(const ChokeModel& model, const std::string& fileName,
                    const std::string& pdfPath) {
    const QString path = QString::fromStdString(pdfPath);
    const auto failure = [&pdfPath](const std::string& why) {
        return PrinterError("Cannot write the report to \"" + pdfPath + "\": " + why + ".");
    };
    if (QGuiApplication::instance() == nullptr) {
        throw failure("no font system is running");
    }
    if (pdfPath.empty()) {
        throw failure("no file name");
    }
    const ReportTexts texts = reportTexts(model);
    try {
        QtPrinter printer(pdfPrinter(path));
        layoutReport(printer, fileName, texts);
    } catch (const std::exception& error) {
        QFile::remove(path);
        throw failure(error.what());
    }
}

}  // namespace coilsmith
