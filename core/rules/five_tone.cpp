#include "rules/five_tone.h"

#include "base/numbers.h"
#include "text/language.h"

#include <span>

namespace r605 {

namespace {

struct FiveToneStandard {
    std::string_view name;
    int period;    // default tone period, ms
    bool hasELine; // the information box names E as well as A
    std::array<std::string_view, 16> tones;
};

// The printed tables. The texts are shown exactly as written, with or without ".0"; an empty text
// is a digit the standard does not define.
constexpr std::array<FiveToneStandard, 15> kStandards = {{
    {"ZVEI1",
     70,
     true,
     {"2400", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000", "2200", "2800", "810",
      "970", "885", "2600", "680"}},
    {"ZVEI2",
     70,
     false,
     {"2400", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000", "2200", "885", "810",
      "740", "680", "970", "2600"}},
    {"ZVEI3",
     70,
     true,
     {"2200", "970", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000", "885", "", "",
      "", "2400", ""}},
    {"PZVEI",
     70,
     false,
     {"2400", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000", "2200", "970", "810",
      "2800", "885", "2600", "680"}},
    {"DZVEI",
     70,
     false,
     {"2200", "970", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000", "825/885",
      "740", "2600", "885", "2400", "680"}},
    {"PDZVEI",
     70,
     false,
     {"2200", "970", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000", "825", "886",
      "2600", "856", "2400", ""}},
    {"CCIR1",
     100,
     false,
     {"1981", "1124", "1197", "1275", "1358", "1446", "1540", "1640", "1747", "1860", "2400", "930",
      "2247", "991", "2110", "1055"}},
    {"CCIR2",
     70,
     false,
     {"1981", "1124", "1197", "1275", "1358", "1446", "1540", "1640", "1747", "1860", "2400", "930",
      "2247", "991", "2110", "1055"}},
    {"PCCIR",
     100,
     false,
     {"1981", "1124", "1197", "1275", "1358", "1446", "1540", "1640", "1747", "1860", "1050", "930",
      "2400", "991", "2110", ""}},
    {"EEA",
     40,
     false,
     {"1981", "1124", "1197", "1275", "1358", "1446", "1540", "1640", "1747", "1860", "1055", "930",
      "2400", "991", "2110", "2247"}},
    {"EURO SIGNAL",
     100,
     false,
     {"979.8", "903.1", "832.5", "767.4", "707.4", "652.0", "601.0", "554.0", "510.7", "470.8", "",
      "", "", "", "1062.9", ""}},
    {"NATEL",
     70,
     false,
     {"1633", "631", "697", "770", "852", "941", "1040", "1209", "1336", "1477", "1995", "571",
      "2205", "2437", "1805", "2694"}},
    {"MODAT",
     40,
     true,
     {"637.5", "787.5", "937.5", "1087.5", "1237.5", "1387.5", "1537.5", "1687.5", "1837.5",
      "1987.5", "", "", "", "", "487.5", ""}},
    {"CCITT",
     70,
     true,
     {"400.0", "697.0", "770.0", "852.0", "941.0", "1209.0", "1335.0", "1477.0", "1663.0", "1800.0",
      "1900.0", "2000.0", "2100.0", "2200.0", "2300.0", "0.0"}},
    {"EIA",
     33,
     true,
     {"600.0", "741.0", "882.0", "1023.0", "1164.0", "1305.0", "1446.0", "1587.0", "1728.0",
      "1869.0", "2151.0", "2433.0", "2010.0", "2292.0", "459.0", "1091.0"}},
}};

constexpr int kUserDefinedPeriod = 70;
constexpr std::string_view kDigits = "0123456789ABCDEF";

// The "#.0" form: one decimal and no integer digit when the integer part is 0 (".5", ".0").
std::string formatHashDotZero(double value) {
    std::string text = formatFixed(value, 1);
    const std::size_t zero = (!text.empty() && text.front() == '-') ? 1 : 0;
    if (text.compare(zero, 2, "0.") == 0)
        text.erase(zero, 1);
    return text;
}

} // namespace

std::string FiveToneStandardName(int index, std::string_view userDefinedName) {
    if (index == kFiveToneUserDefined)
        return std::string(userDefinedName);
    if (index < 0 || index >= static_cast<int>(kStandards.size()))
        return {};
    return std::string(kStandards[static_cast<std::size_t>(index)].name);
}

std::string FiveToneStandardName(int index, const Language& language) {
    return FiveToneStandardName(index, language.GetLangText(3102));
}

std::optional<int> FiveToneStandardIndex(std::string_view name, std::string_view userDefinedName) {
    name = trimBlanks(name);
    if (name.empty())
        return std::nullopt;
    for (int index = 0; index < kFiveToneStandardCount; ++index) {
        if (FiveToneStandardName(index, trimBlanks(userDefinedName)) == name)
            return index;
    }
    return std::nullopt;
}

std::optional<int> FiveToneStandardIndex(std::string_view name, const Language& language) {
    return FiveToneStandardIndex(name, language.GetLangText(3102));
}

std::optional<int> FiveToneDefaultPeriod(int index) {
    if (index == kFiveToneUserDefined)
        return kUserDefinedPeriod;
    if (index < 0 || index >= static_cast<int>(kStandards.size()))
        return std::nullopt;
    return kStandards[static_cast<std::size_t>(index)].period;
}

std::array<std::string, 16> FiveToneToneTexts(int index, const UserToneSet& userTones) {
    std::array<std::string, 16> texts;
    if (index == kFiveToneUserDefined) {
        for (std::size_t digit = 0; digit < texts.size(); ++digit)
            texts[digit] = formatHashDotZero(userTones[digit] / 10.0);
        return texts;
    }
    if (index < 0 || index >= static_cast<int>(kStandards.size()))
        return texts;
    const auto& tones = kStandards[static_cast<std::size_t>(index)].tones;
    for (std::size_t digit = 0; digit < texts.size(); ++digit)
        texts[digit] = std::string(tones[digit]);
    return texts;
}

std::string FiveToneInformationText(int index, const Language& language,
                                    const UserToneSet& userTones) {
    const auto period = FiveToneDefaultPeriod(index);
    if (!period)
        return {};
    const bool hasELine =
        index == kFiveToneUserDefined || kStandards[static_cast<std::size_t>(index)].hasELine;
    const auto tones = FiveToneToneTexts(index, userTones);

    std::string text = language.GetLangText(60085, Section::Option) + "(Hz)";
    for (std::size_t digit = 0; digit < tones.size(); ++digit) {
        text += "\r\n";
        text += kDigits[digit];
        text += ' ';
        text += tones[digit];
    }
    text +=
        "\r\n" + language.GetLangText(60086, Section::Option) + "(ms) " + std::to_string(*period);
    text += "\r\n" + language.GetLangText(60087, Section::Option) + " A";
    if (hasELine)
        text += "\r\n" + language.GetLangText(60088, Section::Option) + " E";
    return text;
}

std::string ShowFiveToneStandard(std::string_view name, const Language& language,
                                 const UserToneSet& userTones) {
    const auto index = FiveToneStandardIndex(name, language);
    if (!index)
        return {};
    return FiveToneInformationText(*index, language, userTones);
}

std::string NormaliseUserToneText(std::string_view boxText) {
    const auto value = parseNumber(boxText);
    if (!value || *value < kUserToneLow)
        return formatFixed(kUserToneLow, 1);
    if (*value > kUserToneHigh)
        return formatFixed(kUserToneHigh, 1);
    return std::string(boxText);
}

std::int16_t StoreUserTone(std::string_view boxText) {
    // The normalised value lies in 288.5..3106.0, so x 10 always fits 16 bits.
    const double value = parseNumber(NormaliseUserToneText(boxText)).value_or(kUserToneLow);
    return static_cast<std::int16_t>(roundHalfEvenToInt(value * 10.0));
}

} // namespace r605
