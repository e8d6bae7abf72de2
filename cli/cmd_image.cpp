// `r605 image FILE [-o OUT.hex]`: encode-all of a codeplug (.json, or an .rdt file), printed as
// every block a write would send, ascending, one line each ("AAAAAAAA: " and 32 hex digits).
#include "base/file_io.h"
#include "commands.h"
#include "file/rdt_format.h"
#include "image/family_codecs.h"
#include "image/hex_lines.h"
#include "json/codeplug_json.h"

#include <filesystem>
#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage = "image FILE.json|FILE.rdt [-o OUT.hex]";

bool isRdtFile(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".rdt";
}

// An .rdt file, whose load repairs are shown, or JSON.
Result<Codeplug> loadCodeplug(const std::filesystem::path& path, const Context& context) {
    auto bytes = readFileBytes(path, kMaxCodeplugFileBytes);
    if (!bytes)
        return bytes.error();
    if (!isRdtFile(path))
        return CodeplugFromJson(*bytes);
    auto decoded = DecodeCodeplugFile(*bytes);
    if (!decoded)
        return decoded.error();
    for (const Error& warning : decoded->warnings)
        context.err << "r605: " << context.language.describe(warning) << "\n";
    return std::move(decoded->codeplug);
}

int runImage(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 1) {
        context.err << "usage: r605 " << kUsage << "\n";
        return Usage;
    }
    const std::filesystem::path input = arguments.positional[0];
    auto codeplug = loadCodeplug(input, context);
    if (!codeplug) {
        Error error = codeplug.error();
        error.text = input.string() + ": " + error.text;
        context.fail(error);
        return Failure;
    }
    // The blocks of a write: encode-all after the write's own edit of the codeplug.
    NormaliseForWrite(*codeplug);
    CommImage image;
    SetCommDataAll(*codeplug, image);
    if (!image.EncodeOK) {
        // A write would stop here, before its first block: so does the image.
        for (const std::string& message : image.Messages)
            context.err << "r605 image: " << message << "\n";
        return Failure;
    }
    const std::string lines = WriteHexLines(image.CommData, image.WriteBlockMap);
    const auto output = arguments.value("-o");
    if (!output) {
        context.out << lines;
        return Success;
    }
    if (const Status saved = writeFileAtomically(*output, lines); !saved) {
        context.fail(saved.error());
        return Failure;
    }
    return Success;
}

} // namespace

Command imageCommand() {
    return Command{"image", kUsage,
                   "encode a codeplug into the blocks a write sends to the radio (hex lines)",
                   OptionSpec{{"-o"}, {}}, runImage};
}

} // namespace r605::cli
