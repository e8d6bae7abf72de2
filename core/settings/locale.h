#pragma once
// The interface language at start-up follows the system locale: Simplified Chinese is the
// locale identifier "804", Traditional Chinese "404", everything else counts as English.

#include <string>
#include <string_view>

namespace r605 {

// "804" for zh_CN, zh_SG and a bare "zh"; "404" for zh_TW, zh_HK and zh_MO (and the Hant
// script); "409" for anything else. Accepts POSIX names ("zh_CN.UTF-8") and BCP 47 ("zh-Hant-TW").
std::string systemLcidHexForLocale(std::string_view localeName);

// The locale name from the environment as the C library reads it: LC_ALL, LC_MESSAGES, LANG.
std::string localeNameFromEnvironment();

// 2 for "804", 3 for "404", 1 otherwise.
int languageIndexForLcid(std::string_view lcidHex);

} // namespace r605
