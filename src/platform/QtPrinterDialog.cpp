#include "platform/QtPrinterDialog.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <exception>
#include <memory>

#include "platform/QtPrinter.h"

namespace coilsmith {

PrinterDialog::Result QtPrinterDialog::choose() {
    try {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!printerName_.isEmpty()) {
            printer->setPrinterName(printerName_);
        }
        if (!suggestedFile_.isEmpty()) {
            // The dialog's own file proposal is built from the document name.
            printer->setDocName(QFileInfo(suggestedFile_).completeBaseName());
        }
        if (outputFormat_ == QPrinter::PdfFormat) {
            printer->setOutputFileName(suggestedFile_.isEmpty() ? outputFileName_ : suggestedFile_);
        } else if (!suggestedFile_.isEmpty() && QPrinterInfo::availablePrinters().isEmpty()) {
            printer->setOutputFileName(suggestedFile_);
        }
        QPrintDialog dialog(printer.get(), parent_);
        if (dialog.exec() != QDialog::Accepted) {
            return {Outcome::Cancelled, nullptr};
        }
        printerName_ = printer->printerName();
        outputFormat_ = printer->outputFormat();
        outputFileName_ = printer->outputFileName();
        return {Outcome::Chosen, std::make_unique<QtPrinter>(std::move(printer))};
    } catch (const std::exception&) {
        return {Outcome::Failed, nullptr};
    }
}

}  // namespace coilsmith
