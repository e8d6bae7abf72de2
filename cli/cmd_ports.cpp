// `r605 ports`: the serial ports present, one a line: name, device, and what tells the cables
// apart (description, manufacturer, serial number).
#include "commands.h"
#include "serial_port_list.h"

#include <ostream>

namespace r605::cli {

namespace {

int runPorts(const Arguments& arguments, Context& context) {
    if (!arguments.positional.empty()) {
        context.err << "usage: r605 ports\n";
        return Usage;
    }
    for (const SerialPortEntry& port : ListSerialPorts()) {
        context.out << port.name << "\t" << port.systemLocation << "\t"
                    << SerialPortDescription(port) << "\n";
    }
    return Success;
}

} // namespace

Command portsCommand() {
    return Command{"ports", "ports", "list the serial ports present", OptionSpec{}, runPorts};
}

} // namespace r605::cli
