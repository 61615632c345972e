#include "extras/SystemInfoDialog.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "extras/SystemInfoText.h"

namespace coilsmith {

SystemInfoDialog::SystemInfoDialog(const QString& text, QWidget* parent)
    : QDialog(parent), text_(text) {
    setObjectName(QStringLiteral("SystemInfoDialog"));
    setWindowTitle(QStringLiteral("System Information"));

    auto* view = new QPlainTextEdit(text_, this);
    view->setObjectName(QStringLiteral("SysInfoText"));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("cmdCopy"));
    connect(copy, &QPushButton::clicked, this, &SystemInfoDialog::copyToClipboard);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addWidget(buttons);
    resize(640, 420);
}

void SystemInfoDialog::copyToClipboard() const {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(text_);
    }
}

void showSystemInformation(QWidget* parent) {
    const QString text = systemInfoText(collectSystemInfo(QCoreApplication::applicationDirPath()));
    SystemInfoDialog dialog(text, parent);
    dialog.exec();
}

}  // namespace coilsmith
