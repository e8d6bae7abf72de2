// `r605 write FILE --port PORT [--password P] [--set-clock] [--verify] [--backup FILE]
// [--retries N]`: writes a codeplug (.rdt or JSON, by its content) into a radio, as the Write
// command does; --backup first reads the radio's own codeplug and saves it, --verify then reads
// every written block back and compares it.
#include "commands.h"
#include "document/codeplug_files.h"
#include "document/document.h"
#include "link_session.h"
#include "settings/edition_file.h"
#include "transfer/codeplug_jobs.h"
#include "transfer/codeplug_transfer.h"

#include <ostream>

namespace r605::cli {

namespace {

int runWrite(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 1) {
        context.err << "usage: r605 write FILE.rdt|FILE.json --port PORT\n";
        return Usage;
    }
    const auto options = ParseLinkOptions(arguments, context, "write");
    if (!options)
        return Usage;
    auto loaded = LoadCodeplug(arguments.positional[0]);
    if (!loaded) {
        context.fail(loaded.error());
        return Failure;
    }
    for (const Error& warning : loaded->warnings)
        context.err << "r605: " << context.language.describe(warning) << "\n";
    loaded->codeplug.Settings.SetRadioClock = arguments.flag("--set-clock") ? 1 : 0;
    Document document(std::move(loaded->codeplug));

    // The content checks come before the port is opened: nothing reaches the radio.
    if (const auto problem = WriteContentProblem(document.codeplug())) {
        context.err << "r605: " << context.language.GetLangText(99125) << " "
                    << context.language.text(*problem) << "\n";
        return Failure;
    }

    LinkSession session(context, *options);
    CodeplugWriteOptions write;
    write.enteredPassword = options->password.value_or("");
    write.verify = arguments.flag("--verify");
    if (const auto backup = arguments.value("--backup")) {
        write.backupFile = *backup;
        write.backupTextForm = TextFormForEdition(ReadEditionFile(session.folders()).EditionCode);
    }
    CodeplugWriteJob job(document, std::move(write), session.recorder());
    const FinishedAction finished = session.run(job, arguments.flag("--stats"));
    if (job.backupSaved())
        context.out << "the radio's codeplug saved to " << *arguments.value("--backup") << "\n";
    if (!job.writtenBlocks().empty())
        context.out << job.writtenBlocks().size() << " blocks written to " << options->port << "\n";
    for (const Error& message : finished.messages) {
        if (finished.success)
            context.err << context.language.describe(message) << "\n";
        else
            context.fail(message);
    }
    return finished.success ? Success : Failure;
}

} // namespace

Command writeCommand() {
    return Command{
        "write",
        "write FILE.rdt|FILE.json --port PORT [--password P] [--set-clock] [--verify] "
        "[--backup FILE.rdt|FILE.json] [--retries N] [--stats]",
        "write a codeplug into a radio (--backup saves the radio's own first, --verify reads "
        "every written block back)",
        OptionSpec{{"--port", "--password", "--retries", "--backup"},
                   {"--set-clock", "--verify", "--stats"}},
        runWrite};
}

} // namespace r605::cli
