#pragma once

#include <QDialog>
#include <functional>

class QLabel;

namespace coilsmith {

// The about box: name, version, the maker's notices, and a "System Info..." button that
// shows the program's own system information (there is no System Information tool to
// start outside Windows). OK closes the box; the caller owns it (exec() on the stack, or
// WA_DeleteOnClose and show()).
class AboutBox final : public QDialog {
    Q_OBJECT
  public:
    // An empty `showSystemInfo` shows the modal system information dialog.
    explicit AboutBox(QWidget* parent = nullptr, std::function<void()> showSystemInfo = {});

    void showProgramDetails();
    // A line naming the catalogue the program reads and what it holds.
    void showCatalogue(const QString& summary);
    void startSystemInfo();

  private:
    void build();

    std::function<void()> showSystemInfo_;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblCatalogue_ = nullptr;
};

}  // namespace coilsmith
