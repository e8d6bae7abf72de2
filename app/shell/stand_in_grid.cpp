#include "shell/stand_in_grid.h"

#include "schema/family_columns.h"
#include "schema/grid_layout.h"
#include "text/language.h"

#include <QAction>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

namespace r605 {

namespace {

class StandInModel : public QAbstractTableModel {
public:
    StandInModel(StandInSession& session, int grid, QObject* parent)
        : QAbstractTableModel(parent), m_session(session), m_grid(grid),
          m_columns(columnsOf(static_cast<Family>(grid == 17 ? 5 : grid))) {}

    void reset() {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : familyInfo(static_cast<Family>(m_grid)).gridRows;
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(gridColumns(m_grid).size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || m_columns == nullptr)
            return {};
        const auto entry = static_cast<std::size_t>(index.row());
        const Codeplug& codeplug = m_session.document().codeplug();
        if (entry >= m_columns->size() || !m_columns->inUse(codeplug, entry))
            return {};
        const auto column = m_columns->columnNamed(gridColumns(m_grid)[index.column()].column);
        if (!column)
            return {};
        const ColumnContext context{m_session.language(), m_session.document().band().BandRanges};
        return QString::fromStdString(m_columns->format(codeplug, entry, *column, context));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Vertical)
            return section + 1;
        return QString::fromStdString(m_session.language().text(gridHeading(m_grid, section + 1)));
    }

private:
    StandInSession& m_session;
    int m_grid;
    const FamilyColumns* m_columns;
};

} // namespace

StandInSession::StandInSession(Document& document, const Language& language, QObject* parent)
    : QObject(parent), m_document(document), m_language(&language) {}

void StandInSession::setLanguage(const Language& language) {
    m_language = &language;
    emit languageChanged();
}

StandInGrid::StandInGrid(StandInSession& session, int grid, QWidget* parent)
    : QWidget(parent), m_session(session), m_grid(grid) {
    auto* model = new StandInModel(session, grid, this);
    m_model = model;
    m_view = new QTableView(this);
    m_view->setObjectName("MSFlexGrid1");
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const auto columns = gridColumns(grid);
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
        const int twips = columns[column].widthTwips;
        m_view->setColumnHidden(column, twips == 0);
        m_view->setColumnWidth(column, twips / kTwipsPerPixel);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_copy = new QAction(this);
    m_copy->setEnabled(false);
    connect(m_view, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        emit openRecord(family(), static_cast<std::size_t>(index.row()));
    });
    m_observer = session.document().addObserver([model](const DocumentChange&) { model->reset(); });
    connect(&session, &StandInSession::languageChanged, this, &StandInGrid::retranslate);
}

StandInGrid::~StandInGrid() {
    m_session.document().removeObserver(m_observer);
}

void StandInGrid::retranslate() {
    static_cast<StandInModel*>(m_model)->reset();
}

} // namespace r605
