// The document: observers hear the rows that changed and when the unsaved state flips; a failed
// edit leaves nothing behind; random edits undone one by one give back the starting codeplug.
#include "document/list_edits.h"
#include "document_edit.h"
#include "schema/family_columns.h"
#include "schema/sample_codeplug.h"
#include "test_support.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <random>

namespace r605 {
namespace {

TEST(Document, ObserversHearTheChangedRowsAndTheUnsavedState) {
    Codeplug start;
    start.Channel[3].Used = 1;
    Document document(start);
    std::vector<std::size_t> rows;
    std::vector<bool> flips;
    const int id = document.addObserver([&](const DocumentChange& change) {
        rows = change.changes.entries(Family::Channel);
        flips.push_back(change.unsavedChanged);
    });

    auto edit = document.apply(EditKind::Other, [](Codeplug& c) {
        c.Channel[7].Used = 1;
        c.Channel[3].Name = "Home";
        return Status::success();
    });
    ASSERT_TRUE(edit.ok());
    EXPECT_EQ(rows, (std::vector<std::size_t>{3, 7}));
    EXPECT_TRUE(document.hasUnsavedChanges());
    document.undo(*edit);
    EXPECT_FALSE(document.hasUnsavedChanges());
    document.redo(*edit);
    document.markSaved();
    EXPECT_FALSE(document.hasUnsavedChanges());
    EXPECT_EQ(flips, (std::vector<bool>{true, true, true, true}));
    // A failed edit is taken back whole and nobody hears of it.
    const Codeplug before = document.codeplug();
    flips.clear();
    auto failed = document.apply(EditKind::Other, [](Codeplug& c) {
        c.Contact[9].Used = 1;
        return Status(Error::literal("refused"));
    });
    EXPECT_FALSE(failed.ok());
    EXPECT_TRUE(document.codeplug() == before);
    EXPECT_TRUE(flips.empty());

    document.removeObserver(id);
    test::change(document, [](Codeplug& c) { c.Zone[0].Used = 1; });
    EXPECT_TRUE(flips.empty());
}

// Deletes, pastes, cuts, zone moves and cell edits in random order on a full codeplug, then
// every change set undone from the last: the codeplug must be the one we started with.
TEST(Document, RandomEditsUndoneGiveBackTheStart) {
    const BandRanges bands = *bandRangesForCode(0);
    const Codeplug start = SampleFullCodeplug(0, bands, 11);
    Document document(start);
    Clipboard clipboard;
    const Language language = Language::load(test::sourceDataFolder(), 1);
    const ColumnContext context{language, bands};
    std::mt19937 random(5);
    const std::array families{Family::Channel,  Family::Person,  Family::Zone,
                              Family::ScanList, Family::Contact, Family::RxGroup};
    std::vector<ChangeSet> history;
    for (int step = 0; step < 150; ++step) {
        const Family family = families[random() % families.size()];
        const std::size_t size = familyInfo(family).count;
        const std::size_t entry = random() % size;
        const std::array<std::size_t, 2> entries{entry, (entry + 3) % size};
        Result<ChangeSet> changes = ChangeSet();
        switch (random() % 5) {
        case 0:
            changes = deleteRecords(document, family, entries);
            break;
        case 1:
            clipboard.copy(document.codeplug(), family, entries);
            changes = pasteRecords(document, clipboard, family, random() % size);
            break;
        case 2:
            changes = cutRecords(document, clipboard, family, entries);
            break;
        case 3:
            changes = moveZone(document, random() % 16, random() % 2 == 0);
            break;
        default: {
            // A cell of another record shown, then typed here.
            const FamilyColumns& columns = *columnsOf(family);
            const std::size_t column = 1 + random() % (columns.columns().size() - 1);
            const std::string text =
                columns.format(document.codeplug(), random() % size, column, context);
            changes = setCell(document, family, entry, column, text, context);
        }
        }
        if (changes.ok())
            history.push_back(std::move(*changes));
    }
    EXPECT_FALSE(document.codeplug() == start);
    for (auto it = history.rbegin(); it != history.rend(); ++it)
        document.undo(*it);
    EXPECT_TRUE(document.codeplug() == start);
}

} // namespace
} // namespace r605
