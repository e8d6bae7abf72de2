#include "lists/list_import.h"

#include "base/file_io.h"
#include "base/numbers.h"
#include "lists/cell_splitter.h"
#include "lists/column_map.h"
#include "lists/list_columns.h"
#include "lists/list_family.h"
#include "lists/reference_resolution.h"
#include "schema/default_names.h"
#include "schema/family.h"
#include "text/trim.h"

#include <algorithm>
#include <cctype>

namespace r605 {

namespace {

std::string importError(ListType type, std::string_view fileName) {
    return "ImportFromFileError---" + std::to_string(static_cast<int>(type)) + "--" +
           std::string(fileName);
}

bool isBlankLine(std::span<const std::string> cells) {
    return std::all_of(cells.begin(), cells.end(),
                       [](const std::string& cell) { return trimBlanks(cell).empty(); });
}

// Where the records of a file go. A record whose number cell holds its number goes back to
// that slot, so that an export read back keeps every channel on its channel number; a record
// without one takes the next free slot. The radio's tables are fixed: a record beyond the
// table is refused, never written past it.
class SlotAllocator {
public:
    explicit SlotAllocator(std::size_t size) : m_taken(size, false) {}

    // The slot, and whether the record gave its number.
    Result<std::pair<std::size_t, bool>> place(const std::string* numberCell) {
        if (numberCell && !trimBlanks(*numberCell).empty()) {
            const auto number = parseInteger(*numberCell);
            if (!number || *number < 1 || static_cast<std::uint64_t>(*number) > m_taken.size())
                return Error::literal("not a record number from 1 to " +
                                      std::to_string(m_taken.size()) + ": \"" + *numberCell + "\"");
            const auto slot = static_cast<std::size_t>(*number - 1);
            if (m_taken[slot])
                return Error::literal("record number " + std::to_string(*number) +
                                      " appears twice");
            return std::pair{take(slot), true};
        }
        for (std::size_t i = 0; i < m_taken.size(); ++i) {
            const std::size_t slot = (m_next + i) % m_taken.size();
            if (!m_taken[slot])
                return std::pair{take(slot), false};
        }
        return Error::literal("the file holds more records than the list's " +
                              std::to_string(m_taken.size()));
    }

private:
    std::size_t take(std::size_t slot) {
        m_taken[slot] = true;
        m_next = slot + 1;
        return slot;
    }

    std::vector<bool> m_taken;
    std::size_t m_next = 0;
};

} // namespace

ListImport::ListImport(const Codeplug& codeplug, const ListContext& context)
    : m_codeplug(codeplug), m_context(context), m_work{&codeplug, {}, {}, {}, {}, {}, {}, {}} {}

bool IsDownloadedContactFile(const std::filesystem::path& path) {
    std::string extension = pathText(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".cgi";
}

std::size_t CountListLines(const std::filesystem::path& path) {
    auto text = IsDownloadedContactFile(path) ? ListText::loadCgi(path) : ListText::load(path);
    return text ? text->size() : 0;
}

Status ListImport::importFile(ListType type, const std::filesystem::path& path) {
    if (isSkippedOnImport(type))
        return Status::success();
    const bool cgi = isContactList(type) && IsDownloadedContactFile(path);
    auto text = cgi ? ListText::loadCgi(path) : ListText::load(path);
    if (!text)
        return Error::literal(importError(type, pathText(path)) + ": " + text.error().text);
    return importText(type, *text, pathText(path));
}

Status ListImport::importText(ListType type, const ListText& text, std::string_view fileName) {
    if (isSkippedOnImport(type))
        return Status::success();
    const std::string failure = importError(type, fileName);
    const std::unique_ptr<ListFamily> family = MakeListFamily(type, m_context);
    if (!family)
        return Error::literal(failure + ": this list is not held by this program");
    if (text.empty())
        return Error::literal(failure + ": the file is empty");

    std::vector<std::string> cells;
    if (Status split = SplitCells(text.line(0), cells); !split)
        return Error::literal(failure + ": " + text.where(0) + ": " + split.error().text);
    const std::vector<ListColumn> columns = ImportColumns(type, m_context.toolMode);
    const ColumnMap map(cells, columns, m_context.language, isContactList(type));
    if (!map.recognised())
        return Error::literal(failure + ": " + text.where(0) +
                              ": no heading of this list in the interface language");

    family->reset(m_work);
    const auto table = static_cast<std::size_t>(*familyOfList(type));
    m_work.read[table] = true;
    m_work.numbered[table].assign(family->size(), false);
    SlotAllocator slots(family->size());
    const std::size_t total = std::max(m_linesTotal, m_linesDone + text.size());
    if (m_context.progress)
        m_context.progress(++m_linesDone, total); // the header
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (m_context.progress)
            m_context.progress(++m_linesDone, total);
        const std::string place = failure + ": " + text.where(i);
        if (Status split = SplitCells(text.line(i), cells); !split)
            return Error::literal(place + ": " + split.error().text);
        // Spreadsheets leave rows of empty cells behind the data.
        if (isBlankLine(cells))
            continue;
        const ListRow row(map, cells, place);
        const std::string* number = row.cell(ListField::Number);
        auto slot = slots.place(number);
        if (!slot) {
            return number ? row.fail(ListField::Number, slot.error())
                          : Error::literal(place + ": " + slot.error().text);
        }
        const auto [entry, numbered] = *slot;
        m_work.numbered[table][entry] = numbered;
        if (Status read = family->read(row, entry, m_work); !read)
            return read;
    }
    return Status::success();
}

bool ListImport::anyRead() const {
    return std::any_of(m_work.read.begin(), m_work.read.end(), [](bool read) { return read; });
}

namespace {

// A record imported without a name gets the default name of its family, as a record read from
// the radio does: an unnamed channel, zone or list could be named in no other list, and the
// channel editor takes an empty name for a deleted channel. (Contacts are known by their radio
// ID and keep an empty name: numbering 10000 of them one by one would take minutes.)
template <class Table>
void nameUnnamed(Codeplug& codeplug, Table& table, const ImportWorkSet& work, Family family) {
    if (!work.wasRead(family))
        return;
    for (std::size_t n = 0; n < table.size(); ++n) {
        if (recordInUse(table[n]) && TrimAtNull(table[n].Name).empty())
            table[n].Name = DefaultName(codeplug, family, n);
    }
}

} // namespace

Result<Codeplug> ListImport::finish() {
    Codeplug result = m_codeplug;
    m_work.moveReadTablesInto(result);
    nameUnnamed(result, result.Channel, m_work, Family::Channel);
    nameUnnamed(result, result.Person, m_work, Family::Person);
    nameUnnamed(result, result.Zone, m_work, Family::Zone);
    nameUnnamed(result, result.ScanList, m_work, Family::ScanList);
    nameUnnamed(result, result.RxGroup, m_work, Family::RxGroup);
    if (Status resolved = ResolveImportedReferences(m_codeplug, m_work, result); !resolved)
        return resolved.error();
    return result;
}

Result<std::optional<Codeplug>> ImportListOfLists(const Codeplug& codeplug,
                                                  const std::filesystem::path& listFile,
                                                  const ListContext& context) {
    auto text = ListText::load(listFile);
    if (!text)
        return text.error();
    auto entries = ReadListOfLists(*text);
    if (!entries)
        return Error::literal(pathText(listFile) + ": " + entries.error().text);
    if (entries->empty())
        return std::optional<Codeplug>();
    // The lists go in list type order, as the import form takes them.
    std::stable_sort(
        entries->begin(), entries->end(),
        [](const ListFileEntry& a, const ListFileEntry& b) { return a.listType < b.listType; });
    std::vector<std::filesystem::path> paths;
    std::size_t lines = 0;
    for (const ListFileEntry& entry : *entries) {
        paths.push_back(ResolveListEntryPath(listFile, entry.path));
        lines += CountListLines(paths.back());
    }
    ListImport import(codeplug, context);
    import.setProgressTotal(lines);
    for (std::size_t i = 0; i < entries->size(); ++i) {
        if (Status status =
                import.importFile(static_cast<ListType>((*entries)[i].listType), paths[i]);
            !status)
            return status.error();
    }
    auto result = import.finish();
    if (!result)
        return result.error();
    return std::optional<Codeplug>(std::move(*result));
}

} // namespace r605
