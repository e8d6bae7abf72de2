#pragma once
// One record grid of the main window: the table of a family's records with a filter box above
// it. Rows are selected whole, several at once; Ctrl+C, Ctrl+X, Ctrl+V and Delete copy, cut,
// paste and delete the selected records (each one undo step), the right mouse button pops up the
// list-edit menu, Enter and a double-click ask for the record's editing form. The zone grid moves
// its current zone up and down. Every change goes through the document's undo stack.

#include "schema/family.h"

#include <QWidget>

#include <cstddef>
#include <optional>
#include <vector>

class QAction;
class QFontMetrics;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

namespace r605 {

class DocumentSession;
class FamilyTableModel;
class RecordFilterModel;
class Status;

class RecordGrid : public QWidget {
    Q_OBJECT

public:
    RecordGrid(DocumentSession& session, int grid, QWidget* parent = nullptr);

    int grid() const;
    Family family() const;
    FamilyTableModel& records() { return *m_records; }
    RecordFilterModel& filter() { return *m_filter; }
    QTableView& view() { return *m_view; }
    QLineEdit& filterBox() { return *m_filterBox; }

    // The list-edit menu (MnuListEdit) and its commands, for the window's menus and toolbar:
    // MnuLECopy, MnuLECut, MnuLEPaste, MnuLEDelete; T_Up and T_Down move the current zone.
    QMenu& listEditMenu() { return *m_menu; }
    QAction& copyAction() { return *m_copy; }
    QAction& cutAction() { return *m_cut; }
    QAction& pasteAction() { return *m_paste; }
    QAction& deleteAction() { return *m_delete; }
    QAction& zoneUpAction() { return *m_zoneUp; }
    QAction& zoneDownAction() { return *m_zoneDown; }

    // The records (0-based entries, ascending) of the selected rows; the current row's when
    // no row is selected.
    std::vector<std::size_t> selectedEntries() const;
    // Makes the record's row current and the only one selected (when it shows).
    void selectEntry(std::size_t entry);

public slots:
    void copy();
    void cut();
    void paste();
    void deleteSelected();
    void moveZoneUp();
    void moveZoneDown();
    // Captions and headings in the interface language; the columns fitted to the headings.
    void retranslate();

signals:
    // The user asks for a record's editing form.
    void openRecord(r605::Family family, std::size_t entry);
    // An edit was refused; the message says why, for the status bar.
    void editRefused(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* makeAction(const char* name, void (RecordGrid::*slot)());
    bool handleKey(const QKeyEvent& key);
    std::optional<std::size_t> currentEntry() const;
    // The current cell's column, or the first column that shows: the view ignores hidden ones.
    int shownColumn() const;
    void openCurrent();
    void moveZone(bool up);
    bool rowInSight(int shownRow) const;
    void scrollToZoneRow(int shownRow);
    void showListEditMenu(const QPoint& position);
    void updateActions();
    void applyColumnLayout();
    int widestValue(int column, const QFontMetrics& metrics) const;
    int widestShown(int column, const QFontMetrics& metrics) const;
    void report(const Status& status);

    DocumentSession& m_session;
    FamilyTableModel* m_records;
    RecordFilterModel* m_filter;
    QLineEdit* m_filterBox;
    QLabel* m_message;
    QTableView* m_view;
    QMenu* m_menu;
    QAction* m_copy;
    QAction* m_cut;
    QAction* m_paste;
    QAction* m_delete;
    QAction* m_zoneUp;
    QAction* m_zoneDown;
};

} // namespace r605
