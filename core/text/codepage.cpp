#include "text/codepage.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

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

// Validates one sequence at the start of `text`; returns its length or 0.
std::size_t validSequenceAt(std::string_view text) {
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

// One converter per direction and thread, opened on first use: iconv_open is far too slow to
// call for each of 10000 contacts.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`; every sequence iconv refuses is replaced by "?" and skipped by
    // `skipLength` of the offending position.
    template <class SkipLength>
    std::string convert(std::string_view input, SkipLength skipLength) {
        std::string output;
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            return std::string(input.size(), '?');
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        output.resize(input.size() * 2 + 8);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        std::size_t produced = 0;
        while (inLeft > 0) {
            char* out = output.data() + produced;
            std::size_t outLeft = output.size() - produced;
            const std::size_t rc = iconv(m_cd, &in, &inLeft, &out, &outLeft);
            produced = output.size() - outLeft;
            if (rc != static_cast<std::size_t>(-1))
                break;
            if (errno == E2BIG) {
                output.resize(output.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL: an unconvertible or broken sequence.
            const std::size_t skip =
                std::max<std::size_t>(1, std::min(inLeft, skipLength(std::string_view(in, inLeft))));
            in += skip;
            inLeft -= skip;
            if (output.size() - produced < 1)
                output.resize(output.size() * 2);
            output[produced++] = '?';
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        output.resize(produced);
        return output;
    }

private:
    iconv_t m_cd;
};

std::size_t utf8SkipLength(std::string_view rest) {
    const std::size_t length = validSequenceAt(rest);
    return length == 0 ? 1 : length;
}

std::size_t gbkSkipLength(std::string_view rest) {
    // A GBK lead byte (0x81..0xFE) with a valid trail byte forms a pair that GBK does not map;
    // anything else is a single stray byte.
    const auto lead = static_cast<unsigned char>(rest[0]);
    if (lead >= 0x81 && lead <= 0xFE && rest.size() >= 2) {
        const auto trail = static_cast<unsigned char>(rest[1]);
        if (trail >= 0x40 && trail <= 0xFE && trail != 0x7F)
            return 2;
    }
    return 1;
}

} // namespace

std::string toCp936(std::string_view utf8) {
    if (isAscii(utf8))
        return std::string(utf8);
    thread_local Converter converter("CP936", "UTF-8");
    return converter.convert(utf8, utf8SkipLength);
}

std::string fromCp936(std::string_view bytes) {
    if (isAscii(bytes))
        return std::string(bytes);
    thread_local Converter converter("UTF-8", "CP936");
    return converter.convert(bytes, gbkSkipLength);
}

std::size_t cp936Length(std::string_view utf8) {
    if (isAscii(utf8))
        return utf8.size();
    return toCp936(utf8).size();
}

bool isValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t length = validSequenceAt(bytes);
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
