#pragma once
// Where the boot image travels: 40960 bytes (160 x 128 pixels, RGB565) from radio address
// 0x42C0000, moved with the ordinary block frames, 16 bytes at a time, in address order.

#include "bootimage/boot_image.h"
#include "image/memory_image.h"

#include <cstdint>

namespace r605 {

// The progress of an image transfer at the offset of the block last requested: offset / 40960 x
// 100, cut to a whole number, at most 100.
int BootImageProgressPercent(std::int64_t offset);

// CopyImageFromCommData: the image bytes of the memory image after a completed read.
BootImageBytes CopyImageFromCommData(const MemoryImage& image);

} // namespace r605
