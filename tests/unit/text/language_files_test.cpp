// The shipped language files: they parse, all three hold the same keys, and every key that the
// program computes or names in its sources has a text in every language.
#include "lists/list_columns.h"
#include "schema/grid_layout.h"
#include "test_support.h"
#include "text/codepage.h"
#include "text/ini_document.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace r605 {
namespace {

namespace fs = std::filesystem;

constexpr std::array<int, 3> kLanguages{1, 2, 3};
constexpr std::array<std::string_view, 3> kSections{"OTHER", "OPTION", "MSG"};

// The grids that have a node of their own in the category tree.
constexpr std::array<int, 11> kTreeGrids{0, 1, 2, 3, 5, 6, 7, 10, 15, 16, 19};
// Tree nodes 12020 ... 12039 that exist; the others are hidden by an empty caption.
constexpr std::array<int, 10> kTreeNodes{20, 21, 22, 23, 24, 26, 27, 28, 29, 30};

fs::path languageFolder() {
    return test::sourceDataFolder() / "language";
}

Language languageOf(int index) {
    return Language::load(test::sourceDataFolder(), index);
}

std::vector<int> range(int first, int last) {
    std::vector<int> keys;
    for (int key = first; key <= last; ++key)
        keys.push_back(key);
    return keys;
}

bool isHiddenTreeCaption(std::string_view section, int key) {
    return section == "OTHER" && key >= 12031 && key <= 12039;
}

// A character of a Chinese script: in UTF-8 three bytes led by E3 (U+3000 on) to E9.
bool hasCjk(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0xE3 && static_cast<unsigned char>(c) <= 0xE9;
    });
}

// One language file as the profile reader sees it: section -> key -> text.
struct LanguageFileContent {
    std::string fileName;
    std::map<std::string, std::map<int, std::string>> sections;
    std::vector<std::string> problems; // malformed lines, duplicates, bad encoding
};

LanguageFileContent readLanguageFile(int index) {
    LanguageFileContent file;
    file.fileName = std::string(languageFileName(index));
    const std::string content = test::readFile(languageFolder() / file.fileName);
    if (!isValidUtf8(content))
        file.problems.push_back(file.fileName + ": not valid UTF-8");
    std::string section;
    std::set<std::string> sectionsSeen;
    int lineNumber = 0;
    std::size_t position = 0;
    while (position < content.size()) {
        const auto end = content.find('\n', position);
        std::string line =
            content.substr(position, end == std::string::npos ? end : end - position);
        position = end == std::string::npos ? content.size() : end + 1;
        ++lineNumber;
        const std::string where = file.fileName + ":" + std::to_string(lineNumber) + ": ";
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            section = line.substr(1, line.find(']') - 1);
            if (!sectionsSeen.insert(section).second)
                file.problems.push_back(where + "section [" + section + "] appears twice");
            if (std::find(kSections.begin(), kSections.end(), section) == kSections.end())
                file.problems.push_back(where + "unknown section [" + section + "]");
            continue;
        }
        static const std::regex entry(R"(^([0-9]+)=(.*)$)");
        std::smatch match;
        if (section.empty() || !std::regex_match(line, match, entry)) {
            file.problems.push_back(where + "not a key=text line: " + line);
            continue;
        }
        const int key = std::stoi(match[1].str());
        if (!file.sections[section].emplace(key, match[2].str()).second)
            file.problems.push_back(where + "key " + match[1].str() + " appears twice in [" +
                                    section + "]; the first one would win");
    }
    return file;
}

struct SourceKey {
    int number = 0;
    Section section = Section::Other;
    std::string where;
};

// The key conventions of the sources: keyed(NNNN, GetLangText(NNNN, TextKey{NNNN and the window's
// text(NNNN (four digits or more, so that an item's text(0) is no key), each optionally followed
// by the section; without one the section is OTHER.
std::vector<SourceKey> scanKeys(const std::string& text, const std::string& fileName) {
    static const std::regex pattern(
        R"((?:\bkeyed\(|\bGetLangText\(|\bTextKey\s*\{|\btext\((?=\s*[0-9]{4}))\s*([0-9]+)\s*(?:,\s*Section::(Other|Option|Msg)\b)?)");
    std::vector<SourceKey> keys;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& match = *it;
        SourceKey key;
        key.number = std::stoi(match[1].str());
        if (match[2] == "Option")
            key.section = Section::Option;
        else if (match[2] == "Msg")
            key.section = Section::Msg;
        const auto line = std::count(text.begin(), text.begin() + match.position(0), '\n') + 1;
        key.where = fileName + ":" + std::to_string(line);
        keys.push_back(key);
    }
    return keys;
}

// The keys of `section` that `from` holds and `file` lacks.
std::vector<int> keysLacking(const LanguageFileContent& file, const LanguageFileContent& from,
                             const std::string& section) {
    std::vector<int> lacking;
    if (from.sections.count(section) == 0)
        return lacking;
    for (const auto& entry : from.sections.at(section)) {
        if (file.sections.count(section) == 0 || file.sections.at(section).count(entry.first) == 0)
            lacking.push_back(entry.first);
    }
    return lacking;
}

TEST(LanguageFiles, ParseAsProfileFilesWithShortTextsAndHoldTheSameKeys) {
    const LanguageFileContent english = readLanguageFile(1);
    for (int index : kLanguages) {
        const LanguageFileContent file = readLanguageFile(index);
        EXPECT_TRUE(file.problems.empty()) << ::testing::PrintToString(file.problems);
        for (std::string_view sectionView : kSections) {
            const std::string section(sectionView);
            EXPECT_TRUE(file.sections.count(section))
                << file.fileName << " lacks [" << section << "]";
            EXPECT_EQ(keysLacking(file, english, section), std::vector<int>{})
                << "[" << section << "] missing in " << file.fileName;
            EXPECT_EQ(keysLacking(english, file, section), std::vector<int>{})
                << "[" << section << "] only in " << file.fileName;
        }
        // The lookup the program uses reads the file the same way.
        const Language language = languageOf(index);
        for (const auto& [section, texts] : file.sections) {
            const Section s = section == "OPTION" ? Section::Option
                              : section == "MSG"  ? Section::Msg
                                                  : Section::Other;
            for (const auto& [key, text] : texts) {
                const std::string where =
                    file.fileName + " [" + section + "] " + std::to_string(key) + "=" + text;
                // The profile call that fetches a text holds 254 characters; surrounding
                // blanks or quotes are stripped by the profile reader.
                EXPECT_LE(utf8Length(text), 254u) << where;
                EXPECT_FALSE(text.starts_with(' ') || text.starts_with('"')) << where;
                EXPECT_EQ(language.GetLangText(key, s), text) << where;
                // Only the hidden tree nodes are empty; they are present so that every
                // language shows the same tree.
                EXPECT_EQ(text.empty(), isHiddenTreeCaption(section, key)) << where;
            }
        }
        for (int key = 12031; key <= 12039; ++key)
            EXPECT_TRUE(language.hasKey(key, Section::Other)) << file.fileName << " " << key;
    }
}

TEST(LanguageFiles, HoldTheKeysThatTheProgramComputes) {
    std::vector<int> computed;
    // The heading of column k of grid g (the row label's at k = 0) is text 10000 + 100 g + k;
    // the contact pages (grid 17) use the headings of grid 5.
    for (int grid = 0; grid < kGridCount; ++grid) {
        for (int column = 0; grid != 17 && column < int(gridColumns(grid).size()); ++column)
            computed.push_back(10000 + 100 * grid + column);
    }
    for (int grid : kTreeGrids)
        computed.push_back(12000 + grid);
    for (int node : kTreeNodes)
        computed.push_back(12000 + node);
    for (const auto& keys :
         {range(13000, 13002), range(10053, 10064), range(20020, 20039), range(20040, 20049),
          range(20090, 20091), range(20150, 20161), range(29110, 29125), range(2001, 2008),
          range(90000, 90003), range(99100, 99107), range(99111, 99118), range(30261, 30269),
          range(30500, 30505), range(30510, 30515)}) {
        computed.insert(computed.end(), keys.begin(), keys.end());
    }
    computed.insert(computed.end(), {10050, 1144, 1145, 1501, 1502, 1504, 99125, 12001, 12002,
                                     12005, 3102, 2012, 99005, 99013, 99017});
    for (int index : kLanguages) {
        const Language language = languageOf(index);
        for (int key : computed)
            EXPECT_NE(language.GetLangText(key), "") << languageFileName(index) << " " << key;
        for (int key : range(60085, 60088))
            EXPECT_NE(language.GetLangText(key, Section::Option), "") << key;
        EXPECT_NE(language.GetLangText(9001, Section::Msg), "") << languageFileName(index);
    }
}

TEST(LanguageFiles, ListHeadingsCanBeToldApartOnImport) {
    // An imported file's header cells are matched against the headings of its list, and those of
    // the contact lists against their literal English headings as well: two columns of one list
    // with an equal heading would leave one of them unreadable.
    for (int index : kLanguages) {
        const Language language = languageOf(index);
        for (int type = 0; type < kListTypeCount; ++type) {
            std::map<std::string, int> seen; // heading -> column code
            const auto columns = ImportColumns(static_cast<ListType>(type), true);
            for (int code = 0; code < static_cast<int>(columns.size()); ++code) {
                const ListColumn& column = columns[static_cast<std::size_t>(code)];
                std::set<std::string> headings{language.text(column.heading)};
                if (!column.literalHeading.empty())
                    headings.emplace(column.literalHeading);
                for (const std::string& heading : headings) {
                    const auto [it, inserted] = seen.emplace(heading, code);
                    EXPECT_TRUE(inserted) << languageFileName(index) << ", list " << type << ": "
                                          << "columns " << code << " and " << it->second
                                          << " are both \"" << heading << "\"";
                }
            }
        }
        std::set<std::string> optionHeadings;
        for (int key : range(60053, 60084))
            optionHeadings.insert(language.GetLangText(key, Section::Option));
        for (int key : {60304, 60305})
            optionHeadings.insert(language.GetLangText(key, Section::Option));
        EXPECT_EQ(optionHeadings.size(), 34u) << languageFileName(index);
    }
}

TEST(LanguageFiles, SourceKeyScannerKnowsTheConventions) {
    const std::string sample =
        "return Error::keyed(2002, detail);\n"
        "auto t = language.GetLangText(60085, Section::Option) + x;\n"
        "ask(TextKey{9001, Section::Msg});\n"
        "ask(TextKey{ 99112 });\n"
        "Error::keyed(TextKey{ 30515, Section::Other });\n"
        "language.GetLangText(key, section); // not a literal\n"
        "notkeyed(77);\n"
        "texts.text(14360); item->text(0); texts.text(9001, Section::Msg);\n";
    std::vector<std::string> found;
    for (const SourceKey& key : scanKeys(sample, "sample.cpp"))
        found.push_back(
            key.where + " " +
            std::string(sectionName(key.section)).append(" ").append(std::to_string(key.number)));
    EXPECT_EQ(found,
              (std::vector<std::string>{"sample.cpp:1 OTHER 2002", "sample.cpp:2 OPTION 60085",
                                        "sample.cpp:3 MSG 9001", "sample.cpp:4 OTHER 99112",
                                        "sample.cpp:5 OTHER 30515", "sample.cpp:8 OTHER 14360",
                                        "sample.cpp:8 MSG 9001"}));
}

TEST(LanguageFiles, HoldEveryKeyThatTheSourcesAskFor) {
    const fs::path root(R605_SOURCE_DIR);
    std::vector<SourceKey> keys;
    int filesScanned = 0;
    for (const char* folder : {"core", "qt", "cli", "app", "sim"}) {
        if (!fs::is_directory(root / folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const auto extension = entry.path().extension();
            if (!entry.is_regular_file() ||
                (extension != ".cpp" && extension != ".h" && extension != ".hpp"))
                continue;
            ++filesScanned;
            const auto found = scanKeys(test::readFile(entry.path()),
                                        fs::relative(entry.path(), root).generic_string());
            keys.insert(keys.end(), found.begin(), found.end());
        }
    }
    ASSERT_GT(filesScanned, 10) << "no sources found under " << root;
    for (int index : kLanguages) {
        const Language language = languageOf(index);
        for (const SourceKey& key : keys) {
            EXPECT_TRUE(language.hasKey(key.number, key.section))
                << key.where << " asks for " << key.number << " of [" << sectionName(key.section)
                << "], missing in " << languageFileName(index);
        }
    }
}

TEST(LanguageFiles, ChineseFilesAreTranslatedEachInItsOwnScript) {
    // Characters of one script that the other never uses: a Simplified text left in the
    // Traditional file, or the other way round, shows up here.
    const std::string simplifiedOnly =
        "频设读写发码数机开关时间区组扫联选择请确认级这个对讲录钥报项亚带宽类动导载换声键锁预显";
    const std::string traditionalOnly =
        "頻設讀寫發碼數機開關時間區組掃聯選擇請確認級這個對講錄鑰報項亞帶寬類動導載換聲鍵鎖預顯";
    const std::set<int> languageNames{1502, 1504};
    for (int index : kLanguages) {
        const LanguageFileContent file = readLanguageFile(index);
        const std::string& foreign = index == 2 ? traditionalOnly : simplifiedOnly;
        for (const auto& [section, texts] : file.sections) {
            for (const auto& [key, text] : texts) {
                if (index == 1) {
                    EXPECT_TRUE(!hasCjk(text) || languageNames.count(key))
                        << "untranslated text in english.ini: " << key << "=" << text;
                    continue;
                }
                for (std::size_t c = 0; c < foreign.size() && !languageNames.count(key); c += 3)
                    EXPECT_EQ(text.find(foreign.substr(c, 3)), std::string::npos)
                        << file.fileName << " mixes scripts: " << key << "=" << text;
            }
        }
    }

    const Language english = languageOf(1), simplified = languageOf(2), traditional = languageOf(3);
    const std::vector<TextKey> telling{
        {12000, Section::Other}, {12002, Section::Other},  {12005, Section::Other},
        {2004, Section::Other},  {2005, Section::Other},   {99105, Section::Other},
        {20000, Section::Other}, {60053, Section::Option}, {9001, Section::Msg}};
    for (const TextKey& key : telling) {
        EXPECT_NE(simplified.text(key), traditional.text(key)) << key.number;
        EXPECT_NE(simplified.text(key), english.text(key)) << key.number;
        EXPECT_NE(traditional.text(key), english.text(key)) << key.number;
    }
}

} // namespace
} // namespace r605
