#include "extras/Help_Form.h"

#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/Catalogue.h"

namespace coilsmith {

Help_Form::Help_Form(QWidget* parent)
    : QWidget(parent, Qt::Window), Help_Text_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("Help_Form"));
    setWindowTitle(QStringLiteral("Help"));

    Help_Text_->setObjectName(QStringLiteral("Help_Text"));
    Help_Text_->setReadOnly(true);
    // The help text lines its tables up with spaces.
    Help_Text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Help_Text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    Help_Text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Help_Text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Help_Text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("Nav_Bar"));
    exit->setProperty("index", 0);
    exit->setToolTip(QStringLiteral("Exit Help"));
    connect(exit, &QPushButton::clicked, this, [this] { Nav_Bar_Click(0); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(exit);
    bar->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(Help_Text_);
    resize(720, 560);
}

QString Help_Form::helpPath(const QString& appDir) {
    return appDir + QLatin1Char(pathSeparator()) + QString::fromLatin1(kHelpFileName);
}

bool Help_Form::Form_Load(const QString& appDir) {
    Help_Text_->clear();
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
    Help_Text_->setPlainText(text);
    return true;
}

void Help_Form::Nav_Bar_Click(int) {
    close();
}

QString Help_Form::text() const {
    return Help_Text_->toPlainText();
}

Help_Form* Help_Form::open(const QString& appDir, Prompter& prompter, QWidget* parent) {
    auto* form = new Help_Form(parent);
    if (!form->Form_Load(appDir)) {
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
