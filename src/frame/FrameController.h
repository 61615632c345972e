#pragma once

#include <functional>
#include <string>
#include <vector>

#include "frame/Commands.h"
#include "frame/EditCommands.h"
#include "frame/FrameSettings.h"
#include "frame/FrameState.h"
#include "frame/RecentFiles.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/Prompter.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith {

// What the frame's commands need from the window that shows them. The window implements
// it over its widgets; tests implement it over a plain ChokeModel.
class FrameWindow {
  public:
    virtual ~FrameWindow() = default;

    // Creates the design window when there is none and shows it filling the frame, runs
    // `procedure` on its model, then shows the model's controls again.
    virtual void withDesign(const std::function<void(ChokeModel&)>& procedure) = 0;
    virtual void unloadDesign() = 0;  // also closes the adviser
    virtual void closeAdviser() = 0;
    // Runs an edit command on the control that has the focus in the design window.
    virtual void withEditTarget(const std::function<void(EditTarget&)>& command) = 0;
    virtual void showCaption(const std::string& caption) = 0;
    virtual void showCommands(const CommandStates& commands) = 0;
    virtual void showHelp() = 0;
    virtual void showAbout() = 0;
    // The recent files or the last folder changed: show and keep them.
    virtual void showRememberedFiles(const RememberedFiles& files) = 0;
};

// The platform seams the commands talk to the user and the system through.
struct FrameSeams {
    Prompter& prompter;
    FileDialogs& fileDialogs;
    Clipboard& clipboard;
    // Prints the report of the design; `fileName` is the design's file (empty when new),
    // `pdfName` the name to offer for printing to a file.
    std::function<void(const ChokeModel&, const std::string& fileName, const std::string& pdfName)>
        print{};
    RememberedFiles remembered{};  // from the last run
};

// The name offered for printing a design to a file: the design file's name with ".pdf"
// (a new design is "Untitled.pdf"), in `folder` when there is one, else beside the design.
std::string printFileName(const std::string& designFile, const std::string& folder);

// The frame's commands, its state and the enabling of its commands, without any widget.
// Each command exists once here; menu items and tool buttons only call it.
class FrameController final : public ChokeListener {
  public:
    FrameController(FrameWindow& window, FrameSeams seams);

    const FrameState& state() const noexcept { return state_; }
    const CommandStates& commands() const noexcept { return commands_; }
    const std::string& caption() const noexcept { return caption_; }

    // False when the save question was cancelled and the open design stays.
    bool newDesign();
    void openDesign();  // the save question, the open dialog, then the file
    // The save question, then `fileName` as if it had been chosen in the open dialog.
    // Returns whether the design was read.
    bool openDesignFile(const std::string& fileName);
    // A file of the Open Recent list: the save question and the file, or, when it is gone,
    // a message, and it leaves the list.
    void openRecentFile(const std::string& fileName);
    // The files named on the command line: one is opened as Open would; several are refused.
    void openAtStart(const std::vector<std::string>& fileNames);
    const RememberedFiles& rememberedFiles() const noexcept { return remembered_; }

    void save();
    void saveAs();
    void print();
    // Close with its question; false when the user stopped it by cancelling the save.
    bool closeDesign();
    // Exit's question; whether the program may end.
    bool exitProgram();
    // The frame is being closed by any means: whether it may close. A design still open
    // is closed first, with Close's question, unless Exit has already asked.
    bool frameClosing();
    // The session ends: the frame closes without asking again.
    void sessionEnding() noexcept { state_.Exiting = true; }

    void showSpecifications();
    void showCoreDatabase();
    void runDesign();
    void showHelp();
    void showAbout();

    void copy();
    void cut();
    void paste();
    void deleteSelection();
    void undo();

    // A successful "Calculate AP" in the design window.
    void areaProductCalculated() override;

  private:
    enum class SaveAnswer { NotAsked, No, Saved, Cancelled };

    SaveAnswer askToSave(const std::string& question);
    bool mayOpen();
    bool readDesign(const std::string& fileName);
    void setCommands(const std::function<void(CommandStates&)>& change);
    void setCaption(std::string caption);
    void remember(const std::string& fileName, bool chosenInDialog);

    FrameWindow& window_;
    FrameSeams seams_;
    FrameState state_;
    CommandStates commands_;
    std::string caption_;
    RememberedFiles remembered_;
};

}  // namespace coilsmith
