#include "transfer/codeplug_transfer.h"

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

Status AdoptReadCodeplug(Document& document, CommImage& image, const RadioIdent& ident,
                         CommLog* log) {
    if (!isKnownBandCode(ident.bandCode))
        return Error::literal("Band Error!");
    Codeplug read = document.codeplug();
    read.Header.BandCode = static_cast<std::int16_t>(ident.bandCode);
    for (const Error& warning : GetAllFromCommData(image, read)) {
        if (log != nullptr)
            (void)log->AddCommLogLine(warning.text); // a full log drops it; the read stands
    }
    auto adopted = document.adoptRead(std::move(read));
    if (!adopted)
        return adopted.error();
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
