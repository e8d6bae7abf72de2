#pragma once
// One function per subcommand file, each returning its table entry.

#include "context.h"

namespace r605::cli {

Command languageCommand();

} // namespace r605::cli
