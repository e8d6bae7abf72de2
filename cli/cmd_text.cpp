// `r605 text KEY [--section OTHER|OPTION|MSG]`: prints one interface text of the current
// language, as the program would show it. Handy for checking translations.
#include "base/numbers.h"
#include "commands.h"

#include <ostream>

namespace r605::cli {

namespace {

int runText(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 1) {
        context.err << "usage: r605 text KEY [--section OTHER|OPTION|MSG]\n";
        return Usage;
    }
    const auto key = parseInteger(arguments.positional[0]);
    if (!key) {
        context.err << "r605 text: KEY must be a number\n";
        return Usage;
    }
    const std::string sectionText = arguments.valueOr("--section", "OTHER");
    Section section = Section::Other;
    if (sectionText == "OPTION")
        section = Section::Option;
    else if (sectionText == "MSG")
        section = Section::Msg;
    else if (sectionText != "OTHER") {
        context.err << "r605 text: unknown section " << sectionText << "\n";
        return Usage;
    }
    if (!context.language.hasKey(static_cast<int>(*key), section)) {
        context.err << "r605 text: no text " << *key << " in section " << sectionText << "\n";
        return Failure;
    }
    context.out << context.language.GetLangText(static_cast<int>(*key), section) << "\n";
    return Success;
}

} // namespace

Command languageCommand() {
    return Command{"text", "text KEY [--section OTHER|OPTION|MSG]",
                   "print one interface text of the current language",
                   OptionSpec{{"--section"}, {}}, runText};
}

} // namespace r605::cli
