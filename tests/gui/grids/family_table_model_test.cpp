// The family table models: every grid's model stays sound through every kind of change; the
// channel grid shows its cells, headings, labels and widths as the window must; a change signals
// exactly the rows it touched.
#include "grid_fixture.h"

#include "document/list_edits.h"
#include "grids/record_filter_model.h"
#include "models/family_table_model.h"
#include "schema/grid_layout.h"
#include "schema/new_codeplug.h"
#include "schema/sample_codeplug.h"
#include "test_support.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>

#include <array>
#include <numeric>

namespace r605::test {
namespace {

class FamilyTableModelTest : public GridTest {};

QStringList rowOf(const QAbstractItemModel& model, int row) {
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells << model.index(row, column).data().toString();
    return cells;
}

TEST_F(FamilyTableModelTest, EveryGridStaysSoundThroughEveryKindOfChange) {
    const BandRanges bands = *bandRangesForCode(0);
    start(SampleFullCodeplug(0, bands, 3));
    std::vector<std::unique_ptr<FamilyTableModel>> models;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
    for (int grid = 0; grid < kGridCount; ++grid) {
        models.push_back(std::make_unique<FamilyTableModel>(*session, grid));
        testers.push_back(std::make_unique<QAbstractItemModelTester>(
            models.back().get(), QAbstractItemModelTester::FailureReportingMode::Warning));
    }
    FamilyTableModel& contacts = *models[5];
    std::vector<std::size_t> hundred(100);
    std::iota(hundred.begin(), hundred.end(), std::size_t{20});
    ASSERT_TRUE(session->record(deleteRecords(*document, Family::Contact, hundred)).ok());
    ASSERT_TRUE(session->clipboard().copy(codeplug(), Family::Channel, hundred));
    ASSERT_TRUE(
        session->record(pasteRecords(*document, session->clipboard(), Family::Channel, 3)).ok());
    ASSERT_TRUE(session->record(moveZone(*document, 4, true)).ok());
    ASSERT_TRUE(contacts.setData(contacts.index(0, 2), "Renamed"));
    EXPECT_EQ(contacts.index(0, 2).data().toString(), "Renamed");
    // The recordings grid grows with the recordings in use: a reset.
    ASSERT_TRUE(
        session->record(edit(*document, [](Codeplug& c) { c.Recording[4].Used = 1; })).ok());
    EXPECT_EQ(models[14]->rowCount(), 5);
    // A whole other codeplug, as a loaded file brings it; then everything undone.
    const Codeplug other = SampleFullCodeplug(0, bands, 4);
    ASSERT_TRUE(session
                    ->record(edit(
                        *document, [&](Codeplug& c) { c = other; }, EditKind::LoadFile))
                    .ok());
    EXPECT_EQ(contacts.index(9999, 2).data().toString(),
              QString::fromStdString(other.Contact[9999].Name));
    while (session->undoStack().canUndo())
        session->undoStack().undo();
    EXPECT_TRUE(codeplug() == SampleFullCodeplug(0, bands, 3));
    EXPECT_EQ(models[14]->rowCount(), 1);

    const Language chinese = Language::load(sourceDataFolder(), 2);
    session->setLanguage(chinese);
    EXPECT_EQ(models[0]->headerData(0, Qt::Horizontal).toString(), "接收频率");
    EXPECT_EQ(session->undoStack().text(0), "删除");
    session->setLanguage(language);
}

TEST_F(FamilyTableModelTest, ChannelGridShowsItsCellsHeadingsLabelsAndWidths) {
    Codeplug c = NumberedEmptyCodeplug();
    c.Contact[0].Used = c.Contact[0].CallType = 1;
    c.Contact[0].Name = "Dispatch";
    c.Person[0] = PersonRec{1, 1, 0, 0, "Me"};
    ChannelRec& home = c.Channel[0];
    home.Used = 1;
    home.Name = "Home";
    home.RxFreq = 438.5;
    home.OffsetDir = 2;
    home.Offset = 5.0;
    home.ChType = 1;
    home.Power = 2;
    home.Bandwidth = 1;
    home.RxToneType = 1;
    home.RxCtcss = 1;
    home.TxToneType = 2;
    home.TxDcs = 19 + 512;
    home.Flag33_0 = 1;
    c.Channel[1].RxFreq = 440.0; // not in use: shown empty
    ChannelRec& own = c.Channel[2];
    own.Used = 1;
    own.RxFreq = 430.0125;
    own.RxToneType = 1;
    own.RxCtcss = 51; // the channel's own tone
    own.CustomCtcss = 2511;
    own.Contact = 5;  // a contact not in use
    own.RadioId = -1; // none
    start(c);

    FamilyTableModel channels(*session, 0);
    EXPECT_EQ(channels.rowCount(), 256);
    EXPECT_EQ(rowOf(channels, 0),
              (QStringList{"438.50000", "433.50000", "Digital", "High", "25 kHz", "67.0", "D023I",
                           "Home", "Dispatch", "Me", "Slot 2"}));
    EXPECT_EQ(rowOf(channels, 1), QStringList(11, QString()));
    EXPECT_EQ(rowOf(channels, 2), (QStringList{"430.01250", "430.01250", "Analog", "Low",
                                               "12.5 kHz", "251.1", "Off", "", "", "", "Slot 1"}));
    EXPECT_EQ(channels.headerData(0, Qt::Horizontal).toString(), "RX Freq");
    EXPECT_EQ(channels.headerData(7, Qt::Horizontal).toString(), "Channel Name");
    EXPECT_EQ(channels.headerData(0, Qt::Vertical).toString(), "1");
    EXPECT_EQ(channels.headerData(255, Qt::Vertical).toString(), "256");
    EXPECT_TRUE(channels.flags(channels.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(channels.flags(channels.index(1, 0)) & Qt::ItemIsEditable);

    const Language chinese = Language::load(sourceDataFolder(), 2);
    session->setLanguage(chinese);
    EXPECT_EQ(channels.index(0, 2).data().toString(), "数字");
    EXPECT_EQ(channels.index(2, 6).data().toString(), "关");
    session->setLanguage(language);
    // The labels of the contact pages, the radio's own information (no rows), the ARC4 keys'
    // 32 rows and the recordings' one row.
    FamilyTableModel pages(*session, 17);
    pages.setContactPage(2);
    EXPECT_EQ(pages.headerData(0, Qt::Vertical).toString(), "40001");
    EXPECT_EQ(pages.headerData(0, Qt::Horizontal).toString(), "Radio ID");
    EXPECT_EQ(FamilyTableModel(*session, 13).rowCount(), 0);
    EXPECT_EQ(FamilyTableModel(*session, 10).rowCount(), 32);
    EXPECT_EQ(FamilyTableModel(*session, 14).rowCount(), 1);
    // Widths from twips; the channel name is hidden.
    RecordGrid& grid = showGrid(0);
    const auto layout = gridColumns(0);
    for (int column = 0; column < static_cast<int>(layout.size()); ++column) {
        const int twips = layout[static_cast<std::size_t>(column)].widthTwips;
        EXPECT_EQ(grid.view().isColumnHidden(column), twips == 0) << column;
        if (twips > 0) {
            EXPECT_GE(grid.view().columnWidth(column), twips / 15) << column;
        }
    }
    EXPECT_TRUE(grid.view().isColumnHidden(7));
    EXPECT_EQ(grid.view().verticalHeader()->width(), 800 / 15);
    // A delete signals its two rows; a renamed contact the column that shows contacts.
    QSignalSpy changed(&channels, &QAbstractItemModel::dataChanged);
    const auto rows = [&changed] { // the first and last row of each signal
        std::vector<int> signalled;
        for (const QList<QVariant>& arguments : changed)
            signalled.insert(signalled.end(), {arguments[0].toModelIndex().row(),
                                               arguments[1].toModelIndex().row()});
        return signalled;
    };
    const std::array<std::size_t, 2> deleted{0, 2};
    ASSERT_TRUE(session->record(deleteRecords(*document, Family::Channel, deleted)).ok());
    EXPECT_EQ(rows(), (std::vector<int>{0, 0, 2, 2}));
    changed.clear();
    ASSERT_TRUE(
        session->record(setCell(*document, Family::Contact, 0, 3, "Base", session->columnContext()))
            .ok());
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().column(), 8);
    EXPECT_EQ(rows(), (std::vector<int>{0, 255}));
}

} // namespace
} // namespace r605::test
