// `r605 diff A (B | --port PORT) [--json]`: the differences between two codeplugs, record by
// record and field by field, as the grids name them. With --port the radio on that port is B:
// what it holds compared with the file. Exit status as diff's: 0 equal, 1 different, 2 trouble
// (wrong usage, a file that cannot be read, a radio that cannot be read).
#include "commands.h"
#include "compare/codeplug_diff.h"
#include "compare/diff_text.h"
#include "document/codeplug_files.h"
#include "document/document.h"
#include "link_session.h"
#include "transfer/codeplug_jobs.h"

#include <optional>
#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage = "diff A (B | --port PORT) [--json]";
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

std::optional<Codeplug> loadSide(const std::filesystem::path& file, Context& context) {
    auto loaded = LoadCodeplug(file);
    if (!loaded) {
        context.fail(loaded.error());
        return std::nullopt;
    }
    for (const Error& warning : loaded->warnings)
        context.err << "r605 diff: " << file.string() << ": " << context.language.describe(warning)
                    << "\n";
    return std::move(loaded->codeplug);
}

// The codeplug of the radio on the port, read as `r605 read` reads it but decoded over the file
// compared with: what a read does not carry (the embedded information, the records whose layout
// is kept unchanged) is then the file's and shows no difference the radio does not have.
std::optional<Codeplug> readRadio(const LinkOptions& options, const Codeplug& base,
                                  Context& context) {
    LinkSession session(context, options);
    Document document(base);
    CodeplugReadJob job(document, {options.password.value_or(""), ReadBase::Document},
                        session.recorder());
    const FinishedAction finished = session.run(job, false);
    if (!finished.success) {
        for (const Error& message : finished.messages)
            context.fail(message);
        return std::nullopt;
    }
    for (const Error& warning : job.decodeWarnings())
        context.err << "r605 diff: " << context.language.describe(warning) << "\n";
    return document.codeplug();
}

int runDiff(const Arguments& arguments, Context& context) {
    const bool radio = arguments.has("--port");
    if (arguments.positional.size() != (radio ? 1u : 2u)) {
        context.err << "usage: r605 " << kUsage << "\n";
        return Usage;
    }
    std::optional<LinkOptions> link;
    if (radio) {
        link = ParseLinkOptions(arguments, context, "diff");
        if (!link)
            return Usage;
    }
    const auto a = loadSide(arguments.positional[0], context);
    if (!a)
        return kTrouble;
    const auto b =
        radio ? readRadio(*link, *a, context) : loadSide(arguments.positional[1], context);
    if (!b)
        return kTrouble;

    const auto bands = bandRangesForCode(a->Header.BandCode);
    const ColumnContext columns{context.language, bands ? *bands : BandRanges{}};
    const CodeplugDiff diff = compareCodeplugs(*a, *b, columns);
    if (arguments.flag("--json")) {
        context.out << diffJson(diff, context.language);
    } else {
        for (const std::string& line : diffLines(diff, context.language))
            context.out << line << "\n";
    }
    context.out.flush();
    if (!context.out.good())
        return kTrouble;
    return diff.empty() ? Success : kDifferent;
}

} // namespace

Command diffCommand() {
    return Command{"diff", kUsage,
                   "the differences between two codeplugs (files, or a file and the radio), record "
                   "by record; exit status 0 equal, 1 different, 2 trouble",
                   OptionSpec{{"--port", "--password", "--retries"}, {"--json"}}, runDiff};
}

} // namespace r605::cli
