#include "extras/HelpWindow.h"

#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "catalogue/Catalogue.h"
#include "platform/WindowFit.h"

namespace coilsmith {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), textView_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("Help_Form"));
    setWindowTitle(QStringLiteral("Help"));

    textView_->setObjectName(QStringLiteral("Help_Text"));
    textView_->setReadOnly(true);
    // The help text lines its tables up with spaces.
    textView_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    textView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    textView_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("Nav_Bar"));
    exit->setProperty("index", 0);
    exit->setToolTip(QStringLiteral("Exit Help"));
    connect(exit, &QPushButton::clicked, this, [this] { navigate(0); });
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, [this] { navigate(0); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(exit);
    bar->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(textView_);
    resize(720, 560);
}

void HelpWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitToScreen(*this);
}

QString HelpWindow::helpPath(const QString& appDir) {
    return appDir + QLatin1Char(pathSeparator()) + QString::fromLatin1(kHelpFileName);
}

bool HelpWindow::loadHelpText(const QString& appDir) {
    textView_->clear();
    QFile file(helpPath(appDir));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return false;
    }
    // Line breaks are kept as line breaks whichever system wrote the file.
    QString text = QString::fromUtf8(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    textView_->setPlainText(text);
    return true;
}

void HelpWindow::navigate(int) {
    close();
}

QString HelpWindow::text() const {
    return textView_->toPlainText();
}

HelpWindow* HelpWindow::open(const QString& appDir, Prompter& prompter, QWidget* parent) {
    auto* form = new HelpWindow(parent);
    if (!form->loadHelpText(appDir)) {
        delete form;
        prompter.message("The help file \"" + helpPath(appDir).toStdString() +
                         "\" is missing or cannot be read.");
        return nullptr;
    }
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    return form;
}

}  // namespace coilsmith
