#include "models/family_table_model.h"

#include "document/list_edits.h"
#include "models/document_session.h"
#include "rules/ctcss.h"
#include "rules/dcs.h"
#include "schema/column_builders.h"
#include "schema/grid_layout.h"
#include "text/language.h"

#include <algorithm>

namespace r605 {

namespace {

// Rows are refreshed one run of neighbours at a time; beyond this many runs one signal for the
// whole grid costs the views less.
constexpr std::size_t kMostRowRuns = 64;

// Option values offered one by one when their range is this small; larger ranges offer the
// values that have texts.
constexpr std::int64_t kMostListedValues = 32;

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// A column whose value the user can type. A text column without a byte length of its own is
// worked out from several fields (a logged moment, the contact name of a logged ID): shown only.
bool canBeTyped(const ColumnInfo& column) {
    switch (column.kind) {
    case ColumnKind::Number:
        return false;
    case ColumnKind::Text:
        return column.length > 0;
    default:
        return true;
    }
}

// A text worked out from other records (a reference's name, a contact looked up by ID): it
// changes when those records do.
bool showsOtherRecords(const ColumnInfo& column) {
    return column.reference.has_value() || (column.kind == ColumnKind::Text && column.length == 0);
}

// The columns the filter box searches: names, radio IDs and frequencies. Families without names
// (messages, logs) are searched by their texts.
bool searchedByFilter(const FamilyInfo& family, const ColumnInfo& column, bool shown) {
    if (column.kind == ColumnKind::Frequency)
        return true;
    if (!family.nameField.empty())
        return column.name == family.nameField ||
               (shown && column.kind == ColumnKind::Integer && column.name.ends_with("Id"));
    return shown && (column.kind == ColumnKind::Text ||
                     (column.kind == ColumnKind::Integer && column.name.ends_with("Id")));
}

// The row label of a record row: its number, or for the contact pages page x 20000 + number.
int rowLabel(int grid, int page, int row) {
    const int number = row + 1;
    return grid == static_cast<int>(Family::ContactPage) ? page * 20000 + number : number;
}

QStringList optionTexts(const ColumnInfo& column, const ColumnContext& context) {
    const std::int64_t low = std::max<std::int64_t>(column.min, 0);
    std::int64_t high = column.max;
    if (high - low >= kMostListedValues) {
        const std::size_t named = column.kind == ColumnKind::OnOff ? 2 : column.valueTexts.size();
        high = std::min<std::int64_t>(high, low + static_cast<std::int64_t>(named) - 1);
    }
    QStringList texts;
    for (std::int64_t value = low; value <= high; ++value)
        texts << qText(cells::enumerated(column, value, context));
    return texts;
}

QStringList namesInUse(const Codeplug& codeplug, Family target, const ColumnContext& context) {
    QStringList names{QString()}; // none
    const FamilyColumns* columns = columnsOf(target);
    if (columns == nullptr)
        return names;
    const auto nameColumn = columns->columnNamed(familyInfo(target).nameField);
    if (!nameColumn)
        return names;
    for (std::size_t entry = 0; entry < columns->size(); ++entry) {
        if (!columns->inUse(codeplug, entry))
            continue;
        const std::string name = columns->format(codeplug, entry, *nameColumn, context);
        if (!name.empty())
            names << qText(name);
    }
    return names;
}

QStringList toneTexts(const Language& language) {
    QStringList texts{qText(language.text(TextKey{10050}))};
    for (const std::string_view entry : ctcssEntries())
        texts << QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
    for (int number = 0; number < kDcsCount; ++number)
        texts << qText(DcsText(number));
    return texts;
}

} // namespace

FamilyTableModel::FamilyTableModel(DocumentSession& session, int grid, QObject* parent)
    : QAbstractTableModel(parent), m_session(session), m_grid(grid),
      m_family(familyOfGrid(grid).value_or(Family::Channel)),
      m_recordFamily(m_family == Family::ContactPage ? Family::Contact : m_family),
      m_columns(columnsOf(m_recordFamily)) {
    for (const GridColumn& gridColumn : gridColumns(grid)) {
        GridCell cell;
        cell.twips = gridColumn.widthTwips;
        if (m_columns != nullptr && !gridColumn.column.empty())
            cell.column = m_columns->columnNamed(gridColumn.column);
        m_cells.push_back(cell);
    }
    if (m_columns != nullptr) {
        const auto columns = m_columns->columns();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const bool shown = std::any_of(m_cells.begin(), m_cells.end(), [&](const GridCell& g) {
                return g.column == c && g.twips > 0;
            });
            if (searchedByFilter(familyInfo(m_recordFamily), columns[c], shown))
                m_filterColumns.push_back(c);
        }
    }
    m_rows = currentRowCount();
    m_observer = session.document().addObserver(
        [this](const DocumentChange& change) { documentChanged(change); });
    connect(&session, &DocumentSession::languageChanged, this, &FamilyTableModel::retranslate);
}

FamilyTableModel::~FamilyTableModel() {
    m_session.document().removeObserver(m_observer);
}

int FamilyTableModel::currentRowCount() const {
    if (m_columns == nullptr)
        return 0;
    const FamilyInfo& info = familyInfo(m_family);
    if (m_family == Family::Recording) {
        // The recordings list grows as the radio reports recordings: up to the last one in use.
        const Codeplug& codeplug = m_session.document().codeplug();
        for (std::size_t entry = m_columns->size(); entry > 0; --entry) {
            if (m_columns->inUse(codeplug, entry - 1))
                return static_cast<int>(entry);
        }
        return info.gridRows;
    }
    const std::size_t rows =
        info.gridRows > 0 ? static_cast<std::size_t>(info.gridRows) : m_columns->size();
    return static_cast<int>(std::min(rows, m_columns->size()));
}

int FamilyTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int FamilyTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_cells.size());
}

const ColumnInfo* FamilyTableModel::columnInfo(int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= m_cells.size())
        return nullptr;
    const auto& familyColumn = m_cells[static_cast<std::size_t>(column)].column;
    return familyColumn ? &m_columns->columns()[*familyColumn] : nullptr;
}

int FamilyTableModel::columnTwips(int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= m_cells.size())
        return 0;
    return m_cells[static_cast<std::size_t>(column)].twips;
}

bool FamilyTableModel::rowInUse(int row) const {
    return m_columns != nullptr && row >= 0 && row < m_rows &&
           m_columns->inUse(m_session.document().codeplug(), static_cast<std::size_t>(row));
}

QString FamilyTableModel::cellText(int row, std::size_t column) const {
    return qText(m_columns->format(m_session.document().codeplug(), static_cast<std::size_t>(row),
                                   column, m_session.columnContext()));
}

QVariant FamilyTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !checkIndex(index))
        return {};
    const auto& column = m_cells[static_cast<std::size_t>(index.column())].column;
    if (role == Qt::ToolTipRole) {
        // Texts, names and member lists may be longer than their column shows.
        const ColumnKind kind = column ? m_columns->columns()[*column].kind : ColumnKind::Number;
        if (kind != ColumnKind::Text && kind != ColumnKind::Reference &&
            kind != ColumnKind::Members)
            return {};
        role = Qt::DisplayRole;
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (!column || !rowInUse(index.row()))
        return QString();
    return cellText(index.row(), *column);
}

QVariant FamilyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (section < 0 || section >= m_rows)
            return {};
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        if (role != Qt::DisplayRole)
            return {};
        return QString::number(rowLabel(m_grid, m_contactPage, section));
    }
    if (role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    // Heading 0 belongs to the row-label column; the first grid column has heading 1.
    return qText(m_session.language().text(gridHeading(m_grid, section + 1)));
}

Qt::ItemFlags FamilyTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !checkIndex(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    // A record not in use is made by its editing form, not by typing into an empty row.
    const ColumnInfo* column = columnInfo(index.column());
    if (column != nullptr && canBeTyped(*column) && rowInUse(index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool FamilyTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const std::size_t entry = static_cast<std::size_t>(index.row());
    const std::size_t column = *m_cells[static_cast<std::size_t>(index.column())].column;
    const std::string text = value.toString().toStdString();
    const Status status = m_session.record(setCell(m_session.document(), m_recordFamily, entry,
                                                   column, text, m_session.columnContext()),
                                           CellKey{m_recordFamily, entry, column});
    if (!status.ok()) {
        emit editRefused(qText(m_session.language().describe(status.error())));
        return false;
    }
    return true;
}

QStringList FamilyTableModel::choices(int column) const {
    const ColumnInfo* info = columnInfo(column);
    if (info == nullptr)
        return {};
    const ColumnContext& context = m_session.columnContext();
    switch (info->kind) {
    case ColumnKind::Enumerated:
    case ColumnKind::OnOff:
        return optionTexts(*info, context);
    case ColumnKind::Reference:
        return namesInUse(m_session.document().codeplug(), info->reference->target, context);
    case ColumnKind::Tone:
        return toneTexts(m_session.language());
    default:
        return {};
    }
}

bool FamilyTableModel::rowMatches(int row, const QString& needle) const {
    if (!rowInUse(row))
        return false;
    return std::any_of(m_filterColumns.begin(), m_filterColumns.end(), [&](std::size_t column) {
        return cellText(row, column).contains(needle, Qt::CaseInsensitive);
    });
}

void FamilyTableModel::setContactPage(int page) {
    m_contactPage = page;
    if (m_rows > 0)
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
}

void FamilyTableModel::retranslate() {
    if (!m_cells.empty())
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    refreshAll();
}

void FamilyTableModel::refreshAll() {
    if (m_rows > 0 && !m_cells.empty())
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
}

void FamilyTableModel::documentChanged(const DocumentChange& change) {
    const ChangeSet& changes = change.changes;
    if (changes.empty() || m_columns == nullptr)
        return;
    const int rows = currentRowCount();
    if (rows != m_rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
        return;
    }
    if (changes.touches(m_recordFamily))
        refreshRows(changes.entries(m_recordFamily));
    refreshColumnsShowingOthers(changes);
}

void FamilyTableModel::refreshRows(const std::vector<std::size_t>& entries) {
    // Runs of neighbouring rows, each one signal.
    std::vector<std::pair<int, int>> runs;
    for (const std::size_t entry : entries) {
        if (entry >= static_cast<std::size_t>(m_rows))
            break; // entries ascend
        const int row = static_cast<int>(entry);
        if (!runs.empty() && runs.back().second + 1 == row)
            runs.back().second = row;
        else
            runs.emplace_back(row, row);
    }
    if (runs.size() > kMostRowRuns) {
        refreshAll();
        return;
    }
    const int lastColumn = columnCount() - 1;
    for (const auto& [first, last] : runs)
        emit dataChanged(index(first, 0), index(last, lastColumn));
}

void FamilyTableModel::refreshColumnsShowingOthers(const ChangeSet& changes) {
    if (m_rows == 0)
        return;
    bool othersChanged = false;
    for (const auto& family : changes.families())
        othersChanged = othersChanged || family->family() != m_recordFamily;
    if (!othersChanged)
        return;
    for (int column = 0; column < columnCount(); ++column) {
        const ColumnInfo* info = columnInfo(column);
        if (info == nullptr || !showsOtherRecords(*info))
            continue;
        if (info->reference && !changes.touches(info->reference->target))
            continue;
        emit dataChanged(index(0, column), index(m_rows - 1, column));
    }
}

} // namespace r605
