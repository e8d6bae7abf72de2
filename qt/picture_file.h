#pragma once
// Picture files for the boot image: decoding BMP, JPEG and PNG files into plain RGB pixels for
// the core conversion, and writing previews as PNG.
//
// What is refused, each with a clear message: a file that is not a BMP, JPEG or PNG picture or
// does not decode (30516); a JPEG whose data ends before its end-of-image marker, a cut-off
// download or copy that the decoder would otherwise fill with grey (30516); a picture with no
// pixels (30517); a picture of more than 64 million pixels (8000 x 8000), checked from its
// header before any pixel is decoded (30518). Decoding such a picture holds it once as 32-bit
// pixels and once as RGB bytes, about 450 MB at the limit, and never more.

#include "base/result.h"
#include "bootimage/rgb_picture.h"

#include <QImage>

#include <cstdint>
#include <filesystem>

namespace r605 {

inline constexpr std::int64_t kMaxPicturePixels = 64'000'000;

Result<RgbPicture> LoadPictureFile(const std::filesystem::path& path);

// The pixels of a decoded image. Transparent parts are laid over black, the colour of the
// radio's unlit screen.
Result<RgbPicture> RgbPictureFromImage(const QImage& image);
QImage ImageFromRgbPicture(const RgbPicture& picture);

// Writes the picture as a PNG file, atomically.
Status SavePicturePng(const std::filesystem::path& path, const RgbPicture& picture);

} // namespace r605
