#pragma once
// The memory image with everything the encoders and decoders share around it: the block map of
// a write, the marking switches, the families' changed flags, the model switch and the outcome
// of encode-all.

#include "base/result.h"
#include "image/memory_image.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

// One flag per record family, set by the editors (0 unchanged, 1 or more changed). They decide
// what is marked only when MarkAllFamilies is off (the automatic test tool).
struct ChangedFlags {
    std::int16_t Channel = 0;
    std::int16_t Person = 0;
    std::int16_t Zone = 0;
    std::int16_t ScanList = 0;
    std::int16_t Option = 0; // also decides the roaming families
    std::int16_t FiveTone = 0;
    std::int16_t TwoTone = 0;
    std::int16_t Dtmf = 0;
    std::int16_t OneKey = 0;
    std::int16_t Alarm = 0;
    std::int16_t RxGroup = 0;
    std::int16_t Contact = 0;
    std::int16_t EmgCode = 0;
};

struct CommImage {
    MemoryImage CommData;
    BlockMap WriteBlockMap;
    BlockMap TestBlockMap; // used instead of WriteBlockMap while MarkAllFamilies is off

    bool MarkAllFamilies = true;
    bool MarkChangedOnly = false;
    // No family is encoded or decoded while this is 0 or less.
    std::int16_t ModelSwitch = 1;
    ChangedFlags Changed;

    // Cleared by any family encoder that fails; a write checks it before sending a block.
    bool EncodeOK = true;
    // The texts the failing encoders and decoders report ("SetCommDataByChannelError", ...), in
    // the order they happened; the application shows each in a message box.
    std::vector<std::string> Messages;
    // What decode-all left out of the tables although the radio marked it in use (a record whose
    // digits are not decimal, a contact index naming no slot), one text each naming the family,
    // the entry and the bytes, so that nothing read is dropped without a word.
    std::vector<Error> Warnings;

    // ClearCommData: every byte of the image 0 again (and the test block map in test mode).
    void ClearCommData();
    // Marks every 16-byte block from address div 16 to (address + length - 1) div 16.
    void MarkBlocksToWrite(std::uint32_t length, std::uint32_t address);
    bool NeedMark(std::int16_t changedFlag) const;
    // A family encoder failed: its text is reported and EncodeOK cleared.
    void EncodeFailed(std::string text);
    // A decoder left `family` `number` out of its table: "Radio ID 5 left out: its ID is not
    // decimal digits (12 3A 45 67)".
    void DecodeSkipped(std::string_view family, std::size_t number, std::string_view reason,
                       std::span<const std::uint8_t> bytes);
};

} // namespace r605
