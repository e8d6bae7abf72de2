#pragma once
// The differences between two codeplugs as the user reads them (one line each, in the interface
// language) and as JSON for scripts, with the same content:
//
//   Channels 5 "Home": RX Freq: 438.50000 → 439.50000
//   Zones 2 "Town": Zone Name: Town → City
//   Digital Contacts 101 → 1 "Bob": renumbered
//   Digital Contacts 7 "Eve": removed
//   DTMF: Set0: 14 → 12
//   3 changed, 0 added, 1 removed, 100 renumbered
//
// A renumbered record that also changed shows both numbers before each changed field. An empty
// value is shown as "". A member list shows the members it lost and gained
// ("Members: - Bob | + Eve"), or both lists when only their order changed.

#include "compare/codeplug_diff.h"

#include <string>
#include <vector>

namespace r605 {

class Language;

// "Digital Contacts 101 → 1 \"Bob\"", "DTMF": the family's caption, the record's number (both
// when it was renumbered) and its name.
std::string recordLabel(const RecordDifference& record, const Language& language);

// The lines of one record: one per changed field, or one saying it was added, removed or only
// renumbered.
std::vector<std::string> recordLines(const RecordDifference& record, const Language& language);

// "3 changed, 0 added, 1 removed, 100 renumbered", or "No differences".
std::string diffSummary(const DiffCounts& counts, const Language& language);

// Every record's lines, then the summary.
std::vector<std::string> diffLines(const CodeplugDiff& diff, const Language& language);

// {"equal": bool, "summary": {"changed", "added", "removed", "renumbered", "text"},
//  "records": [{"family", "caption", "change": "changed"|"added"|"removed", "numberA",
//  "numberB" (null when the record is not in that codeplug or the family holds one record),
//  "renumbered", "name", "fields": [{"column", "heading", "before", "after" (member lists
//  also "membersRemoved", "membersAdded")}]}]}
std::string diffJson(const CodeplugDiff& diff, const Language& language);

} // namespace r605
