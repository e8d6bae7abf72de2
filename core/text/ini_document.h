#pragma once
// Profile (ini) files with the semantics programs of this kind have always relied on: sections
// and keys compared without regard to case, values trimmed, a missing key gives the caller's
// default, and writing a key keeps every other line of the file as it was. Files are UTF-8.

#include "base/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

class IniDocument {
public:
    static IniDocument parse(std::string_view content);
    // A missing file gives an empty document; an unreadable one an error.
    static Result<IniDocument> load(const std::filesystem::path& path);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string get(std::string_view section, std::string_view key,
                    std::string_view fallback = {}) const;
    // Adds or replaces the key; the section is appended when absent.
    void set(std::string_view section, std::string_view key, std::string_view value);

    // Every key of a section, in file order.
    std::vector<std::string> keys(std::string_view section) const;
    std::vector<std::string> sections() const;

    std::string serialise() const;
    Status save(const std::filesystem::path& path) const;

private:
    struct Line {
        std::string text;    // the line as it stands in the file
        std::string section; // the section it belongs to (for key lines and headers)
        std::string key;     // empty for headers, comments and blank lines
        bool header = false;
    };
    std::vector<Line> m_lines;
};

// Convenience wrappers with the behaviour of the classic profile calls: read one key (default
// when the file or key is missing) and write one key (creating the file when needed).
std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view fallback = {});
Status writeProfileString(const std::filesystem::path& file, std::string_view section,
                          std::string_view key, std::string_view value);

} // namespace r605
