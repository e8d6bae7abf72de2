#include "model/new_codeplug.h"

#include "model/default_names.h"

namespace r605 {

namespace {

constexpr std::int16_t kDcsD021N = 17;

// Every record numbered by its place and not in use.
template <class TableT> void numberRecords(TableT& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = typename TableT::value_type{};
        table[i].Number = static_cast<decltype(table[i].Number)>(i + 1);
    }
}

void resetTables(Codeplug& codeplug) {
    for (std::size_t n = 0; n < kChannelCount; ++n) {
        ChannelRec& channel = codeplug.Channel[n];
        channel.Number = static_cast<std::int16_t>(n + 1);
        channel.Used = 0;
        channel.ContactRaw = -1;
        channel.Unencoded4 = -1;
    }
    for (std::size_t n = 0; n < kPersonCount; ++n) {
        codeplug.Person[n] = PersonRec{};
        codeplug.Person[n].Number = static_cast<std::int16_t>(n + 1);
    }
    for (std::size_t z = 0; z < kZoneCount; ++z) {
        codeplug.Zone[z] = ZoneRec{};
        codeplug.Zone[z].Number = static_cast<std::int16_t>(z + 1);
    }
    for (std::size_t s = 0; s < kScanListCount; ++s) {
        codeplug.ScanList[s] = ScanListRec{};
        codeplug.ScanList[s].Number = static_cast<std::int16_t>(s + 1);
    }
    for (std::size_t i = 0; i < kContactCount; ++i) {
        ContactRec& contact = codeplug.Contact[i];
        contact = ContactRec{};
        contact.Number = static_cast<std::int32_t>(i + 1);
        contact.Id = contact.Number;
    }
    for (std::size_t g = 0; g < kRxGroupCount; ++g) {
        codeplug.RxGroup[g] = RxGroupRec{};
        codeplug.RxGroup[g].Number = static_cast<std::int16_t>(g + 1);
    }
    for (RoamChannelRec& channel : codeplug.RoamChannel)
        channel.Used = 0;
    for (std::size_t z = 0; z < kRoamZoneCount; ++z) {
        codeplug.RoamZone[z].Number = static_cast<std::int16_t>(z + 1);
        codeplug.RoamZone[z].Used = 0;
    }
    for (EmgCodeRec& code : codeplug.EMG_Code)
        code = EmgCodeRec{65535, 65535};
    numberRecords(codeplug.PhoneBook);
    numberRecords(codeplug.CallLog1);
    numberRecords(codeplug.CallLog2);
    numberRecords(codeplug.CallLog3);
    numberRecords(codeplug.TextMessage1);
    numberRecords(codeplug.TextMessage2);
    numberRecords(codeplug.TextMessage3);
    numberRecords(codeplug.TextMessage4);
    // The fourth message list keeps each entry's own position beside its number.
    for (std::size_t i = 0; i < codeplug.TextMessage4.size(); ++i)
        codeplug.TextMessage4[i].Index = static_cast<std::int16_t>(i);
    numberRecords(codeplug.Recording);
    numberRecords(codeplug.RecordingIndex);
    numberRecords(codeplug.TwoToneEntry);
    for (RepeaterOffsetRec& offset : codeplug.RepeaterOffset)
        offset = RepeaterOffsetRec{};
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
    channel.Name = MakeUniqueName(codeplug, number - 1, "CH " + ChannelDisplayNumber(0, number), 16,
                                  kFamilyChannel);
    codeplug.Channel[static_cast<std::size_t>(number - 1)] = std::move(channel);
}

Codeplug NewCodeplug(int bandCode, const BandRanges& ranges) {
    return NewCodeplug(bandCode, ranges, BuiltInDefaultChannel(ranges));
}

Codeplug NewCodeplug(int bandCode, const BandRanges& ranges, const ChannelRec& channelTemplate) {
    Codeplug codeplug;
    codeplug.Header = CodeplugHeader{"R600MK", static_cast<std::int16_t>(bandCode), "V110"};
    setDtmfDefaults(codeplug.Dtmf);
    setAprsDefaults(codeplug.Aprs);
    // The APRS companion listens where the APRS record sends.
    codeplug.AprsCompanion = AprsCompanionRec{};
    codeplug.AprsCompanion.RxFrequency = codeplug.Aprs.Frequency;
    codeplug.AprsCompanion.Ctcss = codeplug.Aprs.Ctcss;
    codeplug.AprsCompanion.Dcs = codeplug.Aprs.Dcs;
    resetTables(codeplug);

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
