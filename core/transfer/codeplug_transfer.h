#pragma once
// What a codeplug read and write need around the link engine: the content checks before a write
// opens the port, encode-all as the write's pass 1 runs it, the adoption of what a read brought
// (the radio's band, decode-all, a new unsaved file), and the comparison of a read-back.

#include "base/result.h"
#include "document/document.h"
#include "image/comm_image.h"
#include "link/comm_log.h"
#include "link/radio_ident.h"
#include "model/codeplug.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace r605 {

// The first content check a write fails: no radio ID in use (12001), no digital contact in use
// (12005), no zone in use (12002). The user sees message 99125, a blank and this message.
std::optional<TextKey> WriteContentProblem(const Codeplug& codeplug);

// Encode-all of `codeplug` (contacts compacted in it) into `image`, for the engine of a write
// that works on image.CommData and image.WriteBlockMap. Returns EncodeOK; the encoders' own
// messages are left in image.Messages.
std::function<bool(MemoryImage&, BlockMap&)> EncodeAllForWrite(Codeplug& codeplug,
                                                               CommImage& image);

// After a successful read: the image decoded over the document's codeplug with the radio's band
// becomes the document's codeplug, the new unsaved file "new.rdt", counting as unchanged. A
// radio band the band table does not know is refused and the document stays as it was. What
// decode-all left out is in image.Warnings for the user, and goes into the communication log
// when one is given.
Status AdoptReadCodeplug(Document& document, CommImage& image, const RadioIdent& ident,
                         CommLog* log = nullptr);

// The addresses of the blocks a write sent (marked 1 in its block map), ascending.
std::vector<std::uint32_t> WrittenBlocks(const BlockMap& blocks);

// The blocks among `blocks` whose bytes differ between the two images.
std::vector<std::uint32_t> DifferingBlocks(const MemoryImage& written, const MemoryImage& readBack,
                                           const std::vector<std::uint32_t>& blocks);

} // namespace r605
