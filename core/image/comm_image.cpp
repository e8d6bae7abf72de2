#include "image/comm_image.h"

#include <utility>

namespace r605 {

void CommImage::ClearCommData() {
    CommData.clear();
    if (!MarkAllFamilies)
        TestBlockMap.clear();
}

void CommImage::MarkBlocksToWrite(std::uint32_t length, std::uint32_t address) {
    (MarkAllFamilies ? WriteBlockMap : TestBlockMap).markRange(address, length, 1);
}

bool CommImage::NeedMark(std::int16_t changedFlag) const {
    if (MarkAllFamilies)
        return true;
    return changedFlag >= 1 && MarkChangedOnly;
}

void CommImage::EncodeFailed(std::string text) {
    EncodeOK = false;
    Messages.push_back(std::move(text));
}

} // namespace r605
