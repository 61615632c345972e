#pragma once

#include <QDialog>
#include <QString>

namespace coilsmith {

// The system information of a platform without a System Information tool, with a button
// that copies it for a support request.
class SystemInfoDialog final : public QDialog {
    Q_OBJECT
  public:
    SystemInfoDialog(const QString& text, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void copyToClipboard() const;

  private:
    QString text_;
};

// Collects the information for the program's own folder and shows it modally.
void showSystemInformation(QWidget* parent);

}  // namespace coilsmith
