#pragma once
// Names the first member in which two codeplugs differ, for readable test failures.

#include "model/codeplug.h"
#include "schema/family_tables.h"

#include <string>

namespace r605::test {

inline std::string codeplugDifference(const Codeplug& a, const Codeplug& b) {
    std::string found;
    forEachFamilyPair(a, b, [&found](const FamilyInfo& info, const auto& inA, const auto& inB) {
        if (!found.empty() || inA == inB)
            return;
        found = std::string(info.jsonName);
        if constexpr (kIsTable<decltype(inA)>) {
            for (std::size_t i = 0; i < inA.size(); ++i) {
                if (!(inA[i] == inB[i])) {
                    found.append("[").append(std::to_string(i)).append("]");
                    return;
                }
            }
        }
    });
    if (found.empty() && !(a == b))
        found = "(a member no family holds)";
    return found;
}

} // namespace r605::test
