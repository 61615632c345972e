#include "platform/QtPrompter.h"

#include <QMessageBox>

namespace coilsmith {

namespace {

const QString kTitle = QStringLiteral("Coilsmith");

int runBox(QWidget* parent, const std::string& text, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton defaultButton) {
    QMessageBox box(QMessageBox::NoIcon, kTitle, QString::fromStdString(text), buttons, parent);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

}  // namespace

void QtPrompter::message(const std::string& text) {
    runBox(parent_, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompter::askYesNo(const std::string& text) {
    return runBox(parent_, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

}  // namespace coilsmith
