// The .rdt format: layout, round trips of random codeplugs in both text forms, the repairs of
// faults a load resolves, and the refusal of files that are foreign, old, damaged or cut short.
#include "codeplug_diff.h"
#include "file/packed_record.h"
#include "file/rdt_format.h"
#include "model/packed_size.h"
#include "random_codeplug.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace r605 {
namespace {

constexpr std::size_t kHeaderStart = 12;

std::size_t directoryStart() {
    return kHeaderStart + HeaderRecordSize();
}
std::size_t blocksStart() {
    return directoryStart() + 400;
}

std::int32_t getLe32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(value);
}
void putLe32(std::string& bytes, std::size_t at, std::int32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
}
void putLe16(std::string& bytes, std::size_t at, std::int16_t value) {
    bytes[at] = static_cast<char>(static_cast<std::uint16_t>(value) & 0xFF);
    bytes[at + 1] = static_cast<char>(static_cast<std::uint16_t>(value) >> 8);
}
std::int32_t directoryCount(const std::string& bytes, std::size_t slot) {
    return getLe32(bytes, directoryStart() + 4 * slot);
}

std::string encode(const Codeplug& codeplug, ContactTextForm form = ContactTextForm::Gbk) {
    EncodedCodeplugFile encoded = EncodeCodeplugFile(codeplug, form);
    EXPECT_TRUE(encoded.warnings.empty());
    return std::move(encoded.bytes);
}

std::string warningTexts(const std::vector<Error>& warnings) {
    std::string text;
    for (const Error& warning : warnings)
        text += warning.text + "\n";
    return text;
}

// A small codeplug: channels 2 and 5, zone 1, scan list 1, contacts 1 and 4.
Codeplug smallCodeplug() {
    Codeplug codeplug = NumberedEmptyCodeplug();
    codeplug.Channel[1].Used = 1;
    codeplug.Channel[1].RxFreq = 438.5;
    codeplug.Channel[1].Name = "Two";
    codeplug.Channel[4].Used = 1;
    codeplug.Channel[4].Name = "Five";
    codeplug.Zone[0].Used = 1;
    codeplug.Zone[0].Count = 2;
    test::setFront(codeplug.Zone[0].Members, {1, 4});
    codeplug.ScanList[0].Used = 1;
    codeplug.Contact[0].Used = 1;
    codeplug.Contact[0].CallType = 1;
    codeplug.Contact[0].Name = "Group";
    codeplug.Contact[3].Used = 1;
    codeplug.Contact[3].Name = "Four";
    return codeplug;
}

// Refused with the message `key`, whose detail names the fault.
bool refusedWith(const std::string& bytes, int key, std::string_view fault = {}) {
    auto decoded = DecodeCodeplugFile(bytes);
    return !decoded.ok() && decoded.error().key && decoded.error().key->number == key &&
           decoded.error().text.find(fault) != std::string::npos;
}

TEST(RdtFormat, RecordsAndHeaderHaveTheirFileSizes) {
    // The header and settings record holds every single record; its size is part of the format.
    EXPECT_EQ(HeaderRecordSize(), 8157u);
    EXPECT_EQ(
        (std::vector<std::size_t>{packedSize<PhoneBookRec>(), packedSize<CallLogRec>(),
                                  packedSize<TextMessageRec>(), packedSize<RecordingRec>(),
                                  packedSize<RecordingIndexRec>(), packedSize<RepeaterOffsetRec>(),
                                  packedSize<TwoToneEntryRec>(), packedSize<AprsCompanionRec>(),
                                  packedSize<AprsRec>()}),
        (std::vector<std::size_t>{36, 44, 168, 34, 8, 8, 24, 120, 142}));
    // A record is written field after field, texts blank-padded in code page 936.
    const PersonRec person{3, 1, 0x01020304, -2, "中A"};
    std::string bytes;
    PackedWriter writer(bytes);
    writer.putRecord(person);
    EXPECT_EQ(test::hex(test::bytesOf(bytes)), "03 00 01 00 04 03 02 01 FE FF D6 D0 41 20 20 20 20 "
                                               "20 20 20 20 20 20 20 20 20");
    PersonRec back;
    PackedReader reader(bytes);
    ASSERT_TRUE(reader.getRecord(back));
    EXPECT_EQ(back, person);
}

TEST(RdtFormat, FileStartsWithVersionTagHeaderAndDirectory) {
    Codeplug codeplug = smallCodeplug();
    codeplug.Header.BandCode = 34;
    const std::string english = encode(codeplug, ContactTextForm::SevenBit);
    const std::string gbk = encode(codeplug, ContactTextForm::Gbk);
    // Version and text form, model family, band code 34 (0x22) as 16 bits, data version.
    EXPECT_EQ(english.substr(0, 26), std::string("V1020EnglishR600MK  \x22\0V110", 26));
    EXPECT_EQ(gbk.substr(0, 12), "V1020GBK    ");
    // The records in use of the channels (0), zones (2), scan lists (3), contacts (5) and none of
    // the others.
    EXPECT_EQ(test::mapped([&](std::size_t slot) { return directoryCount(english, slot); },
                           {0u, 2u, 3u, 5u, 6u, 14u, 17u, 50u, 99u}),
              (std::vector<std::int32_t>{2, 1, 1, 2, 0, 0, 0, 0, 0}));
    // Block 1: the two channels in table order, each with its Number.
    EXPECT_EQ(english[blocksStart()], 2);
    EXPECT_EQ(english[blocksStart() + packedSize<ChannelRec>()], 5);
    // Block 6 follows zones and scan lists: its length, then the entries and the closing byte.
    const std::size_t contactBlock = blocksStart() + 2 * packedSize<ChannelRec>() +
                                     packedSize<ZoneRec>() + packedSize<ScanListRec>();
    const std::int32_t length = getLe32(gbk, contactBlock);
    EXPECT_EQ(length, (6 + 6 + 5) + (6 + 5 + 5) + 1); // "Group", "Four", five empty texts each
    EXPECT_EQ(gbk[contactBlock + 4 + 3], 1);          // Number of the first entry
    EXPECT_EQ(gbk[contactBlock + 4 + 17 + 3], 4);     // and of the second
    // An empty codeplug: no counted record, a contact block of one byte, the whole blocks.
    const std::string empty = encode(NumberedEmptyCodeplug(), ContactTextForm::SevenBit);
    const std::size_t whole =
        32 * 8 + 250 * 8 + 16 * 24 + 120 + 142 + 255 * 67 + 250 * 36 + 64 * 150 + 255 * 12;
    EXPECT_EQ(empty.size(), blocksStart() + 4 + 1 + whole);
    EXPECT_EQ(getLe32(empty, blocksStart()), 1);
}

TEST(RdtFormat, RandomCodeplugsComeBackAsTheyWereSaved) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        for (const ContactTextForm form : {ContactTextForm::SevenBit, ContactTextForm::Gbk}) {
            test::RandomCodeplugOptions options;
            options.bandCode = seed % 2 == 0 ? 34 : 0;
            options.asciiContactTexts = form == ContactTextForm::SevenBit;
            options.usedPercent = static_cast<int>(20 * seed);
            const Codeplug codeplug = test::RandomCodeplug(seed, options);
            const std::string bytes = encode(codeplug, form);

            auto decoded = DecodeCodeplugFile(bytes);
            ASSERT_TRUE(decoded.ok()) << decoded.error().text;
            EXPECT_TRUE(decoded->warnings.empty());
            EXPECT_EQ(decoded->textForm, form);
            EXPECT_EQ(test::codeplugDifference(decoded->codeplug, codeplug), "") << seed;
            // Saving twice, and saving what was loaded, gives the same bytes.
            EXPECT_EQ(encode(codeplug, form), bytes);
            EXPECT_EQ(encode(decoded->codeplug, form), bytes);
        }
    }
}

// Contacts at scattered entries come back to them in the random round trips above.
TEST(RdtFormat, AContactClaimingATakenEntryMovesToTheFirstFreeOne) {
    Codeplug codeplug = NumberedEmptyCodeplug();
    for (std::size_t entry : {0u, 5u, 9u, 9999u}) {
        codeplug.Contact[entry].Used = 1;
        codeplug.Contact[entry].Name = "C" + std::to_string(entry);
    }
    std::string bytes = encode(codeplug);
    // The others stay where their Numbers say.
    const std::size_t contactBlock = blocksStart() + 4;
    const std::size_t entry = 6 + 3 + 5; // "C0" and five empty texts
    bytes[contactBlock + entry + 3] = 1; // the second entry claims Number 1 too
    auto decoded = DecodeCodeplugFile(bytes);
    ASSERT_TRUE(decoded.ok());
    const Table<ContactRec, kContactCount>& contacts = decoded->codeplug.Contact;
    EXPECT_EQ(test::mapped([&](std::size_t i) { return contacts[i].Name; }, {0u, 1u, 9u, 9999u}),
              (std::vector<std::string>{"C0", "C5", "C9", "C9999"}));
    EXPECT_EQ(contacts[1].Number, 2);
    EXPECT_EQ(contacts[5].Used, 0);
    EXPECT_EQ(warningTexts(decoded->warnings),
              "Contact block, record 2 \"C5\": Number 1 is already that of record 1; the record "
              "now has Number 2, the first free one\n");
}

TEST(RdtFormat, AShortContactBlockLoadsTheContactsBeforeItsEndWithAWarning) {
    Codeplug codeplug = NumberedEmptyCodeplug();
    for (std::size_t entry = 0; entry < 3; ++entry)
        codeplug.Contact[entry].Used = 1;
    const std::string bytes = encode(codeplug, ContactTextForm::Gbk);
    const std::size_t contactBlock = blocksStart() + 4;
    ASSERT_EQ(getLe32(bytes, blocksStart()), 3 * 12 + 1);
    // The block lost its closing byte: the third entry reaches its end.
    std::string cut = bytes;
    cut.erase(contactBlock + 3 * 12, 1);
    putLe32(cut, blocksStart(), 3 * 12);
    auto decoded = DecodeCodeplugFile(cut);
    ASSERT_TRUE(decoded.ok());
    ASSERT_EQ(decoded->warnings.size(), 1u);
    EXPECT_EQ(decoded->warnings[0].text, "Open file RX_Contact Error!");
    EXPECT_EQ(decoded->codeplug.Contact[1].Used, 1);
    EXPECT_EQ(decoded->codeplug.Contact[2].Used, 0);
    // The directory claims more contacts than the block holds.
    std::string more = bytes;
    putLe32(more, directoryStart() + 4 * 5, 4);
    decoded = DecodeCodeplugFile(more);
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded->warnings.size(), 1u);
    EXPECT_EQ(decoded->codeplug.Contact[2].Used, 1);
    EXPECT_EQ(decoded->codeplug.Contact[3].Used, 0);
    // Bytes after the last block are ignored; a tag other than "GBK" means 7-bit texts.
    EXPECT_TRUE(DecodeCodeplugFile(bytes + "trailing").ok());
    std::string otherTag = encode(smallCodeplug(), ContactTextForm::SevenBit);
    otherTag.replace(5, 7, "Deutsch");
    decoded = DecodeCodeplugFile(otherTag);
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded->textForm, ContactTextForm::SevenBit);
    EXPECT_EQ(decoded->codeplug.Contact[3].Name, "Four");
}

TEST(RdtFormat, FaultsTheLoadResolvesOpenWithTheRepairsListed) {
    Codeplug codeplug = smallCodeplug(); // channels 2 "Two" and 5 "Five", zone 1
    codeplug.Channel[4].Number = 2;      // "Five" claims the entry of "Two"
    codeplug.Channel[6].Used = 1;
    codeplug.Channel[6].Name = "Seven";
    codeplug.Channel[6].Number = 300; // outside the table
    codeplug.Zone[0].Count = 17;      // one more than a zone holds
    codeplug.Zone[1].Used = 1;        // made a record not in use below, with faults of every kind
    codeplug.Zone[1].Number = 0;
    codeplug.Zone[1].Count = -5;
    codeplug.RoamZone[5].Count = 100; // not in use
    codeplug.Dtmf.Codes[2].Count = 17;
    std::string bytes = encode(codeplug);
    const std::size_t secondZone =
        blocksStart() + 3 * packedSize<ChannelRec>() + packedSize<ZoneRec>();
    putLe16(bytes, secondZone + 2, 0); // its Used

    auto decoded = DecodeCodeplugFile(bytes);
    ASSERT_TRUE(decoded.ok()) << decoded.error().text;
    const Codeplug& back = decoded->codeplug;
    EXPECT_EQ(warningTexts(decoded->warnings),
              "Dtmf code 3: digit count 17 is outside 0 to 16; read as 16\n"
              "Channel block, record 2 \"Five\": Number 2 is already that of record 1; the record "
              "now has Number 1, the first free one\n"
              "Channel block, record 3 \"Seven\": Number 300 is outside 1 to 256; the record now "
              "has Number 3, the first free one\n"
              "Zone 1: member count 17 is outside 0 to 16; read as 16\n");
    // The first record naming an entry keeps it; the others take the free entries in block order.
    EXPECT_EQ(test::mapped(
                  [&](std::size_t n) {
                      return back.Channel[n].Name + "/" + std::to_string(back.Channel[n].Number);
                  },
                  {0u, 1u, 2u}),
              (std::vector<std::string>{"Five/1", "Two/2", "Seven/3"}));
    EXPECT_EQ(back.Channel[4].Used + back.Channel[6].Used, 0);
    // A record not in use is never looked at, but no count is left outside its array.
    EXPECT_TRUE(back.Zone[1] == NumberedEmptyCodeplug().Zone[1]);
    // Everything else is as saved, the counts brought into their arrays.
    Codeplug expected = codeplug;
    expected.Channel[0] = back.Channel[0];
    expected.Channel[2] = back.Channel[2];
    expected.Channel[4] = back.Channel[4];
    expected.Channel[6] = back.Channel[6];
    expected.Zone[0].Count = 16;
    expected.Zone[1] = back.Zone[1];
    expected.RoamZone[5].Count = 64;
    expected.Dtmf.Codes[2].Count = 16;
    EXPECT_EQ(test::codeplugDifference(back, expected), "");
    // What was repaired is saved repaired.
    auto again = DecodeCodeplugFile(encode(back));
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(again->warnings.empty());
}

TEST(RdtFormat, ForeignOldAndDamagedFilesAreRefused) {
    const std::string good = encode(smallCodeplug());
    ASSERT_TRUE(DecodeCodeplugFile(good).ok());

    for (const std::string& bad :
         {std::string(), std::string("V10"), "V1021" + good.substr(5), "v1020" + good.substr(5)}) {
        auto decoded = DecodeCodeplugFile(bad);
        ASSERT_FALSE(decoded.ok());
        EXPECT_EQ(decoded.error().text, "File Version Error!");
    }

    std::string foreign = good;
    foreign.replace(12, 8, "R700XX  ");
    EXPECT_TRUE(refusedWith(foreign, 99113));

    std::string old = good;
    old.replace(22, 4, "V100");
    EXPECT_TRUE(refusedWith(old, 99128));

    std::string unknownBand = good;
    putLe16(unknownBand, 20, 12);
    EXPECT_TRUE(refusedWith(unknownBand, 99127, "unknown band code 12"));
    // Counts above a table's size or below 0.
    std::string tooMany = good;
    putLe32(tooMany, directoryStart(), 257);
    EXPECT_TRUE(refusedWith(tooMany, 99127, "Channel: record count 257 in directory entry 0"));
    std::string negative = good;
    putLe32(negative, directoryStart() + 4 * 16, -1);
    EXPECT_TRUE(refusedWith(negative, 99127, "RxGroup: record count -1"));
    std::string tooManyContacts = good;
    putLe32(tooManyContacts, directoryStart() + 4 * 5, 10001);
    EXPECT_TRUE(refusedWith(tooManyContacts, 99127));
    // A contact block length below 0, beyond the block's capacity, or beyond the file's end.
    const std::size_t contactLength = blocksStart() + 2 * packedSize<ChannelRec>() +
                                      packedSize<ZoneRec>() + packedSize<ScanListRec>();
    for (std::int32_t length : {-1, 890002, 800000}) {
        std::string bad = good;
        putLe32(bad, contactLength, length);
        EXPECT_TRUE(refusedWith(bad, 99127, "Contact block")) << length;
    }
    // A file that ends early, anywhere (every length near both ends, a sample between).
    for (std::size_t length = 0; length < good.size(); ++length) {
        if (length > 64 && length + 64 < good.size() && length % 61 != 0)
            continue;
        auto decoded = DecodeCodeplugFile(good.substr(0, length));
        EXPECT_FALSE(decoded.ok()) << length;
    }
}

TEST(RdtFormat, TheSettingsAloneCanBeTakenFromAFile) {
    Codeplug source = test::RandomCodeplug(7);
    source.Header.BandCode = 34;
    const std::string bytes = encode(source);
    Codeplug codeplug = smallCodeplug();
    auto adopted = AdoptCodeplugFileSettings(bytes.substr(0, directoryStart()), codeplug);
    ASSERT_TRUE(adopted.ok());
    EXPECT_TRUE(adopted->empty());
    EXPECT_EQ(codeplug.Dtmf, source.Dtmf);
    EXPECT_EQ(codeplug.Option, source.Option);
    EXPECT_EQ(codeplug.QuickCall, source.QuickCall);
    EXPECT_EQ(codeplug.UserToneSet, source.UserToneSet);
    EXPECT_EQ(codeplug.Header.BandCode, 0);     // the header stays
    EXPECT_EQ(codeplug.Channel[1].Name, "Two"); // and the tables
    // A digit count outside its code is brought into it, and listed.
    std::string damagedDigits = bytes;
    const std::size_t dtmf = kHeaderStart + 14 + packedSize<FiveToneAreas>();
    damagedDigits[dtmf + 16] = 17; // the first code's digit count
    adopted = AdoptCodeplugFileSettings(damagedDigits, codeplug);
    ASSERT_TRUE(adopted.ok());
    EXPECT_EQ(warningTexts(*adopted),
              "Dtmf code 1: digit count 17 is outside 0 to 16; read as 16\n");
    EXPECT_EQ(codeplug.Dtmf.Codes[0].Count, 16);
    // A refusal changes nothing.
    const Codeplug before = codeplug;
    EXPECT_FALSE(AdoptCodeplugFileSettings(bytes.substr(0, directoryStart() - 1), codeplug).ok());
    EXPECT_TRUE(codeplug == before);
}

TEST(RdtFormat, DecodingIntoAResultReusesItAndResetsIt) {
    DecodedCodeplugFile decoded;
    ASSERT_TRUE(DecodeCodeplugFileInto(encode(smallCodeplug()), decoded).ok());
    EXPECT_EQ(decoded.codeplug.Channel[4].Name, "Five");
    Codeplug other = NumberedEmptyCodeplug();
    other.Contact[8].Used = 1;
    ASSERT_TRUE(DecodeCodeplugFileInto(encode(other, ContactTextForm::SevenBit), decoded).ok());
    EXPECT_EQ(test::codeplugDifference(decoded.codeplug, other), "");
    EXPECT_EQ(decoded.textForm, ContactTextForm::SevenBit);
}

} // namespace
} // namespace r605
