#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <memory>

#include "adviser/CoreAdviserWindow.h"
#include "design/Choke.h"
#include "frame/Main.h"
#include "platform/fakes/FakeClipboard.h"
#include "platform/fakes/FakeFileDialogs.h"
#include "platform/fakes/FakePrompter.h"

using namespace coilsmith;

namespace {

const std::string kExitQuestion = "Do you want to save changes before exiting?";
const std::string kNewQuestion = "Do you want to save changes for Untitled";

const char* const kTextBoxes[] = {
    "Price", "fCore", "CDact", "FIdc",   "FDac",  "FDmax",      "TRISE",   "TWT", "PTOT",  "COL",
    "CUL",   "DCR",   "WAWG",  "NTurns", "EffMu", "Inductance", "WinArea", "MPL", "VCORE", "ACORE",
    "Mu",    "APROD", "minAP", "APR",    "FD",    "Freq",       "ACC",     "DCC", "Ldes"};
const char* const kResults[] = {"Inductance", "EffMu", "NTurns", "WAWG",  "DCR",   "CUL",
                                "COL",        "PTOT",  "TWT",    "TRISE", "FDmax", "FDac",
                                "FIdc",       "CDact", "fCore",  "Price"};

// Limits the size of any file this process writes, so that writing a design fails
// half-way whatever the process's permissions.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class FrameTest : public QObject {
    Q_OBJECT

  private:
    FakePrompter prompter_;
    FakeFileDialogs dialogs_;
    FakeClipboard clipboard_;
    std::unique_ptr<Main> main_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::vector<std::string> printed_;
    int helpShown_ = 0;
    int aboutShown_ = 0;

    Choke* design() const { return main_->design(); }
    QLineEdit* box(const char* name) const {
        return design()->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QComboBox* combo(const char* name) const {
        return design()->findChild<QComboBox*>(QString::fromLatin1(name));
    }
    QTabWidget* tabs() const { return design()->findChild<QTabWidget*>("DsnTab"); }
    QString path(const char* name) const { return dir_->filePath(QString::fromLatin1(name)); }

    // The enabled state the user sees on a menu, menu item or button.
    bool shownEnabled(const QString& name) const {
        if (auto* menu = main_->findChild<QMenu*>(name)) {
            return menu->menuAction()->isEnabled();
        }
        if (auto* action = main_->findChild<QAction*>(name)) {
            return action->isEnabled();
        }
        auto* widget = main_->findChild<QWidget*>(name);
        return widget && widget->isEnabled();
    }

    void type(const char* name, const QString& text) {
        QLineEdit* edit = box(name);
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Backspace);
        } else {
            QTest::keyClicks(edit, text);
        }
    }
    void pick(const char* name, int index) {
        QComboBox* list = combo(name);
        QVERIFY(index < list->count());
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void click(const char* name) {
        design()->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
    }
    void trigger(const char* name) {
        main_->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    }
    void press(const char* name) {
        main_->findChild<QToolButton*>(QString::fromLatin1(name))->click();
    }

    // New, the default specification and Calculate AP.
    void specify() {
        trigger("mNew");
        type_("Ldes", "25");
        type_("DCC", "25");
        type_("ACC", "5");
        type_("Freq", "50");
        type_("FD", "0.5");
        click("CAP");
    }
    // Then a core type, core and material, and Run.
    void completeDesign(const char* type, int core) {
        specify();
        click(type);
        pick("Core", core);
        pick("CoreMat", 0);
        press("runButt");
    }
    void type_(const char* name, const char* text) { type(name, QString::fromLatin1(text)); }

    // Opens the adviser by the menu item or the page's button and waits for its ranking.
    CoreAdviser* openAdviser(bool byButton) {
        byButton ? click("AdviserButton") : trigger("mAdviser");
        CoreAdviser* adviser = main_->adviser();
        if (!adviser) {
            return nullptr;
        }
        // The result arrives through the event loop, which has not run since the click.
        QSignalSpy finished(adviser, &CoreAdviser::rankingFinished);
        return finished.wait(120000) ? adviser : nullptr;
    }
    QString cell(CoreAdviser* adviser, int row, const QString& title) const {
        const QAbstractItemModel* table = adviser->findChild<QTableView*>("Candidates")->model();
        for (int column = 0; column < table->columnCount(); ++column) {
            if (table->headerData(column, Qt::Horizontal).toString() == title) {
                return table->index(row, column).data().toString();
            }
        }
        return "no column " + title;
    }

  private slots:
    void init() {
        prompter_ = FakePrompter{};
        dialogs_ = FakeFileDialogs{};
        clipboard_ = FakeClipboard{};
        printed_.clear();
        helpShown_ = aboutShown_ = 0;
        dir_ = std::make_unique<QTemporaryDir>();
        FrameServices services{prompter_, dialogs_, clipboard_};
        services.appDir = COILSMITH_BIN_DIR;
        services.cataloguePath = std::string(COILSMITH_BIN_DIR) + "/Cores.csx";
        services.showHelp = [this] { ++helpShown_; };
        services.showAbout = [this] { ++aboutShown_; };
        services.print = [this](const ChokeModel&, const std::string& name) {
            printed_.push_back(name);
        };
        main_ = std::make_unique<Main>(std::move(services));
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }
    void cleanup() { main_.reset(); }

    void startState_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        const std::pair<const char*, bool> table[] = {
            {"mFile", true},     {"mNew", true},       {"mOpen", true},       {"mClose", false},
            {"mSave", false},    {"mSaveAs", true},    {"mPrint", false},     {"mExit", true},
            {"mEdit", false},    {"mUndo", false},     {"mCut", false},       {"mCopy", false},
            {"mPaste", false},   {"mDesign", true},    {"mSpces", true},      {"mCoreDB", false},
            {"mRun", false},     {"mAdviser", false},  {"mHelp", true},       {"mCSHelp", true},
            {"mAbout", true},    {"menuBar", true},    {"newButt", true},     {"openButt", true},
            {"saveButt", false}, {"copyButt", false},  {"cutButt", false},    {"pasteButt", false},
            {"delButt", false},  {"undoButt", false},  {"designButt", false}, {"coredbButt", false},
            {"runButt", false},  {"printButt", false}, {"helpButt", true},    {"graphButt", false}};
        for (const auto& [name, enabled] : table) {
            QTest::newRow(name) << QString::fromLatin1(name) << enabled;
        }
    }
    void startState() {
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        QCOMPARE(shownEnabled(name), enabled);
        QCOMPARE(main_->windowTitle(), QStringLiteral("Coilsmith"));
        QVERIFY(!design());
        QVERIFY(main_->findChild<QToolButton*>("graphButt")->isHidden());
    }

    void toolBarOrderAndTips() {
        const QStringList expected{"newButt",   "openButt",  "saveButt", "copyButt",   "cutButt",
                                   "pasteButt", "delButt",   "undoButt", "designButt", "coredbButt",
                                   "runButt",   "printButt", "helpButt", "graphButt"};
        QStringList shown;
        for (QToolButton* button :
             main_->findChild<QWidget*>("menuBar")->findChildren<QToolButton*>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            if (expected.contains(button->objectName())) {
                shown << button->objectName();
            }
        }
        QCOMPARE(shown, expected);
        QCOMPARE(main_->findChild<QToolButton*>("coredbButt")->toolTip(),
                 QStringLiteral("Core DataBase"));
        QCOMPARE(main_->findChild<QAction*>("mCSHelp")->text(), QStringLiteral("Coilsmith Help"));
    }

    void newWithoutDesignAsksNothing() {
        press("newButt");
        QVERIFY(prompter_.questions.empty());
        QCOMPARE(main_->windowTitle(), QStringLiteral("Coilsmith : Untitled"));
        for (const char* name : kTextBoxes) {
            QVERIFY2(box(name)->text().isEmpty(), name);
        }
        QCOMPARE(tabs()->currentIndex(), 0);
        QVERIFY(!tabs()->isTabEnabled(1));
        QVERIFY(!tabs()->isTabEnabled(2));
        for (const char* name : {"mSave", "mCoreDB", "mRun", "mAdviser", "runButt", "coredbButt"}) {
            QVERIFY2(!shownEnabled(name), name);
        }
        QVERIFY(!design()->findChild<QPushButton*>("AdviserButton")->isEnabled());
        for (const char* name : {"mEdit", "mClose", "mPrint", "designButt", "delButt"}) {
            QVERIFY2(shownEnabled(name), name);
        }
    }

    void newWithDesignAsks_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("saveChosen");
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("no") << false << false << true;
        QTest::newRow("yes, saved") << true << true << true;
        QTest::newRow("yes, cancelled") << true << false << false;
    }
    void newWithDesignAsks() {
        QFETCH(bool, yes);
        QFETCH(bool, saveChosen);
        QFETCH(bool, goesOn);
        trigger("mNew");
        type_("Ldes", "33");
        yes ? prompter_.answerYes() : prompter_.answerNo();
        if (saveChosen) {
            dialogs_.chooseOnSave(path("a.txt").toStdString());
        }
        trigger("mNew");
        QCOMPARE(prompter_.questions, std::vector<std::string>{kNewQuestion});
        QCOMPARE(box("Ldes")->text().isEmpty(), goesOn);
        QVERIFY(!main_->frameState().SaveCancelled);
        QCOMPARE(QFile::exists(path("a.txt")), saveChosen);
    }

    void newKeepsSelectorsAndCoreList() {
        trigger("mNew");
        type_("Ldes", "25");
        type_("DCC", "25");
        type_("ACC", "5");
        type_("Freq", "50");
        type_("FD", "0.5");
        pick("Lunit", 1);
        click("CAP");
        click("Toroid");
        const int cores = combo("Core")->count();
        QVERIFY(cores > 0);
        pick("Core", 0);
        QVERIFY(combo("CoreMat")->count() > 0);
        prompter_.answerNo();
        trigger("mNew");
        for (const char* name : kTextBoxes) {
            QVERIFY2(box(name)->text().isEmpty(), name);
        }
        QCOMPARE(combo("Lunit")->currentText(), QStringLiteral("mH"));
        QVERIFY(design()->findChild<QRadioButton*>("Toroid")->isChecked());
        QCOMPARE(combo("Core")->count(), cores);
        QCOMPARE(combo("Core")->currentIndex(), -1);
        QCOMPARE(combo("CoreMat")->count(), 0);
    }

    void calculateApFromDefaults() {
        trigger("mSpces");
        QVERIFY(design());
        QCOMPARE(main_->windowTitle(), QStringLiteral("Coilsmith"));
        QCOMPARE(box("Ldes")->text(), QStringLiteral("25"));
        click("CAP");
        QCOMPARE(box("APR")->text(), QStringLiteral("2.363"));
        QCOMPARE(box("minAP")->text(), QStringLiteral("2.363"));
        QVERIFY(tabs()->isTabEnabled(1));
        QVERIFY(!tabs()->isTabEnabled(2));
        for (const char* name : {"mCoreDB", "mRun", "mAdviser", "runButt", "coredbButt"}) {
            QVERIFY2(shownEnabled(name), name);
        }
        QVERIFY(design()->findChild<QPushButton*>("AdviserButton")->isEnabled());
        QVERIFY(box("APR")->isReadOnly());
        // Still no design for the frame: Close is not offered and closing asks nothing.
        QVERIFY(!shownEnabled("mClose"));
        QVERIFY(main_->close());
        QVERIFY(prompter_.questions.empty());
    }

    // The DC field shown is 0.798 x Hdc[Oe] = ampere-turns per cm (1 Oe = 0.7958 A/cm);
    // the utilisation list holds fractions 0.2 to 0.8.
    void unitCaptionsAreTrue() {
        trigger("mNew");
        QStringList captions;
        for (QLabel* label : design()->findChildren<QLabel*>()) {
            captions << label->text();
        }
        QVERIFY(captions.contains(QStringLiteral("Hdc (A/cm)")));
        QVERIFY(captions.contains(QStringLiteral("fraction of window area")));
    }

    void badInductanceEnablesNothing() {
        trigger("mNew");
        type_("Ldes", "");
        click("CAP");
        QCOMPARE(prompter_.messages, std::vector<std::string>{"Re-Enter Inductance Value"});
        QVERIFY(box("APR")->text().isEmpty());
        QVERIFY(!tabs()->isTabEnabled(1));
        for (const char* name : {"mCoreDB", "mRun", "mAdviser", "runButt", "coredbButt"}) {
            QVERIFY2(!shownEnabled(name), name);
        }
        QVERIFY(!design()->findChild<QPushButton*>("AdviserButton")->isEnabled());
    }

    void completeDesign_data() {
        QTest::addColumn<QString>("type");
        QTest::newRow("toroid") << QStringLiteral("Toroid");
        QTest::newRow("E-core") << QStringLiteral("ECore");
    }
    void completeDesign() {
        QFETCH(QString, type);
        const QByteArray typeName = type.toLatin1();
        completeDesign(typeName.constData(), 3);
        QCOMPARE(prompter_.messages, std::vector<std::string>{});
        QCOMPARE(tabs()->currentIndex(), 2);
        QVERIFY(tabs()->isTabEnabled(2));
        for (const char* name : kResults) {
            QVERIFY2(!box(name)->text().isEmpty(), name);
        }
        QVERIFY(box("fCore")->text().startsWith(combo("Core")->currentText()));
    }

    // Run after the inductance changed without "Calculate AP" (100 uH to 400 uH) designs
    // what the window shows: the same as pressing "Calculate AP" and then Run.
    void runDesignsTheSpecificationShown_data() {
        QTest::addColumn<QString>("route");
        QTest::newRow("typed") << QStringLiteral("typed");
        QTest::newRow("pasted") << QStringLiteral("pasted");
        QTest::newRow("unit chosen") << QStringLiteral("unit");
    }
    void runDesignsTheSpecificationShown() {
        QFETCH(QString, route);
        trigger("mNew");
        for (const auto& [name, text] : {std::pair{"Ldes", "100"},
                                         {"DCC", "25"},
                                         {"ACC", "5"},
                                         {"Freq", "50"},
                                         {"FD", "0.5"}}) {
            type_(name, text);
        }
        click("CAP");
        click("Toroid");
        pick("Core", combo("Core")->findText("T157"));
        pick("CoreMat", combo("CoreMat")->findText("-26"));
        press("runButt");
        const QString turnsAt100 = box("NTurns")->text();
        QVERIFY(!turnsAt100.isEmpty());

        if (route == "typed") {
            type_("Ldes", "400");
        } else if (route == "pasted") {
            box("Ldes")->setFocus();
            box("Ldes")->setCursorPosition(0);
            clipboard_.contents = "3";  // 3100 uH
            trigger("mPaste");
        } else {
            type_("Ldes", "0.4");
            pick("Lunit", 1);  // mH
        }
        press("runButt");
        QStringList afterRun{box("APR")->text()};
        for (const char* name : kResults) {
            afterRun << box(name)->text();
        }
        click("CAP");
        press("runButt");
        QStringList afterCalculateAp{box("APR")->text()};
        for (const char* name : kResults) {
            afterCalculateAp << box(name)->text();
        }
        QCOMPARE(prompter_.messages, std::vector<std::string>{});
        QCOMPARE(afterRun, afterCalculateAp);
        QVERIFY(box("NTurns")->text() != turnsAt100);
        QVERIFY(!box("Inductance")->text().startsWith("100 "));
    }

    void adviserOpensOnceAndLists_data() {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("menu item") << false;
        QTest::newRow("page button") << true;
    }
    void adviserOpensOnceAndLists() {
        QFETCH(bool, byButton);
        specify();
        QCOMPARE(main_->findChild<QAction*>("mAdviser")->text(), QStringLiteral("Core Adviser"));
        QCOMPARE(design()->findChild<QPushButton*>("AdviserButton")->toolTip(),
                 QStringLiteral("Design every catalogue core and material for this "
                                "specification and rank them"));
        CoreAdviser* adviser = openAdviser(byButton);
        QVERIFY(adviser);
        QVERIFY(adviser->isWindow() && adviser->isVisible());
        const auto& ranking = adviser->ranking();
        QVERIFY(!ranking.problem);
        QVERIFY(ranking.feasibleCount > 0);
        QCOMPARE(adviser->findChild<QTableView*>("Candidates")->model()->rowCount(),
                 static_cast<int>(ranking.candidates.size()));
        QCOMPARE(cell(adviser, 0, "Rank"), QStringLiteral("1"));
        // Asked again, by the other way, the same window ranks again.
        QCOMPARE(openAdviser(!byButton), adviser);
        const auto windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* w) { return qobject_cast<CoreAdviser*>(w); }),
                 1);
        QVERIFY(prompter_.messages.empty());
    }

    void applyingACandidateRunsItsDesign() {
        specify();
        CoreAdviser* adviser = openAdviser(false);
        QVERIFY(adviser && adviser->ranking().feasibleCount > 0);
        const adviser::Candidate best = adviser->ranking().candidates.front();
        QVERIFY(best.feasible);
        auto* view = adviser->findChild<QTableView*>("Candidates");
        emit view->doubleClicked(view->model()->index(0, 2));
        QCOMPARE(tabs()->currentIndex(), kResultsPage);
        QVERIFY(tabs()->isTabEnabled(kResultsPage));
        QCOMPARE(box("NTurns")->text(), cell(adviser, 0, "Turns"));
        QCOMPARE(box("PTOT")->text(), cell(adviser, 0, "Total Loss (W)"));
        QCOMPARE(box("TWT")->text(), cell(adviser, 0, "Total Weight (g)"));
        QCOMPARE(combo("Core")->currentText(), QString::fromStdString(best.core));
        QCOMPARE(combo("CoreMat")->currentText(), QString::fromStdString(best.material));
        const char* type = best.type == adviser::CoreType::Toroid ? "Toroid" : "ECore";
        QVERIFY(design()->findChild<QRadioButton*>(type)->isChecked());
        QVERIFY(prompter_.messages.empty());
    }

    void adviserGoesWithItsDesign_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("close") << "mClose";
        QTest::newRow("new") << "mNew";
    }
    void adviserGoesWithItsDesign() {
        QFETCH(QString, command);
        specify();
        QPointer<CoreAdviser> adviser = openAdviser(true);
        QVERIFY(adviser);
        prompter_.answerNo();
        trigger(command.toLatin1().constData());
        QVERIFY(!adviser);
        QVERIFY(!main_->adviser());
        QVERIFY(!shownEnabled("mAdviser"));
    }

    void closeAndExitQuestions_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("designOpen");
        QTest::addColumn<bool>("asked");
        QTest::newRow("close, design") << "mClose" << true << true;
        QTest::newRow("exit, design") << "mExit" << true << true;
        QTest::newRow("exit, none") << "mExit" << false << false;
    }
    void closeAndExitQuestions() {
        QFETCH(QString, command);
        QFETCH(bool, designOpen);
        QFETCH(bool, asked);
        if (designOpen) {
            trigger("mNew");
        }
        prompter_.answerNo();
        trigger(command.toLatin1().constData());
        QCOMPARE(prompter_.questions.size(), asked ? 1u : 0u);
        if (asked) {
            QCOMPARE(prompter_.questions.front(), kExitQuestion);
        }
        if (command == QLatin1String("mExit")) {
            QVERIFY(!main_->isVisible());
        } else {
            QVERIFY(!design());
            QCOMPARE(main_->windowTitle(), QStringLiteral("Coilsmith"));
            for (const char* name : {"mSaveAs", "mPrint", "mDesign", "mClose", "designButt"}) {
                QVERIFY2(!shownEnabled(name), name);
            }
            for (const char* name : {"mNew", "mOpen", "mExit", "mCSHelp", "helpButt"}) {
                QVERIFY2(shownEnabled(name), name);
            }
        }
    }

    void closeBoxYesThenCancelKeepsRunning() {
        trigger("mNew");
        prompter_.answerYes();
        dialogs_.cancelOnSave();
        QVERIFY(!main_->close());
        QVERIFY(main_->isVisible());
        QVERIFY(design());
        QCOMPARE(main_->windowTitle(), QStringLiteral("Coilsmith : Untitled"));
        QVERIFY(!main_->frameState().SaveCancelled);
        // Exit answered No afterwards asks once and ends.
        prompter_.answerNo();
        trigger("mExit");
        QCOMPARE(prompter_.questions.size(), 2u);
        QVERIFY(!main_->isVisible());
    }

    void helpAboutAndPrintReachTheirHooks() {
        press("helpButt");
        trigger("mAbout");
        QCOMPARE(helpShown_, 1);
        QCOMPARE(aboutShown_, 1);
        trigger("mNew");
        press("printButt");
        QCOMPARE(printed_.size(), 1u);
    }

    void saveOpenRoundTrip() {
        completeDesign("Toroid", 3);
        std::map<QString, QString> texts;
        for (QLineEdit* edit : design()->findChildren<QLineEdit*>()) {
            if (!edit->objectName().isEmpty()) {
                texts[edit->objectName()] = edit->text();
            }
        }
        std::map<QString, QString> lists;
        for (QComboBox* list : design()->findChildren<QComboBox*>()) {
            lists[list->objectName()] = list->currentText();
        }
        QCOMPARE(lists.size(), 9u);
        dialogs_.chooseOnSave(path("d.txt").toStdString());
        press("saveButt");
        QCOMPARE(dialogs_.calls.back().request.initialName, std::string("Untitled"));
        QCOMPARE(dialogs_.calls.back().request.defaultExtension, std::string("txt"));
        QCOMPARE(main_->windowTitle(), QStringLiteral("Coilsmith : Untitled"));
        QVERIFY(shownEnabled("mSave"));
        QCOMPARE(fileBytes(path("d.txt")).count("\r\n"), 40);

        prompter_.answerNo();
        trigger("mClose");
        dialogs_.chooseOnOpen(path("d.txt").toStdString());
        trigger("mOpen");
        QVERIFY(prompter_.messages.empty());
        QCOMPARE(main_->windowTitle(), QStringLiteral("Coilsmith : ") + path("d.txt"));
        QVERIFY(main_->frameState().IsFromFile);
        for (const auto& name : CommandStates::names()) {
            QVERIFY2(shownEnabled(QString::fromStdString(name)), name.c_str());
        }
        for (const auto& [name, text] : texts) {
            QCOMPARE(box(name.toLatin1().constData())->text(), text);
        }
        for (const auto& [name, text] : lists) {
            QCOMPARE(combo(name.toLatin1().constData())->currentText(), text);
        }
        QVERIFY(combo("Core")->count() > 1);
        QVERIFY(design()->findChild<QRadioButton*>("Toroid")->isChecked());
        QVERIFY(!design()->findChild<QRadioButton*>("ECore")->isChecked());
        const auto& area = design()->model().state().Ac;  // the core was loaded again
        QVERIFY(!area.isNull() && area.value() > 0);
        QCOMPARE(tabs()->currentIndex(), 0);
        QVERIFY(tabs()->isTabEnabled(2));

        // Save of a design from a file offers its own name.
        dialogs_.cancelOnSave();
        trigger("mSave");
        QCOMPARE(dialogs_.calls.back().request.initialName, path("d.txt").toStdString());
    }

    void unitHandlersRunOnOpen() {
        trigger("mNew");
        pick("Lunit", 1);  // mH
        pick("Funit", 0);  // Hz
        dialogs_.chooseOnSave(path("u.txt").toStdString());
        trigger("mSaveAs");
        prompter_.answerNo();
        trigger("mClose");
        dialogs_.chooseOnOpen(path("u.txt").toStdString());
        trigger("mOpen");
        QCOMPARE(combo("Lunit")->currentText(), QStringLiteral("mH"));
        QCOMPARE(design()->model().state().Lfac, 1e-3);
        QCOMPARE(design()->model().state().Ffac, 1.0);
    }

    void saveCancelPaths() {
        trigger("mSaveAs");  // no design yet: the dialog is shown without a name
        QVERIFY(dialogs_.calls.back().request.initialName.empty());
        QVERIFY(main_->frameState().SaveCancelled);
        QVERIFY(!design());
        trigger("mNew");
        dialogs_.cancelOnSave();
        trigger("mSaveAs");
        QVERIFY(main_->frameState().SaveCancelled);
        QVERIFY(!shownEnabled("mSave"));
        QCOMPARE(main_->frameState().FileName, std::string("Untitled"));
    }

    void saveAsAtStartCreatesTheWindow() {
        dialogs_.chooseOnSave(path("s.txt").toStdString());
        trigger("mSaveAs");
        QVERIFY(design());
        QCOMPARE(main_->windowTitle(), QStringLiteral("Coilsmith"));
        const QList<QByteArray> lines = fileBytes(path("s.txt")).split('\n');
        QCOMPARE(lines.value(38), QByteArray("25\r"));
        QCOMPARE(lines.value(39), QByteArray("uH\r"));
    }

    void openAnsweredYesSavesAndStops() {
        trigger("mNew");
        prompter_.answerYes();
        dialogs_.chooseOnSave(path("y.txt").toStdString());
        dialogs_.chooseOnOpen(path("never.txt").toStdString());
        trigger("mOpen");
        QCOMPARE(prompter_.questions,
                 std::vector<std::string>{"Do you want to save changes for Untitled"});
        QVERIFY(QFile::exists(path("y.txt")));
        QCOMPARE(dialogs_.openAnswers.size(), 1u);
        QCOMPARE(main_->windowTitle(), QStringLiteral("Coilsmith : Untitled"));
    }

    void openCancelledChangesNothing() {
        trigger("mNew");
        type_("Ldes", "7");
        prompter_.answerNo();
        dialogs_.cancelOnOpen();
        trigger("mOpen");
        QCOMPARE(box("Ldes")->text(), QStringLiteral("7"));
        QVERIFY(main_->frameState().IsUntitled);
    }

    void badFileIsReportedAndChangesNothing_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("chosen");   // empty: bad.txt; "folder": the test's folder
        QTest::addColumn<QString>("refusal");  // what follows the name, when fixed
        QTest::newRow("incomplete")
            << QByteArray("False\r\nTrue\r\n") << true << QString() << QString();
        QTest::newRow("missing") << QByteArray() << false << QString() << QString();
        QTest::newRow("folder") << QByteArray() << false << QStringLiteral("folder")
                                << QStringLiteral(" is a folder");
        // Endless: reading it whole would never finish.
        QTest::newRow("device") << QByteArray() << false << QStringLiteral("/dev/zero")
                                << QStringLiteral(" is not a Coilsmith design file");
    }
    void badFileIsReportedAndChangesNothing() {
        QFETCH(QByteArray, contents);
        QFETCH(bool, exists);
        QFETCH(QString, chosen);
        QFETCH(QString, refusal);
        if (exists) {
            QFile file(path("bad.txt"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        const std::string file = (chosen.isEmpty()                    ? path("bad.txt")
                                  : chosen == QLatin1String("folder") ? dir_->path()
                                                                      : chosen)
                                     .toStdString();
        trigger("mNew");
        type_("Ldes", "7");
        prompter_.answerNo();
        dialogs_.chooseOnOpen(file);
        trigger("mOpen");
        QCOMPARE(prompter_.messages.size(), 1u);
        QVERIFY(prompter_.messages.front().find(file) != std::string::npos);
        if (!refusal.isEmpty()) {
            QCOMPARE(prompter_.messages.front(), file + refusal.toStdString());
        }
        QCOMPARE(box("Ldes")->text(), QStringLiteral("7"));
        QCOMPARE(main_->windowTitle(), QStringLiteral("Coilsmith : Untitled"));
        QVERIFY(main_->frameState().IsUntitled);
        QVERIFY(!main_->frameState().IsFromFile);
        QVERIFY(!shownEnabled("mSave"));
    }

    void failedWriteKeepsTheOldFile() {
        trigger("mNew");
        dialogs_.chooseOnSave(path("keep.txt").toStdString());
        trigger("mSaveAs");
        const QByteArray before = fileBytes(path("keep.txt"));
        QVERIFY(before.size() > 64);
        type_("Ldes", "123456789012345678901234567890");
        dialogs_.chooseOnSave(path("keep.txt").toStdString());
        {
            const FileSizeLimit limit(16);
            trigger("mSaveAs");
        }
        QCOMPARE(fileBytes(path("keep.txt")), before);
        QCOMPARE(prompter_.messages.size(), 1u);
        const std::string expected =
            "Unknown error in saving file " + path("keep.txt").toStdString();
        QCOMPARE(prompter_.messages.front().substr(0, expected.size()), expected);
        QVERIFY(prompter_.messages.front().size() > expected.size() + 2);  // and the reason
        // A design that could not be saved is not discarded by the command that asked.
        prompter_.answerYes();
        dialogs_.chooseOnSave(path("keep.txt").toStdString());
        {
            const FileSizeLimit limit(16);
            trigger("mNew");
        }
        QCOMPARE(box("Ldes")->text(), QStringLiteral("123456789012345678901234567890"));
    }

    void pasteThenUndo() {
        trigger("mNew");
        type_("Ldes", "12345");
        box("Ldes")->setCursorPosition(2);
        clipboard_.contents = "xy";
        trigger("mPaste");
        QCOMPARE(box("Ldes")->text(), QStringLiteral("12xy345"));
        QCOMPARE(design()->model().text("Ldes"), std::string("12xy345"));
        press("undoButt");
        QCOMPARE(box("Ldes")->text(), QStringLiteral("12345"));
        QCOMPARE(design()->model().text("Ldes"), std::string("12345"));
        press("undoButt");  // a second Undo does nothing
        QCOMPARE(box("Ldes")->text(), QStringLiteral("12345"));
    }

    void cutPasteElsewhereUndoInsertsAtCaret() {
        trigger("mNew");
        type_("Ldes", "abcdef");
        box("Ldes")->setSelection(1, 2);
        trigger("mCut");
        QCOMPARE(box("Ldes")->text(), QStringLiteral("adef"));
        QCOMPARE(clipboard_.contents, std::string("bc"));
        type_("DCC", "25");
        trigger("mPaste");
        QCOMPARE(box("DCC")->text(), QStringLiteral("25bc"));
        trigger("mUndo");
        QCOMPARE(box("DCC")->text(), QStringLiteral("25bcbc"));
        QCOMPARE(box("Ldes")->text(), QStringLiteral("adef"));
        QCOMPARE(design()->model().text("DCC"), std::string("25bcbc"));
    }

    void deleteEmptySelectionThenUndo() {
        trigger("mNew");
        type_("Ldes", "abc");
        box("Ldes")->setCursorPosition(1);
        press("delButt");
        QCOMPARE(box("Ldes")->text(), QStringLiteral("abc"));
        QCOMPARE(main_->frameState().DeletedText, std::string());
        QCOMPARE(main_->frameState().UndoStart, std::int16_t{1});
        press("undoButt");
        QCOMPARE(box("Ldes")->text(), QStringLiteral("abc"));
        QVERIFY(!main_->frameState().EditDone && !main_->frameState().DeleteDone);
    }

    void deleteThenUndoRestores() {
        trigger("mNew");
        type_("Ldes", "abcdef");
        box("Ldes")->setSelection(2, 3);
        press("delButt");
        QCOMPARE(box("Ldes")->text(), QStringLiteral("abf"));
        press("undoButt");
        QCOMPARE(box("Ldes")->text(), QStringLiteral("abcdef"));
    }

    void copyInComboThenUndoEmptiesClipboard() {
        trigger("mNew");
        combo("Lunit")->setFocus();
        clipboard_.contents = "keep";
        press("copyButt");
        QCOMPARE(clipboard_.contents, std::string("keep"));
        QVERIFY(main_->frameState().CopyDone);
        trigger("mUndo");
        QCOMPARE(clipboard_.contents, std::string());
    }

    void copyFromTextBox() {
        trigger("mNew");
        type_("Freq", "150");
        box("Freq")->setSelection(0, 2);
        trigger("mCopy");
        QCOMPARE(clipboard_.contents, std::string("15"));
        QCOMPARE(box("Freq")->text(), QStringLiteral("150"));
    }
};

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
