// `r605 import FILE --list TYPE IN -o OUT`: a list file read into a codeplug (.rdt or .json) and
// the result written to OUT. IN is a CSV file, a downloaded contact file (.cgi) or a list file
// (.LST, whose entries give their own list types). The codeplug changes only when every file
// reads without error; a failure names the file, the line and the column, and nothing is written.
#include "commands.h"
#include "list_cli.h"
#include "lists/list_import.h"

#include <filesystem>
#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage =
    "import FILE.rdt|FILE.json --list TYPE IN.csv|IN.cgi|IN.LST -o OUT.rdt|OUT.json "
    "[--tool-mode]";

int runImport(const Arguments& arguments, Context& context) {
    const auto output = arguments.value("-o");
    if (arguments.positional.size() != 2 || !output)
        return usageError(context, kUsage, "import takes FILE, IN and -o OUT");
    const std::filesystem::path input = arguments.positional[0];
    const std::filesystem::path listPath = arguments.positional[1];
    const bool listFile = isListFile(listPath);
    std::vector<ListType> types;
    if (const auto listValue = arguments.value("--list")) {
        const auto parsed = parseListTypes(*listValue);
        if (!parsed || parsed->size() != 1)
            return usageError(
                context, kUsage,
                std::string("--list takes one list type; ").append(listTypeChoices()));
        types = *parsed;
    } else if (!listFile) {
        return usageError(context, kUsage, "a CSV or .cgi file needs --list TYPE");
    }

    auto file = loadCodeplugFile(input, context, "import");
    if (!file) {
        context.fail(file.error());
        return Failure;
    }
    auto listContext = listContextFor(file->codeplug, arguments, context);
    if (!listContext) {
        context.fail(listContext.error());
        return Failure;
    }
    listContext->progress = progressPrinter(context, "import");

    std::optional<Codeplug> imported;
    if (listFile) {
        auto result = ImportListOfLists(file->codeplug, listPath, *listContext);
        if (!result) {
            context.fail(result.error());
            return Failure;
        }
        if (!result->has_value()) {
            // A list file of no entries imports nothing: no completion, no output file.
            context.err << "r605 import: " << listPath.string()
                        << " names no lists; nothing was imported\n";
            return Success;
        }
        imported = std::move(**result);
    } else {
        const std::size_t lines = CountListLines(listPath);
        if (lines > 2000)
            context.err << "r605 import: " << context.language.GetLangText(30603) << "\n";
        ListImport import(file->codeplug, *listContext);
        import.setProgressTotal(lines);
        if (const Status status = import.importFile(types.front(), listPath); !status) {
            context.fail(status.error());
            return Failure;
        }
        auto result = import.finish();
        if (!result) {
            context.fail(result.error());
            return Failure;
        }
        imported = std::move(*result);
    }
    const auto saved = saveCodeplugFile(*output, *imported, file->textForm);
    if (!saved) {
        context.fail(saved.error());
        return Failure;
    }
    context.out << kImportComplete << "\n";
    return context.reportSaved(*saved);
}

} // namespace

Command importCommand() {
    return Command{"import",
                   kUsage,
                   "read a list file (CSV, .cgi or .LST) into a codeplug",
                   OptionSpec{{"-o", "--list"}, {"--tool-mode"}},
                   runImport,
                   listTypeChoices};
}

} // namespace r605::cli
