// `r605 export` and `r605 import` end to end: lists of a codeplug file out and back in, in every
// language, through a list file, from a downloaded contact file, and the refusals that leave the
// output untouched.
#include "cli_process.h"
#include "file/rdt_format.h"
#include "schema/new_codeplug.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace r605 {
namespace {

namespace fs = std::filesystem;

using test::CliFolder;
using test::CommandRun;

// A new codeplug with a zone, a radio ID and a few contacts, saved as a.rdt.
void writeCodeplug(const CliFolder& home) {
    Codeplug codeplug = NewCodeplug(0, *bandRangesForCode(0));
    codeplug.Channel[1].Name = "Repeater, \"B\"";
    codeplug.Channel[1].RxFreq = 438.5;
    codeplug.Person[0] = PersonRec{1, 1, 4600001, 0, "Base"};
    codeplug.Channel[0].RadioId = 0;
    codeplug.Channel[1].RadioId = 0;
    for (int n = 1; n < 4; ++n) {
        ContactRec& contact = codeplug.Contact[static_cast<std::size_t>(n)];
        contact.Used = 1;
        contact.Id = 1000 + n;
        contact.Name = "联系人 " + std::to_string(n);
        contact.City = "City, " + std::to_string(n);
    }
    codeplug.Channel[1].Contact = 2;
    ZoneRec& zone = codeplug.Zone[0];
    zone = ZoneRec{1, 1, 2, {}, 1, 0, "Zone 1"};
    zone.Members.fill(-1);
    zone.Members[0] = 1;
    zone.Members[1] = 0;
    home.save("a.rdt", codeplug);
}

TEST(ListCommands, ExportThenImportGivesTheSameCodeplugInEveryLanguage) {
    CliFolder home;
    writeCodeplug(home);
    const Codeplug original = home.load("a.rdt");
    for (const std::string language : {"en", "zh", "tw"}) {
        home.language = language;
        const std::string lists = home(language);
        fs::create_directory(lists);
        CommandRun exported =
            home.run({"export", home("a.rdt"), "--list", "0,1,2,5", "-o", lists + "/all.LST"});
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        EXPECT_EQ(exported.out, "Export Complete!\n");
        CommandRun imported =
            home.run({"import", home("a.rdt"), lists + "/all.LST", "-o", lists + "/b.rdt"});
        ASSERT_EQ(imported.exitCode, 0) << imported.err;
        EXPECT_EQ(imported.out, "Import Complete!\n");
        EXPECT_TRUE(home.load(language + "/b.rdt") == original) << language;
        // One list at a time, named by its name.
        ASSERT_EQ(home.run({"export", home("a.rdt"), "--list", "contacts", "-o", lists + "/c.csv"})
                      .exitCode,
                  0);
        CommandRun one = home.run(
            {"import", home("a.rdt"), "--list", "5", lists + "/c.csv", "-o", lists + "/c.rdt"});
        ASSERT_EQ(one.exitCode, 0) << one.err;
        EXPECT_TRUE(home.load(language + "/c.rdt") == original) << language;
    }
}

TEST(ListCommands, ImportsDownloadedContactsAndRefusesBadFilesWithoutWriting) {
    CliFolder home;
    writeCodeplug(home);
    test::writeFile(home / "user.cgi", "Radio ID,Callsign,Name,City,State,Country,Remarks<br/>"
                                       "1023001,BG1AA,Wang,Beijing,Beijing,China,<br/>"
                                       "1023002,BG1AB,Li,,,China,x<br/>");
    home.language = "zh";
    CommandRun cgi =
        home.run({"import", home("a.rdt"), "--list", "15", home("user.cgi"), "-o", home("b.rdt")});
    ASSERT_EQ(cgi.exitCode, 0) << cgi.err;
    // What the lines give, and the channels following their contacts, are the list tests'.
    EXPECT_EQ(home.load("b.rdt").Contact[0].Name, "Wang");
    // A damaged file: the message names file, line and column; the output stays as it was.
    test::writeFile(home / "bad.csv", "Channel Name,RX Freq (MHz)\nA,440\nB,9999\n");
    test::writeFile(home / "out.rdt", "previous");
    home.language = "en";
    CommandRun bad =
        home.run({"import", home("a.rdt"), "--list", "0", home("bad.csv"), "-o", home("out.rdt")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("ImportFromFileError---0--" + (home / "bad.csv").string() +
                           ": line 3, column \"RX Freq (MHz)\": \"9999\" lies outside the band"),
              std::string::npos)
        << bad.err;
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(test::readFile(home / "out.rdt"), "previous");
    // A list file of no entries imports nothing and reports no completion.
    test::writeFile(home / "none.LST", "0\r\n");
    CommandRun none = home.run({"import", home("a.rdt"), home("none.LST"), "-o", home("none.rdt")});
    EXPECT_EQ(none.exitCode, 0) << none.err;
    EXPECT_EQ(none.out, "");
    EXPECT_FALSE(fs::exists(home / "none.rdt"));
    // Wrong usage: no list, list 16, no list of that name, a CSV file without its list.
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"export", home("a.rdt"), "-o", home("x.csv")},
          {"export", home("a.rdt"), "--list", "16", "-o", home("x.csv")},
          {"export", home("a.rdt"), "--list", "contact", "-o", home("x.csv")},
          {"import", home("a.rdt"), home("bad.csv"), "-o", home("x.rdt")}})
        EXPECT_EQ(home.run(wrong).exitCode, 2) << wrong[2];
}

// "SameName" in the setup file turns tool mode on only with an edition file, as at start-up.
TEST(ListCommands, ToolModeColumnsNeedAnEdition) {
    const CliFolder home;
    writeCodeplug(home);
    test::writeFile(home / "language/mysetup.ini", "[language]\r\nIsFirstRun=0\r\nSameName=1\r\n");
    const auto headings = [&] {
        const CommandRun run =
            home.run({"export", home("a.rdt"), "--list", "0", "-o", home("c.csv")});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const std::string csv = test::readFile(home / "c.csv");
        return csv.substr(0, csv.find('\n'));
    };
    EXPECT_EQ(headings().find("Contact ID"), std::string::npos);
    test::writeFile(home / "CountryData.ini", "Soft_English");
    EXPECT_NE(headings().find("Contact ID"), std::string::npos);
}

TEST(ListCommands, ContactsFromAUserDatabaseAndItsRefusals) {
    CliFolder home;
    writeCodeplug(home);
    test::writeFile(home / "users.csv", "Radio ID,Callsign,Name,City,Country,Extra\n"
                                        "2620001,DL1AAA,Jürgen Müller,Berlin,Germany,x\n"
                                        "3100001,K1ABC,Bob,Boston,United States,\n"
                                        "what,K1XYZ,Bad,,,\n"
                                        "2620002,DL1AAB,\"Smith, John\",Hamburg,Germany,\n");
    const CommandRun run = home.run({"contacts-db", home("a.rdt"), "--from", home("users.csv"),
                                     "-o", home("out.rdt"), "--country", "Germany", "--max", "5"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(
        run.out.find("3 users; columns found: radio ID \"Radio ID\", callsign \"Callsign\", "
                     "name \"Name\", city \"City\", country \"Country\"; not used: \"Extra\""),
        std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("2 contacts added in slots 5 to 6"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("1 line could not be read and skipped: line 4"), std::string::npos)
        << run.err;
    const Codeplug out = home.load("out.rdt");
    EXPECT_EQ(out.Contact[4].Id, 2620001);
    EXPECT_EQ(out.Contact[4].Name, "Jürgen Müller");
    EXPECT_EQ(out.Contact[5].Name, "Smith, John");
    EXPECT_EQ(out.Contact[1].Name, "联系人 1");

    // No column of radio IDs: refused, nothing written.
    test::writeFile(home / "noid.csv", "Callsign,Name\nDL1AAA,Jürgen\n");
    const CommandRun refused = home.run(
        {"contacts-db", home("a.rdt"), "--from", home("noid.csv"), "-o", home("refused.rdt")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("no column of radio IDs"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(home / "refused.rdt"));
    const CommandRun usage = home.run({"contacts-db", home("a.rdt"), "--from", home("users.csv"),
                                       "-o", home("refused.rdt"), "--prefix", "26x", "--replace"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_FALSE(fs::exists(home / "refused.rdt"));
}

} // namespace
} // namespace r605
