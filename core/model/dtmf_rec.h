#pragma once
// The DTMF settings and codes: one record, Dtmf, of 16 code entries that channels select
// through DtmfId, four further codes, a three-digit ID and a row of one-byte settings.

#include "model/field.h"

#include <array>
#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kDtmfCodes = 16;

// A code of up to 16 hexadecimal digit characters (0-9, A-F) and its digit count.
struct DigitCode {
    std::string Digits; // 16 characters
    std::int16_t Count = 0;

    bool operator==(const DigitCode&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::hexText("Digits", 16), r.Digits);
        visit(Field::count("Count", 16), r.Count);
    }
};

struct DtmfRec {
    std::array<DigitCode, kDtmfCodes> Codes{};
    DigitCode Code16;
    DigitCode Code17;
    DigitCode Code18;
    DigitCode Code19;
    std::int16_t Set0 = 0; // 10 to 15; the encoder makes anything else 14
    std::int16_t Set1 = 0; // 10 to 15; the encoder makes anything else 0xFF (read back as such)
    std::int16_t Set2 = 0; // 0 to 2
    std::int16_t Set3 = 0;
    std::int16_t Set4 = 0; // 0 to 250
    std::int16_t Set5 = 0;
    std::string IdDigits; // 3 decimal digits at most
    std::int16_t Set9 = 0;
    std::int16_t Set10 = 0;
    std::int16_t Set11 = 0;
    std::int16_t Unencoded1 = 0;
    std::int16_t Set12 = 0;
    std::int16_t Set13 = 0;

    bool operator==(const DtmfRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::any("Codes"), r.Codes);
        visit(Field::any("Code16"), r.Code16);
        visit(Field::any("Code17"), r.Code17);
        visit(Field::any("Code18"), r.Code18);
        visit(Field::any("Code19"), r.Code19);
        visit(Field::range("Set0", 10, 15), r.Set0);
        visit(Field::range("Set1", 10, 255), r.Set1); // 10 .. 15, or 0xFF as the encoder leaves it
        visit(Field::range("Set2", 0, 2), r.Set2);
        visit(Field::range("Set3", 0, 255), r.Set3);
        visit(Field::range("Set4", 0, 250), r.Set4);
        visit(Field::range("Set5", 0, 255), r.Set5);
        visit(Field::digitText("IdDigits", 3), r.IdDigits);
        visit(Field::range("Set9", 0, 255), r.Set9);
        visit(Field::range("Set10", 0, 255), r.Set10);
        visit(Field::range("Set11", 0, 255), r.Set11);
        visit(Field::unencoded("Unencoded1"), r.Unencoded1);
        visit(Field::range("Set12", 0, 255), r.Set12);
        visit(Field::range("Set13", 0, 255), r.Set13);
    }
};

} // namespace r605
