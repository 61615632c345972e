#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace coilsmith {

// The enabled state of every menu, menu item and tool button of the frame and of the tool
// bar itself, by object name. The frame's commands change it with the functions below;
// the window only copies it onto its actions and buttons.
class CommandStates {
  public:
    CommandStates();

    static const std::vector<std::string>& names();

    bool enabled(std::string_view name) const;  // std::out_of_range for an unknown name
    void set(std::string_view name, bool enabled);
    void setAll(bool enabled);
    bool operator==(const CommandStates&) const = default;

  private:
    std::map<std::string, bool, std::less<>> enabled_;
};

// The states when the frame is first shown.
CommandStates startCommands();
// New: everything but Save and the commands that need an area product.
void commandsForNew(CommandStates& states);
// Close (Reset_Commands): only what makes sense without a design.
void resetCommands(CommandStates& states);
// A design read by Open: everything.
void commandsForOpen(CommandStates& states);
// A successful "Calculate AP" in the design window: the core pages and the adviser.
void commandsForAreaProduct(CommandStates& states);
// A file written by Save As.
void commandsForSaved(CommandStates& states);

}  // namespace coilsmith
