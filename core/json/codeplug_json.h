#pragma once
// The codeplug as JSON: one object with "format": "r605-codeplug", "version": 1, "header" and
// one member per table or single record, named as the codeplug names it. Tables list only their
// records in use (a key is in use when its KeyId is not 0; tables without an in-use flag list
// every entry), each with its "Number" (position + 1). Fields carry the records' field names and
// values as the record holds them: frequencies in MHz, references as the record counts them,
// texts as UTF-8 without padding, raw byte areas as hexadecimal text.
//
// The tables a codeplug file holds whole (keys, roaming channels and zones, 2-tone entries) and
// the recordings' companion also list the records not in use that hold anything beyond what the
// new codeplug leaves there, with their "Used" 0 (or "KeyId" 0): a file read, written as JSON
// and built again is the same file.
//
// Reading refuses the whole input, with one message naming the table, the record's Number and
// the field, for a value its field cannot store (Field's stored range, a text too long for it).
// A value the field stores but an editor would not allow (a receive CTCSS index of 96 read from
// a radio, a frequency outside the band) is kept, with a warning naming table, record and field,
// so that every codeplug a radio or a file holds goes through JSON unchanged. Whatever the JSON
// leaves out (a field, a record, a table) takes its value from the new codeplug of the header's
// band.

#include "base/result.h"
#include "model/codeplug.h"

#include <string>
#include <string_view>
#include <vector>

namespace r605 {

// One record per line, so that codeplugs under version control give readable differences.
// `languageTag`, when given ("English" or "GBK"), is written as "languageTag": the text form of
// the codeplug file the JSON came from, so that building the file again gives the same bytes.
std::string CodeplugToJson(const Codeplug& codeplug, std::string_view languageTag = {});

// `languageTag`, when given, receives the JSON's "languageTag" ("" when it has none);
// `warnings`, when given, the values kept outside the editors' ranges.
Result<Codeplug> CodeplugFromJson(std::string_view text, std::string* languageTag = nullptr,
                                  std::vector<Error>* warnings = nullptr);

} // namespace r605
