#pragma once
// The default-channel template and its file "Default.ini": one channel record in the record
// layout of codeplug files, nothing else. New channels start from the template.

#include "base/result.h"
#include "model/channel_rec.h"
#include "rules/band.h"

#include <filesystem>

namespace r605 {

inline constexpr std::string_view kDefaultChannelFile = "Default.ini";

// The template from the file, normalised for the band; the built-in template when the file is
// missing, unreadable or shorter than one record.
ChannelRec LoadDefaultChannel(const std::filesystem::path& file, const BandRanges& ranges);

// A template brought into the band: the receive frequency checked (the centre of band range 1
// when it is not a frequency of the band), the transmit frequency it and its offset give checked
// with the receive frequency as fallback, and direction and offset set from the two (simplex
// when they are equal).
ChannelRec NormaliseDefaultChannel(ChannelRec channel, const BandRanges& ranges);

// Writes the template (the default-channel tool).
Status SaveDefaultChannel(const std::filesystem::path& file, const ChannelRec& channel);

} // namespace r605
