#pragma once
// The local clock for the communication log and the daily trace.

#include "link/local_date_time.h"

namespace r605 {

LocalClock SystemLocalClock();

} // namespace r605
