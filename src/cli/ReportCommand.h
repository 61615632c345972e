#pragma once

#include "cli/Command.h"

namespace coilsmith::cli {

// "report FILE -o OUT.pdf [--catalogue PATH] [--decimal-point C]"
Command reportCommand();

}  // namespace coilsmith::cli
