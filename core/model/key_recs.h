#pragma once
// The privacy material: the encryption-code table EMG_Code (32 pairs), the AesKey table (255 keys
// of up to 64 hexadecimal digits) and the Arc4Key table (255 keys of 10 hexadecimal digits).

#include "model/field.h"

#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kEmgCodeCount = 32;
inline constexpr std::size_t kAesKeyCount = 255;
inline constexpr std::size_t kArc4KeyCount = 255;

struct EmgCodeRec {
    std::int32_t Code = 0;
    std::int32_t Value2 = 0;

    bool operator==(const EmgCodeRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::range("Code", 0, 65535), r.Code);
        visit(Field::range("Value2", 0, 65535), r.Value2);
    }
};

// An entry is in use when its KeyId is not 0. The radio never gives AES keys back.
struct AesKeyRec {
    std::uint8_t Flag0 = 0;
    std::uint8_t KeyId = 0;
    std::string Key; // 64 hexadecimal digits at most
    std::uint8_t Byte130 = 0;

    bool operator==(const AesKeyRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::any("Flag0"), r.Flag0);
        visit(Field::any("KeyId"), r.KeyId);
        visit(Field::hexText("Key", 64), r.Key);
        visit(Field::any("Byte130"), r.Byte130);
    }
};

struct Arc4KeyRec {
    std::uint8_t Flag0 = 0;
    std::uint8_t KeyId = 0;
    std::string Key; // 10 hexadecimal digits at most

    bool operator==(const Arc4KeyRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::any("Flag0"), r.Flag0);
        visit(Field::any("KeyId"), r.KeyId);
        visit(Field::hexText("Key", 10), r.Key);
    }
};

} // namespace r605
