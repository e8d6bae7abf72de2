// `r605 ports`: the serial ports present, one a line: name, device, description.
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
        context.out << port.name << "\t" << port.systemLocation << "\t" << port.description;
        if (!port.manufacturer.empty())
            context.out << " (" << port.manufacturer << ")";
        context.out << "\n";
    }
    return Success;
}

} // namespace

Command portsCommand() {
    return Command{"ports", "ports", "list the serial ports present", OptionSpec{}, runPorts};
}

} // namespace r605::cli
