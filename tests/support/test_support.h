#pragma once
// Helpers shared by the tests: temporary folders for everything that touches files, and tables of
// cases checked in one comparison.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
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

using Bytes = std::vector<std::uint8_t>;
Bytes bytesOf(std::string_view text);
std::string hex(const std::vector<std::uint8_t>& bytes); // "43 85 00 00"

// `f` applied to each input, as R (by default what `f` gives): one comparison of two vectors
// checks a table of cases and shows every case when one fails.
template <class R = void, class F, class T> auto mapped(F f, std::initializer_list<T> inputs) {
    using Out =
        std::conditional_t<std::is_void_v<R>, std::decay_t<std::invoke_result_t<F&, const T&>>, R>;
    std::vector<Out> out;
    for (const T& input : inputs)
        out.push_back(Out(f(input)));
    return out;
}

// Writes `values` to the front of a member list or a byte array.
template <class Array> void setFront(Array& array, std::initializer_list<int> values) {
    std::size_t i = 0;
    for (const int value : values)
        array[i++] = static_cast<std::remove_cvref_t<decltype(array[0])>>(value);
}

// The first `count` values of a member list, as T.
template <class T = int, class Array> std::vector<T> first(const Array& values, std::size_t count) {
    return std::vector<T>(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count));
}

} // namespace r605::test
