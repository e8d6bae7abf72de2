#include "lists/list_text.h"

#include "base/file_io.h"
#include "text/codepage.h"

#include <cctype>

namespace r605 {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Length of a "<br/>" record separator at `pos` (forms "<br/>", "<br>", "<br />", any case),
// 0 when none starts there.
std::size_t breakTagLength(std::string_view text, std::size_t pos) {
    const auto lower = [&](std::size_t i) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    };
    if (pos + 4 > text.size() || text[pos] != '<' || lower(pos + 1) != 'b' || lower(pos + 2) != 'r')
        return 0;
    std::size_t i = pos + 3;
    if (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && text[i] == '/')
        ++i;
    if (i < text.size() && text[i] == '>')
        return i + 1 - pos;
    return 0;
}

bool isBlankRecord(std::string_view record) {
    for (const char c : record) {
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

} // namespace

std::string DecodeListBytes(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return fromCp936(bytes);
}

ListText ListText::fromBytes(std::string_view bytes) {
    ListText result;
    result.m_unit = Unit::Line;
    result.m_text = DecodeListBytes(bytes);
    const std::string_view text = result.m_text;
    std::size_t lineNumber = 1;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos <= text.size(); ++pos) {
        const bool atEnd = pos == text.size();
        if (!atEnd && text[pos] != '\n' && text[pos] != '\r')
            continue;
        if (pos > start)
            result.m_entries.push_back(Entry{lineNumber, start, pos - start});
        if (!atEnd && text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
            ++pos;
        ++lineNumber;
        start = pos + 1;
    }
    return result;
}

ListText ListText::fromCgiBytes(std::string_view bytes) {
    ListText result;
    result.m_unit = Unit::Record;
    result.m_text = DecodeListBytes(bytes);
    const std::string_view text = result.m_text;
    std::size_t start = 0;
    std::size_t pos = 0;
    const auto endRecord = [&](std::size_t end) {
        const std::string_view record = text.substr(start, end - start);
        if (!isBlankRecord(record))
            result.m_entries.push_back(Entry{result.m_entries.size() + 1, start, record.size()});
    };
    while (pos < text.size()) {
        std::size_t separator = 0;
        if (text[pos] == '\n' || text[pos] == '\r')
            separator = 1;
        else if (text[pos] == '<')
            separator = breakTagLength(text, pos);
        if (separator == 0) {
            ++pos;
            continue;
        }
        endRecord(pos);
        pos += separator;
        start = pos;
    }
    endRecord(text.size());
    return result;
}

Result<ListText> ListText::load(const std::filesystem::path& path) {
    auto bytes = readFileBytes(path, MaxListFileBytes);
    if (!bytes)
        return bytes.error();
    return fromBytes(*bytes);
}

Result<ListText> ListText::loadCgi(const std::filesystem::path& path) {
    auto bytes = readFileBytes(path, MaxListFileBytes);
    if (!bytes)
        return bytes.error();
    return fromCgiBytes(*bytes);
}

std::string_view ListText::line(std::size_t index) const {
    const Entry& entry = m_entries.at(index);
    return std::string_view(m_text).substr(entry.offset, entry.length);
}

std::size_t ListText::number(std::size_t index) const {
    return m_entries.at(index).number;
}

std::string ListText::where(std::size_t index) const {
    return (m_unit == Unit::Line ? "line " : "record ") + std::to_string(number(index));
}

} // namespace r605
