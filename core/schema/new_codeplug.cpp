#include "schema/new_codeplug.h"

#include "schema/default_names.h"
#include "schema/family_tables.h"

namespace r605 {

namespace {

constexpr std::int16_t kDcsD021N = 17;

// What a new codeplug holds beyond empty numbered tables: the encryption codes 65535.
void resetNewTables(Codeplug& codeplug) {
    ResetToNumberedEmpty(codeplug);
    for (EmgCodeRec& code : codeplug.EMG_Code)
        code = EmgCodeRec{65535, 65535};
}

void setDtmfDefaults(DtmfRec& dtmf) {
    dtmf = DtmfRec{};
    dtmf.Set0 = 14;
    dtmf.Set1 = 10;
    dtmf.Set2 = 0;
    dtmf.Set3 = 20;
    dtmf.Set4 = 20;
    dtmf.Set5 = 0;
    dtmf.IdDigits = "000";
    dtmf.Set9 = 0;
    dtmf.Set10 = 20;
    dtmf.Set11 = 10;
    dtmf.Unencoded1 = 1;
    dtmf.Set12 = 10;
    dtmf.Set13 = 10;
}

void setAprsDefaults(AprsRec& aprs) {
    aprs = AprsRec{};
    aprs.Frequency = 145.0;
    aprs.Ctcss = 0;
    aprs.Dcs = kDcsD021N;
    aprs.LatDegrees = 23;
    aprs.LonDegrees = 113;
    aprs.Destination = "APDR10";
    aprs.SourceCall = "XZ0ABC";
    aprs.SourceSsid = 0;
    aprs.Path = "WIDE1-1,WIDE2-1";
    aprs.SymbolTable = '/';
    aprs.Symbol = '[';
    aprs.Text = "APRSCN";
}

} // namespace

void ResetToNumberedEmpty(Codeplug& codeplug) {
    forEachFamily(codeplug, [](const FamilyInfo&, auto& member) {
        using M = std::remove_cvref_t<decltype(member)>;
        if constexpr (!kIsTable<M>) {
            member = M{};
        } else {
            for (std::size_t i = 0; i < member.size(); ++i) {
                auto& record = member[i];
                record = typename M::value_type{};
                if constexpr (requires { record.Number; })
                    record.Number = static_cast<decltype(record.Number)>(i + 1);
            }
        }
    });
    for (ContactRec& contact : codeplug.Contact)
        contact.Id = contact.Number;
    for (std::size_t i = 0; i < codeplug.TextMessage4.size(); ++i)
        codeplug.TextMessage4[i].Index = static_cast<std::int16_t>(i);
}

Codeplug NumberedEmptyCodeplug() {
    Codeplug codeplug;
    ResetToNumberedEmpty(codeplug);
    return codeplug;
}

std::string ChannelDisplayNumber(int kind, int number) {
    if (kind == 0 && number >= 257)
        return std::string("VFO ") + static_cast<char>('A' + (number - 257));
    return std::to_string(number);
}

ChannelRec BuiltInDefaultChannel(const BandRanges& ranges) {
    ChannelRec channel;
    channel.RxFreq = bandCentre(ranges, 0);
    channel.OffsetDir = 0;
    channel.Offset = 0;
    channel.Name = "Channel 1";
    channel.Used = 1;
    channel.ChType = 1;
    channel.Power = 2;
    channel.RxDcs = kDcsD021N;
    channel.TxDcs = kDcsD021N;
    channel.CustomCtcss = 2511;
    channel.Byte32 = 1;
    channel.ScanLists.fill(0xFF);
    return channel;
}

void ApplyDefaultChannel(Codeplug& codeplug, const ChannelRec& channelTemplate, int number,
                         double rxFreq, int offsetDir, double offset) {
    if (number < 1 || static_cast<std::size_t>(number) > kChannelCount)
        return;
    ChannelRec channel = channelTemplate;
    channel.Number = static_cast<std::int16_t>(number);
    channel.RxFreq = rxFreq;
    channel.OffsetDir = static_cast<std::int16_t>(offsetDir);
    channel.Offset = offset;
    channel.Used = 1;
    channel.Byte59 = 1;
    channel.Name = MakeUniqueName(codeplug, Family::Channel, static_cast<std::size_t>(number - 1),
                                  "CH " + ChannelDisplayNumber(0, number));
    codeplug.Channel[static_cast<std::size_t>(number - 1)] = std::move(channel);
}

Codeplug NewCodeplug(int bandCode, const BandRanges& ranges) {
    return NewCodeplug(bandCode, ranges, BuiltInDefaultChannel(ranges));
}

Codeplug NewCodeplug(int bandCode, const BandRanges& ranges, const ChannelRec& channelTemplate) {
    Codeplug codeplug;
    resetNewTables(codeplug);
    codeplug.Header = CodeplugHeader{"R600MK", static_cast<std::int16_t>(bandCode), "V110"};
    setDtmfDefaults(codeplug.Dtmf);
    setAprsDefaults(codeplug.Aprs);
    // The APRS companion listens where the APRS record sends.
    codeplug.AprsCompanion = AprsCompanionRec{};
    codeplug.AprsCompanion.RxFrequency = codeplug.Aprs.Frequency;
    codeplug.AprsCompanion.Ctcss = codeplug.Aprs.Ctcss;
    codeplug.AprsCompanion.Dcs = codeplug.Aprs.Dcs;

    RoamChannelRec& roam = codeplug.RoamChannel[0];
    roam.Used = 1;
    roam.Name = "Roam Channel 1";
    roam.RxFreq = bandCentre(ranges, 0);
    roam.TxFreq = roam.RxFreq - 0.1;
    roam.Byte20 = 0;
    roam.Byte21 = 0;
    RoamZoneRec& roamZone = codeplug.RoamZone[0];
    roamZone.Used = 1;
    roamZone.Name = "Roam Zone 1";
    roamZone.Count = 1;
    roamZone.Members[0] = 0;

    ApplyDefaultChannel(codeplug, channelTemplate, 1, bandCentre(ranges, 0), 0, 0);
    ApplyDefaultChannel(codeplug, channelTemplate, 2, bandCentre(ranges, 1), 0, 0);

    ContactRec& contact = codeplug.Contact[0];
    contact.Used = 1;
    contact.CallType = 1;
    contact.Id = 1;
    contact.Name = "Contact 1";
    contact.City = "Unknown";
    return codeplug;
}

Result<Codeplug> NewCodeplug(int bandCode) {
    auto ranges = bandRangesForCode(bandCode);
    if (!ranges)
        return ranges.error();
    return NewCodeplug(bandCode, *ranges);
}

} // namespace r605
