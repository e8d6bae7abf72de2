// The table of subcommands. Each command lives in a file of its own (cmd_*.cpp) and is listed
// here once.
#include "commands.h"
#include "context.h"

namespace r605::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        languageCommand(),
        bootImageCommand(),
        newCommand(),
        dumpCommand(),
        buildCommand(),
        readCommand(),
        writeCommand(),
        fleetCommand(),
        portsCommand(),
        simCommand(),
        imageCommand(),
        decodeCommand(),
        exportCommand(),
        importCommand(),
        contactsDbCommand(),
        diffCommand(),
        reportCommand(),
    };
    return table;
}

} // namespace r605::cli
