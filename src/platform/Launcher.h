#pragma once

#include <string>

namespace coilsmith {

// Starts other programs and tests for files.
class Launcher {
  public:
    virtual ~Launcher() = default;
    virtual bool fileExists(const std::string& path) const = 0;
    virtual bool start(const std::string& program) = 0;  // as a normal, focused window
};

}  // namespace coilsmith
