#include "text/language.h"

#include "base/numbers.h"
#include "text/ini_document.h"

namespace r605 {

namespace {

std::string mapKey(std::string_view section, std::string_view key) {
    std::string result;
    result.reserve(section.size() + key.size() + 1);
    for (char c : section)
        result += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    result += '/';
    result += key;
    return result;
}

} // namespace

int normaliseLanguageIndex(int languageIndex) {
    return (languageIndex == 2 || languageIndex == 3) ? languageIndex : 1;
}

std::string_view languageFileName(int languageIndex) {
    switch (normaliseLanguageIndex(languageIndex)) {
    case 2:
        return "chinese.ini";
    case 3:
        return "Tchinese.ini";
    default:
        return "english.ini";
    }
}

std::string_view sectionName(Section section) {
    switch (section) {
    case Section::Option:
        return "OPTION";
    case Section::Msg:
        return "MSG";
    case Section::Other:
        break;
    }
    return "OTHER";
}

Language Language::fromContent(std::string_view iniContent, int languageIndex) {
    Language language;
    language.m_index = normaliseLanguageIndex(languageIndex);
    const IniDocument document = IniDocument::parse(iniContent);
    for (const std::string& section : document.sections()) {
        for (const std::string& key : document.keys(section)) {
            auto text = document.value(section, key);
            // The first entry of a key wins, as with the profile calls.
            language.m_texts.emplace(mapKey(section, trimBlanks(key)), text ? *text : "");
        }
    }
    return language;
}

Language Language::load(const std::filesystem::path& programFolder, int languageIndex) {
    const auto path = programFolder / "language" / std::string(languageFileName(languageIndex));
    auto document = IniDocument::load(path);
    Language language;
    language.m_index = normaliseLanguageIndex(languageIndex);
    if (!document)
        return language;
    Language loaded = fromContent(document->serialise(), languageIndex);
    return loaded;
}

std::string Language::GetLangText(int key, Section section) const {
    const auto found = m_texts.find(mapKey(sectionName(section), std::to_string(key)));
    if (found == m_texts.end())
        return {};
    return std::string(trimBlanks(found->second));
}

bool Language::hasKey(int key, Section section) const {
    return m_texts.count(mapKey(sectionName(section), std::to_string(key))) != 0;
}

std::string Language::describe(const Error& error) const {
    if (!error.key)
        return error.text;
    std::string message = text(*error.key);
    if (message.empty())
        message = "Message " + std::to_string(error.key->number);
    if (!error.text.empty())
        message += " " + error.text;
    return message;
}

} // namespace r605
