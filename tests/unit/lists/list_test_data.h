#pragma once
// A codeplug with every list filled, its references consistent, and the import context for it.

#include "lists/list_context.h"
#include "model/codeplug.h"

namespace r605::test {

// The interface language `index` from the repository's language files, tool mode as given, band
// code 0 (UHF 400 - 480 MHz) and the built-in default channel.
ListContext listContext(int languageIndex, bool toolMode = false);

// The built-in default channel of band code 0.
ChannelRec defaultChannel();

// Every table in the state a new codeplug holds it (numbers set, nothing in use), channels from
// the default channel.
Codeplug emptyCodeplug();

// A codeplug with channels, radio IDs, zones, scan lists, contacts, receive group lists and
// DTMF codes in use, in slots with gaps, with texts that need quoting (commas, quotes, Chinese),
// and every field a list carries set to a value other than the default; a few fields that no
// list carries are set too (a line that gives its record's number keeps them).
Codeplug sampleCodeplug();

} // namespace r605::test
