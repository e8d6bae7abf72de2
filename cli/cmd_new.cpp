// `r605 new [--band CODE] [--date YYYY-MM-DD] [--sample SEED] -o OUT.rdt`: the new codeplug of
// start-up and File/New for a band: the in-program codeplug, the program folder's Default.ini and
// initial codeplug files, the embedded information stamped with the day (today unless --date
// says). --sample gives instead the largest codeplug a radio holds, every table full, the same
// for the same seed: a codeplug to try the programs on.
#include "base/numbers.h"
#include "codeplug_file.h"
#include "commands.h"
#include "document/document.h"
#include "model/embedded_info_defaults.h"
#include "schema/sample_codeplug.h"
#include "settings/edition_file.h"
#include "settings/program_folders.h"

#include <ctime>
#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage =
    "new [--band CODE] [--date YYYY-MM-DD] [--sample SEED] -o OUT.rdt";

CalendarDate today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::optional<CalendarDate> parseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = parseInteger(text.substr(0, 4));
    const auto month = parseInteger(text.substr(5, 2));
    const auto day = parseInteger(text.substr(8, 2));
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31)
        return std::nullopt;
    return CalendarDate{static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day)};
}

int runNew(const Arguments& arguments, Context& context) {
    if (!arguments.positional.empty())
        return usageError(context, kUsage, "new takes no file to read");
    const auto output = arguments.value("-o");
    if (!output)
        return usageError(context, kUsage, "new needs -o OUT.rdt");
    const auto band = bandOption(arguments);
    if (!band)
        return usageError(context, kUsage, band.error().text);
    const int bandCode = *band;
    CalendarDate date = today();
    if (const auto text = arguments.value("--date")) {
        const auto parsed = parseDate(*text);
        if (!parsed)
            return usageError(context, kUsage, "--date must be YYYY-MM-DD");
        date = *parsed;
    }

    const ProgramFolders folders = ProgramFolders::locate(context.programFolder);
    Document document;
    if (const auto sample = arguments.value("--sample")) {
        const auto seed = parseInteger(*sample);
        if (!seed || *seed < 0 || *seed > 0xFFFFFFFF)
            return usageError(context, kUsage, "--sample needs a seed number");
        document = Document(SampleFullCodeplug(bandCode, *bandRangesForCode(bandCode),
                                               static_cast<std::uint32_t>(*seed)));
    } else {
        auto made =
            document.newCodeplug(NewCodeplugFiles::inProgramFolder(folders, bandCode), bandCode);
        if (!made) {
            context.fail(made.error());
            return Failure;
        }
        // An initial file that is refused leaves the in-program codeplug: a warning, not a failure.
        for (const Error& message : made->messages)
            context.err << "r605 new: " << context.language.describe(message) << "\n";
    }
    const auto stamped = document.apply(EditKind::NewCodeplug, [&](Codeplug& codeplug) {
        SetEmbeddedInfoDefaults(codeplug.EmbeddedInfo, date, IsoDateText(date));
        return Status::success();
    });
    if (!stamped) {
        context.fail(stamped.error());
        return Failure;
    }

    const ContactTextForm form = TextFormForEdition(ReadEditionFile(folders).EditionCode);
    auto saved = document.save(*output, form);
    if (!saved) {
        context.fail(saved.error());
        return Failure;
    }
    saved->messages.pop_back(); // "Save File OK"; the messages before it are warnings
    return context.reportSaved(saved->messages);
}

} // namespace

Command newCommand() {
    return Command{"new", kUsage, "write the new codeplug of a band as an .rdt file",
                   OptionSpec{{"--band", "--date", "--sample", "-o"}, {}}, runNew};
}

} // namespace r605::cli
