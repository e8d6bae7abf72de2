#include "lists/column_codes.h"

#include "base/numbers.h"

#include <algorithm>
#include <array>

namespace r605 {

namespace {

constexpr std::array<std::string_view, 7> kContactLiterals = {
    "Radio ID", "Callsign", "Name", "City", "State", "Country", "Remarks"};

} // namespace

std::vector<std::string> DistinctHeadings(std::span<const std::string> headings) {
    std::vector<std::string> result;
    result.reserve(headings.size());
    for (std::size_t k = 0; k < headings.size(); ++k) {
        const auto earlier = static_cast<std::size_t>(std::count(
            headings.begin(), headings.begin() + static_cast<std::ptrdiff_t>(k), headings[k]));
        std::string heading = headings[k];
        if (!heading.empty())
            heading.append(earlier, ' ');
        result.push_back(std::move(heading));
    }
    return result;
}

std::span<const std::string_view> ContactLiteralHeadings() {
    return kContactLiterals;
}

std::vector<int> HeaderToColumnCodes(std::span<const std::string> headerCells,
                                     std::span<const std::string> headings, bool contactLiterals) {
    const std::vector<std::string> written = DistinctHeadings(headings);
    std::vector<int> codes(headerCells.size(), UnknownColumn);
    std::vector<bool> taken(headings.size(), false);

    // Exact matches first, so that a loosely written cell cannot take the column of a later
    // cell that names it exactly. Each column is given to one cell only: a header whose blanks
    // were trimmed repeats a member heading, and the repetitions are the following columns.
    for (std::size_t i = 0; i < headerCells.size(); ++i) {
        for (std::size_t k = 0; k < written.size(); ++k) {
            if (!taken[k] && !written[k].empty() && headerCells[i] == written[k]) {
                codes[i] = static_cast<int>(k);
                taken[k] = true;
                break;
            }
        }
    }
    for (std::size_t i = 0; i < headerCells.size(); ++i) {
        if (codes[i] != UnknownColumn)
            continue;
        const std::string_view cell = trimBlanks(headerCells[i]);
        if (cell.empty())
            continue;
        if (contactLiterals) {
            const auto literal = std::find(kContactLiterals.begin(), kContactLiterals.end(), cell);
            if (literal != kContactLiterals.end()) {
                codes[i] = static_cast<int>(literal - kContactLiterals.begin()) + 1;
                continue;
            }
        }
        for (std::size_t k = 0; k < headings.size(); ++k) {
            if (!taken[k] && trimBlanks(headings[k]) == cell) {
                codes[i] = static_cast<int>(k);
                taken[k] = true;
                break;
            }
        }
    }
    return codes;
}

bool IsRecognisedHeader(std::span<const int> columnCodes) {
    return std::any_of(columnCodes.begin(), columnCodes.end(), [](int code) { return code > 0; });
}

} // namespace r605
