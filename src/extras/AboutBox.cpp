#include "extras/AboutBox.h"

#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "extras/AppInfo.h"
#include "extras/Logo.h"
#include "extras/SystemInfoDialog.h"

namespace coilsmith {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent, std::function<void()> showSystemInfo)
    : QDialog(parent), showSystemInfo_(std::move(showSystemInfo)) {
    if (!showSystemInfo_) {
        showSystemInfo_ = [this] { showSystemInformation(this); };
    }
    build();
}

void AboutBox::build() {
    setObjectName(QStringLiteral("frmAbout"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(logoPixmap(QSize(96, 96)));
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(logoPixmap(QSize(32, 32)));

    auto* name = makeLabel(this, "Label6", QString::fromLatin1(kAppTitle));
    QFont nameFont = name->font();
    nameFont.setPointSize(18);
    nameFont.setBold(true);
    name->setFont(nameFont);
    lblVersion_ = makeLabel(this, "lblVersion", QString());

    auto* description = makeLabel(
        this, "lblDescription",
        QStringLiteral("Design of iron-powder power inductors that carry a DC current with a "
                       "triangular ripple: area-product sizing, core and material selection "
                       "from a catalogue, turns, wire, losses and temperature rise."));
    auto* disclaimer = makeLabel(
        this, "lblDisclaimer",
        QStringLiteral("Warning: the results are engineering estimates from catalogue data "
                       "and curve fits. Verify every design by measurement before use. This "
                       "program is provided without warranty of any kind."));
    auto* address = makeLabel(this, "Label1",
                              QStringLiteral("Fernhill Magnetics Ltd., 14 Quarry Lane, "
                                             "Fernhill Industrial Estate, Ashbury AB1 2CD"));
    auto* phone = makeLabel(this, "Label2", QStringLiteral("Telephone: +44 1632 960 418"));
    auto* fax = makeLabel(this, "Label3", QStringLiteral("Support: Monday to Friday, 9:00-17:00"));
    auto* mail =
        makeLabel(this, "Label5", QStringLiteral("E-mail: support@fernhill-magnetics.example"));

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* ok = makeButton(this, "cmdOK", QStringLiteral("OK"));
    ok->setDefault(true);
    auto* sysInfo = makeButton(this, "cmdSysInfo", QStringLiteral("&System Info..."));
    connect(ok, &QPushButton::clicked, this, &AboutBox::accept);
    connect(sysInfo, &QPushButton::clicked, this, &AboutBox::startSystemInfo);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(lblVersion_);
    lblCatalogue_ = makeLabel(this, "lblCatalogue", QString());
    lblCatalogue_->setWordWrap(true);
    lblCatalogue_->hide();
    text->addWidget(lblCatalogue_);
    text->addSpacing(8);
    text->addWidget(description);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    top->addWidget(icon, 0, Qt::AlignTop);

    auto* contact = new QVBoxLayout;
    contact->setSpacing(2);
    for (QLabel* label : {address, phone, fax, mail}) {
        contact->addWidget(label);
    }

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    buttons->addStretch();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(contact);
    layout->addWidget(line);
    layout->addLayout(bottom);
    resize(560, 360);
    showProgramDetails();
}

void AboutBox::showProgramDetails() {
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kAppTitle));
    lblVersion_->setText(versionText());
}

void AboutBox::showCatalogue(const QString& summary) {
    lblCatalogue_->setText(summary);
    lblCatalogue_->setVisible(!summary.isEmpty());
}

void AboutBox::startSystemInfo() {
    showSystemInfo_();
}

}  // namespace coilsmith
