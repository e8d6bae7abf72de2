#pragma once
// Unique default names. A name the user did not type (a new record, a pasted record, a record
// read from the radio with an empty name) is numbered until no other in-use record of its family
// has it: "Channel 1", "Channel 2" ... "Channel 9", "Channel10".

#include "model/codeplug.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace r605 {

// Family numbers (the main window's grid index).
enum NameFamily : int {
    kFamilyChannel = 0,
    kFamilyPerson = 1,
    kFamilyZone = 2,
    kFamilyScanList = 3,
    kFamilyContact = 5,
    kFamilyRoamZone = 6,
    kFamilyRxGroup = 15,
    kFamilyRoamChannel = 19,
};

// True when no in-use record of the family other than entry `index` is named `candidate`. Each
// compared record's name is cut by TrimAtNull and stored back. Families without a test: true.
bool IsNameUnique(Codeplug& codeplug, int family, std::string_view candidate, int index);

// The first unique numbered variant of `name` for entry `index` (0-based) of the family; a
// name longer than byteLimit code-page-936 bytes loses characters at its front.
std::string MakeUniqueName(Codeplug& codeplug, int index, std::string_view name, int byteLimit,
                           int family);

std::string DefaultChannelName(Codeplug& codeplug, int index);
std::string DefaultRadioIdName(Codeplug& codeplug, int index);
std::string DefaultZoneName(Codeplug& codeplug, int index);
std::string DefaultScanListName(Codeplug& codeplug, int index);
// Contacts are numbered within the family of the main window's current grid (5 when the
// contact grid is shown; any other grid skips the test).
std::string DefaultContactName(Codeplug& codeplug, int index, int currentGrid = kFamilyContact);
std::string DefaultRoamZoneName(Codeplug& codeplug, int index);
std::string DefaultRoamChannelName(Codeplug& codeplug, int index);
std::string DefaultGroupListName(Codeplug& codeplug, int index);

} // namespace r605
