#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
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
    explicit FakeWindow(Prompter& p) : prompter(p) {}
    void withDesign(const std::function<void(ChokeModel&)>& procedure) override {
        if (!model) {
            model = std::make_unique<ChokeModel>(
                ChokeModel::Options{COILSMITH_BIN_DIR, COILSMITH_BIN_DIR "/Cores.csx", {}},
                prompter, listener);
        }
        procedure(*model);
    }
    void unloadDesign() override {
        model.reset();
        ++adviserClosed;
    }
    void closeAdviser() override { ++adviserClosed; }
    void withEditTarget(const std::function<void(EditTarget&)>& command) override {
        command(target);
    }
    void showCaption(const std::string& text) override { caption = text; }
    void showCommands(const CommandStates& commands) override { shown = commands; }
    void showHelp() override { ++help; }
    void showAbout() override { ++about; }

    Prompter& prompter;
    ChokeListener* listener = nullptr;
    std::unique_ptr<ChokeModel> model;
    FakeTarget target;
    std::string caption = "Coilsmith";
    CommandStates shown = startCommands();
    int adviserClosed = 0, help = 0, about = 0;
};

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

QByteArray fileBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FrameControllerTest : public ::testing::Test {
  protected:
    FrameControllerTest() { window.listener = &frame; }

    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    ChokeModel& model() { return *window.model; }
    // New with a typed specification.
    void newWith(const std::string& inductance) {
        frame.newDesign();
        model().editText("Ldes", inductance);
    }
    // The worked specification and Calculate AP.
    void specify() {
        newWith("25");
        for (const auto& [box, text] :
             {std::pair{"DCC", "25"}, {"ACC", "5"}, {"Freq", "50"}, {"FD", "0.5"}}) {
            model().editText(box, text);
        }
        window.withDesign([](ChokeModel& m) { m.CAP_Click(); });
    }

    QTemporaryDir dir;
    FakePrompter prompter;
    FakeFileDialogs dialogs;
    FakeClipboard clipboard;
    std::vector<std::string> printed;
    FakeWindow window{prompter};
    FrameController frame{
        window, {prompter, dialogs, clipboard, [this](const ChokeModel&, const std::string& name) {
                     printed.push_back(name);
                 }}};
};

}  // namespace

TEST_F(FrameControllerTest, NewWithoutDesignAsksNothingAndEmptiesTheWindow) {
    frame.newDesign();
    EXPECT_TRUE(prompter.transcript.empty());
    EXPECT_EQ(window.caption, "Coilsmith : Untitled");
    EXPECT_EQ(window.shown, frame.commands());
    EXPECT_FALSE(frame.commands().enabled("mSave"));
    for (const Control& control : model().controls()) {
        if (control.kind == ControlKind::TextBox) {
            EXPECT_EQ(control.text, "") << control.name;
        }
    }
    EXPECT_EQ(model().selectedPage(), kSpecPage);
    EXPECT_FALSE(model().pageAvailable(kCorePage) || model().pageAvailable(kResultsPage));
}

enum class Command { New, Open, Close, Exit };
enum class Save { NotAsked, No, Saved, Cancelled };
struct QuestionCase {
    const char* name;
    Command command;
    bool designOpen;
    Save save;
    bool goesOn;  // New empties, Open shows its dialog, Close unloads, Exit may end
};

class SaveQuestion : public FrameControllerTest,
                     public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(SaveQuestion, IsAskedWhenADesignIsOpenAndStopsOnlyACancelledSave) {
    const QuestionCase& c = GetParam();
    if (c.designOpen) {
        newWith("33");
    }
    if (c.save != Save::NotAsked) {
        c.save == Save::No ? prompter.answerNo() : prompter.answerYes();
    }
    if (c.save == Save::Saved) {
        dialogs.chooseOnSave(path("a.txt"));
    }
    bool ended = false;
    switch (c.command) {
        case Command::New:
            frame.newDesign();
            break;
        case Command::Open:
            frame.openDesign();
            break;
        case Command::Close:
            frame.closeDesign();
            break;
        case Command::Exit:
            ended = frame.exitProgram();
            break;
    }
    const std::string question = c.command == Command::New ? kNewQuestion
                                 : c.command == Command::Open
                                     ? kNewQuestion  // Open names the untitled design too
                                     : kExitQuestion;
    EXPECT_EQ(prompter.questions,
              c.save == Save::NotAsked ? std::vector<std::string>{} : std::vector{question});
    EXPECT_EQ(QFile::exists(dir.filePath("a.txt")), c.save == Save::Saved);
    // Only Open leaves the mark of a cancelled save as it is.
    EXPECT_EQ(frame.state().SaveCancelled, c.command == Command::Open && c.save == Save::Cancelled);
    switch (c.command) {
        case Command::New:
            EXPECT_EQ(model().text("Ldes").empty(), c.goesOn);
            break;
        case Command::Open:
            EXPECT_EQ(!dialogs.calls.empty() && !dialogs.calls.back().saving, c.goesOn);
            break;
        case Command::Close:
            EXPECT_EQ(window.model == nullptr, c.goesOn);
            break;
        case Command::Exit:
            EXPECT_EQ(ended, c.goesOn);
            EXPECT_EQ(frame.state().Exiting, c.goesOn && c.designOpen);
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SaveQuestion,
    ::testing::Values(QuestionCase{"NewNone", Command::New, false, Save::NotAsked, true},
                      QuestionCase{"NewNo", Command::New, true, Save::No, true},
                      QuestionCase{"NewSaved", Command::New, true, Save::Saved, true},
                      QuestionCase{"NewCancelled", Command::New, true, Save::Cancelled, false},
                      QuestionCase{"OpenNo", Command::Open, true, Save::No, true},
                      QuestionCase{"OpenSaved", Command::Open, true, Save::Saved, false},
                      QuestionCase{"OpenCancelled", Command::Open, true, Save::Cancelled, false},
                      QuestionCase{"CloseNo", Command::Close, true, Save::No, true},
                      QuestionCase{"CloseCancelled", Command::Close, true, Save::Cancelled, false},
                      QuestionCase{"ExitNone", Command::Exit, false, Save::NotAsked, true},
                      QuestionCase{"ExitNo", Command::Exit, true, Save::No, true},
                      QuestionCase{"ExitCancelled", Command::Exit, true, Save::Cancelled, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameControllerTest, CloseResetsAndClosingAfterExitAsksNoMore) {
    newWith("1");
    prompter.answerNo();
    EXPECT_TRUE(frame.exitProgram());
    EXPECT_TRUE(frame.frameClosing());
    EXPECT_EQ(prompter.questions.size(), 1u);
    EXPECT_NE(window.model, nullptr);  // the program ends with it
    // The close box without Exit asks as Close does; a cancelled save keeps the frame.
    FrameController other(window, {prompter, dialogs, clipboard});
    other.newDesign();
    prompter.answerYes();
    EXPECT_FALSE(other.frameClosing());
    prompter.answerNo();
    EXPECT_TRUE(other.frameClosing());
    EXPECT_EQ(prompter.questions, (std::vector{kExitQuestion, kExitQuestion, kExitQuestion}));
    EXPECT_EQ(window.caption, "Coilsmith");
    EXPECT_EQ(window.shown, other.commands());
    EXPECT_FALSE(other.commands().enabled("mSaveAs"));
}

TEST_F(FrameControllerTest, SavedThenOpenedDesignIsNamedByItsFile) {
    specify();
    dialogs.chooseOnSave(path("d.txt"));
    frame.save();
    EXPECT_EQ(dialogs.calls.back().request.initialName, "Untitled");
    EXPECT_EQ(window.caption, "Coilsmith : Untitled");  // a saved new design stays untitled
    EXPECT_TRUE(window.shown.enabled("mSave"));
    EXPECT_EQ(fileBytes(path("d.txt")).count("\r\n"), 40);
    prompter.answerNo();
    dialogs.chooseOnOpen(path("d.txt"));
    frame.openDesign();
    EXPECT_EQ(prompter.questions.back(), kNewQuestion);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(window.caption, "Coilsmith : " + path("d.txt"));
    EXPECT_TRUE(frame.state().IsFromFile && !frame.state().IsUntitled);
    for (const auto& name : CommandStates::names()) {
        EXPECT_TRUE(window.shown.enabled(name)) << name;
    }
    EXPECT_EQ(model().text("DCC"), "25");
    EXPECT_EQ(model().text("APR"), "2.363");  // Calculate AP ran on the texts read
    dialogs.cancelOnSave();
    frame.saveAs();
    EXPECT_EQ(dialogs.calls.back().request.initialName, path("d.txt"));
    prompter.answerNo();
    frame.openDesign();
    EXPECT_EQ(prompter.questions.back(), "Do you want to save changes for " + path("d.txt"));
    prompter.answerNo();
    frame.newDesign();
    EXPECT_EQ(prompter.questions.back(), kNewQuestion);
}

TEST_F(FrameControllerTest, BadFileIsReportedAndChangesNothing) {
    QFile short_(dir.filePath("bad.txt"));
    ASSERT_TRUE(short_.open(QIODevice::WriteOnly));
    short_.write("False\r\nTrue\r\n");
    short_.close();
    const std::string folder = dir.path().toStdString();
    for (const std::string& file :
         {path("bad.txt"), path("missing.txt"), folder, std::string("/dev/zero")}) {
        prompter.clear();
        newWith("7");
        dialogs.chooseOnOpen(file);
        frame.openDesign();
        ASSERT_EQ(prompter.messages.size(), 1u) << file;
        EXPECT_NE(prompter.messages.front().find(file), std::string::npos);
        EXPECT_EQ(model().text("Ldes"), "7");
        EXPECT_EQ(window.caption, "Coilsmith : Untitled");
        EXPECT_TRUE(frame.state().IsUntitled && !frame.state().IsFromFile);
        EXPECT_FALSE(window.shown.enabled("mSave"));
    }
    EXPECT_EQ(prompter.messages.front(), "/dev/zero is not a Coilsmith design file");
}

TEST_F(FrameControllerTest, FailedWriteKeepsTheOldFileAndTheDesign) {
    frame.newDesign();
    dialogs.chooseOnSave(path("keep.txt"));
    frame.saveAs();
    const QByteArray before = fileBytes(path("keep.txt"));
    ASSERT_GT(before.size(), 64);
    model().editText("Ldes", "123456789012345678901234567890");
    prompter.answerYes();
    dialogs.chooseOnSave(path("keep.txt"));
    {
        const FileSizeLimit limit(16);
        frame.newDesign();  // Yes: the save fails, so New does not discard the design
    }
    EXPECT_EQ(fileBytes(path("keep.txt")), before);
    const std::string expected = "Unknown error in saving file " + path("keep.txt") + ": ";
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages.front().substr(0, expected.size()), expected);
    EXPECT_GT(prompter.messages.front().size(), expected.size());  // and the reason
    EXPECT_EQ(model().text("Ldes"), "123456789012345678901234567890");
    dialogs.failOnSave();
    frame.saveAs();
    EXPECT_EQ(prompter.messages.back(), "Unknown error in saving file Untitled");
}

TEST_F(FrameControllerTest, SaveAsAtStartCreatesTheWindowButNoDesign) {
    frame.saveAs();  // cancelled: the dialog was shown without a name, nothing created
    EXPECT_TRUE(dialogs.calls.back().request.initialName.empty());
    EXPECT_TRUE(frame.state().SaveCancelled);
    EXPECT_EQ(window.model, nullptr);
    dialogs.chooseOnSave(path("s.txt"));
    frame.saveAs();
    const QList<QByteArray> lines = fileBytes(path("s.txt")).split('\n');
    EXPECT_EQ(lines.value(38), "25\r");  // the creation texts
    EXPECT_EQ(lines.value(39), "uH\r");
    EXPECT_EQ(window.caption, "Coilsmith");
    EXPECT_FALSE(frame.state().designOpen());
}

TEST_F(FrameControllerTest, CalculateApEnablesTheCoreCommandsOnlyWhenItSucceeds) {
    for (const bool valid : {false, true}) {
        FrameController fresh(window, {prompter, dialogs, clipboard});
        window.listener = &fresh;
        window.model.reset();
        fresh.showSpecifications();  // the creation texts are a valid specification
        if (!valid) {
            model().editText("Ldes", "");
        }
        window.withDesign([](ChokeModel& m) { m.CAP_Click(); });
        for (const char* name : {"mCoreDB", "mRun", "mAdviser", "runButt", "coredbButt"}) {
            EXPECT_EQ(window.shown.enabled(name), valid) << name;
        }
        EXPECT_EQ(window.caption, "Coilsmith");
        EXPECT_FALSE(fresh.commands().enabled("mClose"));
        EXPECT_TRUE(fresh.frameClosing());  // still no design: nothing asked
    }
    EXPECT_EQ(prompter.transcript, std::vector<std::string>{"Re-Enter Inductance Value"});
}

TEST_F(FrameControllerTest, NewKeepsSelectorsCoreTypeAndCoreList) {
    specify();
    model().chooseItem("Lunit", 1);
    model().setOption("Toroid", true);
    model().chooseItem("Core", 0);
    const std::size_t cores = model().control("Core").items.size();
    ASSERT_GT(cores, 0u);
    ASSERT_FALSE(model().control("CoreMat").items.empty());
    frame.newDesign();
    EXPECT_EQ(model().text("Lunit"), "mH");
    EXPECT_TRUE(model().control("Toroid").value);
    EXPECT_EQ(model().control("Core").items.size(), cores);
    EXPECT_EQ(model().text("Core"), "");
    EXPECT_TRUE(model().control("CoreMat").items.empty());
}

TEST_F(FrameControllerTest, DesignHelpAndPrintCommandsReachTheirTargets) {
    specify();
    frame.showCoreDatabase();
    EXPECT_EQ(model().selectedPage(), kCorePage);
    frame.showSpecifications();
    EXPECT_EQ(model().selectedPage(), kSpecPage);
    frame.runDesign();  // no core chosen yet: the design says so
    EXPECT_EQ(prompter.messages.size(), 1u);
    frame.print();
    EXPECT_EQ(printed, std::vector<std::string>{""});  // New names no file
    frame.showHelp();
    frame.showAbout();
    EXPECT_EQ(window.help + window.about, 2);
    const int closed = window.adviserClosed;  // New, Open and Close take the adviser away
    frame.closeDesign();
    EXPECT_EQ(window.adviserClosed, closed + 1);
}

TEST_F(FrameControllerTest, EditCommandsWorkOnTheWindowsTarget) {
    window.target.text = "12345";
    window.target.start = 2;
    clipboard.contents = "xy";
    frame.paste();
    EXPECT_EQ(window.target.text, "12xy345");
    frame.copy();
    frame.undo();  // Paste takes precedence over Copy
    EXPECT_EQ(window.target.text, "12345");
    window.target.start = 1;
    window.target.length = 2;
    frame.cut();
    frame.deleteSelection();
    EXPECT_EQ(clipboard.contents, "23");
    EXPECT_TRUE(frame.state().CutDone && frame.state().DeleteDone);
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
