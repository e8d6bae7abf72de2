#pragma once
// The per-user settings store of the program: QSettings under the organisation "R605" and the
// program's name (on Linux ~/.config/R605/r605cps.conf).

#include <QSettings>

#include <memory>

namespace r605 {

std::unique_ptr<QSettings> userSettings();

} // namespace r605
