#include "list_cli.h"

#include "base/numbers.h"
#include "file/default_channel_file.h"
#include "settings/edition_file.h"
#include "settings/program_folders.h"
#include "settings/setup_file.h"
#include "settings/startup.h"

#include <cctype>
#include <memory>
#include <ostream>

namespace r605::cli {

Result<ListContext> listContextFor(const Codeplug& codeplug, const Arguments& arguments,
                                   Context& context) {
    auto bands = bandRangesForCode(codeplug.Header.BandCode);
    if (!bands)
        return bands.error();
    const ProgramFolders folders = ProgramFolders::locate(context.programFolder);
    ListContext list;
    list.language = context.language;
    list.toolMode =
        arguments.flag("--tool-mode") ||
        SameNameInForce(ReadEditionFile(folders).NoEdition, ReadSetupFile(folders).SameName) > 0;
    list.bands = *bands;
    list.defaultChannel =
        LoadDefaultChannel(folders.readPath(std::string(kDefaultChannelFile)), *bands);
    return list;
}

bool isListFile(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension == ".LST";
}

std::optional<std::vector<ListType>> parseListTypes(std::string_view text) {
    std::vector<ListType> types;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, end - start);
        if (const auto named = listTypeNamed(item)) {
            types.push_back(*named);
        } else {
            const auto number = parseInteger(item);
            if (!number || !isListType(static_cast<int>(*number)))
                return std::nullopt;
            types.push_back(static_cast<ListType>(*number));
        }
        start = end + 1;
    }
    return types;
}

std::string listTypeChoices() {
    std::string choices = "TYPE is a number from 0 to 15 or its name:";
    for (int type = 0; type < kListTypeCount; ++type) {
        choices += ' ';
        choices += std::to_string(type);
        choices += '=';
        choices += listTypeName(static_cast<ListType>(type));
    }
    return choices;
}

ListProgress progressPrinter(Context& context, std::string_view what, std::size_t threshold) {
    auto lastTenth = std::make_shared<std::size_t>(0);
    return [&context, what = std::string(what), threshold, lastTenth](std::size_t done,
                                                                      std::size_t total) {
        if (total <= threshold || total == 0)
            return;
        const std::size_t tenth = done * 10 / total;
        if (tenth == *lastTenth)
            return;
        *lastTenth = tenth;
        context.err << "r605 " << what << ": " << tenth * 10 << "% (" << done << " of " << total
                    << ")\n";
    };
}

} // namespace r605::cli
