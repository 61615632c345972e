#pragma once

#include <functional>
#include <memory>
#include <string>

#include "frame/FrameController.h"

namespace coilsmith::test {

// The window as the frame's commands see it, over a plain model on the shipped catalogue.
struct FakeFrameWindow final : FrameWindow {
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
    void withEditTarget(const std::function<void(EditTarget&)>&) override {}
    void showCaption(const std::string& text) override { caption = text; }
    void showCommands(const CommandStates& commands) override { shown = commands; }
    void showHelp() override {}
    void showAbout() override {}
    void showRememberedFiles(const RememberedFiles& files) override { remembered = files; }

    Prompter* prompter = nullptr;
    ChokeListener* listener = nullptr;
    RememberedFiles remembered;
    std::unique_ptr<ChokeModel> model;
    std::string caption;
    CommandStates shown;
    int adviserClosed = 0;
};

}  // namespace coilsmith::test
