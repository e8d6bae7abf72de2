#pragma once
// Reference repair: after a record went out of use, came into use or changed its slot, the
// records that refer to it are brought up to date, so that no record refers to one that is no
// longer in use. Records are never renumbered here (only the contact compaction before a write
// does that). Record numbers are 1-based, zone and channel entries 0-based; numbers outside
// their table change nothing.

#include "model/codeplug.h"

namespace r605 {

// Every in-use channel keeps, packed to the front, the scan lists of its eight that are still in
// use; the rest become 0xFF.
void RepairScanListRefs(Codeplug& codeplug);

// An in-use channel whose receive group list is out of range or not in use gets none (0).
void RepairRxGroupRefs(Codeplug& codeplug);

// Radio ID `number` changed its in-use flag from `previousUsed`: when it is the only one now in
// use, every in-use channel takes it; when it went out of use, the channels on it take the first
// radio ID still in use (-1 when none is).
void RepairRadioIdRefs(Codeplug& codeplug, int number, int previousUsed);

// Contact `number` was in use `previousUsed` with `previousCallType`. A group contact (call type
// 1) that is no longer one leaves every receive group list; quick calls of a contact gone out of
// use lose it, and follow its call type when it changed; channels move as for radio IDs (to
// contact 0 when none is left in use).
void RepairContactRefs(Codeplug& codeplug, int number, int previousUsed, int previousCallType);

// Channel `number` changed (or may have): the settings' two channel references are kept on
// in-use channels of even and odd channel type; a channel gone out of use leaves every zone in
// use (whose two selected channels move to other members) and every scan list.
void RepairChannelRefs(Codeplug& codeplug, int number, int previousUsed);

// After zones went out of use or changed members: the settings' zone reference names an in-use
// zone, and every scan-list member names the first in-use zone holding its channel; members
// whose channel lies in no in-use zone leave the list.
void RepairZoneRefs(Codeplug& codeplug);

// Zones `zoneA` and `zoneB` (0-based) changed places: the settings' zone reference and the scan
// lists' member zones follow them.
void SwapZoneRefs(Codeplug& codeplug, int zoneA, int zoneB);

} // namespace r605
