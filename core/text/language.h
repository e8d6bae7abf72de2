#pragma once
// Interface texts by language. No caption or message is built into the program (apart from a
// few literal English texts): every text is looked up by number and section in the language
// file of the current interface language, language/<file> in the program folder.

#include "base/result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

namespace r605 {

// 1 English, 2 Simplified Chinese, 3 Traditional Chinese; any other value counts as 1.
int normaliseLanguageIndex(int languageIndex);
std::string_view languageFileName(int languageIndex); // "english.ini", "chinese.ini", "Tchinese.ini"
std::string_view sectionName(Section section);        // "OTHER", "OPTION", "MSG"

class Language {
public:
    Language() = default;
    // Loads language/<file of languageIndex> from the program folder. A missing file gives a
    // language in which every text is empty, as the program has always behaved.
    static Language load(const std::filesystem::path& programFolder, int languageIndex);
    static Language fromContent(std::string_view iniContent, int languageIndex = 1);

    int index() const { return m_index; }

    // The text under `key` in `section`, trimmed; "" when the key is missing.
    std::string GetLangText(int key, Section section = Section::Other) const;
    std::string text(TextKey key) const { return GetLangText(key.number, key.section); }

    // An error as the user reads it: the message text of its key followed by its detail.
    std::string describe(const Error& error) const;

    bool hasKey(int key, Section section) const;

private:
    int m_index = 1;
    std::unordered_map<std::string, std::string> m_texts; // "SECTION/key" -> text
};

} // namespace r605
