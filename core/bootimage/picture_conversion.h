#pragma once
// Scaling a picture of any size to the radio's 160 x 128 boot image.

#include "base/result.h"
#include "bootimage/boot_image.h"
#include "bootimage/rgb_picture.h"

namespace r605 {

struct BootImageConversion {
    BootImage image;
    RgbPicture preview; // the averaged 24-bit colours, 160 x 128, before packing to RGB565
};

// Area-weighted scaling: target pixel (x, y) is the cell (x - 0.5) * W / 160 .. (x + 0.5) *
// W / 160 by (y - 0.5) * H / 128 .. (y + 0.5) * H / 128 of the source, each source pixel being
// the unit square around its centre. Every source pixel inside the picture that overlaps the
// cell counts with the area of the overlap; each colour component is the weighted mean rounded
// to the nearest integer, halves to even. A cell that lies wholly past the last pixel's square
// (only when upscaling a picture narrower than 54 or lower than 43 pixels) takes the colour of
// the nearest pixel, the edge being extended.
//
// Refuses a picture without pixels or whose pixel bytes do not match its size.
Result<BootImageConversion> ConvertPictureToBootImage(const RgbPicture& picture);

} // namespace r605
