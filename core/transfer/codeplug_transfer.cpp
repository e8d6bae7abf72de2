#include "transfer/codeplug_transfer.h"

#include "image/family_codecs.h"
#include "rules/band.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace r605 {

namespace {

template <class Table> bool anyInUse(const Table& table) {
    return std::any_of(table.begin(), table.end(),
                       [](const auto& record) { return record.Used != 0; });
}

} // namespace

std::optional<TextKey> WriteContentProblem(const Codeplug& codeplug) {
    if (!anyInUse(codeplug.Person))
        return TextKey{12001, Section::Other};
    if (!anyInUse(codeplug.Contact))
        return TextKey{12005, Section::Other};
    if (!anyInUse(codeplug.Zone))
        return TextKey{12002, Section::Other};
    return std::nullopt;
}

Result<Codeplug> DecodeReadCodeplug(CommImage& image, int radioBandCode, Codeplug base) {
    if (!isKnownBandCode(radioBandCode))
        return Error::literal("Band Error!");
    base.Header.BandCode = static_cast<std::int16_t>(radioBandCode);
    GetAllFromCommData(image, base);
    return base;
}

std::vector<std::uint32_t> WrittenBlocks(const BlockMap& blocks) {
    std::vector<std::uint32_t> addresses;
    for (std::int64_t block = blocks.nextWithValue(0, 1); block >= 0;
         block = blocks.nextWithValue(static_cast<std::uint32_t>(block) + 1, 1))
        addresses.push_back(static_cast<std::uint32_t>(block) * 16);
    return addresses;
}

std::vector<std::uint32_t> DifferingBlocks(const MemoryImage& written, const MemoryImage& readBack,
                                           const std::vector<std::uint32_t>& blocks) {
    std::vector<std::uint32_t> differing;
    std::array<std::uint8_t, 16> a{};
    std::array<std::uint8_t, 16> b{};
    for (std::uint32_t address : blocks) {
        written.read(address, a);
        readBack.read(address, b);
        if (a != b)
            differing.push_back(address);
    }
    return differing;
}

std::string BlockListText(const std::vector<std::uint32_t>& blocks) {
    std::string text;
    for (std::size_t i = 0; i < blocks.size() && i < 8; ++i) {
        char address[16];
        std::snprintf(address, sizeof address, "%s%08X", i == 0 ? "" : " ", blocks[i]);
        text += address;
    }
    if (blocks.size() > 8)
        text += " ... (" + std::to_string(blocks.size()) + ")";
    return text;
}

} // namespace r605
