#include "tools/contacts_db_dialog.h"

#include "common/interface_texts.h"
#include "common/prompt.h"
#include "models/document_session.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace r605 {

namespace {

constexpr int kCountryRole = Qt::UserRole + 1;

// Texts of the window; the field names follow UserField's order from 15230 on.
constexpr int kTitleText = 15201;
constexpr int kFileText = 15202;
constexpr int kChooseText = 15203;
constexpr int kChooseCaption = 15204;
constexpr int kCsvFilesText = 15205;
constexpr int kNoFileText = 15206;
constexpr int kUsersText = 15207;    // "%1 users. Columns found: %2"
constexpr int kNotUsedText = 15208;  // "Not used: %1"
constexpr int kBrokenText = 15209;   // "Lines skipped that could not be read: %1 (line %2)."
constexpr int kRepeatedText = 15210; // "Lines skipped that repeat the ID ...: %1."
constexpr int kCountriesText = 15211;
constexpr int kNoCountryText = 15212;
constexpr int kPrefixText = 15213;
constexpr int kNearText = 15214;
constexpr int kMostText = 15215;
constexpr int kKeepText = 15216;
constexpr int kReplaceText = 15217;
constexpr int kSelectedText = 15218; // "%1 users selected, %2 of them already contacts."
constexpr int kRoomText = 15219;     // "Room for %1 contacts: %2 will be added."
constexpr int kRemovedText = 15220;  // "%1 private-call contacts will be removed."
constexpr int kAddedText = 15221;    // "%1 contacts added from %2."
constexpr int kRefusedText = 15222;
constexpr int kAddText = 15223;
constexpr int kFieldNames = 15230;

QString number(std::size_t value) {
    return QString::number(static_cast<qulonglong>(value));
}

} // namespace

ContactsDbDialog::ContactsDbDialog(DocumentSession& session, const InterfaceTexts& texts,
                                   Prompt& prompt, QWidget* parent)
    : FormDialog("frmContactsDb", texts, parent), m_session(session), m_prompt(prompt) {
    m_fileLabel = new QLabel(this);
    m_file = new QLabel(this);
    m_file->setObjectName("lblFile");
    m_choose = new QPushButton(this);
    m_choose->setObjectName("CommandOpenFile");
    m_summary = new QLabel(this);
    m_summary->setObjectName("lblDatabase");
    m_summary->setWordWrap(true);
    m_countriesLabel = new QLabel(this);
    m_countries = new QListWidget(this);
    m_countries->setObjectName("lstCountries");
    m_countries->setUniformItemSizes(true);
    m_prefixLabel = new QLabel(this);
    m_prefixes = new QLineEdit(this);
    m_prefixes->setObjectName("txtPrefix");
    m_prefixes->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9, ]*"), m_prefixes));
    m_near = new QCheckBox(this);
    m_near->setObjectName("chkNearId");
    m_nearId = new QSpinBox(this);
    m_nearId->setObjectName("txtNearId");
    m_nearId->setRange(1, 99999999);
    m_nearId->setEnabled(false);
    const PersonRec& own = session.document().codeplug().Person[0];
    m_nearId->setValue(own.Used > 0 && own.Id > 0 ? own.Id : 1);
    m_mostLabel = new QLabel(this);
    m_most = new QSpinBox(this);
    m_most->setObjectName("spnMax");
    m_most->setRange(0, static_cast<int>(kContactCount));
    m_most->setValue(static_cast<int>(kContactCount));
    m_keep = new QRadioButton(this);
    m_keep->setObjectName("optKeep");
    m_keep->setChecked(true);
    m_replace = new QRadioButton(this);
    m_replace->setObjectName("optReplace");
    m_count = new QLabel(this);
    m_count->setObjectName("lblCount");
    m_count->setWordWrap(true);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_fileLabel);
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_choose);
    auto* nearRow = new QHBoxLayout;
    nearRow->addWidget(m_near);
    nearRow->addWidget(m_nearId);
    nearRow->addStretch(1);
    auto* form = new QFormLayout;
    form->addRow(m_prefixLabel, m_prefixes);
    form->addRow(nearRow);
    form->addRow(m_mostLabel, m_most);
    form->addRow(m_keep);
    form->addRow(m_replace);
    auto* choices = new QHBoxLayout;
    auto* countryColumn = new QVBoxLayout;
    countryColumn->addWidget(m_countriesLabel);
    countryColumn->addWidget(m_countries, 1);
    choices->addLayout(countryColumn, 1);
    choices->addLayout(form, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addWidget(m_summary);
    layout->addLayout(choices, 1);
    layout->addWidget(m_count);
    layout->addLayout(makeButtonRow(Ok | Cancel));
    resize(760, 520);

    connect(m_choose, &QPushButton::clicked, this, &ContactsDbDialog::chooseFile);
    connect(m_countries, &QListWidget::itemChanged, this, &ContactsDbDialog::updateCount);
    connect(m_prefixes, &QLineEdit::textChanged, this, &ContactsDbDialog::updateCount);
    connect(m_near, &QCheckBox::toggled, m_nearId, &QWidget::setEnabled);
    connect(m_near, &QCheckBox::toggled, this, &ContactsDbDialog::updateCount);
    connect(m_nearId, &QSpinBox::valueChanged, this, &ContactsDbDialog::updateCount);
    connect(m_most, &QSpinBox::valueChanged, this, &ContactsDbDialog::updateCount);
    connect(m_keep, &QRadioButton::toggled, this, &ContactsDbDialog::updateCount);
    m_observer = session.document().addObserver([this](const DocumentChange&) { updateCount(); });
    captionsReady();
}

ContactsDbDialog::~ContactsDbDialog() {
    m_session.document().removeObserver(m_observer);
}

QString ContactsDbDialog::text(int key) const {
    return texts().text(key);
}

void ContactsDbDialog::retranslate() {
    setWindowTitle(text(kTitleText));
    m_fileLabel->setText(text(kFileText));
    m_choose->setText(text(kChooseText));
    m_countriesLabel->setText(text(kCountriesText));
    m_prefixLabel->setText(text(kPrefixText));
    m_near->setText(text(kNearText));
    m_mostLabel->setText(text(kMostText));
    m_keep->setText(text(kKeepText));
    m_replace->setText(text(kReplaceText));
    if (QPushButton* ok = button("CommandOK"))
        ok->setText(text(kAddText));
    m_summary->setText(databaseSummary());
    if (m_database) {
        // The country without a name is named in the language of the window.
        for (int row = 0; row < m_countries->count(); ++row) {
            QListWidgetItem* item = m_countries->item(row);
            const auto country = item->data(kCountryRole).toUInt();
            if (m_database->countries()[country].name.empty())
                item->setText(text(kNoCountryText) + QStringLiteral(" (%1)").arg(number(
                                                         m_database->countries()[country].users)));
        }
    }
    updateCount();
}

void ContactsDbDialog::chooseFile() {
    const FileQuestion question{FileDialogKind::Open,
                                text(kChooseCaption),
                                {text(kCsvFilesText) + " (*.csv *.CSV)", "* (*)"},
                                QFileInfo(m_fileName).absolutePath()};
    m_prompt.chooseFile(question, [this](const QString& path) {
        if (!path.isEmpty())
            loadDatabase(path);
    });
}

void ContactsDbDialog::loadDatabase(const QString& path) {
    // A quarter of a million lines take a fraction of a second: read at once, a wait cursor up.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto database = UserDatabase::read(std::filesystem::path(path.toStdWString()));
    QApplication::restoreOverrideCursor();
    if (!database) {
        m_prompt.tell(text(kRefusedText) + "\n" + texts().describe(database.error()),
                      PromptIcon::Warning);
        return;
    }
    m_database = std::move(*database);
    m_fileName = path;
    m_file->setText(QFileInfo(path).fileName());
    m_file->setToolTip(path);
    fillCountries();
    m_summary->setText(databaseSummary());
    updateCount();
}

void ContactsDbDialog::fillCountries() {
    const QSignalBlocker quiet(m_countries);
    m_countries->clear();
    const auto countries = m_database->countries();
    std::vector<std::uint32_t> order(countries.size());
    for (std::uint32_t k = 0; k < order.size(); ++k)
        order[k] = k;
    const auto name = [&](std::uint32_t k) { return QString::fromStdString(countries[k].name); };
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return name(a).compare(name(b), Qt::CaseInsensitive) < 0;
    });
    for (const std::uint32_t k : order) {
        const QString shown = countries[k].name.empty() ? text(kNoCountryText) : name(k);
        auto* item = new QListWidgetItem(
            shown + QStringLiteral(" (%1)").arg(number(countries[k].users)), m_countries);
        item->setData(kCountryRole, k);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

QString ContactsDbDialog::databaseSummary() const {
    if (!m_database)
        return text(kNoFileText);
    QStringList found;
    for (const FoundColumn& column : m_database->columns())
        found << text(kFieldNames + static_cast<int>(column.field)) + " \"" +
                     QString::fromStdString(column.heading) + "\"";
    QString summary =
        text(kUsersText).arg(number(m_database->users().size()), found.join(QStringLiteral(", ")));
    if (!m_database->otherColumns().empty()) {
        QStringList others;
        for (const std::string& heading : m_database->otherColumns())
            others << "\"" + QString::fromStdString(heading) + "\"";
        summary += "\n" + text(kNotUsedText).arg(others.join(QStringLiteral(", ")));
    }
    if (m_database->brokenLines() > 0) {
        QStringList lines;
        for (const std::uint32_t line : m_database->firstBrokenLines())
            lines << QString::number(line);
        if (m_database->brokenLines() > m_database->firstBrokenLines().size())
            lines << QStringLiteral("...");
        summary +=
            "\n" + text(kBrokenText)
                       .arg(number(m_database->brokenLines()), lines.join(QStringLiteral(", ")));
    }
    if (m_database->repeatedIds() > 0)
        summary += "\n" + text(kRepeatedText).arg(number(m_database->repeatedIds()));
    return summary;
}

ContactChoice ContactsDbDialog::choice() const {
    ContactChoice choice;
    for (int row = 0; row < m_countries->count(); ++row) {
        const QListWidgetItem* item = m_countries->item(row);
        if (item->checkState() != Qt::Checked || !m_database)
            continue;
        const auto country = item->data(kCountryRole).toUInt();
        choice.countries.push_back(m_database->countries()[country].name);
    }
    for (const QString& prefix : m_prefixes->text().split(',', Qt::SkipEmptyParts)) {
        if (const QString trimmed = prefix.trimmed(); !trimmed.isEmpty())
            choice.prefixes.push_back(trimmed.toStdString());
    }
    if (m_near->isChecked())
        choice.nearId = m_nearId->value();
    choice.most = static_cast<std::size_t>(m_most->value());
    choice.existing = m_replace->isChecked() ? ExistingContacts::Replace : ExistingContacts::Keep;
    return choice;
}

void ContactsDbDialog::updateCount() {
    QPushButton* ok = button("CommandOK");
    if (!m_database) {
        m_plan = {};
        m_count->clear();
        if (ok != nullptr)
            ok->setEnabled(false);
        return;
    }
    m_plan = planContacts(*m_database, m_session.document().codeplug(), choice());
    QString count = text(kSelectedText).arg(number(m_plan.matched), number(m_plan.present)) + "\n" +
                    text(kRoomText).arg(number(m_plan.room), number(m_plan.taken.size()));
    if (m_plan.removed > 0)
        count += "\n" + text(kRemovedText).arg(number(m_plan.removed));
    m_count->setText(count);
    if (ok != nullptr)
        ok->setEnabled(!m_plan.taken.empty() || m_plan.removed > 0);
}

void ContactsDbDialog::accept() {
    if (!m_database)
        return;
    auto placement =
        placeContacts(m_session.document(), *m_database, choice(), m_session.columnContext());
    if (!placement) {
        m_prompt.tell(texts().describe(placement.error()), PromptIcon::Critical);
        return;
    }
    const std::size_t added = placement->plan.taken.size();
    if (Status recorded = m_session.record(std::move(placement->changes)); !recorded) {
        m_prompt.tell(texts().describe(recorded.error()), PromptIcon::Critical);
        return;
    }
    emit contactsAdded(text(kAddedText).arg(number(added), QFileInfo(m_fileName).fileName()));
    QDialog::accept();
}

} // namespace r605
