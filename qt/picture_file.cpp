#include "picture_file.h"

#include "base/file_io.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>

#include <cstring>
#include <limits>
#include <string>

namespace r605 {

namespace {

std::string sizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

Error notAPicture(const std::filesystem::path& path, const std::string& reason) {
    return Error::keyed(30516, path.string() + (reason.empty() ? "" : " (" + reason + ")"));
}

// Whether a JPEG's data runs up to its end-of-image marker. Segments are skipped by their
// lengths and the entropy-coded data after each start-of-scan by its markers; only running out
// of bytes counts as cut off; anything else odd is left to the decoder to judge.
bool jpegIsCutOff(const unsigned char* data, std::size_t size) {
    std::size_t pos = 2; // after the start-of-image marker
    while (true) {
        if (pos >= size)
            return true;
        if (data[pos] != 0xFF)
            return false;
        while (pos < size && data[pos] == 0xFF)
            ++pos; // fill bytes before a marker
        if (pos >= size)
            return true;
        const unsigned char marker = data[pos++];
        if (marker == 0xD9)
            return false;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a segment
        if (size - pos < 2)
            return true;
        const std::size_t length = std::size_t{data[pos]} * 256 + data[pos + 1];
        if (length < 2)
            return false;
        if (size - pos < length)
            return true;
        pos += length;
        if (marker != 0xDA)
            continue;
        // Entropy-coded data: 0xFF is followed by 0x00 (a stuffed byte) or a restart marker
        // inside it; any other marker ends it.
        while (true) {
            const void* found = std::memchr(data + pos, 0xFF, size - pos);
            if (found == nullptr)
                return true;
            pos = static_cast<std::size_t>(static_cast<const unsigned char*>(found) - data);
            if (pos + 1 >= size)
                return true;
            const unsigned char next = data[pos + 1];
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
                pos += 2;
                continue;
            }
            if (next == 0xFF) {
                ++pos;
                continue;
            }
            break;
        }
    }
}

// The size a BMP header announces. Qt's own BMP reader gives no size for pictures it finds too
// large, and the user should hear that the picture is too large, not that it is damaged.
QSize bmpAnnouncedSize(const QByteArray& bytes) {
    auto le = [&](int at, int count) {
        std::int64_t value = 0;
        for (int i = count - 1; i >= 0; --i)
            value = value * 256 + static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
    if (bytes.size() < 26)
        return QSize();
    const std::int64_t headerSize = le(14, 4);
    if (headerSize == 12)
        return QSize(static_cast<int>(le(18, 2)), static_cast<int>(le(20, 2)));
    if (headerSize < 40)
        return QSize();
    // Signed 32-bit values; a negative height means rows from the top.
    const auto width = static_cast<std::int32_t>(static_cast<std::uint32_t>(le(18, 4)));
    const auto height = static_cast<std::int32_t>(static_cast<std::uint32_t>(le(22, 4)));
    if (width < 0 || height == std::numeric_limits<std::int32_t>::min())
        return QSize();
    return QSize(width, height < 0 ? -height : height);
}

} // namespace

Result<RgbPicture> LoadPictureFile(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        return notAPicture(path, file.errorString().toStdString());
    // The file is mapped, not read: the bytes that are checked are the bytes decoded, and a
    // large file costs no memory of its own.
    const qint64 fileSize = file.size();
    if (fileSize <= 0)
        return notAPicture(path, "empty file");
    uchar* mapped = file.map(0, fileSize);
    if (mapped == nullptr)
        return notAPicture(path, file.errorString().toStdString());
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), fileSize);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);

    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format().toLower();
    if (format != "bmp" && format != "jpeg" && format != "jpg" && format != "png")
        return notAPicture(path, format.isEmpty() ? "" : "format " + format.toStdString());
    QSize announced = reader.size();
    if (!announced.isValid() && format == "bmp")
        announced = bmpAnnouncedSize(bytes);
    if (announced.isValid()) {
        if (announced.width() <= 0 || announced.height() <= 0)
            return Error::keyed(30517, sizeText(announced.width(), announced.height()));
        if (std::int64_t{announced.width()} * announced.height() > kMaxPicturePixels)
            return Error::keyed(30518, sizeText(announced.width(), announced.height()));
    }
    const bool isJpeg = format == "jpeg" || format == "jpg";
    if (isJpeg && jpegIsCutOff(reinterpret_cast<const unsigned char*>(bytes.constData()),
                               static_cast<std::size_t>(bytes.size())))
        return notAPicture(path, "the file ends before the end of the picture");

    // A header that lies about its size still cannot make the decoder allocate more than a
    // picture at the limit needs (up to 8 bytes a pixel for 16-bit PNG).
    QImageReader::setAllocationLimit(static_cast<int>(kMaxPicturePixels * 8 / (1024 * 1024) + 1));
    QImage image;
    if (!reader.read(&image))
        return notAPicture(path, reader.errorString().toStdString());
    return RgbPictureFromImage(image);
}

Result<RgbPicture> RgbPictureFromImage(const QImage& image) {
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return Error::keyed(30517, sizeText(image.width(), image.height()));
    if (std::int64_t{image.width()} * image.height() > kMaxPicturePixels)
        return Error::keyed(30518, sizeText(image.width(), image.height()));
    // Premultiplied pixels are the colours already laid over black.
    const QImage pixels = image.convertToFormat(
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (pixels.isNull())
        return Error::literal("Not enough memory for a picture of " +
                              sizeText(image.width(), image.height()) + " pixels.");
    RgbPicture picture{pixels.width(), pixels.height(), {}};
    picture.rgb.resize(static_cast<std::size_t>(picture.width) *
                       static_cast<std::size_t>(picture.height) * 3);
    std::uint8_t* out = picture.rgb.data();
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            *out++ = static_cast<std::uint8_t>(qRed(line[x]));
            *out++ = static_cast<std::uint8_t>(qGreen(line[x]));
            *out++ = static_cast<std::uint8_t>(qBlue(line[x]));
        }
    }
    return picture;
}

QImage ImageFromRgbPicture(const RgbPicture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB888);
    if (image.isNull() || picture.rgb.size() != picture.offsetOf(0, picture.height))
        return QImage();
    const std::size_t lineBytes = static_cast<std::size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.rgb.data() + picture.offsetOf(0, y), lineBytes);
    return image;
}

Status SavePicturePng(const std::filesystem::path& path, const RgbPicture& picture) {
    const QImage image = ImageFromRgbPicture(picture);
    if (image.isNull())
        return Error::literal("The picture to save has no pixels.");
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return Error::literal("Cannot encode the picture as PNG: " + path.string());
    return writeFileAtomically(path, std::string_view(png.constData(), std::size_t(png.size())));
}

} // namespace r605
