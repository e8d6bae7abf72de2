#pragma once
// The application-wide state that start-up sets before the main window exists and that later
// parts of the program consult: interface language, edition, factory mode, serial port choice,
// the current model and band, and the feature and view-menu flags.

#include "rules/band.h"

#include <array>
#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kExtensionFlagCount = 100;
// Init.EXT: one byte per feature, 0 off and 1 on.
using ExtensionFlagBytes = std::array<std::uint8_t, kExtensionFlagCount>;
// Setting.ini: the 5-tone, 2-tone and DTMF view-menu entries (non-zero = visible) and a fourth
// value that is only carried.
using ViewMenuValues = std::array<std::int16_t, 4>;

struct StartupState {
    int LanguageIndex = 1; // 1 English, 2 Simplified Chinese, 3 Traditional Chinese
    std::string LanguageFile = "english.ini";
    std::string LanguagePath = "language/english.ini"; // relative to the program folder
    std::string SystemLcidHex = "409";

    // Always a modern platform here: 8-bit texts use code page 936 and the per-number port list
    // of one old platform version never applies.
    int OsMajorVersion = 6;
    bool VistaPortListMode = false;

    bool NoEdition = true; // no known edition file: the language menu is offered
    std::string EditionCode;
    bool FactoryTestMode = false;
    bool IsFirstRun = false;

    // The serial port by name ("ttyUSB0", or a device path), stored under the key "comPort".
    std::string ComPortName;
    int SameName = 0;            // tool mode: more than 0 adds the extra name columns of lists
    std::int32_t PortHandle = 0; // "CommHandle": non-zero while a port is open

    std::string ModelFamily = "R600MK";
    std::string BandText = "UHF{400 - 480 MHz}";
    int BandCode = 0;
    r605::BandRanges BandRanges;
    std::string ModelName = "R605UHF";
    std::string RadioFirmwareVersion = "1.03";
    std::string RadioDataVersion = "V100";

    ExtensionFlagBytes ExtensionFlags{};
    ViewMenuValues ViewMenuFlags{};
};

} // namespace r605
