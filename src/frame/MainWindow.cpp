#include "frame/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <functional>
#include <vector>

#include "adviser/AdviserEngine.h"
#include "adviserwindow/CoreAdviserWindow.h"
#include "designwindow/ConverterDialog.h"
#include "designwindow/DesignWindow.h"
#include "frame/QtEditTarget.h"
#include "frame/SimulatorCommands.h"
#include "platform/WindowFit.h"

// Resources of a static library must be registered by name, outside any namespace.
static void initFrameResources() {
    Q_INIT_RESOURCE(icons);
}

namespace coilsmith {

namespace {

// 615 twips at 15 twips to a pixel.
constexpr int kButtonSize = 41;

FrameSeams seamsOf(const FrameServices& services) {
    return {services.prompter, services.fileDialogs, services.clipboard, services.print,
            loadRememberedFiles(QSettings())};
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
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (!services_.startupNotice.empty()) {
        statusBar()->showMessage(QString::fromStdString(services_.startupNotice));
    }
    // The client area of 8790 by 8415 twips the frame first opens with, where it fits.
    resize(boundedToScreen(QSize(760, 620), screen()->availableGeometry().size()));
}

QSize boundedToScreen(const QSize& wanted, const QSize& available) {
    return wanted.boundedTo(available);
}

// Once shown, the window system has added its frame: the whole window, frame included,
// is brought within the screen's free area.
void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    fitToScreen(*this);
}

MainWindow::~MainWindow() {
    closeAdviser();
}

DesignWindow* MainWindow::design() const {
    return choke_.data();
}

CoreAdviserWindow* MainWindow::adviser() const {
    return adviser_.data();
}

void MainWindow::addCommand(const char* name, QObject* control) {
    control->setObjectName(QString::fromLatin1(name));
    controls_[name] = control;
}

namespace {

// The platform's standard key, or `fallback` where its key scheme has none (the Windows
// scheme, also used offscreen, has none for Save As and Quit).
QKeySequence standardKey(QKeySequence::StandardKey key, const QKeySequence& fallback = {}) {
    const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
    return bindings.isEmpty() ? fallback : bindings.constFirst();
}

// "Save &As" shows as "Save As": a tool tip names a command as its menu item does, with
// the key that runs it.
QString toolTipFor(const QString& caption, const QKeySequence& key) {
    QString name = caption;
    name.remove(QLatin1Char('&'));
    return key.isEmpty()
               ? name
               : QStringLiteral("%1 (%2)").arg(name, key.toString(QKeySequence::NativeText));
}

}  // namespace

void MainWindow::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("menus"));
    FrameController& c = controller_;
    struct Item {
        const char* name;  // nullptr: a separator
        const char* caption;
        std::function<void()> command;
        QKeySequence key{};
    };
    struct Menu {
        const char* name;
        const char* caption;
        std::vector<Item> items;
    };
    const std::vector<Menu> menus{
        {"mFile",
         "&File",
         {{"mNew", "&New", [this] { newDesign(); }, standardKey(QKeySequence::New)},
          {"mOpen", "&Open", [&c] { c.openDesign(); }, standardKey(QKeySequence::Open)},
          {"mClose", "&Close", [&c] { c.closeDesign(); }},
          {nullptr, nullptr, {}},
          {"mSave", "&Save", [&c] { c.save(); }, standardKey(QKeySequence::Save)},
          {"mSaveAs", "Save &As", [&c] { c.saveAs(); },
           standardKey(QKeySequence::SaveAs, QKeySequence(QStringLiteral("Ctrl+Shift+S")))},
          {"mExportModel", "&Export Simulator Model\u2026",
           [this] {
               exportSimulatorModel(*this, design() != nullptr, controller_.state(),
                                    {services_.fileDialogs, services_.prompter,
                                     controller_.rememberedFiles().lastFolder});
           }},
          {"mExportDelivered", "Export &Delivered Simulator Model\u2026",
           [this] {
               exportSimulatorModel(*this, design() != nullptr, controller_.state(),
                                    {services_.fileDialogs, services_.prompter,
                                     controller_.rememberedFiles().lastFolder},
                                    ModelledDesign::Delivered);
           }},
          {nullptr, nullptr, {}},
          {"mPrint", "&Print", [&c] { c.print(); }, standardKey(QKeySequence::Print)},
          {nullptr, nullptr, {}},
          {"mExit", "E&xit", [this] { exitProgram(); },
           standardKey(QKeySequence::Quit, QKeySequence(QStringLiteral("Ctrl+Q")))}}},
        {"mEdit",
         "&Edit",
         {{"mUndo", "&Undo", [&c] { c.undo(); }, standardKey(QKeySequence::Undo)},
          {"mCut", "Cu&t", [&c] { c.cut(); }, standardKey(QKeySequence::Cut)},
          {"mCopy", "&Copy", [&c] { c.copy(); }, standardKey(QKeySequence::Copy)},
          {"mPaste", "&Paste", [&c] { c.paste(); }, standardKey(QKeySequence::Paste)}}},
        {"mDesign",
         "&Design",
         {{"mSpces", "&Specifications", [&c] { c.showSpecifications(); }},
          {"mCoreDB", "Core &Database", [&c] { c.showCoreDatabase(); }},
          {"mRun", "&Run", [&c] { c.runDesign(); }, QKeySequence(Qt::Key_F5)},
          {"mAdviser", "Core &Adviser", [this] { showCoreAdviser(); }},
          {"mFromConverter", "Specification from &Converter\u2026",
           [this] {
               if (const auto entry = askConverterSpecification(this, services_.locale)) {
                   enterConverterSpecification(*this, *entry);
               }
           }}}},
        {"mHelp",
         "&Help",
         {{"mCSHelp", "Coilsmith &Help", [&c] { c.showHelp(); },
           standardKey(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1))},
          {nullptr, nullptr, {}},
          {"mAbout", "&About Coilsmith", [&c] { c.showAbout(); }}}},
    };
    for (const auto& spec : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(spec.caption));
        addCommand(spec.name, menu);
        for (const auto& item : spec.items) {
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            addCommand(item.name, action);
            action->setShortcut(item.key);
            connect(action, &QAction::triggered, this, item.command);
            if (item.name == std::string_view("mOpen")) {
                buildRecentMenu(menu);
            }
        }
    }
}

void MainWindow::buildToolBar() {
    FrameController& c = controller_;
    struct Button {
        const char* name;
        const char* command;  // the menu item whose caption and key the tool tip shows
        const char* icon;
        std::function<void()> run;  // empty: the button has none
    };
    const std::vector<Button> buttons{
        {"newButt", "mNew", "new", [this] { newDesign(); }},
        {"openButt", "mOpen", "open", [&c] { c.openDesign(); }},
        {"saveButt", "mSave", "save", [&c] { c.save(); }},
        {"copyButt", "mCopy", "copy", [&c] { c.copy(); }},
        {"cutButt", "mCut", "cut", [&c] { c.cut(); }},
        {"pasteButt", "mPaste", "paste", [&c] { c.paste(); }},
        {"delButt", nullptr, "delete", [&c] { c.deleteSelection(); }},
        {"undoButt", "mUndo", "undo", [&c] { c.undo(); }},
        {"designButt", "mSpces", "design", [&c] { c.showSpecifications(); }},
        {"coredbButt", "mCoreDB", "coredb", [&c] { c.showCoreDatabase(); }},
        {"runButt", "mRun", "run", [&c] { c.runDesign(); }},
        {"printButt", "mPrint", "print", [&c] { c.print(); }},
        {"helpButt", "mCSHelp", "help", [&c] { c.showHelp(); }},
        {"graphButt", nullptr, "graph", {}},
    };
    // Delete has a button and a key but no menu item.
    deleteKey_ = new QAction(QStringLiteral("Delete"), this);
    deleteKey_->setObjectName(QStringLiteral("delKey"));
    deleteKey_->setShortcut(standardKey(QKeySequence::Delete, QKeySequence(Qt::Key_Delete)));
    addAction(deleteKey_);
    connect(deleteKey_, &QAction::triggered, this, [&c] { c.deleteSelection(); });

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
        const QAction* item =
            spec.command ? static_cast<QAction*>(controls_.at(spec.command)) : deleteKey_;
        button->setToolTip(spec.run ? toolTipFor(item->text(), item->shortcut())
                                    : QStringLiteral("Graph"));
        button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(spec.icon))));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);  // the edit commands act on the focused control
        button->setFixedSize(QString::fromLatin1(spec.name) == QLatin1String("designButt")
                                 ? QSize(49, kButtonSize)
                                 : QSize(kButtonSize, kButtonSize));
        QAction* slot = bar->addWidget(button);
        if (spec.run) {
            connect(button, &QToolButton::clicked, this, spec.run);
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
    deleteKey_->setEnabled(commands.enabled("delButt"));
    enableRecentMenu();
}

void MainWindow::showCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

// A new design is typed from its first field on.
void MainWindow::newDesign() {
    if (controller_.newDesign() && choke_) {
        choke_->focusFirstField();
    }
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

DesignWindow* MainWindow::ensureDesign() {
    if (!choke_) {
        ChokeModel::Options options{services_.appDir, services_.cataloguePath, services_.locale};
        auto* choke = new DesignWindow(std::move(options), services_.prompter, &controller_);
        choke_ = choke;
        // The one design window fills the frame and has no frame of its own to close it by.
        designWindow_ = mdi_->addSubWindow(choke, Qt::FramelessWindowHint);
        designWindow_->setObjectName(QStringLiteral("designWindow"));
        connect(choke, &DesignWindow::adviserRequested, this, &MainWindow::showCoreAdviser);
        // An open adviser follows the specification the design window shows.
        connect(choke, &DesignWindow::changed, this, [this] {
            if (adviser_ && choke_) {
                adviser_->follow(choke_->model());
            }
        });
        // As large as the design window needs, where the screen allows; scroll bars
        // show the rest on a small screen.
        const QSize around = size() - mdi_->size();
        mdi_->setMinimumSize(boundedToScreen(
            designWindow_->minimumSizeHint(),
            screen()->availableGeometry().size() - around - (frameGeometry().size() - size())));
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
// shows now (sized again first if it changed since "Calculate AP"). It has no parent so that it
// does not stay above the frame it applies to; the frame deletes it with the design.
void MainWindow::showCoreAdviser() {
    bool sized = false;
    // An open adviser follows here already, ranking a specification that changed.
    withDesign([&sized](ChokeModel& model) { sized = model.sizeChangedSpecification(); });
    if (!sized) {
        return;  // the refused input was reported; nothing to rank
    }
    const DesignWindow* choke = ensureDesign();
    const bool ranking = adviser_ && adviser_->isRanking();
    if (!adviser_) {
        adviser_ = new CoreAdviserWindow(
            [this](const adviser::Candidate& candidate) { applyCandidate(candidate); });
        adviser_->setAttribute(Qt::WA_DeleteOnClose);
        adviser_->resize(1000, 700);
        connect(adviser_, &CoreAdviserWindow::rankRequested, this, &MainWindow::showCoreAdviser);
    }
    adviser_->show();
    adviser_->raise();
    adviser_->activateWindow();
    if (!ranking) {
        adviser_->rank(choke->model());
    }
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

void MainWindow::buildRecentMenu(QMenu* fileMenu) {
    recentMenu_ = fileMenu->addMenu(QStringLiteral("Open &Recent"));
    recentMenu_->setObjectName(QStringLiteral("mRecent"));
    showRecentFiles();
}

// Runs while a recent file's own action is triggered: the old actions are deleted only
// once that is over.
void MainWindow::showRecentFiles() {
    for (QAction* old : recentMenu_->actions()) {
        recentMenu_->removeAction(old);
        old->deleteLater();
    }
    const auto& paths = controller_.rememberedFiles().recentFiles;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        // An ampersand in a path is shown as itself, not as a mnemonic.
        const QString path = QString::fromStdString(paths[i]).replace('&', QStringLiteral("&&"));
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        connect(action, &QAction::triggered, this, [this, file = paths[i]] {
            const std::string chosen = file;
            controller_.openRecentFile(chosen);
        });
    }
    enableRecentMenu();
}

void MainWindow::enableRecentMenu() {
    const bool on = !controller_.rememberedFiles().recentFiles.empty() &&
                    controller_.commands().enabled("mOpen");
    recentMenu_->setEnabled(on);
    recentMenu_->menuAction()->setEnabled(on);
}

void MainWindow::showRememberedFiles(const RememberedFiles& files) {
    QSettings settings;
    saveRememberedFiles(settings, files);
    showRecentFiles();
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
