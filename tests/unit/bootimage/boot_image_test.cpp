#include "bootimage/boot_image.h"
#include "bootimage/boot_image_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

namespace r605 {
namespace {

BootImage patternImage() {
    BootImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * 7 + i / 256) & 0xFF);
    return image;
}

std::string bytesOf(const BootImage& image) {
    return std::string(reinterpret_cast<const char*>(image.data()), image.size());
}

TEST(BootImage, PixelsLieColumnByColumnHighByteFirst) {
    BootImage image{};
    SetBootImagePixel(image, 1, 0, 0xF800);
    EXPECT_EQ(image[256], 0xF8);
    EXPECT_EQ(image[257], 0x00);
    SetBootImagePixel(image, 0, 1, 0x001F);
    EXPECT_EQ(image[2], 0x00);
    EXPECT_EQ(image[3], 0x1F);
    SetBootImagePixel(image, 159, 127, 0x1234);
    EXPECT_EQ(image[40958], 0x12);
    EXPECT_EQ(image[40959], 0x34);
    EXPECT_EQ(BootImagePixel(image, 1, 0), 0xF800);

    EXPECT_EQ(PackRgb565(255, 255, 255), 0xFFFF);
    EXPECT_EQ(PackRgb565(255, 0, 0), 0xF800);
    EXPECT_EQ(PackRgb565(0, 255, 0), 0x07E0);
    EXPECT_EQ(PackRgb565(0, 0, 255), 0x001F);
    EXPECT_EQ(PackRgb565(7, 3, 7), 0x0000); // low bits are dropped, not rounded
}

TEST(BootImage, ShowUnpacksEveryWordIntoThePreview) {
    BootImage image{};
    SetBootImagePixel(image, 0, 0, 0xFFFF);
    SetBootImagePixel(image, 1, 0, 0x0941); // red 1, green 10, blue 1
    SetBootImagePixel(image, 159, 127, 0xF800);
    const RgbPicture preview = ShowBootImage(image);
    ASSERT_EQ(preview.width, 160);
    ASSERT_EQ(preview.height, 128);
    ASSERT_EQ(preview.rgb.size(), 160u * 128 * 3);
    auto at = [&](int x, int y) {
        const std::size_t offset = preview.offsetOf(x, y);
        return std::array<int, 3>{preview.rgb[offset], preview.rgb[offset + 1],
                                  preview.rgb[offset + 2]};
    };
    EXPECT_EQ(at(0, 0), (std::array<int, 3>{248, 252, 248}));
    EXPECT_EQ(at(1, 0), (std::array<int, 3>{8, 40, 8}));
    EXPECT_EQ(at(159, 127), (std::array<int, 3>{248, 0, 0}));
    EXPECT_EQ(at(0, 1), (std::array<int, 3>{0, 0, 0}));
}

TEST(BootImageFile, SavesExactlyTheImageAndLoadsItBack) {
    test::TempDir dir;
    const BootImage image = patternImage();
    const auto file = dir / "boot.bin";
    test::writeFile(file, std::string(60000, 'x')); // a longer old file is replaced whole
    ASSERT_TRUE(SaveBootImageFile(file, image).ok());
    EXPECT_EQ(test::readFile(file), bytesOf(image));

    BootImage loaded{};
    ASSERT_TRUE(LoadBootImageFile(file, loaded).ok());
    EXPECT_EQ(loaded, image);

    EXPECT_FALSE(SaveBootImageFile(dir / "missing" / "boot.bin", image).ok());
}

TEST(BootImageFile, LoadsTheFirstImageOfALongerFileAndRefusesAShortOne) {
    test::TempDir dir;
    const BootImage pattern = patternImage();

    const auto longer = dir / "long.bin";
    test::writeFile(longer, bytesOf(pattern) + std::string(50000 - 40960, '\xAA'));
    BootImage image{};
    ASSERT_TRUE(LoadBootImageFile(longer, image).ok());
    EXPECT_EQ(image, pattern);
    // One byte short: refused with message 99113, the image in memory stays as it was.
    const auto shorter = dir / "short.bin";
    test::writeFile(shorter, std::string(40959, '\x11'));
    const Status refused = LoadBootImageFile(shorter, image);
    ASSERT_FALSE(refused.ok());
    ASSERT_TRUE(refused.error().key.has_value());
    EXPECT_EQ(refused.error().key->number, 99113);
    EXPECT_EQ(refused.error().key->section, Section::Other);
    EXPECT_EQ(image, pattern);

    test::writeFile(dir / "empty.bin", "");
    EXPECT_FALSE(LoadBootImageFile(dir / "empty.bin", image).ok());
    EXPECT_FALSE(LoadBootImageFile(dir / "none.bin", image).ok());
    EXPECT_FALSE(LoadBootImageFile(dir.path(), image).ok());
    EXPECT_EQ(image, pattern);
}

} // namespace
} // namespace r605
