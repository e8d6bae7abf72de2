#pragma once
// What every command gets: the program folder, the interface language and the two streams.

#include "command_line.h"
#include "text/language.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace r605::cli {

struct Context {
    std::filesystem::path programFolder;
    Language language;
    std::ostream& out;
    std::ostream& err;

    // Prints an error as the user reads it (language text and detail) on standard error.
    void fail(const Error& error) const;
    // Prints the warnings of a file written without something the codeplug holds, and gives the
    // exit status: Incomplete when there was one, else Success.
    int reportSaved(const std::vector<Error>& warnings) const;
};

// Incomplete: the file asked for was written, but without what standard error names.
enum ExitCode : int { Success = 0, Failure = 1, Usage = 2, Incomplete = 3 };

struct Command {
    std::string_view name;
    std::string_view usage;   // the line after "r605 "
    std::string_view summary; // one line for --help
    OptionSpec options;
    int (*run)(const Arguments& arguments, Context& context);
    std::string (*details)() = nullptr; // further lines for --help
};

// A command used wrongly: "r605 COMMAND: problem" and the command's usage line (`usage` starts
// with the command's name) on standard error; gives the exit status Usage.
int usageError(Context& context, std::string_view usage, std::string_view problem);

// Every subcommand, in the order --help lists them.
const std::vector<Command>& commands();

} // namespace r605::cli
