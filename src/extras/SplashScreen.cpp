#include "extras/SplashScreen.h"

#include <QFont>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "extras/AppInfo.h"
#include "extras/Logo.h"

namespace coilsmith {

SplashFrame::SplashFrame(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Frame1"));
    setFrameShape(QFrame::Box);
    setLineWidth(2);
}

bool SplashFrame::onFrame(QMouseEvent* event) const {
    // Labels ignore mouse events, which then reach the frame; keep those out.
    const QPoint pos = event->position().toPoint();
    return rect().contains(pos) && childAt(pos) == nullptr;
}

void SplashFrame::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton && onFrame(event);
    event->accept();
}

void SplashFrame::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && onFrame(event);
    pressed_ = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

SplashScreen::SplashScreen(std::function<void()> handOver, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      handOver_(std::move(handOver)),
      frame_(new SplashFrame(this)),
      timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QString::fromLatin1(kAppTitle));

    auto* picture = new QLabel(frame_);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(logoPixmap(QSize(160, 160)));
    auto* icon = new QLabel(frame_);
    icon->setObjectName(QStringLiteral("imgLogo"));
    icon->setPixmap(logoPixmap(QSize(32, 32)));
    icon->setAlignment(Qt::AlignRight | Qt::AlignTop);

    auto* product = makeLabel("lblCompanyProduct", QString::fromLatin1(kAppTitle), 26);
    lblVersion_ = makeLabel("lblVersion", QString(), 12);
    auto* platform = makeLabel("lblPlatform", platformName(), 12);
    auto* company = makeLabel("lblCompany",
                              QStringLiteral("Fernhill Magnetics Ltd.\nCopyright \u00A9 2026. "
                                             "All rights reserved."),
                              9);

    auto* grid = new QGridLayout(frame_);
    grid->setContentsMargins(24, 24, 24, 24);
    grid->setHorizontalSpacing(24);
    grid->addWidget(picture, 0, 0, 4, 1, Qt::AlignCenter);
    grid->addWidget(icon, 0, 1, Qt::AlignRight);
    grid->addWidget(product, 1, 1);
    grid->addWidget(lblVersion_, 2, 1);
    grid->addWidget(platform, 3, 1);
    grid->addWidget(company, 4, 0, 1, 2);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame_);
    setFixedSize(520, 300);

    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(kTimerInterval);
    connect(timer_, &QTimer::timeout, this, &SplashScreen::dismissByTimer);
    connect(frame_, &SplashFrame::clicked, this, &SplashScreen::dismissByClick);
    showProgramDetails();
}

QLabel* SplashScreen::makeLabel(const char* name, const QString& text, int pointSize) {
    auto* label = new QLabel(text, frame_);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setStyleHint(QFont::SansSerif);
    label->setFont(font);
    return label;
}

void SplashScreen::showProgramDetails() {
    lblVersion_->setText(versionText());
    timer_->start();
}

void SplashScreen::keyPressEvent(QKeyEvent* event) {
    event->accept();
    handOver();
}

void SplashScreen::handOver() {
    if (handedOver_) {
        return;
    }
    handedOver_ = true;
    timer_->stop();
    // The splash is deleted later in the event loop, so the callback is still ours to call.
    const std::function<void()> next = handOver_;
    close();
    if (next) {
        next();
    }
}

}  // namespace coilsmith
