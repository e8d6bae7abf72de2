#pragma once
// Setting.ini: exactly 8 bytes, four signed 16-bit little-endian values. The first three show the
// 5-tone, 2-tone and DTMF entries of the View menu when non-zero; the fourth is carried unchanged.
// The program never changes the values: it reads them at start and writes them back at close-down,
// so a dealer can switch the entries by editing the file.

#include "base/result.h"
#include "settings/startup_state.h"

#include <string>
#include <string_view>

namespace r605 {

class ProgramFolders;

inline constexpr std::string_view kViewMenuFile = "Setting.ini";

// Absent (or empty): four zeros, and an empty file is created so that the close-down write finds
// it. Shorter than 8 bytes: the missing bytes read as 0. A file that cannot be read: all four 1,
// so that nothing is hidden from the user by a broken file.
ViewMenuValues ReadViewMenuFlags(const ProgramFolders& folders);
Status WriteViewMenuFlags(const ProgramFolders& folders, const ViewMenuValues& values);

ViewMenuValues decodeViewMenuFlags(std::string_view bytes);
std::string encodeViewMenuFlags(const ViewMenuValues& values);

} // namespace r605
