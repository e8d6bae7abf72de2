#pragma once

#include <string>
#include <string_view>

namespace r605 {

// The trimming rule of every fixed-length or file-read text: remove trailing blanks, then cut the
// text before its first NUL character. (The order matters: "AB \0" keeps its blank.)
std::string TrimAtNull(std::string_view text);

} // namespace r605
