// `r605 bootimage convert PICTURE -o OUT.bin [--preview OUT.png]`: converts a BMP, JPEG or PNG
// picture of any size into the radio's 160 x 128 boot image file, and optionally writes the
// converted colours as a PNG to look at.
#include "bootimage/boot_image_file.h"
#include "bootimage/picture_conversion.h"
#include "commands.h"
#include "picture_file.h"

#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage = "bootimage convert PICTURE -o OUT.bin [--preview OUT.png]";

int usageError(Context& context, std::string_view problem) {
    context.err << "r605 bootimage: " << problem << "\nusage: r605 " << kUsage << "\n";
    return Usage;
}

int runConvert(const Arguments& arguments, Context& context) {
    if (arguments.positional.size() != 2)
        return usageError(context, "convert takes one PICTURE");
    const auto output = arguments.value("-o");
    if (!output)
        return usageError(context, "convert needs -o OUT.bin");
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

int runBootImage(const Arguments& arguments, Context& context) {
    if (arguments.positional.empty())
        return usageError(context, "missing convert");
    const std::string& action = arguments.positional[0];
    if (action == "convert")
        return runConvert(arguments, context);
    return usageError(context, "unknown action " + action);
}

} // namespace

Command bootImageCommand() {
    return Command{"bootimage", kUsage,
                   "convert a picture into the radio's boot image file (.bin, 160 x 128 RGB565)",
                   OptionSpec{{"-o", "--preview"}, {}}, runBootImage};
}

} // namespace r605::cli
