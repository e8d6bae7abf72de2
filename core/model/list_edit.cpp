#include "model/list_edit.h"

#include "model/default_names.h"
#include "model/reference_repair.h"

#include <utility>

namespace r605 {

namespace {

enum Grid : int {
    kChannelGrid = 0,
    kPersonGrid = 1,
    kZoneGrid = 2,
    kScanListGrid = 3,
    kPhoneBookGrid = 4,
    kContactGrid = 5,
    kRoamZoneGrid = 6,
    kRoamChannelGrid = 7,
    kCallLogGrid = 8,
    kMessage1Grid = 9,
    kArc4Grid = 10,
    kMessage2Grid = 11,
    kMessage3Grid = 12,
    kRecordingGrid = 14,
    kRxGroupGrid = 15,
};

template <class TableT> typename TableT::value_type* recordAt(TableT& table, int row) {
    if (row < 1 || static_cast<std::size_t>(row) > table.size())
        return nullptr;
    return &table[static_cast<std::size_t>(row - 1)];
}

template <class C> auto messageTable(C& codeplug, int grid) -> decltype(&codeplug.TextMessage1) {
    switch (grid) {
    case kMessage1Grid:
        return &codeplug.TextMessage1;
    case kMessage2Grid:
        return &codeplug.TextMessage2;
    case kMessage3Grid:
        return &codeplug.TextMessage3;
    default:
        return nullptr;
    }
}

template <class TableT, class Record>
bool copyFrom(const TableT& table, int row, std::optional<Record>& clipboard) {
    if (row < 1 || static_cast<std::size_t>(row) > table.size())
        return false;
    clipboard = table[static_cast<std::size_t>(row - 1)];
    return true;
}

template <class Record> bool setUnused(Record* record) {
    if (record == nullptr)
        return false;
    record->Used = 0;
    return true;
}

bool anotherGroupContactInUse(const Codeplug& codeplug, std::size_t entry) {
    for (std::size_t i = 0; i < codeplug.Contact.size(); ++i) {
        const ContactRec& contact = codeplug.Contact[i];
        if (i != entry && contact.Used > 0 && contact.CallType == 1)
            return true;
    }
    return false;
}

// Writes the pasted record over the target, which keeps its own Number (a record's Number is
// its place; a file puts each record back at the place its Number names).
template <class Record> void overwrite(Record& target, const Record& pasted) {
    const auto number = target.Number;
    target = pasted;
    target.Number = number;
}

template <class Record>
void makeNameUnique(Codeplug& codeplug, Record& record, int row, int byteLimit, int family) {
    if (record.Used > 0)
        record.Name = MakeUniqueName(codeplug, row - 1, record.Name, byteLimit, family);
}

std::optional<int> swapZones(Codeplug& codeplug, int row, int otherRow) {
    if (row < 1 || otherRow < 1 || static_cast<std::size_t>(row) > codeplug.Zone.size() ||
        static_cast<std::size_t>(otherRow) > codeplug.Zone.size())
        return std::nullopt;
    ZoneRec& a = codeplug.Zone[static_cast<std::size_t>(row - 1)];
    ZoneRec& b = codeplug.Zone[static_cast<std::size_t>(otherRow - 1)];
    std::swap(a, b);
    std::swap(a.Number, b.Number);
    SwapZoneRefs(codeplug, row - 1, otherRow - 1);
    return otherRow;
}

} // namespace

bool ListEditClipboard::Copy(const Codeplug& codeplug, int grid, int row) {
    switch (grid) {
    case kChannelGrid:
        return copyFrom(codeplug.Channel, row, m_channel);
    case kPersonGrid:
        return copyFrom(codeplug.Person, row, m_person);
    case kZoneGrid:
        return copyFrom(codeplug.Zone, row, m_zone);
    case kScanListGrid:
        return copyFrom(codeplug.ScanList, row, m_scanList);
    case kPhoneBookGrid:
        return copyFrom(codeplug.PhoneBook, row, m_phoneBook);
    case kContactGrid:
        return copyFrom(codeplug.Contact, row, m_contact);
    case kRxGroupGrid:
        return copyFrom(codeplug.RxGroup, row, m_rxGroup);
    case kArc4Grid: {
        std::optional<Arc4KeyRec> key;
        if (!copyFrom(codeplug.Arc4Key, row, key))
            return false;
        m_shared = *key;
        m_sharedGrid = grid;
        return true;
    }
    case kMessage1Grid:
    case kMessage2Grid:
    case kMessage3Grid: {
        std::optional<TextMessageRec> message;
        if (!copyFrom(*messageTable(codeplug, grid), row, message))
            return false;
        m_shared = *message;
        m_sharedGrid = grid;
        return true;
    }
    default:
        return false;
    }
}

bool ListEditClipboard::Cut(Codeplug& codeplug, int grid, int row) {
    if (!Copy(codeplug, grid, row))
        return false;
    DeleteRecord(codeplug, grid, row);
    return true;
}

bool ListEditClipboard::isFull(int grid) const {
    switch (grid) {
    case kChannelGrid:
        return m_channel.has_value();
    case kPersonGrid:
        return m_person.has_value();
    case kZoneGrid:
        return m_zone.has_value();
    case kScanListGrid:
        return m_scanList.has_value();
    case kPhoneBookGrid:
        return m_phoneBook.has_value();
    case kContactGrid:
        return m_contact.has_value();
    case kRxGroupGrid:
        return m_rxGroup.has_value();
    case kMessage1Grid:
    case kArc4Grid:
    case kMessage2Grid:
    case kMessage3Grid:
        return m_sharedGrid == grid;
    default:
        return false;
    }
}

bool ListEditClipboard::Paste(Codeplug& codeplug, int grid, int row) {
    if (!isFull(grid))
        return false;
    switch (grid) {
    case kChannelGrid: {
        ChannelRec* target = recordAt(codeplug.Channel, row);
        if (target == nullptr)
            return false;
        const int previous = target->Used;
        overwrite(*target, *m_channel);
        RepairChannelRefs(codeplug, row, previous);
        makeNameUnique(codeplug, *target, row, 16, grid);
        return true;
    }
    case kPersonGrid: {
        PersonRec* target = recordAt(codeplug.Person, row);
        if (target == nullptr)
            return false;
        const int previous = target->Used;
        overwrite(*target, *m_person);
        RepairRadioIdRefs(codeplug, row, previous);
        makeNameUnique(codeplug, *target, row, 16, grid);
        return true;
    }
    case kZoneGrid: {
        ZoneRec* target = recordAt(codeplug.Zone, row);
        if (target == nullptr)
            return false;
        overwrite(*target, *m_zone);
        RepairZoneRefs(codeplug);
        makeNameUnique(codeplug, *target, row, 16, grid);
        return true;
    }
    case kScanListGrid: {
        ScanListRec* target = recordAt(codeplug.ScanList, row);
        if (target == nullptr)
            return false;
        overwrite(*target, *m_scanList);
        RepairScanListRefs(codeplug);
        makeNameUnique(codeplug, *target, row, 16, grid);
        return true;
    }
    case kPhoneBookGrid: {
        PhoneBookRec* target = recordAt(codeplug.PhoneBook, row);
        if (target == nullptr)
            return false;
        overwrite(*target, *m_phoneBook);
        return true;
    }
    case kContactGrid: {
        ContactRec* target = recordAt(codeplug.Contact, row);
        if (target == nullptr)
            return false;
        const int previous = target->Used;
        const int previousCallType = target->CallType;
        overwrite(*target, *m_contact);
        RepairContactRefs(codeplug, row, previous, previousCallType);
        makeNameUnique(codeplug, *target, row, 16, grid);
        return true;
    }
    case kRxGroupGrid: {
        RxGroupRec* target = recordAt(codeplug.RxGroup, row);
        if (target == nullptr)
            return false;
        overwrite(*target, *m_rxGroup);
        RepairRxGroupRefs(codeplug);
        makeNameUnique(codeplug, *target, row, 35, grid);
        return true;
    }
    case kArc4Grid: {
        Arc4KeyRec* target = recordAt(codeplug.Arc4Key, row);
        if (target == nullptr)
            return false;
        *target = std::get<Arc4KeyRec>(m_shared);
        return true;
    }
    default: {
        TextMessageRec* target = recordAt(*messageTable(codeplug, grid), row);
        if (target == nullptr)
            return false;
        const std::int16_t index = target->Index;
        overwrite(*target, std::get<TextMessageRec>(m_shared));
        target->Index = index;
        return true;
    }
    }
}

bool DeleteRecord(Codeplug& codeplug, int grid, int row) {
    switch (grid) {
    case kChannelGrid: {
        ChannelRec* channel = recordAt(codeplug.Channel, row);
        if (channel == nullptr)
            return false;
        const int previous = channel->Used;
        channel->Used = 0;
        RepairChannelRefs(codeplug, row, previous);
        return true;
    }
    case kPersonGrid: {
        PersonRec* person = recordAt(codeplug.Person, row);
        if (person == nullptr)
            return false;
        const int previous = person->Used;
        person->Used = 0;
        RepairRadioIdRefs(codeplug, row, previous);
        return true;
    }
    case kZoneGrid:
        if (!setUnused(recordAt(codeplug.Zone, row)))
            return false;
        RepairZoneRefs(codeplug);
        return true;
    case kScanListGrid:
        if (!setUnused(recordAt(codeplug.ScanList, row)))
            return false;
        RepairScanListRefs(codeplug);
        return true;
    case kPhoneBookGrid:
        return setUnused(recordAt(codeplug.PhoneBook, row));
    case kContactGrid: {
        ContactRec* contact = recordAt(codeplug.Contact, row);
        if (contact == nullptr)
            return false;
        // The last group contact always stays: group lists and digital channels need one.
        if (contact->Used > 0 && contact->CallType == 1 &&
            !anotherGroupContactInUse(codeplug, static_cast<std::size_t>(row - 1)))
            return false;
        const int previous = contact->Used;
        contact->Used = 0;
        RepairContactRefs(codeplug, row, previous, contact->CallType);
        return true;
    }
    case kRoamZoneGrid:
        return setUnused(recordAt(codeplug.RoamZone, row));
    case kRoamChannelGrid:
        return setUnused(recordAt(codeplug.RoamChannel, row));
    case kCallLogGrid:
        return setUnused(recordAt(codeplug.CallLog1, row));
    case kMessage1Grid:
    case kMessage2Grid:
    case kMessage3Grid:
        return setUnused(recordAt(*messageTable(codeplug, grid), row));
    case kArc4Grid: {
        // A key is in use while its KeyId is not 0.
        Arc4KeyRec* key = recordAt(codeplug.Arc4Key, row);
        if (key == nullptr)
            return false;
        key->KeyId = 0;
        return true;
    }
    case kRecordingGrid:
        return setUnused(recordAt(codeplug.Recording, row));
    case kRxGroupGrid: {
        RxGroupRec* group = recordAt(codeplug.RxGroup, row);
        if (group == nullptr)
            return false;
        const int previous = group->Used;
        group->Used = 0;
        if (previous > 0)
            RepairRxGroupRefs(codeplug);
        return true;
    }
    default:
        return false;
    }
}

std::optional<int> MoveZoneUp(Codeplug& codeplug, int row) {
    if (row < 2)
        return std::nullopt;
    return swapZones(codeplug, row, row - 1);
}

std::optional<int> MoveZoneDown(Codeplug& codeplug, int row) {
    if (row < 1 || static_cast<std::size_t>(row) >= codeplug.Zone.size())
        return std::nullopt;
    return swapZones(codeplug, row, row + 1);
}

} // namespace r605
