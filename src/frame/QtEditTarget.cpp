#include "frame/QtEditTarget.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace coilsmith {

namespace {

int selectionStartOf(const QLineEdit& edit) {
    return edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
}

}  // namespace

QtEditTarget::QtEditTarget(QWidget* control) : control_(control) {
    auto* lineEdit = qobject_cast<QLineEdit*>(control);
    textBox_ = lineEdit && !qobject_cast<QComboBox*>(lineEdit->parentWidget());
}

QLineEdit* QtEditTarget::edit() const {
    if (auto* lineEdit = qobject_cast<QLineEdit*>(control_.data())) {
        return lineEdit;
    }
    if (auto* combo = qobject_cast<QComboBox*>(control_.data())) {
        return combo->isEditable() ? combo->lineEdit() : nullptr;
    }
    return nullptr;
}

bool QtEditTarget::isTextBox() const {
    return textBox_ && control_;
}

std::optional<int> QtEditTarget::selStart() const {
    const QLineEdit* lineEdit = edit();
    if (!lineEdit) {
        return std::nullopt;
    }
    return selectionStartOf(*lineEdit);
}

std::optional<std::string> QtEditTarget::selText() const {
    const QLineEdit* lineEdit = edit();
    if (!lineEdit) {
        return std::nullopt;
    }
    return lineEdit->selectedText().toStdString();
}

bool QtEditTarget::setSelStart(int start) {
    QLineEdit* lineEdit = edit();
    if (!lineEdit || start < 0) {
        return false;
    }
    lineEdit->setCursorPosition(std::min<int>(start, lineEdit->text().size()));
    return true;
}

bool QtEditTarget::setSelLength(int length) {
    QLineEdit* lineEdit = edit();
    if (!lineEdit || length < 0) {
        return false;
    }
    const int start = selectionStartOf(*lineEdit);
    const int available = static_cast<int>(lineEdit->text().size()) - start;
    lineEdit->setSelection(start, std::min(length, available));
    return true;
}

bool QtEditTarget::replaceSelection(const std::string& text) {
    QLineEdit* lineEdit = edit();
    if (!lineEdit) {
        return false;
    }
    // Written directly rather than through insert(): code may change a read-only box.
    const int start = selectionStartOf(*lineEdit);
    const QString inserted = QString::fromStdString(text);
    QString contents = lineEdit->text();
    contents.replace(start, lineEdit->selectedText().size(), inserted);
    if (contents != lineEdit->text()) {
        changed_ = true;
    }
    lineEdit->setText(contents);
    lineEdit->setCursorPosition(start + static_cast<int>(inserted.size()));
    return true;
}

}  // namespace coilsmith
