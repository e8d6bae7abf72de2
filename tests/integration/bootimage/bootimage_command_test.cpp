#include "bootimage/boot_image_file.h"
#include "bootimage/picture_conversion.h"
#include "cli_process.h"
#include "picture_file.h"
#include "picture_helpers.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace r605 {
namespace {

using test::CommandRun;

TEST(BootImageCommand, ConvertWritesTheImageFileAndThePreview) {
    const test::CliFolder dir;
    QImage source(333, 201, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, (x + y) % 256));
    }
    test::writeFile(dir / "logo.png", test::encoded(source));

    const CommandRun run = dir.run({"bootimage", "convert", dir("logo.png"), "-o", dir("logo.bin"),
                                    "--preview", dir("preview.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("333 x 201"), std::string::npos) << run.out;

    const auto expected = ConvertPictureToBootImage(test::pixelsOf(source));
    ASSERT_TRUE(expected.ok());
    const std::string bin = test::readFile(dir / "logo.bin");
    ASSERT_EQ(bin.size(), 40960u);
    EXPECT_EQ(bin, std::string(reinterpret_cast<const char*>(expected->image.data()), 40960));

    const QImage preview(QString::fromStdString(dir("preview.png")));
    EXPECT_EQ(test::pixelsOf(preview), expected->preview);
}

TEST(BootImageCommand, ConvertRefusesBadPicturesAndWrongUsage) {
    const test::CliFolder dir;
    test::writeFile(dir / "old.bin", "keep");
    test::writeFile(dir / "broken.jpg", "\xFF\xD8\xFF\xE0 not really a JPEG");

    const CommandRun broken =
        dir.run({"bootimage", "convert", dir("broken.jpg"), "-o", dir("old.bin")});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("The picture cannot be opened"), std::string::npos) << broken.err;
    EXPECT_NE(broken.err.find("broken.jpg"), std::string::npos) << broken.err;
    EXPECT_EQ(test::readFile(dir / "old.bin"), "keep"); // the old file stays as it was

    const CommandRun missing =
        dir.run({"bootimage", "convert", dir("none.png"), "-o", dir("new.bin")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "new.bin"));

    EXPECT_EQ(dir.run({"bootimage", "convert", dir("broken.jpg")}).exitCode, 2);
    EXPECT_EQ(dir.run({"bootimage", "convert", "-o", dir("x.bin")}).exitCode, 2);
    EXPECT_EQ(dir.run({"bootimage", "paint"}).exitCode, 2);
    EXPECT_EQ(dir.run({"bootimage"}).exitCode, 2);
    EXPECT_EQ(dir.run({"bootimage", "convert", "a", "-o", "b", "--colour", "red"}).exitCode, 2);
}

} // namespace
} // namespace r605
