#include "schema/sample_codeplug.h"

#include "schema/new_codeplug.h"

#include <random>
#include <string>
#include <string_view>

namespace r605 {

namespace {

class Filler {
public:
    explicit Filler(std::uint32_t seed) : m_random(seed) {}

    // A whole number from low to high inclusive.
    int in(int low, int high) {
        return low + static_cast<int>(m_random() % static_cast<std::uint32_t>(high - low + 1));
    }
    bool flag() { return in(0, 1) == 1; }

    // A text of exactly `bytes` code-page-936 bytes; every fifth is Chinese. It never ends in a
    // blank, which the trimming rule would remove.
    std::string text(std::size_t bytes) {
        static constexpr std::string_view kLatin =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -_.#/";
        static constexpr std::string_view kChinese[] = {"中", "文", "频", "道", "联", "系",
                                                        "人", "北", "京", "上", "海", "区"};
        std::string result;
        if (in(0, 4) == 0) {
            for (std::size_t i = 0; i + 2 <= bytes; i += 2)
                result += kChinese[in(0, 11)];
            if (bytes % 2 == 1)
                result += 'X';
            return result;
        }
        for (std::size_t i = 0; i < bytes; ++i) {
            char c = kLatin[static_cast<std::size_t>(in(0, static_cast<int>(kLatin.size()) - 1))];
            if (c == ' ' && (i == 0 || i + 1 == bytes))
                c = 'Q';
            result += c;
        }
        return result;
    }

    std::string hex(std::size_t digits) {
        static constexpr std::string_view kHex = "0123456789ABCDEF";
        std::string result;
        for (std::size_t i = 0; i < digits; ++i)
            result += kHex[static_cast<std::size_t>(in(0, 15))];
        return result;
    }

    // A frequency of the range on the 50 Hz raster.
    double frequency(const BandRange& range) {
        const auto low = static_cast<int>(range.rxLow * 100000.0 / 5.0 + 0.5);
        const auto high = static_cast<int>(range.rxHigh * 100000.0 / 5.0);
        return in(low, high) * 5 / 100000.0;
    }

    template <std::size_t N> void bytes(std::array<std::uint8_t, N>& out) {
        for (std::uint8_t& byte : out)
            byte = static_cast<std::uint8_t>(in(0, 255));
    }

private:
    std::mt19937 m_random;
};

std::int16_t i16(int value) {
    return static_cast<std::int16_t>(value);
}
std::uint8_t u8(int value) {
    return static_cast<std::uint8_t>(value);
}

void fillChannel(Filler& f, const BandRange& range, ChannelRec& c) {
    c.Used = 1;
    c.RxFreq = f.frequency(range);
    const double tx = f.frequency(range);
    const auto rxUnits = static_cast<long>(c.RxFreq * 100000.0 + 0.5);
    const auto txUnits = static_cast<long>(tx * 100000.0 + 0.5);
    c.OffsetDir = i16(txUnits == rxUnits ? 0 : (txUnits > rxUnits ? 1 : 2));
    c.Offset =
        static_cast<double>(txUnits > rxUnits ? txUnits - rxUnits : rxUnits - txUnits) / 100000.0;
    c.ChType = i16(f.in(0, 3));
    c.Power = i16(f.in(0, 3));
    c.Bandwidth = i16(f.in(0, 3));
    c.Flag9_4 = i16(f.flag());
    c.Flag9_5 = i16(f.flag());
    c.Flag9_6 = i16(f.flag());
    c.Flag9_7 = i16(f.flag());
    c.RxToneType = i16(f.in(0, 2));
    c.RxCtcss = i16(f.in(0, 51));
    c.RxDcs = i16(f.in(0, 1023));
    c.TxToneType = i16(f.in(0, 2));
    c.TxCtcss = i16(f.in(0, 51));
    c.TxDcs = i16(f.in(0, 1023));
    c.CustomCtcss = i16(f.in(500, 2600));
    c.Contact = f.in(0, static_cast<int>(kContactCount) - 1);
    c.ContactRaw = c.Contact;
    c.RadioId = i16(f.in(0, static_cast<int>(kPersonCount) - 1));
    c.Nibble25Lo = i16(f.in(0, 15));
    c.Nibble26Lo = i16(f.in(0, 15));
    c.Nibble25Hi = i16(f.in(0, 15));
    c.RxGroup = i16(f.in(0, 250));
    c.OptSignal = i16(f.in(0, 3));
    c.TwoToneId = i16(f.in(0, 23));
    c.FiveToneId = i16(f.in(0, 99));
    c.DtmfId = i16(f.in(0, 15));
    c.Byte32 = i16(f.in(0, 255));
    c.Flag33_0 = i16(f.flag());
    c.Field33_2 = i16(f.in(0, 3));
    c.Flag33_4 = i16(f.flag());
    c.Byte57 = i16(f.in(0, 255));
    c.Flag33_7 = i16(f.flag());
    c.Flag33_6 = i16(f.flag());
    c.Name = f.text(16);
    c.TwoToneDecode = i16(f.in(0, 16));
    c.Flag33_5 = u8(f.flag());
    c.Byte52 = u8(f.in(0, 255));
    c.Byte53 = u8(f.in(0, 255));
    c.Byte54 = u8(f.in(0, 255));
    c.Byte55 = u8(f.in(0, 255));
    c.Flag56_0 = u8(f.flag());
    c.Flag56_1 = u8(f.flag());
    c.Byte34 = u8(f.in(0, 255));
    c.Flag56_2 = u8(f.flag());
    c.ScanLists.fill(0xFF);
    const int lists = f.in(0, 8);
    for (int k = 0; k < lists; ++k)
        c.ScanLists[static_cast<std::size_t>(k)] = u8(f.in(0, 15));
    c.Flag56_3 = u8(f.flag());
    c.Flag56_4 = u8(f.flag());
    c.Flag56_5 = u8(f.flag());
    c.Byte58 = u8(f.in(0, 255));
    c.Byte59 = u8(f.in(0, 255));
}

void fillContact(Filler& f, ContactRec& c) {
    c.Used = 1;
    c.CallType = i16(f.in(0, 3));
    c.Name = f.text(16);
    c.City = f.text(15);
    c.Id = f.in(1, 16777215);
    c.Byte80 = i16(f.in(0, 3));
    c.Callsign = f.text(8);
    c.State = f.text(16);
    c.Country = f.text(16);
    c.Remarks = f.text(16);
}

void fillDtmf(Filler& f, DtmfRec& d) {
    const auto code = [&f]() {
        const int count = f.in(0, 16);
        return DigitCode{f.hex(static_cast<std::size_t>(count)), i16(count)};
    };
    for (DigitCode& entry : d.Codes)
        entry = code();
    d.Code16 = code();
    d.Code17 = code();
    d.Code18 = code();
    d.Code19 = code();
    d.Set0 = i16(f.in(10, 15));
    d.Set1 = i16(f.in(10, 15));
    d.Set2 = i16(f.in(0, 2));
    d.Set3 = i16(f.in(0, 255));
    d.Set4 = i16(f.in(0, 250));
    d.Set5 = i16(f.in(0, 255));
    d.IdDigits.clear();
    const int idLength = f.in(0, 3);
    for (int k = 0; k < idLength; ++k)
        d.IdDigits += static_cast<char>('0' + f.in(0, 9));
    d.Set9 = i16(f.in(0, 255));
    d.Set10 = i16(f.in(0, 255));
    d.Set11 = i16(f.in(0, 255));
    d.Set12 = i16(f.in(0, 255));
    d.Set13 = i16(f.in(0, 255));
}

} // namespace

Codeplug SampleFullCodeplug(int bandCode, const BandRanges& ranges, std::uint32_t seed) {
    Filler f(seed);
    Codeplug cp = NewCodeplug(bandCode, ranges);
    const BandRange& range = ranges.range[0];

    for (ChannelRec& channel : cp.Channel)
        fillChannel(f, range, channel);
    for (PersonRec& person : cp.Person) {
        person.Used = 1;
        person.Id = f.in(1, 16776415);
        person.Byte4 = i16(f.in(0, 255));
        person.Name = f.text(16);
    }
    for (std::size_t z = 0; z < kZoneCount; ++z) {
        ZoneRec& zone = cp.Zone[z];
        zone.Used = 1;
        zone.Count = kZoneMembers;
        for (std::int16_t& member : zone.Members)
            member = i16(f.in(0, static_cast<int>(kChannelCount) - 1));
        zone.Selected1 = zone.Members[0];
        zone.Selected2 = zone.Members[1];
        zone.Name = f.text(16);
    }
    for (ScanListRec& list : cp.ScanList) {
        list.Used = 1;
        list.Name = f.text(16);
        list.Byte38 = u8(f.in(0, 255));
        list.Byte39 = u8(f.in(0, 255));
        list.Priority1 = i16(f.in(0, 256));
        list.Priority2 = i16(f.in(0, 256));
        list.Byte44 = u8(f.in(0, 255));
        list.Byte45 = u8(f.in(0, 255));
        list.Byte46 = u8(f.in(0, 255));
        list.Byte47 = u8(f.in(0, 255));
        list.Byte48 = u8(f.in(0, 255));
        list.Count = kScanListMembers;
        for (std::size_t k = 0; k < kScanListMembers; ++k) {
            list.Members[k] = i16(f.in(0, static_cast<int>(kChannelCount) - 1));
            list.MemberZones[k] = i16(f.in(-1, static_cast<int>(kZoneCount) - 1));
        }
    }
    for (ContactRec& contact : cp.Contact)
        fillContact(f, contact);
    for (RxGroupRec& group : cp.RxGroup) {
        group.Used = 1;
        group.Name = f.text(35);
        group.Count = kRxGroupMembers;
        for (std::int32_t& member : group.Members)
            member = f.in(0, static_cast<int>(kContactCount) - 1);
    }
    for (RoamChannelRec& channel : cp.RoamChannel) {
        channel.Used = 1;
        channel.RxFreq = f.frequency(range);
        channel.TxFreq = f.frequency(range);
        channel.Byte20 = u8(f.in(0, 255));
        channel.Byte21 = u8(f.in(0, 255));
        channel.Name = f.text(16);
    }
    for (RoamZoneRec& zone : cp.RoamZone) {
        zone.Used = 1;
        zone.Name = f.text(16);
        zone.Count = kRoamZoneMembers;
        for (std::int16_t& member : zone.Members)
            member = i16(f.in(0, static_cast<int>(kRoamChannelCount) - 1));
    }
    fillDtmf(f, cp.Dtmf);
    for (EmgCodeRec& code : cp.EMG_Code)
        code = EmgCodeRec{f.in(0, 65535), f.in(0, 65535)};
    for (AesKeyRec& key : cp.AesKey)
        key = AesKeyRec{0, u8(f.in(1, 255)), f.hex(64), u8(f.in(0, 255))};
    for (Arc4KeyRec& key : cp.Arc4Key)
        key = Arc4KeyRec{0, u8(f.in(1, 255)), f.hex(10)};
    for (QuickCallRec& call : cp.QuickCall)
        call = QuickCallRec{i16(f.in(0, 3)), f.in(0, static_cast<int>(kContactCount)),
                            i16(f.in(0, 9))};
    cp.Settings.ChannelRef1 = i16(f.in(0, 255));
    cp.Settings.ChannelRef2 = i16(f.in(0, 255));
    cp.Settings.ZoneRef = i16(f.in(0, 15));
    cp.Settings.ProgramPassword = f.hex(4);
    cp.Settings.SetRadioClock = i16(f.flag());
    cp.EmbeddedInfo.SerialNumber = f.text(16);
    cp.EmbeddedInfo.Description = f.text(80);
    cp.EmbeddedInfo.Counter = f.in(0, 1000000);
    cp.EmbeddedInfo.Model = "R600MK";
    for (AlertTonePattern& pattern : cp.AlertTonePatterns) {
        pattern.RepeatCount = i16(f.in(1, 10));
        pattern.RepeatInterval = i16(f.in(0, 255));
        for (std::size_t step = 0; step < kAlertToneSteps; ++step) {
            pattern.ToneFreq[step] = i16(f.in(0, 1) ? f.in(40, 255) : 0);
            pattern.ToneDur[step] = i16(f.in(0, 255));
        }
    }
    for (std::int16_t& tone : cp.UserToneSet)
        tone = i16(f.in(2885, 31060));
    const auto fillRaw = [&f](auto& areas) {
        std::remove_reference_t<decltype(areas)>::describe(
            areas, [&f](const Field&, auto& bytes) { f.bytes(bytes); });
    };
    fillRaw(cp.Option);
    fillRaw(cp.FiveTone);
    fillRaw(cp.TwoTone);
    fillRaw(cp.Alarm);
    fillRaw(cp.OneKey);
    return cp;
}

} // namespace r605
