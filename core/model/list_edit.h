#pragma once
// The list-edit commands of the main window's record grids, as operations on the codeplug: copy,
// cut, paste and delete of the record on a row, and moving a zone up or down. Rows are the
// grids' record rows, 1-based (record entry = row - 1); grids are the window's grid indexes:
//   0 channels, 1 radio IDs, 2 zones, 3 scan lists, 4 phone book, 5 contacts, 6 roaming zones,
//   7 roaming channels, 8 first call list, 9 first text messages, 10 ARC4 keys, 11 second and
//   12 third text messages, 14 recordings, 15 receive group lists.
// Every command answers whether it changed anything; a command that does not apply to the grid
// or row does nothing.

#include "model/codeplug.h"

#include <array>
#include <optional>
#include <variant>

namespace r605 {

class ListEditClipboard {
public:
    // Copies the row's record. Grids 0-5 and 15 each have a clipboard of their own; grids 9-12
    // share one, which remembers the grid it was filled from. Other grids have no copy.
    bool Copy(const Codeplug& codeplug, int grid, int row);
    // Copies, then deletes the row by DeleteRecord's rules.
    bool Cut(Codeplug& codeplug, int grid, int row);
    // Writes the clipboard's record over the row's (the row keeps its own Number), repairs the
    // references of the family and makes the pasted record's name unique in it. Grids 9-12
    // paste only what was copied in the same grid.
    bool Paste(Codeplug& codeplug, int grid, int row);

    bool isFull(int grid) const;

private:
    std::optional<ChannelRec> m_channel;
    std::optional<PersonRec> m_person;
    std::optional<ZoneRec> m_zone;
    std::optional<ScanListRec> m_scanList;
    std::optional<PhoneBookRec> m_phoneBook;
    std::optional<ContactRec> m_contact;
    std::optional<RxGroupRec> m_rxGroup;
    // Grids 9 to 12 (text messages, ARC4 keys) and the grid it came from.
    std::variant<std::monostate, TextMessageRec, Arc4KeyRec> m_shared;
    int m_sharedGrid = -1;
};

// Takes the row's record out of use and repairs the references to it. The last contact of call
// type 1 is never deleted (the answer is false).
bool DeleteRecord(Codeplug& codeplug, int grid, int row);

// Moves the zone on `row` up or down by one: the two zones change places, each slot keeping its
// own Number, and the references follow. Gives the zone's new row, or nothing when it cannot move
// (the first row up, the last row down).
std::optional<int> MoveZoneUp(Codeplug& codeplug, int row);
std::optional<int> MoveZoneDown(Codeplug& codeplug, int row);

} // namespace r605
