// The codeplug as a document: saving and loading through the staging copy, change detection,
// the band that follows a loaded file, the member-list clean-up, contacts a file cannot hold, and
// that a refused load or a failed save leaves memory and files as they were.
#include "codeplug_diff.h"
#include "file/codeplug_document.h"
#include "file/rdt_format.h"
#include "random_codeplug.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace r605 {
namespace {

namespace fs = std::filesystem;

std::string messageTexts(const std::vector<Error>& messages) {
    std::string text;
    for (const Error& message : messages)
        text += (text.empty() ? "" : "|") + message.text;
    return text;
}

std::string saveRandom(const fs::path& path, std::uint32_t seed, int bandCode) {
    test::RandomCodeplugOptions options;
    options.bandCode = bandCode;
    std::string bytes =
        EncodeCodeplugFile(test::RandomCodeplug(seed, options), ContactTextForm::Gbk).bytes;
    test::writeFile(path, bytes);
    return bytes;
}

TEST(CodeplugDocument, SaveAndLoadGoThroughTheStagingCopy) {
    test::TempDir dir;
    CodeplugDocument document;
    EXPECT_TRUE(document.isNewFile());
    EXPECT_EQ(document.CurrentFileName(), "new.rdt");
    EXPECT_FALSE(document.CodeplugChanged());

    ASSERT_TRUE(document.setBand(34).ok());
    document.tables() = test::RandomCodeplug(3);
    EXPECT_TRUE(document.CodeplugChanged());

    auto saved = document.SaveCodeplugFile(dir / "a.rdt", ContactTextForm::Gbk);
    ASSERT_TRUE(saved.ok()) << saved.error().text;
    EXPECT_EQ(messageTexts(*saved), "Save File OK");
    EXPECT_FALSE(document.isNewFile());
    EXPECT_EQ(document.CurrentFileName(), dir / "a.rdt");
    EXPECT_FALSE(document.CodeplugChanged());
    // The header of a saved codeplug names the model, the current band and the data version.
    EXPECT_EQ(document.tables().Header.BandCode, 34);
    EXPECT_EQ(document.tables().Header.ModelFamily, "R600MK");

    // Saving again gives the same bytes.
    const std::string first = test::readFile(dir / "a.rdt");
    ASSERT_TRUE(document.SaveCodeplugFile(ContactTextForm::Gbk).ok());
    EXPECT_EQ(test::readFile(dir / "a.rdt"), first);

    CodeplugDocument other;
    auto loaded = other.LoadCodeplugFile(dir / "a.rdt");
    ASSERT_TRUE(loaded.ok()) << loaded.error().text;
    EXPECT_EQ(loaded->back().text, "Load File OK");
    EXPECT_EQ(other.band().BandCode, 34);
    EXPECT_EQ(other.band().BandText, "VHF{Rx(136 - 174 MHz) Tx(144 - 148 MHz)}");
    EXPECT_DOUBLE_EQ(other.band().BandRanges.range[1].txHigh, 148.0);
    EXPECT_EQ(other.band().ModelName, "R605VHF");
    EXPECT_FALSE(other.isNewFile());
    EXPECT_EQ(other.CurrentFileName(), dir / "a.rdt");

    // Random member lists may hold repeats, which a load removes; everything else comes back.
    Codeplug expected = document.tables();
    CleanZoneAndScanListMembers(expected);
    EXPECT_EQ(test::codeplugDifference(other.tables(), expected), "");
    EXPECT_EQ(test::codeplugDifference(other.staging(), document.tables()), "");

    // A shorter file replaces a longer one entirely.
    other.tables() = NumberedEmptyCodeplug();
    ASSERT_TRUE(other.SaveCodeplugFile(ContactTextForm::SevenBit).ok());
    EXPECT_LT(fs::file_size(dir / "a.rdt"), first.size());
    CodeplugDocument third;
    ASSERT_TRUE(third.LoadCodeplugFile(dir / "a.rdt").ok());
    EXPECT_EQ(third.tables().Channel[0].Used, 0);
}

TEST(CodeplugDocument, ARefusedLoadChangesNothing) {
    test::TempDir dir;
    CodeplugDocument document;
    ASSERT_TRUE(document.setBand(64).ok());
    document.tables().Channel[0].Used = 1;
    document.tables().Channel[0].Name = "Unsaved";
    const Codeplug tables = document.tables();
    const Codeplug staging = document.staging();
    const CurrentBand band = document.band();

    const std::string good = saveRandom(dir / "good.rdt", 5, 0);
    const auto expectUnchanged = [&](const char* what) {
        EXPECT_EQ(test::codeplugDifference(document.tables(), tables), "") << what;
        EXPECT_EQ(test::codeplugDifference(document.staging(), staging), "") << what;
        EXPECT_EQ(document.band(), band) << what;
        EXPECT_EQ(document.CurrentFileName(), "new.rdt") << what;
        EXPECT_TRUE(document.isNewFile()) << what;
        EXPECT_TRUE(document.CodeplugChanged()) << what;
    };

    auto missing = document.LoadCodeplugFile(dir / "missing.rdt");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().key->number, 99126);
    expectUnchanged("missing");

    test::writeFile(dir / "version.rdt", "V1019" + good.substr(5));
    auto version = document.LoadCodeplugFile(dir / "version.rdt");
    ASSERT_FALSE(version.ok());
    EXPECT_EQ(version.error().text, "File Version Error!");
    expectUnchanged("version");

    std::string foreignBytes = good;
    foreignBytes.replace(12, 8, "R700    ");
    test::writeFile(dir / "foreign.rdt", foreignBytes);
    auto foreign = document.LoadCodeplugFile(dir / "foreign.rdt");
    ASSERT_FALSE(foreign.ok());
    EXPECT_EQ(foreign.error().key->number, 99113);
    expectUnchanged("foreign");

    test::writeFile(dir / "short.rdt", good.substr(0, good.size() - 10));
    auto cut = document.LoadCodeplugFile(dir / "short.rdt");
    ASSERT_FALSE(cut.ok());
    EXPECT_EQ(cut.error().key->number, 99127);
    EXPECT_NE(cut.error().text.find("short.rdt"), std::string::npos);
    expectUnchanged("short");
}

TEST(CodeplugDocument, AFailedSaveKeepsTheOldFileAndTheUnsavedState) {
    test::TempDir dir;
    CodeplugDocument document;
    ASSERT_TRUE(document.SaveCodeplugFile(dir / "keep.rdt", ContactTextForm::Gbk).ok());
    const std::string before = test::readFile(dir / "keep.rdt");

    // A folder that does not exist.
    document.tables().Channel[3].Used = 1;
    auto nowhere = document.SaveCodeplugFile(dir / "no" / "such.rdt", ContactTextForm::SevenBit);
    ASSERT_FALSE(nowhere.ok());
    EXPECT_EQ(nowhere.error().key->number, 99129);
    EXPECT_EQ(document.CurrentFileName(), dir / "keep.rdt");
    EXPECT_TRUE(document.CodeplugChanged());
    EXPECT_EQ(fs::directory_iterator(dir.path())->path().filename(), "keep.rdt");
    EXPECT_EQ(test::readFile(dir / "keep.rdt"), before);
}

TEST(CodeplugDocument, AContactListTooLargeForTheFileIsSavedAsFarAsItFits) {
    // 10000 contacts with every text full overflow the GBK block (about 990000 bytes); plain
    // ASCII texts lose nothing in the 7-bit form, so the save goes through tagged "English".
    test::TempDir dir;
    CodeplugDocument document;
    for (std::size_t i = 0; i < kContactCount; ++i) {
        ContactRec& contact = document.tables().Contact[i];
        contact.Used = 1;
        contact.Id = static_cast<std::int32_t>(i + 1);
        contact.Name = "Contact name 0" + std::to_string(i % 10) + "x";
        contact.City = "City name 12345";
        contact.Callsign = "BG7ABCDE";
        contact.State = contact.Country = contact.Remarks = "Sixteen chars 16";
    }
    auto saved = document.SaveCodeplugFile(dir / "full.rdt", ContactTextForm::Gbk);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(messageTexts(*saved), "Save File OK");
    EXPECT_EQ(test::readFile(dir / "full.rdt").substr(5, 7), "English");
    CodeplugDocument reloaded;
    ASSERT_TRUE(reloaded.LoadCodeplugFile(dir / "full.rdt").ok());
    EXPECT_TRUE(reloaded.tables().Contact == document.tables().Contact);

    // Full Chinese texts take 98 bytes a contact in GBK: 9081 fit. The file holds those, and
    // the last contact, short enough for the room left; the message names every other one.
    for (ContactRec& contact : document.tables().Contact) {
        contact.Name = "中文中文中文中文";
        contact.City = "中文中文中文中";
        contact.Callsign = "中文中文";
        contact.State = contact.Country = contact.Remarks = contact.Name;
    }
    ContactRec& last = document.tables().Contact[9999];
    last.Name = "短";
    last.City = last.Callsign = last.State = last.Country = last.Remarks = "";
    saved = document.SaveCodeplugFile(dir / "chinese.rdt", ContactTextForm::Gbk);
    ASSERT_TRUE(saved.ok());
    ASSERT_EQ(saved->size(), 2u);
    EXPECT_EQ((*saved)[1].text, "Save File OK");
    const std::string& warning = (*saved)[0].text;
    EXPECT_EQ(warning.rfind("SetContacts_Compression_Error: 918 contacts do not fit", 0), 0u);
    EXPECT_NE(warning.find("a JSON file keeps every contact"), std::string::npos);
    EXPECT_NE(warning.find("\n  Number 9082, ID 9082, 中文中文中文中文\n"), std::string::npos);
    EXPECT_NE(warning.find("\n  Number 9999, ID 9999, 中文中文中文中文"), std::string::npos);
    EXPECT_EQ(warning.find("Number 9081,"), std::string::npos);
    EXPECT_EQ(warning.find("Number 10000"), std::string::npos);
    EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 918);
    // Memory keeps every contact: the ones left out are unsaved changes.
    EXPECT_EQ(document.tables().Contact[9500].Used, 1);
    EXPECT_TRUE(document.CodeplugChanged());
    EXPECT_EQ(document.CurrentFileName(), dir / "chinese.rdt");

    ASSERT_TRUE(reloaded.LoadCodeplugFile(dir / "chinese.rdt").ok());
    const Table<ContactRec, kContactCount>& back = reloaded.tables().Contact;
    for (std::size_t i = 0; i < kContactCount; ++i) {
        if (i < 9081 || i == 9999)
            ASSERT_TRUE(back[i] == document.tables().Contact[i]) << i;
        else
            ASSERT_EQ(back[i].Used, 0) << i;
    }
}

TEST(CodeplugDocument, ALoadRemovesRepeatedMembersOfZonesAndScanLists) {
    test::TempDir dir;
    CodeplugDocument document;
    Codeplug& tables = document.tables();
    tables.Zone[0].Used = 1;
    tables.Zone[0].Count = 5;
    tables.Zone[0].Members = {3, 5, 3, -1, 7};
    tables.Zone[1].Count = 2; // not in use: left alone
    tables.Zone[1].Members = {4, 4};
    tables.ScanList[2].Used = 1;
    tables.ScanList[2].Count = 4;
    tables.ScanList[2].Members = {9, 9, 2, 9};
    tables.ScanList[2].MemberZones = {0, 1, 2, 3};
    ASSERT_TRUE(document.SaveCodeplugFile(dir / "z.rdt", ContactTextForm::Gbk).ok());

    CodeplugDocument loaded;
    auto messages = loaded.LoadCodeplugFile(dir / "z.rdt");
    ASSERT_TRUE(messages.ok());
    EXPECT_EQ(messageTexts(*messages),
              "Zone 1: repeated and empty members removed, 5 members now 3|"
              "ScanList 3: repeated and empty members removed, 4 members now 2|Load File OK");
    const ZoneRec& zone = loaded.tables().Zone[0];
    EXPECT_EQ(zone.Count, 3);
    EXPECT_EQ(
        (std::vector<int>{zone.Members[0], zone.Members[1], zone.Members[2], zone.Members[3]}),
        (std::vector<int>{3, 5, 7, -1}));
    // Zones and scan lists not in use are left alone.
    Codeplug unused = document.tables();
    CleanZoneAndScanListMembers(unused);
    EXPECT_EQ(unused.Zone[1].Count, 2);
    const ScanListRec& list = loaded.tables().ScanList[2];
    EXPECT_EQ(list.Count, 2);
    EXPECT_EQ(list.Members[0], 9);
    EXPECT_EQ(list.Members[1], 2);
    EXPECT_EQ(list.MemberZones[1], 2); // the zone of channel 2 moved with it
    EXPECT_EQ(list.Members[2], -1);
    // The clean-up is a change against the file as loaded.
    EXPECT_TRUE(loaded.CodeplugChanged());
}

TEST(CodeplugDocument, InitialFilesGiveTheirTablesOrOnlyTheirSettings) {
    test::TempDir dir;
    Codeplug source = test::RandomCodeplug(11);
    source.Header.BandCode = 34;
    test::writeFile(dir / "R600MK_34.rdt",
                    EncodeCodeplugFile(source, ContactTextForm::SevenBit).bytes);

    CodeplugDocument whole;
    auto loaded = whole.LoadInitialFile(dir / "R600MK_34.rdt");
    ASSERT_TRUE(loaded.ok());
    EXPECT_TRUE(loaded->empty()); // no closing message
    EXPECT_TRUE(whole.isNewFile());
    EXPECT_EQ(whole.CurrentFileName(), "new.rdt");
    EXPECT_EQ(whole.band().BandCode, 34);
    EXPECT_EQ(whole.staging().Channel, source.Channel);

    CodeplugDocument header;
    header.tables().Channel[0].Name = "Mine";
    ASSERT_TRUE(header.LoadInitialHeader(dir / "R600MK_34.rdt").ok());
    EXPECT_EQ(header.tables().Dtmf, source.Dtmf);
    EXPECT_EQ(header.tables().Option, source.Option);
    EXPECT_EQ(header.tables().Channel[0].Name, "Mine");
    EXPECT_EQ(header.tables().Header.BandCode, 0); // the working band stays
    EXPECT_EQ(header.band().BandCode, 0);

    test::writeFile(dir / "bad.rdt", "V1000");
    EXPECT_FALSE(header.LoadInitialHeader(dir / "bad.rdt").ok());
    EXPECT_EQ(header.tables().Dtmf, source.Dtmf);
}

TEST(CodeplugDocument, StagingFollowsTheBandOfItsHeader) {
    CodeplugDocument document;
    document.tables().Person[0].Used = 1;
    ASSERT_TRUE(document.setBand(96).ok());
    document.CopyTablesToStaging();
    EXPECT_EQ(document.staging().Header.BandCode, 96);
    EXPECT_FALSE(document.CodeplugChanged());

    document.tables().Person[0].Used = 0;
    ASSERT_TRUE(document.setBand(0).ok());
    ASSERT_TRUE(document.CopyStagingToTables().ok());
    EXPECT_EQ(document.tables().Person[0].Used, 1);
    EXPECT_EQ(document.band().BandCode, 96);
    EXPECT_EQ(document.band().ModelName, "R605MHF");

    EXPECT_FALSE(document.setBand(13).ok());
    EXPECT_EQ(document.band().BandCode, 96);
    EXPECT_EQ(TextFormForEdition("Soft_English"), ContactTextForm::SevenBit);
    EXPECT_EQ(TextFormForEdition(""), ContactTextForm::Gbk);
}

} // namespace
} // namespace r605
