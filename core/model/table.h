#pragma once
// A record table of the codeplug: a fixed number of records, entry n at position n. The records
// live on the heap so that a Codeplug (10000 contacts and all) is cheap to move and never
// strains the stack.

#include <array>
#include <cassert>
#include <cstddef>
#include <vector>

namespace r605 {

template <class Record, std::size_t Count> class Table {
public:
    using value_type = Record;
    static constexpr std::size_t kSize = Count;

    Table() : m_records(Count) {}

    static constexpr std::size_t size() { return Count; }

    Record& operator[](std::size_t entry) {
        assert(entry < Count);
        return m_records[entry];
    }
    const Record& operator[](std::size_t entry) const {
        assert(entry < Count);
        return m_records[entry];
    }

    auto begin() { return m_records.begin(); }
    auto end() { return m_records.end(); }
    auto begin() const { return m_records.begin(); }
    auto end() const { return m_records.end(); }

    bool operator==(const Table&) const = default;

private:
    std::vector<Record> m_records;
};

// A fixed array with every element set to one value (member lists start as "none").
template <class T, std::size_t N> constexpr std::array<T, N> filledArray(T value) {
    std::array<T, N> result{};
    result.fill(value);
    return result;
}

} // namespace r605
