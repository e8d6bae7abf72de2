#pragma once
// Random codeplugs for round-trip tests: every field of every record filled with a random value
// its description allows, texts of random length up to their field (some with Chinese
// characters, never with trailing blanks), a random choice of records in use. Records not in
// use stay as a loaded file leaves them, so that a save and a load must give the codeplug back.

#include "model/codeplug.h"

#include <cstdint>

namespace r605::test {

struct RandomCodeplugOptions {
    int bandCode = 0;
    // Contact texts are 7-bit ASCII only when the file packs them in the 7-bit form.
    bool asciiContactTexts = false;
    // The share of records in use, 0 to 100.
    int usedPercent = 40;
};

Codeplug RandomCodeplug(std::uint32_t seed, const RandomCodeplugOptions& options = {});

// Every contact in use (IDs from `firstId` on) with each text full of double-byte characters:
// 98 bytes a contact in GBK, so that only 9081 of them fit the contact block of an .rdt file.
void FillWithChineseContacts(Table<ContactRec, kContactCount>& contacts, std::int32_t firstId = 1);

} // namespace r605::test
