#pragma once
// The conversions of the column kinds that need the column or the codeplug: frequencies through
// the band check, option texts, references by name. The plain text conversions are in
// cell_text.h.

#include "base/result.h"
#include "schema/column.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

struct Codeplug;

namespace cells {
Result<double> frequency(std::string_view text, const ColumnContext& context);
// Enumerated and OnOff columns: the value texts of the column.
std::string enumerated(const ColumnInfo& info, std::int64_t value, const ColumnContext& context);
Result<std::int64_t> enumerated(const ColumnInfo& info, std::string_view text,
                                const ColumnContext& context);
// The name of the record a reference value names; "" for none or a record not in use.
std::string referenceName(const Codeplug& codeplug, const ReferenceRule& rule, std::int64_t value);
// The reference value of a name: the first in-use record of the target family with that name;
// an empty text is none.
Result<std::int64_t> referenceValue(const Codeplug& codeplug, const ReferenceRule& rule,
                                    std::string_view name);
std::string memberNames(const Codeplug& codeplug, const ReferenceRule& rule,
                        std::span<const std::int64_t> values);
Result<std::vector<std::int64_t>> memberValues(const Codeplug& codeplug, const ReferenceRule& rule,
                                               std::string_view text, std::size_t maxMembers);
// The name of the in-use contact with radio ID `id`; "" when none has it.
std::string contactNameOfId(const Codeplug& codeplug, std::int64_t id);
} // namespace cells

} // namespace r605
