// `r605 decode IN.hex [--band CODE] -o OUT.json`: decode-all of a radio image given as hex lines
// (bytes no line gives are 0) into a codeplug of the band, written as JSON (or as an .rdt file).
#include "base/file_io.h"
#include "codeplug_file.h"
#include "commands.h"
#include "document/codeplug_files.h"
#include "image/family_codecs.h"
#include "image/hex_lines.h"
#include "schema/new_codeplug.h"
#include "settings/edition_file.h"
#include "settings/program_folders.h"

#include <filesystem>
#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage = "decode IN.hex [--band CODE] -o OUT.json|OUT.rdt";
// A full image is some 170000 lines of 43 bytes; anything far larger is not an image.
constexpr std::size_t kMaxHexFileBytes = 64u * 1024 * 1024;

int runDecode(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 1)
        return usageError(context, kUsage, "decode takes one IN.hex");
    const auto output = arguments.value("-o");
    if (!output)
        return usageError(context, kUsage, "decode needs -o OUT.json");
    const auto band = bandOption(arguments);
    if (!band)
        return usageError(context, kUsage, band.error().text);
    const int bandCode = *band;

    const std::filesystem::path input = arguments.positional[0];
    const auto text = readFileBytes(input, kMaxHexFileBytes);
    if (!text) {
        context.fail(text.error());
        return Failure;
    }
    auto data = ReadHexLines(*text);
    if (!data) {
        Error error = data.error();
        error.text = input.string() + ": " + error.text;
        context.fail(error);
        return Failure;
    }
    CommImage image;
    image.CommData = std::move(*data);
    Codeplug codeplug = NewCodeplug(bandCode, bandRangesForCode(bandCode).value());
    for (const Error& warning : GetAllFromCommData(image, codeplug))
        context.err << "r605 decode: " << context.language.describe(warning) << "\n";

    // The text form of every saved file: the edition's.
    const ContactTextForm form = TextFormForEdition(
        ReadEditionFile(ProgramFolders::locate(context.programFolder)).EditionCode);
    const auto warnings = saveCodeplugFile(*output, codeplug, form);
    if (!warnings) {
        context.fail(warnings.error());
        return Failure;
    }
    return context.reportSaved(*warnings);
}

} // namespace

Command decodeCommand() {
    return Command{"decode", kUsage,
                   "decode a radio image given as hex lines into a codeplug (JSON or .rdt)",
                   OptionSpec{{"-o", "--band"}, {}}, runDecode};
}

} // namespace r605::cli
