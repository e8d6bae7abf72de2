#include "base/file_io.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace r605 {
namespace {

std::size_t entriesIn(const std::filesystem::path& folder) {
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++entries;
    return entries;
}

TEST(FileIo, AtomicWriteReplacesWholeFileAndLeavesNoTemporary) {
    test::TempDir dir;
    const auto file = dir / "codeplug.rdt";
    ASSERT_TRUE(writeFileAtomically(file, std::string(1000, 'a')).ok());
    // What a save killed before its rename leaves: the next save takes it over.
    test::writeFile(saveTemporaryPath(file), std::string(2000, 'x'));
    ASSERT_TRUE(writeFileAtomically(file, "short").ok());
    EXPECT_EQ(test::readFile(file), "short"); // no stale tail of the longer file
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(FileIo, ConcurrentSavesOfOneFileTakeTurns) {
    test::TempDir dir;
    const auto file = dir / "codeplug.rdt";
    const auto saves = [&](char fill) {
        for (int i = 0; i < 20; ++i)
            EXPECT_TRUE(writeFileAtomically(file, std::string(64 * 1024, fill)).ok());
    };
    std::thread other(saves, 'b');
    saves('a');
    other.join();
    const std::string bytes = test::readFile(file);
    ASSERT_EQ(bytes.size(), 64u * 1024);
    EXPECT_EQ(bytes.find_first_not_of(bytes.front()), std::string::npos); // one save, whole
    EXPECT_EQ(entriesIn(dir.path()), 1u);
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

#ifndef _WIN32
    // A write that stops half way (here at a file size limit, as on a full disk).
    test::TempDir full;
    test::writeFile(full / "x.rdt", "keep");
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit limited = previous;
    limited.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool saved = writeFileAtomically(full / "x.rdt", std::string(1000, 'a')).ok();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(test::readFile(full / "x.rdt"), "keep");
    EXPECT_EQ(entriesIn(full.path()), 1u);
#endif
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
