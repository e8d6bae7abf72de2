#include "file/default_channel_file.h"

#include "base/file_io.h"
#include "base/numbers.h"
#include "file/packed_record.h"
#include "schema/new_codeplug.h"
#include "model/packed_size.h"

#include <charconv>
#include <cmath>

namespace r605 {

namespace {

// The frequency as a number text (shortest form that reads back the same); "" for a value that
// is not a number, which the check then replaces by its fallback.
std::string frequencyText(double value) {
    if (!std::isfinite(value))
        return {};
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

double checkedFrequency(const BandRanges& ranges, double value, double fallback) {
    const FrequencyText text = NormaliseFrequencyText(ranges, frequencyText(value), fallback);
    return parseNumber(text.text).value_or(fallback);
}

// Differences of frequencies on the 10 Hz resolution of the tables.
double tenHertz(double megahertz) {
    return roundHalfEven(megahertz * 100000.0) / 100000.0;
}

} // namespace

ChannelRec NormaliseDefaultChannel(ChannelRec channel, const BandRanges& ranges) {
    const double rx = checkedFrequency(ranges, channel.RxFreq, bandCentre(ranges, 0));
    double tx = rx;
    if (channel.OffsetDir == 1)
        tx = rx + channel.Offset;
    else if (channel.OffsetDir == 2)
        tx = rx - channel.Offset;
    tx = checkedFrequency(ranges, tx, rx);

    channel.RxFreq = rx;
    if (tenHertz(tx) == tenHertz(rx)) {
        channel.OffsetDir = 0;
        channel.Offset = 0;
    } else if (tx > rx) {
        channel.OffsetDir = 1;
        channel.Offset = tenHertz(tx - rx);
    } else {
        channel.OffsetDir = 2;
        channel.Offset = tenHertz(rx - tx);
    }
    return channel;
}

ChannelRec LoadDefaultChannel(const std::filesystem::path& file, const BandRanges& ranges) {
    const std::size_t size = packedSize<ChannelRec>();
    auto bytes = readFilePrefix(file, size);
    if (!bytes || bytes->size() < size)
        return BuiltInDefaultChannel(ranges);
    ChannelRec channel;
    PackedReader reader(*bytes);
    if (!reader.getRecord(channel))
        return BuiltInDefaultChannel(ranges);
    return NormaliseDefaultChannel(std::move(channel), ranges);
}

Status SaveDefaultChannel(const std::filesystem::path& file, const ChannelRec& channel) {
    std::string bytes;
    PackedWriter writer(bytes);
    writer.putRecord(channel);
    return writeFileAtomically(file, bytes);
}

} // namespace r605
