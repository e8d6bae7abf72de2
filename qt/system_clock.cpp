#include "system_clock.h"

#include <ctime>
#include <memory>

namespace r605 {

LocalClock SystemLocalClock() {
    // Two trace entries a frame ask for the time: the local time is worked out once a second.
    struct Cache {
        std::time_t second = -1;
        LocalDateTime local;
    };
    auto cache = std::make_shared<Cache>();
    return [cache] {
        const std::time_t now = std::time(nullptr);
        if (now != cache->second) {
            std::tm parts{};
            localtime_r(&now, &parts);
            cache->second = now;
            cache->local = LocalDateTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                                         parts.tm_hour,        parts.tm_min,     parts.tm_sec};
        }
        return cache->local;
    };
}

} // namespace r605
