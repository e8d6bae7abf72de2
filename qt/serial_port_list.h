#pragma once
// The serial ports present, as the port dialog and the start-up port check need them. A port is
// named as QSerialPort opens it ("ttyUSB0"); any device path, such as a pseudo-terminal, works too.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

struct SerialPortEntry {
    std::string name;           // "ttyUSB0"
    std::string description;    // "CP2102 USB to UART Bridge Controller"
    std::string systemLocation; // "/dev/ttyUSB0"
    std::string manufacturer;   // "Silicon Labs"
    std::string serialNumber;   // "0001"
};

// The ports present, in the order the system lists them.
std::vector<SerialPortEntry> ListSerialPorts();

// What tells one cable from another: the description, then the manufacturer and the serial
// number where the system gives them: "CP2102 USB to UART Bridge Controller (Silicon Labs, serial
// 0001)". Empty for a port the system says nothing about.
std::string SerialPortDescription(const SerialPortEntry& port);

// FillComPortList: the names shown in the port dialog, in order.
std::vector<std::string> SerialPortNames(std::span<const SerialPortEntry> ports);

// The entry the port dialog selects: the one named `preferred` (a device path counts as its
// name), else the first; none for an empty list.
std::optional<std::size_t> SelectPortEntry(std::span<const std::string> names,
                                           std::string_view preferred);

} // namespace r605
