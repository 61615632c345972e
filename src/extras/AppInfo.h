#pragma once

#include <QString>

namespace coilsmith {

inline constexpr const char* kAppTitle = "Coilsmith";

// "Version " with major, minor and revision as plain decimal integers.
QString versionText();

// The operating system the program runs on: "Linux", "Windows", "macOS", or the system's
// own product name for anything else.
QString platformName();

}  // namespace coilsmith
