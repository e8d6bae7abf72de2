#pragma once
// Narrows a grid to the records whose name, radio ID or frequency holds the text typed into the
// filter box (in any letter case). While a text is set, rows of records not in use are hidden;
// without one every row shows.

#include <QSortFilterProxyModel>

namespace r605 {

class FamilyTableModel;

class RecordFilterModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit RecordFilterModel(FamilyTableModel& records, QObject* parent = nullptr);

    QString filterText() const { return m_text; }
    void setFilterText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    FamilyTableModel& m_records;
    QString m_text;
};

} // namespace r605
