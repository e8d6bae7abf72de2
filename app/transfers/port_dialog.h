#pragma once
// FrmComSet: the serial port the programming cable is on. The list shows the ports present, each
// with what the system says about its adapter so that two cables can be told apart, and is filled
// again every three seconds, so that a cable plugged in while the dialog is open appears without
// reopening it; the entry chosen stays chosen across a refill while it is there. A device path
// the system does not list (a simulated radio's pseudo-terminal) may be typed in instead. OK
// stores the port for the transfers that follow ("comPort" in the setup file); Cancel changes
// nothing.

#include "dialogs/form_dialog.h"
#include "serial_port_list.h"

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QTimer;

namespace r605 {

class ProgramFolders;
struct StartupState;

class PortDialog : public FormDialog {
    Q_OBJECT

public:
    using PortLister = std::function<std::vector<SerialPortEntry>()>;

    PortDialog(const InterfaceTexts& texts, StartupState& state, const ProgramFolders& folders,
               QWidget* parent, PortLister lister = ListSerialPorts);

    // The port chosen in the list or the path typed in ("" when there is neither).
    QString chosenPort() const;

public slots:
    // ReShowComPortTimer: the list again, the remembered port selected when still present.
    void refill();

protected:
    void retranslate() override;

private:
    void store();

    StartupState& m_state;
    const ProgramFolders& m_folders;
    PortLister m_lister;
    QLabel* m_label;
    QComboBox* m_ports;
    QTimer* m_timer;
    // The port the user chose last in this dialog: a refill selects it again.
    std::string m_remembered;
};

} // namespace r605
