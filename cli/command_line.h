#pragma once
// Parsing of `r605 <command> [options] [arguments]`. Each command declares which options take
// a value and which are plain flags; anything else is a usage error (exit status 2).

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace r605::cli {

struct OptionSpec {
    std::vector<std::string> valueOptions; // e.g. "--port", "-o"
    std::vector<std::string> flagOptions;  // e.g. "--verify"
};

class Arguments {
public:
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    bool has(std::string_view option) const;
    bool flag(std::string_view name) const { return flags.count(std::string(name)) != 0; }
    std::optional<std::string> value(std::string_view option) const;
    std::string valueOr(std::string_view option, std::string_view fallback) const;
};

struct ParseResult {
    Arguments arguments;
    std::string error; // non-empty on a usage error
};

ParseResult parseArguments(const std::vector<std::string>& args, const OptionSpec& options);

} // namespace r605::cli
