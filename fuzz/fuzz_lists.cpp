// Fuzz target for list files: the text decoding and line splitting of CSV and downloaded contact
// files, the cell splitter, the header recognition, the list-of-lists reader, and the import of
// a file into a codeplug with the references resolved. Besides not crashing, what the readers
// give must survive the writers unchanged, and an import never yields a table entry out of range.
//
// The first byte of an input chooses: bits 0-3 the list type, bit 5 reads a downloaded contact
// file, bit 7 tool mode; bits 4 and 6 clear and a second byte below 64 finish the import
// (resolving references: the slow part, which copies a whole codeplug). The rest is the file.
#include "lists/cell_splitter.h"
#include "lists/column_codes.h"
#include "lists/csv_writer.h"
#include "lists/list_import.h"
#include "lists/list_of_lists.h"
#include "lists/list_text.h"
#include "text/codepage.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace r605;

void check(bool condition) {
    if (!condition)
        std::abort();
}

// Quoting every cell and splitting the line again gives the same cells.
void checkRoundTrip(const std::vector<std::string>& cells) {
    CsvWriter writer;
    writer.writeRow(cells);
    std::string_view line = writer.text();
    line.remove_prefix(3); // byte-order mark
    line.remove_suffix(2); // CR LF
    const auto again = SplitCells(line);
    check(again.ok());
    check(*again == cells);
}

void readLines(const ListText& text) {
    const std::vector<std::string> headings = {"No.", "Name", "Member", "Member", "", "Radio ID"};
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view line = text.line(i);
        check(!line.empty());
        check(line.find_first_of("\r\n") == std::string_view::npos);
        const Status status = SplitCells(line, cells);
        if (!status) {
            check(status.error().text.starts_with("Data Error,"));
            continue;
        }
        check(!cells.empty() && cells.size() <= MaxListCells);
        checkRoundTrip(cells);
        const std::vector<int> codes = HeaderToColumnCodes(cells, headings, i % 2 == 0);
        check(codes.size() == cells.size());
        // Literal contact headings give codes up to 7, whatever the list's headings are.
        for (const int code : codes)
            check(code >= UnknownColumn && code <= 7);
    }
}

// A codeplug with a few records of every list in use, so that references in a file can name
// them.
Codeplug baseCodeplug() {
    Codeplug c;
    for (std::size_t n = 0; n < 4; ++n) {
        const auto number = static_cast<std::int16_t>(n + 1);
        c.Channel[n].Used = 1;
        c.Channel[n].Number = number;
        c.Channel[n].RxFreq = 440.0 + static_cast<double>(n);
        c.Channel[n].Name = "CH " + std::to_string(n + 1);
        c.Person[n] = PersonRec{number, 1, 1000 + number, 0, "ID " + std::to_string(n + 1)};
        c.Contact[n].Used = 1;
        c.Contact[n].Number = number;
        c.Contact[n].Id = 100 + number;
        c.Contact[n].CallType = 1;
        c.Contact[n].Name = "TG " + std::to_string(n + 1);
    }
    c.Zone[0].Used = 1;
    c.Zone[0].Name = "Zone 1";
    c.Zone[0].Count = 3;
    c.Zone[0].Members = {0, 1, 2};
    c.ScanList[0].Used = 1;
    c.ScanList[0].Name = "Scan 1";
    c.ScanList[0].Count = 2;
    c.ScanList[0].Members = {2, 0};
    c.ScanList[0].MemberZones = {0, 0};
    c.RxGroup[0].Used = 1;
    c.RxGroup[0].Name = "Group 1";
    c.RxGroup[0].Count = 2;
    c.RxGroup[0].Members = {3, 1};
    c.Channel[0].ScanLists = {0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    c.Channel[1].RxGroup = 1;
    return c;
}

ListContext context(bool toolMode) {
    ListContext result;
    // The headings come from the language file: without it no column would be recognised.
    result.language = Language::load(R605_DATA_DIR, 1);
    check(!result.language.text(TextKey{20002}).empty());
    result.toolMode = toolMode;
    result.bands = *bandRangesForCode(0);
    result.defaultChannel.RxFreq = 440.0;
    return result;
}

template <class Table> void checkMembers(const Table& table, std::size_t capacity, int limit) {
    for (const auto& record : table) {
        if (record.Used == 0)
            continue;
        check(record.Count >= 0 && static_cast<std::size_t>(record.Count) <= capacity);
        for (int k = 0; k < record.Count; ++k)
            check(record.Members[static_cast<std::size_t>(k)] >= 0 &&
                  record.Members[static_cast<std::size_t>(k)] < limit);
    }
}

void checkReferences(const Codeplug& c) {
    for (const ChannelRec& channel : c.Channel) {
        if (channel.Used == 0)
            continue;
        check(channel.Contact >= 0 && channel.Contact < static_cast<int>(kContactCount));
        check(channel.RadioId >= -1 && channel.RadioId < static_cast<int>(kPersonCount));
        check(channel.RxGroup >= 0 && channel.RxGroup <= static_cast<int>(kRxGroupCount));
        for (const std::uint8_t list : channel.ScanLists)
            check(list == 0xFF || list < kScanListCount);
    }
    checkMembers(c.Zone, kZoneMembers, static_cast<int>(kChannelCount));
    checkMembers(c.ScanList, kScanListMembers, static_cast<int>(kChannelCount));
    checkMembers(c.RxGroup, kRxGroupMembers, static_cast<int>(kContactCount));
    for (const ScanListRec& list : c.ScanList) {
        for (int k = 0; list.Used != 0 && k < list.Count; ++k)
            check(list.MemberZones[static_cast<std::size_t>(k)] >= 0 &&
                  list.MemberZones[static_cast<std::size_t>(k)] < static_cast<int>(kZoneCount));
    }
}

void importList(std::uint8_t selector, bool finish, std::string_view bytes) {
    static const Codeplug base = baseCodeplug();
    static const ListContext plain = context(false);
    static const ListContext tool = context(true);
    const auto type = static_cast<ListType>(selector & 0x0F);
    const ListText text =
        (selector & 0x20) ? ListText::fromCgiBytes(bytes) : ListText::fromBytes(bytes);
    ListImport import(base, (selector & 0x80) ? tool : plain);
    const Status status = import.importText(type, text, "fuzz.csv");
    if (!status) {
        check(status.error().text.starts_with("ImportFromFileError---"));
        return;
    }
    if ((selector & 0x50) != 0 || !finish)
        return;
    const auto result = import.finish();
    if (!result) {
        check(result.error().text.starts_with("ImportFromFileError---"));
        return;
    }
    checkReferences(*result);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(isValidUtf8(DecodeListBytes(bytes)));

    const ListText csv = ListText::fromBytes(bytes);
    readLines(csv);
    readLines(ListText::fromCgiBytes(bytes));

    const auto entries = ReadListOfLists(csv);
    if (entries.ok()) {
        for (const ListFileEntry& entry : *entries)
            check(entry.listType >= 0 && entry.listType <= 15 && !entry.path.empty());
        if (!entries->empty()) {
            const auto again = ReadListOfLists(ListText::fromBytes(WriteListOfLists(*entries)));
            check(again.ok() && *again == *entries);
        }
    }

    if (size > 0)
        importList(data[0], size > 1 && data[1] < 64, bytes.substr(1));
    return 0;
}
