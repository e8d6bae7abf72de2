#pragma once
// The text form of an image used by `r605 image`, `r605 decode` and the simulator: one line per
// 16-byte block, ascending, "AAAAAAAA: " and the 16 bytes as 32 hexadecimal digits.

#include "base/result.h"
#include "image/memory_image.h"

#include <string>
#include <string_view>

namespace r605 {

// Every block marked for writing (entry 1 of the map, as encode-all marks), ascending.
std::string WriteHexLines(const MemoryImage& image, const BlockMap& blocks);

// Reads lines of that form (blank lines, surrounding blanks and a carriage return are allowed;
// hexadecimal digits in either case) into a fresh image; bytes no line gives are 0. A malformed
// line, an address that is not a block address inside the image or a block given twice is
// an error naming the line.
Result<MemoryImage> ReadHexLines(std::string_view text);

} // namespace r605
