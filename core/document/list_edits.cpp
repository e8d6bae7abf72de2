#include "document/list_edits.h"

#include "model/reference_repair.h"
#include "schema/default_names.h"
#include "schema/family_columns.h"
#include "schema/family_tables.h"

#include <algorithm>
#include <vector>

namespace r605 {

namespace {

// The grids whose records share one clipboard: the three text message grids and the ARC4 keys.
bool sharesClipboard(Family family) {
    return family == Family::TextMessage1 || family == Family::Arc4Key ||
           family == Family::TextMessage2 || family == Family::TextMessage3;
}

template <class R> void takeOutOfUse(R& record) {
    if constexpr (requires { record.Used; })
        record.Used = 0;
    else if constexpr (requires { record.KeyId; })
        record.KeyId = 0; // a key is in use while its KeyId is not 0
}

// The repair of the references to record `entry` of family F, which held `before`.
template <Family F> void repair(Codeplug& codeplug, std::size_t entry, const RecordOf<F>& before) {
    const int number = static_cast<int>(entry + 1);
    if constexpr (F == Family::Channel)
        RepairChannelRefs(codeplug, number, before.Used);
    else if constexpr (F == Family::Person)
        RepairRadioIdRefs(codeplug, number, before.Used);
    else if constexpr (F == Family::Zone)
        RepairZoneRefs(codeplug);
    else if constexpr (F == Family::ScanList)
        RepairScanListRefs(codeplug);
    else if constexpr (F == Family::Contact)
        RepairContactRefs(codeplug, number, before.Used, before.CallType);
    else if constexpr (F == Family::RxGroup)
        RepairRxGroupRefs(codeplug);
}

template <Family F> void makeNameUnique(Codeplug& codeplug, std::size_t entry) {
    const FamilyInfo& info = familyInfo(F);
    auto& record = member<F>(codeplug)[entry];
    if constexpr (requires { record.Name; }) {
        if (info.uniqueNames && recordInUse(record))
            record.Name = MakeUniqueName(codeplug, F, entry, record.Name);
    }
}

bool anotherGroupContactInUse(const Codeplug& codeplug, std::size_t entry) {
    for (std::size_t i = 0; i < codeplug.Contact.size(); ++i) {
        const ContactRec& contact = codeplug.Contact[i];
        if (i != entry && contact.Used > 0 && contact.CallType == 1)
            return true;
    }
    return false;
}

template <Family F> void deleteOne(Codeplug& codeplug, std::size_t entry) {
    auto& table = member<F>(codeplug);
    if (entry >= table.size())
        return;
    auto& record = table[entry];
    if constexpr (F == Family::Contact) {
        if (record.Used > 0 && record.CallType == 1 && !anotherGroupContactInUse(codeplug, entry))
            return;
    }
    const auto before = record;
    takeOutOfUse(record);
    repair<F>(codeplug, entry, before);
}

// Calls work.template operator()<F>() for the family when it is a table with list edits.
template <class Work> bool withEditedTable(Family family, Work&& work) {
    bool done = false;
    const auto one = [&]<Family F>() {
        if constexpr (kHasStorage<F>) {
            if constexpr (kIsTable<decltype(member<F>(std::declval<Codeplug&>()))>) {
                if (family == F) {
                    work.template operator()<F>();
                    done = true;
                }
            }
        }
    };
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (one.template operator()<static_cast<Family>(I)>(), ...);
    }
    (std::make_index_sequence<kGridCount>());
    return done;
}

} // namespace

bool canCopy(Family family) {
    switch (family) {
    case Family::Channel:
    case Family::Person:
    case Family::Zone:
    case Family::ScanList:
    case Family::PhoneBook:
    case Family::Contact:
    case Family::RxGroup:
        return true;
    default:
        return sharesClipboard(family);
    }
}

bool canDelete(Family family) {
    const FamilyInfo& info = familyInfo(family);
    return info.grid >= 0 && info.shape == FamilyShape::Table && family != Family::EmgCode &&
           family != Family::RepeaterOffset && family != Family::AesKey;
}

Clipboard::Slot& Clipboard::slotOf(Family family) {
    return m_slots[static_cast<std::size_t>(sharesClipboard(family) ? Family::TextMessage1
                                                                    : family)];
}

const Clipboard::Slot* Clipboard::slotFor(Family family) const {
    if (!canCopy(family))
        return nullptr;
    const Slot& slot =
        m_slots[static_cast<std::size_t>(sharesClipboard(family) ? Family::TextMessage1 : family)];
    return slot.family == family ? &slot : nullptr;
}

bool Clipboard::holds(Family family) const {
    const Slot* slot = slotFor(family);
    return slot != nullptr && slot->count > 0;
}

std::size_t Clipboard::size(Family family) const {
    const Slot* slot = slotFor(family);
    return slot ? slot->count : 0;
}

bool Clipboard::copy(const Codeplug& codeplug, Family family,
                     std::span<const std::size_t> entries) {
    if (!canCopy(family))
        return false;
    bool copied = false;
    withEditedTable(family, [&]<Family F>() {
        const auto& table = member<F>(codeplug);
        std::vector<RecordOf<F>> records;
        for (const std::size_t entry : entries) {
            if (entry < table.size())
                records.push_back(table[entry]);
        }
        if (records.empty())
            return;
        Slot& slot = slotOf(family);
        slot.family = family;
        slot.count = records.size();
        slot.records = std::move(records);
        copied = true;
    });
    return copied;
}

void deleteRecordsIn(Codeplug& codeplug, Family family, std::span<const std::size_t> entries) {
    if (!canDelete(family))
        return;
    withEditedTable(family, [&]<Family F>() {
        for (const std::size_t entry : entries)
            deleteOne<F>(codeplug, entry);
    });
}

Result<ChangeSet> deleteRecords(Document& document, Family family,
                                std::span<const std::size_t> entries) {
    if (!canDelete(family))
        return ChangeSet(EditKind::Delete);
    return document.apply(EditKind::Delete, [&](Codeplug& codeplug) {
        deleteRecordsIn(codeplug, family, entries);
        return Status::success();
    });
}

Result<ChangeSet> cutRecords(Document& document, Clipboard& clipboard, Family family,
                             std::span<const std::size_t> entries) {
    if (!clipboard.copy(document.codeplug(), family, entries))
        return ChangeSet(EditKind::Cut);
    return document.apply(EditKind::Cut, [&](Codeplug& codeplug) {
        deleteRecordsIn(codeplug, family, entries);
        return Status::success();
    });
}

Result<ChangeSet> pasteRecords(Document& document, const Clipboard& clipboard, Family family,
                               std::size_t firstEntry) {
    const Clipboard::Slot* slot = clipboard.slotFor(family);
    if (slot == nullptr || slot->count == 0)
        return ChangeSet(EditKind::Paste);
    return document.apply(EditKind::Paste, [&](Codeplug& codeplug) {
        withEditedTable(family, [&]<Family F>() {
            const auto& records = std::any_cast<const std::vector<RecordOf<F>>&>(slot->records);
            auto& table = member<F>(codeplug);
            for (std::size_t k = 0; k < records.size() && firstEntry + k < table.size(); ++k) {
                const std::size_t entry = firstEntry + k;
                const auto before = table[entry];
                overwriteRecord(table[entry], records[k]);
                repair<F>(codeplug, entry, before);
                makeNameUnique<F>(codeplug, entry);
            }
        });
        return Status::success();
    });
}

Result<ChangeSet> moveZone(Document& document, std::size_t entry, bool up) {
    const std::size_t count = document.codeplug().Zone.size();
    if (entry >= count || (up && entry == 0) || (!up && entry + 1 >= count))
        return ChangeSet(EditKind::MoveZone);
    const std::size_t other = up ? entry - 1 : entry + 1;
    return document.apply(EditKind::MoveZone, [&](Codeplug& codeplug) {
        ZoneRec& a = codeplug.Zone[entry];
        ZoneRec& b = codeplug.Zone[other];
        std::swap(a, b);
        std::swap(a.Number, b.Number);
        SwapZoneRefs(codeplug, static_cast<int>(entry), static_cast<int>(other));
        return Status::success();
    });
}

Result<ChangeSet> editRecord(Document& document, EditKind kind, Family family, std::size_t entry,
                             const Document::Edit& change) {
    if (entry >= familyInfo(family).count)
        return Error::literal("no such record");
    return document.apply(kind, [&](Codeplug& codeplug) -> Status {
        Status status = Error::literal("the family has no list edits");
        withEditedTable(family, [&]<Family F>() {
            const auto before = member<F>(codeplug)[entry];
            status = change(codeplug);
            if (status.ok())
                repair<F>(codeplug, entry, before);
        });
        return status;
    });
}

Result<ChangeSet> setCell(Document& document, Family family, std::size_t entry, std::size_t column,
                          std::string_view text, const ColumnContext& context) {
    const FamilyColumns* columns = columnsOf(family);
    if (columns == nullptr)
        return Error::literal("the family has no columns to edit");
    return editRecord(document, EditKind::EditCell, family, entry, [&](Codeplug& codeplug) {
        return columns->parse(codeplug, entry, column, text, context);
    });
}

} // namespace r605
