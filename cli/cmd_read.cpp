// `r605 read --port PORT -o OUT.rdt [--password P] [--retries N]`: reads the codeplug out of a
// radio, as the Read command does, and saves it.
#include "commands.h"
#include "document/document.h"
#include "link_session.h"
#include "settings/edition_file.h"
#include "transfer/codeplug_jobs.h"

#include <ostream>

namespace r605::cli {

namespace {

template <class Table> int inUse(const Table& table) {
    int count = 0;
    for (const auto& record : table)
        count += record.Used != 0 ? 1 : 0;
    return count;
}

void printSummary(std::ostream& out, const Document& document, const RadioIdent& ident,
                  const std::filesystem::path& file) {
    const Codeplug& codeplug = document.codeplug();
    out << document.band().ModelName << " " << document.band().BandText << ", version "
        << ident.versionText << " " << ident.secondVersion << "\n"
        << "  channels " << inUse(codeplug.Channel) << ", radio IDs " << inUse(codeplug.Person)
        << ", zones " << inUse(codeplug.Zone) << ", scan lists " << inUse(codeplug.ScanList)
        << ", contacts " << inUse(codeplug.Contact) << ", receive group lists "
        << inUse(codeplug.RxGroup) << ", roaming channels " << inUse(codeplug.RoamChannel) << "\n"
        << "  saved to " << file.string() << "\n";
}

int runRead(const Arguments& arguments, Context& context) {
    if (!arguments.positional.empty()) {
        context.err << "usage: r605 read --port PORT -o OUT.rdt\n";
        return Usage;
    }
    const auto options = ParseLinkOptions(arguments, context, "read");
    if (!options)
        return Usage;
    const std::filesystem::path output = arguments.valueOr("-o", "");
    if (output.extension() != ".rdt" && output.extension() != ".json") {
        context.err << "r605 read: -o OUT.rdt (or OUT.json) is needed\n";
        return Usage;
    }

    LinkSession session(context, *options);
    // The command line has no codeplug open: the read decodes over the new codeplug of the
    // radio's band, as the window would right after start-up.
    Document document;
    CodeplugReadJob job(document, {options->password.value_or(""), ReadBase::NewCodeplug},
                        session.recorder());
    const FinishedAction finished = session.run(job, arguments.flag("--stats"));
    if (!finished.success) {
        for (const Error& message : finished.messages)
            context.fail(message);
        return Failure;
    }

    const Edition edition = ReadEditionFile(session.folders());
    auto saved = document.save(output, TextFormForEdition(edition.EditionCode));
    if (!saved) {
        context.fail(saved.error());
        return Failure;
    }
    std::vector<Error> warnings = std::move(saved->messages);
    warnings.pop_back(); // "Save File OK"; the messages before it are warnings
    for (const Error& message : finished.messages)
        context.err << context.language.describe(message) << "\n";
    for (const Error& warning : job.decodeWarnings())
        context.err << "r605 read: " << context.language.describe(warning) << "\n";
    printSummary(context.out, document, job.radioIdent(), output);
    // Only this run holds what the file could not: say how to keep it.
    if (!warnings.empty())
        warnings.push_back(
            Error::literal("read the radio again with -o " +
                           std::filesystem::path(output).replace_extension(".json").string() +
                           " to keep everything it holds"));
    return context.reportSaved(warnings);
}

} // namespace

Command readCommand() {
    return Command{"read",
                   "read --port PORT -o OUT.rdt|OUT.json [--password P] [--retries N] [--stats]",
                   "read the codeplug out of a radio and save it",
                   OptionSpec{{"--port", "-o", "--password", "--retries"}, {"--stats"}}, runRead};
}

} // namespace r605::cli
