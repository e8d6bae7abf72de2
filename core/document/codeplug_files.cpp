#include "document/codeplug_files.h"

#include "base/file_io.h"
#include "file/rdt_format.h"
#include "json/codeplug_json.h"

#include <algorithm>
#include <cctype>

namespace r605 {

namespace fs = std::filesystem;

namespace {

// A full codeplug in JSON is some tens of MiB; anything far beyond is not a codeplug.
constexpr std::size_t kMaxJsonBytes = 256u * 1024 * 1024;
constexpr std::string_view kEnglishTag = "English";

Error named(const fs::path& fileName, Error error) {
    // The version message is a fixed text of its own; the others name the file.
    if (!error.key && error.text == "File Version Error!")
        return error;
    error.text = pathText(fileName) + (error.text.empty() ? "" : ": " + error.text);
    return error;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

Result<LoadedCodeplug> loadJson(const fs::path& fileName, std::string_view text) {
    std::string tag;
    LoadedCodeplug loaded;
    auto codeplug = CodeplugFromJson(text, &tag, &loaded.warnings);
    if (!codeplug)
        return named(fileName, codeplug.error());
    loaded.codeplug = std::move(*codeplug);
    loaded.form = CodeplugFileForm::Json;
    if (!tag.empty())
        loaded.textForm = tag == kEnglishTag ? ContactTextForm::SevenBit : ContactTextForm::Gbk;
    return loaded;
}

Result<LoadedCodeplug> loadRdt(const fs::path& fileName, std::string_view bytes) {
    auto decoded = DecodeCodeplugFile(bytes);
    if (!decoded)
        return named(fileName, decoded.error());
    if (!isKnownBandCode(decoded->codeplug.Header.BandCode))
        return named(fileName, Error::literal("Band Error!"));
    LoadedCodeplug loaded;
    loaded.codeplug = std::move(decoded->codeplug);
    loaded.textForm = decoded->textForm;
    loaded.warnings = std::move(decoded->warnings);
    return loaded;
}

} // namespace

ContactTextForm TextFormForEdition(std::string_view editionCode) {
    return editionCode == "Soft_English" ? ContactTextForm::SevenBit : ContactTextForm::Gbk;
}

CodeplugFileForm FormOfContent(std::string_view firstBytes) {
    std::string_view rest = firstBytes;
    if (rest.starts_with("\xEF\xBB\xBF"))
        rest.remove_prefix(3);
    const auto first = rest.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && rest[first] == '{')
        return CodeplugFileForm::Json;
    return CodeplugFileForm::Rdt;
}

CodeplugFileForm FormOfName(const fs::path& fileName) {
    return lowerCase(pathText(fileName.extension())) == ".json" ? CodeplugFileForm::Json
                                                                : CodeplugFileForm::Rdt;
}

Result<LoadedCodeplug> LoadCodeplug(const fs::path& fileName) {
    auto bytes = readFileBytes(fileName, kMaxJsonBytes);
    if (!bytes)
        return Error::keyed(99126, pathText(fileName) + " (" + bytes.error().text + ")");
    if (FormOfContent(std::string_view(*bytes).substr(0, 64)) == CodeplugFileForm::Json)
        return loadJson(fileName, *bytes);
    if (bytes->size() > kMaxCodeplugFileBytes)
        return Error::keyed(99127, pathText(fileName) + ": larger than any codeplug file");
    return loadRdt(fileName, *bytes);
}

Result<SavedCodeplug> SaveCodeplug(const fs::path& fileName, const Codeplug& codeplug,
                                   ContactTextForm textForm) {
    Codeplug written = codeplug;
    written.Header.ModelFamily = std::string(kModelFamily);
    written.Header.DataVersion = std::string(kCurrentDataVersion);
    SavedCodeplug saved;
    std::string bytes;
    if (FormOfName(fileName) == CodeplugFileForm::Json) {
        bytes = CodeplugToJson(written, textForm == ContactTextForm::SevenBit ? "English" : "GBK");
    } else {
        EncodedCodeplugFile encoded = EncodeCodeplugFile(written, textForm);
        bytes = std::move(encoded.bytes);
        saved.messages = std::move(encoded.warnings);
        saved.contactsLeftOut = std::move(encoded.contactsLeftOut);
    }
    if (Status status = writeFileAtomically(fileName, bytes); !status)
        return Error::keyed(99129, status.error().text);
    saved.messages.push_back(Error::literal("Save File OK"));
    return saved;
}

} // namespace r605
