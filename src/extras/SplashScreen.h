#pragma once

#include <QFrame>
#include <QWidget>
#include <functional>

class QLabel;
class QTimer;

namespace coilsmith {

// The frame covering the splash. Only a click on the frame itself counts: a click on a
// label or picture inside it is not a click on the frame.
class SplashFrame final : public QFrame {
    Q_OBJECT
  public:
    explicit SplashFrame(QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool onFrame(QMouseEvent* event) const;
    bool pressed_ = false;
};

// The start-up splash. It hands over exactly once, at the first of a key press, a click
// on Frame1, or Timer1 (2000 ms after load): it closes itself (and is deleted) and then
// calls the hand-over, which creates and shows the frame.
class SplashScreen final : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kTimerInterval = 2000;  // ms

    explicit SplashScreen(std::function<void()> handOver, QWidget* parent = nullptr);

    bool handedOver() const noexcept { return handedOver_; }

    void showProgramDetails();
    void dismissByClick() { handOver(); }
    void dismissByTimer() { handOver(); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void handOver();
    QLabel* makeLabel(const char* name, const QString& text, int pointSize);

    std::function<void()> handOver_;
    bool handedOver_ = false;
    SplashFrame* frame_;
    QLabel* lblVersion_ = nullptr;
    QTimer* timer_;
};

}  // namespace coilsmith
