#pragma once
// The progress of one pass: blocks done out of the blocks marked for it, as a percentage.

#include <cstddef>
#include <optional>

namespace r605 {

// done / total x 100, rounded to the nearest whole number with halves to even (3 of 8 gives
// 38), at most 100; 0 when there is nothing to do.
int ProgressPercent(std::size_t done, std::size_t total);

class TransferProgress {
public:
    // CountPassBlocks: a new pass of `total` blocks starts at 0 %.
    void startPass(std::size_t total);
    // UpdateProgress: one more block; the new percentage when it differs from the last shown.
    std::optional<int> blockDone();

    std::size_t total() const { return m_total; }
    std::size_t done() const { return m_done; }
    int lastPercent() const { return m_lastPercent; }

private:
    std::size_t m_total = 0;
    std::size_t m_done = 0;
    int m_lastPercent = 0;
};

} // namespace r605
