#pragma once
// The simulator's image file: one line per 16-byte block, ascending, eight hexadecimal digits of
// the address, ": ", the 16 bytes as 32 hexadecimal digits. Bytes not listed are 0.

#include "base/result.h"
#include "image/memory_image.h"

#include <string>
#include <string_view>

namespace r605::sim {

// Every block of the image that holds a byte other than 0.
std::string FormatHexImage(const MemoryImage& image);

// Lines as above; blank lines are skipped. A malformed line, an address that is no multiple of
// 16 or lies outside the image is an error naming the line.
Result<MemoryImage> ParseHexImage(std::string_view text);

} // namespace r605::sim
