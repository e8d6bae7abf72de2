// The record grids driven as a user drives them: keys, clicks and the list-edit menu, then what
// the document holds, and what undo and redo give back.
#include "grid_fixture.h"

#include "grids/record_filter_model.h"
#include "models/family_table_model.h"
#include "schema/new_codeplug.h"
#include "schema/sample_codeplug.h"
#include "test_support.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>

#include <functional>

namespace r605::test {
namespace {

class RecordGridTest : public GridTest {};

// Every cell of the grids shown (channels, zones, contacts, group lists), as their own models
// give them: the models must follow each edit, undo and redo.
std::vector<QStringList> tablesOf(const std::vector<RecordGrid*>& grids) {
    std::vector<QStringList> tables;
    for (RecordGrid* grid : grids)
        tables.push_back(tableOf(grid->records()));
    return tables;
}

TEST_F(RecordGridTest, CopyAndPasteGiveUniqueNamesOneUndoStepEach) {
    Codeplug c = NumberedEmptyCodeplug();
    c.Channel[0].Used = 1;
    c.Channel[0].Name = "Home";
    c.Channel[0].RxFreq = 438.5;
    start(c);
    RecordGrid& grid = showGrid(0);

    clickRow(grid, 0);
    press(grid, Qt::Key_C, Qt::ControlModifier);
    clickRow(grid, 4);
    press(grid, Qt::Key_V, Qt::ControlModifier);
    clickRow(grid, 5);
    press(grid, Qt::Key_V, Qt::ControlModifier);
    // Names made unique and slot numbers kept are ListEdits.PastedRecordsKeepTheirSlotAnd-
    // GetUniqueNames'; here the keys reach them and the grid shows the result.
    EXPECT_EQ(codeplug().Channel[5].Name, "Home2");
    EXPECT_EQ(grid.records().index(5, 0).data().toString(), "438.50000");
    EXPECT_EQ(session->undoStack().count(), 2);
    // Six rows copied at once, pasted from row 11 on in one step; unused rows stay unused.
    clickRow(grid, 0);
    clickRow(grid, 5, Qt::ShiftModifier);
    EXPECT_EQ(grid.selectedEntries().size(), 6u);
    press(grid, Qt::Key_C, Qt::ControlModifier);
    clickRow(grid, 10);
    press(grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(session->undoStack().count(), 3);
    EXPECT_EQ(test::mapped<int>([&](int n) { return codeplug().Channel[n].Used; },
                                {10, 11, 12, 13, 14, 15, 16}),
              (std::vector<int>{1, 0, 0, 0, 1, 1, 0}));
}

TEST_F(RecordGridTest, TextMessagesAndArc4KeysShareOneClipboard) {
    Codeplug c = NumberedEmptyCodeplug();
    c.TextMessage1[0].Used = 1;
    c.TextMessage1[0].Text = "Hello";
    c.Arc4Key[0].KeyId = 3;
    start(c);
    RecordGrid& messages = showGrid(9);
    RecordGrid& keys = showGrid(10);

    clickRow(messages, 0);
    press(messages, Qt::Key_C, Qt::ControlModifier);
    clickRow(keys, 0);
    press(keys, Qt::Key_C, Qt::ControlModifier);
    clickRow(messages, 1);
    press(messages, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(codeplug().TextMessage1[1].Used, 0) << "the key copied last is no message";
    EXPECT_EQ(session->undoStack().count(), 0);
    clickRow(keys, 1);
    press(keys, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(codeplug().Arc4Key[1].KeyId, 3);
}

TEST_F(RecordGridTest, TheListEditMenuDeletesButTheLastGroupContactStays) {
    Codeplug c = NumberedEmptyCodeplug();
    c.Contact[0].Used = 1;
    c.Contact[0].CallType = 1;
    c.Contact[0].Name = "All";
    c.Contact[1].Used = 1;
    c.Contact[1].Name = "Bob";
    start(c);
    RecordGrid& grid = showGrid(5);

    clickRow(grid, 0);
    press(grid, Qt::Key_Delete);
    EXPECT_EQ(codeplug().Contact[0].Used, 1);
    EXPECT_EQ(session->undoStack().count(), 0);
    // Right-click on Bob's row: the row is selected and the menu pops up.
    rightClickRow(grid, 1);
    QMenu& menu = grid.listEditMenu();
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(grid.selectedEntries(), std::vector<std::size_t>{1});
    for (const char* name : {"MnuLECopy", "MnuLECut", "MnuLEPaste", "MnuLEDelete"})
        EXPECT_TRUE(menu.actions().contains(grid.findChild<QAction*>(name))) << name;
    EXPECT_TRUE(menu.actions().at(0)->text().startsWith("Copy"));
    grid.findChild<QAction*>("MnuLEDelete")->trigger();
    menu.hide();
    EXPECT_EQ(codeplug().Contact[1].Used, 0);
}

TEST_F(RecordGridTest, EnterAndDoubleClickAskForTheRecordsForm) {
    Codeplug c = NumberedEmptyCodeplug();
    c.Channel[2].Used = 1;
    start(c);
    RecordGrid& grid = showGrid(0);
    std::vector<std::pair<Family, std::size_t>> opened;
    QObject::connect(&grid, &RecordGrid::openRecord,
                     [&](Family family, std::size_t entry) { opened.emplace_back(family, entry); });
    clickRow(grid, 2);
    press(grid, Qt::Key_Return);
    const QModelIndex row = grid.filter().index(7, 0);
    clickRow(grid, 7); // the first click of the two
    QTest::mouseDClick(grid.view().viewport(), Qt::LeftButton, Qt::NoModifier,
                       grid.view().visualRect(row).center());
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], std::make_pair(Family::Channel, std::size_t{2}));
    EXPECT_EQ(opened[1], std::make_pair(Family::Channel, std::size_t{7}));
    EXPECT_EQ(session->undoStack().count(), 0) << "opening edits nothing";
}

TEST_F(RecordGridTest, ZoneMovesKeepSlotNumbersAndTheSelectionFollows) {
    Codeplug c = NumberedEmptyCodeplug();
    for (std::size_t i = 0; i < 5; ++i) {
        c.Zone[i].Used = 1;
        c.Zone[i].Name = "Z" + std::to_string(i + 1);
    }
    start(c);
    RecordGrid& grid = showGrid(2, 170); // a few rows show
    QAction& up = grid.zoneUpAction();
    QAction& down = grid.zoneDownAction();

    clickRow(grid, 2);
    up.trigger();
    const auto zones = [&] {
        std::vector<std::string> named; // each slot's number and the name of the zone in it
        for (const ZoneRec& zone : codeplug().Zone)
            named.push_back(std::to_string(zone.Number) + " " + zone.Name);
        return std::vector<std::string>(named.begin(), named.begin() + 5);
    };
    EXPECT_EQ(zones(), (std::vector<std::string>{"1 Z1", "2 Z3", "3 Z2", "4 Z4", "5 Z5"}));
    EXPECT_EQ(grid.selectedEntries(), std::vector<std::size_t>{1});
    up.trigger();
    up.trigger(); // the first zone does not move up
    EXPECT_EQ(codeplug().Zone[0].Name, "Z3");
    EXPECT_EQ(session->undoStack().count(), 2);
    // Down past the rows that show: the grid scrolls the zone back into sight.
    QTableView& view = grid.view();
    const int rowHeight = view.rowHeight(0);
    const int shown = view.viewport()->height() / rowHeight;
    ASSERT_LT(shown, 8);
    for (int row = 0; row < shown; ++row)
        down.trigger();
    const int zoneRow = shown + 1; // counted from 1
    EXPECT_EQ(grid.selectedEntries(), std::vector<std::size_t>{static_cast<std::size_t>(shown)});
    EXPECT_EQ(codeplug().Zone[static_cast<std::size_t>(shown)].Name, "Z3");
    const int expectedTop = std::max(std::min(zoneRow + shown / 2, 16) - shown + 1, 1);
    EXPECT_EQ(view.rowAt(0) + 1, expectedTop);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(codeplug().Zone[i].Number, static_cast<int>(i + 1));

    clickRow(grid, 15);
    down.trigger(); // the last zone does not move down
    EXPECT_EQ(grid.selectedEntries(), std::vector<std::size_t>{15});
}

TEST_F(RecordGridTest, UndoAndRedoOfEveryKindOfEditGiveBackTheTables) {
    const BandRanges bands = *bandRangesForCode(0);
    start(SampleFullCodeplug(0, bands, 5));
    RecordGrid& channels = showGrid(0);
    RecordGrid& zones = showGrid(2);
    RecordGrid& contacts = showGrid(5);
    const std::vector<RecordGrid*> shown{&channels, &zones, &contacts, &showGrid(15)};

    const std::vector<std::function<void()>> edits{
        [&] { // a cell typed
            ASSERT_TRUE(contacts.records().setData(contacts.records().index(3, 2), "Renamed"));
        },
        [&] { // delete of a contact that group lists and channels use
            clickRow(contacts, 0);
            press(contacts, Qt::Key_Delete);
        },
        [&] { // rows 2 to 5 and 7 cut: channels that zones and scan lists hold
            clickRow(channels, 1);
            clickRow(channels, 4, Qt::ShiftModifier);
            clickRow(channels, 6, Qt::ControlModifier);
            ASSERT_EQ(channels.selectedEntries(), (std::vector<std::size_t>{1, 2, 3, 4, 6}));
            press(channels, Qt::Key_X, Qt::ControlModifier);
        },
        [&] {
            clickRow(channels, 100);
            press(channels, Qt::Key_V, Qt::ControlModifier);
        },
        [&] {
            clickRow(zones, 3);
            zones.zoneDownAction().trigger();
        },
    };
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const Codeplug before = codeplug();
        const auto tablesBefore = tablesOf(shown);
        const int steps = session->undoStack().count();
        edits[i]();
        ASSERT_EQ(session->undoStack().count(), steps + 1) << "edit " << i;
        const auto tablesAfter = tablesOf(shown);
        EXPECT_NE(tablesAfter, tablesBefore) << "edit " << i;
        session->undoStack().undo();
        EXPECT_TRUE(codeplug() == before) << "edit " << i;
        EXPECT_EQ(tablesOf(shown), tablesBefore) << "edit " << i;
        session->undoStack().redo();
        EXPECT_EQ(tablesOf(shown), tablesAfter) << "edit " << i;
    }
}

TEST_F(RecordGridTest, TheFilterNarrowsTheRowsAsYouType) {
    const BandRanges bands = *bandRangesForCode(0);
    start(SampleFullCodeplug(0, bands, 6));
    RecordGrid& grid = showGrid(5);
    // A piece of a name that is in the table, typed in the other letter case.
    const QString name = QString::fromStdString(codeplug().Contact[7].Name);
    const QString needle = name.mid(2, 3).toUpper() == name.mid(2, 3) ? name.mid(2, 3).toLower()
                                                                      : name.mid(2, 3).toUpper();
    const auto expectedRows = [&](const QString& typed) {
        int rows = 0;
        for (const ContactRec& contact : codeplug().Contact) {
            rows += contact.Used != 0 &&
                    (QString::fromStdString(contact.Name).contains(typed, Qt::CaseInsensitive) ||
                     QString::number(contact.Id).contains(typed));
        }
        return rows;
    };

    QTest::keyClicks(&grid.filterBox(), needle.left(1));
    EXPECT_EQ(grid.filter().rowCount(), expectedRows(needle.left(1)));
    QTest::keyClicks(&grid.filterBox(), needle.mid(1));
    EXPECT_EQ(grid.filter().rowCount(), expectedRows(needle));
    EXPECT_GE(grid.filter().rowCount(), 1);
    // A deleted record leaves the filtered rows; the labels stay the record numbers.
    const int before = grid.filter().rowCount();
    const QString label = grid.filter().headerData(0, Qt::Vertical).toString();
    EXPECT_EQ(label, grid.records().headerData(label.toInt() - 1, Qt::Vertical).toString());
    ASSERT_TRUE(session
                    ->record(deleteRecords(*document, Family::Contact,
                                           std::vector<std::size_t>{label.toUInt() - 1}))
                    .ok());
    ASSERT_EQ(codeplug().Contact[label.toUInt() - 1].Used, 0);
    EXPECT_EQ(grid.filter().rowCount(), before - 1);
    // By radio ID, then the box cleared: every row again, those not in use too.
    grid.filterBox().clear();
    QTest::keyClicks(&grid.filterBox(), QString::number(codeplug().Contact[9].Id));
    EXPECT_EQ(grid.filter().rowCount(), expectedRows(QString::number(codeplug().Contact[9].Id)));
    grid.filterBox().clear();
    EXPECT_EQ(grid.filter().rowCount(), 10000);

    RecordGrid& channels = showGrid(0);
    const QString frequency = channels.records().index(0, 0).data().toString();
    QTest::keyClicks(&channels.filterBox(), frequency);
    ASSERT_GE(channels.filter().rowCount(), 1);
    EXPECT_EQ(channels.filter().index(0, 0).data().toString(), frequency);
}

TEST_F(RecordGridTest, CellsAreEditedThroughTheirEditors) {
    Codeplug c = NumberedEmptyCodeplug();
    c.Contact[0].Used = 1;
    c.Contact[0].CallType = 1;
    c.Contact[0].Name = "Alice";
    c.Channel[0].Used = 1;
    c.Channel[0].RxFreq = 438.5;
    start(c);
    RecordGrid& channels = showGrid(0);
    QTableView& view = channels.view();
    const auto openEditor = [&](RecordGrid& grid, int row, int column) {
        grid.view().setCurrentIndex(grid.filter().index(row, column));
        QTest::keyClick(&grid.view(), Qt::Key_F2);
        return grid.view().indexWidget(grid.filter().index(row, column));
    };
    // An option from its list.
    auto* power = qobject_cast<QComboBox*>(openEditor(channels, 0, 3));
    ASSERT_NE(power, nullptr);
    EXPECT_FALSE(power->isEditable());
    power->setCurrentText("High");
    commit(power);
    EXPECT_EQ(codeplug().Channel[0].Power, 2);
    // A tone typed into its list; a contact chosen by name.
    auto* tone = qobject_cast<QComboBox*>(openEditor(channels, 0, 5));
    ASSERT_NE(tone, nullptr);
    ASSERT_TRUE(tone->isEditable());
    tone->setEditText("D023N");
    commit(tone);
    EXPECT_EQ(codeplug().Channel[0].RxToneType, 2);
    EXPECT_EQ(codeplug().Channel[0].RxDcs, 19);
    auto* contact = qobject_cast<QComboBox*>(openEditor(channels, 0, 8));
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->findText("Alice"), 1) << "none first, then the contacts in use";
    // A frequency takes digits and a point only; one out of band is refused and said so.
    QTest::keyClick(contact, Qt::Key_Escape);
    QCoreApplication::processEvents();
    auto* frequency = qobject_cast<QLineEdit*>(openEditor(channels, 0, 0));
    ASSERT_NE(frequency, nullptr);
    frequency->selectAll();
    QTest::keyClicks(frequency, "4a3b9.x25");
    EXPECT_EQ(frequency->text(), "439.25");
    commit(frequency);
    EXPECT_DOUBLE_EQ(codeplug().Channel[0].RxFreq, 439.25);
    const Codeplug before = codeplug();
    frequency = qobject_cast<QLineEdit*>(openEditor(channels, 0, 0));
    ASSERT_NE(frequency, nullptr);
    frequency->selectAll();
    QTest::keyClicks(frequency, "999");
    commit(frequency);
    EXPECT_TRUE(codeplug() == before);
    EXPECT_FALSE(channels.findChild<QLabel*>("lblGridMessage")->text().isEmpty());
    EXPECT_TRUE(view.isVisible());
    // A name: typing starts the editor, no more bytes than the field holds, and the edits of
    // one cell are one undo step.
    RecordGrid& contacts = showGrid(5);
    const int steps = session->undoStack().count();
    contacts.view().setCurrentIndex(contacts.filter().index(0, 2));
    QTest::keyClick(&contacts.view(), Qt::Key_B);
    auto* name =
        qobject_cast<QLineEdit*>(contacts.view().indexWidget(contacts.filter().index(0, 2)));
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, "ob the builder of everything");
    EXPECT_EQ(name->text(), "bob the builder ");
    commit(name);
    EXPECT_EQ(codeplug().Contact[0].Name, "bob the builder");
    name = qobject_cast<QLineEdit*>(openEditor(contacts, 0, 2));
    ASSERT_NE(name, nullptr);
    name->setText("Bob");
    commit(name);
    EXPECT_EQ(codeplug().Contact[0].Name, "Bob");
    EXPECT_EQ(session->undoStack().count(), steps + 1);
    session->undoStack().undo();
    EXPECT_EQ(codeplug().Contact[0].Name, "Alice");
}

} // namespace
} // namespace r605::test
