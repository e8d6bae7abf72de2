#pragma once
// A dealer's plan for programming many radios with one codeplug: one line per radio with its
// port, its radio ID and its name, and the radio's password where it has one. Each radio gets the
// codeplug with its own ID and name in radio ID entry 1. The plan is a CSV file as spreadsheets
// write it ("port,radio ID,name[,password]"); a header row is recognised by its radio ID cell not
// being a number.

#include "base/result.h"
#include "document/document.h"
#include "schema/column.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

struct FleetRadio {
    std::string port;
    std::string radioId; // as the plan writes it; read through the radio ID column
    std::string name;    // "" keeps the codeplug's name
    std::optional<std::string> password;
    std::size_t line = 0; // in the plan, for messages
};

// The radios of a plan, in its order. Refused with the line named: a line without a port or a
// radio ID, a port that two lines name (one port writes one radio at a time), no radio at all.
Result<std::vector<FleetRadio>> parseFleetPlan(std::string_view text);
Result<std::vector<FleetRadio>> readFleetPlan(const std::filesystem::path& path);

// Puts the radio's ID and name into radio ID entry 1 (taking it into use) as one edit of the
// radio ID grid, references repaired; a radio ID the column refuses is refused.
Result<ChangeSet> setFleetRadioIdentity(Document& document, const FleetRadio& radio,
                                        const ColumnContext& context);

} // namespace r605
