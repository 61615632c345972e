#include "frame/Main.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSessionManager>
#include <QToolBar>
#include <QToolButton>

#include <variant>

#include "adviser/CoreAdviser.h"
#include "adviser/CoreAdviserWindow.h"
#include "design/Choke.h"
#include "design/DesignFile.h"
#include "frame/AtomicFile.h"
#include "frame/EditCommands.h"
#include "frame/QtEditTarget.h"

// Resources of a static library must be registered by name, outside any namespace.
static void initFrameResources() {
    Q_INIT_RESOURCE(icons);
}

namespace coilsmith {

namespace {

const QString kTitle = QStringLiteral("Coilsmith");
const std::string kExitQuestion = "Do you want to save changes before exiting?";
const std::string kUntitled = "Untitled";

// 615 twips at 15 twips to a pixel.
constexpr int kButtonSize = 41;

}  // namespace

Main::Main(FrameServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), commands_(startCommands()) {
    initFrameResources();
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(kTitle);
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("workspace"));
    mdi_->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(mdi_);
    buildMenus();
    buildToolBar();
    applyCommands();
    if (qGuiApp) {
        connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager& manager) { endOfSession(manager); });
    }
    // The client area of 8790 by 8415 twips the frame first opens with.
    resize(760, 620);
}

Main::~Main() {
    closeAdviser();
}

Choke* Main::design() const {
    return choke_.data();
}

CoreAdviser* Main::adviser() const {
    return adviser_.data();
}

void Main::addCommand(const char* name, QObject* control) {
    control->setObjectName(QString::fromLatin1(name));
    controls_[name] = control;
}

void Main::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("menus"));
    struct Item {
        const char* name;
        const char* caption;
        void (Main::*command)();
    };
    struct MenuSpec {
        const char* name;
        const char* caption;
        std::vector<Item> items;  // a null name is a separator
    };
    const std::vector<MenuSpec> menus{
        {"mFile",
         "File",
         {{"mNew", "New", &Main::mNew_Click},
          {"mOpen", "Open", &Main::mOpen_Click},
          {"mClose", "Close", &Main::mClose_Click},
          {nullptr, nullptr, nullptr},
          {"mSave", "Save", &Main::mSave_Click},
          {"mSaveAs", "Save As", &Main::mSaveAs_Click},
          {nullptr, nullptr, nullptr},
          {"mPrint", "Print", &Main::mPrint_Click},
          {nullptr, nullptr, nullptr},
          {"mExit", "Exit", &Main::mExit_Click}}},
        {"mEdit",
         "Edit",
         {{"mUndo", "Undo", &Main::undoButt_Click},
          {"mCut", "Cut", &Main::cutButt_Click},
          {"mCopy", "Copy", &Main::copyButt_Click},
          {"mPaste", "Paste", &Main::pasteButt_Click}}},
        {"mDesign",
         "Design",
         {{"mSpces", "Specifications", &Main::mSpces_Click},
          {"mCoreDB", "Core Database", &Main::mCoreDB_Click},
          {"mRun", "Run", &Main::mRun_Click},
          {"mAdviser", "Core Adviser", &Main::mAdviser_Click}}},
        {"mHelp",
         "Help",
         {{"mCSHelp", "Coilsmith Help", &Main::mCSHelp_Click},
          {nullptr, nullptr, nullptr},
          {"mAbout", "About Coilsmith", &Main::mAbout_Click}}},
    };
    for (const auto& spec : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(spec.caption));
        addCommand(spec.name, menu);
        for (const auto& item : spec.items) {
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromLatin1(item.caption));
            addCommand(item.name, action);
            connect(action, &QAction::triggered, this,
                    [this, command = item.command] { (this->*command)(); });
        }
    }
}

void Main::buildToolBar() {
    struct Button {
        const char* name;
        const char* toolTip;
        const char* icon;
        void (Main::*command)();
    };
    static const Button buttons[] = {
        {"newButt", "New Project", "new", &Main::mNew_Click},
        {"openButt", "Open Project", "open", &Main::mOpen_Click},
        {"saveButt", "Save", "save", &Main::mSave_Click},
        {"copyButt", "Copy", "copy", &Main::copyButt_Click},
        {"cutButt", "Cut", "cut", &Main::cutButt_Click},
        {"pasteButt", "Paste", "paste", &Main::pasteButt_Click},
        {"delButt", "Delete", "delete", &Main::delButt_Click},
        {"undoButt", "Undo", "undo", &Main::undoButt_Click},
        {"designButt", "Design Specifications", "design", &Main::mSpces_Click},
        {"coredbButt", "Core DataBase", "coredb", &Main::mCoreDB_Click},
        {"runButt", "Run", "run", &Main::mRun_Click},
        {"printButt", "Print", "print", &Main::mPrint_Click},
        {"helpButt", "Help", "help", &Main::mCSHelp_Click},
        {"graphButt", "Graph", "graph", nullptr},
    };
    auto* bar = new QToolBar(this);
    addCommand("menuBar", bar);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(24, 24));
    bar->toggleViewAction()->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, bar);
    for (const auto& spec : buttons) {
        auto* button = new QToolButton(bar);
        addCommand(spec.name, button);
        button->setToolTip(QString::fromLatin1(spec.toolTip));
        button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(spec.icon))));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);  // the edit commands act on the focused control
        button->setFixedSize(QString::fromLatin1(spec.name) == QLatin1String("designButt")
                                 ? QSize(49, kButtonSize)
                                 : QSize(kButtonSize, kButtonSize));
        QAction* slot = bar->addWidget(button);
        if (spec.command) {
            connect(button, &QToolButton::clicked, this,
                    [this, command = spec.command] { (this->*command)(); });
        } else {
            slot->setVisible(false);  // the graph button is kept only for its enabled state
        }
    }
}

void Main::applyCommands() {
    for (const auto& name : CommandStates::names()) {
        const bool on = commands_.enabled(name);
        QObject* control = controls_.at(name);
        if (auto* menu = qobject_cast<QMenu*>(control)) {
            menu->setEnabled(on);
            menu->menuAction()->setEnabled(on);
        } else if (auto* action = qobject_cast<QAction*>(control)) {
            action->setEnabled(on);
        } else if (auto* widget = qobject_cast<QWidget*>(control)) {
            widget->setEnabled(on);
        }
    }
}

Main::SaveAnswer Main::saveQuestion(const std::string& question) {
    if (!state_.designOpen()) {
        return SaveAnswer::NotAsked;
    }
    if (!services_.prompter.askYesNo(question)) {
        return SaveAnswer::No;
    }
    mSaveAs_Click();
    return state_.SaveCancelled ? SaveAnswer::Cancelled : SaveAnswer::Saved;
}

Choke* Main::ensureDesign() {
    if (!choke_) {
        ChokeModel::Options options{services_.appDir, services_.cataloguePath, services_.locale};
        auto* choke = new Choke(std::move(options), services_.prompter, this);
        choke_ = choke;
        // The one design window fills the frame and has no frame of its own to close it by.
        designWindow_ = mdi_->addSubWindow(choke, Qt::FramelessWindowHint);
        designWindow_->setObjectName(QStringLiteral("designWindow"));
        connect(choke, &Choke::adviserRequested, this, &Main::mAdviser_Click);
        mdi_->setMinimumSize(designWindow_->minimumSizeHint());
    }
    designWindow_->showMaximized();
    return choke_;
}

void Main::unloadDesign() {
    closeAdviser();
    if (designWindow_) {
        mdi_->removeSubWindow(designWindow_);
        delete designWindow_.data();
    }
    mdi_->setMinimumSize(0, 0);
}

void Main::mNew_Click() {
    if (saveQuestion("Do you want to save changes for Untitled") == SaveAnswer::Cancelled) {
        state_.SaveCancelled = false;
        return;
    }
    closeAdviser();  // its candidates were designed for the specification now cleared
    state_.UntitledName = kUntitled;
    state_.IsUntitled = true;
    state_.IsFromFile = false;
    commandsForNew(commands_);
    applyCommands();
    ensureDesign()->run([](ChokeModel& model) {
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
    });
    setWindowTitle(kTitle + QStringLiteral(" : ") + QString::fromStdString(kUntitled));
}

bool Main::closeDesign() {
    if (saveQuestion(kExitQuestion) == SaveAnswer::Cancelled) {
        state_.SaveCancelled = false;
        return false;
    }
    unloadDesign();
    resetCommands(commands_);
    applyCommands();
    state_.IsUntitled = false;
    state_.IsFromFile = false;
    setWindowTitle(kTitle);
    return true;
}

void Main::mClose_Click() {
    closeDesign();
}

void Main::mExit_Click() {
    const SaveAnswer answer = saveQuestion(kExitQuestion);
    if (answer == SaveAnswer::Cancelled) {
        state_.SaveCancelled = false;
        return;
    }
    if (answer != SaveAnswer::NotAsked) {
        state_.Exiting = true;
    }
    close();
}

void Main::closeEvent(QCloseEvent* event) {
    // Closing by the close box asks as Close does, and a cancelled save keeps the program
    // running like Exit; only the end of the session, which cannot wait, closes anyway.
    if (!state_.Exiting && !closeDesign() && !qApp->isSavingSession()) {
        event->ignore();
        return;
    }
    event->accept();
    closeAdviser();
    emit frameClosed();
}

void Main::endOfSession(QSessionManager& manager) {
    // The session ends whatever the answer; the question is asked only when the session
    // manager lets the program talk to the user.
    if (manager.allowsInteraction()) {
        closeDesign();
        manager.release();
    }
    state_.Exiting = true;
    close();
}

void Main::mSave_Click() {
    mSaveAs_Click();
}

void Main::mSaveAs_Click() {
    state_.SaveCancelled = false;
    FileDialogRequest request;
    if (state_.IsUntitled) {
        state_.FileName = state_.UntitledName;
        request.initialName = state_.UntitledName;
    } else if (state_.IsFromFile) {
        request.initialName = state_.FileName;
    }
    const FileDialogResult chosen = services_.fileDialogs.save(request);
    state_.FileName = chosen.fileName;
    if (chosen.outcome == FileDialogResult::Outcome::Cancelled) {
        state_.SaveCancelled = true;
        return;
    }
    // A failure counts as a cancel for the command that asked to save: the design is
    // not discarded when it could not be saved.
    if (chosen.outcome == FileDialogResult::Outcome::Failed) {
        services_.prompter.message("Unknown error in saving file " + state_.FileName);
        state_.SaveCancelled = true;
        return;
    }
    const std::string contents = writeDesignFile(ensureDesign()->model());
    if (const auto failure = writeFileAtomically(state_.FileName, contents)) {
        services_.prompter.message("Unknown error in saving file " + state_.FileName + ": " +
                                   *failure);
        state_.SaveCancelled = true;
        return;
    }
    commandsForSaved(commands_);
    applyCommands();
}

void Main::mOpen_Click() {
    const std::string question = "Do you want to save changes for " +
                                 (state_.IsFromFile ? state_.FileName : state_.UntitledName);
    const SaveAnswer answer = saveQuestion(question);
    if (answer == SaveAnswer::Saved || answer == SaveAnswer::Cancelled) {
        return;
    }
    const FileDialogResult chosen = services_.fileDialogs.open(FileDialogRequest{});
    const std::string previousName = state_.FileName;
    state_.FileName = chosen.fileName;
    if (chosen.outcome == FileDialogResult::Outcome::Cancelled) {
        return;
    }
    if (chosen.outcome == FileDialogResult::Outcome::Failed) {
        services_.prompter.message("Unknown error in opening file " + state_.FileName);
        return;
    }
    // The file is read and checked whole before anything changes, so a bad file leaves
    // the open design as it was.
    const auto parsed = readDesignFile(state_.FileName);
    if (const auto* error = std::get_if<DesignFileError>(&parsed)) {
        services_.prompter.message(error->readFailure.empty()
                                       ? error->message
                                       : "Unknown error in opening file " + state_.FileName + ": " +
                                             error->readFailure);
        state_.FileName = previousName;
        return;
    }
    closeAdviser();
    state_.IsFromFile = true;
    state_.IsUntitled = false;
    commandsForOpen(commands_);
    applyCommands();
    const auto& lines = std::get<DesignFileLines>(parsed);
    ensureDesign()->run([&lines](ChokeModel& model) { loadDesignFile(model, lines); });
    setWindowTitle(kTitle + QStringLiteral(" : ") + QString::fromStdString(state_.FileName));
    commandsForSaved(commands_);
    applyCommands();
}

void Main::mPrint_Click() {
    const Choke* choke = ensureDesign();
    if (services_.print) {
        services_.print(choke->model(), state_.FileName);
    }
}

void Main::mSpces_Click() {
    ensureDesign()->run([](ChokeModel& model) { model.Set_Specs(); });
}

void Main::mCoreDB_Click() {
    ensureDesign()->run([](ChokeModel& model) { model.Core_DB(); });
}

void Main::mRun_Click() {
    ensureDesign()->run([](ChokeModel& model) { model.Design_Results(); });
}

// One adviser window for the frame, ranking anew for the specification the design window
// holds now. It has no parent so that it does not stay above the frame it applies to; the
// frame deletes it with the design.
void Main::mAdviser_Click() {
    const Choke* choke = ensureDesign();
    if (!adviser_) {
        adviser_ = new CoreAdviser(
            [this](const adviser::Candidate& candidate) { applyCandidate(candidate); });
        adviser_->setAttribute(Qt::WA_DeleteOnClose);
        adviser_->resize(1000, 700);
    }
    adviser_->show();
    adviser_->raise();
    adviser_->activateWindow();
    adviser_->rank(choke->model());
}

// A candidate is picked through the design window's own handlers, as the engineer would
// by hand, so the window shows the design exactly as if it had been entered there.
// The candidate is a copy: a message the design shows may let the adviser be closed.
void Main::applyCandidate(const adviser::Candidate candidate) {
    if (!choke_) {
        return;
    }
    ensureDesign()->run(
        [&candidate](ChokeModel& model) { adviser::applyCandidate(model, candidate); });
    raise();
    activateWindow();
}

void Main::closeAdviser() {
    delete adviser_.data();  // stops a ranking still running
}

void Main::mCSHelp_Click() {
    if (services_.showHelp) {
        services_.showHelp();
    }
}

void Main::mAbout_Click() {
    if (services_.showAbout) {
        services_.showAbout();
    }
}

void Main::areaProductCalculated() {
    commandsForAreaProduct(commands_);
    applyCommands();
}

void Main::runEdit(const std::function<void(EditTarget&)>& command) {
    QWidget* focused = choke_ ? choke_->focusWidget() : nullptr;
    if (!focused) {
        NoEditTarget none;
        command(none);
        return;
    }
    QtEditTarget target(focused);
    command(target);
    if (target.changed()) {
        choke_->commitEdit(focused);
    }
}

void Main::copyButt_Click() {
    runEdit([this](EditTarget& target) {
        coilsmith::copyButt_Click(state_, target, services_.clipboard);
    });
}

void Main::cutButt_Click() {
    runEdit([this](EditTarget& target) {
        coilsmith::cutButt_Click(state_, target, services_.clipboard);
    });
}

void Main::pasteButt_Click() {
    runEdit([this](EditTarget& target) {
        coilsmith::pasteButt_Click(state_, target, services_.clipboard);
    });
}

void Main::delButt_Click() {
    runEdit([this](EditTarget& target) { coilsmith::delButt_Click(state_, target); });
}

void Main::undoButt_Click() {
    runEdit([this](EditTarget& target) {
        coilsmith::undoButt_Click(state_, target, services_.clipboard);
    });
}

}  // namespace coilsmith
