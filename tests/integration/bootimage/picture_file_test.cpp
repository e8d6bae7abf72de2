#include "bootimage/picture_conversion.h"
#include "picture_file.h"
#include "picture_helpers.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <string>

namespace r605 {
namespace {

// Image format plugins (JPEG) are found through the application object.
void ensureApplication() {
    static int argc = 1;
    static char name[] = "test_bootimage_pictures";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        new QCoreApplication(argc, argv); // lives for the whole test program
}

QImage gradientImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * y) % 256));
    }
    return image;
}

using test::encoded;

int keyOf(const Result<RgbPicture>& result) {
    if (result.ok() || !result.error().key)
        return 0;
    return result.error().key->number;
}

void put32(std::string& bytes, std::size_t at, std::uint32_t value, bool bigEndian) {
    for (int i = 0; i < 4; ++i)
        bytes[at + std::size_t(i)] = char((value >> (bigEndian ? 24 - 8 * i : 8 * i)) & 0xFF);
}

// A BMP header announcing width x height at 24 bits, followed by a few pixel bytes only.
std::string bmpHeader(std::uint32_t width, std::uint32_t height) {
    std::string bytes(54 + 16, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, std::uint32_t(bytes.size()), false);
    put32(bytes, 10, 54, false);
    put32(bytes, 14, 40, false);
    put32(bytes, 18, width, false);
    put32(bytes, 22, height, false);
    bytes[26] = 1;  // planes
    bytes[28] = 24; // bits per pixel
    return bytes;
}

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= std::uint8_t(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG whose header announces width x height and whose image data is one tiny chunk.
std::string pngHeader(std::uint32_t width, std::uint32_t height) {
    std::string ihdr = "IHDR" + std::string(13, '\0');
    put32(ihdr, 4, width, true);
    put32(ihdr, 8, height, true);
    ihdr[12] = 8; // bit depth
    ihdr[13] = 2; // truecolour
    std::string bytes = "\x89PNG\r\n\x1a\n";
    bytes += std::string("\0\0\0\x0d", 4) + ihdr + "????";
    put32(bytes, bytes.size() - 4, crc32(ihdr), true);
    const std::string idat = "IDAT" + std::string(8, '\0');
    bytes += std::string("\0\0\0\x08", 4) + idat + "????";
    put32(bytes, bytes.size() - 4, crc32(idat), true);
    return bytes;
}

TEST(PictureFile, DecodesBmpPngAndJpegIntoTheirPixels) {
    ensureApplication();
    test::TempDir dir;
    const QImage source = gradientImage(321, 257);
    const RgbPicture expected = test::pixelsOf(source);

    for (const char* format : {"BMP", "PNG"}) {
        const auto file = dir / (std::string("picture.") + format);
        test::writeFile(file, encoded(source, format));
        const auto loaded = LoadPictureFile(file);
        ASSERT_TRUE(loaded.ok()) << format;
        EXPECT_EQ(*loaded, expected) << format;
        // Decoded pixels go through the conversion unchanged.
        EXPECT_EQ(ConvertPictureToBootImage(*loaded)->image,
                  ConvertPictureToBootImage(expected)->image);
    }
    // JPEG is lossy: the pixels are those its decoder gives.
    const std::string jpeg = encoded(source, "JPG", 90);
    test::writeFile(dir / "photo.jpg", jpeg);
    const auto photo = LoadPictureFile(dir / "photo.jpg");
    ASSERT_TRUE(photo.ok());
    EXPECT_EQ(*photo, test::pixelsOf(QImage::fromData(QByteArray::fromStdString(jpeg))));
    // The content decides the format, not the file name.
    test::writeFile(dir / "really-a-png.jpg", encoded(source, "PNG"));
    const auto misnamed = LoadPictureFile(dir / "really-a-png.jpg");
    ASSERT_TRUE(misnamed.ok());
    EXPECT_EQ(*misnamed, expected);
}

TEST(PictureFile, TransparentPartsLieOverBlackAndGreyPicturesStayGrey) {
    ensureApplication();
    test::TempDir dir;
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 255, 255, 0));  // fully transparent white
    image.setPixel(1, 0, qRgba(200, 100, 50, 255)); // opaque
    image.setPixel(2, 0, qRgba(200, 100, 50, 51));  // a fifth
    image.setPixel(3, 0, qRgba(0, 0, 0, 0));
    test::writeFile(dir / "alpha.png", encoded(image, "PNG"));
    const auto picture = LoadPictureFile(dir / "alpha.png");
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(picture->rgb,
              (std::vector<std::uint8_t>{0, 0, 0, 200, 100, 50, 40, 20, 10, 0, 0, 0}));

    QImage grey(3, 2, QImage::Format_Grayscale8);
    grey.fill(0);
    grey.setPixel(1, 1, qRgb(77, 77, 77));
    test::writeFile(dir / "grey.bmp", encoded(grey, "BMP"));
    const auto greyPicture = LoadPictureFile(dir / "grey.bmp");
    ASSERT_TRUE(greyPicture.ok());
    const std::size_t at = greyPicture->offsetOf(1, 1);
    EXPECT_EQ(greyPicture->rgb[at], 77);
    EXPECT_EQ(greyPicture->rgb[at + 1], 77);
    EXPECT_EQ(greyPicture->rgb[at + 2], 77);
}

TEST(PictureFile, RefusesWhatDoesNotDecodeWithAClearMessage) {
    ensureApplication();
    test::TempDir dir;
    // The message a file of these bytes is refused with (0: it loads).
    const auto keyOfFile = [&](const std::string& bytes) {
        test::writeFile(dir / "picture", bytes);
        return keyOf(LoadPictureFile(dir / "picture"));
    };
    const std::string jpeg = encoded(gradientImage(320, 256), "JPG", 90);
    const std::string png = encoded(gradientImage(320, 256), "PNG");
    // Text, nothing; a PPM (Qt decodes it, but it is no picture kind the program takes); a JPEG
    // cut off anywhere or lacking only its end marker (the decoder would fill the rest with
    // grey); a truncated PNG. Bytes after a JPEG's end marker (as some cameras write) do not
    // matter.
    EXPECT_EQ(test::mapped(keyOfFile,
                           {std::string("This is a text file, not a picture.\n"), std::string(),
                            encoded(gradientImage(8, 8), "PPM"), jpeg.substr(0, jpeg.size() / 2),
                            jpeg.substr(0, 3), jpeg.substr(0, 20), jpeg.substr(0, 200),
                            jpeg.substr(0, jpeg.size() - 2), png.substr(0, png.size() / 2),
                            jpeg + std::string(100, '\xFF') + "tail"}),
              (std::vector<int>{30516, 30516, 30516, 30516, 30516, 30516, 30516, 30516, 30516, 0}));
    EXPECT_EQ(keyOf(LoadPictureFile(dir / "missing.bmp")), 30516);
    EXPECT_EQ(keyOf(LoadPictureFile(dir.path())), 30516);
    test::writeFile(dir / "notes.jpg", "text");
    const auto refused = LoadPictureFile(dir / "notes.jpg");
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().text.find("notes.jpg"), std::string::npos);
}

TEST(PictureFile, RefusesPicturesWithoutPixelsAndHugeOnesBeforeDecoding) {
    ensureApplication();
    test::TempDir dir;
    const auto keyOfFile = [&](const std::string& bytes) {
        test::writeFile(dir / "picture", bytes);
        return keyOf(LoadPictureFile(dir / "picture"));
    };
    // No pixels; 20000 x 20000 or 12000 x 12000 announced by files of a few dozen bytes, refused
    // from the header without allocating the pixels; just inside the limit by its header but
    // with no pixel data, refused by the decoder.
    EXPECT_EQ(
        test::mapped(keyOfFile, {bmpHeader(0, 0), bmpHeader(20000, 20000), bmpHeader(12000, 12000),
                                 pngHeader(20000, 20000), pngHeader(8000, 8000)}),
        (std::vector<int>{30517, 30518, 30518, 30518, 30516}));
    test::writeFile(dir / "huge.bmp", bmpHeader(20000, 20000));
    EXPECT_EQ(LoadPictureFile(dir / "huge.bmp").error().text, "20000 x 20000");
    EXPECT_EQ(keyOf(RgbPictureFromImage(QImage())), 30517);
}

TEST(PictureFile, SavesAPreviewAsPng) {
    ensureApplication();
    test::TempDir dir;
    const RgbPicture picture = test::pixelsOf(gradientImage(160, 128));
    ASSERT_TRUE(SavePicturePng(dir / "preview.png", picture).ok());
    const auto back = LoadPictureFile(dir / "preview.png");
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, picture);
    EXPECT_FALSE(SavePicturePng(dir / "missing" / "preview.png", picture).ok());
    EXPECT_FALSE(SavePicturePng(dir / "empty.png", RgbPicture{}).ok());
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.png"));
}

} // namespace
} // namespace r605
