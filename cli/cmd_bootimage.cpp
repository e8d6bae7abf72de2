// `r605 bootimage`: the radio's boot image, the 160 x 128 picture it shows while it starts.
//   convert PICTURE -o OUT.bin [--preview OUT.png]: a BMP, JPEG or PNG picture of any size into
//     the boot image file, optionally with the converted colours as a PNG to look at;
//   read --port PORT -o OUT.bin: the image out of a radio, saved only once all of it has come;
//   write IN.bin --port PORT [--verify]: a boot image file into a radio; --verify reads the 2560
//     blocks back and compares them.
// The transfers take --password, --retries and --stats as `r605 read` and `write` do. A radio
// asks for its programming password only in the codeplug transfers, whose first pass reads the
// information block; --password is taken here all the same, so that one script line serves both.
#include "bootimage/boot_image_file.h"
#include "bootimage/picture_conversion.h"
#include "commands.h"
#include "link_session.h"
#include "picture_file.h"
#include "transfer/boot_image_jobs.h"

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <system_error>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage =
    "bootimage convert PICTURE -o OUT.bin [--preview OUT.png] | read --port PORT -o OUT.bin | "
    "write IN.bin --port PORT [--verify]; read and write also [--password P] [--retries N] "
    "[--stats]";

// An option of another action is a mistake worth telling, not something to ignore: a convert
// given --port would otherwise look as if it had written a radio.
std::optional<std::string> strayOption(const Arguments& arguments,
                                       std::initializer_list<std::string_view> allowed) {
    auto known = [&](const std::string& option) {
        // The global options may also follow the command.
        return option == "--home" || option == "--language" ||
               std::find(allowed.begin(), allowed.end(), option) != allowed.end();
    };
    for (const auto& [option, value] : arguments.values) {
        if (!known(option))
            return option;
    }
    for (const std::string& option : arguments.flags) {
        if (!known(option))
            return option;
    }
    return std::nullopt;
}

int runConvert(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 2)
        return usageError(context, kUsage, "convert takes one PICTURE");
    if (auto stray = strayOption(arguments, {"-o", "--preview"}))
        return usageError(context, kUsage, "convert does not take " + *stray);
    const auto output = arguments.value("-o");
    if (!output)
        return usageError(context, kUsage, "convert needs -o OUT.bin");
    const std::string picturePath = arguments.positional[1];

    const auto picture = LoadPictureFile(picturePath);
    if (!picture) {
        context.fail(picture.error());
        return Failure;
    }
    const auto conversion = ConvertPictureToBootImage(*picture);
    if (!conversion) {
        context.fail(conversion.error());
        return Failure;
    }
    if (const Status saved = SaveBootImageFile(*output, conversion->image); !saved) {
        context.fail(saved.error());
        return Failure;
    }
    if (const auto preview = arguments.value("--preview")) {
        if (const Status saved = SavePicturePng(*preview, conversion->preview); !saved) {
            context.fail(saved.error());
            return Failure;
        }
    }
    context.out << *output << ": boot image 160 x 128 from " << picturePath << " ("
                << picture->width << " x " << picture->height << ")\n";
    return Success;
}

// Ends a failed transfer: the job's messages (99107, then 2006 or 2007 ...) in their order.
int transferFailed(Context& context, const FinishedAction& finished) {
    for (const Error& message : finished.messages)
        context.fail(message);
    return Failure;
}

int runRead(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 1)
        return usageError(context, kUsage, "read takes no file; the image is saved to -o OUT.bin");
    if (auto stray = strayOption(arguments, {"-o", "--port", "--password", "--retries", "--stats"}))
        return usageError(context, kUsage, "read does not take " + *stray);
    const auto options = ParseLinkOptions(arguments, context, "bootimage read");
    if (!options)
        return Usage;
    const std::string output = arguments.valueOr("-o", "");
    if (output.empty())
        return usageError(context, kUsage, "read needs -o OUT.bin");

    LinkSession session(context, *options);
    BootImageReadJob job(options->password.value_or(""), session.recorder());
    const FinishedAction finished = session.run(job, arguments.flag("--stats"));
    if (!finished.success)
        return transferFailed(context, finished);
    // Saved whole or not at all: an earlier file of that name stays as it was when this fails.
    if (const Status saved = SaveBootImageFile(output, job.image()); !saved) {
        context.fail(saved.error());
        return Failure;
    }
    for (const Error& message : finished.messages)
        context.err << context.language.describe(message) << "\n";
    context.out << output << ": boot image read from " << options->port << " (" << kBootImageSize
                << " bytes)\n";
    return Success;
}

// The image to write. A missing or empty file means there is no image to write (30515); a file
// shorter than an image is refused as a boot image file that is not one (99113).
Result<BootImage> LoadImageForWrite(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return Error::keyed(30515, path.string());
    if (std::filesystem::is_regular_file(status) && std::filesystem::file_size(path, ec) == 0 &&
        !ec)
        return Error::keyed(30515, path.string());
    BootImage image{};
    if (const Status loaded = LoadBootImageFile(path, image); !loaded)
        return loaded.error();
    return image;
}

int runWrite(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 2)
        return usageError(context, kUsage, "write takes one IN.bin");
    if (auto stray =
            strayOption(arguments, {"--port", "--password", "--retries", "--verify", "--stats"}))
        return usageError(context, kUsage, "write does not take " + *stray);
    const auto options = ParseLinkOptions(arguments, context, "bootimage write");
    if (!options)
        return Usage;
    const std::filesystem::path input = arguments.positional[1];
    const auto image = LoadImageForWrite(input);
    if (!image) {
        context.fail(image.error());
        return Failure;
    }

    LinkSession session(context, *options);
    BootImageWriteJob job(*image, arguments.flag("--verify"), options->password.value_or(""),
                          session.recorder());
    const FinishedAction finished = session.run(job, arguments.flag("--stats"));
    if (job.written())
        context.out << kBootImageSize << " bytes (" << kBootImageSize / 16
                    << " blocks) of the boot image written to " << options->port << "\n";
    if (!finished.success)
        return transferFailed(context, finished);
    for (const Error& message : finished.messages)
        context.err << context.language.describe(message) << "\n";
    return Success;
}

int runBootImage(const Arguments& arguments, Context& context) {
    if (arguments.positional.empty())
        return usageError(context, kUsage, "missing convert, read or write");
    const std::string& action = arguments.positional[0];
    if (action == "convert")
        return runConvert(arguments, context);
    if (action == "read")
        return runRead(arguments, context);
    if (action == "write")
        return runWrite(arguments, context);
    return usageError(context, kUsage, "unknown action " + action);
}

} // namespace

Command bootImageCommand() {
    return Command{"bootimage", kUsage,
                   "the radio's boot image (.bin, 160 x 128 RGB565): convert a picture, read it "
                   "out of a radio, write it into one (--verify reads it back)",
                   OptionSpec{{"-o", "--preview", "--port", "--password", "--retries"},
                              {"--verify", "--stats"}},
                   runBootImage};
}

} // namespace r605::cli
