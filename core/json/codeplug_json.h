#pragma once
// The codeplug as JSON: one object with "format": "r605-codeplug", "version": 1, "header" and
// one member per table or single record, named as the codeplug names it. Tables list only their
// records in use (a key is in use when its KeyId is not 0; tables without an in-use flag list
// every entry), each with its "Number" (position + 1). Fields carry the records' field names and
// values as the record holds them: frequencies in MHz, references as the record counts them,
// texts as UTF-8 without padding, raw byte areas as hexadecimal text.
//
// Reading checks every value as an editor would and refuses the whole input with one message
// naming the table, the record's Number and the field. Whatever the JSON leaves out (a field, a
// record, a table) takes its value from the new codeplug of the header's band.

#include "base/result.h"
#include "model/codeplug.h"

#include <string>
#include <string_view>

namespace r605 {

// One record per line, so that codeplugs under version control give readable differences.
std::string CodeplugToJson(const Codeplug& codeplug);

Result<Codeplug> CodeplugFromJson(std::string_view text);

} // namespace r605
