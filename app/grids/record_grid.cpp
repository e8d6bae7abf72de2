#include "grids/record_grid.h"

#include "document/list_edits.h"
#include "grids/record_filter_model.h"
#include "models/cell_delegate.h"
#include "models/document_session.h"
#include "models/family_table_model.h"
#include "schema/family_columns.h"
#include "schema/grid_layout.h"
#include "text/language.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace r605 {

namespace {

enum class GridKey { None, Copy, Cut, Paste, Delete, Open };

// The keys of a focused grid: Ctrl+C, Ctrl+X, Ctrl+V (letters in either case), Delete, Enter.
GridKey gridKeyOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers =
        key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (modifiers == Qt::ControlModifier) {
        switch (key.key()) {
        case Qt::Key_C:
            return GridKey::Copy;
        case Qt::Key_X:
            return GridKey::Cut;
        case Qt::Key_V:
            return GridKey::Paste;
        default:
            return GridKey::None;
        }
    }
    if (modifiers != Qt::NoModifier)
        return GridKey::None;
    switch (key.key()) {
    case Qt::Key_Delete:
        return GridKey::Delete;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return GridKey::Open;
    default:
        return GridKey::None;
    }
}

QString qText(const Language& language, TextKey key) {
    return QString::fromStdString(language.text(key));
}

// The width of the longest word of a heading: no column is narrower, so that a heading wraps
// between its words and is never cut.
int widestWord(const QString& text, const QFontMetrics& metrics) {
    int widest = 0;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
}

// The width a byte of a name takes in the grid: a wide Latin capital, so that a name of the
// field's full length shows whole (a Chinese character takes two bytes and is narrower than two
// capitals).
int byteWidth(const QFontMetrics& metrics) {
    return metrics.horizontalAdvance(QChar('N'));
}

// The widest hexadecimal digit: keys are shown whole.
int hexDigitWidth(const QFontMetrics& metrics) {
    int widest = 0;
    for (const QChar digit : QString("0123456789ABCDEF"))
        widest = std::max(widest, metrics.horizontalAdvance(digit));
    return widest;
}

// Texts worked out from a record (dates, names looked up) are measured on this many rows.
constexpr int kMeasuredRows = 256;

// A text column is widened to show its longest value up to this width; longer texts (messages)
// are cut with an ellipsis and shown whole in their tooltip.
constexpr int kWidestFittedColumn = 360;

} // namespace

RecordGrid::RecordGrid(DocumentSession& session, int grid, QWidget* parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QString("RecordGrid%1").arg(grid));
    m_records = new FamilyTableModel(session, grid, this);
    m_filter = new RecordFilterModel(*m_records, this);

    m_filterBox = new QLineEdit(this);
    m_filterBox->setObjectName("txtFilter");
    m_filterBox->setClearButtonEnabled(true);
    m_message = new QLabel(this);
    m_message->setObjectName("lblGridMessage");
    m_view = new QTableView(this);
    m_view->setObjectName("MSFlexGrid1");
    m_view->setProperty("gridIndex", grid);
    m_view->setModel(m_filter);
    m_view->setItemDelegate(new CellDelegate(m_view));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A double-click opens the record's form; cells are edited by typing or F2.
    m_view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->setWordWrap(false);
    // Fixed row heights and label widths: a 10000-row grid never measures its rows.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setFixedWidth(kRowLabelTwips / kTwipsPerPixel);
    m_view->horizontalHeader()->setTextElideMode(Qt::ElideNone);
    m_view->horizontalHeader()->setDefaultAlignment(
        Qt::Alignment::fromInt(Qt::AlignCenter | static_cast<int>(Qt::TextWordWrap)));
    m_view->installEventFilter(this);

    auto* top = new QHBoxLayout;
    top->addWidget(m_filterBox, 1);
    top->addWidget(m_message, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);

    m_menu = new QMenu(this);
    m_menu->setObjectName("MnuListEdit");
    m_copy = makeAction("MnuLECopy", &RecordGrid::copy);
    m_cut = makeAction("MnuLECut", &RecordGrid::cut);
    m_paste = makeAction("MnuLEPaste", &RecordGrid::paste);
    m_delete = makeAction("MnuLEDelete", &RecordGrid::deleteSelected);
    m_menu->addActions({m_copy, m_cut, m_paste, m_delete});
    m_zoneUp = makeAction("T_Up", &RecordGrid::moveZoneUp);
    m_zoneDown = makeAction("T_Down", &RecordGrid::moveZoneDown);

    connect(m_filterBox, &QLineEdit::textChanged, m_filter, &RecordFilterModel::setFilterText);
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this] { openCurrent(); });
    connect(m_view, &QWidget::customContextMenuRequested, this, &RecordGrid::showListEditMenu);
    connect(m_records, &FamilyTableModel::editRefused, this, [this](const QString& message) {
        m_message->setText(message);
        emit editRefused(message);
    });
    connect(&session, &DocumentSession::languageChanged, this, &RecordGrid::retranslate);
    retranslate();
    updateActions();
}

int RecordGrid::grid() const {
    return m_records->grid();
}

Family RecordGrid::family() const {
    return m_records->family();
}

QAction* RecordGrid::makeAction(const char* name, void (RecordGrid::*slot)()) {
    auto* action = new QAction(this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void RecordGrid::retranslate() {
    const Language& language = m_session.language();
    m_copy->setText(qText(language, TextKey{14020}) + "\tCtrl+C");
    m_cut->setText(qText(language, TextKey{14021}) + "\tCtrl+X");
    m_paste->setText(qText(language, TextKey{14022}) + "\tCtrl+V");
    m_delete->setText(qText(language, TextKey{14023}) + "\tDel");
    m_zoneUp->setText(qText(language, TextKey{14024}));
    m_zoneDown->setText(qText(language, TextKey{14025}));
    m_filterBox->setPlaceholderText(qText(language, TextKey{14026}));
    m_message->clear();
    applyColumnLayout();
}

void RecordGrid::applyColumnLayout() {
    QHeaderView& header = *m_view->horizontalHeader();
    const QFontMetrics metrics = header.fontMetrics();
    const QFontMetrics cellMetrics = m_view->fontMetrics();
    // The heading's label lies inside the section's margins; a little air beside it.
    const int labelMargin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    const int margin = labelMargin + 4;
    int headerHeight = kHeaderRowTwips / kTwipsPerPixel;
    for (int column = 0; column < m_records->columnCount(); ++column) {
        const int twips = m_records->columnTwips(column);
        m_view->setColumnHidden(column, twips == 0);
        if (twips == 0)
            continue;
        const QString heading = m_records->headerData(column, Qt::Horizontal).toString();
        const int width = std::max({twips / kTwipsPerPixel, widestWord(heading, metrics) + margin,
                                    widestValue(column, cellMetrics) + margin});
        m_view->setColumnWidth(column, width);
        const QRect wrapped = metrics.boundingRect(QRect(0, 0, width - labelMargin, 1000),
                                                   Qt::AlignCenter | Qt::TextWordWrap, heading);
        headerHeight = std::max(headerHeight, wrapped.height() + margin);
    }
    header.setFixedHeight(headerHeight);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 8);
}

int RecordGrid::widestValue(int column, const QFontMetrics& metrics) const {
    const ColumnInfo* info = m_records->columnInfo(column);
    if (info == nullptr)
        return 0;
    switch (info->kind) {
    case ColumnKind::Enumerated:
    case ColumnKind::OnOff:
    case ColumnKind::Tone: {
        int widest = 0;
        for (const QString& text : m_records->choices(column))
            widest = std::max(widest, metrics.horizontalAdvance(text));
        return widest;
    }
    case ColumnKind::Frequency:
        return metrics.horizontalAdvance("0000.00000");
    case ColumnKind::HexText:
        return info->length * hexDigitWidth(metrics);
    case ColumnKind::DigitText:
        return metrics.horizontalAdvance(QString(info->length, '0'));
    case ColumnKind::Text:
        if (info->length > 0)
            return std::min(info->length * byteWidth(metrics), kWidestFittedColumn);
        return widestShown(column, metrics);
    case ColumnKind::Reference:
        return familyInfo(info->reference->target).nameLimit * byteWidth(metrics);
    default:
        return 0; // numbers fit their columns; member lists are cut and shown in the tooltip
    }
}

int RecordGrid::widestShown(int column, const QFontMetrics& metrics) const {
    int widest = 0;
    const int rows = std::min(m_records->rowCount(), kMeasuredRows);
    for (int row = 0; row < rows; ++row)
        widest = std::max(
            widest, metrics.horizontalAdvance(m_records->index(row, column).data().toString()));
    return std::min(widest, kWidestFittedColumn);
}

bool RecordGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_view ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (gridKeyOf(key) == GridKey::None)
        return false;
    // The grid's own keys win over any shortcut of the window while the grid has the focus.
    event->accept();
    if (event->type() == QEvent::KeyPress)
        handleKey(key);
    return true;
}

bool RecordGrid::handleKey(const QKeyEvent& key) {
    switch (gridKeyOf(key)) {
    case GridKey::Copy:
        copy();
        return true;
    case GridKey::Cut:
        cut();
        return true;
    case GridKey::Paste:
        paste();
        return true;
    case GridKey::Delete:
        deleteSelected();
        return true;
    case GridKey::Open:
        openCurrent();
        return true;
    case GridKey::None:
        return false;
    }
    return false;
}

std::optional<std::size_t> RecordGrid::currentEntry() const {
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return static_cast<std::size_t>(m_filter->mapToSource(current).row());
}

std::vector<std::size_t> RecordGrid::selectedEntries() const {
    std::vector<std::size_t> entries;
    for (const QModelIndex& row : m_view->selectionModel()->selectedRows())
        entries.push_back(static_cast<std::size_t>(m_filter->mapToSource(row).row()));
    if (entries.empty()) {
        if (const auto current = currentEntry())
            entries.push_back(*current);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

void RecordGrid::selectEntry(std::size_t entry) {
    const QModelIndex source = m_records->index(static_cast<int>(entry), 0);
    const QModelIndex shown = m_filter->mapFromSource(source);
    if (!shown.isValid())
        return;
    const int column = shownColumn();
    m_view->selectionModel()->setCurrentIndex(m_filter->index(shown.row(), column),
                                              QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
}

int RecordGrid::shownColumn() const {
    const int current = m_view->currentIndex().column();
    if (current >= 0)
        return current;
    int column = 0;
    while (column < m_records->columnCount() && m_view->isColumnHidden(column))
        ++column;
    return column;
}

void RecordGrid::copy() {
    const auto entries = selectedEntries();
    if (!entries.empty())
        m_session.clipboard().copy(m_session.document().codeplug(), family(), entries);
    updateActions();
}

void RecordGrid::cut() {
    const auto entries = selectedEntries();
    if (entries.empty() || !canDelete(family()))
        return;
    report(m_session.record(
        cutRecords(m_session.document(), m_session.clipboard(), family(), entries)));
    updateActions();
}

void RecordGrid::paste() {
    const auto entries = selectedEntries();
    if (entries.empty())
        return;
    report(m_session.record(
        pasteRecords(m_session.document(), m_session.clipboard(), family(), entries.front())));
}

void RecordGrid::deleteSelected() {
    const auto entries = selectedEntries();
    if (entries.empty())
        return;
    report(m_session.record(deleteRecords(m_session.document(), family(), entries)));
}

void RecordGrid::moveZoneUp() {
    moveZone(true);
}

void RecordGrid::moveZoneDown() {
    moveZone(false);
}

void RecordGrid::moveZone(bool up) {
    const auto entry = currentEntry();
    if (family() != Family::Zone || !entry)
        return;
    auto changes = r605::moveZone(m_session.document(), *entry, up);
    const bool swapped = changes.ok() && !changes->empty(); // not the first up, the last down
    report(m_session.record(std::move(changes)));
    if (!swapped)
        return;
    const std::size_t moved = up ? *entry - 1 : *entry + 1;
    // Seen before the selection moves: making a row current scrolls it into sight by itself.
    const int shownRow =
        m_filter->mapFromSource(m_records->index(static_cast<int>(moved), 0)).row();
    const bool wasInSight = rowInSight(shownRow);
    selectEntry(moved);
    if (!wasInSight && shownRow >= 0)
        scrollToZoneRow(shownRow);
}

bool RecordGrid::rowInSight(int shownRow) const {
    const int position = m_view->rowViewportPosition(shownRow);
    return shownRow >= 0 && position >= 0 &&
           position + m_view->rowHeight(shownRow) <= m_view->viewport()->height();
}

// A moved zone out of sight is brought back near the middle of the grid: with v rows showing,
// row t = row + v / 2 (at most the last row) ends up at the bottom, so that the top row is
// t - v + 1 (at least the first). Rows are counted from 1 here, as the grid labels them.
void RecordGrid::scrollToZoneRow(int shownRow) {
    const int rowHeight = std::max(m_view->rowHeight(shownRow), 1);
    const int visibleRows = std::max(m_view->viewport()->height() / rowHeight, 1);
    const int lastRow = m_filter->rowCount();
    const int row = shownRow + 1;
    const int t = std::min(row + visibleRows / 2, lastRow);
    const int topRow = std::max(t - visibleRows + 1, 1);
    // An index of a shown column: the view does not scroll to hidden ones.
    m_view->scrollTo(m_filter->index(topRow - 1, shownColumn()), QAbstractItemView::PositionAtTop);
}

void RecordGrid::openCurrent() {
    if (const auto entry = currentEntry())
        emit openRecord(family(), *entry);
}

void RecordGrid::showListEditMenu(const QPoint& position) {
    const QModelIndex index = m_view->indexAt(position);
    if (!index.isValid())
        return;
    m_view->setFocus(Qt::MouseFocusReason);
    // A right-click on a row outside the selection selects that row; on the selection, keeps it.
    const QItemSelectionModel::SelectionFlags command =
        m_view->selectionModel()->isRowSelected(index.row())
            ? QItemSelectionModel::SelectionFlags(QItemSelectionModel::NoUpdate)
            : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    m_view->selectionModel()->setCurrentIndex(index, command);
    updateActions();
    m_menu->popup(m_view->viewport()->mapToGlobal(position));
}

void RecordGrid::updateActions() {
    const Family f = family();
    m_copy->setEnabled(canCopy(f));
    m_cut->setEnabled(canCopy(f) && canDelete(f));
    m_paste->setEnabled(m_session.clipboard().holds(f));
    m_delete->setEnabled(canDelete(f));
    m_zoneUp->setEnabled(f == Family::Zone);
    m_zoneDown->setEnabled(f == Family::Zone);
}

void RecordGrid::report(const Status& status) {
    if (status.ok()) {
        m_message->clear();
        return;
    }
    const QString message = QString::fromStdString(m_session.language().describe(status.error()));
    m_message->setText(message);
    emit editRefused(message);
}

} // namespace r605
