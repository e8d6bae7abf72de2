#pragma once
// The kinds of transfer over the radio link (OperationKind) and what each one shows the user
// when it ends.

#include "base/result.h"

#include <optional>

namespace r605 {

enum class OperationKind : int {
    None = 0,
    ReadCodeplug = 1,   // Read command
    WriteCodeplug = 2,  // Write command
    ReadRadioInfo = 3,  // the 256-byte information area for the radio-information view
    RecordingList = 4,  // voice recordings: the list
    RecordingRead = 5,  // voice recordings: one recording
    PlayControl = 6,    // play control of the radio
    ReadBootImage = 7,  // boot image read
    WriteBootImage = 8, // boot image write
    // The command-line tool's --verify: reads back exactly the blocks a write has sent, through
    // the same connect, identification, password and block-read steps as a read.
    ReadBack = 9,
};

// Kinds the port may be opened for.
bool isTransferKind(OperationKind kind);

// The kinds that move the codeplug's blocks pass by pass (3, 2, 1).
bool usesPasses(OperationKind kind);

// Progress is shown for a read in passes 2 and 1, for a write (and a read-back) in pass 1, and
// for the boot image throughout.
bool progressShown(OperationKind kind, int pass);

// The message that ends a transfer: 2004 read complete, 2005 write complete, 2006 read failed,
// 2007 write failed, 2008 radio information failed; none where the feature shows its own.
std::optional<TextKey> FinishMessage(OperationKind kind, bool success);

} // namespace r605
