#pragma once
// Where each record family lies in the radio's memory.

#include <cstddef>
#include <cstdint>

namespace r605::address {

// Channels: 64-byte slots, 128 to a 0x40000 bank (entry 128 is at 0x840000, not 0x802000).
inline constexpr std::uint32_t kChannelBitmap = 0x24C1500;
constexpr std::uint32_t ChannelSlot(std::size_t n) {
    return static_cast<std::uint32_t>(0x800000 + (n / 128) * 0x40000 + (n % 128) * 0x40);
}

inline constexpr std::uint32_t kPersonBitmap = 0x24C1320;
constexpr std::uint32_t PersonSlot(std::size_t n) {
    return static_cast<std::uint32_t>(0x2580000 + 32 * n);
}

// Contacts: an index of slot numbers, a bitmap in which 0 means in use, and 100-byte records,
// 1000 to a 0x40000 bank.
inline constexpr std::uint32_t kContactIndex = 0x2600000;
inline constexpr std::uint32_t kContactBitmap = 0x2640000;
inline constexpr std::uint32_t kContactBitmapLength = 1251;
constexpr std::uint32_t ContactIndexEntry(std::size_t i) {
    return static_cast<std::uint32_t>(kContactIndex + 4 * i);
}
constexpr std::uint32_t ContactSlot(std::size_t k) {
    return static_cast<std::uint32_t>(0x2680000 + (k / 1000) * 0x40000 + (k % 1000) * 100);
}

inline constexpr std::uint32_t kRxGroupBitmap = 0x25C0B10;
constexpr std::uint32_t RxGroupSlot(std::size_t g) {
    return static_cast<std::uint32_t>(0x2980000 + 0x200 * g);
}

inline constexpr std::uint32_t kZoneBitmap = 0x24C1300;
constexpr std::uint32_t ZoneMembers(std::size_t z) {
    return static_cast<std::uint32_t>(0x1000000 + 0x200 * z);
}
constexpr std::uint32_t ZoneName(std::size_t z) {
    return static_cast<std::uint32_t>(0x2540000 + 32 * z);
}

inline constexpr std::uint32_t kScanListBitmap = 0x24C1340;
constexpr std::uint32_t ScanListSlot(std::size_t s) {
    return static_cast<std::uint32_t>(0x1080000 + (s / 16) * 0x40000 + (s % 16) * 0x200);
}

inline constexpr std::uint32_t kRoamChannelBitmap = 0x1042000;
inline constexpr std::uint32_t kRoamZoneBitmap = 0x1042080;
constexpr std::uint32_t RoamChannelSlot(std::size_t n) {
    return static_cast<std::uint32_t>(0x1040000 + 0x20 * n);
}
constexpr std::uint32_t RoamZoneSlot(std::size_t z) {
    return static_cast<std::uint32_t>(0x1043000 + 0x80 * z);
}

inline constexpr std::uint32_t kDtmfSettings = 0x24C1080;
constexpr std::uint32_t DtmfCode(std::size_t n) {
    return static_cast<std::uint32_t>(0x2500500 + 16 * n);
}

inline constexpr std::uint32_t kEmgCodes = 0x24C1700;
inline constexpr std::uint32_t kEmgValues = 0x24C1800;
inline constexpr std::uint32_t kAesKeys = 0x24C4000;
inline constexpr std::uint32_t kAesBitmap = 0x24C9000;
inline constexpr std::uint32_t kArc4Keys = 0x24C8000;
inline constexpr std::uint32_t kArc4Bitmap = 0x24C9020;

// The radio information block: bytes 8 to 11 hold the programming password.
inline constexpr std::uint32_t kRadioInfoBlock = 0x2FA0020;

} // namespace r605::address
