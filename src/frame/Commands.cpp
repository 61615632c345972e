#include "frame/Commands.h"

#include <stdexcept>

namespace coilsmith {

CommandStates::CommandStates() {
    for (const auto& name : names()) {
        enabled_.emplace(name, false);
    }
}

const std::vector<std::string>& CommandStates::names() {
    static const std::vector<std::string> all{
        "mFile",      "mNew",       "mOpen",   "mClose",    "mSave",    "mSaveAs",
        "mPrint",     "mExit",      "mEdit",   "mUndo",     "mCut",     "mCopy",
        "mPaste",     "mDesign",    "mSpces",  "mCoreDB",   "mRun",     "mAdviser",
        "mHelp",      "mCSHelp",    "mAbout",  "menuBar",   "newButt",  "openButt",
        "saveButt",   "copyButt",   "cutButt", "pasteButt", "delButt",  "undoButt",
        "designButt", "coredbButt", "runButt", "printButt", "helpButt", "graphButt"};
    return all;
}

bool CommandStates::enabled(std::string_view name) const {
    const auto it = enabled_.find(name);
    if (it == enabled_.end()) {
        throw std::out_of_range("unknown command " + std::string(name));
    }
    return it->second;
}

void CommandStates::set(std::string_view name, bool enabled) {
    const auto it = enabled_.find(name);
    if (it == enabled_.end()) {
        throw std::out_of_range("unknown command " + std::string(name));
    }
    it->second = enabled;
}

void CommandStates::setAll(bool enabled) {
    for (auto& entry : enabled_) {
        entry.second = enabled;
    }
}

namespace {

void enable(CommandStates& states, std::initializer_list<std::string_view> names, bool on) {
    for (const auto name : names) {
        states.set(name, on);
    }
}

}  // namespace

CommandStates startCommands() {
    CommandStates states;
    enable(states,
           {"mFile", "mNew", "mOpen", "mSaveAs", "mExit", "mDesign", "mSpces", "mHelp", "mCSHelp",
            "mAbout", "menuBar", "newButt", "openButt", "helpButt"},
           true);
    return states;
}

void commandsForNew(CommandStates& states) {
    states.setAll(true);
    enable(states, {"runButt", "graphButt", "coredbButt", "mSave", "mCoreDB", "mRun", "mAdviser"},
           false);
}

void resetCommands(CommandStates& states) {
    states.setAll(false);
    enable(states,
           {"mFile", "mHelp", "mNew", "mOpen", "mExit", "mCSHelp", "mAbout", "menuBar", "newButt",
            "openButt", "helpButt"},
           true);
}

void commandsForOpen(CommandStates& states) {
    states.setAll(true);
}

void commandsForAreaProduct(CommandStates& states) {
    enable(states, {"mCoreDB", "mRun", "mAdviser", "runButt", "graphButt", "coredbButt"}, true);
}

void commandsForSaved(CommandStates& states) {
    states.set("mSave", true);
}

}  // namespace coilsmith
