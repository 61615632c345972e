#pragma once

#include <string>

#include "frame/FrameController.h"
#include "platform/FileDialogs.h"
#include "platform/Prompter.h"
#include "windowmodel/DesignSubcircuit.h"
#include "windowmodel/SpecificationEntry.h"

// The frame's commands from the converter to the simulator: Design → "Specification from
// Converter…" once its dialog is accepted, File → "Export Simulator Model…" (the design as
// designed) and File → "Export Delivered Simulator Model…" (the delivered design the check
// page shows, on the stack chosen there).
namespace coilsmith {

inline constexpr const char* kSimulatorModelFilter = "SPICE models|*.lib|All files|*.*";
inline constexpr const char* kSimulatorModelExtension = "lib";

// The converter's worst-case specification into the design window, as Design →
// Specifications reaches it (a window is created with its starting texts when there is
// none): L, Idc, ΔI and the frequency typed with their units, then Calculate AP. The flux
// density, current density and window utilisation stay as the window has them.
void enterConverterSpecification(FrameWindow& window, const SpecificationEntry& entry);

// The name the save dialog offers: the design file's with ".lib", "Untitled.lib" for a new one;
// the delivered design's ends in "-delivered.lib".
std::string simulatorModelFileName(const FrameState& state,
                                   ModelledDesign design = ModelledDesign::AsDesigned);

struct SimulatorExportSeams {
    FileDialogs& fileDialogs;
    Prompter& prompter;
    std::string folder;  // where the save dialog starts; empty: its own
};

// Export Simulator Model: the window's design must have completed a Run; it is run again, so
// that the model is of the design the window shows, then written as the spice command writes
// it (with --delivered for the delivered design) to the file chosen in the save dialog.
// `designShown` is whether there is a design window at all. What stops the export is said through
// the prompter; a cancelled dialog ends it silently.
void exportSimulatorModel(FrameWindow& window, bool designShown, const FrameState& state,
                          const SimulatorExportSeams& seams,
                          ModelledDesign design = ModelledDesign::AsDesigned);

}  // namespace coilsmith
