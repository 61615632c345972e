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
class frmAbout final : public QDialog {
    Q_OBJECT
  public:
    // The system's registry and program launch.
    explicit frmAbout(Prompter& prompter, QWidget* parent = nullptr);
    // Explicit seams; an empty `platformSysInfo` makes the button run StartSysInfo.
    frmAbout(Registry& registry, Launcher& launcher, Prompter& prompter,
             std::function<void()> platformSysInfo, QWidget* parent = nullptr);
    ~frmAbout() override;

    void Form_Load();
    // A line naming the catalogue the program reads and what it holds.
    void showCatalogue(const QString& summary);
    void cmdOK_Click() { accept(); }
    void cmdSysInfo_Click();

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
