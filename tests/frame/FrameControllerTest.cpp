#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <memory>
#include <string>

#include "frame/FrameController.h"
#include "platform/fakes/FakeClipboard.h"
#include "platform/fakes/FakeFileDialogs.h"
#include "platform/fakes/FakePrompter.h"

using namespace coilsmith;

namespace {

const std::string kExitQuestion = "Do you want to save changes before exiting?";
const std::string kNewQuestion = "Do you want to save changes for Untitled";

// A text box (or, with textBox false, an editable list) held as text and selection.
struct FakeTarget final : EditTarget {
    bool textBox = true;
    bool hasSelection = true;
    bool replaceFails = false;
    std::string text;
    int start = 0;
    int length = 0;

    bool isTextBox() const override { return textBox; }
    std::optional<int> selStart() const override {
        return hasSelection ? std::optional<int>(start) : std::nullopt;
    }
    std::optional<std::string> selText() const override {
        if (!hasSelection) {
            return std::nullopt;
        }
        return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    }
    bool setSelStart(int s) override {
        start = std::min<int>(s, static_cast<int>(text.size()));
        length = 0;
        return hasSelection;
    }
    bool setSelLength(int l) override {
        length = std::min<int>(l, static_cast<int>(text.size()) - start);
        return hasSelection;
    }
    bool replaceSelection(const std::string& inserted) override {
        if (!hasSelection || replaceFails) {
            return false;
        }
        text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), inserted);
        start += static_cast<int>(inserted.size());
        length = 0;
        return true;
    }
};

bool anyMark(const FrameState& s) {
    return s.EditDone || s.CutDone || s.CopyDone || s.PasteDone || s.DeleteDone;
}

// The window as the controller sees it, over a plain model on the shipped catalogue.
struct FakeWindow final : FrameWindow {
    void withDesign(const std::function<void(ChokeModel&)>& procedure) override {
        if (!model) {
            model = std::make_unique<ChokeModel>(
                ChokeModel::Options{COILSMITH_BIN_DIR, COILSMITH_BIN_DIR "/Cores.csx", {}},
                *prompter, listener);
        }
        procedure(*model);
    }
    void unloadDesign() override { model.reset(); }
    void closeAdviser() override { ++adviserClosed; }
    void withEditTarget(const std::function<void(EditTarget&)>& command) override {
        command(target);
    }
    void showCaption(const std::string& text) override { caption = text; }
    void showCommands(const CommandStates& commands) override { shown = commands; }
    void showHelp() override { ++help; }
    void showAbout() override { ++about; }
    void showRememberedFiles(const RememberedFiles& files) override { remembered = files; }

    Prompter* prompter = nullptr;
    RememberedFiles remembered;
    ChokeListener* listener = nullptr;
    std::unique_ptr<ChokeModel> model;
    FakeTarget target;
    std::string caption;
    CommandStates shown;
    int adviserClosed = 0, help = 0, about = 0;
};

// A controller over its fakes, with the design file folder.
struct Rig {
    Rig() {
        window.prompter = &prompter;
        window.listener = &frame;
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    ChokeModel& model() { return *window.model; }
    void newWith(const std::string& inductance) {
        frame.newDesign();
        model().editText("Ldes", inductance);
    }
    void calculateAreaProduct() {
        window.withDesign([](ChokeModel& m) { m.CAP_Click(); });
    }

    QTemporaryDir dir;
    FakePrompter prompter;
    FakeFileDialogs dialogs;
    FakeClipboard clipboard;
    std::vector<std::string> printed;  // file name, then the name offered for a PDF
    FakeWindow window;
    FrameController frame{
        window,
        {prompter,
         dialogs,
         clipboard,
         [this](const ChokeModel&, const std::string& name, const std::string& pdf) {
             printed = {name, pdf};
         },
         {{"/gone/old.txt"}, "/last"}}};
};

QByteArray fileBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

}  // namespace

TEST(FrameController, NewEmptiesTheWindowAndKeepsSelectorsCoreTypeAndCoreList) {
    Rig r;
    r.frame.showSpecifications();  // the creation texts are a valid specification
    r.calculateAreaProduct();
    r.model().chooseItem("Lunit", 1);
    r.model().setOption("Toroid", true);
    r.model().chooseItem("Core", 0);
    const std::size_t cores = r.model().control("Core").items.size();
    ASSERT_GT(cores, 0u);
    ASSERT_FALSE(r.model().control("CoreMat").items.empty());
    r.frame.newDesign();
    EXPECT_TRUE(r.prompter.transcript.empty());  // no design was open for the frame
    EXPECT_EQ(r.window.caption, "Coilsmith : Untitled");
    EXPECT_EQ(r.window.shown, r.frame.commands());
    for (const Control& control : r.model().controls()) {
        if (control.kind == ControlKind::TextBox) {
            EXPECT_EQ(control.text, "") << control.name;
        }
    }
    EXPECT_EQ(r.model().selectedPage(), kSpecPage);
    EXPECT_FALSE(r.model().pageAvailable(kCorePage) || r.model().pageAvailable(kResultsPage));
    EXPECT_EQ(r.model().text("Lunit"), "mH");
    EXPECT_TRUE(r.model().control("Toroid").value);
    EXPECT_EQ(r.model().control("Core").items.size(), cores);
    EXPECT_EQ(r.model().text("Core"), "");
    EXPECT_TRUE(r.model().control("CoreMat").items.empty());
}

TEST(FrameController, SaveQuestionIsAskedWhenADesignIsOpenAndStopsOnlyACancelledSave) {
    enum Answer { NotAsked, No, Saved, Cancelled };
    // Each command runs and says whether it went on after the question.
    const auto newDesign = [](Rig& r) {
        r.frame.newDesign();
        return r.model().text("Ldes").empty();
    };
    const auto open = [](Rig& r) {
        r.frame.openDesign();
        return !r.dialogs.calls.empty() && !r.dialogs.calls.back().saving;
    };
    const auto close = [](Rig& r) { return r.frame.closeDesign() && !r.window.model; };
    const auto exit = [](Rig& r) { return r.frame.exitProgram(); };
    struct Row {
        std::function<bool(Rig&)> command;
        const std::string& question;
        bool designOpen;
        Answer answer;
        bool goesOn;
    };
    const Row rows[] = {
        {newDesign, kNewQuestion, false, NotAsked, true},
        {newDesign, kNewQuestion, true, No, true},
        {newDesign, kNewQuestion, true, Saved, true},
        {newDesign, kNewQuestion, true, Cancelled, false},
        {open, kNewQuestion, true, No, true},  // Open names the untitled design too
        {open, kNewQuestion, true, Saved, false},
        {open, kNewQuestion, true, Cancelled, false},
        {close, kExitQuestion, true, No, true},
        {close, kExitQuestion, true, Cancelled, false},
        {exit, kExitQuestion, false, NotAsked, true},
        {exit, kExitQuestion, true, No, true},
        {exit, kExitQuestion, true, Cancelled, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(&row - rows);
        Rig r;
        if (row.designOpen) {
            r.newWith("33");
        }
        if (row.answer != NotAsked) {
            row.answer == No ? r.prompter.answerNo() : r.prompter.answerYes();
        }
        if (row.answer == Saved) {
            r.dialogs.chooseOnSave(r.path("a.txt"));
        }
        EXPECT_EQ(row.command(r), row.goesOn);
        EXPECT_EQ(r.prompter.questions,
                  row.answer == NotAsked ? std::vector<std::string>{} : std::vector{row.question});
        EXPECT_EQ(QFile::exists(r.dir.filePath("a.txt")), row.answer == Saved);
        // Exit marks that it asked; only Open leaves the mark of a cancelled save.
        EXPECT_EQ(r.frame.state().Exiting, row.goesOn && &row.command == &rows[10].command);
        EXPECT_EQ(r.frame.state().SaveCancelled, row.answer == Cancelled && &row == &rows[6]);
    }
}

TEST(FrameController, ClosingAsksOnceAfterExitAndAsCloseOtherwise) {
    Rig r;
    r.newWith("1");
    r.prompter.answerNo();
    EXPECT_TRUE(r.frame.exitProgram());
    EXPECT_TRUE(r.frame.frameClosing());
    EXPECT_EQ(r.prompter.questions.size(), 1u);
    // The close box without Exit asks as Close does; a cancelled save keeps the frame.
    Rig box;
    box.newWith("1");
    box.prompter.answerYes();
    EXPECT_FALSE(box.frame.frameClosing());
    const int adviserClosed = box.window.adviserClosed;
    EXPECT_TRUE(box.frame.frameClosing());  // answered No
    EXPECT_EQ(box.prompter.questions, std::vector(2, kExitQuestion));
    EXPECT_EQ(box.window.model, nullptr);
    EXPECT_EQ(box.window.adviserClosed, adviserClosed);  // the window closes it with the design
    EXPECT_EQ(box.window.caption, "Coilsmith");
    EXPECT_EQ(box.window.shown, box.frame.commands());
    EXPECT_FALSE(box.frame.commands().enabled("mSaveAs"));
}

TEST(FrameController, SavedThenOpenedDesignIsNamedByItsFile) {
    Rig r;
    r.newWith("25");
    for (const char* box : {"DCC", "ACC", "Freq", "FD"}) {
        r.model().editText(box, "1");  // a valid specification: opening it reports nothing
    }
    r.dialogs.chooseOnSave(r.path("d.txt"));
    r.frame.save();
    EXPECT_EQ(r.dialogs.calls.back().request.initialName, "Untitled");
    EXPECT_EQ(r.window.caption, "Coilsmith : Untitled");  // a saved new design stays untitled
    EXPECT_TRUE(r.window.shown.enabled("mSave"));
    EXPECT_EQ(fileBytes(r.path("d.txt")).count("\r\n"), 40);
    r.prompter.answerNo();
    r.dialogs.chooseOnOpen(r.path("d.txt"));
    const int adviserClosed = r.window.adviserClosed;
    r.frame.openDesign();
    EXPECT_EQ(r.window.adviserClosed, adviserClosed + 1);
    EXPECT_TRUE(r.prompter.messages.empty());
    EXPECT_EQ(r.window.caption, "Coilsmith : " + r.path("d.txt"));
    EXPECT_TRUE(r.frame.state().IsFromFile && !r.frame.state().IsUntitled);
    EXPECT_EQ(r.window.shown, r.frame.commands());
    for (const auto& name : CommandStates::names()) {
        EXPECT_TRUE(r.frame.commands().enabled(name)) << name;
    }
    r.dialogs.cancelOnSave();
    r.frame.saveAs();
    EXPECT_EQ(r.dialogs.calls.back().request.initialName, r.path("d.txt"));
    r.frame.print();
    EXPECT_EQ(r.printed, (std::vector{r.path("d.txt"), r.dir.filePath("d.pdf").toStdString()}));
    r.prompter.answerNo();
    r.frame.openDesign();
    EXPECT_EQ(r.prompter.questions.back(), "Do you want to save changes for " + r.path("d.txt"));
}

TEST(FrameController, BadFileIsReportedAndChangesNothing) {
    Rig r;
    QFile incomplete(r.dir.filePath("bad.txt"));
    ASSERT_TRUE(incomplete.open(QIODevice::WriteOnly));
    incomplete.write("False\r\nTrue\r\n");
    incomplete.close();
    for (const std::string& file : {r.path("bad.txt"), r.path("missing.txt"),
                                    r.dir.path().toStdString(), std::string("/dev/zero")}) {
        r.prompter.clear();
        r.newWith("7");
        r.dialogs.chooseOnOpen(file);
        r.frame.openDesign();
        ASSERT_EQ(r.prompter.messages.size(), 1u) << file;
        EXPECT_NE(r.prompter.messages.front().find(file), std::string::npos);
        EXPECT_EQ(r.model().text("Ldes"), "7");
        EXPECT_EQ(r.window.caption, "Coilsmith : Untitled");
        EXPECT_TRUE(r.frame.state().IsUntitled && !r.frame.state().IsFromFile);
        EXPECT_FALSE(r.window.shown.enabled("mSave"));
    }
    EXPECT_EQ(r.prompter.messages.front(), "/dev/zero is not a Coilsmith design file");
}

TEST(FrameController, FailedSaveKeepsTheOldFileAndTheDesign) {
    Rig r;
    r.frame.newDesign();
    r.dialogs.chooseOnSave(r.path("keep.txt"));
    r.frame.saveAs();
    const QByteArray before = fileBytes(r.path("keep.txt"));
    ASSERT_GT(before.size(), 64);
    r.model().editText("Ldes", "123456789012345678901234567890");
    r.prompter.answerYes();
    r.dialogs.chooseOnSave(r.path("keep.txt"));
    {
        const FileSizeLimit limit(16);
        r.frame.newDesign();  // Yes: the save fails, so New does not discard the design
    }
    EXPECT_EQ(fileBytes(r.path("keep.txt")), before);
    const std::string expected = "Unknown error in saving file " + r.path("keep.txt") + ": ";
    ASSERT_EQ(r.prompter.messages.size(), 1u);
    EXPECT_EQ(r.prompter.messages.front().substr(0, expected.size()), expected);
    EXPECT_GT(r.prompter.messages.front().size(), expected.size());  // and the reason
    EXPECT_EQ(r.model().text("Ldes"), "123456789012345678901234567890");
    r.dialogs.failOnSave();
    r.frame.saveAs();
    EXPECT_EQ(r.prompter.messages.back(), "Unknown error in saving file Untitled");
}

TEST(FrameController, SaveAsAtStartCreatesTheWindowButNoDesign) {
    Rig r;
    r.frame.saveAs();  // cancelled: the dialog was shown without a name, nothing created
    EXPECT_TRUE(r.dialogs.calls.back().request.initialName.empty());
    EXPECT_TRUE(r.frame.state().SaveCancelled);
    EXPECT_EQ(r.window.model, nullptr);
    r.dialogs.chooseOnSave(r.path("s.txt"));
    r.frame.saveAs();
    const QList<QByteArray> lines = fileBytes(r.path("s.txt")).split('\n');
    EXPECT_EQ(lines.value(38), "25\r");  // the creation texts
    EXPECT_EQ(lines.value(39), "uH\r");
    EXPECT_EQ(r.window.caption, "");  // unchanged
    EXPECT_FALSE(r.frame.state().designOpen());
}

TEST(FrameController, CalculateApEnablesTheCoreCommandsOnlyWhenItSucceeds) {
    for (const bool valid : {false, true}) {
        Rig r;
        r.frame.showSpecifications();
        if (!valid) {
            r.model().editText("Ldes", "");
        }
        r.calculateAreaProduct();
        for (const char* name : {"mCoreDB", "mRun", "mAdviser", "runButt", "coredbButt"}) {
            EXPECT_EQ(r.frame.commands().enabled(name), valid) << name;
        }
        EXPECT_EQ(r.window.shown, valid ? r.frame.commands() : CommandStates());
        EXPECT_EQ(r.model().selectedPage(), kSpecPage);
        EXPECT_FALSE(r.frame.commands().enabled("mClose"));
        EXPECT_TRUE(r.frame.frameClosing());  // still no design: nothing asked
        EXPECT_EQ(r.prompter.questions.size(), 0u);
    }
}

TEST(FrameController, FilesOpenedOrSavedAreRecentAndDialogsStartInTheLastFolder) {
    Rig r;
    EXPECT_EQ(r.frame.rememberedFiles().recentFiles, std::vector<std::string>{"/gone/old.txt"});
    r.frame.newDesign();
    r.frame.print();  // a new design is offered as Untitled.pdf in the folder last used
    EXPECT_EQ(r.printed, (std::vector<std::string>{"", "/last/Untitled.pdf"}));
    r.dialogs.chooseOnSave(r.path("a.txt"));
    r.frame.saveAs();
    EXPECT_EQ(r.dialogs.calls.back().request.folder, "/last");
    r.dialogs.chooseOnOpen(r.path("a.txt"));
    r.prompter.answerNo();
    r.frame.openDesign();
    EXPECT_EQ(r.dialogs.calls.back().request.folder, r.dir.path().toStdString());
    EXPECT_EQ(r.window.remembered.recentFiles,
              (std::vector<std::string>{r.path("a.txt"), "/gone/old.txt"}));
    EXPECT_EQ(r.window.remembered.lastFolder, r.dir.path().toStdString());
    r.prompter.answerNo();
    r.frame.openRecentFile("/gone/old.txt");
    EXPECT_EQ(r.prompter.messages.back(),
              "/gone/old.txt no longer exists and was taken off the recent files.");
    EXPECT_EQ(r.window.remembered.recentFiles, std::vector{r.path("a.txt")});
    EXPECT_EQ(r.prompter.questions.size(), 1u);  // nothing was asked for the missing file
    r.prompter.answerNo();
    r.frame.newDesign();
    r.prompter.answerNo();
    r.frame.openRecentFile(r.path("a.txt"));
    EXPECT_EQ(r.prompter.questions.size(), 3u);
    EXPECT_EQ(r.window.caption, "Coilsmith : " + r.path("a.txt"));
}

TEST(FrameController, FileArgumentsAreOpenedAsOpenWouldOrRefused) {
    Rig saved;
    saved.dialogs.chooseOnSave(saved.path("good.txt"));
    saved.frame.saveAs();
    struct Row {
        std::vector<std::string> files;
        std::string caption;  // empty: nothing opened
        std::string message;
    };
    const Row rows[] = {
        {{saved.path("good.txt")}, "Coilsmith : " + saved.path("good.txt"), ""},
        {{"/dev/zero"}, "", "/dev/zero is not a Coilsmith design file"},
        {{"/no/such.txt"}, "", "Unknown error in opening file /no/such.txt: "},
        {{saved.path("good.txt"), "/no/such.txt"},
         "",
         "Coilsmith opens one design file at a time; it was given 2, so none was opened."},
        {{}, "", ""},
    };
    for (const Row& row : rows) {
        Rig r;
        r.frame.openAtStart(row.files);
        EXPECT_EQ(r.window.caption, row.caption);
        EXPECT_EQ(r.prompter.messages.size(), row.message.empty() ? 0u : 1u);
        if (!row.message.empty() && !r.prompter.messages.empty()) {
            EXPECT_EQ(r.prompter.messages.front().substr(0, row.message.size()), row.message);
        }
        EXPECT_TRUE(r.prompter.questions.empty());
    }
}

TEST(RecentFiles, KeepEightNewestFirstOnceEachAndDropMissingOnes) {
    RecentFiles recent({"b", "a", "b", ""});  // a stored list is cleaned as it is read
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"b", "a"}));
    for (const char* path : {"1", "2", "3", "4", "5", "6", "7", "a"}) {
        recent.add(path);
    }
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"a", "7", "6", "5", "4", "3", "2", "1"}));
    const auto gone = recent.dropMissing([](const std::string& p) { return p != "a" && p != "4"; });
    EXPECT_EQ(gone, (std::vector<std::string>{"a", "4"}));
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"7", "6", "5", "3", "2", "1"}));
    // Kept in the program's settings and read back the same.
    QTemporaryDir dir;
    QSettings settings(dir.filePath("settings.ini"), QSettings::IniFormat);
    saveRememberedFiles(settings, {recent.paths(), "/last"});
    const RememberedFiles back = loadRememberedFiles(settings);
    EXPECT_EQ(back.recentFiles, recent.paths());
    EXPECT_EQ(back.lastFolder, "/last");
}

TEST(CommandStates, TransitionsFollowTheFrameTable) {
    struct Row {
        const char* name;
        bool start, afterNew, afterAp, afterClose;
    };
    const Row rows[] = {
        {"mFile", true, true, true, true},         {"mSave", false, false, false, false},
        {"mSaveAs", true, true, true, false},      {"mPrint", false, true, true, false},
        {"mEdit", false, true, true, false},       {"mDesign", true, true, true, false},
        {"mSpces", true, true, true, false},       {"mCoreDB", false, false, true, false},
        {"mRun", false, false, true, false},       {"designButt", false, true, true, false},
        {"coredbButt", false, false, true, false}, {"graphButt", false, false, true, false},
        {"helpButt", true, true, true, true},      {"menuBar", true, true, true, true},
        {"mClose", false, true, true, false},      {"delButt", false, true, true, false},
        {"mAdviser", false, false, true, false},
    };
    CommandStates states = startCommands();
    for (const Row& r : rows)
        EXPECT_EQ(states.enabled(r.name), r.start) << r.name;
    commandsForNew(states);
    for (const Row& r : rows)
        EXPECT_EQ(states.enabled(r.name), r.afterNew) << r.name;
    commandsForAreaProduct(states);
    for (const Row& r : rows)
        EXPECT_EQ(states.enabled(r.name), r.afterAp) << r.name;
    resetCommands(states);
    for (const Row& r : rows)
        EXPECT_EQ(states.enabled(r.name), r.afterClose) << r.name;
    commandsForOpen(states);
    for (const auto& name : CommandStates::names())
        EXPECT_TRUE(states.enabled(name)) << name;
    EXPECT_THROW(states.enabled("mGraph"), std::out_of_range);
}

TEST(EditCommands, CutAndPasteStopAtTheFirstFailingStep) {
    FrameState state;
    FakeClipboard clipboard("new");
    FakeTarget target;
    target.text = "abc";
    target.start = 1;
    target.length = 1;
    target.replaceFails = true;
    pasteClipboard(state, target, clipboard);
    EXPECT_EQ(state.UndoStart, 1);  // the step before the failure happened
    EXPECT_FALSE(anyMark(state));
    cutSelection(state, target, clipboard);
    EXPECT_EQ(clipboard.contents, "b");  // put on the clipboard, then the removal failed
    EXPECT_FALSE(anyMark(state));
    target.hasSelection = false;
    cutSelection(state, target, clipboard);
    EXPECT_EQ(clipboard.written.size(), 1u);
    EXPECT_FALSE(anyMark(state));
}

TEST(EditCommands, CopyDeleteAndUndoPassOverFailures) {
    FrameState state;
    FakeClipboard clipboard("kept");
    FakeTarget none;
    none.hasSelection = false;
    copySelection(state, none, clipboard);
    deleteSelection(state, none);
    EXPECT_TRUE(state.CopyDone && state.DeleteDone && state.EditDone);
    EXPECT_EQ(clipboard.contents, "kept");
    undoLastEdit(state, none, clipboard);  // Delete's undo fails on this target
    EXPECT_FALSE(anyMark(state));
    EXPECT_EQ(clipboard.contents, "kept");
}

TEST(EditCommands, PasteIntoAListSetsOnlyTheMarks) {
    FrameState state;
    FakeClipboard clipboard("9");
    FakeTarget list;
    list.textBox = false;
    list.text = "400";
    pasteClipboard(state, list, clipboard);
    EXPECT_EQ(list.text, "400");
    EXPECT_TRUE(state.PasteDone);
    // Delete does not ask what kind of control it has.
    list.start = 0;
    list.length = 1;
    deleteSelection(state, list);
    EXPECT_EQ(list.text, "00");
    EXPECT_EQ(state.DeletedText, "4");
}

TEST(EditCommands, UndoPrecedenceIsCutPasteDeleteCopy) {
    struct Case {
        bool cut, paste, del;
        std::string expectedText;
        std::string expectedClipboard;
    };
    // Text "0123456", caret at 3; UndoStart 1, UndoLength 2, DeletedText "XY", clipboard "c".
    const Case cases[] = {
        {true, true, true, "012c3456", "c"},
        {false, true, true, "03456", "c"},
        {false, false, true, "0XY123456", "c"},
        {false, false, false, "0123456", ""},
    };
    for (const Case& c : cases) {
        FrameState state;
        state.EditDone = state.CopyDone = true;
        state.CutDone = c.cut;
        state.PasteDone = c.paste;
        state.DeleteDone = c.del;
        state.UndoStart = 1;
        state.UndoLength = 2;
        state.DeletedText = "XY";
        FakeClipboard clipboard("c");
        FakeTarget target;
        target.text = "0123456";
        target.start = 3;
        undoLastEdit(state, target, clipboard);
        EXPECT_EQ(target.text, c.expectedText);
        EXPECT_EQ(clipboard.contents, c.expectedClipboard);
        EXPECT_FALSE(anyMark(state));
    }
}

TEST(EditCommands, LengthsCountTextBoxCharactersAndFitSixteenBits) {
    EXPECT_EQ(editLength("abc"), 3);
    EXPECT_EQ(editLength("\xC2\xB5H"), 2);         // µH
    EXPECT_EQ(editLength("\xF0\x9F\x98\x80"), 2);  // outside the BMP: two UTF-16 units
    FrameState state;
    FakeClipboard clipboard(std::string(40000, 'x'));
    FakeTarget target;
    pasteClipboard(state, target, clipboard);
    EXPECT_EQ(target.text.size(), 40000u);  // inserted, then the length did not fit
    EXPECT_FALSE(state.PasteDone);
}
