#include "platform/QtFileDialogs.h"

#include <QFileDialog>

namespace coilsmith {

QStringList qtNameFilters(const std::string& pipeFilter) {
    const QStringList parts = QString::fromStdString(pipeFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
    }
    return filters;
}

FileDialogResult QtFileDialogs::open(const FileDialogRequest& request) {
    return run(request, false);
}

FileDialogResult QtFileDialogs::save(const FileDialogRequest& request) {
    return run(request, true);
}

FileDialogResult QtFileDialogs::run(const FileDialogRequest& request, bool saving) {
    if (!request.initialName.empty()) {
        lastName_ = QString::fromStdString(request.initialName);
    }
    QFileDialog dialog(parent_);
    dialog.setWindowTitle(saving ? QStringLiteral("Save As") : QStringLiteral("Open"));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(qtNameFilters(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.folder.empty()) {
        dialog.setDirectory(QString::fromStdString(request.folder));
    }
    if (!lastName_.isEmpty()) {
        dialog.selectFile(lastName_);
    }

    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        result.outcome = FileDialogResult::Outcome::Cancelled;
        result.fileName = lastName_.toStdString();
        return result;
    }
    lastName_ = dialog.selectedFiles().constFirst();
    result.outcome = FileDialogResult::Outcome::Chosen;
    result.fileName = lastName_.toStdString();
    return result;
}

}  // namespace coilsmith
