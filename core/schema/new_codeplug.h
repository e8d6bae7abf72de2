#pragma once
// The new codeplug of start-up and File/New, with the values the program itself supplies: every
// table emptied, two channels from the default-channel template, contact 1, roaming channel and
// zone 1, the DTMF and APRS defaults. (The initial codeplug files and Default.ini, when present,
// are applied on top of this by the file layer.)

#include "base/result.h"
#include "model/codeplug.h"
#include "rules/band.h"

#include <string>

namespace r605 {

// Every table's records as a file without them leaves them: default records numbered by their
// place (position + 1), none in use; contacts carry their number as their ID and the fourth
// message table each record's own position. The single records take their defaults.
void ResetToNumberedEmpty(Codeplug& codeplug);
Codeplug NumberedEmptyCodeplug();

// The codeplug for a band code (an error for a code outside the band table).
Result<Codeplug> NewCodeplug(int bandCode);
Codeplug NewCodeplug(int bandCode, const BandRanges& ranges);
// The same with channels 1 and 2 made from a default-channel template (Default.ini).
Codeplug NewCodeplug(int bandCode, const BandRanges& ranges, const ChannelRec& channelTemplate);

// The template new channels start from when there is no Default.ini.
ChannelRec BuiltInDefaultChannel(const BandRanges& ranges);

// Makes channel `number` (1-based) from the template: its number, frequencies and offset, in use,
// Byte59 1, and the unique name "CH " followed by its display number.
void ApplyDefaultChannel(Codeplug& codeplug, const ChannelRec& channelTemplate, int number,
                         double rxFreq, int offsetDir, double offset);

// The text of a channel number in names and lists: for kind 0, 257 and above are the VFOs
// ("VFO A", "VFO B"); otherwise the decimal number.
std::string ChannelDisplayNumber(int kind, int number);

} // namespace r605
