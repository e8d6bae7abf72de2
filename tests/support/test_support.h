#pragma once
// Helpers shared by the tests: every test that touches files works in a fresh temporary folder.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace r605::test {

// A fresh, empty temporary folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// The repository's data/ folder, and a temporary program folder holding a copy of it.
std::filesystem::path sourceDataFolder();
void copyProgramData(const std::filesystem::path& destination);

// Writes the file, creating the folders above it.
void writeFile(const std::filesystem::path& path, std::string_view bytes);
std::string readFile(const std::filesystem::path& path);

std::vector<std::uint8_t> bytesOf(std::string_view text);
std::string hex(const std::vector<std::uint8_t>& bytes); // "43 85 00 00"

} // namespace r605::test
