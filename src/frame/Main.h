#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <string>

#include "adviser/Candidate.h"
#include "design/ChokeModel.h"
#include "frame/Commands.h"
#include "frame/FrameServices.h"
#include "frame/FrameState.h"

class QMdiArea;
class QMdiSubWindow;
class QSessionManager;
class QToolBar;

namespace coilsmith {

class Choke;
class CoreAdviser;
class EditTarget;

// The frame window: menus, the tool bar, at most one design window, and the commands.
// Each command exists once as a procedure below; its menu item and tool button both run it.
class Main : public QMainWindow, public ChokeListener {
    Q_OBJECT

  public:
    explicit Main(FrameServices services, QWidget* parent = nullptr);
    ~Main() override;

    const FrameState& frameState() const noexcept { return state_; }
    const CommandStates& commands() const noexcept { return commands_; }
    Choke* design() const;         // nullptr while no design window is loaded
    CoreAdviser* adviser() const;  // nullptr until the Core Adviser is opened, and once closed

    void mNew_Click();
    void mOpen_Click();
    void mClose_Click();
    void mSave_Click();
    void mSaveAs_Click();
    void mPrint_Click();
    void mExit_Click();
    void mSpces_Click();
    void mCoreDB_Click();
    void mRun_Click();
    void mAdviser_Click();
    void mCSHelp_Click();
    void mAbout_Click();
    void copyButt_Click();
    void cutButt_Click();
    void pasteButt_Click();
    void delButt_Click();
    void undoButt_Click();

    void areaProductCalculated() override;

  signals:
    // The frame has closed for good: the program ends.
    void frameClosed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    enum class SaveAnswer { NotAsked, No, Saved, Cancelled };

    void buildMenus();
    void buildToolBar();
    void addCommand(const char* name, QObject* control);
    void applyCommands();

    SaveAnswer saveQuestion(const std::string& question);
    bool closeDesign();  // Close with its question; false when the user stopped it
    void endOfSession(QSessionManager& manager);
    Choke* ensureDesign();
    void unloadDesign();
    void closeAdviser();
    void applyCandidate(adviser::Candidate candidate);
    void runEdit(const std::function<void(EditTarget&)>& command);

    FrameServices services_;
    FrameState state_;
    CommandStates commands_;
    std::map<std::string, QObject*> controls_;
    QMdiArea* mdi_ = nullptr;
    QPointer<QMdiSubWindow> designWindow_;
    QPointer<Choke> choke_;
    QPointer<CoreAdviser> adviser_;
};

}  // namespace coilsmith
