#include "link/transfer_progress.h"

#include "base/numbers.h"

#include <algorithm>

namespace r605 {

int ProgressPercent(std::size_t done, std::size_t total) {
    if (total == 0)
        return 0;
    const double percent = static_cast<double>(done) * 100.0 / static_cast<double>(total);
    return static_cast<int>(std::min<std::int64_t>(roundHalfEvenToInt(percent), 100));
}

void TransferProgress::startPass(std::size_t total) {
    m_total = total;
    m_done = 0;
    // The bar is set back to 0 with the new pass; the last percentage follows it, so that a pass
    // of a single block still shows its 100 %.
    m_lastPercent = 0;
}

std::optional<int> TransferProgress::blockDone() {
    ++m_done;
    const int percent = ProgressPercent(m_done, m_total);
    if (percent == m_lastPercent)
        return std::nullopt;
    m_lastPercent = percent;
    return percent;
}

} // namespace r605
