// The document's files: save and load (.rdt and JSON, by content), the band that follows the
// header, the member-list clean-up, contacts a file cannot hold, the new codeplug from the
// program folder's files, and that a refused load or a failed save leaves memory and files as
// they were.
#include "codeplug_diff.h"
#include "document/document.h"
#include "document_edit.h"
#include "file/default_channel_file.h"
#include "file/rdt_format.h"
#include "random_codeplug.h"
#include "schema/new_codeplug.h"
#include "schema/sample_codeplug.h"
#include "settings/program_folders.h"
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

void replace(Document& document, Codeplug codeplug) {
    test::change(document, [&](Codeplug& working) { working = std::move(codeplug); });
}

TEST(DocumentFiles, SaveAndLoadInEitherFormKeepEverything) {
    test::TempDir dir;
    Document document;
    // Every table full, every text at its length, some of them Chinese; half the contacts, so
    // that the .rdt file holds them all (the other case has a test of its own).
    Codeplug sample = SampleFullCodeplug(34, *bandRangesForCode(34), 3);
    const Codeplug empty = NumberedEmptyCodeplug();
    for (std::size_t i = 5000; i < kContactCount; ++i)
        sample.Contact[i] = empty.Contact[i];
    CleanZoneAndScanListMembers(sample); // a load removes repeated members
    replace(document, sample);
    EXPECT_TRUE(document.hasUnsavedChanges());
    EXPECT_EQ(document.band().ModelName, "R605VHF");

    auto saved = document.save(dir / "a.rdt", ContactTextForm::Gbk);
    ASSERT_TRUE(saved.ok()) << saved.error().text;
    EXPECT_EQ(messageTexts(saved->messages), "Save File OK");
    EXPECT_FALSE(document.isNewFile());
    EXPECT_EQ(document.fileName(), dir / "a.rdt");
    EXPECT_FALSE(document.hasUnsavedChanges());
    // Saving again gives the same bytes.
    const std::string first = test::readFile(dir / "a.rdt");
    ASSERT_TRUE(document.save(dir / "a.rdt", ContactTextForm::Gbk).ok());
    EXPECT_EQ(test::readFile(dir / "a.rdt"), first);
    ASSERT_TRUE(document.save(dir / "a.json", ContactTextForm::Gbk).ok());

    for (const char* name : {"a.rdt", "a.json"}) {
        Document other;
        auto loaded = other.load(dir / name);
        ASSERT_TRUE(loaded.ok()) << loaded.error().text;
        EXPECT_EQ(loaded->messages.back().text, "Load File OK");
        EXPECT_EQ(other.band().BandCode, 34);
        EXPECT_DOUBLE_EQ(other.band().BandRanges.range[1].txHigh, 148.0);
        EXPECT_FALSE(other.isNewFile());
        EXPECT_FALSE(other.hasUnsavedChanges());
        EXPECT_EQ(test::codeplugDifference(other.codeplug(), document.codeplug()), "") << name;
    }
    // A shorter file replaces a longer one entirely.
    replace(document, NumberedEmptyCodeplug());
    ASSERT_TRUE(document.save(dir / "a.rdt", ContactTextForm::SevenBit).ok());
    EXPECT_LT(fs::file_size(dir / "a.rdt"), first.size());
    Document third;
    ASSERT_TRUE(third.load(dir / "a.rdt").ok());
    EXPECT_EQ(third.codeplug().Channel[0].Used, 0);
}

TEST(DocumentFiles, ARefusedLoadOrAFailedSaveChangesNothing) {
    test::TempDir dir;
    Document document;
    test::change(document, [](Codeplug& c) {
        c.Header.BandCode = 64;
        c.Channel[0].Used = 1;
        c.Channel[0].Name = "Unsaved";
    });
    const Codeplug codeplug = document.codeplug();
    const Codeplug saved = document.saved();
    const CurrentBand band = document.band();
    const std::string good =
        EncodeCodeplugFile(test::RandomCodeplug(5), ContactTextForm::Gbk).bytes;
    const auto expectUnchanged = [&](const char* what) {
        EXPECT_EQ(test::codeplugDifference(document.codeplug(), codeplug), "") << what;
        EXPECT_EQ(test::codeplugDifference(document.saved(), saved), "") << what;
        EXPECT_EQ(document.band(), band) << what;
        EXPECT_EQ(document.fileName(), "new.rdt") << what;
        EXPECT_TRUE(document.isNewFile()) << what;
        EXPECT_TRUE(document.hasUnsavedChanges()) << what;
    };

    auto missing = document.load(dir / "missing.rdt");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().key->number, 99126);
    expectUnchanged("missing");

    // The kinds of refused .rdt files are RdtFormat's; one of them stands for all here.
    test::writeFile(dir / "short.rdt", good.substr(0, good.size() - 10));
    auto cut = document.load(dir / "short.rdt");
    ASSERT_FALSE(cut.ok());
    EXPECT_EQ(cut.error().key->number, 99127);
    EXPECT_NE(cut.error().text.find("short.rdt"), std::string::npos);
    expectUnchanged("short");

    test::writeFile(dir / "broken.json", "{\"format\": \"r605-codeplug\", \"version\": 1, ");
    EXPECT_FALSE(document.load(dir / "broken.json").ok());
    expectUnchanged("broken JSON");
    // A save into a folder that does not exist leaves the old file and the unsaved state.
    auto nowhere = document.save(dir / "no" / "such.rdt", ContactTextForm::SevenBit);
    ASSERT_FALSE(nowhere.ok());
    EXPECT_EQ(nowhere.error().key->number, 99129);
    expectUnchanged("failed save");
}

TEST(DocumentFiles, AContactListTooLargeForTheFileIsSavedAsFarAsItFits) {
    // 10000 contacts with every text full overflow the GBK block (about 990000 bytes); plain
    // ASCII texts lose nothing in the 7-bit form, so the save goes through tagged "English".
    test::TempDir dir;
    Codeplug codeplug = NumberedEmptyCodeplug();
    for (std::size_t i = 0; i < kContactCount; ++i) {
        ContactRec& contact = codeplug.Contact[i];
        contact.Used = 1;
        contact.Id = static_cast<std::int32_t>(i + 1);
        contact.Name = "Contact name 0" + std::to_string(i % 10) + "x";
        contact.City = "City name 12345";
        contact.Callsign = "BG7ABCDE";
        contact.State = contact.Country = contact.Remarks = "Sixteen chars 16";
    }
    Document document;
    replace(document, codeplug);
    auto saved = document.save(dir / "full.rdt", ContactTextForm::Gbk);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(messageTexts(saved->messages), "Save File OK");
    EXPECT_EQ(test::readFile(dir / "full.rdt").substr(5, 7), "English");
    Document reloaded;
    ASSERT_TRUE(reloaded.load(dir / "full.rdt").ok());
    EXPECT_TRUE(reloaded.codeplug().Contact == document.codeplug().Contact);
    // Full Chinese texts take 98 bytes a contact in GBK: 9081 fit. The file holds those, and
    // the last contact, short enough for the room left; the message names every other one.
    test::FillWithChineseContacts(codeplug.Contact);
    ContactRec& last = codeplug.Contact[9999];
    last.Name = "短";
    last.City = last.Callsign = last.State = last.Country = last.Remarks = "";
    replace(document, codeplug);
    saved = document.save(dir / "chinese.rdt", ContactTextForm::Gbk);
    ASSERT_TRUE(saved.ok());
    ASSERT_EQ(saved->messages.size(), 2u);
    EXPECT_EQ(saved->messages[1].text, "Save File OK");
    const std::string& warning = saved->messages[0].text;
    EXPECT_EQ(warning.rfind("SetContacts_Compression_Error: 918 contacts do not fit", 0), 0u);
    EXPECT_NE(warning.find("a JSON file keeps every contact"), std::string::npos);
    EXPECT_NE(warning.find("\n  Number 9082, ID 9082, 中文中文中文中文\n"), std::string::npos);
    EXPECT_NE(warning.find("\n  Number 9999, ID 9999, 中文中文中文中文"), std::string::npos);
    EXPECT_EQ(warning.find("Number 9081,"), std::string::npos);
    EXPECT_EQ(warning.find("Number 10000"), std::string::npos);
    EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 918);
    // Memory keeps every contact: the ones left out are unsaved changes.
    EXPECT_EQ(document.codeplug().Contact[9500].Used, 1);
    EXPECT_TRUE(document.hasUnsavedChanges());
    EXPECT_EQ(document.fileName(), dir / "chinese.rdt");

    // Which contacts fit is ContactBlock.ContactsThatDoNotFitTheBlockAreLeftOut's; the file
    // holds those.
    ASSERT_TRUE(reloaded.load(dir / "chinese.rdt").ok());
    const Table<ContactRec, kContactCount>& back = reloaded.codeplug().Contact;
    EXPECT_EQ(test::mapped<int>([&](int i) { return back[i] == codeplug.Contact[i]; },
                                {0, 9080, 9081, 9998, 9999}),
              (std::vector<int>{1, 1, 0, 0, 1}));
}

TEST(DocumentFiles, ALoadRemovesRepeatedMembersOfZonesAndScanLists) {
    test::TempDir dir;
    Codeplug tables = NumberedEmptyCodeplug();
    tables.Zone[0].Used = 1;
    tables.Zone[0].Count = 5;
    tables.Zone[0].Members = {3, 5, 3, -1, 7};
    tables.Zone[1].Count = 2; // not in use: left alone
    tables.Zone[1].Members = {4, 4};
    tables.ScanList[2].Used = 1;
    tables.ScanList[2].Count = 4;
    tables.ScanList[2].Members = {9, 9, 2, 9};
    tables.ScanList[2].MemberZones = {0, 1, 2, 3};
    test::writeFile(dir / "z.rdt", EncodeCodeplugFile(tables, ContactTextForm::Gbk).bytes);

    Document loaded;
    auto outcome = loaded.load(dir / "z.rdt");
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(messageTexts(outcome->messages),
              "Zone 1: repeated and empty members removed, 5 members now 3|"
              "ScanList 3: repeated and empty members removed, 4 members now 2|Load File OK");
    const ZoneRec& zone = loaded.codeplug().Zone[0];
    EXPECT_EQ(zone.Count, 3);
    EXPECT_EQ(
        (std::vector<int>{zone.Members[0], zone.Members[1], zone.Members[2], zone.Members[3]}),
        (std::vector<int>{3, 5, 7, -1}));
    Codeplug unused = tables; // zones and scan lists not in use are left alone
    CleanZoneAndScanListMembers(unused);
    EXPECT_EQ(unused.Zone[1].Count, 2);
    const ScanListRec& list = loaded.codeplug().ScanList[2];
    EXPECT_EQ(list.Count, 2);
    EXPECT_EQ(test::first(list.Members, 2), (std::vector<int>{9, 2}));
    EXPECT_EQ(list.MemberZones[1], 2); // the zone of channel 2 moved with it
    EXPECT_EQ(list.Members[2], -1);
    // The clean-up is a change against the file as loaded.
    EXPECT_TRUE(loaded.hasUnsavedChanges());
}

TEST(DocumentFiles, TheBandFollowsTheHeaderAndAnUnknownBandIsRefused) {
    Document document;
    test::change(document, [](Codeplug& c) { c.Header.BandCode = 96; });
    EXPECT_EQ(document.band().BandCode, 96);
    EXPECT_EQ(document.band().ModelName, "R605MHF");
    auto unknown = document.apply(EditKind::Other, [](Codeplug& c) {
        c.Header.BandCode = 13;
        c.Person[0].Used = 1;
        return Status::success();
    });
    EXPECT_FALSE(unknown.ok());
    EXPECT_EQ(document.codeplug().Header.BandCode, 96);
    EXPECT_EQ(document.codeplug().Person[0].Used, 0);
    EXPECT_EQ(document.band().BandCode, 96);
    EXPECT_EQ(TextFormForEdition("Soft_English"), ContactTextForm::SevenBit);
    EXPECT_EQ(TextFormForEdition(""), ContactTextForm::Gbk);
}

struct ProgramFolder {
    test::TempDir dir;
    ProgramFolders folders{dir.path(), dir.path() / "user", true};
    NewCodeplugFiles files(int bandCode) const {
        return NewCodeplugFiles::inProgramFolder(folders, bandCode);
    }
    void writeInitial(int fileBand, const Codeplug& codeplug) const {
        test::writeFile(dir.path() / "Init" / InitialFileName("R600MK", fileBand),
                        EncodeCodeplugFile(codeplug, ContactTextForm::Gbk).bytes);
    }
};

TEST(DocumentFiles, TheNewCodeplugTakesTheProgramFoldersFiles) {
    ProgramFolder program;
    const NewCodeplugFiles files = program.files(34);
    EXPECT_EQ(files.defaultChannel, program.dir.path() / "Default.ini");
    EXPECT_EQ(files.initialFile, program.dir.path() / "Init" / "R600MK_34.rdt");
    EXPECT_EQ(files.initialHeaderFile, program.dir.path() / "Init" / "R600MK_0.rdt");
    // No files: the in-program codeplug.
    Document document;
    ASSERT_TRUE(document.save(program.dir / "old.rdt", ContactTextForm::Gbk).ok());
    auto made = document.newCodeplug(program.files(0), 0);
    ASSERT_TRUE(made.ok());
    EXPECT_TRUE(made->messages.empty());
    EXPECT_TRUE(document.isNewFile());
    EXPECT_EQ(document.fileName(), "new.rdt");
    EXPECT_FALSE(document.hasUnsavedChanges());
    EXPECT_TRUE(document.codeplug() == NewCodeplug(0).value());
    // The two channels take the template of Default.ini but stay simplex at the centre.
    ChannelRec channelTemplate = BuiltInDefaultChannel(*bandRangesForCode(0));
    channelTemplate.RxFreq = 435.0;
    channelTemplate.OffsetDir = 1;
    channelTemplate.Offset = 5.0;
    channelTemplate.Power = 0;
    ASSERT_TRUE(SaveDefaultChannel(program.dir / "Default.ini", channelTemplate).ok());
    ASSERT_TRUE(document.newCodeplug(program.files(0), 0).ok());
    EXPECT_EQ(document.codeplug().Channel[0].Power, 0);
    EXPECT_EQ(document.codeplug().Channel[0].OffsetDir, 0);
    EXPECT_DOUBLE_EQ(document.codeplug().Channel[0].RxFreq, 440.0);
    // The band's own initial file.
    Codeplug initial = NewCodeplug(34, *bandRangesForCode(34));
    initial.Channel[9].Used = 1;
    initial.Channel[9].Name = "From Init";
    initial.Dtmf.Set0 = 12;
    program.writeInitial(34, initial);
    made = document.newCodeplug(program.files(34), 34);
    ASSERT_TRUE(made.ok());
    EXPECT_TRUE(made->messages.empty());
    EXPECT_EQ(document.codeplug().Channel[9].Name, "From Init");
    EXPECT_FALSE(document.hasUnsavedChanges());
    // Band 35 has no file of its own: only the header and settings of R600MK_0.rdt.
    Codeplug fallback = NewCodeplug(0, *bandRangesForCode(0));
    fallback.Dtmf.Set0 = 11;
    fallback.Channel[9].Used = 1;
    program.writeInitial(0, fallback);
    ASSERT_TRUE(document.newCodeplug(program.files(35), 35).ok());
    EXPECT_EQ(document.codeplug().Dtmf.Set0, 11);
    EXPECT_EQ(document.codeplug().Channel[9].Used, 0);
    EXPECT_DOUBLE_EQ(document.codeplug().Channel[0].RxFreq, 155.0);
    EXPECT_EQ(document.band().BandCode, 35);
    // An initial file of another version is refused and not used; an unknown band refused.
    test::writeFile(program.dir.path() / "Init" / "R600MK_34.rdt", "V1019 and more");
    made = document.newCodeplug(program.files(34), 34);
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(messageTexts(made->messages), "File Version Error!");
    EXPECT_EQ(document.codeplug().Channel[9].Used, 0);
    EXPECT_EQ(document.codeplug().Dtmf.Set0, 14);
    EXPECT_EQ(document.band().BandCode, 34);
    EXPECT_FALSE(document.newCodeplug(program.files(13), 13).ok());
}

} // namespace
} // namespace r605
