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

void CommImage::DecodeSkipped(std::string_view family, std::size_t number, std::string_view reason,
                              std::span<const std::uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text(family);
    text += ' ' + std::to_string(number) + " left out: ";
    text += reason;
    text += " (";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0x0F];
    }
    text += ")";
    Warnings.push_back(Error::literal(std::move(text)));
}

} // namespace r605
