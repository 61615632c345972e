#include "frame/FrameController.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <variant>

#include "platform/FileReplacement.h"
#include "windowmodel/DesignFile.h"

namespace coilsmith {

namespace {

const std::string kTitle = "Coilsmith";
const std::string kExitQuestion = "Do you want to save changes before exiting?";
const std::string kNewQuestion = "Do you want to save changes for Untitled";
const std::string kUntitled = "Untitled";

// New empties every text box and the core choice; selectors, the core type and the core
// list keep what they held.
void clearForNew(ChokeModel& model) {
    for (const Control& control : model.controls()) {
        if (control.kind == ControlKind::TextBox) {
            model.setTextRaw(control.name, {});
        }
    }
    model.setPageAvailable(kCorePage, false);
    model.setPageAvailable(kResultsPage, false);
    model.selectPage(kSpecPage);
    model.setTextRaw("Core", {});
    model.clearList("CoreMat");
}

}  // namespace

std::string printFileName(const std::string& designFile, const std::string& folder) {
    std::filesystem::path design(designFile.empty() ? kUntitled : designFile);
    const std::filesystem::path pdf = design.stem().string() + ".pdf";
    const std::filesystem::path where =
        folder.empty() ? design.parent_path() : std::filesystem::path(folder);
    return (where / pdf).string();
}

FrameController::FrameController(FrameWindow& window, FrameSeams seams)
    : window_(window),
      seams_(std::move(seams)),
      commands_(startCommands()),
      caption_(kTitle),
      remembered_{RecentFiles(seams_.remembered.recentFiles).paths(),
                  seams_.remembered.lastFolder} {}

// A file read or written goes first in the recent files; one chosen in a file dialog
// also names the folder the next dialog starts in.
void FrameController::remember(const std::string& fileName, bool chosenInDialog) {
    RecentFiles recent(remembered_.recentFiles);
    recent.add(fileName);
    remembered_.recentFiles = recent.paths();
    if (chosenInDialog) {
        remembered_.lastFolder = std::filesystem::path(fileName).parent_path().string();
    }
    window_.showRememberedFiles(remembered_);
}

void FrameController::setCommands(const std::function<void(CommandStates&)>& change) {
    change(commands_);
    window_.showCommands(commands_);
}

void FrameController::setCaption(std::string caption) {
    caption_ = std::move(caption);
    window_.showCaption(caption_);
}

FrameController::SaveAnswer FrameController::askToSave(const std::string& question) {
    if (!state_.designOpen()) {
        return SaveAnswer::NotAsked;
    }
    if (!seams_.prompter.askYesNo(question)) {
        return SaveAnswer::No;
    }
    saveAs();
    return state_.SaveCancelled ? SaveAnswer::Cancelled : SaveAnswer::Saved;
}

bool FrameController::newDesign() {
    if (askToSave(kNewQuestion) == SaveAnswer::Cancelled) {
        state_.SaveCancelled = false;
        return false;
    }
    window_.closeAdviser();  // its candidates were designed for the specification now cleared
    state_.UntitledName = kUntitled;
    state_.IsUntitled = true;
    state_.IsFromFile = false;
    setCommands(commandsForNew);
    window_.withDesign(clearForNew);
    setCaption(kTitle + " : " + kUntitled);
    return true;
}

bool FrameController::closeDesign() {
    if (askToSave(kExitQuestion) == SaveAnswer::Cancelled) {
        state_.SaveCancelled = false;
        return false;
    }
    window_.unloadDesign();
    setCommands(resetCommands);
    state_.IsUntitled = false;
    state_.IsFromFile = false;
    setCaption(kTitle);
    return true;
}

bool FrameController::exitProgram() {
    const SaveAnswer answer = askToSave(kExitQuestion);
    if (answer == SaveAnswer::Cancelled) {
        state_.SaveCancelled = false;
        return false;
    }
    if (answer != SaveAnswer::NotAsked) {
        state_.Exiting = true;
    }
    return true;
}

bool FrameController::frameClosing() {
    return state_.Exiting || closeDesign();
}

void FrameController::save() {
    saveAs();  // Save always shows the dialog
}

void FrameController::saveAs() {
    state_.SaveCancelled = false;
    FileDialogRequest request;
    request.folder = remembered_.lastFolder;
    if (state_.IsUntitled) {
        state_.FileName = state_.UntitledName;
        request.initialName = state_.UntitledName;
    } else if (state_.IsFromFile) {
        request.initialName = state_.FileName;
    }
    const FileDialogResult chosen = seams_.fileDialogs.save(request);
    state_.FileName = chosen.fileName;
    if (chosen.outcome == FileDialogResult::Outcome::Cancelled) {
        state_.SaveCancelled = true;
        return;
    }
    // A failure counts as a cancel for the command that asked to save: the design is
    // not discarded when it could not be saved.
    if (chosen.outcome == FileDialogResult::Outcome::Failed) {
        seams_.prompter.message("Unknown error in saving file " + state_.FileName);
        state_.SaveCancelled = true;
        return;
    }
    std::string contents;
    window_.withDesign([&contents](ChokeModel& model) { contents = writeDesignFile(model); });
    try {
        replaceFileContents(state_.FileName, contents);
    } catch (const FileWriteError& failure) {
        seams_.prompter.message("Unknown error in saving file " + state_.FileName + ": " +
                                failure.what());
        state_.SaveCancelled = true;
        return;
    }
    setCommands(commandsForSaved);
    remember(state_.FileName, true);
}

// Open's question names the design; after Yes the design is saved (or not) and Open stops.
bool FrameController::mayOpen() {
    const std::string question = "Do you want to save changes for " +
                                 (state_.IsFromFile ? state_.FileName : state_.UntitledName);
    const SaveAnswer answer = askToSave(question);
    return answer == SaveAnswer::NotAsked || answer == SaveAnswer::No;
}

void FrameController::openDesign() {
    if (!mayOpen()) {
        return;
    }
    FileDialogRequest request;
    request.folder = remembered_.lastFolder;
    const FileDialogResult chosen = seams_.fileDialogs.open(request);
    if (chosen.outcome == FileDialogResult::Outcome::Cancelled) {
        state_.FileName = chosen.fileName;
        return;
    }
    if (chosen.outcome == FileDialogResult::Outcome::Failed) {
        state_.FileName = chosen.fileName;
        seams_.prompter.message("Unknown error in opening file " + state_.FileName);
        return;
    }
    if (readDesign(chosen.fileName)) {
        remember(chosen.fileName, true);
    }
}

bool FrameController::openDesignFile(const std::string& fileName) {
    if (!mayOpen() || !readDesign(fileName)) {
        return false;
    }
    remember(fileName, false);
    return true;
}

void FrameController::openRecentFile(const std::string& fileName) {
    RecentFiles recent(remembered_.recentFiles);
    const auto gone =
        recent.dropMissing([](const std::string& path) { return std::filesystem::exists(path); });
    if (!gone.empty()) {
        remembered_.recentFiles = recent.paths();
        window_.showRememberedFiles(remembered_);
    }
    if (std::find(gone.begin(), gone.end(), fileName) != gone.end()) {
        seams_.prompter.message(fileName + " no longer exists and was taken off the recent files.");
        return;
    }
    openDesignFile(fileName);
}

void FrameController::openAtStart(const std::vector<std::string>& fileNames) {
    if (fileNames.size() == 1) {
        openDesignFile(fileNames.front());
    } else if (fileNames.size() > 1) {
        seams_.prompter.message("Coilsmith opens one design file at a time; it was given " +
                                std::to_string(fileNames.size()) + ", so none was opened.");
    }
}

bool FrameController::readDesign(const std::string& fileName) {
    // The file is read and checked whole before anything changes, so a bad file leaves
    // the open design as it was.
    const auto parsed = readDesignFile(fileName);
    if (const auto* error = std::get_if<DesignFileError>(&parsed)) {
        seams_.prompter.message(error->readFailure.empty()
                                    ? error->message
                                    : "Unknown error in opening file " + fileName + ": " +
                                          error->readFailure);
        return false;
    }
    window_.closeAdviser();
    state_.FileName = fileName;
    state_.IsFromFile = true;
    state_.IsUntitled = false;
    setCommands(commandsForOpen);
    const auto& lines = std::get<DesignFileLines>(parsed);
    window_.withDesign([&lines](ChokeModel& model) { loadDesignFile(model, lines); });
    setCaption(kTitle + " : " + state_.FileName);
    setCommands(commandsForSaved);
    return true;
}

void FrameController::print() {
    window_.withDesign([this](ChokeModel& model) {
        if (seams_.print) {
            seams_.print(model, state_.FileName,
                         printFileName(state_.FileName, remembered_.lastFolder));
        }
    });
}

void FrameController::showSpecifications() {
    window_.withDesign([](ChokeModel& model) { model.showSpecifications(); });
}

void FrameController::showCoreDatabase() {
    window_.withDesign([](ChokeModel& model) { model.showCoreDatabase(); });
}

void FrameController::runDesign() {
    window_.withDesign([](ChokeModel& model) { model.runDesign(); });
}

void FrameController::showHelp() {
    window_.showHelp();
}

void FrameController::showAbout() {
    window_.showAbout();
}

void FrameController::areaProductCalculated() {
    setCommands(commandsForAreaProduct);
}

void FrameController::copy() {
    window_.withEditTarget(
        [this](EditTarget& target) { copySelection(state_, target, seams_.clipboard); });
}

void FrameController::cut() {
    window_.withEditTarget(
        [this](EditTarget& target) { cutSelection(state_, target, seams_.clipboard); });
}

void FrameController::paste() {
    window_.withEditTarget(
        [this](EditTarget& target) { pasteClipboard(state_, target, seams_.clipboard); });
}

void FrameController::deleteSelection() {
    window_.withEditTarget(
        [this](EditTarget& target) { coilsmith::deleteSelection(state_, target); });
}

void FrameController::undo() {
    window_.withEditTarget(
        [this](EditTarget& target) { undoLastEdit(state_, target, seams_.clipboard); });
}

}  // namespace coilsmith
