#include "file/rdt_format.h"

#include "file/packed_record.h"
#include "model/packed_size.h"
#include "rules/band.h"
#include "text/trim.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <optional>
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

// Reads the blocks into a codeplug; stops at the first fault.
struct ReadPass {
    PackedReader& reader;
    const Directory& directory;
    ContactTextForm textForm;
    std::vector<Error>& warnings;
    std::optional<Error> error;

    bool failed() const { return error.has_value(); }
    void fail(Error e) {
        if (!error)
            error = std::move(e);
    }

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

    // Records of a counted block go back to the places their Numbers name. Two records for one
    // place, or a place outside the table, would lose or misplace records: the file is refused.
    template <class TableT>
    void place(std::string_view block, std::size_t start, TableT& table,
               std::vector<typename TableT::value_type>& records) {
        std::vector<bool> taken(table.size(), false);
        for (std::size_t k = 0; k < records.size(); ++k) {
            const auto number = static_cast<std::int64_t>(records[k].Number);
            if (number < 1 || number > static_cast<std::int64_t>(table.size())) {
                fail(damaged(where(block, start) + ", record " + std::to_string(k + 1) +
                             ": Number " + std::to_string(number) + " is outside 1 to " +
                             std::to_string(table.size())));
                return;
            }
            const auto entry = static_cast<std::size_t>(number - 1);
            if (taken[entry]) {
                fail(damaged(where(block, start) + ", record " + std::to_string(k + 1) +
                             ": Number " + std::to_string(number) + " appears twice"));
                return;
            }
            taken[entry] = true;
        }
        for (auto& record : records) {
            const auto entry = static_cast<std::size_t>(record.Number - 1);
            table[entry] = std::move(record);
        }
    }

    template <class TableT> void readRecords(std::string_view block, int slot, TableT& table) {
        if (failed())
            return;
        const auto n = count(block, slot, table.size());
        if (!n)
            return;
        const std::size_t start = reader.position();
        std::vector<typename TableT::value_type> records(*n);
        for (std::size_t k = 0; k < *n; ++k) {
            if (!reader.getRecord(records[k])) {
                fail(damaged("the file ends inside the " + where(block, start) + ", record " +
                             std::to_string(k + 1) + " of " + std::to_string(*n)));
                return;
            }
        }
        place(block, start, table, records);
    }

    template <class TableT> void counted(std::string_view block, int slot, TableT& table) {
        readRecords(block, slot, table);
    }
    template <class TableT, class MainT>
    void companion(std::string_view block, int slot, TableT& table, const MainT&) {
        readRecords(block, slot, table);
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
        placeContacts(table, unpacked.contacts);
    }

    // Each contact goes back to the entry its Number names, so that channels, group lists and
    // quick calls still find it. Numbers that cannot say that (outside the table, or one place
    // named twice) leave the contacts at the first entries in block order, renumbered.
    static void placeContacts(Table<ContactRec, kContactCount>& table,
                              std::vector<ContactRec>& contacts) {
        std::vector<bool> taken(table.size(), false);
        bool byNumber = true;
        for (const ContactRec& contact : contacts) {
            if (contact.Number < 1 || static_cast<std::size_t>(contact.Number) > table.size() ||
                taken[static_cast<std::size_t>(contact.Number - 1)]) {
                byNumber = false;
                break;
            }
            taken[static_cast<std::size_t>(contact.Number - 1)] = true;
        }
        for (std::size_t k = 0; k < contacts.size(); ++k) {
            const std::size_t entry =
                byNumber ? static_cast<std::size_t>(contacts[k].Number - 1) : k;
            contacts[k].Number = static_cast<std::int32_t>(entry + 1);
            table[entry] = std::move(contacts[k]);
        }
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

template <class Record>
Status checkCount(std::string_view table, std::size_t entry, const Record& record,
                  std::int16_t count, std::size_t limit) {
    if (count >= 0 && static_cast<std::size_t>(count) <= limit)
        return Status::success();
    return damaged(std::string(table) + " " + std::to_string(entry + 1) + ": member count " +
                   std::to_string(count) + " is outside 0 to " + std::to_string(limit) +
                   (record.Used > 0 ? "" : " (entry not in use)"));
}

// Member counts are lengths of fixed arrays: every later use indexes with them.
Status checkMemberCounts(const Codeplug& codeplug) {
    for (std::size_t i = 0; i < codeplug.Zone.size(); ++i) {
        const auto& zone = codeplug.Zone[i];
        if (Status s = checkCount("Zone", i, zone, zone.Count, kZoneMembers); !s)
            return s;
    }
    for (std::size_t i = 0; i < codeplug.ScanList.size(); ++i) {
        const auto& list = codeplug.ScanList[i];
        if (Status s = checkCount("ScanList", i, list, list.Count, kScanListMembers); !s)
            return s;
    }
    for (std::size_t i = 0; i < codeplug.RxGroup.size(); ++i) {
        const auto& group = codeplug.RxGroup[i];
        if (Status s = checkCount("RxGroup", i, group, group.Count, kRxGroupMembers); !s)
            return s;
    }
    for (std::size_t i = 0; i < codeplug.RoamZone.size(); ++i) {
        const auto& zone = codeplug.RoamZone[i];
        if (Status s = checkCount("RoamZone", i, zone, zone.Count, kRoamZoneMembers); !s)
            return s;
    }
    return Status::success();
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

Status checkDigitCounts(const DtmfRec& dtmf) {
    const auto check = [](std::string_view name, const DigitCode& code) -> Status {
        if (code.Count >= 0 && code.Count <= 16)
            return Status::success();
        return damaged("Dtmf " + std::string(name) + ": digit count " + std::to_string(code.Count) +
                       " is outside 0 to 16");
    };
    for (std::size_t i = 0; i < dtmf.Codes.size(); ++i) {
        if (Status s = check("code " + std::to_string(i + 1), dtmf.Codes[i]); !s)
            return s;
    }
    for (const auto* code : {&dtmf.Code16, &dtmf.Code17, &dtmf.Code18, &dtmf.Code19}) {
        if (Status s = check("code", *code); !s)
            return s;
    }
    return Status::success();
}

struct Preamble {
    ContactTextForm textForm = ContactTextForm::Gbk;
    HeaderRecord record;
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
    if (Status counts = checkDigitCounts(preamble.record.Dtmf); !counts)
        return counts.error();
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
    decoded.warnings.clear();
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
    return checkMemberCounts(decoded.codeplug);
}

template <class TableT> void resetTable(TableT& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        auto& record = table[i];
        record = typename TableT::value_type{};
        if constexpr (requires { record.Number; })
            record.Number = static_cast<decltype(record.Number)>(i + 1);
    }
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

Result<std::string> EncodeCodeplugFile(const Codeplug& codeplug, ContactTextForm form) {
    auto packed = PackContacts(codeplug.Contact, form);
    // GBK entries of long plain-ASCII texts take a byte per character and can overflow the block
    // (10000 contacts with every text full need about 990000 bytes). When every text is plain
    // ASCII the 7-bit form holds them without loss in about 880000 bytes, so the file is saved in
    // that form (tag "English") rather than refused; the texts read back identical either way.
    if (!packed && form == ContactTextForm::Gbk &&
        ContactsFitSevenBitLosslessly(codeplug.Contact)) {
        form = ContactTextForm::SevenBit;
        packed = PackContacts(codeplug.Contact, form);
    }
    if (!packed)
        return packed.error();

    CountPass counts;
    counts.contactCount = packed->count;
    counts.contactBlockSize = packed->block.size();
    visitBlocks(codeplug, counts);

    const std::size_t size =
        kVersionLength + kTagLength + HeaderRecordSize() + 4 * kRecordCountSlots + counts.bytes;
    std::string bytes;
    bytes.reserve(size);
    PackedWriter writer(bytes);
    bytes += kFileVersionText;
    bytes += LanguageTag(form);
    visitHeaderRecord(codeplug, [&writer](const Field& field, const auto& member) {
        writer.putMember(field, member);
    });
    for (const std::int32_t count : counts.directory)
        writer.putInt32(count);
    WritePass blocks{writer, packed->block};
    visitBlocks(codeplug, blocks);
    assert(bytes.size() == size);
    return bytes;
}

void ResetToNumberedEmpty(Codeplug& codeplug) {
    codeplug.Header = CodeplugHeader{};
    resetTable(codeplug.Channel);
    resetTable(codeplug.Person);
    resetTable(codeplug.Zone);
    resetTable(codeplug.ScanList);
    resetTable(codeplug.Contact);
    for (ContactRec& contact : codeplug.Contact)
        contact.Id = contact.Number;
    resetTable(codeplug.RxGroup);
    resetTable(codeplug.RoamChannel);
    resetTable(codeplug.RoamZone);
    codeplug.Dtmf = DtmfRec{};
    resetTable(codeplug.EMG_Code);
    resetTable(codeplug.AesKey);
    resetTable(codeplug.Arc4Key);
    resetTable(codeplug.QuickCall);
    codeplug.Settings = SettingsRec{};
    codeplug.EmbeddedInfo = EmbeddedInfoRec{};
    codeplug.Aprs = AprsRec{};
    resetTable(codeplug.AlertTonePatterns);
    codeplug.UserToneSet = r605::UserToneSet{};
    codeplug.Option = OptionAreas{};
    codeplug.FiveTone = FiveToneAreas{};
    codeplug.TwoTone = TwoToneAreas{};
    codeplug.Alarm = AlarmAreas{};
    codeplug.OneKey = OneKeyAreas{};
    resetTable(codeplug.PhoneBook);
    resetTable(codeplug.CallLog1);
    resetTable(codeplug.CallLog2);
    resetTable(codeplug.CallLog3);
    resetTable(codeplug.TextMessage1);
    resetTable(codeplug.TextMessage2);
    resetTable(codeplug.TextMessage3);
    resetTable(codeplug.TextMessage4);
    for (std::size_t i = 0; i < codeplug.TextMessage4.size(); ++i)
        codeplug.TextMessage4[i].Index = static_cast<std::int16_t>(i);
    resetTable(codeplug.Recording);
    resetTable(codeplug.RecordingIndex);
    resetTable(codeplug.RepeaterOffset);
    resetTable(codeplug.TwoToneEntry);
    codeplug.AprsCompanion = AprsCompanionRec{};
}

Codeplug NumberedEmptyCodeplug() {
    Codeplug codeplug;
    ResetToNumberedEmpty(codeplug);
    return codeplug;
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

Status AdoptCodeplugFileSettings(std::string_view bytes, Codeplug& codeplug) {
    PackedReader reader(bytes);
    auto preamble = readPreamble(reader, bytes);
    if (!preamble)
        return preamble.error();
    std::move(preamble->record).adoptSettingsInto(codeplug);
    return Status::success();
}

} // namespace r605
