#include "text/codepage.h"
#include "text/codepage_backend.h"

#include <algorithm>

namespace r605 {

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Length of the UTF-8 sequence that starts with this byte; 0 for a byte that cannot start one.
std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

std::size_t utf8SkipLength(std::string_view rest) {
    const std::size_t length = codepage::validUtf8SequenceAt(rest);
    return length == 0 ? 1 : length;
}

} // namespace

namespace codepage {

std::size_t validUtf8SequenceAt(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = utf8SequenceLength(lead);
    if (length == 0 || length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 0;
    }
    const auto second = static_cast<unsigned char>(text.size() > 1 ? text[1] : 0);
    if (lead == 0xE0 && second < 0xA0)
        return 0; // overlong
    if (lead == 0xED && second >= 0xA0)
        return 0; // surrogate
    if (lead == 0xF0 && second < 0x90)
        return 0; // overlong
    if (lead == 0xF4 && second >= 0x90)
        return 0; // beyond U+10FFFF
    return length;
}

std::size_t gbkRefusedLength(std::string_view rest) {
    const auto lead = static_cast<unsigned char>(rest[0]);
    if (lead >= 0x81 && lead <= 0xFE && rest.size() >= 2) {
        const auto trail = static_cast<unsigned char>(rest[1]);
        if (trail >= 0x40 && trail <= 0xFE && trail != 0x7F)
            return 2;
    }
    return 1;
}

} // namespace codepage

std::string toCp936(std::string_view utf8) {
    if (isAscii(utf8))
        return std::string(utf8);
    return codepage::utf8ToGbk(utf8);
}

std::string fromCp936(std::string_view bytes) {
    if (isAscii(bytes))
        return std::string(bytes);
    return codepage::gbkToUtf8(bytes);
}

std::size_t cp936Length(std::string_view utf8) {
    if (isAscii(utf8))
        return utf8.size();
    return toCp936(utf8).size();
}

bool isValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t length = codepage::validUtf8SequenceAt(bytes);
        if (length == 0)
            return false;
        bytes.remove_prefix(length);
    }
    return true;
}

std::string_view utf8Prefix(std::string_view utf8, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < utf8.size(); ++n)
        pos += std::max<std::size_t>(1, utf8SkipLength(utf8.substr(pos)));
    return utf8.substr(0, std::min(pos, utf8.size()));
}

std::size_t utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count)
        pos += utf8SkipLength(utf8.substr(pos));
    return count;
}

std::string_view cp936FitPrefix(std::string_view utf8, std::size_t maxBytes) {
    if (isAscii(utf8))
        return utf8.substr(0, std::min(maxBytes, utf8.size()));
    std::size_t pos = 0;
    std::size_t bytes = 0;
    while (pos < utf8.size()) {
        const std::size_t length = utf8SkipLength(utf8.substr(pos));
        const std::size_t width = cp936Length(utf8.substr(pos, length));
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        pos += length;
    }
    return utf8.substr(0, pos);
}

} // namespace r605
