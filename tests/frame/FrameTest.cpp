#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

#include "adviserwindow/CoreAdviserWindow.h"
#include "designwindow/CheckPage.h"
#include "designwindow/ConverterDialog.h"
#include "designwindow/DesignWindow.h"
#include "extras/HelpWindow.h"
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
    struct {
        FakePrompter prompter;
        FakeFileDialogs dialogs;
        FakeClipboard clipboard;
        int printed = 0, helpShown = 0, aboutShown = 0;
    } f_;  // the fakes, new for each test
    std::unique_ptr<MainWindow> main_;
    QTemporaryDir dir_;

    DesignWindow* design() const { return main_->design(); }
    QLineEdit* box(const QString& name) const { return design()->findChild<QLineEdit*>(name); }
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
    // Types "box=text" into the box as the user would.
    void type(const QString& entry) {
        QLineEdit* typed = box(entry.section('=', 0, 0));
        typed->setFocus();
        typed->selectAll();
        QTest::keyClicks(typed, entry.section('=', 1));
    }
    // New and the worked specification typed in.
    void typeSpecification() {
        use("mNew");
        for (const char* entry : {"Ldes=25", "DCC=25", "ACC=5", "Freq=50", "FD=0.5"}) {
            type(entry);
        }
    }
    // Then Calculate AP: every command is enabled.
    void specify() {
        typeSpecification();
        design()->findChild<QAbstractButton*>("CAP")->click();
    }
    // Acts on the converter dialog once its modal loop runs.
    void whenDialogShows(std::function<void(ConverterDialog&)> act) {
        QTimer::singleShot(0, this, [act] {
            act(*qobject_cast<ConverterDialog*>(QApplication::activeModalWidget()));
        });
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
        f_ = {};
        FrameServices services{f_.prompter, f_.dialogs, f_.clipboard, COILSMITH_BIN_DIR};
        services.showHelp = [this] { ++f_.helpShown; };
        services.showAbout = [this] { ++f_.aboutShown; };
        services.print = [this](const ChokeModel&, const std::string&, const std::string&) {
            ++f_.printed;
        };
        services.startupNotice = "The catalogue is missing.";
        main_ = std::make_unique<MainWindow>(std::move(services));
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }
    void cleanup() { main_.reset(); }

    // The shown states are the controller's at start, after New and Calculate AP (by Return
    // in a field) and after Close. New puts the cursor in the first field; the close box
    // asks, and a cancelled save keeps the frame.
    void frameFollowsTheDesign() {
        QCOMPARE(main_->statusBar()->currentMessage(), "The catalogue is missing.");
        showsTheControllersStates();
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        use("mNew");
        QCOMPARE(QApplication::focusWidget(), box("Ldes"));
        typeSpecification();
        QTest::keyClick(box("Freq"), Qt::Key_Return);
        QVERIFY(tabs()->isTabEnabled(kCorePage) && shownEnabled("mRun"));
        showsTheControllersStates();
        f_.prompter.answerYes();
        f_.dialogs.cancelOnSave();
        QVERIFY(!main_->close());
        QVERIFY(main_->close() && !design());  // not saved: the prompter answers No
        showsTheControllersStates();
    }

    // Every menu item, tool button and key, after the worked specification with "2" of Ldes
    // selected and "µH" (two UTF-16 units for Undo) on the clipboard, does its command.
    void everyControlReachesItsCommand() {
        struct Row {
            const char* controls;  // a menu item, a button and a key that run the same command
            std::function<bool()> done;
            const char* first = "";  // controls used before
        };
        const auto ldes = [this](const char* text) {
            return box("Ldes")->text() == text && design()->model().text("Ldes") == text;
        };
        const auto dialog = [this](bool saving, std::size_t calls) {
            return f_.dialogs.calls.size() == calls && f_.dialogs.calls.back().saving == saving;
        };
        const auto messages = [this] { return f_.prompter.messages.size() == 1; };
        const std::vector<Row> rows{
            {"mNew newButt Ctrl+N", [this] { return box("DCC")->text().isEmpty(); }},
            {"mOpen openButt Ctrl+O", [&] { return dialog(false, 1); }},
            {"mClose", [this] { return !design(); }},
            {"mSave saveButt Ctrl+S", [&] { return dialog(true, 2); }, "mSaveAs"},
            {"mSaveAs Ctrl+Shift+S", [&] { return dialog(true, 1); }},
            {"mPrint printButt Ctrl+P", [this] { return f_.printed == 1; }},
            {"mExit Ctrl+Q", [this] { return !main_->isVisible(); }},
            {"mCopy copyButt Ctrl+C", [this] { return f_.clipboard.contents == "2"; }},
            {"mCut cutButt Ctrl+X", [&] { return ldes("5") && f_.clipboard.contents == "2"; }},
            {"mPaste pasteButt Ctrl+V", [&] { return ldes("µH5"); }},
            {"delButt Del", [&] { return ldes("5") && f_.clipboard.contents == "µH"; }},
            // Undo takes back the last of Cut, Paste, Delete and Copy, in that precedence.
            {"mUndo undoButt Ctrl+Z", [&] { return ldes("5"); }, "mPaste"},  // the "µH" out
            {"mUndo", [&] { return ldes("25"); }, "mCut"},
            {"mUndo", [&] { return ldes("25") && f_.clipboard.contents == "µH"; }, "delButt"},
            {"mUndo", [&] { return ldes("5") && f_.clipboard.contents == "2"; }, "mCopy mPaste"},
            {"mUndo", [this] { return f_.clipboard.contents.empty(); }, "mCopy"},
            {"mSpces designButt", [this] { return tabs()->currentIndex() == kSpecPage; },
             "mCoreDB"},
            {"mCoreDB coredbButt", [this] { return tabs()->currentIndex() == kCorePage; }},
            {"mRun runButt F5", messages},  // no core chosen yet: Run says so
            {"mAdviser", [this] { return main_->adviser() != nullptr; }},
            // Not run yet: nothing to model (what the export writes is the controller's test).
            {"mExportModel mExportDelivered", messages},
            {"mCSHelp helpButt F1", [this] { return f_.helpShown == 1; }},
            {"mAbout", [this] { return f_.aboutShown == 1; }},
        };
        for (const Row& row : rows) {
            for (const QString& control : QString(row.controls).split(' ')) {
                cleanup();
                init();
                specify();
                box("Ldes")->setFocus();
                box("Ldes")->setSelection(0, 1);
                f_.clipboard.contents = "µH";
                f_.dialogs.chooseOnSave(path("p.txt"));  // for a Save
                for (const QString& first : QString(row.first).split(' ', Qt::SkipEmptyParts)) {
                    use(first);
                }
                use(control);
                QVERIFY2(row.done(), qPrintable(control));
            }
        }
    }

    // The accepted converter fills the boxes and calculates AP.
    void converterFillsTheSpecification() {
        whenDialogShows([](ConverterDialog& dialog) {
            const std::pair<const char*, const char*> figures[] = {
                {"VinMin", "18"}, {"VinMax", "36"}, {"Vout", "12"}, {"Iout", "5"}, {"Fs", "100k"}};
            for (const auto& [box, text] : figures) {
                dialog.findChild<QLineEdit*>(box)->setText(text);
            }
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        use("mFromConverter");
        QCOMPARE(box("Ldes")->text(), QStringLiteral("53.3333"));
        QVERIFY(!design()->model().text("APR").empty() && shownEnabled("mRun"));
        QVERIFY(f_.prompter.messages.empty() && f_.prompter.questions.empty());
    }

    void recentFilesAreListedAndOpened() {
        use("mNew");
        f_.dialogs.chooseOnSave(path("r.txt"));
        use("mSaveAs");
        const QList<QAction*> recent = main_->findChild<QMenu*>("mRecent")->actions();
        QCOMPARE(recent.size(), 1);
        QCOMPARE(recent.front()->text(), "&1 " + QString::fromStdString(path("r.txt")));
        recent.front()->trigger();
        QCOMPARE(main_->windowTitle(), QString::fromStdString("Coilsmith : " + path("r.txt")));
        const RememberedFiles kept = loadRememberedFiles(QSettings());  // for the next start
        QCOMPARE(std::tie(kept.recentFiles, kept.lastFolder),
                 std::tuple(std::vector{path("r.txt")}, dir_.path().toStdString()));
    }

    // Alone on the small screen (CMakeLists.txt): the frame, its check page, the adviser and
    // the help window fit.
    void windowsFitTheScreen() {
        const QRect available = main_->screen()->availableGeometry();
        if (available.height() >= 700) {
            QSKIP("the screen is large enough for any window");
        }
        const auto fits = [&available](QWidget* window) {
            window->show();
            return QTest::qWaitForWindowExposed(window) &&
                   available.contains(window->frameGeometry());
        };
        QVERIFY(fits(main_.get()));
        specify();
        design()->run([](ChokeModel& m) {
            m.setOption("Toroid", true);
            QVERIFY(m.setListText("Core", "T157") && m.setListText("CoreMat", "-26"));
            m.runDesign();
        });
        tabs()->setCurrentIndex(kCheckPage);
        QVERIFY(tabs()->currentIndex() == kCheckPage && fits(main_.get()));
        const QSize room = main_->findChild<QWidget*>("workspace")->size();
        QCOMPARE(room.expandedTo(design()->minimumSizeHint()), room);  // the design window fits
        use("mAdviser");
        QVERIFY(fits(main_->adviser()));
        const std::unique_ptr<HelpWindow> help(
            HelpWindow::open(QStringLiteral(COILSMITH_BIN_DIR), f_.prompter));
        QVERIFY(fits(help.get()));
    }

    // An open adviser follows the specification: typed, its ranking is out of date until
    // "Calculate AP" reads and ranks it (25 uH at 10 A DC, 5 A ripple: AP 0.48828125 cm^4).
    void adviserFollowsTheSpecification() {
        specify();
        use("mAdviser");
        CoreAdviserWindow* adviser = main_->adviser();
        QSignalSpy finished(adviser, &CoreAdviserWindow::rankingFinished);
        QVERIFY(finished.wait(60000));
        type("DCC=10");
        QVERIFY(adviser->outOfDate());
        design()->findChild<QAbstractButton*>("CAP")->click();
        QVERIFY(!adviser->outOfDate() && adviser->isRanking());
        QVERIFY(finished.wait(60000));
        QCOMPARE(adviser->ranking().limits.minAP, 0.48828125);
    }

    // A missing catalogue is the notice at start (the shipped one is read by every test).
    void missingCatalogueIsNoticed() {
        const CatalogueSummary missing = catalogueSummary("/none/Cores.csx");
        QVERIFY(!missing.readable);
        QCOMPARE(missing.text, "The catalogue /none/Cores.csx is missing.");
    }
};

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
