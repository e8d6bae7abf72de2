#pragma once
// The codeplug header: which radio family, band and data layout a codeplug belongs to.

#include "model/field.h"

#include <cstdint>
#include <string>

namespace r605 {

struct CodeplugHeader {
    std::string ModelFamily = "R600MK"; // 8 characters
    std::int16_t BandCode = 0;
    std::string DataVersion = "V110"; // 4 characters

    bool operator==(const CodeplugHeader&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::text("ModelFamily", 8), r.ModelFamily);
        visit(Field::range("BandCode", 0, 100), r.BandCode);
        visit(Field::text("DataVersion", 4), r.DataVersion);
    }
};

} // namespace r605
