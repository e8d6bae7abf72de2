#include "transfer/fleet_plan.h"

#include "base/file_io.h"
#include "base/numbers.h"
#include "document/list_edits.h"
#include "lists/cell_splitter.h"
#include "lists/list_text.h"
#include "schema/typed_columns.h"

#include <algorithm>

namespace r605 {

namespace {

std::string cellAt(const std::vector<std::string>& cells, std::size_t k) {
    return k < cells.size() ? std::string(trimBlanks(cells[k])) : std::string();
}

Error lineError(std::size_t line, std::string_view why) {
    return Error::literal("line " + std::to_string(line) + ": " + std::string(why));
}

} // namespace

Result<std::vector<FleetRadio>> parseFleetPlan(std::string_view text) {
    const ListText lines = ListText::fromBytes(text);
    std::vector<FleetRadio> radios;
    std::vector<std::string> cells;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::size_t line = lines.number(k);
        if (trimBlanks(lines.line(k)).empty())
            continue;
        if (Status split = SplitCells(lines.line(k), cells); !split)
            return lineError(line, split.error().text);
        FleetRadio radio{cellAt(cells, 0), cellAt(cells, 1), cellAt(cells, 2), std::nullopt, line};
        if (const std::string password = cellAt(cells, 3); !password.empty())
            radio.password = password;
        // The first line may name the columns.
        if (k == 0 && !isNumeric(radio.radioId))
            continue;
        if (radio.port.empty() || radio.radioId.empty())
            return lineError(line, "a radio needs a port and a radio ID");
        const auto samePort = [&](const FleetRadio& other) { return other.port == radio.port; };
        if (const auto other = std::find_if(radios.begin(), radios.end(), samePort);
            other != radios.end())
            return lineError(line, "the port " + radio.port + " is already the port of line " +
                                       std::to_string(other->line));
        radios.push_back(std::move(radio));
    }
    if (radios.empty())
        return Error::literal("the plan names no radio");
    return radios;
}

Result<std::vector<FleetRadio>> readFleetPlan(const std::filesystem::path& path) {
    auto bytes = readFileBytes(path, MaxListFileBytes);
    if (!bytes)
        return bytes.error();
    auto radios = parseFleetPlan(*bytes);
    if (!radios)
        return Error::literal(pathText(path) + ": " + radios.error().text);
    return radios;
}

Result<ChangeSet> setFleetRadioIdentity(Document& document, const FleetRadio& radio,
                                        const ColumnContext& context) {
    const TypedFamilyColumns<Family::Person>& columns = typedColumnsOf<Family::Person>();
    const auto idColumn = columns.columnNamed("Id");
    const auto nameColumn = columns.columnNamed("Name");
    if (!idColumn || !nameColumn)
        return Error::literal("radio IDs have no ID or name column");
    return editRecord(
        document, EditKind::EditRecord, Family::Person, 0, [&](Codeplug& codeplug) -> Status {
            PersonRec& person = codeplug.Person[0];
            if (Status status =
                    columns.parseRecord(person, *idColumn, radio.radioId, codeplug, context);
                !status)
                return lineError(radio.line, "radio ID: " + status.error().text);
            if (!radio.name.empty()) {
                if (Status status =
                        columns.parseRecord(person, *nameColumn, radio.name, codeplug, context);
                    !status)
                    return lineError(radio.line, "name: " + status.error().text);
            }
            person.Used = 1;
            return Status::success();
        });
}

} // namespace r605
