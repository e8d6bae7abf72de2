#pragma once
// A DMR user database as radio amateurs download it to fill their contact slots: a CSV file with a
// header row, then one line per registered radio ID (a quarter of a million of them), UTF-8. The
// sources differ in their column names and order ("RADIO_ID", "Radio ID", "DMR ID", "Callsign",
// "FIRST_NAME", "name", "State/Province", ...), so the columns are found by their headings, case
// and punctuation ignored. A line that cannot be read is skipped and counted, never guessed at; a
// file without a column of radio IDs is refused.

#include "base/result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace r605 {

// What a column of the database holds, as far as a contact takes it.
enum class UserField : std::uint8_t {
    Id,
    Callsign,
    Name, // one column for the whole name
    FirstName,
    LastName,
    City,
    State,
    Country,
    Remarks,
};
inline constexpr std::size_t kUserFieldCount = static_cast<std::size_t>(UserField::Remarks) + 1;

// "radio ID", "callsign", "first name" ...: a field as messages name it.
std::string_view userFieldName(UserField field);

// A column the header row names: the field it was taken for, its heading as the file writes it,
// and its position (0-based).
struct FoundColumn {
    UserField field;
    std::string heading;
    std::size_t cell = 0;
};

// One readable line of the database.
struct UserLine {
    std::int32_t id = 0;
    std::uint32_t line = 0;    // 1-based line number in the file
    std::uint32_t country = 0; // index into countries()
    std::uint32_t offset = 0;  // where the line stands in the file's text
    std::uint32_t length = 0;
};

struct CountryCount {
    std::string name; // as the first line that names it writes it; "" for no country
    std::size_t users = 0;
};

// The texts of one user, trimmed, each as the file gives it (not yet cut to a contact's fields).
struct UserTexts {
    std::string callsign;
    std::string name; // the name column, or the first and the last name
    std::string city;
    std::string state;
    std::string country;
    std::string remarks;
};

// How many broken lines are named by their numbers; the others are only counted.
inline constexpr std::size_t kNamedBrokenLines = 5;

// A database file is far larger than a list file (about 25 MB today); a file beyond this is no
// user database.
inline constexpr std::size_t kMaxUserDatabaseBytes = 512u * 1024 * 1024;

class UserDatabase {
public:
    // Reads the file; refused when it cannot be read, is larger than kMaxUserDatabaseBytes or
    // has no recognisable column of radio IDs.
    static Result<UserDatabase> read(const std::filesystem::path& path);
    static Result<UserDatabase> parse(std::string bytes);

    // Every readable line with an ID not seen before, in file order.
    std::span<const UserLine> users() const { return m_users; }
    // The columns taken, in file order, and the headings of the others.
    std::span<const FoundColumn> columns() const { return m_columns; }
    std::span<const std::string> otherColumns() const { return m_otherColumns; }
    bool has(UserField field) const { return m_cellOf[index(field)].has_value(); }

    // The countries the users name, in the order they first appear.
    std::span<const CountryCount> countries() const { return m_countries; }
    // The country of that name (blanks at either end and the case of Latin letters ignored).
    std::optional<std::uint32_t> countryNamed(std::string_view name) const;

    // Lines skipped because they could not be read (an ID missing, not a whole number or out of
    // range, an open quote, more cells than the header, text that is not UTF-8), and the
    // numbers of the first of them.
    std::size_t brokenLines() const { return m_brokenCount; }
    std::span<const std::uint32_t> firstBrokenLines() const { return m_firstBroken; }
    // Lines whose ID an earlier line already gave (skipped too).
    std::size_t repeatedIds() const { return m_repeatedIds; }

    UserTexts texts(const UserLine& user) const;

private:
    static std::size_t index(UserField field) { return static_cast<std::size_t>(field); }
    Status readHeader(std::string_view line);
    void readLine(std::string_view line, std::uint32_t number, std::size_t offset);
    void skipBroken(std::uint32_t number);
    std::uint32_t countryIndex(std::string_view name);
    std::string_view cellOf(std::span<const std::string> cells, UserField field) const;

    std::string m_text;
    std::vector<UserLine> m_users;
    std::vector<FoundColumn> m_columns;
    std::vector<std::string> m_otherColumns;
    std::array<std::optional<std::size_t>, kUserFieldCount> m_cellOf{};
    std::size_t m_headerCells = 0;
    std::int64_t m_maxId = 0; // the largest ID a contact holds
    std::vector<CountryCount> m_countries;
    // Each country's name as it is compared (trimmed, in lower case), and its index.
    std::unordered_map<std::string, std::uint32_t> m_countryIndex;
    std::string m_key; // reused for every line
    std::string m_lastCountryKey;
    std::uint32_t m_lastCountry = 0;
    std::size_t m_brokenCount = 0;
    std::vector<std::uint32_t> m_firstBroken;
    std::size_t m_repeatedIds = 0;
    bool m_wholeTextUtf8 = true;
    std::vector<std::string> m_cells; // reused for every line
    std::vector<bool> m_seenIds;
};

} // namespace r605
