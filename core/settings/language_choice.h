#pragma once
// The interface language at start-up: the system locale decides, except that a Simplified
// Chinese system running a distributor's English or Traditional Chinese edition follows the
// edition.

#include <string>
#include <string_view>

namespace r605 {

struct LanguageChoice {
    int LanguageIndex = 1;
    std::string LanguageFile;
    std::string LanguagePath; // "language/" + LanguageFile, relative to the program folder
};

// systemLcidHex: "804" Simplified Chinese, "404" Traditional Chinese, anything else English.
// Only with a known edition and a Simplified Chinese locale: "Soft_English" gives English,
// "Soft_TChina" Traditional Chinese.
LanguageChoice ChooseLanguage(std::string_view systemLcidHex, bool noEdition,
                              std::string_view editionCode);

LanguageChoice languageChoiceFor(int languageIndex);

} // namespace r605
