#include "simulator_image.h"

#include "base/file_io.h"
#include "file/rdt_format.h"
#include "image/comm_image.h"
#include "image/family_codecs.h"
#include "image/hex_lines.h"
#include "schema/new_codeplug.h"
#include "json/codeplug_json.h"

#include <algorithm>
#include <array>

namespace r605::sim {

Result<MemoryImage> ImageOfCodeplug(Codeplug codeplug) {
    // What a write of the codeplug would leave in the radio.
    NormaliseForWrite(codeplug);
    CommImage image;
    SetCommDataAll(codeplug, image);
    if (!image.EncodeOK) {
        std::string reasons;
        for (const std::string& message : image.Messages)
            reasons += (reasons.empty() ? "" : ", ") + message;
        return Error::literal("the codeplug cannot be encoded: " + reasons);
    }
    // The radio holds what a write sends: the blocks encode-all marked, nothing it left unmarked.
    MemoryImage radio;
    std::array<std::uint8_t, 16> block{};
    for (std::int64_t entry = image.WriteBlockMap.nextWithValue(0, 1); entry >= 0;
         entry = image.WriteBlockMap.nextWithValue(static_cast<std::uint32_t>(entry) + 1, 1)) {
        const auto address = static_cast<std::uint32_t>(entry) * 16;
        image.CommData.read(address, block);
        radio.write(address, block);
    }
    return radio;
}

Result<SimulatorImage> NewRadioImage(int bandCode) {
    auto codeplug = NewCodeplug(bandCode);
    if (!codeplug)
        return codeplug.error();
    auto image = ImageOfCodeplug(std::move(*codeplug));
    if (!image)
        return image.error();
    return SimulatorImage{std::move(*image), bandCode};
}

Result<SimulatorImage> LoadSimulatorImage(const std::filesystem::path& file) {
    auto bytes = readFileBytes(file);
    if (!bytes)
        return bytes.error();
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".hex") {
        auto image = ReadHexLines(*bytes);
        if (!image)
            return image.error();
        return SimulatorImage{std::move(*image), std::nullopt};
    }
    if (extension == ".rdt") {
        auto decoded = DecodeCodeplugFile(*bytes);
        if (!decoded)
            return decoded.error();
        const int band = decoded->codeplug.Header.BandCode;
        auto image = ImageOfCodeplug(std::move(decoded->codeplug));
        if (!image)
            return image.error();
        return SimulatorImage{std::move(*image), band};
    }
    if (extension == ".json") {
        auto codeplug = CodeplugFromJson(*bytes);
        if (!codeplug)
            return codeplug.error();
        const int band = codeplug->Header.BandCode;
        auto image = ImageOfCodeplug(std::move(*codeplug));
        if (!image)
            return image.error();
        return SimulatorImage{std::move(*image), band};
    }
    return Error::literal(file.string() + ": an image must be a .rdt, .json or .hex file");
}

std::string SimulatorHexLines(const MemoryImage& image) {
    BlockMap blocks;
    std::array<std::uint8_t, 16> block{};
    for (std::uint32_t page : image.allocatedPages()) {
        for (std::uint32_t address = page; address < page + MemoryImage::kPageSize; address += 16) {
            image.read(address, block);
            if (std::any_of(block.begin(), block.end(), [](std::uint8_t b) { return b != 0; }))
                blocks.set(address / 16, 1);
        }
    }
    return WriteHexLines(image, blocks);
}

} // namespace r605::sim
