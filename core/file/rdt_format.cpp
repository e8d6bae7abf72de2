#include "file/rdt_format.h"

#include "file/packed_record.h"
#include "model/packed_size.h"
#include "rules/band.h"
#include "schema/new_codeplug.h"
#include "text/trim.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace r605 {

namespace {

using Directory = std::array<std::int32_t, kRecordCountSlots>;

constexpr std::size_t kVersionLength = 5;
constexpr std::size_t kTagLength = 7;
constexpr int kContactSlot = 5;
constexpr int kRecordingSlot = 15;

// The file's message for a damaged file: the reason and where it was found.
Error damaged(std::string detail) {
    return Error::keyed(99127, std::move(detail));
}

// Every member of the header and settings record, in file order.
template <class C, class Visit> void visitHeaderRecord(C& c, Visit&& visit) {
    visit(Field::any("Header"), c.Header);
    visit(Field::any("FiveTone"), c.FiveTone);
    visit(Field::any("Dtmf"), c.Dtmf);
    visit(Field::any("TwoTone"), c.TwoTone);
    visit(Field::any("Option"), c.Option);
    visit(Field::any("Alarm"), c.Alarm);
    visit(Field::any("OneKey"), c.OneKey);
    visit(Field::any("Settings"), c.Settings);
    for (auto& entry : c.QuickCall)
        visit(Field::any("QuickCall"), entry);
    visit(Field::any("EmbeddedInfo"), c.EmbeddedInfo);
    for (auto& pattern : c.AlertTonePatterns)
        visit(Field::any("AlertTonePatterns"), pattern);
    visit(Field::any("UserToneSet"), c.UserToneSet);
}

// Every block after the directory, in file order, with its table name and count slot.
template <class C, class Blocks> void visitBlocks(C& c, Blocks& blocks) {
    blocks.counted("Channel", 0, c.Channel);
    blocks.counted("Person", 1, c.Person);
    blocks.counted("Zone", 2, c.Zone);
    blocks.counted("ScanList", 3, c.ScanList);
    blocks.counted("PhoneBook", 4, c.PhoneBook);
    blocks.contacts(c.Contact);
    blocks.counted("CallLog1", 7, c.CallLog1);
    blocks.counted("CallLog2", 8, c.CallLog2);
    blocks.counted("CallLog3", 9, c.CallLog3);
    blocks.counted("TextMessage1", 10, c.TextMessage1);
    blocks.counted("TextMessage2", 11, c.TextMessage2);
    blocks.counted("TextMessage3", 12, c.TextMessage3);
    blocks.counted("TextMessage4", 13, c.TextMessage4);
    blocks.counted("Recording", kRecordingSlot, c.Recording);
    blocks.companion("RecordingIndex", kRecordingSlot, c.RecordingIndex, c.Recording);
    blocks.counted("RxGroup", 16, c.RxGroup);
    blocks.whole("EMG_Code", c.EMG_Code);
    blocks.whole("RepeaterOffset", c.RepeaterOffset);
    blocks.whole("TwoToneEntry", c.TwoToneEntry);
    blocks.single("AprsCompanion", c.AprsCompanion);
    blocks.single("Aprs", c.Aprs);
    blocks.whole("AesKey", c.AesKey);
    blocks.whole("RoamChannel", c.RoamChannel);
    blocks.whole("RoamZone", c.RoamZone);
    blocks.whole("Arc4Key", c.Arc4Key);
}

template <class Record> bool inUse(const Record& record) {
    return record.Used > 0;
}

template <class Record> std::size_t recordSize() {
    static const std::size_t size = packedSize<Record>();
    return size;
}

// First pass of a save: the directory, and the size of the blocks.
struct CountPass {
    Directory directory{};
    std::size_t contactBlockSize = 0;
    std::size_t contactCount = 0;
    std::size_t bytes = 0;

    template <class TableT> void counted(std::string_view, int slot, const TableT& table) {
        const auto count = static_cast<std::size_t>(
            std::count_if(table.begin(), table.end(), inUse<typename TableT::value_type>));
        directory[static_cast<std::size_t>(slot)] = static_cast<std::int32_t>(count);
        bytes += count * recordSize<typename TableT::value_type>();
    }
    template <class TableT, class MainT>
    void companion(std::string_view, int slot, const TableT&, const MainT&) {
        bytes += static_cast<std::size_t>(directory[static_cast<std::size_t>(slot)]) *
                 recordSize<typename TableT::value_type>();
    }
    void contacts(const Table<ContactRec, kContactCount>&) {
        directory[kContactSlot] = static_cast<std::int32_t>(contactCount);
        bytes += 4 + contactBlockSize;
    }
    template <class TableT> void whole(std::string_view, const TableT& table) {
        bytes += table.size() * recordSize<typename TableT::value_type>();
    }
    template <class Record> void single(std::string_view, const Record&) {
        bytes += recordSize<Record>();
    }
};

// Second pass of a save: the blocks.
struct WritePass {
    PackedWriter& writer;
    const std::string& contactBlock;

    template <class TableT> void counted(std::string_view, int, const TableT& table) {
        for (const auto& record : table) {
            if (inUse(record))
                writer.putRecord(record);
        }
    }
    template <class TableT, class MainT>
    void companion(std::string_view, int, const TableT& table, const MainT& main) {
        for (std::size_t i = 0; i < main.size(); ++i) {
            if (inUse(main[i]))
                writer.putRecord(table[i]);
        }
    }
    void contacts(const Table<ContactRec, kContactCount>&) {
        writer.putInt32(static_cast<std::int32_t>(contactBlock.size()));
        writer.putBytes(std::span(reinterpret_cast<const std::uint8_t*>(contactBlock.data()),
                                  contactBlock.size()));
    }
    template <class TableT> void whole(std::string_view, const TableT& table) {
        for (const auto& record : table)
            writer.putRecord(record);
    }
    template <class Record> void single(std::string_view, const Record& record) {
        writer.putRecord(record);
    }
};

std::string where(std::string_view block, std::size_t offset) {
    return std::string(block) + " block at byte " + std::to_string(offset);
}

// A record as the user finds it in a message: its block, its place there and its name.
template <class Record>
std::string recordLabel(std::string_view block, std::size_t k, const Record& record) {
    std::string label = std::string(block) + " block, record " + std::to_string(k + 1);
    if constexpr (requires {
                      { record.Name } -> std::convertible_to<std::string>;
                  }) {
        if (!record.Name.empty())
            label += " \"" + std::string(record.Name) + "\"";
    }
    return label;
}

// The table entry each record of a block goes to; none for a record that is not in use.
using Places = std::vector<std::optional<std::size_t>>;

// Records of a counted block go back to the entries their Numbers name, so that everything that
// refers to them by entry still finds them. Records not in use are never looked at. A record
// whose Number is outside the table, or names an entry an earlier record of the block already
// has, is kept: it takes the first free entry, and the move is listed. A block never holds more
// records than its table has entries, so a free entry is always found.
template <class Record>
Places placeByNumber(std::string_view block, const std::vector<Record>& records,
                     std::size_t tableSize, std::vector<Error>& warnings) {
    Places places(records.size());
    std::vector<std::optional<std::size_t>> holder(tableSize); // the record holding each entry
    std::vector<std::size_t> homeless;
    for (std::size_t k = 0; k < records.size(); ++k) {
        if (!inUse(records[k]))
            continue;
        const auto number = static_cast<std::int64_t>(records[k].Number);
        if (number < 1 || number > static_cast<std::int64_t>(tableSize) ||
            holder[static_cast<std::size_t>(number - 1)]) {
            homeless.push_back(k);
            continue;
        }
        const auto entry = static_cast<std::size_t>(number - 1);
        holder[entry] = k;
        places[k] = entry;
    }
    std::size_t free = 0;
    for (const std::size_t k : homeless) {
        while (free < tableSize && holder[free])
            ++free;
        if (free == tableSize)
            break;
        const auto number = static_cast<std::int64_t>(records[k].Number);
        const std::string fault =
            number >= 1 && number <= static_cast<std::int64_t>(tableSize)
                ? "Number " + std::to_string(number) + " is already that of record " +
                      std::to_string(*holder[static_cast<std::size_t>(number - 1)] + 1)
                : "Number " + std::to_string(number) + " is outside 1 to " +
                      std::to_string(tableSize);
        warnings.push_back(Error::literal(recordLabel(block, k, records[k]) + ": " + fault +
                                          "; the record now has Number " +
                                          std::to_string(free + 1) + ", the first free one"));
        holder[free] = k;
        places[k] = free;
    }
    return places;
}

// Puts the records at their places; a record's Number is its place, here as in every table.
template <class TableT>
void putAtPlaces(TableT& table, std::vector<typename TableT::value_type>& records,
                 const Places& places) {
    for (std::size_t k = 0; k < records.size() && k < places.size(); ++k) {
        if (!places[k])
            continue;
        auto& record = records[k];
        record.Number = static_cast<decltype(record.Number)>(*places[k] + 1);
        table[*places[k]] = std::move(record);
    }
}

// Reads the blocks into a codeplug; stops at the first fault that makes the rest unreadable.
struct ReadPass {
    PackedReader& reader;
    const Directory& directory;
    ContactTextForm textForm;
    std::vector<Error>& warnings;
    std::optional<Error> error;
    // Where the records of each counted block went, for the companion block that follows them.
    std::array<Places, kRecordCountSlots> placesBySlot{};

    bool failed() const { return error.has_value(); }
    void fail(Error e) {
        if (!error)
            error = std::move(e);
    }

    // A count outside the table cannot be read: a block larger than its table has records no
    // entry can take, and a negative one says nothing of where the next block starts.
    std::optional<std::size_t> count(std::string_view block, int slot, std::size_t size) {
        const std::int32_t value = directory[static_cast<std::size_t>(slot)];
        if (value < 0 || static_cast<std::size_t>(value) > size) {
            fail(damaged(std::string(block) + ": record count " + std::to_string(value) +
                         " in directory entry " + std::to_string(slot) + " is outside 0 to " +
                         std::to_string(size)));
            return std::nullopt;
        }
        return static_cast<std::size_t>(value);
    }

    template <class TableT>
    std::optional<std::vector<typename TableT::value_type>>
    readRecords(std::string_view block, int slot, const TableT& table) {
        if (failed())
            return std::nullopt;
        const auto n = count(block, slot, table.size());
        if (!n)
            return std::nullopt;
        const std::size_t start = reader.position();
        std::vector<typename TableT::value_type> records(*n);
        for (std::size_t k = 0; k < *n; ++k) {
            if (!reader.getRecord(records[k])) {
                fail(damaged("the file ends inside the " + where(block, start) + ", record " +
                             std::to_string(k + 1) + " of " + std::to_string(*n)));
                return std::nullopt;
            }
        }
        return records;
    }

    template <class TableT> void counted(std::string_view block, int slot, TableT& table) {
        auto records = readRecords(block, slot, table);
        if (!records)
            return;
        Places& places = placesBySlot[static_cast<std::size_t>(slot)];
        places = placeByNumber(block, *records, table.size(), warnings);
        putAtPlaces(table, *records, places);
    }
    // A companion record belongs to the record at the same place of its main block and goes
    // where that one went, whatever its own fields say.
    template <class TableT, class MainT>
    void companion(std::string_view block, int slot, TableT& table, const MainT&) {
        auto records = readRecords(block, slot, table);
        if (!records)
            return;
        putAtPlaces(table, *records, placesBySlot[static_cast<std::size_t>(slot)]);
    }

    void contacts(Table<ContactRec, kContactCount>& table) {
        if (failed())
            return;
        const std::size_t start = reader.position();
        const auto n = count("Contact", kContactSlot, table.size());
        if (!n)
            return;
        std::int32_t length = 0;
        if (!reader.getInt32(length)) {
            fail(damaged("the file ends before the length of the " + where("Contact", start)));
            return;
        }
        // A block longer than its capacity is none a save writes (the capacity is part of the
        // format); a negative length leaves the start of the next block unknown.
        if (length < 0 || static_cast<std::size_t>(length) > kContactBlockCapacity) {
            fail(damaged(where("Contact", start) + ": length " + std::to_string(length) +
                         " is outside 0 to " + std::to_string(kContactBlockCapacity)));
            return;
        }
        if (reader.remaining() < static_cast<std::size_t>(length)) {
            fail(damaged("the file ends inside the " + where("Contact", start) + " of " +
                         std::to_string(length) + " bytes"));
            return;
        }
        const std::size_t blockStart = reader.position();
        (void)reader.skip(static_cast<std::size_t>(length));
        UnpackedContacts unpacked = UnpackContacts(
            reader.bytes().substr(blockStart, static_cast<std::size_t>(length)), *n, textForm);
        if (!unpacked.complete)
            warnings.push_back(Error::literal("Open file RX_Contact Error!"));
        // Each contact goes back to the entry its Number names, so that channels, group lists
        // and quick calls still find it.
        const Places places = placeByNumber("Contact", unpacked.contacts, table.size(), warnings);
        putAtPlaces(table, unpacked.contacts, places);
    }

    template <class TableT> void whole(std::string_view block, TableT& table) {
        if (failed())
            return;
        const std::size_t start = reader.position();
        for (std::size_t k = 0; k < table.size(); ++k) {
            auto& record = table[k];
            if (!reader.getRecord(record)) {
                fail(damaged("the file ends inside the " + where(block, start) + ", record " +
                             std::to_string(k + 1) + " of " + std::to_string(table.size())));
                return;
            }
            // A record's Number is its place, here as in every table.
            if constexpr (requires { record.Number; })
                record.Number = static_cast<decltype(record.Number)>(k + 1);
        }
    }
    template <class Record> void single(std::string_view block, Record& record) {
        if (failed())
            return;
        const std::size_t start = reader.position();
        if (!reader.getRecord(record))
            fail(damaged("the file ends inside the " + where(block, start)));
    }
};

// Member counts are lengths of fixed arrays that every later use indexes with. A count outside
// its array is brought into it: below 0 it becomes 0, above it the array's length, whose members
// the member-list clean-up of zones and scan lists then sorts out. Listed for a record in use;
// one not in use is only made safe.
template <class Record>
void bringCountIntoRange(std::string_view table, std::size_t entry, Record& record,
                         std::size_t limit, std::vector<Error>& warnings) {
    const std::int16_t count = record.Count;
    if (count >= 0 && static_cast<std::size_t>(count) <= limit)
        return;
    record.Count = count < 0 ? std::int16_t{0} : static_cast<std::int16_t>(limit);
    if (!inUse(record))
        return;
    std::string label = std::string(table) + " " + std::to_string(entry + 1);
    if (!record.Name.empty())
        label += " \"" + record.Name + "\"";
    warnings.push_back(Error::literal(label + ": member count " + std::to_string(count) +
                                      " is outside 0 to " + std::to_string(limit) + "; read as " +
                                      std::to_string(record.Count)));
}

template <class TableT>
void bringCountsIntoRange(std::string_view name, TableT& table, std::size_t limit,
                          std::vector<Error>& warnings) {
    for (std::size_t i = 0; i < table.size(); ++i)
        bringCountIntoRange(name, i, table[i], limit, warnings);
}

void bringMemberCountsIntoRange(Codeplug& codeplug, std::vector<Error>& warnings) {
    bringCountsIntoRange("Zone", codeplug.Zone, kZoneMembers, warnings);
    bringCountsIntoRange("ScanList", codeplug.ScanList, kScanListMembers, warnings);
    bringCountsIntoRange("RxGroup", codeplug.RxGroup, kRxGroupMembers, warnings);
    bringCountsIntoRange("RoamZone", codeplug.RoamZone, kRoamZoneMembers, warnings);
}

// The header and settings record on its own: read, and checked, before anything of a codeplug
// is touched. Its members have the codeplug's names, so that visitHeaderRecord serves both.
struct HeaderRecord {
    CodeplugHeader Header;
    FiveToneAreas FiveTone;
    DtmfRec Dtmf;
    TwoToneAreas TwoTone;
    OptionAreas Option;
    AlarmAreas Alarm;
    OneKeyAreas OneKey;
    SettingsRec Settings;
    Table<QuickCallRec, kQuickCallCount> QuickCall;
    EmbeddedInfoRec EmbeddedInfo;
    Table<AlertTonePattern, kAlertTonePatternCount> AlertTonePatterns;
    r605::UserToneSet UserToneSet{};

    // Everything but the header itself.
    void adoptSettingsInto(Codeplug& codeplug) && {
        codeplug.FiveTone = std::move(FiveTone);
        codeplug.Dtmf = std::move(Dtmf);
        codeplug.TwoTone = std::move(TwoTone);
        codeplug.Option = std::move(Option);
        codeplug.Alarm = std::move(Alarm);
        codeplug.OneKey = std::move(OneKey);
        codeplug.Settings = std::move(Settings);
        codeplug.QuickCall = std::move(QuickCall);
        codeplug.EmbeddedInfo = std::move(EmbeddedInfo);
        codeplug.AlertTonePatterns = std::move(AlertTonePatterns);
        codeplug.UserToneSet = UserToneSet;
    }
};

// A DTMF code's digit count is the length of its 16-digit text; one outside it is brought into
// it, as member counts are.
void bringDigitCountsIntoRange(DtmfRec& dtmf, std::vector<Error>& warnings) {
    const auto bring = [&warnings](const std::string& name, DigitCode& code) {
        if (code.Count >= 0 && code.Count <= 16)
            return;
        const std::int16_t count = code.Count;
        code.Count = count < 0 ? std::int16_t{0} : std::int16_t{16};
        warnings.push_back(Error::literal("Dtmf " + name + ": digit count " +
                                          std::to_string(count) + " is outside 0 to 16; read as " +
                                          std::to_string(code.Count)));
    };
    for (std::size_t i = 0; i < dtmf.Codes.size(); ++i)
        bring("code " + std::to_string(i + 1), dtmf.Codes[i]);
    bring("Code16", dtmf.Code16);
    bring("Code17", dtmf.Code17);
    bring("Code18", dtmf.Code18);
    bring("Code19", dtmf.Code19);
}

struct Preamble {
    ContactTextForm textForm = ContactTextForm::Gbk;
    HeaderRecord record;
    std::vector<Error> warnings; // the repairs made to the record
};

// Steps shared by both loaders: version, tag, header and settings record.
Result<Preamble> readPreamble(PackedReader& reader, std::string_view bytes) {
    if (bytes.size() < kVersionLength || CheckFileVersion(bytes.substr(0, kVersionLength)) != 0)
        return Error::literal("File Version Error!");
    (void)reader.skip(kVersionLength);
    if (reader.remaining() < kTagLength)
        return damaged("the file ends inside its language tag");
    const std::string tag = TrimAtNull(bytes.substr(kVersionLength, kTagLength));
    (void)reader.skip(kTagLength);
    Preamble preamble;
    preamble.textForm = tag == "GBK" ? ContactTextForm::Gbk : ContactTextForm::SevenBit;

    // The first three fields say which layout the rest of the record has.
    PackedReader peek = reader;
    CodeplugHeader header;
    if (!peek.getRecord(header))
        return damaged("the file ends inside its header record");
    if (TrimAtNull(header.DataVersion) == kOldDataVersion)
        return Error::keyed(99128, "data version " + std::string(kOldDataVersion));

    bool complete = true;
    visitHeaderRecord(preamble.record, [&](const Field& field, auto& member) {
        if (complete)
            complete = reader.getMember(field, member);
    });
    if (!complete)
        return damaged("the file ends inside its header record of " +
                       std::to_string(HeaderRecordSize()) + " bytes");
    bringDigitCountsIntoRange(preamble.record.Dtmf, preamble.warnings);
    return preamble;
}

// The preamble of a whole file, which must belong to this model and a known band.
Result<Preamble> readFilePreamble(PackedReader& reader, std::string_view bytes) {
    auto preamble = readPreamble(reader, bytes);
    if (!preamble)
        return preamble;
    const CodeplugHeader& header = preamble->record.Header;
    if (IsForeignModel(header.ModelFamily))
        return Error::keyed(99113, "model family \"" + TrimAtNull(header.ModelFamily) + "\"");
    if (!isKnownBandCode(header.BandCode))
        return damaged("unknown band code " + std::to_string(header.BandCode));
    return preamble;
}

// The directory and the blocks, into a codeplug that is reset first.
Status readBody(PackedReader& reader, Preamble&& preamble, DecodedCodeplugFile& decoded) {
    ResetToNumberedEmpty(decoded.codeplug);
    decoded.textForm = preamble.textForm;
    decoded.warnings = std::move(preamble.warnings);
    decoded.codeplug.Header = preamble.record.Header;
    std::move(preamble.record).adoptSettingsInto(decoded.codeplug);

    Directory directory{};
    for (std::int32_t& count : directory) {
        if (!reader.getInt32(count))
            return damaged("the file ends inside its record-count directory");
    }
    ReadPass blocks{reader, directory, decoded.textForm, decoded.warnings, std::nullopt};
    visitBlocks(decoded.codeplug, blocks);
    if (blocks.error)
        return *blocks.error;
    bringMemberCountsIntoRange(decoded.codeplug, decoded.warnings);
    return Status::success();
}

// Names every contact a file could not hold, so that the user can keep them another way.
Error contactsLeftOutMessage(const Table<ContactRec, kContactCount>& contacts,
                             const std::vector<std::size_t>& leftOut) {
    const bool one = leftOut.size() == 1;
    std::string text = "SetContacts_Compression_Error: " + std::to_string(leftOut.size()) +
                       (one ? " contact does" : " contacts do") + " not fit the " +
                       std::to_string(kContactBlockCapacity) + "-byte contact block and " +
                       (one ? "is" : "are") + " not in the file; a JSON file keeps every contact.";
    for (const std::size_t entry : leftOut) {
        const ContactRec& contact = contacts[entry];
        text += "\n  Number " + std::to_string(entry + 1) + ", ID " + std::to_string(contact.Id) +
                ", " + contact.Name;
    }
    return Error::literal(std::move(text));
}

} // namespace

std::size_t HeaderRecordSize() {
    static const std::size_t size = [] {
        std::string bytes;
        PackedWriter writer(bytes);
        const Codeplug codeplug;
        visitHeaderRecord(codeplug, [&writer](const Field& field, const auto& member) {
            writer.putMember(field, member);
        });
        return bytes.size();
    }();
    return size;
}

int CheckFileVersion(std::string_view versionText) {
    return versionText == kFileVersionText ? 0 : 1;
}

bool IsForeignModel(std::string_view modelFamily) {
    return TrimAtNull(modelFamily) != kModelFamily;
}

std::string LanguageTag(ContactTextForm form) {
    return form == ContactTextForm::SevenBit ? "English" : "GBK    ";
}

EncodedCodeplugFile EncodeCodeplugFile(const Codeplug& codeplug, ContactTextForm form) {
    PackedContacts packed = PackContacts(codeplug.Contact, form);
    // GBK entries of long plain-ASCII texts take a byte per character and can overflow the block
    // (10000 contacts with every text full need about 990000 bytes). When every text is plain
    // ASCII the 7-bit form holds them without loss in about 880000 bytes, so the file is saved in
    // that form (tag "English") rather than without some contacts; the texts read back identical
    // either way.
    if (!packed.leftOut.empty() && form == ContactTextForm::Gbk &&
        ContactsFitSevenBitLosslessly(codeplug.Contact)) {
        form = ContactTextForm::SevenBit;
        packed = PackContacts(codeplug.Contact, form);
    }

    CountPass counts;
    counts.contactCount = packed.count;
    counts.contactBlockSize = packed.block.size();
    visitBlocks(codeplug, counts);

    EncodedCodeplugFile encoded;
    encoded.textForm = form;
    const std::size_t size =
        kVersionLength + kTagLength + HeaderRecordSize() + 4 * kRecordCountSlots + counts.bytes;
    std::string& bytes = encoded.bytes;
    bytes.reserve(size);
    PackedWriter writer(bytes);
    bytes += kFileVersionText;
    bytes += LanguageTag(form);
    visitHeaderRecord(codeplug, [&writer](const Field& field, const auto& member) {
        writer.putMember(field, member);
    });
    for (const std::int32_t count : counts.directory)
        writer.putInt32(count);
    WritePass blocks{writer, packed.block};
    visitBlocks(codeplug, blocks);
    assert(bytes.size() == size);

    if (!packed.leftOut.empty())
        encoded.warnings.push_back(contactsLeftOutMessage(codeplug.Contact, packed.leftOut));
    encoded.contactsLeftOut = std::move(packed.leftOut);
    return encoded;
}

Status DecodeCodeplugFileInto(std::string_view bytes, DecodedCodeplugFile& decoded) {
    PackedReader reader(bytes);
    auto preamble = readFilePreamble(reader, bytes);
    if (!preamble)
        return preamble.error();
    return readBody(reader, std::move(*preamble), decoded);
}

Result<DecodedCodeplugFile> DecodeCodeplugFile(std::string_view bytes) {
    PackedReader reader(bytes);
    auto preamble = readFilePreamble(reader, bytes);
    if (!preamble)
        return preamble.error();
    DecodedCodeplugFile decoded;
    if (Status read = readBody(reader, std::move(*preamble), decoded); !read)
        return read.error();
    return decoded;
}

Result<std::vector<Error>> AdoptCodeplugFileSettings(std::string_view bytes, Codeplug& codeplug) {
    PackedReader reader(bytes);
    auto preamble = readPreamble(reader, bytes);
    if (!preamble)
        return preamble.error();
    std::move(preamble->record).adoptSettingsInto(codeplug);
    return std::move(preamble->warnings);
}

namespace {

constexpr std::int16_t kNoMember = -1; // 65535 as the 16-bit member lists hold it

// Removes repeats and "none" members from the first `count` members; `companion`, when given,
// moves with the members.
template <std::size_t N>
std::int16_t cleanMembers(std::array<std::int16_t, N>& members, std::int16_t count,
                          std::type_identity_t<std::array<std::int16_t, N>>* companion) {
    const std::size_t used =
        std::min<std::size_t>(static_cast<std::size_t>(std::max<int>(count, 0)), N);
    for (std::size_t k = used; k-- > 1;) {
        for (std::size_t earlier = 0; earlier < k; ++earlier) {
            if (members[earlier] == members[k]) {
                members[k] = kNoMember;
                break;
            }
        }
    }
    std::size_t kept = 0;
    for (std::size_t k = 0; k < used; ++k) {
        if (members[k] == kNoMember)
            continue;
        members[kept] = members[k];
        if (companion != nullptr)
            (*companion)[kept] = (*companion)[k];
        ++kept;
    }
    for (std::size_t k = kept; k < used; ++k) {
        members[k] = kNoMember;
        if (companion != nullptr)
            (*companion)[k] = -1;
    }
    return static_cast<std::int16_t>(kept);
}

} // namespace

std::vector<Error> CleanZoneAndScanListMembers(Codeplug& codeplug) {
    std::vector<Error> repairs;
    const auto note = [&repairs](std::string_view table, std::size_t entry, const std::string& name,
                                 int before, int after) {
        if (before == after)
            return;
        repairs.push_back(Error::literal(
            std::string(table) + " " + std::to_string(entry + 1) +
            (name.empty() ? "" : " \"" + name + "\"") + ": repeated and empty members removed, " +
            std::to_string(before) + " members now " + std::to_string(after)));
    };
    for (std::size_t i = 0; i < codeplug.Zone.size(); ++i) {
        ZoneRec& zone = codeplug.Zone[i];
        if (zone.Used <= 0)
            continue;
        const int before = zone.Count;
        zone.Count = cleanMembers(zone.Members, zone.Count, nullptr);
        note("Zone", i, zone.Name, before, zone.Count);
    }
    for (std::size_t i = 0; i < codeplug.ScanList.size(); ++i) {
        ScanListRec& list = codeplug.ScanList[i];
        if (list.Used <= 0)
            continue;
        const int before = list.Count;
        list.Count = cleanMembers(list.Members, list.Count, &list.MemberZones);
        note("ScanList", i, list.Name, before, list.Count);
    }
    return repairs;
}

std::string InitialFileName(std::string_view modelFamily, int bandCode) {
    return TrimAtNull(modelFamily) + "_" + std::to_string(bandCode) + ".rdt";
}

} // namespace r605
