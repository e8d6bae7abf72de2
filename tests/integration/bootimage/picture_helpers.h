#pragma once
// Pictures for the boot image tests: a QImage encoded as a file of its format would hold it, and
// the pixels the program should read from it.

#include "bootimage/picture_conversion.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <string>

namespace r605::test {

inline std::string encoded(const QImage& image, const char* format = "PNG", int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format, quality));
    return bytes.toStdString();
}

inline RgbPicture pixelsOf(const QImage& image) {
    RgbPicture picture{image.width(), image.height(), {}};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            picture.rgb.insert(picture.rgb.end(),
                               {std::uint8_t(qRed(pixel)), std::uint8_t(qGreen(pixel)),
                                std::uint8_t(qBlue(pixel))});
        }
    }
    return picture;
}

} // namespace r605::test
