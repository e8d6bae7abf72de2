#pragma once
// The platform's conversion between UTF-8 and code page 936 behind toCp936 and fromCp936: iconv
// on POSIX systems, the system's own conversion functions on Windows. Both give the same bytes
// for the same text, one "?" for each character GBK cannot hold and for each broken sequence.

#include <cstddef>
#include <string>
#include <string_view>

namespace r605::codepage {

// UTF-8 to GBK and back, for texts that are not pure ASCII.
std::string utf8ToGbk(std::string_view utf8);
std::string gbkToUtf8(std::string_view bytes);

// The length of the valid UTF-8 sequence at the start of `text`; 0 for a broken one.
std::size_t validUtf8SequenceAt(std::string_view text);

// The bytes one "?" stands for when the GBK sequence at the start of `rest` is refused: a lead
// byte with a valid trail byte is a pair GBK does not map (2), anything else a stray byte (1).
std::size_t gbkRefusedLength(std::string_view rest);

} // namespace r605::codepage
