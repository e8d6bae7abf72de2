#include "bootimage/picture_conversion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace r605 {

namespace {

// One source pixel taking part in a target cell along one axis: its index and the length of
// its unit interval clipped to the cell.
struct Tap {
    std::size_t index;
    double weight;
};

// The taps of every target cell along one axis, computed once per conversion: the overlap is
// separable, the weight of source pixel (px, py) in a cell being its clipped width times its
// clipped height.
struct AxisTaps {
    std::vector<Tap> taps;
    std::vector<std::size_t> begin; // cell t uses taps[begin[t] .. begin[t + 1])
};

AxisTaps computeAxisTaps(std::int64_t sourceLength, int targetLength) {
    AxisTaps axis;
    axis.begin.reserve(static_cast<std::size_t>(targetLength) + 1);
    const double scale = static_cast<double>(sourceLength) / targetLength;
    for (int t = 0; t < targetLength; ++t) {
        axis.begin.push_back(axis.taps.size());
        const double cellStart = (t - 0.5) * scale;
        const double cellEnd = (t + 0.5) * scale;
        const auto first = std::max<std::int64_t>(static_cast<std::int64_t>(cellStart), 0);
        const auto last =
            std::min<std::int64_t>(static_cast<std::int64_t>(cellEnd) + 1, sourceLength - 1);
        for (std::int64_t p = first; p <= last; ++p) {
            const double low = std::max(static_cast<double>(p) - 0.5, cellStart);
            const double high = std::min(static_cast<double>(p) + 0.5, cellEnd);
            if (high > low)
                axis.taps.push_back({static_cast<std::size_t>(p), high - low});
        }
        if (axis.taps.size() == axis.begin.back()) {
            // Upscaling leaves the last cells beyond the last pixel's square: an average over
            // no area has no value, so the edge pixel is extended into them.
            const auto nearest = std::clamp<std::int64_t>(
                static_cast<std::int64_t>(std::floor(t * scale + 0.5)), 0, sourceLength - 1);
            axis.taps.push_back({static_cast<std::size_t>(nearest), 1.0});
        }
    }
    axis.begin.push_back(axis.taps.size());
    return axis;
}

// Rounds to the nearest integer, halves to the even neighbour, and limits to 0..255. Written
// out instead of relying on the floating-point rounding mode of the moment.
std::uint8_t roundComponent(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        rounded = floor + 1.0;
    return static_cast<std::uint8_t>(std::clamp(rounded, 0.0, 255.0));
}

} // namespace

Result<BootImageConversion> ConvertPictureToBootImage(const RgbPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0)
        return Error::keyed(30517,
                            std::to_string(picture.width) + " x " + std::to_string(picture.height));
    const std::size_t width = static_cast<std::size_t>(picture.width);
    const std::size_t height = static_cast<std::size_t>(picture.height);
    if (picture.rgb.size() / 3 / width != height || picture.rgb.size() != width * height * 3)
        return Error::literal("The picture's pixel data does not match its size.");

    const AxisTaps columns = computeAxisTaps(picture.width, kBootImageWidth);
    const AxisTaps rows = computeAxisTaps(picture.height, kBootImageHeight);
    const std::size_t stride = width * 3;
    const std::uint8_t* pixels = picture.rgb.data();

    BootImageConversion result{};
    result.preview = RgbPicture{kBootImageWidth, kBootImageHeight,
                                std::vector<std::uint8_t>(kBootImageSize / 2 * 3)};
    // Row by row through the target keeps the source rows of one band in the cache; the order
    // of the cells does not change any cell's value.
    for (int y = 0; y < kBootImageHeight; ++y) {
        const Tap* rowFirst = rows.taps.data() + rows.begin[static_cast<std::size_t>(y)];
        const Tap* rowLast = rows.taps.data() + rows.begin[static_cast<std::size_t>(y) + 1];
        for (int x = 0; x < kBootImageWidth; ++x) {
            const Tap* columnFirst =
                columns.taps.data() + columns.begin[static_cast<std::size_t>(x)];
            const Tap* columnLast =
                columns.taps.data() + columns.begin[static_cast<std::size_t>(x) + 1];
            double red = 0.0;
            double green = 0.0;
            double blue = 0.0;
            double weights = 0.0;
            for (const Tap* row = rowFirst; row != rowLast; ++row) {
                const std::uint8_t* line = pixels + row->index * stride;
                for (const Tap* column = columnFirst; column != columnLast; ++column) {
                    const double weight = column->weight * row->weight;
                    const std::uint8_t* pixel = line + column->index * 3;
                    red += pixel[0] * weight;
                    green += pixel[1] * weight;
                    blue += pixel[2] * weight;
                    weights += weight;
                }
            }
            const std::uint8_t r = roundComponent(red / weights);
            const std::uint8_t g = roundComponent(green / weights);
            const std::uint8_t b = roundComponent(blue / weights);
            SetBootImagePixel(result.image, x, y, PackRgb565(r, g, b));
            const std::size_t offset = result.preview.offsetOf(x, y);
            result.preview.rgb[offset] = r;
            result.preview.rgb[offset + 1] = g;
            result.preview.rgb[offset + 2] = b;
        }
    }
    return result;
}

} // namespace r605
