#include "file/packed_record.h"

#include "text/codepage.h"

#include <algorithm>

namespace r605 {

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::size_t cp936CharLength(std::string_view bytes, std::size_t position) {
    const auto lead = static_cast<unsigned char>(bytes[position]);
    if (lead >= 0x81 && lead <= 0xFE && position + 1 < bytes.size())
        return 2;
    return 1;
}

std::string_view cp936Prefix(std::string_view bytes, std::size_t limit) {
    if (bytes.size() <= limit)
        return bytes;
    std::size_t end = 0;
    while (end < bytes.size()) {
        const std::size_t next = end + cp936CharLength(bytes, end);
        if (next > limit)
            break;
        end = next;
    }
    return bytes.substr(0, end);
}

void PackedWriter::putText(std::string_view utf8, std::size_t length) {
    std::string_view bytes = utf8;
    std::string converted;
    if (!isAscii(utf8)) {
        converted = toCp936(utf8);
        bytes = converted;
    }
    bytes = cp936Prefix(bytes, length);
    m_out.append(bytes.data(), bytes.size());
    m_out.append(length - bytes.size(), ' ');
}

bool PackedReader::getText(std::string& utf8, std::size_t length) {
    if (!take(length))
        return false;
    std::string_view bytes = m_bytes.substr(m_position - length, length);
    while (!bytes.empty() && bytes.back() == ' ')
        bytes.remove_suffix(1);
    if (isAscii(bytes))
        utf8.assign(bytes);
    else
        utf8 = fromCp936(bytes);
    return true;
}

} // namespace r605
