// `r605 dump FILE.rdt`: a codeplug file as JSON on standard output, every table and record the
// file holds, so that `r605 build` makes the same file again.
#include "base/file_io.h"
#include "commands.h"
#include "file/rdt_format.h"
#include "json/codeplug_json.h"

#include <filesystem>
#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage = "dump FILE.rdt";

int runDump(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 1) {
        context.err << "usage: r605 " << kUsage << "\n";
        return Usage;
    }
    const std::filesystem::path input = arguments.positional[0];
    const auto bytes = readFileBytes(input, kMaxCodeplugFileBytes);
    if (!bytes) {
        context.fail(Error::keyed(99126, bytes.error().text));
        return Failure;
    }
    auto decoded = DecodeCodeplugFile(*bytes);
    if (!decoded) {
        Error error = decoded.error();
        if (error.key)
            error.text = input.string() + (error.text.empty() ? "" : ": " + error.text);
        context.fail(error);
        return Failure;
    }
    for (const Error& warning : decoded->warnings)
        context.err << "r605 dump: " << context.language.describe(warning) << "\n";
    const std::string tag = decoded->textForm == ContactTextForm::SevenBit ? "English" : "GBK";
    context.out << CodeplugToJson(decoded->codeplug, tag);
    return context.out.good() ? Success : Failure;
}

} // namespace

Command dumpCommand() {
    return Command{"dump", kUsage, "print a codeplug file as JSON", OptionSpec{}, runDump};
}

} // namespace r605::cli
