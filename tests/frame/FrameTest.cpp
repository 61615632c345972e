#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

#include "ChartTexts.h"
#include "adviserwindow/CoreAdviserWindow.h"
#include "designwindow/CheckPage.h"
#include "designwindow/DesignWindow.h"
#include "extras/SystemInfoText.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeFileDialogs.h"
#include "fakes/FakePrompter.h"
#include "frame/MainWindow.h"

using namespace coilsmith;

// The frame window's wiring: its controls reach the controller's commands and show its
// states. What the commands do is tested against the controller alone.
class FrameTest : public QObject {
    Q_OBJECT

  private:
    FakePrompter prompter_;
    FakeFileDialogs dialogs_;
    FakeClipboard clipboard_;
    std::unique_ptr<MainWindow> main_;
    QTemporaryDir dir_;
    std::vector<std::string> printed_;
    int helpShown_ = 0, aboutShown_ = 0;

    DesignWindow* design() const { return main_->design(); }
    QLineEdit* box(const char* name) const { return design()->findChild<QLineEdit*>(name); }
    QComboBox* combo(const char* name) const { return design()->findChild<QComboBox*>(name); }
    QTabWidget* tabs() const { return design()->findChild<QTabWidget*>("DsnTab"); }
    std::string path(const char* name) const { return dir_.filePath(name).toStdString(); }

    // The enabled state the user sees on a menu, menu item or button.
    bool shownEnabled(const QString& name) const {
        auto* menu = main_->findChild<QMenu*>(name);
        auto* action = menu ? menu->menuAction() : main_->findChild<QAction*>(name);
        auto* widget = main_->findChild<QWidget*>(name);
        return action ? action->isEnabled() : widget && widget->isEnabled();
    }
    void showsTheControllersStates() {
        for (const auto& name : CommandStates::names()) {
            QVERIFY2(shownEnabled(QString::fromStdString(name)) ==
                         main_->controller().commands().enabled(name),
                     name.c_str());
        }
    }
    void type(const char* name, const char* text) {
        box(name)->setFocus();
        box(name)->selectAll();
        QTest::keyClicks(box(name), text);
    }
    // Clicks a tool button, triggers a menu item or presses a key, as the user would.
    void use(const QString& name) {
        if (auto* button = main_->findChild<QToolButton*>(name)) {
            button->click();
        } else if (auto* action = main_->findChild<QAction*>(name)) {
            action->trigger();
        } else {
            main_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(main_.get()));
            QTest::keySequence(main_.get(), QKeySequence(name));
        }
    }
    // New and the worked specification typed in.
    void typeSpecification() {
        use("mNew");
        for (const auto& [name, text] : {std::pair{"Ldes", "25"},
                                         {"DCC", "25"},
                                         {"ACC", "5"},
                                         {"Freq", "50"},
                                         {"FD", "0.5"}}) {
            type(name, text);
        }
    }
    // Then Calculate AP: every command is enabled.
    void specify() {
        typeSpecification();
        design()->findChild<QAbstractButton*>("CAP")->click();
    }
    void choose(const char* list, const char* item) {
        combo(list)->setCurrentIndex(combo(list)->findText(item));
        emit combo(list)->activated(combo(list)->currentIndex());
    }
    void restart() {
        cleanup();
        init();
        specify();
    }

  private slots:
    // Settings go to a test folder under a test organisation, never the user's.
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("CoilsmithFrameTest"));
        QCoreApplication::setApplicationName(QStringLiteral("frame_tests"));
    }
    void init() {
        QSettings().clear();
        prompter_ = FakePrompter{};
        dialogs_ = FakeFileDialogs{};
        clipboard_ = FakeClipboard{};
        printed_.clear();
        helpShown_ = aboutShown_ = 0;
        FrameServices services{prompter_, dialogs_, clipboard_};
        services.appDir = COILSMITH_BIN_DIR;
        services.cataloguePath = std::string(COILSMITH_BIN_DIR) + "/Cores.csx";
        services.showHelp = [this] { ++helpShown_; };
        services.showAbout = [this] { ++aboutShown_; };
        services.print = [this](const ChokeModel&, const std::string& name, const std::string&) {
            printed_.push_back(name);
        };
        services.startupNotice = "The catalogue is missing.";
        main_ = std::make_unique<MainWindow>(std::move(services));
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }
    void cleanup() { main_.reset(); }

    void toolBarOrderTipsAndCaptions() {
        const QStringList expected{"newButt",   "openButt",  "saveButt", "copyButt",   "cutButt",
                                   "pasteButt", "delButt",   "undoButt", "designButt", "coredbButt",
                                   "runButt",   "printButt", "helpButt", "graphButt"};
        QStringList shown;
        for (auto* button : main_->findChild<QWidget*>("menuBar")->findChildren<QToolButton*>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            if (expected.contains(button->objectName())) {
                shown << button->objectName();
            }
        }
        QCOMPARE(shown, expected);
        // Menu items show their key beside them; tool tips name the command and its key.
        for (const auto& [button, tip] : {std::pair{"coredbButt", "Core Database"},
                                          {"newButt", "New (Ctrl+N)"},
                                          {"delButt", "Delete (Del)"},
                                          {"helpButt", "Coilsmith Help (F1)"}}) {
            QCOMPARE(main_->findChild<QToolButton*>(button)->toolTip(), tip);
        }
        QCOMPARE(main_->findChild<QAction*>("mCSHelp")->text(), "Coilsmith &Help");
        QCOMPARE(main_->findChild<QMenu*>("mFile")->title(), "&File");
        QCOMPARE(main_->statusBar()->currentMessage(), "The catalogue is missing.");
        QVERIFY(main_->findChild<QToolButton*>("graphButt")->isHidden());
        QCOMPARE(main_->windowTitle(), "Coilsmith");
    }

    void enabledStatesAreCopied() {
        showsTheControllersStates();
        specify();
        showsTheControllersStates();
        prompter_.answerNo();
        use("mClose");
        showsTheControllersStates();
        QCOMPARE(main_->windowTitle(), "Coilsmith");
    }

    // Every menu item, tool button and key, after the worked specification with "2" of Ldes
    // selected and "X" on the clipboard, does what its command does.
    void everyControlReachesItsCommand() {
        struct Row {
            const char* controls;  // a menu item, a button and a key that run the same command
            std::function<bool()> done;
            char prepare = 0;  // 's': a Save first, 'p': a Paste first, 'c': the core page
        };
        const auto ldes = [this](const char* text) {
            return box("Ldes")->text() == text && design()->model().text("Ldes") == text;
        };
        const auto dialog = [this](bool saving, std::size_t calls) {
            return dialogs_.calls.size() == calls && dialogs_.calls.back().saving == saving;
        };
        const std::vector<Row> rows{
            {"mNew newButt Ctrl+N", [this] { return box("DCC")->text().isEmpty(); }},
            {"mOpen openButt Ctrl+O", [&] { return dialog(false, 1); }},
            {"mClose", [this] { return !design(); }},
            {"mSave saveButt Ctrl+S", [&] { return dialog(true, 2); }, 's'},
            {"mSaveAs Ctrl+Shift+S", [&] { return dialog(true, 1); }},
            {"mPrint printButt Ctrl+P", [this] { return printed_.size() == 1; }},
            {"mExit Ctrl+Q", [this] { return !main_->isVisible(); }},
            {"mCopy copyButt Ctrl+C", [this] { return clipboard_.contents == "2"; }},
            {"mCut cutButt Ctrl+X", [&] { return ldes("5") && clipboard_.contents == "2"; }},
            {"mPaste pasteButt Ctrl+V", [&] { return ldes("X5"); }},
            {"delButt Del", [&] { return ldes("5") && clipboard_.contents == "X"; }},
            {"mUndo undoButt Ctrl+Z", [&] { return ldes("5"); }, 'p'},  // takes the "X" out again
            {"mSpces designButt", [this] { return tabs()->currentIndex() == kSpecPage; }, 'c'},
            {"mCoreDB coredbButt", [this] { return tabs()->currentIndex() == kCorePage; }},
            // No core chosen yet: Run says so.
            {"mRun runButt F5", [this] { return prompter_.messages.size() == 1; }},
            {"mAdviser", [this] { return main_->adviser() != nullptr; }},
            {"mCSHelp helpButt F1", [this] { return helpShown_ == 1; }},
            {"mAbout", [this] { return aboutShown_ == 1; }},
        };
        for (const Row& row : rows) {
            for (const QString& control : QString(row.controls).split(' ')) {
                restart();
                box("Ldes")->setFocus();
                box("Ldes")->setSelection(0, 1);
                clipboard_.contents = "X";
                if (row.prepare == 's') {
                    dialogs_.chooseOnSave(path("p.txt"));
                    main_->controller().saveAs();
                } else if (row.prepare == 'p') {
                    main_->controller().paste();
                } else if (row.prepare == 'c') {
                    main_->controller().showCoreDatabase();
                }
                use(control);
                QVERIFY2(row.done(), qPrintable(control));
            }
        }
    }

    void returnInASpecificationFieldCalculatesTheAreaProduct() {
        typeSpecification();
        QVERIFY(!tabs()->isTabEnabled(kCorePage));
        QTest::keyClick(box("Freq"), Qt::Key_Return);
        QVERIFY(tabs()->isTabEnabled(kCorePage));
        QVERIFY(shownEnabled("mRun"));
    }

    void recentFilesAreListedAndOpened() {
        use("mNew");
        dialogs_.chooseOnSave(path("r.txt"));
        use("mSaveAs");
        const QList<QAction*> recent = main_->findChild<QMenu*>("mRecent")->actions();
        QCOMPARE(recent.size(), 1);
        QCOMPARE(recent.front()->text(), "&1 " + QString::fromStdString(path("r.txt")));
        recent.front()->trigger();
        QCOMPARE(main_->windowTitle(), QString::fromStdString("Coilsmith : " + path("r.txt")));
        QCOMPARE(loadRememberedFiles(QSettings()).recentFiles, std::vector{path("r.txt")});
    }

    // Run by itself on a 1000-pixel-high screen at scale 2 (see CMakeLists.txt). The
    // design window, its check page included, takes no more room than the frame has.
    void frameFitsTheScreen() {
        const QRect available = main_->screen()->availableGeometry();
        if (available.height() >= 700) {
            QSKIP("the screen is large enough for any frame");
        }
        QVERIFY(available.contains(main_->frameGeometry()));
        specify();
        QVERIFY(available.contains(main_->frameGeometry()));
        design()->findChild<QRadioButton*>("Toroid")->click();
        choose("Core", "T157");
        choose("CoreMat", "-26");
        use("runButt");
        tabs()->setCurrentIndex(kCheckPage);
        QCOMPARE(tabs()->currentIndex(), kCheckPage);
        QVERIFY(available.contains(main_->frameGeometry()));
        auto* workspace = main_->findChild<QWidget*>("workspace");
        const QSize room = workspace->size();
        const QSize needed = design()->minimumSizeHint();
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(QStringLiteral("the design window needs %1 x %2 of %3 x %4")
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(room.width())
                                .arg(room.height())));
        auto* chart = design()->findChild<QChartView*>("CheckChart");
        for (QAbstractAxis* axis : chart->chart()->axes()) {
            QTRY_VERIFY2(test::chartTexts(*chart).contains(axis->titleText()),
                         qPrintable(test::chartTexts(*chart).join('|')));
        }
    }

    // New, by menu or button, puts the keyboard cursor in the first specification field.
    void newDesignStartsInItsFirstField() {
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        use("mNew");
        QCOMPARE(QApplication::focusWidget(), box("Ldes"));
        box("FD")->setFocus();
        prompter_.answerNo();
        use("newButt");
        QCOMPARE(QApplication::focusWidget(), box("Ldes"));
    }

    // 100 mH at 100 A DC, 1 A ripple on T157: the minimum AP 126253.125 cm^4 is far above
    // the core's 4.876, and the design that runs is outside the method's limits.
    void designBeyondTheMethodsLimitsIsFlagged() {
        specify();
        auto* relation = design()->findChild<QLabel*>("APRelation");
        auto* warning = design()->findChild<QLabel*>("LimitWarning");
        design()->findChild<QRadioButton*>("Toroid")->click();
        choose("Core", "T157");
        choose("CoreMat", "-26");
        QCOMPARE(relation->text(), QString("<"));  // 4.876 above 2.363
        use("runButt");
        QVERIFY(warning->isHidden());
        type("Ldes", "100");
        choose("Lunit", "mH");
        type("DCC", "100");
        type("ACC", "1");
        design()->findChild<QAbstractButton*>("CAP")->click();
        QCOMPARE(box("minAP")->text() + " " + relation->text() + " " + box("APROD")->text(),
                 QString("126253.125 > 4.876"));
        QCOMPARE(relation->toolTip(), QString("The core's AP is below the minimum AP"));
        use("runButt");
        QCOMPARE(tabs()->currentIndex(), kResultsPage);
        QVERIFY(warning->isVisible());
        QCOMPARE(warning->text(), QString("Warning: core AP below the minimum AP; Bmax above the "
                                          "specified flux density; temperature rise above 100 "
                                          "deg. C."));
    }

    // An open adviser follows the specification: typed, its ranking is out of date until
    // "Calculate AP" reads and ranks it. 25 uH at 10 A DC, 5 A ripple:
    // AP = 2 (0.5 25e-6 12.5^2) 1e8 / (0.5 4e6 0.4) = 0.48828125 cm^4 (shown 0.488).
    void adviserFollowsTheSpecification() {
        specify();
        use("mAdviser");
        CoreAdviserWindow* adviser = main_->adviser();
        QVERIFY(adviser);
        QSignalSpy finished(adviser, &CoreAdviserWindow::rankingFinished);
        QVERIFY(finished.wait(60000));
        QVERIFY(!adviser->outOfDate());
        type("DCC", "10");
        QVERIFY(adviser->outOfDate());
        design()->findChild<QAbstractButton*>("CAP")->click();
        QVERIFY(!adviser->outOfDate() && adviser->isRanking());
        QVERIFY(finished.wait(60000));
        QCOMPARE(adviser->ranking().limits.minAP, 0.48828125);
    }

    void catalogueIsSummarised() {
        // The shipped CSV files hold 10 E-cores and 20 toroids, and 11 materials.
        const QString shipped = QStringLiteral(COILSMITH_BIN_DIR "/Cores.csx");
        const CatalogueSummary summary = catalogueSummary(shipped);
        QVERIFY(summary.readable);
        QCOMPARE(summary.text, "Catalogue: " + shipped + ", 30 cores, 11 materials");
        QCOMPARE(catalogueSummary("/none/Cores.csx").text,
                 "The catalogue /none/Cores.csx is missing.");
    }

    void closeBoxAsksAndACancelledSaveKeepsTheFrame() {
        use("mNew");
        prompter_.answerYes();
        dialogs_.cancelOnSave();
        QVERIFY(!main_->close());
        QVERIFY(main_->isVisible() && design());
        prompter_.answerNo();
        QVERIFY(main_->close());
        QCOMPARE(prompter_.questions.back(), "Do you want to save changes before exiting?");
    }

    // The DC field shown is 0.798 x Hdc[Oe] = ampere-turns per cm (1 Oe = 0.7958 A/cm);
    // the utilisation list holds fractions 0.2 to 0.8.
    void unitCaptionsAreTrue() {
        use("mNew");
        QStringList captions;
        for (QLabel* label : design()->findChildren<QLabel*>()) {
            captions << label->text();
        }
        QVERIFY(captions.contains("Hdc (A/cm)") && captions.contains("fraction of window area"));
    }

    // Run after a paste changed the specification, without "Calculate AP", designs what the
    // window shows: the same as pressing "Calculate AP" and then Run (325 uH here).
    void runDesignsTheSpecificationShown() {
        specify();
        design()->findChild<QRadioButton*>("Toroid")->click();
        choose("Core", "T157");
        choose("CoreMat", "-26");
        use("runButt");
        const QString turnsBefore = box("NTurns")->text();
        box("Ldes")->setFocus();
        box("Ldes")->setCursorPosition(0);
        clipboard_.contents = "3";
        use("mPaste");
        const auto results = [this] {
            QStringList texts;
            for (auto* box : tabs()->findChildren<QLineEdit*>()) {
                texts << box->text();
            }
            return texts;
        };
        use("runButt");
        QCOMPARE(tabs()->currentIndex(), kResultsPage);
        const QStringList afterRun = results();
        design()->findChild<QAbstractButton*>("CAP")->click();
        use("runButt");
        QCOMPARE(prompter_.messages, std::vector<std::string>{});
        QCOMPARE(afterRun, results());
        QVERIFY(box("NTurns")->text() != turnsBefore);
    }
};

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
