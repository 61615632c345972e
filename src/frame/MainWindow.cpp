#include "frame/MainWindow.h"

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

#include <functional>
#include <vector>

#include "adviser/CoreAdviser.h"
#include "adviser/CoreAdviserWindow.h"
#include "design/Choke.h"
#include "frame/QtEditTarget.h"

// Resources of a static library must be registered by name, outside any namespace.
static void initFrameResources() {
    Q_INIT_RESOURCE(icons);
}

namespace coilsmith {

namespace {

// 615 twips at 15 twips to a pixel.
constexpr int kButtonSize = 41;

FrameSeams seamsOf(const FrameServices& services) {
    return {services.prompter, services.fileDialogs, services.clipboard, services.print};
}

}  // namespace

MainWindow::MainWindow(FrameServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), controller_(*this, seamsOf(services_)) {
    initFrameResources();
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QString::fromStdString(controller_.caption()));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("workspace"));
    mdi_->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(mdi_);
    buildMenus();
    buildToolBar();
    showCommands(controller_.commands());
    if (qGuiApp) {
        connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager& manager) { endOfSession(manager); });
    }
    // The client area of 8790 by 8415 twips the frame first opens with.
    resize(760, 620);
}

MainWindow::~MainWindow() {
    closeAdviser();
}

Choke* MainWindow::design() const {
    return choke_.data();
}

CoreAdviser* MainWindow::adviser() const {
    return adviser_.data();
}

void MainWindow::addCommand(const char* name, QObject* control) {
    control->setObjectName(QString::fromLatin1(name));
    controls_[name] = control;
}

void MainWindow::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("menus"));
    FrameController& c = controller_;
    struct Item {
        const char* name;  // nullptr: a separator
        const char* caption;
        std::function<void()> command;
    };
    struct Menu {
        const char* name;
        const char* caption;
        std::vector<Item> items;
    };
    const std::vector<Menu> menus{
        {"mFile",
         "File",
         {{"mNew", "New", [&c] { c.newDesign(); }},
          {"mOpen", "Open", [&c] { c.openDesign(); }},
          {"mClose", "Close", [&c] { c.closeDesign(); }},
          {nullptr, nullptr, {}},
          {"mSave", "Save", [&c] { c.save(); }},
          {"mSaveAs", "Save As", [&c] { c.saveAs(); }},
          {nullptr, nullptr, {}},
          {"mPrint", "Print", [&c] { c.print(); }},
          {nullptr, nullptr, {}},
          {"mExit", "Exit", [this] { exitProgram(); }}}},
        {"mEdit",
         "Edit",
         {{"mUndo", "Undo", [&c] { c.undo(); }},
          {"mCut", "Cut", [&c] { c.cut(); }},
          {"mCopy", "Copy", [&c] { c.copy(); }},
          {"mPaste", "Paste", [&c] { c.paste(); }}}},
        {"mDesign",
         "Design",
         {{"mSpces", "Specifications", [&c] { c.showSpecifications(); }},
          {"mCoreDB", "Core Database", [&c] { c.showCoreDatabase(); }},
          {"mRun", "Run", [&c] { c.runDesign(); }},
          {"mAdviser", "Core Adviser", [this] { showCoreAdviser(); }}}},
        {"mHelp",
         "Help",
         {{"mCSHelp", "Coilsmith Help", [&c] { c.showHelp(); }},
          {nullptr, nullptr, {}},
          {"mAbout", "About Coilsmith", [&c] { c.showAbout(); }}}},
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
            connect(action, &QAction::triggered, this, item.command);
        }
    }
}

void MainWindow::buildToolBar() {
    FrameController& c = controller_;
    struct Button {
        const char* name;
        const char* toolTip;
        const char* icon;
        std::function<void()> command;  // empty: the button has none
    };
    const std::vector<Button> buttons{
        {"newButt", "New Project", "new", [&c] { c.newDesign(); }},
        {"openButt", "Open Project", "open", [&c] { c.openDesign(); }},
        {"saveButt", "Save", "save", [&c] { c.save(); }},
        {"copyButt", "Copy", "copy", [&c] { c.copy(); }},
        {"cutButt", "Cut", "cut", [&c] { c.cut(); }},
        {"pasteButt", "Paste", "paste", [&c] { c.paste(); }},
        {"delButt", "Delete", "delete", [&c] { c.deleteSelection(); }},
        {"undoButt", "Undo", "undo", [&c] { c.undo(); }},
        {"designButt", "Design Specifications", "design", [&c] { c.showSpecifications(); }},
        {"coredbButt", "Core DataBase", "coredb", [&c] { c.showCoreDatabase(); }},
        {"runButt", "Run", "run", [&c] { c.runDesign(); }},
        {"printButt", "Print", "print", [&c] { c.print(); }},
        {"helpButt", "Help", "help", [&c] { c.showHelp(); }},
        {"graphButt", "Graph", "graph", {}},
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
            connect(button, &QToolButton::clicked, this, spec.command);
        } else {
            slot->setVisible(false);  // the graph button is kept only for its enabled state
        }
    }
}

void MainWindow::showCommands(const CommandStates& commands) {
    for (const auto& name : CommandStates::names()) {
        const bool on = commands.enabled(name);
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

void MainWindow::showCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void MainWindow::exitProgram() {
    if (controller_.exitProgram()) {
        close();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing by the close box asks as Close does, and a cancelled save keeps the program
    // running like Exit; only the end of the session, which cannot wait, closes anyway.
    if (!controller_.frameClosing() && !qApp->isSavingSession()) {
        event->ignore();
        return;
    }
    event->accept();
    closeAdviser();
    emit frameClosed();
}

void MainWindow::endOfSession(QSessionManager& manager) {
    // The session ends whatever the answer; the question is asked only when the session
    // manager lets the program talk to the user.
    if (manager.allowsInteraction()) {
        controller_.closeDesign();
        manager.release();
    }
    controller_.sessionEnding();
    close();
}

Choke* MainWindow::ensureDesign() {
    if (!choke_) {
        ChokeModel::Options options{services_.appDir, services_.cataloguePath, services_.locale};
        auto* choke = new Choke(std::move(options), services_.prompter, &controller_);
        choke_ = choke;
        // The one design window fills the frame and has no frame of its own to close it by.
        designWindow_ = mdi_->addSubWindow(choke, Qt::FramelessWindowHint);
        designWindow_->setObjectName(QStringLiteral("designWindow"));
        connect(choke, &Choke::adviserRequested, this, &MainWindow::showCoreAdviser);
        mdi_->setMinimumSize(designWindow_->minimumSizeHint());
    }
    designWindow_->showMaximized();
    return choke_;
}

void MainWindow::withDesign(const std::function<void(ChokeModel&)>& procedure) {
    ensureDesign()->run(procedure);
}

void MainWindow::unloadDesign() {
    closeAdviser();
    if (designWindow_) {
        mdi_->removeSubWindow(designWindow_);
        delete designWindow_.data();
    }
    mdi_->setMinimumSize(0, 0);
}

// One adviser window for the frame, ranking anew for the specification the design window
// holds now. It has no parent so that it does not stay above the frame it applies to; the
// frame deletes it with the design.
void MainWindow::showCoreAdviser() {
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
void MainWindow::applyCandidate(const adviser::Candidate candidate) {
    if (!choke_) {
        return;
    }
    withDesign([&candidate](ChokeModel& model) { adviser::applyCandidate(model, candidate); });
    raise();
    activateWindow();
}

void MainWindow::closeAdviser() {
    delete adviser_.data();  // stops a ranking still running
}

void MainWindow::showHelp() {
    if (services_.showHelp) {
        services_.showHelp();
    }
}

void MainWindow::showAbout() {
    if (services_.showAbout) {
        services_.showAbout();
    }
}

void MainWindow::withEditTarget(const std::function<void(EditTarget&)>& command) {
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

}  // namespace coilsmith
