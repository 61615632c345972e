// The table of coilsmith-cli's commands. A new command is one file defining a Command and
// one line here.
#include "cli/Command.h"
#include "cli/DesignCommand.h"
#include "cli/ReportForward.h"

namespace coilsmith::cli {

Command rankCommand();   // RankCommand.cpp
Command checkCommand();  // CheckCommand.cpp
Command newCommand();    // NewCommand.cpp
Command spiceCommand();  // SpiceCommand.cpp

std::span<const Command> commands() {
    static const Command table[] = {
        newCommand(),  designCommand(), checkCommand(),
        rankCommand(), spiceCommand(),  reportForwardCommand(),
    };
    return table;
}

}  // namespace coilsmith::cli
