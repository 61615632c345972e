#pragma once

#include "platform/Launcher.h"

namespace coilsmith {

// Starts programs as detached processes of their own.
class ProcessLauncher final : public Launcher {
  public:
    bool fileExists(const std::string& path) const override;
    bool start(const std::string& program) override;
};

}  // namespace coilsmith
