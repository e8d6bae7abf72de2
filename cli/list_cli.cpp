#include "list_cli.h"

#include "base/file_io.h"
#include "base/numbers.h"
#include "document/codeplug_files.h"
#include "file/default_channel_file.h"
#include "file/rdt_format.h"
#include "settings/edition_file.h"
#include "settings/program_folders.h"
#include "settings/setup_file.h"
#include "settings/startup.h"
#include "json/codeplug_json.h"

#include <cctype>
#include <memory>
#include <ostream>

namespace r605::cli {

namespace {

bool isRdtFile(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".rdt";
}

} // namespace

Result<CodeplugFile> loadCodeplugFile(const std::filesystem::path& path, const Context& context) {
    auto bytes = readFileBytes(path, kMaxCodeplugFileBytes);
    if (!bytes)
        return bytes.error();
    CodeplugFile file;
    if (isRdtFile(path)) {
        auto decoded = DecodeCodeplugFile(*bytes);
        if (!decoded)
            return decoded.error();
        for (const Error& warning : decoded->warnings)
            context.err << "r605: " << context.language.describe(warning) << "\n";
        file.codeplug = std::move(decoded->codeplug);
        file.textForm = decoded->textForm;
        return file;
    }
    std::string tag;
    std::vector<Error> warnings;
    auto codeplug = CodeplugFromJson(*bytes, &tag, &warnings);
    if (!codeplug)
        return codeplug.error();
    for (const Error& warning : warnings)
        context.err << "r605: warning: " << context.language.describe(warning) << "\n";
    file.codeplug = std::move(*codeplug);
    if (tag.empty())
        file.textForm = TextFormForEdition(
            ReadEditionFile(ProgramFolders::locate(context.programFolder)).EditionCode);
    else
        file.textForm = tag == "English" ? ContactTextForm::SevenBit : ContactTextForm::Gbk;
    return file;
}

Result<std::vector<Error>> saveCodeplugFile(const std::filesystem::path& path,
                                            const Codeplug& codeplug, ContactTextForm form) {
    if (!isRdtFile(path)) {
        const std::string json =
            CodeplugToJson(codeplug, form == ContactTextForm::SevenBit ? "English" : "GBK");
        if (Status written = writeFileAtomically(path, json); !written)
            return written.error();
        return std::vector<Error>{};
    }
    EncodedCodeplugFile encoded = EncodeCodeplugFile(codeplug, form);
    if (Status written = writeFileAtomically(path, encoded.bytes); !written)
        return written.error();
    return std::move(encoded.warnings);
}

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
        const auto number = parseInteger(text.substr(start, end - start));
        if (!number || !isListType(static_cast<int>(*number)))
            return std::nullopt;
        types.push_back(static_cast<ListType>(*number));
        start = end + 1;
    }
    return types;
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
