// Every interface text the window asks for is in every language file.
#include "test_support.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace r605::test {
namespace {

namespace fs = std::filesystem;

// The keys of text(N), text(N, Section::S) and TextKey{N[, Section::S]} in the sources of app/.
std::set<std::pair<int, Section>> keysUsed(const fs::path& folder) {
    const std::regex use(R"((?:text\(|TextKey\{)\s*(\d{4,5})\s*(?:,\s*Section::(\w+))?)");
    std::set<std::pair<int, Section>> keys;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".cpp" && extension != ".h")
            continue;
        const std::string source = readFile(entry.path());
        for (std::sregex_iterator it(source.begin(), source.end(), use), end; it != end; ++it) {
            const std::string section = (*it)[2].str();
            keys.insert({std::stoi((*it)[1].str()), section == "Msg"      ? Section::Msg
                                                    : section == "Option" ? Section::Option
                                                                          : Section::Other});
        }
    }
    return keys;
}

TEST(ShellTexts, EveryKeyTheWindowUsesIsInEveryLanguageFile) {
    const auto keys = keysUsed(fs::path(R605_SOURCE_DIR) / "app");
    ASSERT_GT(keys.size(), 100U);
    for (int language = 1; language <= 3; ++language) {
        const Language texts = Language::load(sourceDataFolder(), language);
        for (const auto& [key, section] : keys) {
            EXPECT_TRUE(texts.hasKey(key, section)) << key << " in " << languageFileName(language);
        }
    }
}

} // namespace
} // namespace r605::test
