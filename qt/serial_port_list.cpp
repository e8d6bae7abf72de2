#include "serial_port_list.h"

#include <QSerialPortInfo>

namespace r605 {

std::vector<SerialPortEntry> ListSerialPorts() {
    std::vector<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ports.push_back(
            SerialPortEntry{info.portName().toStdString(), info.description().toStdString(),
                            info.systemLocation().toStdString(), info.manufacturer().toStdString(),
                            info.serialNumber().toStdString()});
    }
    return ports;
}

std::string SerialPortDescription(const SerialPortEntry& port) {
    std::string details = port.manufacturer;
    if (!port.serialNumber.empty())
        details += (details.empty() ? "serial " : ", serial ") + port.serialNumber;
    if (details.empty())
        return port.description;
    if (port.description.empty())
        return details;
    return port.description + " (" + details + ")";
}

std::vector<std::string> SerialPortNames(std::span<const SerialPortEntry> ports) {
    std::vector<std::string> names;
    for (const SerialPortEntry& port : ports)
        names.push_back(port.name);
    return names;
}

std::optional<std::size_t> SelectPortEntry(std::span<const std::string> names,
                                           std::string_view preferred) {
    if (names.empty())
        return std::nullopt;
    if (preferred.starts_with("/dev/"))
        preferred.remove_prefix(5);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == preferred)
            return i;
    }
    return 0;
}

} // namespace r605
