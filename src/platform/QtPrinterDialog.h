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

  private:
    QWidget* parent_;
    QString printerName_;
    QString outputFileName_;
    QPrinter::OutputFormat outputFormat_ = QPrinter::NativeFormat;
};

}  // namespace coilsmith
