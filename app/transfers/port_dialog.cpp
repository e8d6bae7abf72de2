#include "transfers/port_dialog.h"

#include "common/interface_texts.h"
#include "settings/setup_file.h"
#include "settings/startup_state.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace r605 {

namespace {

constexpr int kRefillMs = 3000;

bool isDevicePath(const std::string& port) {
    return QDir::isAbsolutePath(QString::fromStdString(port));
}

} // namespace

PortDialog::PortDialog(const InterfaceTexts& texts, StartupState& state,
                       const ProgramFolders& folders, QWidget* parent, PortLister lister)
    : FormDialog("FrmComSet", texts, parent), m_state(state), m_folders(folders),
      m_lister(std::move(lister)), m_remembered(state.ComPortName) {
    m_label = new QLabel(this);
    m_label->setObjectName("Label1");
    m_ports = new QComboBox(this);
    m_ports->setObjectName("Combo1");
    m_ports->setEditable(true);
    m_ports->setInsertPolicy(QComboBox::NoInsert);
    m_ports->setMinimumContentsLength(28);
    m_ports->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_ports);
    layout->addLayout(makeButtonRow(Ok | Cancel));
    m_timer = new QTimer(this);
    m_timer->setObjectName("ReShowComPortTimer");
    m_timer->setInterval(kRefillMs);
    connect(m_timer, &QTimer::timeout, this, &PortDialog::refill);
    connect(m_ports, &QComboBox::activated, this,
            [this] { m_remembered = chosenPort().toStdString(); });
    connect(m_ports->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_remembered = chosenPort().toStdString(); });
    connect(this, &QDialog::accepted, this, &PortDialog::store);
    connect(this, &QDialog::finished, m_timer, &QTimer::stop);
    refill();
    m_timer->start();
    captionsReady();
}

QString PortDialog::chosenPort() const {
    const QString shown = m_ports->currentText().trimmed();
    const int index = m_ports->currentIndex();
    if (index >= 0 && shown == m_ports->itemText(index))
        return m_ports->itemData(index).toString();
    return shown;
}

void PortDialog::refill() {
    const std::vector<SerialPortEntry> ports = m_lister();
    const std::vector<std::string> names = SerialPortNames(ports);
    const QSignalBlocker quiet(m_ports);
    m_ports->clear();
    for (std::size_t k = 0; k < ports.size() && k < names.size(); ++k) {
        const std::string description = SerialPortDescription(ports[k]);
        QString shown = QString::fromStdString(names[k]);
        if (!description.empty())
            shown += QStringLiteral("  ") + QString::fromStdString(description);
        m_ports->addItem(shown, QString::fromStdString(names[k]));
    }
    const auto selected = SelectPortEntry(names, m_remembered);
    const bool listed = std::any_of(names.begin(), names.end(), [this](const std::string& name) {
        return name == m_remembered || std::string("/dev/").append(name) == m_remembered;
    });
    if (isDevicePath(m_remembered) && !listed) {
        // A path typed in, or stored from an earlier choice, stays what the dialog shows.
        m_ports->setCurrentIndex(-1);
        m_ports->setEditText(QString::fromStdString(m_remembered));
        return;
    }
    m_ports->setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
    if (selected)
        m_remembered = names[*selected];
}

void PortDialog::store() {
    // With no port present the choice is "none" for this run, not written: the next transfer
    // tells the user it cannot open a port.
    m_state.ComPortName = chosenPort().toStdString();
    if (m_state.ComPortName.empty())
        return;
    (void)WriteSetupKey(m_folders, "comPort", m_state.ComPortName);
}

void PortDialog::retranslate() {
    setWindowTitle(texts().text(1401));
    m_label->setText(texts().text(1402));
}

} // namespace r605
