#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/Launcher.h"

namespace coilsmith {

// Scripted files and launches; records every program it is asked to start.
class FakeLauncher final : public Launcher {
  public:
    bool fileExists(const std::string& path) const override {
        checked.push_back(path);
        return files.count(path) != 0;
    }
    bool start(const std::string& program) override {
        started.push_back(program);
        return startSucceeds;
    }

    std::set<std::string> files;
    bool startSucceeds = true;
    mutable std::vector<std::string> checked;
    std::vector<std::string> started;
};

}  // namespace coilsmith
