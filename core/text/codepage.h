#pragma once
// Code page 936 (GBK), the 8-bit form of every text that reaches the radio or a codeplug file.
// Inside the program texts are UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace r605 {

// UTF-8 to GBK bytes. A character GBK cannot hold (or a broken UTF-8 sequence) becomes "?".
std::string toCp936(std::string_view utf8);

// GBK bytes to UTF-8. A byte sequence that is not valid GBK becomes "?".
std::string fromCp936(std::string_view bytes);

// The number of GBK bytes a UTF-8 text takes.
std::size_t cp936Length(std::string_view utf8);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// The first `count` characters of a UTF-8 text (never splits a character).
std::string_view utf8Prefix(std::string_view utf8, std::size_t count);
std::size_t utf8Length(std::string_view utf8);

// The longest prefix of a UTF-8 text whose GBK form fits in `maxBytes` (never splits a character).
std::string_view cp936FitPrefix(std::string_view utf8, std::size_t maxBytes);

} // namespace r605
