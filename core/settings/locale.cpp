#include "settings/locale.h"

#include <algorithm>
#include <cstdlib>

namespace r605 {

namespace {

std::string lowerCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    std::replace(result.begin(), result.end(), '-', '_');
    return result;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

} // namespace

std::string systemLcidHexForLocale(std::string_view localeName) {
    std::string name = lowerCase(localeName);
    name = name.substr(0, name.find_first_of(".@"));
    if (name != "zh" && name.rfind("zh_", 0) != 0)
        return "409";
    if (contains(name, "hant") || contains(name, "_tw") || contains(name, "_hk") ||
        contains(name, "_mo"))
        return "404";
    return "804";
}

std::string localeNameFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return "C";
}

int languageIndexForLcid(std::string_view lcidHex) {
    if (lcidHex == "804")
        return 2;
    if (lcidHex == "404")
        return 3;
    return 1;
}

} // namespace r605
