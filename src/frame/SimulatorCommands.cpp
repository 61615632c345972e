#include "frame/SimulatorCommands.h"

#include <filesystem>
#include <optional>

#include "platform/FileReplacement.h"

namespace coilsmith {

namespace {

bool completed(const ChokeModel& model) {
    return model.lastDesign() && model.lastDesign()->completed();
}

// The design run again and its netlist; nothing when the run or the model stopped, said
// through the prompter (the model says why a run ended).
std::optional<std::string> netlistOfShownDesign(FrameWindow& window, const FrameState& state,
                                                ModelledDesign design, Prompter& prompter) {
    std::optional<std::string> netlist;
    window.withDesign([&](ChokeModel& model) {
        if (!completed(model)) {
            prompter.message(kNoCompletedDesignToModel);
            return;
        }
        model.runDesign();
        if (!completed(model)) {
            return;
        }
        try {
            netlist = simulatorModel(model, {design, state.IsFromFile ? state.FileName : ""});
        } catch (const spice::SpiceModelError& error) {
            prompter.message(error.what());
        }
    });
    return netlist;
}

}  // namespace

void enterConverterSpecification(FrameWindow& window, const SpecificationEntry& entry) {
    window.withDesign([&entry](ChokeModel& model) {
        // A converter's specification is finite and sets neither list, so it always types.
        if (const auto problem = enterSpecification(model, entry)) {
            return;
        }
        model.calculateAreaProduct();
    });
}

std::string simulatorModelFileName(const FrameState& state, ModelledDesign design) {
    const std::filesystem::path file(state.IsFromFile ? state.FileName : "Untitled");
    const std::string suffix = design == ModelledDesign::Delivered ? "-delivered." : ".";
    return file.parent_path() / (file.stem().string() + suffix + kSimulatorModelExtension);
}

void exportSimulatorModel(FrameWindow& window, bool designShown, const FrameState& state,
                          const SimulatorExportSeams& seams, ModelledDesign design) {
    if (!designShown) {
        seams.prompter.message(kNoCompletedDesignToModel);
        return;
    }
    const std::optional<std::string> netlist =
        netlistOfShownDesign(window, state, design, seams.prompter);
    if (!netlist) {
        return;
    }
    FileDialogRequest request;
    request.initialName = simulatorModelFileName(state, design);
    request.folder = seams.folder;
    request.filter = kSimulatorModelFilter;
    request.defaultExtension = kSimulatorModelExtension;
    const FileDialogResult chosen = seams.fileDialogs.save(request);
    if (chosen.outcome == FileDialogResult::Outcome::Cancelled) {
        return;
    }
    if (chosen.outcome == FileDialogResult::Outcome::Failed) {
        seams.prompter.message("Unknown error in saving file " + chosen.fileName);
        return;
    }
    try {
        replaceFileContents(chosen.fileName, *netlist);
    } catch (const FileWriteError& failure) {
        seams.prompter.message("Cannot write the simulator model " + chosen.fileName + ": " +
                               failure.what());
    }
}

}  // namespace coilsmith
