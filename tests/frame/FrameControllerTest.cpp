#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "FileSizeLimit.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeFileDialogs.h"
#include "fakes/FakePrompter.h"
#include "frame/FrameController.h"
#include "frame/SimulatorCommands.h"
#include "windowmodel/DesignSubcircuit.h"

using namespace coilsmith;
using testing::StartsWith;

namespace {

using Strings = std::vector<std::string>;

// A controller over a fake window (a plain model on the shipped catalogue) and fake seams.
struct Rig final : FrameWindow {
    void withDesign(const std::function<void(ChokeModel&)>& procedure) override {
        if (!design) {
            design = std::make_unique<ChokeModel>(
                ChokeModel::Options{COILSMITH_BIN_DIR, COILSMITH_BIN_DIR "/Cores.csx", {}},
                prompter, &frame);
        }
        procedure(*design);
    }
    void unloadDesign() override { design.reset(); }
    void closeAdviser() override { ++adviserClosed; }
    void withEditTarget(const std::function<void(EditTarget&)>&) override {}
    void showCaption(const std::string& text) override { caption = text; }
    void showCommands(const CommandStates& commands) override { shown = commands; }
    void showHelp() override {}
    void showAbout() override {}
    void showRememberedFiles(const RememberedFiles& files) override { remembered = files; }

    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    ChokeModel& model() { return *design; }
    void newWith(const std::string& inductance) {
        frame.newDesign();
        model().editText("Ldes", inductance);
    }
    void exportModel(ModelledDesign modelled = ModelledDesign::AsDesigned) {
        exportSimulatorModel(*this, design != nullptr, frame.state(), {dialogs, prompter, "/last"},
                             modelled);
    }

    QTemporaryDir dir;
    FakePrompter prompter;
    FakeFileDialogs dialogs;
    FakeClipboard clipboard;
    std::unique_ptr<ChokeModel> design;
    std::string caption;
    CommandStates shown;
    RememberedFiles remembered;
    int adviserClosed = 0;
    Strings printed;  // file name, then the name offered for a PDF
    FrameController frame{
        *this,
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

}  // namespace

// New empties the window but keeps the selectors, the core type and the core list.
TEST(FrameController, NewEmptiesTheWindowButKeepsItsChoices) {
    Rig r;
    r.frame.showSpecifications();  // the window with its creation texts
    r.model().chooseItem("Lunit", 1);
    r.model().setOption("Toroid", true);
    r.model().chooseItem("Core", 0);
    const std::size_t cores = r.model().control("Core").items.size();
    ASSERT_FALSE(cores == 0 || r.model().control("CoreMat").items.empty());
    r.frame.newDesign();
    EXPECT_TRUE(r.prompter.questions.empty());  // New had no design to ask for
    for (const Control& control : r.model().controls()) {
        EXPECT_TRUE(control.kind != ControlKind::TextBox || control.text.empty()) << control.name;
    }
    EXPECT_FALSE(r.model().pageAvailable(kCorePage) || r.model().pageAvailable(kResultsPage));
    EXPECT_EQ(std::tuple(r.model().text("Lunit"), r.model().control("Toroid").value,
                         r.model().control("Core").items.size(), r.model().text("Core"),
                         r.model().control("CoreMat").items.size(), r.model().selectedPage()),
              std::tuple("mH", true, cores, "", 0u, kSpecPage));
}

// Each command says whether it went on after the save question; a design is open unless no
// question is asked. Open names the untitled design too, and closing after Exit asks no more.
TEST(FrameController, SaveQuestionIsAskedWhenADesignIsOpenAndStopsOnlyACancelledSave) {
    enum Answer { NotAsked, No, Saved, Cancelled };
    using Command = bool (*)(Rig&);
    const Command newDesign = [](Rig& r) {
        return r.frame.newDesign(), r.model().text("Ldes").empty();
    };
    const Command open = [](Rig& r) {
        return r.frame.openDesign(), !r.dialogs.calls.back().saving;
    };
    const Command close = [](Rig& r) { return r.frame.closeDesign() && !r.design; };
    const Command exit = [](Rig& r) { return r.frame.exitProgram() && r.frame.frameClosing(); };
    const struct Row {
        Command command;
        Answer answer;
        bool goesOn;
    } rows[] = {{newDesign, NotAsked, true},   {newDesign, No, true}, {newDesign, Saved, true},
                {newDesign, Cancelled, false}, {open, No, true},      {open, Saved, false},
                {open, Cancelled, false},      {close, No, true},     {close, Cancelled, false},
                {exit, NotAsked, true},        {exit, No, true},      {exit, Cancelled, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(&row - rows);
        Rig r;
        if (row.answer != NotAsked) {
            r.newWith("33");
            row.answer == No ? r.prompter.answerNo() : r.prompter.answerYes();
        }
        if (row.answer == Saved) {
            r.dialogs.chooseOnSave(r.path("a.txt"));
        }
        EXPECT_EQ(row.command(r), row.goesOn);
        const bool exiting = row.command == close || row.command == exit;
        const std::string question = "Do you want to save changes " +
                                     std::string(exiting ? "before exiting?" : "for Untitled");
        EXPECT_EQ(r.prompter.questions, row.answer == NotAsked ? Strings{} : Strings{question});
        EXPECT_EQ(QFile::exists(r.dir.filePath("a.txt")), row.answer == Saved);
    }
}

// A design is named by the file it was opened from, which goes first in the recent files;
// dialogs start in the folder last used. A refused file (the reader's test) changes nothing.
TEST(FrameController, OpenedDesignIsNamedByItsFileAndRemembered) {
    Rig r;
    r.newWith("25");
    for (const char* box : {"DCC", "ACC", "Freq", "FD"}) {
        r.model().editText(box, "1");  // a valid specification: opening it reports nothing
    }
    r.dialogs.chooseOnOpen("/dev/zero");
    r.frame.openDesign();
    EXPECT_EQ(r.prompter.messages, Strings{"/dev/zero is not a Coilsmith design file"});
    EXPECT_EQ(r.model().text("Ldes"), "25");
    EXPECT_EQ(r.caption, "Coilsmith : Untitled");
    EXPECT_FALSE(r.shown.enabled("mSave"));
    r.prompter.clear();
    r.dialogs.chooseOnSave(r.path("d.txt"));
    r.frame.save();
    const FileDialogRequest& request = r.dialogs.calls.back().request;
    EXPECT_EQ(std::tie(request.initialName, request.folder), std::tuple("Untitled", "/last"));
    EXPECT_EQ(r.caption, "Coilsmith : Untitled");  // a saved new design stays untitled
    r.dialogs.chooseOnOpen(r.path("d.txt"));
    const int adviserClosed = r.adviserClosed;
    r.frame.openDesign();
    EXPECT_EQ(r.adviserClosed, adviserClosed + 1);
    EXPECT_EQ(r.caption, "Coilsmith : " + r.path("d.txt"));
    EXPECT_TRUE(r.shown.enabled("mSave"));  // only Open enables Save
    EXPECT_EQ(std::tie(r.remembered.recentFiles, r.remembered.lastFolder),
              std::tuple(Strings{r.path("d.txt"), "/gone/old.txt"}, r.dir.path().toStdString()));
    r.frame.print();  // offered as a PDF beside the design
    EXPECT_EQ(r.printed, (Strings{r.path("d.txt"), r.path("d.pdf")}));
    r.frame.openRecentFile("/gone/old.txt");  // nothing asked for a missing file
    EXPECT_EQ(r.prompter.messages,
              Strings{"/gone/old.txt no longer exists and was taken off the recent files."});
    EXPECT_EQ(r.remembered.recentFiles, Strings{r.path("d.txt")});
    r.frame.openDesign();
    EXPECT_EQ(r.prompter.questions,
              (Strings{"Do you want to save changes for Untitled",
                       "Do you want to save changes for " + r.path("d.txt")}));
}

TEST(FrameController, FailedSaveKeepsTheOldFileAndTheDesign) {
    Rig r;
    r.frame.newDesign();
    r.dialogs.chooseOnSave(r.path("keep.txt"));
    r.frame.saveAs();
    const QByteArray before = fileBytes(r.path("keep.txt"));
    r.model().editText("Ldes", "123456789012345678901234567890");
    r.prompter.answerYes();
    r.dialogs.chooseOnSave(r.path("keep.txt"));
    {
        const test::FileSizeLimit limit(16);
        r.frame.newDesign();  // Yes: the save fails, so New does not discard the design
    }
    EXPECT_EQ(fileBytes(r.path("keep.txt")), before);
    const std::string expected = "Unknown error in saving file " + r.path("keep.txt") + ": ";
    EXPECT_THAT(r.prompter.messages,  // and the reason
                testing::ElementsAre(testing::AllOf(
                    StartsWith(expected), testing::SizeIs(testing::Gt(expected.size())))));
    EXPECT_EQ(r.model().text("Ldes"), "123456789012345678901234567890");
    r.dialogs.failOnSave();
    r.frame.saveAs();
    EXPECT_EQ(r.prompter.messages.back(), "Unknown error in saving file Untitled");
}

TEST(FrameController, FileArgumentsAreOpenedAsOpenWouldOrRefused) {
    Rig saved;
    saved.dialogs.chooseOnSave(saved.path("good.txt"));
    saved.frame.saveAs();
    const std::string good = saved.path("good.txt");
    const struct {
        Strings files;
        std::string caption, message;  // empty caption: nothing opened
    } rows[] = {{{good}, "Coilsmith : " + good, ""},
                {{"/no/such.txt"}, "", "Unknown error in opening file /no/such.txt: "},
                {{good, "/no/such.txt"},
                 "",
                 "Coilsmith opens one design file at a time; it was given 2, so none was opened."},
                {{}, "", ""}};
    for (const auto& row : rows) {
        Rig r;
        r.frame.openAtStart(row.files);
        EXPECT_EQ(r.caption, row.caption);
        EXPECT_EQ(r.prompter.messages.size(), row.message.empty() ? 0u : 1u);
        EXPECT_THAT(r.prompter.messages, testing::Each(StartsWith(row.message)));
    }
}

TEST(RecentFiles, KeepEightNewestFirstOnceEachAndDropMissingOnes) {
    RecentFiles recent({"b", "a", "b", ""});  // a stored list is cleaned as it is read
    EXPECT_EQ(recent.paths(), (Strings{"b", "a"}));
    for (const char* path : {"1", "2", "3", "4", "5", "6", "7", "a"}) {
        recent.add(path);
    }
    EXPECT_EQ(recent.paths(), (Strings{"a", "7", "6", "5", "4", "3", "2", "1"}));
    const auto gone = recent.dropMissing([](const std::string& p) { return p != "a" && p != "4"; });
    EXPECT_EQ(gone, (Strings{"a", "4"}));
    EXPECT_EQ(recent.paths(), (Strings{"7", "6", "5", "3", "2", "1"}));
}

TEST(CommandStates, TransitionsFollowTheFrameTable) {
    // Enabled at start, after New, after Calculate Ap, after Close.
    const std::pair<const char*, const char*> rows[] = {
        {"mFile", "1111"},    {"mSave", "0000"},      {"mSaveAs", "1110"},    {"mPrint", "0110"},
        {"mEdit", "0110"},    {"mDesign", "1110"},    {"mSpces", "1110"},     {"mCoreDB", "0010"},
        {"mRun", "0010"},     {"designButt", "0110"}, {"coredbButt", "0010"}, {"graphButt", "0010"},
        {"helpButt", "1111"}, {"menuBar", "1111"},    {"mClose", "0110"},     {"delButt", "0110"},
        {"mAdviser", "0010"}};
    CommandStates states = startCommands();
    const std::function<void(CommandStates&)> steps[] = {[](CommandStates&) {}, commandsForNew,
                                                         commandsForAreaProduct, resetCommands};
    for (int step = 0; step < 4; ++step) {
        steps[step](states);
        for (const auto& [name, enabled] : rows) {
            EXPECT_EQ(states.enabled(name), enabled[step] == '1') << name << " step " << step;
        }
    }
}

// Without a completed design there is nothing to model; the design shown is run again and
// written as the spice command writes it, as designed or as delivered on the chosen stack.
TEST(SimulatorCommands, ExportWritesTheShownDesignsModel) {
    Rig r;
    r.exportModel();  // no design window at all: none is created for the message
    EXPECT_EQ(r.design, nullptr);
    EXPECT_EQ(r.prompter.messages, Strings{"There is no completed design to model: choose a core "
                                           "and a material and run the design first"});
    r.prompter.clear();
    r.frame.newDesign();  // 100 uH, 5 A, 1 A at 100 kHz on T106 in -8
    enterConverterSpecification(r, {100e-6, 5, 1, 100e3, 0.5, 400, 0.4});
    r.model().setOption("Toroid", true);
    r.model().setListText("Core", "T106");
    r.model().setListText("CoreMat", "-8");
    r.frame.runDesign();
    const std::string expected = simulatorModel(r.model(), {});
    r.dialogs.chooseOnSave(r.path("t106.lib"));
    r.exportModel();
    const auto& [saving, request] = r.dialogs.calls.back();
    EXPECT_EQ(std::tie(saving, request.initialName, request.folder, request.defaultExtension),
              std::tuple(true, "Untitled.lib", "/last", "lib"));
    EXPECT_EQ(fileBytes(r.path("t106.lib")).toStdString(), expected);

    r.model().setDeliveredStack(StackChoice::of(2));
    const std::string delivered = simulatorModel(r.model(), {ModelledDesign::Delivered, ""});
    EXPECT_NE(delivered.find(", 2 cores stacked, "), std::string::npos);
    r.dialogs.chooseOnSave(r.path("delivered.lib"));
    r.exportModel(ModelledDesign::Delivered);
    EXPECT_EQ(r.dialogs.calls.back().request.initialName, "Untitled-delivered.lib");
    EXPECT_EQ(fileBytes(r.path("delivered.lib")).toStdString(), delivered);

    // A core picked since the Run is designed before it is modelled.
    r.model().setListText("CoreMat", "-26");
    r.dialogs.chooseOnSave(r.path("t106-26.lib"));
    r.exportModel();
    EXPECT_TRUE(fileBytes(r.path("t106-26.lib")).contains(".subckt T106_26 1 2\n"));

    r.dialogs.cancelOnSave();
    r.exportModel();
    r.dialogs.failOnSave();
    r.exportModel();
    EXPECT_EQ(r.prompter.messages, (Strings{"Unknown error in saving file Untitled.lib"}));
    r.dialogs.chooseOnSave(r.path("no-such-folder/x.lib"));
    r.exportModel();
    EXPECT_THAT(r.prompter.messages.back(), StartsWith("Cannot write the simulator model " +
                                                       r.path("no-such-folder/x.lib") + ": "));
}
