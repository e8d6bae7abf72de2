#pragma once
// A plain read-only grid and session, standing in for the record grids and their undo session
// until those join the program: the same interface the window uses (the document, its undo
// stack, the language; the grid's view, its list-edit actions and the openRecord signal).

#include "document/document.h"
#include "schema/family.h"

#include <QAbstractTableModel>
#include <QUndoStack>
#include <QWidget>

#include <cstddef>

class QAction;
class QTableView;

namespace r605 {

class Language;

class StandInSession : public QObject {
    Q_OBJECT

public:
    StandInSession(Document& document, const Language& language, QObject* parent = nullptr);

    Document& document() { return m_document; }
    const Language& language() const { return *m_language; }
    QUndoStack& undoStack() { return m_undoStack; }
    void setLanguage(const Language& language);

signals:
    void languageChanged();

private:
    Document& m_document;
    const Language* m_language;
    QUndoStack m_undoStack;
};

class StandInGrid : public QWidget {
    Q_OBJECT

public:
    StandInGrid(StandInSession& session, int grid, QWidget* parent = nullptr);
    ~StandInGrid() override;

    int grid() const { return m_grid; }
    Family family() const { return static_cast<Family>(m_grid); }
    QTableView& view() { return *m_view; }
    QAction& copyAction() { return *m_copy; }
    QAction& cutAction() { return *m_copy; }
    QAction& pasteAction() { return *m_copy; }
    QAction& deleteAction() { return *m_copy; }
    QAction& zoneUpAction() { return *m_copy; }
    QAction& zoneDownAction() { return *m_copy; }

public slots:
    void retranslate();

signals:
    void openRecord(r605::Family family, std::size_t entry);

private:
    StandInSession& m_session;
    int m_grid;
    QAbstractTableModel* m_model;
    QTableView* m_view;
    QAction* m_copy;
    int m_observer = 0;
};

} // namespace r605
