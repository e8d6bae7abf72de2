#pragma once
// The records of one grid of the main window as a table model, one class for every family: the
// cells come from the family's columns in the grid's order, the headings from the language file,
// the row label (the vertical header) is the record's number. Rows of records not in use are
// empty. An edit of a cell is a document edit on the undo stack; the model follows the document
// and signals exactly the rows a change touched.

#include "document/document.h"
#include "schema/family_columns.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <cstddef>
#include <optional>
#include <vector>

namespace r605 {

class DocumentSession;

class FamilyTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // `grid`: the main window's grid index, 0 to 19. The session outlives the model.
    FamilyTableModel(DocumentSession& session, int grid, QObject* parent = nullptr);
    ~FamilyTableModel() override;

    int grid() const { return m_grid; }
    Family family() const { return m_family; }
    // The family whose records the rows are: the contacts for the contact pages.
    Family recordFamily() const { return m_recordFamily; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // What a cell editor needs: the family column of a grid column (none for a cell the grid
    // leaves empty), and the texts a choice offers (option texts; the in-use names of a
    // reference's family with "" for none first; the tones).
    const ColumnInfo* columnInfo(int column) const;
    QStringList choices(int column) const;

    // The column's width in twips as the grid lays it out; 0 hides it.
    int columnTwips(int column) const;

    // The record of a row (0-based entry) is in use.
    bool rowInUse(int row) const;
    // The row's record is in use and its name, ID or a frequency holds `needle` (any case).
    bool rowMatches(int row, const QString& needle) const;

    // The contact page whose labels the contact pages grid shows (page x 20000 + row).
    void setContactPage(int page);
    int contactPage() const { return m_contactPage; }

public slots:
    // The interface language changed: headings and option texts are read again.
    void retranslate();

signals:
    // A cell's text was refused; the message says why, in the interface language.
    void editRefused(const QString& message);

private:
    struct GridCell {
        std::optional<std::size_t> column; // the family column shown, none for an empty cell
        int twips = 0;
    };

    int currentRowCount() const;
    QString cellText(int row, std::size_t column) const;
    void documentChanged(const DocumentChange& change);
    void refreshRows(const std::vector<std::size_t>& entries);
    void refreshColumnsShowingOthers(const ChangeSet& changes);
    void refreshAll();

    DocumentSession& m_session;
    int m_grid;
    Family m_family;
    Family m_recordFamily;
    const FamilyColumns* m_columns; // null for a grid without records of the codeplug
    std::vector<GridCell> m_cells;
    std::vector<std::size_t> m_filterColumns;
    int m_rows = 0;
    int m_contactPage = 0;
    int m_observer = 0;
};

} // namespace r605
