#include "base/file_io.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

TEST(FileIo, AtomicWriteReplacesWholeFileAndLeavesNoTemporary) {
    test::TempDir dir;
    const auto file = dir / "codeplug.rdt";
    ASSERT_TRUE(writeFileAtomically(file, std::string(1000, 'a')).ok());
    ASSERT_TRUE(writeFileAtomically(file, "short").ok());
    EXPECT_EQ(test::readFile(file), "short"); // no stale tail of the longer file
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(FileIo, FailedWriteKeepsTheOldFile) {
    test::TempDir dir;
    const auto file = dir / "missing-folder" / "x.rdt";
    EXPECT_FALSE(writeFileAtomically(file, "data").ok());

    // A folder standing where the file should be cannot be replaced.
    const auto blocked = dir / "blocked";
    std::filesystem::create_directory(blocked);
    test::writeFile(blocked / "inside", "keep");
    EXPECT_FALSE(writeFileAtomically(blocked, "data").ok());
    EXPECT_EQ(test::readFile(blocked / "inside"), "keep");
}

TEST(FileIo, ReadRefusesMissingAndOversizedFiles) {
    test::TempDir dir;
    EXPECT_FALSE(readFileBytes(dir / "none").ok());
    test::writeFile(dir / "big", std::string(100, 'x'));
    EXPECT_FALSE(readFileBytes(dir / "big", 99).ok());
    auto bytes = readFileBytes(dir / "big", 100);
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(bytes->size(), 100u);
    ASSERT_TRUE(appendToFile(dir / "log", "a").ok());
    ASSERT_TRUE(appendToFile(dir / "log", "b").ok());
    EXPECT_EQ(test::readFile(dir / "log"), "ab");
}

TEST(FileIo, ReadPrefixGivesWhatIsThereAndReportsFailures) {
    test::TempDir dir;
    test::writeFile(dir / "long", "0123456789");
    EXPECT_EQ(readFilePrefix(dir / "long", 4).value(), "0123");
    EXPECT_EQ(readFilePrefix(dir / "long", 100).value(), "0123456789");
    test::writeFile(dir / "empty", "");
    EXPECT_EQ(readFilePrefix(dir / "empty", 8).value(), "");
    EXPECT_FALSE(readFilePrefix(dir / "none", 8).ok());
    // A folder opens but cannot be read: an error, not an empty file.
    std::filesystem::create_directory(dir / "folder");
    EXPECT_FALSE(readFilePrefix(dir / "folder", 8).ok());
}

} // namespace
} // namespace r605
