#pragma once

#include <string>
#include <string_view>

namespace coilsmith::cli {

// The environment variable that names a catalogue to use instead of the shipped one.
inline constexpr const char* kCatalogueVariable = "COILSMITH_CATALOGUE";

// The folder of the running executable: from /proc/self/exe, else from argv[0], else the
// current folder.
std::string programDirectory(const char* argv0);

// A data file shipped with the program (Cores.csx, help.csx): beside the executable, as in
// the build tree, else in ../share/coilsmith from it, as installed. When neither exists the
// path beside the executable, so that a message names where the file was looked for.
std::string locateDataFile(std::string_view fileName, const std::string& programDir);

// The catalogue to open: `chosen` (a --catalogue PATH) when not empty, else the file named
// by $COILSMITH_CATALOGUE when set and not empty, else the shipped Cores.csx.
std::string locateCatalogue(const std::string& chosen, const std::string& programDir);

}  // namespace coilsmith::cli
