#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "platform/Launcher.h"
#include "platform/Prompter.h"
#include "platform/Registry.h"

class QLabel;

namespace coilsmith {

// The about box: name, version, the maker's notices, and a button that starts the
// System Information tool. Where the system has no registry (Linux, macOS) the same
// button shows the program's own system information instead. OK closes the box; the
// caller owns it (exec() on the stack, or WA_DeleteOnClose and show()).
class AboutBox final : public QDialog {
    Q_OBJECT
  public:
    // The system's registry and program launch.
    explicit AboutBox(Prompter& prompter, QWidget* parent = nullptr);
    // Explicit seams; an empty `platformSysInfo` makes the button run startSystemInfoTool.
    AboutBox(Registry& registry, Launcher& launcher, Prompter& prompter,
             std::function<void()> platformSysInfo, QWidget* parent = nullptr);
    ~AboutBox() override;

    void showProgramDetails();
    // A line naming the catalogue the program reads and what it holds.
    void showCatalogue(const QString& summary);
    void startSystemInfo();

  private:
    void build();

    std::unique_ptr<Registry> ownedRegistry_;
    std::unique_ptr<Launcher> ownedLauncher_;
    Registry* registry_;
    Launcher* launcher_;
    Prompter* prompter_;
    std::function<void()> platformSysInfo_;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblCatalogue_ = nullptr;
};

}  // namespace coilsmith
