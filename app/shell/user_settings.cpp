#include "shell/user_settings.h"

namespace r605 {

std::unique_ptr<QSettings> userSettings() {
    return std::make_unique<QSettings>("R605", "r605cps");
}

} // namespace r605
