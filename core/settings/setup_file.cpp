#include "settings/setup_file.h"

#include "base/numbers.h"
#include "settings/program_folders.h"
#include "text/ini_document.h"

#include <limits>
#include <optional>

namespace r605 {

namespace {

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::optional<std::int64_t> profileInteger(const std::optional<std::string>& text, std::int64_t low,
                                           std::int64_t high) {
    if (!text)
        return std::nullopt;
    const auto number = parseNumber(*text);
    if (!number || *number < static_cast<double>(low) - 0.5 ||
        *number > static_cast<double>(high) + 0.5)
        return std::nullopt;
    const auto value = roundHalfEvenToInt(*number);
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<bool> profileBoolean(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    if (equalsIgnoreCase(*text, "true"))
        return true;
    if (equalsIgnoreCase(*text, "false"))
        return false;
    if (const auto number = parseNumber(*text))
        return *number != 0;
    return std::nullopt;
}

int int16Value(const IniDocument& document, std::string_view key) {
    constexpr auto low = std::numeric_limits<std::int16_t>::min();
    constexpr auto high = std::numeric_limits<std::int16_t>::max();
    return static_cast<int>(
        profileInteger(document.value(kSetupSection, key), low, high).value_or(0));
}

SetupValues setupValuesOf(const IniDocument& document) {
    SetupValues values;
    values.IsFirstRun = profileBoolean(document.value(kSetupSection, "IsFirstRun")).value_or(true);
    values.Skin = document.get(kSetupSection, "Skin");
    values.comPort = document.get(kSetupSection, "comPort");
    values.Handshaking = int16Value(document, "Handshaking");
    values.StopBit = int16Value(document, "StopBit");
    values.SameName = int16Value(document, "SameName");
    values.CommHandle =
        static_cast<std::int32_t>(profileInteger(document.value(kSetupSection, "CommHandle"),
                                                 std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max())
                                      .value_or(0));
    return values;
}

} // namespace

SetupValues ReadSetupFile(const ProgramFolders& folders) {
    const auto document = IniDocument::load(folders.readPath(kSetupFile));
    if (!document)
        return SetupValues{};
    return setupValuesOf(*document);
}

Status WriteSetupKey(const ProgramFolders& folders, std::string_view key, std::string_view value) {
    const auto target = folders.writePath(kSetupFile);
    if (!target)
        return target.error();
    auto document = IniDocument::load(folders.readPath(kSetupFile));
    if (!document)
        return document.error();
    document->set(kSetupSection, key, value);
    return document->save(*target);
}

} // namespace r605
