// The converter and simulator commands of the frame, over a plain model on the shipped
// catalogue.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>

#include "FakeFrameWindow.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeFileDialogs.h"
#include "fakes/FakePrompter.h"
#include "frame/SimulatorCommands.h"
#include "windowmodel/DesignSubcircuit.h"

using namespace coilsmith;

namespace {

const std::string kNoDesign =
    "There is no completed design to model: choose a core and a material and run the design "
    "first";

struct Rig {
    Rig() {
        window.prompter = &prompter;
        window.listener = &frame;
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    void exportModel(ModelledDesign design = ModelledDesign::AsDesigned) {
        exportSimulatorModel(window, window.model != nullptr, frame.state(),
                             {dialogs, prompter, "/last"}, design);
    }
    // 100 uH, 5 A, 1 A at 100 kHz on T106 in -8, designed.
    void designT106() {
        enterConverterSpecification(window, {100e-6, 5, 1, 100e3, {}, {}, {}});
        window.withDesign([](ChokeModel& m) {
            m.setOption("Toroid", true);
            m.setListText("Core", "T106");
            m.setListText("CoreMat", "-8");
            m.runDesign();
        });
        ASSERT_TRUE(window.model->lastDesign()->completed());
    }

    QTemporaryDir dir;
    FakePrompter prompter;
    FakeFileDialogs dialogs;
    FakeClipboard clipboard;
    test::FakeFrameWindow window;
    FrameController frame{window, {prompter, dialogs, clipboard, {}, {}}};
};

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

// Without a design window the converter makes one with its starting texts, as Design →
// Specifications does; it types the four figures and Calculate AP enables the core pages.
TEST(SimulatorCommands, ConverterSpecificationIsTypedAndSized) {
    Rig r;
    enterConverterSpecification(r.window, {53.3333e-6, 5, 1.5, 100e3, {}, {}, {}});
    ChokeModel& m = *r.window.model;
    EXPECT_EQ(m.text("Ldes") + m.text("Lunit") + " " + m.text("DCC") + m.text("DCunit") + " " +
                  m.text("ACC") + m.text("ACunit") + " " + m.text("Freq") + m.text("Funit") + " " +
                  m.text("FD") + m.text("Bunit"),
              "53.3333uH 5A 1.5A 100kHz 0.5T");
    // 0.5 L Ipk^2 = 0.5 * 53.3333e-6 * 5.75^2 = 8.8167e-4 J; AP = 2 W 1e8 / (0.5 T * 4e6 A/m^2
    // * 0.4) = 0.220 cm^4.
    EXPECT_EQ(m.text("APR"), "0.220");
    EXPECT_TRUE(r.frame.commands().enabled("mCoreDB") && r.frame.commands().enabled("mRun"));
    EXPECT_TRUE(r.prompter.transcript.empty());

    // The flux density the user typed is kept.
    m.editText("FD", "0.3");
    enterConverterSpecification(r.window, {1e-3, 1, 0.3, 20e3, {}, {}, {}});
    EXPECT_EQ(m.text("Ldes") + m.text("Lunit") + " " + m.text("FD"), "1mH 0.3");
}

TEST(SimulatorCommands, ExportNeedsACompletedDesign) {
    Rig r;
    r.exportModel();  // no design window at all: none is created for the message
    EXPECT_EQ(r.window.model, nullptr);
    enterConverterSpecification(r.window, {100e-6, 5, 1, 100e3, {}, {}, {}});
    r.exportModel();
    EXPECT_EQ(r.prompter.messages, (std::vector<std::string>{kNoDesign, kNoDesign}));
    EXPECT_TRUE(r.dialogs.calls.empty());
}

// The design is run again and written as the spice command writes it.
TEST(SimulatorCommands, ExportWritesTheShownDesignsModel) {
    Rig r;
    r.designT106();
    const std::string expected = simulatorModel(*r.window.model, {});
    r.dialogs.chooseOnSave(r.path("t106.lib"));
    r.exportModel();
    ASSERT_EQ(r.dialogs.calls.size(), 1u);
    const FileDialogRequest& request = r.dialogs.calls.back().request;
    EXPECT_TRUE(r.dialogs.calls.back().saving);
    EXPECT_EQ(request.initialName, "Untitled.lib");
    EXPECT_EQ(request.folder, "/last");
    EXPECT_EQ(request.filter, "SPICE models|*.lib|All files|*.*");
    EXPECT_EQ(request.defaultExtension, "lib");
    EXPECT_EQ(fileText(r.path("t106.lib")), expected);
    EXPECT_NE(expected.find(".subckt T106_8 1 2\n"), std::string::npos);
    EXPECT_TRUE(r.prompter.messages.empty());

    // A core picked since the Run is designed before it is modelled.
    r.window.model->setListText("CoreMat", "-26");
    r.dialogs.chooseOnSave(r.path("t106-26.lib"));
    r.exportModel();
    EXPECT_NE(fileText(r.path("t106-26.lib")).find(".subckt T106_26 1 2\n"), std::string::npos);

    r.dialogs.cancelOnSave();
    r.exportModel();
    r.dialogs.failOnSave();
    r.exportModel();
    EXPECT_EQ(r.prompter.messages,
              (std::vector<std::string>{"Unknown error in saving file Untitled.lib"}));
    r.dialogs.chooseOnSave(r.path("no-such-folder/x.lib"));
    r.exportModel();
    EXPECT_EQ(r.prompter.messages.back().rfind(
                  "Cannot write the simulator model " + r.path("no-such-folder/x.lib") + ": ", 0),
              0u);
}

TEST(SimulatorCommands, OfferedNameFollowsTheDesignFile) {
    FrameState state;
    EXPECT_EQ(simulatorModelFileName(state), "Untitled.lib");
    state.IsFromFile = true;
    state.FileName = "/designs/buck 12 V.txt";
    EXPECT_EQ(simulatorModelFileName(state), "/designs/buck 12 V.lib");
    EXPECT_EQ(simulatorModelFileName(state, ModelledDesign::Delivered),
              "/designs/buck 12 V-delivered.lib");
}

// The delivered export models the delivered design on the stack the check page chose.
TEST(SimulatorCommands, DeliveredExportFollowsTheChosenStack) {
    Rig r;
    r.designT106();
    r.window.model->setDeliveredStack(StackChoice::of(2));
    const std::string expected = simulatorModel(*r.window.model, {ModelledDesign::Delivered, ""});
    r.dialogs.chooseOnSave(r.path("delivered.lib"));
    r.exportModel(ModelledDesign::Delivered);
    EXPECT_EQ(r.dialogs.calls.back().request.initialName, "Untitled-delivered.lib");
    EXPECT_EQ(fileText(r.path("delivered.lib")), expected);
    EXPECT_NE(expected.find(", as delivered on 2 cores (the stack chosen)"), std::string::npos);
    EXPECT_NE(expected.find(", 2 cores stacked, "), std::string::npos);
    EXPECT_TRUE(r.prompter.messages.empty());
}
