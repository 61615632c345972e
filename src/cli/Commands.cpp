// The table of coilsmith-cli's commands. A new command is one file defining a Command and
// one line here.
#include "cli/Command.h"
#include "cli/DesignCommand.h"
#include "cli/ReportForward.h"

namespace coilsmith::cli {

Command rankCommand();   // RankCommand.cpp
Command checkCommand();  // CheckCommand.cpp

std::span<const Command> commands() {
    static const Command table[] = {
        designCommand(),
        checkCommand(),
        rankCommand(),
        reportForwardCommand(),
    };
    return table;
}

}  // namespace coilsmith::cli
