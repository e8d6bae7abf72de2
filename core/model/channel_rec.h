#pragma once
// A channel of the channel table (256 entries; entry n is radio channel n + 1).

#include "model/field.h"

#include <array>
#include <cstdint>
#include <string>

namespace r605 {

inline constexpr std::size_t kChannelCount = 256;

struct ChannelRec {
    std::int16_t Number = 0;
    std::int16_t Used = 0;
    double RxFreq = 0;
    std::int16_t OffsetDir = 0; // 0 simplex, 1 transmit above receive, 2 below
    std::int16_t Unencoded1 = 0;
    double Offset = 0;
    std::int16_t ChType = 0; // 0 analog, 1 digital, 2 and 3 mixed
    std::int16_t Power = 0;
    std::int16_t Bandwidth = 0;
    std::int16_t Flag9_4 = 0;
    std::int16_t Flag9_5 = 0;
    std::int16_t Flag9_6 = 0;
    std::int16_t Flag9_7 = 0;
    std::int16_t RxToneType = 0; // 0 none, 1 CTCSS, 2 DCS
    std::int16_t RxCtcss = 0;    // CTCSS list position; the last stands for CustomCtcss
    std::int16_t RxDcs = 0;      // DCS number: 9-bit code, + 512 when inverted
    std::int16_t TxToneType = 0;
    std::int16_t TxCtcss = 0;
    std::int16_t TxDcs = 0;
    std::int16_t CustomCtcss = 0; // tenths of a hertz
    // References (Contact, RadioId, RxGroup, ScanLists, TwoToneDecode) hold what the radio held:
    // one beyond its table (damaged data, or a radio that knows more) names none wherever it is
    // used, and a write gives the radio its own byte back.
    std::int32_t Contact = 0; // 0-based contact entry
    std::int16_t RadioId = 0; // 0-based radio-ID entry (-1: none in use)
    std::int16_t Nibble25Lo = 0;
    std::int16_t Nibble26Lo = 0;
    std::int16_t Nibble25Hi = 0;
    std::int16_t RxGroup = 0;   // 1-based receive group list, 0 none
    std::int16_t OptSignal = 0; // 0 off, 1 DTMF, 2 2-tone, 3 5-tone
    std::int16_t TwoToneId = 0;
    std::int16_t FiveToneId = 0;
    std::int16_t DtmfId = 0;
    std::int16_t Byte32 = 0;
    std::int16_t Flag33_0 = 0;
    std::int16_t Field33_2 = 0;
    std::int16_t Flag33_4 = 0;
    std::int16_t Unencoded2 = 0;
    std::int16_t Byte57 = 0;
    std::int16_t Flag33_7 = 0;
    std::int16_t Unencoded3 = 0;
    std::int16_t Flag33_6 = 0;
    std::string Name;             // 16 bytes
    std::int32_t ContactRaw = -1; // the contact as read from the radio; -1 none
    std::int16_t Unencoded4 = -1;
    std::int16_t TwoToneDecode = 0; // 1-based entry of the 16-entry 2-tone decode table, 0 none
    std::uint8_t Flag33_5 = 0;
    std::uint8_t Byte52 = 0;
    std::uint8_t Byte53 = 0;
    std::uint8_t Byte54 = 0;
    std::uint8_t Byte55 = 0;
    std::uint8_t Flag56_0 = 0;
    std::uint8_t Flag56_1 = 0;
    std::uint8_t Byte34 = 0;
    std::uint8_t Flag56_2 = 0;
    // 0-based scan lists, 0xFF none.
    std::array<std::uint8_t, 8> ScanLists{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::uint8_t Flag56_3 = 0;
    std::uint8_t Flag56_4 = 0;
    std::uint8_t Flag56_5 = 0;
    std::uint8_t Byte58 = 0;
    std::uint8_t Byte59 = 0;

    bool operator==(const ChannelRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::number("Number", kChannelCount), r.Number);
        visit(Field::flag("Used"), r.Used);
        visit(Field::frequency("RxFreq"), r.RxFreq);
        visit(Field::range("OffsetDir", 0, 2).packed(2), r.OffsetDir);
        visit(Field::unencoded("Unencoded1"), r.Unencoded1);
        visit(Field::megahertz("Offset"), r.Offset);
        visit(Field::bits("ChType", 2), r.ChType);
        visit(Field::bits("Power", 2), r.Power);
        visit(Field::bits("Bandwidth", 2), r.Bandwidth);
        visit(Field::flag("Flag9_4"), r.Flag9_4);
        visit(Field::flag("Flag9_5"), r.Flag9_5);
        visit(Field::flag("Flag9_6"), r.Flag9_6);
        visit(Field::flag("Flag9_7"), r.Flag9_7);
        visit(Field::range("RxToneType", 0, 2).packed(2), r.RxToneType);
        visit(Field::range("RxCtcss", 0, 51), r.RxCtcss);
        visit(Field::range("RxDcs", 0, 1023), r.RxDcs);
        visit(Field::range("TxToneType", 0, 2).packed(2), r.TxToneType);
        visit(Field::range("TxCtcss", 0, 51), r.TxCtcss);
        visit(Field::range("TxDcs", 0, 1023), r.TxDcs);
        visit(Field::range("CustomCtcss", 0, 2600), r.CustomCtcss);
        visit(Field::range("Contact", 0, 9999), r.Contact);
        visit(Field::range("RadioId", -1, 249), r.RadioId);
        visit(Field::bits("Nibble25Lo", 4), r.Nibble25Lo);
        visit(Field::bits("Nibble26Lo", 4), r.Nibble26Lo);
        visit(Field::bits("Nibble25Hi", 4), r.Nibble25Hi);
        visit(Field::range("RxGroup", 0, 250), r.RxGroup);
        visit(Field::bits("OptSignal", 4), r.OptSignal);
        visit(Field::range("TwoToneId", 0, 255), r.TwoToneId);
        visit(Field::range("FiveToneId", 0, 255), r.FiveToneId);
        visit(Field::range("DtmfId", 0, 255), r.DtmfId);
        visit(Field::range("Byte32", 0, 255), r.Byte32);
        visit(Field::flag("Flag33_0"), r.Flag33_0);
        visit(Field::bits("Field33_2", 2), r.Field33_2);
        visit(Field::flag("Flag33_4"), r.Flag33_4);
        visit(Field::unencoded("Unencoded2"), r.Unencoded2);
        visit(Field::range("Byte57", 0, 255), r.Byte57);
        visit(Field::flag("Flag33_7"), r.Flag33_7);
        visit(Field::unencoded("Unencoded3"), r.Unencoded3);
        visit(Field::flag("Flag33_6"), r.Flag33_6);
        visit(Field::text("Name", 16), r.Name);
        visit(Field::range("ContactRaw", -1, 9999), r.ContactRaw);
        visit(Field::unencoded("Unencoded4"), r.Unencoded4);
        visit(Field::range("TwoToneDecode", 0, 16), r.TwoToneDecode);
        visit(Field::flag("Flag33_5"), r.Flag33_5);
        visit(Field::any("Byte52"), r.Byte52);
        visit(Field::any("Byte53"), r.Byte53);
        visit(Field::any("Byte54"), r.Byte54);
        visit(Field::any("Byte55"), r.Byte55);
        visit(Field::flag("Flag56_0"), r.Flag56_0);
        visit(Field::flag("Flag56_1"), r.Flag56_1);
        visit(Field::any("Byte34"), r.Byte34);
        visit(Field::flag("Flag56_2"), r.Flag56_2);
        visit(Field::any("ScanLists"), r.ScanLists); // 0..15, or 0xFF for none
        visit(Field::flag("Flag56_3"), r.Flag56_3);
        visit(Field::flag("Flag56_4"), r.Flag56_4);
        visit(Field::flag("Flag56_5"), r.Flag56_5);
        visit(Field::any("Byte58"), r.Byte58);
        visit(Field::any("Byte59"), r.Byte59);
    }
};

} // namespace r605
