#pragma once
// What a codeplug read and write need around the link engine: the content checks before a write
// opens the port, decoding what a read brought with the radio's band, and the comparison of a
// read-back.

#include "base/result.h"
#include "image/comm_image.h"
#include "model/codeplug.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace r605 {

// The first content check a write fails: no radio ID in use (12001), no digital contact in use
// (12005), no zone in use (12002). The user sees message 99125, a blank and this message.
std::optional<TextKey> WriteContentProblem(const Codeplug& codeplug);

// The radio's codeplug after a successful read: the image decoded over `base` with the radio's
// band. A band the band table does not know is refused ("Band Error!"). What decode-all left out
// is in image.Warnings.
Result<Codeplug> DecodeReadCodeplug(CommImage& image, int radioBandCode, Codeplug base);

// The addresses of the blocks a write sent (marked 1 in its block map), ascending.
std::vector<std::uint32_t> WrittenBlocks(const BlockMap& blocks);

// The blocks among `blocks` whose bytes differ between the two images.
std::vector<std::uint32_t> DifferingBlocks(const MemoryImage& written, const MemoryImage& readBack,
                                           const std::vector<std::uint32_t>& blocks);

// Radio addresses of blocks for message 2010: the first eight in hexadecimal, then how many
// there are in all ("00800000 00800010 ... (12)").
std::string BlockListText(const std::vector<std::uint32_t>& blocks);

} // namespace r605
