#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "platform/FileDialogs.h"

namespace coilsmith {

// "Text files|*.txt|All files|*.*" as Qt writes it: "Text files (*.txt)", "All files (*.*)".
QStringList qtNameFilters(const std::string& pipeFilter);

// Qt's own file dialogs. Like a common dialog control, the object remembers the file name
// it last showed, so a request without an initial name starts from that one.
class QtFileDialogs final : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    FileDialogResult open(const FileDialogRequest& request) override;
    FileDialogResult save(const FileDialogRequest& request) override;

  private:
    FileDialogResult run(const FileDialogRequest& request, bool saving);

    QPointer<QWidget> parent_;
    QString lastName_;
};

}  // namespace coilsmith
