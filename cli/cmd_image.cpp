// `r605 image FILE [-o OUT.hex]`: encode-all of a codeplug (.json, or an .rdt file), printed as
// every block a write would send, ascending, one line each ("AAAAAAAA: " and 32 hex digits).
#include "base/file_io.h"
#include "codeplug_file.h"
#include "commands.h"
#include "image/family_codecs.h"
#include "image/hex_lines.h"

#include <filesystem>
#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage = "image FILE.json|FILE.rdt [-o OUT.hex]";

int runImage(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 1) {
        context.err << "usage: r605 " << kUsage << "\n";
        return Usage;
    }
    const std::filesystem::path input = arguments.positional[0];
    auto file = loadCodeplugFile(input, context, "image");
    if (!file) {
        context.fail(file.error());
        return Failure;
    }
    // The blocks of a write: encode-all after the write's own edit of the codeplug.
    NormaliseForWrite(file->codeplug);
    CommImage image;
    SetCommDataAll(file->codeplug, image);
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
