// Contacts from a generated user database: the columns found whatever their names and order,
// broken lines skipped and named, exactly the expected IDs taken by country, prefix and
// nearness, existing contacts, group lists and references kept (or replaced as Delete replaces
// them), the room of the codeplug respected, texts cut at whole characters, one undoable edit.
#include "contacts_db/database_contacts.h"
#include "document/list_edits.h"
#include "schema/new_codeplug.h"
#include "test_support.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace r605 {
namespace {

using F = UserField;

// One line of the database: its cells by field (UserField order: ID, callsign, the whole name,
// first name, last name, city, state, country, remarks), as the file writes them, quotes
// included. The whole name is left empty: the layouts that have it join first and last name.
using Row = std::array<std::string, kUserFieldCount>;

const std::vector<Row> kUsers = {
    {"2620001", "DL1AAA", "", "Jürgen", "Müller-Lüdenscheidt", "Berlin", "", "Germany", ""},
    {"2620002", "DL1AAB", "", "\"Smith, John\"", "", "Hamburg", "", " germany ", ""},
    {"3100001", "K1ABC", "", "Bob", "Jones", "Boston", "Massachusetts", "United States", ""},
    {"3100150", "K1ABD", "", "\"Bob \"\"The Bear\"\"\"", "Smith", "", "", "United States",
     "net control"},
    {"2621005", "DL2XYZ", "", "Anna", "", "", "", "Germany", ""},
    {"3101000", "W1AW", "", "", "", "", "", "United States", ""},
    {"4600001", "BG1AA", "", "张伟张伟张伟张伟张伟", "", "北京", "", "China", ""},
    {"3102000", "N0CALL", "", "", "", "", "", "United States", ""},
    {"2620003", "DL1AAC", "", "", "", "", "", "Germany", ""},
    {"4600100", "BG1AB", "", "芳", "王", "", "", "China", ""},
    {"2080001", "F1AAA", "", "Élodie", "", "", "", "France", ""},
};

// Broken lines, and the line number (the header is line 1) each stands at.
const std::vector<std::pair<std::size_t, Row>> kBroken = {
    {3, {"abc", "K1XYZ"}},
    {5, {"3100002", "", "", "\"Open", "", "", "", "United States", ""}},
    {6, {"99999999", "TOOBIG"}},
    {9, {"3100003", "", "", "", "", "Shifted, by a comma", "", "", "x"}},
    {11, {"2620009", "", "", "", "", "\xFF\xFE"}},
    {13, {"", "NOID"}},
};
// The ID of an earlier line, at line 15.
const Row kRepeated = {"3100001", "K1DUP"};

struct Layout {
    std::string header;             // the heading row
    std::vector<UserField> columns; // what each of its columns holds
    std::string lineEnd;
    bool byteOrderMark = false;
};

// As one source publishes it, and as another (quoted headings, one name column, the ID last,
// CR LF line ends, a byte-order mark) does.
const Layout kLayoutA{
    "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY,REMARKS",
    {F::Id, F::Callsign, F::FirstName, F::LastName, F::City, F::State, F::Country, F::Remarks},
    "\n"};
const Layout kLayoutB{R"("Callsign","Name","City","State/Province","Country","Notes","DMR Id")",
                      {F::Callsign, F::Name, F::City, F::State, F::Country, F::Remarks, F::Id},
                      "\r\n",
                      true};

const std::string& cellOf(const Row& row, UserField field) {
    return row[static_cast<std::size_t>(field)];
}

std::string render(const Layout& layout, const Row& row) {
    std::string line;
    for (std::size_t k = 0; k < layout.columns.size(); ++k) {
        const UserField field = layout.columns[k];
        std::string cell = cellOf(row, field);
        if (field == F::Name) {
            // One column for the whole name: the generator joins first and last name.
            std::string first = cellOf(row, F::FirstName);
            const std::string last = cellOf(row, F::LastName);
            if (first.size() > 1 && first.front() == '"') {
                first.insert(first.size() - 1, last.empty() ? "" : " " + last);
                cell = first;
            } else {
                cell = first + (first.empty() || last.empty() ? "" : " ") + last;
            }
        }
        line += (k == 0 ? "" : ",") + cell;
    }
    return line;
}

std::string databaseFile(const Layout& layout) {
    std::string text =
        (layout.byteOrderMark ? "\xEF\xBB\xBF" : "") + layout.header + layout.lineEnd;
    std::size_t user = 0;
    for (std::size_t line = 2; user < kUsers.size() || line <= 15; ++line) {
        const auto broken = std::find_if(kBroken.begin(), kBroken.end(),
                                         [&](const auto& b) { return b.first == line; });
        if (broken != kBroken.end()) {
            text += render(layout, broken->second);
            if (line == 9)
                text += ",and,more"; // the comma in the city shifted the cells
        } else if (line == 15) {
            text += render(layout, kRepeated);
        } else if (line == 8) {
            text += "  "; // a blank line is no line
        } else if (user < kUsers.size()) {
            text += render(layout, kUsers[user++]);
        }
        text += layout.lineEnd;
    }
    return text;
}

UserDatabase database(const Layout& layout = kLayoutA) {
    auto parsed = UserDatabase::parse(databaseFile(layout));
    EXPECT_TRUE(parsed.ok()) << (parsed.ok() ? "" : parsed.error().text);
    return std::move(parsed).value();
}

std::vector<std::int32_t> takenIds(const UserDatabase& db, const ContactPlan& plan) {
    std::vector<std::int32_t> ids;
    for (const std::size_t k : plan.taken)
        ids.push_back(db.users()[k].id);
    return ids;
}

// A codeplug with contacts of its own: the new codeplug's group call, a private contact whose
// ID the database holds, a talk group and a friend that a channel calls; a group list of both
// group calls.
Codeplug existingCodeplug() {
    Codeplug codeplug = NewCodeplug(0).value();
    const auto put = [&](std::size_t entry, std::int16_t callType, std::int32_t id,
                         const char* name) {
        ContactRec& contact = codeplug.Contact[entry];
        contact.Used = 1;
        contact.CallType = callType;
        contact.Id = id;
        contact.Name = name;
    };
    put(1, 0, 2620003, "Kept");
    put(2, 1, 9, "TG9");
    put(5, 0, 1234, "Friend");
    codeplug.RxGroup[0].Used = 1;
    codeplug.RxGroup[0].Name = "Local";
    codeplug.RxGroup[0].Count = 2;
    test::setFront(codeplug.RxGroup[0].Members, {0, 2});
    codeplug.Channel[0].Contact = 5;
    return codeplug;
}

class DatabaseContactsTest : public ::testing::Test {
protected:
    Language language;
    ColumnContext context{language, *bandRangesForCode(0)};
};

TEST_F(DatabaseContactsTest, ReadsEveryLayoutSkippingBrokenLines) {
    for (const Layout* layout : {&kLayoutA, &kLayoutB}) {
        const UserDatabase db = database(*layout);
        ASSERT_EQ(db.users().size(), kUsers.size());
        EXPECT_EQ(db.brokenLines(), 6u);
        EXPECT_EQ(
            std::vector<std::uint32_t>(db.firstBrokenLines().begin(), db.firstBrokenLines().end()),
            (std::vector<std::uint32_t>{3, 5, 6, 9, 11}));
        EXPECT_EQ(db.repeatedIds(), 1u);
        ASSERT_EQ(db.columns().size(), layout->columns.size());
        for (const UserField field : layout->columns)
            EXPECT_TRUE(db.has(field)) << userFieldName(field);

        // Users come in file order; quoted cells keep their commas and quotes.
        const UserTexts smith = db.texts(db.users()[1]);
        EXPECT_EQ(smith.name, "Smith, John");
        EXPECT_EQ(smith.country, "germany");
        const UserTexts bear = db.texts(db.users()[3]);
        EXPECT_EQ(bear.name, "Bob \"The Bear\" Smith");
        EXPECT_EQ(bear.remarks, "net control");
        EXPECT_EQ(db.texts(db.users()[6]).city, "北京");
        // Countries compare without case or blanks, and keep the first spelling.
        ASSERT_TRUE(db.countryNamed("GERMANY"));
        EXPECT_EQ(db.countries()[*db.countryNamed("GERMANY")].name, "Germany");
        EXPECT_EQ(db.countries()[*db.countryNamed("germany")].users, 4u);
    }

    // Without a column of radio IDs the file is refused, naming what it has.
    const auto noId = UserDatabase::parse("Callsign,Name,Country\nDL1AAA,Jürgen,Germany\n");
    ASSERT_FALSE(noId.ok());
    EXPECT_NE(noId.error().text.find("\"Callsign\", \"Name\", \"Country\""), std::string::npos)
        << noId.error().text;
    EXPECT_FALSE(UserDatabase::parse("2620001,DL1AAA,Jürgen\n").ok()); // no header row
    EXPECT_FALSE(UserDatabase::parse("\r\n  \n").ok());
}

TEST_F(DatabaseContactsTest, ChoicesTakeExactlyTheExpectedIds) {
    const UserDatabase db = database();
    const Codeplug codeplug = existingCodeplug();
    const auto plan = [&](ContactChoice choice) { return planContacts(db, codeplug, choice); };

    // Germany: the ID a kept contact holds is not taken twice.
    ContactPlan germany = plan({.countries = {"germany"}});
    EXPECT_EQ(takenIds(db, germany), (std::vector<std::int32_t>{2620001, 2620002, 2621005}));
    EXPECT_EQ(germany.matched, 4u);
    EXPECT_EQ(germany.present, 1u);
    EXPECT_EQ(germany.room, kContactCount - 4);

    EXPECT_EQ(takenIds(db, plan({.prefixes = {"310", "46"}})),
              (std::vector<std::int32_t>{3100001, 3100150, 3101000, 3102000, 4600001, 4600100}));
    EXPECT_EQ(
        takenIds(db, plan({.countries = {"United States", "Atlantis"}, .prefixes = {"3101"}})),
        (std::vector<std::int32_t>{3101000}));
    EXPECT_EQ(plan({.countries = {"Atlantis"}}).unknownCountries,
              (std::vector<std::string>{"Atlantis"}));
    // The three nearest to 3100100, in ID order; the lowest three without a near ID.
    EXPECT_EQ(takenIds(db, plan({.nearId = 3100100, .most = 3})),
              (std::vector<std::int32_t>{3100001, 3100150, 3101000}));
    EXPECT_EQ(takenIds(db, plan({.most = 3})),
              (std::vector<std::int32_t>{2080001, 2620001, 2620002}));
    // Replacing frees the private contacts' slots and takes their IDs again.
    const ContactPlan replace =
        plan({.countries = {"Germany"}, .existing = ExistingContacts::Replace});
    EXPECT_EQ(replace.taken.size(), 4u);
    EXPECT_EQ(replace.removed, 2u);
    EXPECT_EQ(replace.room, kContactCount - 2);

    // A codeplug with two free slots takes two, whatever the choice matches.
    Codeplug full = codeplug;
    for (std::size_t entry = 0; entry < kContactCount - 2; ++entry) {
        if (full.Contact[entry].Used > 0)
            continue;
        full.Contact[entry].Used = 1;
        full.Contact[entry].Id = static_cast<std::int32_t>(5000000 + entry);
    }
    const ContactPlan crowded = planContacts(db, full, {});
    EXPECT_EQ(crowded.room, 2u);
    EXPECT_EQ(takenIds(db, crowded), (std::vector<std::int32_t>{2080001, 2620001}));
}

TEST_F(DatabaseContactsTest, PlacementKeepsOrReplacesAsOneUndoableEdit) {
    const Codeplug before = existingCodeplug();
    const UserDatabase db = database(kLayoutB);
    Document document(before);
    auto kept = placeContacts(document, db, {.countries = {"Germany", "china"}}, context);
    ASSERT_TRUE(kept.ok()) << kept.error().text;
    EXPECT_EQ(kept->changes.kind(), EditKind::Import);
    EXPECT_EQ(kept->changes.families().size(), 1u); // contacts only
    const Codeplug& after = document.codeplug();
    for (std::size_t entry = 0; entry < kContactCount; ++entry) {
        if (before.Contact[entry].Used > 0) {
            EXPECT_EQ(after.Contact[entry], before.Contact[entry]) << entry;
        }
    }
    EXPECT_TRUE(after.RxGroup == before.RxGroup);
    EXPECT_TRUE(after.Channel == before.Channel);
    // The free slots from the lowest on, in ID order; texts cut to their fields' bytes in whole
    // characters (two bytes a Chinese character or "ü" in the radio's code page).
    const std::vector<std::pair<std::size_t, std::int32_t>> placed = {
        {3, 2620001}, {4, 2620002}, {6, 2621005}, {7, 4600001}, {8, 4600100}};
    for (const auto& [entry, id] : placed) {
        EXPECT_EQ(after.Contact[entry].Id, id);
        EXPECT_EQ(after.Contact[entry].Used, 1);
        EXPECT_EQ(after.Contact[entry].CallType, 0);
    }
    EXPECT_EQ(after.Contact[3].Name, "Jürgen Müller-");
    EXPECT_EQ(after.Contact[3].Callsign, "DL1AAA");
    EXPECT_EQ(after.Contact[6].Name, "Anna");
    EXPECT_EQ(after.Contact[7].Name, "张伟张伟张伟张伟");
    EXPECT_EQ(after.Contact[7].City, "北京");
    EXPECT_EQ(after.Contact[9].Used, 0);
    EXPECT_EQ(kept->firstSlot, 4u);
    EXPECT_EQ(kept->lastSlot, 9u);
    document.undo(kept->changes);
    EXPECT_TRUE(document.codeplug() == before);

    // Replacing: the private contacts go as Delete takes them (the channel's contact repaired),
    // the group calls and the group list stay.
    Document deleted(before);
    const std::size_t privateEntries[] = {1, 5};
    ASSERT_TRUE(deleteRecords(deleted, Family::Contact, privateEntries).ok());
    auto replaced = placeContacts(
        document, db, {.prefixes = {"262"}, .existing = ExistingContacts::Replace}, context);
    ASSERT_TRUE(replaced.ok());
    EXPECT_EQ(replaced->plan.removed, 2u);
    const Codeplug& now = document.codeplug();
    EXPECT_TRUE(now.Channel == deleted.codeplug().Channel);
    EXPECT_TRUE(now.RxGroup == before.RxGroup);
    EXPECT_EQ(now.Contact[0], before.Contact[0]);
    EXPECT_EQ(now.Contact[2], before.Contact[2]);
    for (const auto& [entry, id] : std::vector<std::pair<std::size_t, std::int32_t>>{
             {1, 2620001}, {3, 2620002}, {4, 2620003}, {5, 2621005}})
        EXPECT_EQ(now.Contact[entry].Id, id) << entry;
    EXPECT_EQ(std::count_if(now.Contact.begin(), now.Contact.end(),
                            [](const ContactRec& c) { return c.Used > 0; }),
              6);
}

} // namespace
} // namespace r605
