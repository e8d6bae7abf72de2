#include "lists/csv_writer.h"

#include "base/file_io.h"

namespace r605 {

namespace {

// Windows line ends: the files travel between Windows spreadsheets and this program.
constexpr std::string_view kLineEnd = "\r\n";

void appendQuoted(std::string& out, std::string_view cell) {
    out.push_back('"');
    for (const char c : cell) {
        if (c == '"')
            out += "\"\"";
        else if (c == '\r' || c == '\n')
            out.push_back(' ');
        else
            out.push_back(c);
    }
    out.push_back('"');
}

} // namespace

std::string QuoteCell(std::string_view cell) {
    std::string out;
    out.reserve(cell.size() + 2);
    appendQuoted(out, cell);
    return out;
}

CsvWriter::CsvWriter() : m_text("\xEF\xBB\xBF") {}

void CsvWriter::writeRow(std::span<const std::string> cells, bool commaAfterLast) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            m_text.push_back(',');
        appendQuoted(m_text, cells[i]);
    }
    if (commaAfterLast && !cells.empty())
        m_text.push_back(',');
    m_text += kLineEnd;
}

void CsvWriter::writeRawLine(std::string_view line) {
    m_text += line;
    m_text += kLineEnd;
}

Status CsvWriter::save(const std::filesystem::path& path) const {
    return writeFileAtomically(path, m_text);
}

} // namespace r605
