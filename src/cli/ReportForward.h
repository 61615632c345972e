#pragma once

#include "cli/Command.h"

namespace coilsmith::cli {

// coilsmith-cli's "report": runs coilsmith-cli-report beside the program with the same
// arguments and passes on its exit status.
Command reportForwardCommand();

}  // namespace coilsmith::cli
