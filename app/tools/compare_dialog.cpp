#include "tools/compare_dialog.h"

#include "compare/diff_text.h"
#include "compare/record_naming.h"
#include "compare/take_over.h"
#include "models/document_session.h"
#include "text/language.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

namespace r605 {

namespace {

constexpr int kRecordRole = Qt::UserRole + 1;
// Records show their changed fields open up to this many rows; beyond, each is opened by hand.
constexpr std::size_t kMostOpenRows = 2000;

// Texts of the window.
constexpr TextKey kTitleText{15141}; // "Differences from %1"
constexpr TextKey kTakeOverText{15142};
constexpr TextKey kCloseText{15143};
constexpr TextKey kTakeOverFailedText{15146};
constexpr TextKey kTakenOverText{15147}; // "Taken over: %1"
constexpr TextKey kOnlyRenumberedText{15148};
constexpr TextKey kRecordHeading{15160};
constexpr TextKey kThisHeading{15161};
constexpr TextKey kOtherHeading{15162};
constexpr TextKey kAddedText{15100};
constexpr TextKey kRemovedText{15101};
constexpr TextKey kRenumberedText{15102};

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CompareDialog::CompareDialog(DocumentSession& session, Codeplug other, const QString& otherName,
                             QWidget* parent)
    : QDialog(parent), m_session(session), m_other(std::move(other)), m_otherName(otherName) {
    setObjectName("frmCompare");
    m_summary = new QLabel(this);
    m_summary->setObjectName("lblSummary");
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName("tvDifferences");
    m_tree->setColumnCount(3);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setSectionResizeMode(QHeaderView::Interactive);
    m_status = new QLabel(this);
    m_status->setObjectName("lblStatus");
    m_status->setWordWrap(true);
    m_takeOver = new QPushButton(this);
    m_takeOver->setObjectName("CommandTakeOver");
    m_close = new QPushButton(this);
    m_close->setObjectName("CommandClose");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_takeOver);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);
    resize(900, 560);

    connect(m_takeOver, &QPushButton::clicked, this, &CompareDialog::takeOverSelected);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CompareDialog::updateButtons);
    connect(&session, &DocumentSession::languageChanged, this, &CompareDialog::retranslate);
    m_observer = session.document().addObserver([this](const DocumentChange&) { refresh(); });
    retranslate();
}

CompareDialog::~CompareDialog() {
    m_session.document().removeObserver(m_observer);
}

QString CompareDialog::text(int key) const {
    return qText(m_session.language().GetLangText(key));
}

void CompareDialog::retranslate() {
    setWindowTitle(text(kTitleText.number).replace(QLatin1String("%1"), m_otherName));
    m_tree->setHeaderLabels(
        {text(kRecordHeading.number), text(kThisHeading.number), text(kOtherHeading.number)});
    m_takeOver->setText(text(kTakeOverText.number));
    m_close->setText(text(kCloseText.number));
    refresh();
}

void CompareDialog::refresh() {
    m_diff = compareCodeplugs(m_session.document().codeplug(), m_other, m_session.columnContext());
    fillTree();
}

void CompareDialog::fillTree() {
    const std::optional<std::size_t> selected = selectedRecord();
    const Language& language = m_session.language();
    m_summary->setText(qText(diffSummary(m_diff.counts(), language)));
    m_tree->clear();
    std::array<QTreeWidgetItem*, kFamilyCount> families{};
    std::array<int, kFamilyCount> counts{};
    std::size_t rows = 0;
    for (const RecordDifference& record : m_diff.records)
        rows += 1 + record.fields.size();
    const bool open = rows <= kMostOpenRows;
    for (std::size_t k = 0; k < m_diff.records.size(); ++k) {
        const RecordDifference& record = m_diff.records[k];
        const auto f = static_cast<std::size_t>(record.family);
        if (families[f] == nullptr) {
            families[f] = new QTreeWidgetItem(m_tree);
            families[f]->setFirstColumnSpanned(true);
        }
        ++counts[f];
        auto* item = new QTreeWidgetItem(families[f]);
        item->setData(0, kRecordRole, static_cast<qulonglong>(k));
        item->setText(0, qText(recordLabel(record, language)));
        switch (record.change) {
        case RecordChange::Added:
            item->setText(2, qText(language.text(kAddedText)));
            break;
        case RecordChange::Removed:
            item->setText(1, qText(language.text(kRemovedText)));
            break;
        case RecordChange::Changed:
            if (record.fields.empty())
                item->setText(2, qText(language.text(kRenumberedText)));
            break;
        }
        for (const FieldDifference& field : record.fields) {
            if (!field.listed)
                continue;
            auto* line = new QTreeWidgetItem(item);
            line->setData(0, kRecordRole, static_cast<qulonglong>(k));
            line->setText(0, qText(field.heading));
            line->setText(1, qText(field.before));
            line->setText(2, qText(field.after));
            line->setToolTip(1, line->text(1));
            line->setToolTip(2, line->text(2));
        }
        item->setExpanded(open);
    }
    for (std::size_t f = 0; f < kFamilyCount; ++f) {
        if (families[f] == nullptr)
            continue;
        families[f]->setText(0, qText(familyCaption(static_cast<Family>(f), language)) +
                                    QStringLiteral(" (%1)").arg(counts[f]));
        families[f]->setExpanded(true);
    }
    m_tree->resizeColumnToContents(0);
    if (selected && *selected < m_diff.records.size())
        m_tree->setCurrentItem(itemOf(*selected));
    updateButtons();
}

QTreeWidgetItem* CompareDialog::itemOf(std::size_t record) const {
    for (int f = 0; f < m_tree->topLevelItemCount(); ++f) {
        QTreeWidgetItem* family = m_tree->topLevelItem(f);
        for (int r = 0; r < family->childCount(); ++r) {
            if (family->child(r)->data(0, kRecordRole).toULongLong() == record)
                return family->child(r);
        }
    }
    return nullptr;
}

std::optional<std::size_t> CompareDialog::selectedRecord() const {
    const auto items = m_tree->selectedItems();
    if (items.isEmpty())
        return std::nullopt;
    const QVariant record = items.front()->data(0, kRecordRole);
    if (!record.isValid())
        return std::nullopt;
    return static_cast<std::size_t>(record.toULongLong());
}

void CompareDialog::updateButtons() {
    const auto selected = selectedRecord();
    m_takeOver->setEnabled(selected && *selected < m_diff.records.size());
}

void CompareDialog::takeOverSelected() {
    const auto selected = selectedRecord();
    if (!selected || *selected >= m_diff.records.size())
        return;
    const RecordDifference record = m_diff.records[*selected];
    const Language& language = m_session.language();
    const QString label = qText(recordLabel(record, language));
    if (record.change == RecordChange::Changed && record.fields.empty()) {
        m_status->setText(text(kOnlyRenumberedText.number));
        return;
    }
    // The document tells the dialog of the change, which works the differences out again.
    const Status taken = m_session.record(
        takeOver(m_session.document(), m_other, record, m_session.columnContext()));
    if (!taken.ok()) {
        m_status->setText(text(kTakeOverFailedText.number) + QLatin1Char(' ') +
                          qText(language.describe(taken.error())));
        return;
    }
    m_status->setText(text(kTakenOverText.number).replace(QLatin1String("%1"), label));
}

} // namespace r605
