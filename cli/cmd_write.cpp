// `r605 write FILE.rdt --port PORT [--password P] [--set-clock] [--verify] [--retries N]`:
// writes a codeplug into a radio, as the Write command does; --verify then reads every written
// block back and compares it.
#include "base/file_io.h"
#include "commands.h"
#include "file/rdt_format.h"
#include "transfer/codeplug_transfer.h"
#include "link_session.h"
#include "json/codeplug_json.h"

#include <ostream>

namespace r605::cli {

namespace {

// A .rdt file, whose load repairs are shown, or a codeplug in JSON (what it leaves out comes
// from the new codeplug).
Result<Codeplug> LoadCodeplugForWrite(const std::filesystem::path& input, const Context& context) {
    auto bytes = readFileBytes(input, kMaxCodeplugFileBytes);
    if (!bytes)
        return bytes.error();
    if (input.extension() == ".json")
        return CodeplugFromJson(*bytes);
    auto decoded = DecodeCodeplugFile(*bytes);
    if (!decoded)
        return decoded.error();
    for (const Error& warning : decoded->warnings)
        context.err << "r605: " << context.language.describe(warning) << "\n";
    return std::move(decoded->codeplug);
}

int runWrite(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 1) {
        context.err << "usage: r605 write FILE.rdt|FILE.json --port PORT\n";
        return Usage;
    }
    const auto options = ParseLinkOptions(arguments, context, "write");
    if (!options)
        return Usage;
    const std::filesystem::path input = arguments.positional[0];
    auto loaded = LoadCodeplugForWrite(input, context);
    if (!loaded) {
        context.fail(loaded.error());
        return Failure;
    }
    Codeplug codeplug = std::move(*loaded);

    // The content checks come before the port is opened: nothing reaches the radio.
    if (const auto problem = WriteContentProblem(codeplug)) {
        context.err << "r605: " << context.language.GetLangText(99125) << " "
                    << context.language.text(*problem) << "\n";
        return Failure;
    }
    codeplug.Settings.SetRadioClock = arguments.flag("--set-clock") ? 1 : 0;

    LinkSession session(context, *options);
    CommImage image;
    TransferRequest request;
    request.kind = OperationKind::WriteCodeplug;
    request.codeplugBandCode = codeplug.Header.BandCode;
    request.codeplugPassword = codeplug.Settings.ProgramPassword;
    request.enteredPassword = options->password.value_or("");
    request.encodeAll = EncodeAllForWrite(codeplug, image);
    LinkEngine engine(std::move(request), image.CommData, image.WriteBlockMap, session.recorder());
    const FinishedAction finished = session.run(engine);
    if (arguments.flag("--stats"))
        session.printStatistics(engine);
    for (const std::string& encoderMessage : image.Messages)
        context.err << "r605: " << encoderMessage << "\n";
    if (!finished.success) {
        for (const Error& message : finished.messages)
            context.fail(message);
        return Failure;
    }
    for (const Error& message : finished.messages)
        context.err << context.language.describe(message) << "\n";
    const std::vector<std::uint32_t> written = WrittenBlocks(image.WriteBlockMap);
    context.out << written.size() << " blocks written to " << options->port << "\n";
    if (!arguments.flag("--verify"))
        return Success;

    CommImage readBack;
    TransferRequest verify;
    verify.kind = OperationKind::ReadBack;
    verify.codeplugBandCode = codeplug.Header.BandCode;
    verify.codeplugPassword = codeplug.Settings.ProgramPassword;
    verify.enteredPassword = engine.enteredPassword();
    verify.readBackBlocks = written;
    LinkEngine reader(std::move(verify), readBack.CommData, readBack.WriteBlockMap,
                      session.recorder());
    const FinishedAction verified = session.run(reader);
    if (arguments.flag("--stats"))
        session.printStatistics(reader);
    if (!verified.success) {
        for (const Error& message : verified.messages)
            context.fail(message);
        return Failure;
    }
    const auto differing = DifferingBlocks(image.CommData, readBack.CommData, written);
    if (!differing.empty()) {
        context.fail(Error::keyed(2010, blockList(differing)));
        return Failure;
    }
    context.err << context.language.GetLangText(2011) << "\n";
    return Success;
}

} // namespace

Command writeCommand() {
    return Command{
        "write",
        "write FILE.rdt|FILE.json --port PORT [--password P] [--set-clock] [--verify] "
        "[--retries N] [--stats]",
        "write a codeplug into a radio (--verify reads every written block back)",
        OptionSpec{{"--port", "--password", "--retries"}, {"--set-clock", "--verify", "--stats"}},
        runWrite};
}

} // namespace r605::cli
