// `r605 export FILE --list TYPE -o OUT.csv`: one list of a codeplug (.rdt or .json) as a CSV file
// in the interface language; with -o OUT.LST and --list TYPE,TYPE,... a list file naming the
// CSV files of several lists, written beside it.
#include "commands.h"
#include "list_cli.h"
#include "lists/list_export.h"

#include <filesystem>
#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage =
    "export FILE.rdt|FILE.json --list TYPE[,TYPE...] -o OUT.csv|OUT.LST [--tool-mode]";

int runExport(const Arguments& arguments, Context& context) {
    const auto output = arguments.value("-o");
    const auto listValue = arguments.value("--list");
    if (arguments.positional.size() != 1 || !output || !listValue)
        return usageError(context, kUsage, "export takes one FILE, --list TYPE and -o OUT");
    const auto types = parseListTypes(*listValue);
    if (!types)
        return usageError(context, kUsage, listTypeChoices());
    const bool listFile = isListFile(*output);
    if (types->size() > 1 && !listFile)
        return usageError(context, kUsage, "several lists go into a list file (-o OUT.LST)");

    const std::filesystem::path input = arguments.positional[0];
    auto file = loadCodeplugFile(input, context, "export");
    if (!file) {
        context.fail(file.error());
        return Failure;
    }
    auto listContext = listContextFor(file->codeplug, arguments, context);
    if (!listContext) {
        context.fail(listContext.error());
        return Failure;
    }
    listContext->progress = progressPrinter(context, "export");
    const Status exported = listFile
                                ? ExportListOfLists(file->codeplug, *types, *output, *listContext)
                                : ExportList(file->codeplug, types->front(), *output, *listContext);
    if (!exported) {
        context.fail(exported.error());
        return Failure;
    }
    context.out << kExportComplete << "\n";
    return Success;
}

} // namespace

Command exportCommand() {
    return Command{"export",
                   kUsage,
                   "write lists of a codeplug into CSV files",
                   OptionSpec{{"-o", "--list"}, {"--tool-mode"}},
                   runExport,
                   listTypeChoices};
}

} // namespace r605::cli
