#pragma once

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <string>

#include "adviser/Candidate.h"
#include "frame/FrameController.h"
#include "frame/FrameServices.h"

class QMdiArea;
class QMenu;
class QMdiSubWindow;
class QSessionManager;

namespace coilsmith {

class DesignWindow;
class CoreAdviserWindow;

// The frame window: menus, the tool bar and at most one design window. Every menu item
// and tool button forwards to one command of the FrameController; the window shows the
// controller's caption and enabled states.
class MainWindow : public QMainWindow, private FrameWindow {
    Q_OBJECT

  public:
    explicit MainWindow(FrameServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    FrameController& controller() noexcept { return controller_; }
    const FrameController& controller() const noexcept { return controller_; }
    DesignWindow* design() const;  // nullptr while no design window is loaded
    CoreAdviserWindow* adviser()
        const;  // nullptr until the Core Adviser is opened, and once closed

    // Opens the Core Adviser for the specification the design window holds now.
    void showCoreAdviser();

  signals:
    // The frame has closed for good: the program ends.
    void frameClosed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildMenus();
    void buildToolBar();
    void buildRecentMenu(QMenu* fileMenu);
    void showRecentFiles();
    void enableRecentMenu();
    void addCommand(const char* name, QObject* control);
    void newDesign();
    void exitProgram();
    void endOfSession(QSessionManager& manager);
    DesignWindow* ensureDesign();
    void applyCandidate(adviser::Candidate candidate);

    // FrameWindow
    void withDesign(const std::function<void(ChokeModel&)>& procedure) override;
    void unloadDesign() override;
    void closeAdviser() override;
    void withEditTarget(const std::function<void(EditTarget&)>& command) override;
    void showCaption(const std::string& caption) override;
    void showCommands(const CommandStates& commands) override;
    void showHelp() override;
    void showAbout() override;
    void showRememberedFiles(const RememberedFiles& files) override;

    FrameServices services_;
    FrameController controller_;
    std::map<std::string, QObject*> controls_;
    QMdiArea* mdi_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* deleteKey_ = nullptr;
    QPointer<QMdiSubWindow> designWindow_;
    QPointer<DesignWindow> choke_;
    QPointer<CoreAdviserWindow> adviser_;
};

// The largest part of `wanted` that fits into `available`: a frame never opens larger
// than the screen's free area, whatever the scale factor.
QSize boundedToScreen(const QSize& wanted, const QSize& available);

}  // namespace coilsmith
