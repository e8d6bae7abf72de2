#include "grids/record_filter_model.h"

#include "models/family_table_model.h"

namespace r605 {

RecordFilterModel::RecordFilterModel(FamilyTableModel& records, QObject* parent)
    : QSortFilterProxyModel(parent), m_records(records) {
    setSourceModel(&records);
}

void RecordFilterModel::setFilterText(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed == m_text)
        return;
    m_text = trimmed;
    invalidateRowsFilter();
}

bool RecordFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return m_text.isEmpty() || m_records.rowMatches(sourceRow, m_text);
}

} // namespace r605
