#include "bootimage/picture_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <random>

namespace r605 {
namespace {

RgbPicture uniformPicture(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    RgbPicture picture{width, height, {}};
    for (int i = 0; i < width * height; ++i) {
        picture.rgb.push_back(r);
        picture.rgb.push_back(g);
        picture.rgb.push_back(b);
    }
    return picture;
}

RgbPicture randomPicture(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    RgbPicture picture{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (auto& byte : picture.rgb)
        byte = static_cast<std::uint8_t>(random() & 0xFF);
    return picture;
}

void setPixel(RgbPicture& picture, int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::size_t offset = picture.offsetOf(x, y);
    picture.rgb[offset] = r;
    picture.rgb[offset + 1] = g;
    picture.rgb[offset + 2] = b;
}

std::array<int, 3> previewAt(const BootImageConversion& conversion, int x, int y) {
    const std::size_t offset = conversion.preview.offsetOf(x, y);
    return {conversion.preview.rgb[offset], conversion.preview.rgb[offset + 1],
            conversion.preview.rgb[offset + 2]};
}

BootImageConversion convert(const RgbPicture& picture) {
    auto result = ConvertPictureToBootImage(picture);
    EXPECT_TRUE(result.ok());
    return result.ok() ? *result : BootImageConversion{};
}

// The conversion written the plain way, cell by cell and pixel by pixel, straight from its
// definition, to hold the precomputed version to the same bytes.
struct ReferenceAxis {
    double cellStart;
    double cellEnd;
    std::int64_t first;
    std::int64_t last;
    std::int64_t nearest; // the edge pixel for a cell that no pixel square reaches
    bool reached;
};

double overlapOf(std::int64_t p, double cellStart, double cellEnd) {
    const double low = std::max(static_cast<double>(p) - 0.5, cellStart);
    const double high = std::min(static_cast<double>(p) + 0.5, cellEnd);
    return high > low ? high - low : 0.0;
}

ReferenceAxis referenceAxis(int t, std::int64_t sourceLength, int targetLength) {
    const double scale = static_cast<double>(sourceLength) / targetLength;
    ReferenceAxis axis{(t - 0.5) * scale, (t + 0.5) * scale, 0, 0, 0, false};
    axis.first = static_cast<std::int64_t>(std::trunc(axis.cellStart));
    axis.last = static_cast<std::int64_t>(std::trunc(axis.cellEnd)) + 1;
    for (std::int64_t p = axis.first; p <= axis.last; ++p) {
        if (p >= 0 && p < sourceLength && overlapOf(p, axis.cellStart, axis.cellEnd) > 0)
            axis.reached = true;
    }
    axis.nearest =
        std::clamp<std::int64_t>(std::llround(std::floor(t * scale + 0.5)), 0, sourceLength - 1);
    return axis;
}

double referenceWeight(const ReferenceAxis& axis, std::int64_t p) {
    if (axis.reached)
        return overlapOf(p, axis.cellStart, axis.cellEnd);
    return p == axis.nearest ? 1.0 : 0.0;
}

std::uint8_t referenceRound(double value) {
    // The floating-point unit's own rounding: to nearest, ties to even.
    return static_cast<std::uint8_t>(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

BootImage referenceConversion(const RgbPicture& picture) {
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
    BootImage image{};
    for (int x = 0; x < 160; ++x) {
        const ReferenceAxis column = referenceAxis(x, picture.width, 160);
        for (int y = 0; y < 128; ++y) {
            const ReferenceAxis row = referenceAxis(y, picture.height, 128);
            double sums[3] = {0, 0, 0};
            double weights = 0;
            for (std::int64_t py = row.first; py <= row.last; ++py) {
                for (std::int64_t px = column.first; px <= column.last; ++px) {
                    if (px < 0 || px >= picture.width || py < 0 || py >= picture.height)
                        continue;
                    const double weight = referenceWeight(column, px) * referenceWeight(row, py);
                    const std::size_t offset = picture.offsetOf(int(px), int(py));
                    for (int c = 0; c < 3; ++c)
                        sums[c] += picture.rgb[offset + std::size_t(c)] * weight;
                    weights += weight;
                }
            }
            const unsigned word = (referenceRound(sums[0] / weights) / 8u) * 2048u +
                                  (referenceRound(sums[1] / weights) / 4u) * 32u +
                                  referenceRound(sums[2] / weights) / 8u;
            image[std::size_t(2 * (x * 128 + y))] = std::uint8_t(word >> 8);
            image[std::size_t(2 * (x * 128 + y) + 1)] = std::uint8_t(word & 0xFF);
        }
    }
    return image;
}

TEST(PictureConversion, SameSizeConvertsPixelForPixel) {
    const RgbPicture picture = randomPicture(160, 128, 1);
    const BootImageConversion conversion = convert(picture);
    EXPECT_EQ(conversion.preview, picture);
    for (int x = 0; x < 160; ++x) {
        for (int y = 0; y < 128; ++y) {
            const std::size_t offset = picture.offsetOf(x, y);
            ASSERT_EQ(
                BootImagePixel(conversion.image, x, y),
                PackRgb565(picture.rgb[offset], picture.rgb[offset + 1], picture.rgb[offset + 2]))
                << x << "," << y;
        }
    }
}

TEST(PictureConversion, DoubleSizeAveragesEachCellWithItsOverlapWeights) {
    // 320 x 256: cell (x, y) spans 2x - 1 .. 2x + 1, so pixel 2x counts whole and its two
    // neighbours half (a quarter at the corners): weights 1, 0.5, 0.25, total 4.
    RgbPicture picture = uniformPicture(320, 256, 0, 0, 0);
    setPixel(picture, 1, 1, 200, 0, 0); // corner of cell (1, 1), inside border cell (0, 0)
    setPixel(picture, 3, 1, 16, 0, 0);  // corner of cell (1, 1)
    setPixel(picture, 2, 2, 0, 100, 0); // centre of cell (1, 1)
    setPixel(picture, 3, 3, 0, 255, 0); // corner
    setPixel(picture, 2, 3, 0, 0, 90);  // edge
    setPixel(picture, 1, 2, 0, 0, 10);  // edge
    setPixel(picture, 0, 0, 0, 0, 100); // centre of border cell (0, 0)
    // Pixels that the loops visit but whose squares only touch the cells' edges: weight 0.
    setPixel(picture, 4, 2, 255, 255, 255);
    setPixel(picture, 2, 4, 255, 255, 255);
    setPixel(picture, 2, 0, 255, 255, 255);

    const BootImageConversion conversion = convert(picture);
    // Cell (1, 1): red (200 + 16) * 0.25 / 4 = 13.5 -> 14 (tie to even); green
    // (100 * 1 + 255 * 0.25) / 4 = 40.9375 -> 41; blue (90 + 10) * 0.5 / 4 = 12.5 -> 12.
    EXPECT_EQ(previewAt(conversion, 1, 1), (std::array<int, 3>{14, 41, 12}));
    EXPECT_EQ(BootImagePixel(conversion.image, 1, 1), 1 * 2048 + 10 * 32 + 1);
    // Border cell (0, 0) spans -1 .. 1 each way: only pixels 0 (weight 1) and 1 (weight 0.5)
    // lie inside the picture, total 1.5 * 1.5 = 2.25. Red 200 * 0.25 / 2.25 = 22.2 -> 22; blue
    // 100 / 2.25 = 44.4 -> 44.
    EXPECT_EQ(previewAt(conversion, 0, 0), (std::array<int, 3>{22, 0, 44}));
    // Far away nothing was lit.
    EXPECT_EQ(previewAt(conversion, 100, 100), (std::array<int, 3>{0, 0, 0}));
    // Alternating columns 0 and 3: each cell weighs 3 by 0.5 twice against 0 by 1, mean 1.5,
    // a tie that goes to 2; alternating 0 and 1 gives 0.5, a tie that goes to 0.
    RgbPicture stripes = uniformPicture(320, 256, 0, 0, 0);
    for (int y = 0; y < 256; ++y) {
        for (int x = 1; x < 320; x += 2)
            setPixel(stripes, x, y, 3, 1, 0);
    }
    EXPECT_EQ(previewAt(convert(stripes), 80, 64), (std::array<int, 3>{2, 0, 0}));
}

TEST(PictureConversion, AUniformWhitePictureOfAnySizeStaysWhiteInEveryCell) {
    // Borders included: their weights are cut at the picture's edge.
    for (const auto& [w, h] : {std::pair{3, 5}, std::pair{161, 129}, std::pair{1920, 1080}}) {
        const BootImage image = convert(uniformPicture(w, h, 255, 255, 255)).image;
        EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](auto b) { return b == 0xFF; }))
            << w << "x" << h;
    }
}

TEST(PictureConversion, UpscalingATinyPictureExtendsItsEdgeIntoCellsNoPixelReaches) {
    // 10 pixels wide: the cells from x = 155 on lie wholly past the last pixel's square
    // (x0 >= 9.5); they take the last column's colour instead of dividing by a zero weight.
    RgbPicture picture = uniformPicture(10, 8, 0, 0, 0);
    for (int y = 0; y < 8; ++y)
        setPixel(picture, 9, y, 0, 0, 248);
    for (int x = 0; x < 10; ++x)
        setPixel(picture, x, 7, 248, 0, 0);
    const BootImageConversion conversion = convert(picture);
    EXPECT_EQ(previewAt(conversion, 159, 0), (std::array<int, 3>{0, 0, 248}));
    EXPECT_EQ(previewAt(conversion, 0, 127), (std::array<int, 3>{248, 0, 0}));
    EXPECT_EQ(previewAt(conversion, 159, 127), (std::array<int, 3>{248, 0, 0}));
    EXPECT_EQ(previewAt(conversion, 0, 0), (std::array<int, 3>{0, 0, 0}));
}

TEST(PictureConversion, AgreesWithThePlainFormulaByteForByte) {
    unsigned seed = 10;
    for (const auto& [w, h] :
         {std::pair{161, 129}, std::pair{37, 1000}, std::pair{1000, 37}, std::pair{7, 3},
          std::pair{333, 77}, std::pair{641, 479}, std::pair{159, 127}, std::pair{1920, 1080}}) {
        const RgbPicture picture = randomPicture(w, h, seed++);
        const BootImage expected = referenceConversion(picture);
        const BootImage actual = convert(picture).image;
        std::size_t differences = 0;
        for (std::size_t i = 0; i < expected.size(); ++i)
            differences += expected[i] != actual[i];
        EXPECT_EQ(differences, 0u) << w << "x" << h;
    }
    // Smooth content puts many means near a rounding boundary.
    RgbPicture gradient{480, 384, {}};
    for (int y = 0; y < 384; ++y) {
        for (int x = 0; x < 480; ++x)
            gradient.rgb.insert(gradient.rgb.end(),
                                {std::uint8_t(x / 2), std::uint8_t(y / 2), std::uint8_t(x % 2)});
    }
    EXPECT_EQ(convert(gradient).image, referenceConversion(gradient));
}

TEST(PictureConversion, RefusesPicturesWithoutPixelsOrWithWrongPixelData) {
    const auto empty = ConvertPictureToBootImage(RgbPicture{0, 128, {}});
    ASSERT_FALSE(empty.ok());
    ASSERT_TRUE(empty.error().key.has_value());
    EXPECT_EQ(empty.error().key->number, 30517);
    EXPECT_EQ(empty.error().text, "0 x 128");
    EXPECT_FALSE(ConvertPictureToBootImage(RgbPicture{160, 0, {}}).ok());
    EXPECT_FALSE(ConvertPictureToBootImage(RgbPicture{-1, -1, {}}).ok());
    const auto refused = ConvertPictureToBootImage(RgbPicture{2, 2, std::vector<std::uint8_t>(11)});
    ASSERT_FALSE(refused.ok());
    EXPECT_FALSE(refused.error().text.empty());
    EXPECT_FALSE(ConvertPictureToBootImage(RgbPicture{2, 2, std::vector<std::uint8_t>(13)}).ok());
}

} // namespace
} // namespace r605
