#pragma once

#include <string>

namespace coilsmith::cli {

// The folder of the running executable: from /proc/self/exe, else from argv[0], else the
// current folder.
std::string programDirectory(const char* argv0);

}  // namespace coilsmith::cli
