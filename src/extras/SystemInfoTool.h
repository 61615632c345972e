#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Launcher.h"
#include "platform/Prompter.h"
#include "platform/Registry.h"

namespace coilsmith {

inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";
inline constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoValue = "PATH";
inline constexpr const char* kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSysInfoLocationValue = "MSINFO";
inline constexpr const char* kSysInfoProgram = "\\MSINFO32.EXE";
inline constexpr std::size_t kRegistryBufferSize = 1024;

// Reads one registry value as text. The key is opened for reading only: asking for full
// access to a machine-wide key is refused to ordinary users. A text value loses its
// terminating NUL; a 32-bit number becomes "&h" and the hexadecimal codes of its kept
// characters from last to first; any other type leaves KeyVal as it was. On failure
// KeyVal is empty and the result false.
bool readRegistryText(Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName,
                      const std::string& SubKeyRef, std::string& KeyVal);

// Starts the System Information tool found through the registry, or shows
// "System Information Is Unavailable At This Time".
void startSystemInfoTool(Registry& registry, Launcher& launcher, Prompter& prompter);

}  // namespace coilsmith
