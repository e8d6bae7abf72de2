#include "link/codeplug_transfer.h"

#include "image/family_codecs.h"

#include <algorithm>
#include <array>

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

std::function<bool(MemoryImage&, BlockMap&)> EncodeAllForWrite(Codeplug& codeplug,
                                                               CommImage& image) {
    return [&codeplug, &image](MemoryImage& target, BlockMap& blocks) {
        // The engine must work on this image and map: encode-all fills and marks them.
        if (&target != &image.CommData || &blocks != &image.WriteBlockMap)
            return false;
        SetCommDataAll(codeplug, image);
        return image.EncodeOK;
    };
}

Status AdoptReadCodeplug(CodeplugDocument& document, CommImage& image, const RadioIdent& ident) {
    CodeplugDocument candidate = document;
    if (Status band = candidate.setBand(ident.bandCode); !band.ok())
        return band;
    if (candidate.band().BandCode != ident.bandCode)
        return Error::literal("Band Error!");
    GetAllFromCommData(image, candidate.tables());
    candidate.markNewFile();
    candidate.CopyTablesToStaging();
    document = std::move(candidate);
    return Status::success();
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

} // namespace r605
