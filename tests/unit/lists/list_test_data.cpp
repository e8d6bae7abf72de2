#include "list_test_data.h"

#include "schema/new_codeplug.h"
#include "test_support.h"

#include <string>
#include <tuple>

namespace r605::test {

ListContext listContext(int languageIndex, bool toolMode) {
    ListContext context;
    context.language = Language::load(sourceDataFolder(), languageIndex);
    context.toolMode = toolMode;
    context.bands = *bandRangesForCode(0);
    context.defaultChannel = defaultChannel();
    return context;
}

ChannelRec defaultChannel() {
    return BuiltInDefaultChannel(*bandRangesForCode(0));
}

Codeplug emptyCodeplug() {
    Codeplug codeplug = NumberedEmptyCodeplug();
    for (ChannelRec& channel : codeplug.Channel) {
        const std::int16_t number = channel.Number;
        channel = defaultChannel();
        channel.Number = number;
        channel.Used = 0;
    }
    return codeplug;
}

Codeplug sampleCodeplug() {
    Codeplug c = emptyCodeplug();
    // Radio IDs 1, 2 and 5.
    for (const auto& [entry, id, name] :
         {std::tuple{0, 1234567, "Base"}, std::tuple{1, 99999999, "Mobile, 2"},
          std::tuple{4, 0, "移动台"}}) {
        PersonRec& person = c.Person[static_cast<std::size_t>(entry)];
        person.Used = 1;
        person.Id = id;
        person.Name = name;
        person.Byte4 = static_cast<std::int16_t>(entry + 1); // not in the list: kept
    }
    // Contacts at scattered entries, the last one at the end of the table.
    const auto contact = [&](std::size_t entry, int id, int callType, std::string name) {
        ContactRec& r = c.Contact[entry];
        r.Used = 1;
        r.Id = id;
        r.CallType = static_cast<std::int16_t>(callType);
        r.Name = std::move(name);
        r.Callsign = "BG" + std::to_string(entry);
        r.City = "City \"" + std::to_string(entry) + "\"";
        r.State = "St, " + std::to_string(entry);
        r.Country = "中国";
        r.Remarks = entry % 2 ? "" : 'r' + std::to_string(entry);
        r.Byte80 = static_cast<std::int16_t>(entry % 2);
    };
    contact(0, 1, 1, "All Group");
    contact(1, 460001, 0, "Wang, Wei");
    contact(2, 91, 1, "TG \"91\"");
    contact(7, 16777215, 2, "全呼");
    contact(9999, 3100, 1, "TG 3100");
    // Channels: slots 0, 1, 2, 5 and 255.
    const auto channel = [&](std::size_t entry, std::string name, double rx) -> ChannelRec& {
        ChannelRec& r = c.Channel[entry];
        r.Used = 1;
        r.Name = std::move(name);
        r.RxFreq = rx;
        return r;
    };
    ChannelRec& ch1 = channel(0, "CH 1", 438.5);
    ch1.Offset = 5.0;
    ch1.ChType = 0;
    ch1.Power = ch1.Bandwidth = ch1.RxToneType = ch1.Nibble26Lo = ch1.OptSignal = 1;
    ch1.Flag9_4 = ch1.Flag9_5 = ch1.Flag56_1 = 1;
    ch1.OffsetDir = ch1.TxToneType = ch1.DtmfId = 2;
    ch1.Nibble25Hi = ch1.Nibble25Lo = 3;
    ch1.RxCtcss = 12;
    ch1.TxDcs = 531; // D023I
    ch1.ScanLists = {0, 2, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    // Fields no column carries: a line that gives the channel's number keeps them.
    ch1.TwoToneDecode = 3;
    ch1.Byte57 = 200;
    ch1.Flag56_5 = 1;
    ChannelRec& ch2 = channel(1, "Repeater, \"A\"", 439.98750);
    ch2.Offset = 0.6;
    ch2.OffsetDir = ch2.ChType = ch2.RadioId = 1;
    ch2.Contact = ch2.RxGroup = 2;
    ch2.Byte32 = 7;
    ch2.Flag33_0 = ch2.Flag33_4 = ch2.Flag33_5 = ch2.Flag33_6 = ch2.Flag56_0 = ch2.Flag56_2 = 1;
    ch2.ScanLists = {2, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    ChannelRec& ch3 = channel(2, "信道三", 400.0);
    ch3.ChType = 2;
    ch3.Power = 3;
    ch3.RxToneType = ch3.TxToneType = 1;
    ch3.RxCtcss = ch3.TxCtcss = 51; // the user-defined tone
    ch3.CustomCtcss = 1234;
    ch3.Contact = 9999;
    ch3.RadioId = 4;
    ch3.TwoToneId = 5;
    ch3.FiveToneId = 6;
    ch3.Flag9_6 = ch3.Flag9_7 = 1;
    ChannelRec& ch6 = channel(5, "Simplex 6", 479.99995);
    ch6.ChType = 3;
    ch6.Contact = 7;
    ch6.Bandwidth = 3;
    ChannelRec& ch256 = channel(255, "Last", 446.00625);
    ch256.RadioId = 0;
    ch256.Contact = 1;
    // Zones 1 and 3.
    c.Zone[0] = ZoneRec{1, 1, 3, c.Zone[0].Members, 1, 5, "Zone, one"};
    setFront(c.Zone[0].Members, {0, 1, 5});
    c.Zone[2] = ZoneRec{3, 1, 2, c.Zone[2].Members, 255, 2, "区域三"};
    setFront(c.Zone[2].Members, {255, 2});
    // Scan lists 1 and 3, their members in zones (the first zone holding each).
    ScanListRec& scan1 = c.ScanList[0];
    scan1.Used = 1;
    scan1.Name = "Scan \"A\"";
    scan1.Byte38 = scan1.Byte39 = 1;
    scan1.Priority1 = 2;
    scan1.Priority2 = 256;
    scan1.Byte44 = 10;
    scan1.Byte45 = 20;
    scan1.Byte46 = 30;
    scan1.Byte47 = 40;
    scan1.Byte48 = 50;
    scan1.Count = 3;
    setFront(scan1.Members, {1, 255, 0});
    setFront(scan1.MemberZones, {0, 2, 0});
    ScanListRec& scan3 = c.ScanList[2];
    scan3.Used = 1;
    scan3.Name = "扫描";
    scan3.Count = 1;
    setFront(scan3.Members, {2});
    setFront(scan3.MemberZones, {2});
    // Receive group lists 2 and 250.
    RxGroupRec& group2 = c.RxGroup[1];
    group2.Used = 1;
    group2.Name = "Group list with a long name, 35 b";
    group2.Count = 3;
    setFront(group2.Members, {0, 2, 9999});
    RxGroupRec& group250 = c.RxGroup[249];
    group250.Used = 1;
    group250.Name = "Last group";
    group250.Count = 1;
    setFront(group250.Members, {2});
    // The settings' second channel names a channel of odd type, as the channel repair keeps it.
    c.Settings.ChannelRef2 = 1;
    // DTMF codes 1 and 16.
    c.Dtmf.Codes[0] = DigitCode{"12345", 5};
    c.Dtmf.Codes[15] = DigitCode{"ABCDEF0123456789", 16};
    // Phone book entries 1 and 128, quick texts 1 and 100, 2-tone codes 3 and 16 (a name that no
    // list carries, kept by the import).
    c.PhoneBook[0] = PhoneBookRec{1, 1, "*12#", "Office, \"HQ\""};
    c.PhoneBook[127] = PhoneBookRec{128, 1, "0123456789012345", "家"};
    c.TextMessage3[0].Used = 1;
    c.TextMessage3[0].Text = "On my way, \"5 min\"";
    c.TextMessage3[0].CallId = 1234; // not in the list: kept
    c.TextMessage3[99].Used = 1;
    c.TextMessage3[99].Text = std::string(70, 'x') + "，收到" + std::string(60, 'y');
    c.TwoToneEntry[2] = TwoToneEntryRec{3, 1, 3000, 12345, "Pair 3"};
    c.TwoToneEntry[15] = TwoToneEntryRec{16, 1, 0, 32767, ""};
    c.TwoToneEntry[4].Name = "Unused pair";
    return c;
}

} // namespace r605::test
