#pragma once
// TestData.ini switches the program into factory test mode (the automatic test form in the Help
// menu) when its first 32 characters are the factory marker.

#include <string_view>

namespace r605 {

class ProgramFolders;

inline constexpr std::string_view kFactoryMarkerFile = "TestData.ini";
inline constexpr std::string_view kFactoryMarker = "R605CPS_FACTORY_TEST_MODE_ENABLE";
static_assert(kFactoryMarker.size() == 32);

// The first 32 bytes of the file, cut by TrimAtNull, equal the marker. A missing or unreadable
// file is no factory mode.
bool ReadFactoryMarker(const ProgramFolders& folders);

} // namespace r605
