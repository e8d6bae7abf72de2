#pragma once
// A list file's text as the import reads it. Spreadsheets save CSV in many ways: UTF-8 with or
// without a byte-order mark, or the 8-bit code page of a Chinese Windows (GBK), with CR LF or LF
// line ends. Whatever came in, the import sees UTF-8 lines, each with its place in the file for
// the messages.

#include "base/result.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

// List files are small (10000 contacts take about 1.5 MB); anything far larger is not one.
inline constexpr std::size_t MaxListFileBytes = 64u * 1024 * 1024;

// The bytes of a list file as UTF-8: valid UTF-8 is taken as it is (a leading byte-order mark is
// dropped, so that it does not stick to the first heading); anything else is code page 936.
std::string DecodeListBytes(std::string_view bytes);

class ListText {
public:
    // What one entry of the text is: a physical line of a CSV or list file, or one record of a
    // downloaded contact file (several of which may share a physical line).
    enum class Unit { Line, Record };

    ListText() = default;

    // A CSV or list file: lines end at CR LF, LF or a lone CR; empty lines are skipped.
    static ListText fromBytes(std::string_view bytes);
    // A downloaded contact file: records end at the tag "<br/>" (also written "<br>" or
    // "<br />", in any case) and at line ends; empty records are skipped.
    static ListText fromCgiBytes(std::string_view bytes);

    static Result<ListText> load(const std::filesystem::path& path);
    static Result<ListText> loadCgi(const std::filesystem::path& path);

    Unit unit() const { return m_unit; }
    // The number of non-empty lines (records): the range of the progress display.
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    std::string_view line(std::size_t index) const;
    // 1-based position of the entry in the file (line number, or record number for a .cgi).
    std::size_t number(std::size_t index) const;
    // "line 12" or "record 12", for messages.
    std::string where(std::size_t index) const;

private:
    struct Entry {
        std::size_t number = 0;
        std::size_t offset = 0;
        std::size_t length = 0;
    };

    Unit m_unit = Unit::Line;
    std::string m_text;
    std::vector<Entry> m_entries;
};

} // namespace r605
