// The table of coilsmith-cli's commands. A new command is one file defining a Command and
// one line here.
#include "cli/Command.h"
#include "cli/DesignCommand.h"

namespace coilsmith::cli {

std::span<const Command> commands() {
    static const Command table[] = {
        designCommand(),
    };
    return table;
}

}  // namespace coilsmith::cli
