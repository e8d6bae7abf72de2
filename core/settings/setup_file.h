#pragma once
// The user's setup file, language/mysetup.ini, section "language": first-run flag, serial port,
// tool mode and the handle of a port left open by an unclean end.
//
// Every key is optional. A missing file, an unreadable file, a missing key or a value that does
// not convert to the key's type gives the key's default, never a failure:
//   IsFirstRun  true  (a fresh installation shows the first-run dialogs once; "0" is written after)
//   Skin        ""    (read and not used)
//   comPort     ""    (the start-up port check then takes the first present port and writes it)
//   Handshaking 0, StopBit 0 (read and not used), SameName 0, CommHandle 0
// Booleans are a number (non-zero is true) or True/False in any letter case. Integers are decimal
// numbers, rounded half to even, that fit the key's width (16 bits; 32 for CommHandle).

#include "base/result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace r605 {

class ProgramFolders;

inline constexpr std::string_view kSetupFile = "language/mysetup.ini";
inline constexpr std::string_view kSetupSection = "language";

struct SetupValues {
    bool IsFirstRun = true;
    std::string Skin;
    std::string comPort;
    int Handshaking = 0;
    int StopBit = 0;
    int SameName = 0;
    std::int32_t CommHandle = 0;
};

SetupValues ReadSetupFile(const ProgramFolders& folders);

// Writes one key of section "language", keeping every other line. When writes go to the user
// folder, its copy starts from the program folder's file, so no key is lost.
Status WriteSetupKey(const ProgramFolders& folders, std::string_view key, std::string_view value);

} // namespace r605
