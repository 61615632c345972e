#include "report/PrintReport.h"

#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <charconv>
#include <exception>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/FileReplacement.h"
#include "platform/QtPrinter.h"
#include "report/CheckReport.h"
#include "report/ReportLayout.h"

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

// The PDF printer does not report a failed write (a full disk, a file-size limit), so the
// file it wrote is checked instead: a complete PDF ends with "startxref", the offset of
// its cross-reference table, and "%%EOF", and that offset holds the table. A write that
// failed anywhere leaves the file too short for that.
bool pdfIsComplete(const std::string& bytes) {
    const std::size_t mark = bytes.rfind("startxref");
    if (mark == std::string::npos || bytes.find("%%EOF", mark) == std::string::npos) {
        return false;
    }
    std::size_t at = mark + 9;
    while (at < bytes.size() && (bytes[at] == '\r' || bytes[at] == '\n' || bytes[at] == ' ')) {
        ++at;
    }
    std::size_t offset = 0;
    const auto parsed = std::from_chars(bytes.data() + at, bytes.data() + bytes.size(), offset);
    return parsed.ec == std::errc() && offset < mark && bytes.compare(offset, 4, "xref") == 0;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

void printReport(const ReportContent& content, PrinterDialog& dialog, Prompter& prompter) {
    try {
        PrinterDialog::Result chosen = dialog.choose();
        if (chosen.outcome == PrinterDialog::Outcome::Cancelled) {
            return;
        }
        if (chosen.outcome != PrinterDialog::Outcome::Chosen || !chosen.printer) {
            throw PrinterError("the printer dialog failed");
        }
        layoutReport(*chosen.printer, content);
    } catch (const std::exception&) {
        prompter.message(kPrintProblemMessage);
    }
}

void writeReportPdf(const ReportContent& content, const std::string& pdfPath) {
    const auto failure = [&pdfPath](const std::string& why) {
        return PrinterError("Cannot write the report to \"" + pdfPath + "\": " + why + ".");
    };
    if (QGuiApplication::instance() == nullptr) {
        throw failure("no font system is running");
    }
    if (pdfPath.empty()) {
        throw failure("no file name");
    }
    try {
        // The old file stays as it was until the new one is complete on disk.
        FileReplacement file(pdfPath);
        {
            QtPrinter printer(pdfPrinter(QString::fromStdString(file.temporaryPath())));
            layoutReport(printer, content);
        }
        if (!pdfIsComplete(fileBytes(file.temporaryPath()))) {
            throw FileWriteError("the PDF could not be written whole");
        }
        file.commit();
    } catch (const std::exception& error) {
        throw failure(error.what());
    }
}

}  // namespace coilsmith
