#pragma once
// What the GUI tests share: a document and its session in the English interface, grids shown
// offscreen, and the user's clicks and keys on them.

#include "document_edit.h"
#include "grids/record_grid.h"
#include "model/codeplug.h"
#include "models/document_session.h"
#include "text/language.h"

#include <QAbstractItemModel>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace r605::test {

// Everything a model shows, one line a row: the row label, then the cells; the headings first.
QStringList tableOf(const QAbstractItemModel& model);

class GridTest : public ::testing::Test {
protected:
    GridTest();
    ~GridTest() override;

    void start(Codeplug codeplug);
    // A grid of the document, shown and active, `height` pixels tall.
    RecordGrid& showGrid(int grid, int height = 500);
    // A click on the row as the grid shows it (0-based), with Shift or Ctrl to extend.
    void clickRow(RecordGrid& grid, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void press(RecordGrid& grid, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // The right mouse button on the row: the press, then the context menu the platform sends.
    void rightClickRow(RecordGrid& grid, int row);
    // Enter in a cell editor; the view takes the editor's text once the event loop runs.
    void commit(QWidget* editor);

    const Codeplug& codeplug() const { return document->codeplug(); }

    Language language;
    std::unique_ptr<Document> document;
    std::unique_ptr<DocumentSession> session;
    std::vector<std::unique_ptr<RecordGrid>> grids;
};

} // namespace r605::test
