#include "schema/default_names.h"

#include "schema/family_tables.h"

#include "text/codepage.h"
#include "text/trim.h"

#include <algorithm>

namespace r605 {

namespace {

template <class TableT>
bool uniqueIn(const TableT& table, std::string_view candidate, std::size_t index) {
    for (std::size_t r = 0; r < table.size(); ++r) {
        if (r == index || !recordInUse(table[r]))
            continue;
        if (TrimAtNull(table[r].Name) == candidate)
            return false;
    }
    return true;
}

bool isDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The byte offset where the last `count` UTF-8 characters of the text begin.
std::size_t lastCharactersStart(std::string_view text, std::size_t count) {
    std::size_t pos = text.size();
    while (count > 0 && pos > 0) {
        --pos;
        while (pos > 0 && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            --pos;
        --count;
    }
    return pos;
}

std::size_t firstCharacterLength(std::string_view text) {
    std::size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

} // namespace

bool IsNameUnique(const Codeplug& codeplug, Family family, std::string_view candidate,
                  std::size_t index) {
    if (!familyInfo(family).uniqueNames)
        return true;
    bool unique = true;
    visitFamily(codeplug, family, [&](const auto& table) {
        if constexpr (kIsTable<decltype(table)>) {
            if constexpr (requires { table[0].Name; })
                unique = uniqueIn(table, candidate, index);
        }
    });
    return unique;
}

namespace {

std::string numberedUntilUnique(const Codeplug& codeplug, Family family, std::size_t index,
                                std::string_view name, bool testUnique) {
    const auto byteLimit = static_cast<std::size_t>(familyInfo(family).nameLimit);
    std::string result = TrimAtNull(name);
    std::size_t digits = 1;
    // Each round tries a new number; a table holds at most 10000 records, so the loop ends long
    // before this bound.
    for (int k = 0; k <= 100000;) {
        if (!testUnique || IsNameUnique(codeplug, family, result, index))
            return result;
        const std::string padding = digits == 1 ? "1" : "0";
        if (utf8Length(result) < digits)
            result += padding;
        const std::size_t tail = lastCharactersStart(result, digits);
        if (!isDigits(std::string_view(result).substr(tail)))
            result += padding;
        if (cp936Length(result) > byteLimit && !result.empty())
            result.erase(0, firstCharacterLength(result));
        ++k;
        const std::string number = std::to_string(k);
        digits = std::max(digits, number.size());
        result.replace(lastCharactersStart(result, digits), std::string::npos, number);
    }
    return result;
}

} // namespace

std::string MakeUniqueName(const Codeplug& codeplug, Family family, std::size_t index,
                           std::string_view name) {
    return numberedUntilUnique(codeplug, family, index, name, true);
}

std::string DefaultName(const Codeplug& codeplug, Family family, std::size_t index,
                        bool testUnique) {
    return numberedUntilUnique(codeplug, family, index, familyInfo(family).defaultName,
                               testUnique);
}

} // namespace r605
