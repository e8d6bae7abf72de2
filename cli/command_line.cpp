#include "command_line.h"

#include <algorithm>

namespace r605::cli {

bool Arguments::has(std::string_view option) const {
    return values.count(std::string(option)) != 0 || flags.count(std::string(option)) != 0;
}

std::optional<std::string> Arguments::value(std::string_view option) const {
    const auto found = values.find(std::string(option));
    if (found == values.end())
        return std::nullopt;
    return found->second;
}

std::string Arguments::valueOr(std::string_view option, std::string_view fallback) const {
    return value(option).value_or(std::string(fallback));
}

namespace {

bool listed(const std::vector<std::string>& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

} // namespace

ParseResult parseArguments(const std::vector<std::string>& args, const OptionSpec& options) {
    ParseResult result;
    bool onlyPositional = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyPositional || arg.empty() || arg[0] != '-' || arg == "-") {
            result.arguments.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositional = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (const auto equals = arg.find('=');
            equals != std::string::npos && arg.rfind("--", 0) == 0) {
            name = arg.substr(0, equals);
            inlineValue = arg.substr(equals + 1);
        }
        if (listed(options.flagOptions, name) && !inlineValue) {
            result.arguments.flags.insert(name);
            continue;
        }
        if (!listed(options.valueOptions, name)) {
            result.error = "unknown option " + name;
            return result;
        }
        if (inlineValue) {
            result.arguments.values[name] = *inlineValue;
            continue;
        }
        if (i + 1 >= args.size()) {
            result.error = "option " + name + " needs a value";
            return result;
        }
        result.arguments.values[name] = args[++i];
    }
    return result;
}

} // namespace r605::cli
