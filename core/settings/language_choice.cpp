#include "settings/language_choice.h"

#include "settings/locale.h"
#include "text/language.h"

namespace r605 {

LanguageChoice languageChoiceFor(int languageIndex) {
    LanguageChoice choice;
    choice.LanguageIndex = normaliseLanguageIndex(languageIndex);
    choice.LanguageFile = std::string(languageFileName(choice.LanguageIndex));
    choice.LanguagePath = "language/" + choice.LanguageFile;
    return choice;
}

LanguageChoice ChooseLanguage(std::string_view systemLcidHex, bool noEdition,
                              std::string_view editionCode) {
    int index = languageIndexForLcid(systemLcidHex);
    if (!noEdition && index == 2) {
        if (editionCode == "Soft_English")
            index = 1;
        else if (editionCode == "Soft_TChina")
            index = 3;
    }
    return languageChoiceFor(index);
}

} // namespace r605
