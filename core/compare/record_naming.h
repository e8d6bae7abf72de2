#pragma once
// How the user sees a family and its columns named: the caption of the family's grid in the
// category tree, and the heading of a column in its grid. The differences between two codeplugs
// and the printed report name families and columns as the grids do, in the interface language.

#include "schema/family.h"

#include <cstddef>
#include <string>

namespace r605 {

class Language;

// The families without a caption of their own in the tree (no grid, or a grid without a node)
// take text kFamilyCaptionBase + the family's enumeration value.
inline constexpr int kFamilyCaptionBase = 15000;

// "Channels", "Digital Contacts", "DTMF", ...; the family's JSON name when no text has it.
std::string familyCaption(Family family, const Language& language);

// The heading of family column `column` (an index into columnsOf(family)->columns()): the
// heading of its grid column when the grid has one (hidden columns included), else the label the
// record's editing form and list files give it, else the column's own name.
std::string columnHeading(Family family, std::size_t column, const Language& language);

} // namespace r605
