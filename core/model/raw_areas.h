#pragma once
// The families whose byte layouts are not known to us: optional settings, 5-tone, 2-tone, alarm
// and one-key calls. Each is held as the raw bytes of its areas of the radio's memory, whole
// 16-byte blocks, so that a radio read and written back keeps them byte for byte.

#include "model/field.h"

#include <array>
#include <cstdint>
#include <span>

namespace r605 {

template <std::size_t N> using RawBytes = std::array<std::uint8_t, N>;

// Each family lists its fields with describe() and, with areas(r, visit), calls
// visit(address, bytes) for each area in ascending address order.
struct OptionAreas {
    static constexpr std::uint32_t kAddress2500000 = 0x2500000;
    static constexpr std::uint32_t kAddress2501000 = 0x2501000;
    static constexpr std::uint32_t kAddress2501080 = 0x2501080;
    RawBytes<0x100> Area2500000{};
    RawBytes<0x60> Area2501000{};
    RawBytes<0x40> Area2501080{};

    bool operator==(const OptionAreas&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::any("Area2500000"), r.Area2500000);
        visit(Field::any("Area2501000"), r.Area2501000);
        visit(Field::any("Area2501080"), r.Area2501080);
    }
    template <class Self, class Visit> static void areas(Self& r, Visit&& visit) {
        visit(kAddress2500000, std::span(r.Area2500000));
        visit(kAddress2501000, std::span(r.Area2501000));
        visit(kAddress2501080, std::span(r.Area2501080));
    }
};

// 100 codes of 32 bytes with their used-code bitmap, and the 5-tone settings.
struct FiveToneAreas {
    static constexpr std::uint32_t kCodesAddress = 0x24C0000;
    static constexpr std::uint32_t kBitmapAddress = 0x24C0C80;
    static constexpr std::uint32_t kAddress24C0D00 = 0x24C0D00;
    static constexpr std::uint32_t kAddress24C1000 = 0x24C1000;
    static constexpr std::size_t kCodeCount = 100;
    static constexpr std::size_t kCodeSize = 0x20;
    RawBytes<kCodeCount * kCodeSize> Codes{};
    RawBytes<0x10> Bitmap{};
    RawBytes<0x200> Area24C0D00{};
    RawBytes<0x80> Area24C1000{};

    bool operator==(const FiveToneAreas&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::any("Codes"), r.Codes);
        visit(Field::any("Bitmap"), r.Bitmap);
        visit(Field::any("Area24C0D00"), r.Area24C0D00);
        visit(Field::any("Area24C1000"), r.Area24C1000);
    }
    template <class Self, class Visit> static void areas(Self& r, Visit&& visit) {
        visit(kCodesAddress, std::span(r.Codes));
        visit(kBitmapAddress, std::span(r.Bitmap));
        visit(kAddress24C0D00, std::span(r.Area24C0D00));
        visit(kAddress24C1000, std::span(r.Area24C1000));
    }
};

// 24 encode codes of 16 bytes with their bitmap (first bytes of Area24C1280) and the 16-entry
// decode table of 32-byte entries with its bitmap.
struct TwoToneAreas {
    static constexpr std::uint32_t kCodesAddress = 0x24C1100;
    static constexpr std::uint32_t kAddress24C1280 = 0x24C1280;
    static constexpr std::uint32_t kDecodeTableAddress = 0x24C2400;
    static constexpr std::uint32_t kDecodeBitmapAddress = 0x24C2600;
    static constexpr std::size_t kCodeCount = 24;
    static constexpr std::size_t kCodeSize = 0x10;
    static constexpr std::size_t kDecodeCount = 16;
    static constexpr std::size_t kDecodeSize = 0x20;
    RawBytes<kCodeCount * kCodeSize> Codes{};
    RawBytes<0x20> Area24C1280{};
    RawBytes<kDecodeCount * kDecodeSize> DecodeTable{};
    RawBytes<0x10> DecodeBitmap{};

    bool operator==(const TwoToneAreas&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::any("Codes"), r.Codes);
        visit(Field::any("Area24C1280"), r.Area24C1280);
        visit(Field::any("DecodeTable"), r.DecodeTable);
        visit(Field::any("DecodeBitmap"), r.DecodeBitmap);
    }
    template <class Self, class Visit> static void areas(Self& r, Visit&& visit) {
        visit(kCodesAddress, std::span(r.Codes));
        visit(kAddress24C1280, std::span(r.Area24C1280));
        visit(kDecodeTableAddress, std::span(r.DecodeTable));
        visit(kDecodeBitmapAddress, std::span(r.DecodeBitmap));
    }
};

struct AlarmAreas {
    static constexpr std::uint32_t kAddress24C1400 = 0x24C1400;
    static constexpr std::uint32_t kAddress24C1440 = 0x24C1440;
    static constexpr std::uint32_t kAddress24C1D00 = 0x24C1D00;
    RawBytes<0x20> Area24C1400{};
    RawBytes<0x30> Area24C1440{};
    RawBytes<0xA0> Area24C1D00{};

    bool operator==(const AlarmAreas&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::any("Area24C1400"), r.Area24C1400);
        visit(Field::any("Area24C1440"), r.Area24C1440);
        visit(Field::any("Area24C1D00"), r.Area24C1D00);
    }
    template <class Self, class Visit> static void areas(Self& r, Visit&& visit) {
        visit(kAddress24C1400, std::span(r.Area24C1400));
        visit(kAddress24C1440, std::span(r.Area24C1440));
        visit(kAddress24C1D00, std::span(r.Area24C1D00));
    }
};

// The one-key call entries and their settings. The settings are 4 bytes, but the radio moves
// whole 16-byte blocks, so the whole block is kept.
struct OneKeyAreas {
    static constexpr std::uint32_t kAddress25C0000 = 0x25C0000;
    static constexpr std::uint32_t kAddress25C0B00 = 0x25C0B00;
    RawBytes<0x620> Area25C0000{};
    RawBytes<0x10> Area25C0B00{};

    bool operator==(const OneKeyAreas&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::any("Area25C0000"), r.Area25C0000);
        visit(Field::any("Area25C0B00"), r.Area25C0B00);
    }
    template <class Self, class Visit> static void areas(Self& r, Visit&& visit) {
        visit(kAddress25C0000, std::span(r.Area25C0000));
        visit(kAddress25C0B00, std::span(r.Area25C0B00));
    }
};

} // namespace r605
