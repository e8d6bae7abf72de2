#pragma once
// A table from texts to numbers for the comparison's look-ups by name: tens of thousands of
// names per comparison, so one block of slots instead of a node per text. The texts are views:
// what they point into must outlive the table.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace r605 {

class TextTable {
public:
    // Room for `texts` different texts.
    explicit TextTable(std::size_t texts) : m_slots(std::bit_ceil(texts + texts / 2 + 2)) {}

    // The number of `text`; none when the table does not hold it.
    std::uint32_t* find(std::string_view text) {
        Slot& slot = slotOf(text, hashOf(text));
        return slot.hash == 0 ? nullptr : &slot.value;
    }

    // The number of `text`, added as `initial` when the table does not hold it yet.
    std::uint32_t& insert(std::string_view text, std::uint32_t initial) {
        const std::uint32_t hash = hashOf(text);
        Slot& slot = slotOf(text, hash);
        if (slot.hash == 0)
            slot = {text, hash, initial};
        return slot.value;
    }

private:
    struct Slot {
        std::string_view text;
        std::uint32_t hash = 0; // 0: a free slot
        std::uint32_t value = 0;
    };

    static std::uint32_t hashOf(std::string_view text) {
        return static_cast<std::uint32_t>(std::hash<std::string_view>{}(text)) | 1U;
    }

    // The slot that holds `text`, or the free one where it goes.
    Slot& slotOf(std::string_view text, std::uint32_t hash) {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            Slot& slot = m_slots[at];
            if (slot.hash == 0 || (slot.hash == hash && slot.text == text))
                return slot;
        }
    }

    std::vector<Slot> m_slots;
};

} // namespace r605
