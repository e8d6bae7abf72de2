#pragma once
// Five-tone (selective calling) standards. A standard fixes which audio frequency stands for
// each digit 0..F and how long a tone lasts by default. Fifteen standards are built in; index 15
// is the codeplug's own user-defined tone set.

#include "rules/user_tone_set.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace r605 {

class Language;

inline constexpr int kFiveToneStandardCount = 16; // indexes 0..15
inline constexpr int kFiveToneUserDefined = 15;

// The user-defined set accepts 288.5 Hz to 3106.0 Hz per digit.
inline constexpr double kUserToneLow = 288.5;
inline constexpr double kUserToneHigh = 3106.0;

// The name the standard list shows and list files use: "ZVEI1" ... "EIA" for 0..14, the
// user-defined name (message 3102 of OTHER) for 15, "" for any other index.
std::string FiveToneStandardName(int index, std::string_view userDefinedName);
std::string FiveToneStandardName(int index, const Language& language);

// The index whose name matches exactly (blanks around the name ignored); nothing otherwise.
std::optional<int> FiveToneStandardIndex(std::string_view name, std::string_view userDefinedName);
std::optional<int> FiveToneStandardIndex(std::string_view name, const Language& language);

// The default tone period in milliseconds; nothing outside 0..15.
std::optional<int> FiveToneDefaultPeriod(int index);

// The frequency texts of digits 0..F exactly as the standard is printed ("825/885" is one text,
// "2400" and "400.0" keep their forms); "" for a digit the standard leaves undefined. For the
// user-defined set: each stored value / 10 with one decimal ("288.5", ".5" below 1 Hz). All ""
// for an index outside 0..15.
std::array<std::string, 16> FiveToneToneTexts(int index, const UserToneSet& userTones);

// The editor's information box, lines joined by CR LF: 60085 "(Hz)"; one line per digit ("A 2800",
// "B " for an undefined digit); 60086 "(ms) " and the default period; 60087 " A"; and for ZVEI1,
// ZVEI3, MODAT, CCITT, EIA and the user-defined set 60088 " E" (texts of OPTION). "" for an index
// outside 0..15.
std::string FiveToneInformationText(int index, const Language& language,
                                    const UserToneSet& userTones);
// The same for a standard chosen by its name in the list; "" for an unknown name.
std::string ShowFiveToneStandard(std::string_view name, const Language& language,
                                 const UserToneSet& userTones);

// A user-defined tone box after the user leaves it: a non-numeric entry or one below 288.5
// becomes "288.5", one above 3106.0 becomes "3106.0"; a value inside the limits stays as typed.
std::string NormaliseUserToneText(std::string_view boxText);
// What OK stores for a box: its normalised value x 10, halves to the even neighbour.
std::int16_t StoreUserTone(std::string_view boxText);

} // namespace r605
