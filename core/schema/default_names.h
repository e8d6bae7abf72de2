#pragma once
// Unique default names. A name the user did not type (a new record, a pasted record, a record
// read from the radio with an empty name) is numbered until no other in-use record of its family
// has it: "Channel 1", "Channel 2" ... "Channel 9", "Channel10". The families whose names are
// tested, their name fields' byte limits and their base names are the family registry's.

#include "model/codeplug.h"
#include "schema/family.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace r605 {

// True when no in-use record of the family other than entry `index` has the name `candidate`
// (names compared as TrimAtNull cuts them). Families without a test: always true.
bool IsNameUnique(const Codeplug& codeplug, Family family, std::string_view candidate,
                  std::size_t index);

// The first unique numbered variant of `name` for entry `index` (0-based) of the family; a name
// longer than the family's name field (in code-page-936 bytes) loses characters at its front.
std::string MakeUniqueName(const Codeplug& codeplug, Family family, std::size_t index,
                           std::string_view name);

// The family's base name ("Zone 1") made unique for entry `index`. A contact named while another
// grid than the contacts is shown gets the base name untested: pass testUnique false.
std::string DefaultName(const Codeplug& codeplug, Family family, std::size_t index,
                        bool testUnique = true);

} // namespace r605
