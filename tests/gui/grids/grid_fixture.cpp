#include "grid_fixture.h"

#include "grids/record_filter_model.h"
#include "test_support.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QTableView>
#include <QTest>

namespace r605::test {

QStringList tableOf(const QAbstractItemModel& model) {
    QStringList lines;
    QStringList headings;
    for (int column = 0; column < model.columnCount(); ++column)
        headings << model.headerData(column, Qt::Horizontal).toString();
    lines << headings.join('\t');
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells{model.headerData(row, Qt::Vertical).toString()};
        for (int column = 0; column < model.columnCount(); ++column)
            cells << model.index(row, column).data().toString();
        lines << cells.join('\t');
    }
    return lines;
}

GridTest::GridTest() : language(Language::load(sourceDataFolder(), 1)) {}

GridTest::~GridTest() {
    grids.clear(); // before the session and the document they watch
    session.reset();
    document.reset();
}

void GridTest::start(Codeplug codeplug) {
    grids.clear();
    session.reset();
    document = std::make_unique<Document>(std::move(codeplug));
    session = std::make_unique<DocumentSession>(*document, language);
}

RecordGrid& GridTest::showGrid(int grid, int height) {
    grids.push_back(std::make_unique<RecordGrid>(*session, grid));
    RecordGrid& shown = *grids.back();
    shown.resize(900, height);
    shown.show();
    shown.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
    return shown;
}

void GridTest::clickRow(RecordGrid& grid, int row, Qt::KeyboardModifiers modifiers) {
    QTableView& view = grid.view();
    int column = 0;
    while (view.isColumnHidden(column))
        ++column;
    const QModelIndex index = grid.filter().index(row, column);
    view.scrollTo(index);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, view.visualRect(index).center());
}

void GridTest::rightClickRow(RecordGrid& grid, int row) {
    QTableView& view = grid.view();
    const QPoint position = view.visualRect(grid.filter().index(row, 0)).center();
    QTest::mouseClick(view.viewport(), Qt::RightButton, Qt::NoModifier, position);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, position,
                           view.viewport()->mapToGlobal(position));
    QApplication::sendEvent(view.viewport(), &menu);
}

void GridTest::commit(QWidget* editor) {
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

void GridTest::press(RecordGrid& grid, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(&grid.view(), key, modifiers);
}

} // namespace r605::test
