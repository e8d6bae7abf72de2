#pragma once
// The largest codeplug a radio holds, filled with pseudo-random but valid values: every table
// full (256 channels, 250 radio IDs, 16 zones of 16, 16 scan lists of 32, 10000 contacts with
// full texts, 250 receive group lists of 64, all roaming and key tables), every text at its full
// length, some of them Chinese. The same seed gives the same codeplug. For benchmarks, round-trip
// tests and demonstrations.

#include "model/codeplug.h"
#include "rules/band.h"

#include <cstdint>

namespace r605 {

Codeplug SampleFullCodeplug(int bandCode, const BandRanges& ranges, std::uint32_t seed);

} // namespace r605
