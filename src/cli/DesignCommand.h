#pragma once

#include <string>

#include "cli/Command.h"
#include "cli/OpenDesign.h"
#include "platform/Prompter.h"

namespace coilsmith::cli {

using DesignRequest = DesignSource;

struct DesignRun {
    int exitCode = kExitUsage;
    std::string designText;  // the completed 40 lines, when exitCode is kExitDone
};

// Reads the design file into a fresh design window, replays Open, runs the design and
// writes the completed design. Every message goes to `prompter`, in order.
DesignRun runDesign(const DesignRequest& request, const std::string& programDir,
                    Prompter& prompter);

// "design FILE [-o OUT] [--catalogue PATH] [--decimal-point C]"
Command designCommand();

}  // namespace coilsmith::cli
