#pragma once

#include <memory>

#include "platform/Registry.h"

namespace coilsmith {

// The registry of the operating system: the Windows registry on Windows. Elsewhere there
// is none, and every key fails to open.
std::unique_ptr<Registry> makeSystemRegistry();

// Whether the platform has a registry at all (false on Linux and macOS).
bool systemHasRegistry() noexcept;

}  // namespace coilsmith
