#pragma once
// The memory image a simulated radio starts from: a codeplug as the radio would hold it after a
// write (encode-all of a .rdt or .json file, or of the new codeplug of a band), or an image saved
// by an earlier run in the hex line form.

#include "base/result.h"
#include "image/memory_image.h"
#include "model/codeplug.h"

#include <filesystem>
#include <optional>
#include <string>

namespace r605::sim {

struct SimulatorImage {
    MemoryImage image;
    // The band of the codeplug the image came from; none for a hex image.
    std::optional<int> bandCode;
};

// A codeplug as a write leaves it in a radio: the blocks encode-all marks for writing (the
// contacts are compacted in the copy given).
Result<MemoryImage> ImageOfCodeplug(Codeplug codeplug);

// The new codeplug of a band.
Result<SimulatorImage> NewRadioImage(int bandCode);

// By the file's extension: .hex (image lines), .rdt (a codeplug file) or .json (a codeplug).
Result<SimulatorImage> LoadSimulatorImage(const std::filesystem::path& file);

// Every block of the image holding a byte other than 0, as image lines.
std::string SimulatorHexLines(const MemoryImage& image);

} // namespace r605::sim
