// `r605 dump FILE`: a codeplug file (.rdt or JSON) as JSON on standard output, every table and
// record the file holds, so that `r605 build` makes the same file again.
#include "codeplug_file.h"
#include "commands.h"
#include "json/codeplug_json.h"

#include <filesystem>
#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage = "dump FILE.rdt|FILE.json";

int runDump(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 1) {
        context.err << "usage: r605 " << kUsage << "\n";
        return Usage;
    }
    const auto file = loadCodeplugFile(arguments.positional[0], context, "dump");
    if (!file) {
        context.fail(file.error());
        return Failure;
    }
    const std::string tag = file->textForm == ContactTextForm::SevenBit ? "English" : "GBK";
    context.out << CodeplugToJson(file->codeplug, tag);
    return context.out.good() ? Success : Failure;
}

} // namespace

Command dumpCommand() {
    return Command{"dump", kUsage, "print a codeplug file as JSON", OptionSpec{}, runDump};
}

} // namespace r605::cli
