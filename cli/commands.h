#pragma once
// One function per subcommand file, each returning its table entry.

#include "context.h"

namespace r605::cli {

Command languageCommand();
Command bootImageCommand();
Command newCommand();
Command dumpCommand();
Command buildCommand();
Command readCommand();
Command writeCommand();
Command portsCommand();
Command simCommand();
Command imageCommand();
Command decodeCommand();
Command exportCommand();
Command importCommand();
Command diffCommand();
Command reportCommand();
Command contactsDbCommand();
Command fleetCommand();

} // namespace r605::cli
