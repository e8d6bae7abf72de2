#include "text/ini_document.h"

#include "base/file_io.h"
#include "base/numbers.h"

#include <algorithm>

namespace r605 {

namespace {

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) {
                   return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

std::string_view trimLine(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// A value enclosed in matching quotes loses them, as the profile calls do.
std::string unquote(std::string_view value) {
    if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                              (value.front() == '\'' && value.back() == '\''))) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// Built by appending into reserved room: GCC 12 at -O3 sees an overlapping copy that cannot happen
// in `"[" + std::string(section) + "]"` and warns (-Wrestrict).
std::string sectionHeader(std::string_view section) {
    std::string header;
    header.reserve(section.size() + 2);
    header += '[';
    header += section;
    header += ']';
    return header;
}

} // namespace

IniDocument IniDocument::parse(std::string_view content) {
    IniDocument document;
    if (content.substr(0, 3) == "\xEF\xBB\xBF")
        content.remove_prefix(3);
    std::string currentSection;
    while (!content.empty()) {
        const auto end = content.find('\n');
        std::string_view raw = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);

        Line line;
        line.text = std::string(raw);
        const std::string_view trimmed = trimLine(raw);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const auto close = trimmed.find(']');
            currentSection = std::string(trimLine(trimmed.substr(1, close == std::string_view::npos
                                                                        ? std::string_view::npos
                                                                        : close - 1)));
            line.header = true;
        } else if (!trimmed.empty() && trimmed.front() != ';') {
            const auto equals = trimmed.find('=');
            if (equals != std::string_view::npos)
                line.key = std::string(trimLine(trimmed.substr(0, equals)));
        }
        line.section = currentSection;
        document.m_lines.push_back(std::move(line));
    }
    return document;
}

Result<IniDocument> IniDocument::load(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return IniDocument{};
    auto bytes = readFileBytes(path, 16u * 1024 * 1024);
    if (!bytes)
        return bytes.error();
    return parse(*bytes);
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    for (const Line& line : m_lines) {
        if (line.key.empty() || !equalsIgnoreCase(line.section, section) ||
            !equalsIgnoreCase(line.key, key)) {
            continue;
        }
        const auto equals = line.text.find('=');
        return unquote(trimLine(std::string_view(line.text).substr(equals + 1)));
    }
    return std::nullopt;
}

std::string IniDocument::get(std::string_view section, std::string_view key,
                             std::string_view fallback) const {
    auto found = value(section, key);
    return found ? *found : std::string(fallback);
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string text = std::string(key) + "=" + std::string(value);
    std::optional<std::size_t> lastOfSection;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        Line& line = m_lines[i];
        if (!equalsIgnoreCase(line.section, section))
            continue;
        if (line.header || !line.key.empty())
            lastOfSection = i;
        if (!line.key.empty() && equalsIgnoreCase(line.key, key)) {
            line.text = text;
            return;
        }
    }
    Line line{text, std::string(section), std::string(key), false};
    if (lastOfSection) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*lastOfSection + 1),
                       std::move(line));
        return;
    }
    m_lines.push_back(Line{sectionHeader(section), std::string(section), {}, true});
    m_lines.push_back(std::move(line));
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> result;
    for (const Line& line : m_lines) {
        if (!line.key.empty() && equalsIgnoreCase(line.section, section))
            result.push_back(line.key);
    }
    return result;
}

std::vector<std::string> IniDocument::sections() const {
    std::vector<std::string> result;
    for (const Line& line : m_lines) {
        if (line.header)
            result.push_back(line.section);
    }
    return result;
}

std::string IniDocument::serialise() const {
    std::string out;
    for (const Line& line : m_lines) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

Status IniDocument::save(const std::filesystem::path& path) const {
    return writeFileAtomically(path, serialise());
}

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view fallback) {
    auto document = IniDocument::load(file);
    if (!document)
        return std::string(fallback);
    return document->get(section, key, fallback);
}

Status writeProfileString(const std::filesystem::path& file, std::string_view section,
                          std::string_view key, std::string_view value) {
    auto document = IniDocument::load(file);
    if (!document)
        return document.error();
    document->set(section, key, value);
    return document->save(file);
}

} // namespace r605
