// Code page 936 through Windows' own conversion functions. The texts reach the radio and the
// codeplug files, so they must come out byte for byte as on the other systems (iconv): one "?"
// for each character GBK cannot hold and for each broken sequence, never a look-alike.
#include "text/codepage_backend.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <climits>

namespace r605::codepage {

namespace {

constexpr UINT kGbkCodePage = 936;

// The code point of a valid UTF-8 sequence of `length` bytes.
char32_t decodeUtf8(std::string_view sequence, std::size_t length) {
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t codePoint = static_cast<unsigned char>(sequence[0]) & kLeadMask[length];
    for (std::size_t i = 1; i < length; ++i)
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
    return codePoint;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
        return;
    }
    if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
        return;
    }
    // GBK maps into the basic plane only.
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
}

// Windows maps the bytes GBK leaves unassigned (0xFF, the user-defined pairs) into the private
// use area; GBK holds no such character, so neither direction may use them.
bool isPrivateUse(char32_t codePoint) {
    return codePoint >= 0xE000 && codePoint <= 0xF8FF;
}

// One GBK character (1 or 2 bytes) to UTF-16; 0 when code page 936 has no character there.
wchar_t decodeGbkCharacter(std::string_view bytes) {
    wchar_t wide[2] = {};
    const int count = MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                          static_cast<int>(bytes.size()), wide, 2);
    if (count != 1 || isPrivateUse(wide[0]))
        return 0;
    return wide[0];
}

} // namespace

std::string utf8ToGbk(std::string_view utf8) {
    if (utf8.size() > INT_MAX / 2)
        return std::string(utf8.size(), '?');
    std::wstring wide;
    wide.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t length = validUtf8SequenceAt(utf8.substr(pos));
        if (length == 0) {
            wide += L'?';
            ++pos;
            continue;
        }
        const char32_t codePoint = decodeUtf8(utf8.substr(pos), length);
        pos += length;
        // One "?" for a character beyond the basic plane, not one for each half of its UTF-16
        // pair; GBK holds none of them.
        const bool unheld = codePoint > 0xFFFF || isPrivateUse(codePoint);
        wide += unheld ? L'?' : static_cast<wchar_t>(codePoint);
    }
    if (wide.empty())
        return {};
    // No best fit: a character GBK lacks becomes "?", never a look-alike that GBK has.
    const int wideSize = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize,
                                         nullptr, 0, "?", &usedDefault);
    if (size <= 0)
        return std::string(wide.size(), '?');
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize, out.data(), size,
                        "?", &usedDefault);
    return out;
}

std::string gbkToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (std::size_t pos = 0; pos < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++pos;
            continue;
        }
        const std::size_t length = gbkRefusedLength(bytes.substr(pos));
        // A lead byte without its trail byte is broken whatever follows.
        const bool brokenPair = length == 1 && lead >= 0x81 && lead <= 0xFE;
        const wchar_t character = brokenPair ? 0 : decodeGbkCharacter(bytes.substr(pos, length));
        if (character == 0)
            out += '?';
        else
            appendUtf8(out, character);
        pos += length;
    }
    return out;
}

} // namespace r605::codepage
