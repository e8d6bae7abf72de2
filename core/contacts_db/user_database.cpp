#include "contacts_db/user_database.h"

#include "base/file_io.h"
#include "base/numbers.h"
#include "lists/cell_splitter.h"
#include "schema/family_columns.h"
#include "text/codepage.h"

#include <algorithm>
#include <array>

namespace r605 {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct Heading {
    std::string_view key; // lower case, letters and digits only
    UserField field;
};

// The headings the published databases and the spreadsheets made from them use.
constexpr std::array kHeadings{
    Heading{"radioid", UserField::Id},
    Heading{"dmrid", UserField::Id},
    Heading{"id", UserField::Id},
    Heading{"userid", UserField::Id},
    Heading{"callsign", UserField::Callsign},
    Heading{"call", UserField::Callsign},
    Heading{"name", UserField::Name},
    Heading{"fullname", UserField::Name},
    Heading{"firstname", UserField::FirstName},
    Heading{"fname", UserField::FirstName},
    Heading{"first", UserField::FirstName},
    Heading{"givenname", UserField::FirstName},
    Heading{"lastname", UserField::LastName},
    Heading{"lname", UserField::LastName},
    Heading{"last", UserField::LastName},
    Heading{"surname", UserField::LastName},
    Heading{"familyname", UserField::LastName},
    Heading{"city", UserField::City},
    Heading{"town", UserField::City},
    Heading{"state", UserField::State},
    Heading{"province", UserField::State},
    Heading{"stateprovince", UserField::State},
    Heading{"stateorprovince", UserField::State},
    Heading{"region", UserField::State},
    Heading{"country", UserField::Country},
    Heading{"remarks", UserField::Remarks},
    Heading{"remark", UserField::Remarks},
    Heading{"notes", UserField::Remarks},
    Heading{"comment", UserField::Remarks},
    Heading{"comments", UserField::Remarks},
};

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "Radio ID", "RADIO_ID" and "radio-id" are one heading.
std::string headingKey(std::string_view heading) {
    std::string key;
    for (const char c : heading) {
        const char lower = lowerAscii(c);
        if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9'))
            key.push_back(lower);
    }
    return key;
}

std::optional<UserField> fieldOfHeading(std::string_view heading) {
    const std::string key = headingKey(heading);
    for (const Heading& known : kHeadings) {
        if (known.key == key)
            return known.field;
    }
    return std::nullopt;
}

void lowerInto(std::string_view text, std::string& into) {
    into.clear();
    for (const char c : trimBlanks(text))
        into.push_back(lowerAscii(c));
}

// The quotes of a cell come in pairs; an odd count leaves a cell open to the line's end.
bool quotesBalanced(std::string_view line) {
    return std::count(line.begin(), line.end(), '"') % 2 == 0;
}

bool allBlank(std::span<const std::string> cells) {
    return std::all_of(cells.begin(), cells.end(),
                       [](const std::string& cell) { return trimBlanks(cell).empty(); });
}

std::int64_t largestContactId() {
    const FamilyColumns* columns = columnsOf(Family::Contact);
    const auto id = columns ? columns->columnNamed("Id") : std::nullopt;
    return id ? columns->columns()[*id].max : 0;
}

} // namespace

std::string_view userFieldName(UserField field) {
    switch (field) {
    case UserField::Id:
        return "radio ID";
    case UserField::Callsign:
        return "callsign";
    case UserField::Name:
        return "name";
    case UserField::FirstName:
        return "first name";
    case UserField::LastName:
        return "last name";
    case UserField::City:
        return "city";
    case UserField::State:
        return "state";
    case UserField::Country:
        return "country";
    case UserField::Remarks:
        return "remarks";
    }
    return {};
}

Result<UserDatabase> UserDatabase::read(const std::filesystem::path& path) {
    auto bytes = readFileBytes(path, kMaxUserDatabaseBytes);
    if (!bytes)
        return bytes.error();
    auto database = parse(std::move(*bytes));
    if (!database)
        return Error::literal(pathText(path) + ": " + database.error().text);
    return database;
}

Result<UserDatabase> UserDatabase::parse(std::string bytes) {
    UserDatabase database;
    database.m_text = std::move(bytes);
    if (database.m_text.size() > kMaxUserDatabaseBytes)
        return Error::literal("the file is too large for a user database");
    std::string_view text = database.m_text;
    std::size_t start = 0;
    if (text.starts_with(kByteOrderMark))
        start = kByteOrderMark.size();
    database.m_wholeTextUtf8 = isValidUtf8(text.substr(start));
    database.m_maxId = largestContactId();

    bool header = true;
    std::uint32_t number = 1;
    for (std::size_t pos = start; pos <= text.size(); ++pos) {
        const bool atEnd = pos == text.size();
        if (!atEnd && text[pos] != '\n' && text[pos] != '\r')
            continue;
        const std::string_view line = text.substr(start, pos - start);
        if (!trimBlanks(line).empty()) {
            if (header) {
                if (Status status = database.readHeader(line); !status)
                    return status.error();
                header = false;
            } else {
                database.readLine(line, number, start);
            }
        }
        if (!atEnd && text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
            ++pos;
        ++number;
        start = pos + 1;
    }
    if (header)
        return Error::literal("the file is empty: a user database starts with a header row");
    database.m_seenIds = {};
    database.m_cells = {};
    return database;
}

Status UserDatabase::readHeader(std::string_view line) {
    if (!isValidUtf8(line) || !SplitCells(line, m_cells))
        return Error::literal("the header row cannot be read");
    m_headerCells = m_cells.size();
    for (std::size_t cell = 0; cell < m_cells.size(); ++cell) {
        const std::string heading(trimBlanks(m_cells[cell]));
        const auto field = fieldOfHeading(heading);
        // A second column of the same field is not taken: the first one says it.
        if (!field || m_cellOf[index(*field)]) {
            if (!heading.empty())
                m_otherColumns.push_back(heading);
            continue;
        }
        m_cellOf[index(*field)] = cell;
        m_columns.push_back(FoundColumn{*field, heading, cell});
    }
    if (!has(UserField::Id)) {
        std::string found;
        for (const std::string& cell : m_cells)
            found += (found.empty() ? "\"" : ", \"") + std::string(trimBlanks(cell)) + "\"";
        return Error::literal("no column of radio IDs (such as \"RADIO_ID\", \"DMR ID\" or "
                              "\"ID\") in the header row: " +
                              (found.empty() ? std::string("no headings") : found));
    }
    m_seenIds.assign(static_cast<std::size_t>(m_maxId) + 1, false);
    return Status::success();
}

void UserDatabase::skipBroken(std::uint32_t number) {
    ++m_brokenCount;
    if (m_firstBroken.size() < kNamedBrokenLines)
        m_firstBroken.push_back(number);
}

std::string_view UserDatabase::cellOf(std::span<const std::string> cells, UserField field) const {
    const auto cell = m_cellOf[index(field)];
    if (!cell || *cell >= cells.size())
        return {};
    return trimBlanks(cells[*cell]);
}

void UserDatabase::readLine(std::string_view line, std::uint32_t number, std::size_t offset) {
    if ((!m_wholeTextUtf8 && !isValidUtf8(line)) || !quotesBalanced(line) ||
        !SplitCells(line, m_cells)) {
        skipBroken(number);
        return;
    }
    // Cells past the header's are damage (a comma in an unquoted name shifts every column after
    // it), unless they are empty, as spreadsheets leave them.
    if (m_cells.size() > m_headerCells) {
        if (!allBlank(std::span(m_cells).subspan(m_headerCells))) {
            skipBroken(number);
            return;
        }
    }
    const auto id = parseInteger(cellOf(m_cells, UserField::Id));
    if (!id || *id < 1 || *id > m_maxId) {
        skipBroken(number);
        return;
    }
    if (m_seenIds[static_cast<std::size_t>(*id)]) {
        ++m_repeatedIds;
        return;
    }
    m_seenIds[static_cast<std::size_t>(*id)] = true;
    const std::uint32_t country = countryIndex(cellOf(m_cells, UserField::Country));
    ++m_countries[country].users;
    m_users.push_back(UserLine{static_cast<std::int32_t>(*id), number, country,
                               static_cast<std::uint32_t>(offset),
                               static_cast<std::uint32_t>(line.size())});
}

std::uint32_t UserDatabase::countryIndex(std::string_view name) {
    lowerInto(name, m_key);
    // Lines come grouped by country more often than not: the last one is tried first.
    if (!m_countries.empty() && m_key == m_lastCountryKey)
        return m_lastCountry;
    auto [found, added] =
        m_countryIndex.try_emplace(m_key, static_cast<std::uint32_t>(m_countries.size()));
    if (added)
        m_countries.push_back(CountryCount{std::string(trimBlanks(name)), 0});
    m_lastCountryKey = m_key;
    m_lastCountry = found->second;
    return m_lastCountry;
}

std::optional<std::uint32_t> UserDatabase::countryNamed(std::string_view name) const {
    std::string key;
    lowerInto(name, key);
    const auto found = m_countryIndex.find(key);
    if (found == m_countryIndex.end())
        return std::nullopt;
    return found->second;
}

UserTexts UserDatabase::texts(const UserLine& user) const {
    std::vector<std::string> cells;
    const std::string_view line = std::string_view(m_text).substr(user.offset, user.length);
    if (!SplitCells(line, cells))
        return {};
    const auto cell = [&](UserField field) { return std::string(cellOf(cells, field)); };
    UserTexts texts;
    texts.callsign = cell(UserField::Callsign);
    texts.name = cell(UserField::Name);
    if (texts.name.empty()) {
        texts.name = cell(UserField::FirstName);
        const std::string last = cell(UserField::LastName);
        if (!texts.name.empty() && !last.empty())
            texts.name += ' ';
        texts.name += last;
    }
    texts.city = cell(UserField::City);
    texts.state = cell(UserField::State);
    texts.country = cell(UserField::Country);
    texts.remarks = cell(UserField::Remarks);
    return texts;
}

} // namespace r605
