#pragma once

#include <QPrinter>
#include <QString>

#include "platform/PrinterDialog.h"

class QWidget;

namespace coilsmith {

// The platform's print dialog (on Linux it also offers "Print to File (PDF)"). The printer
// and output file chosen last are offered again the next time.
class QtPrinterDialog final : public PrinterDialog {
  public:
    explicit QtPrinterDialog(QWidget* parent = nullptr) : parent_(parent) {}
    Result choose() override;
    // The file offered for printing to a file, when the user printed to a file last time
    // or there is no printer to print on.
    void suggestOutputFile(const QString& path) { suggestedFile_ = path; }

  private:
    QWidget* parent_;
    QString printerName_;
    QString outputFileName_;
    QString suggestedFile_;
    QPrinter::OutputFormat outputFormat_ = QPrinter::NativeFormat;
};

}  // namespace coilsmith
