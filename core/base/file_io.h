#pragma once
// The few primitives through which core touches the file system. Every save goes through
// writeFileAtomically: a crash, a full disk or a killed process leaves the old file intact.

#include "base/result.h"

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace r605 {

// Opens a file like std::fopen ("rb", "wb", "ab"; "wbx" creates it and fails when it exists) by
// the path as the system spells it, so that names in any script open on Windows too.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

// A path as UTF-8 text, for messages and for the paths that files hold; and back. On Windows a
// narrow string is not UTF-8 to the standard library, so every conversion goes through these.
std::string pathText(const std::filesystem::path& path);
std::filesystem::path pathFromText(std::string_view utf8);

// Reads a whole file. Files larger than maxBytes are refused (outside data is untrusted).
Result<std::string> readFileBytes(const std::filesystem::path& path,
                                  std::size_t maxBytes = 256u * 1024 * 1024);

// Reads at most the first `count` bytes of a file; fewer when the file is shorter. For small
// fixed-layout files of which only the start counts, whatever follows it.
Result<std::string> readFilePrefix(const std::filesystem::path& path, std::size_t count);

// Writes a temporary file beside `path`, flushes it to the disk and renames it over `path`. The
// temporary is hidden and has the same name for every save of `path` (saveTemporaryPath), so a
// save that a crash or a kill interrupted leaves nothing behind that the next save does not take
// over; two saves of the same file at once take turns.
Status writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Where writeFileAtomically writes `path` before renaming it: ".NAME.saving" in the same folder.
std::filesystem::path saveTemporaryPath(const std::filesystem::path& path);

// Appends to a file, creating it when absent (for the daily trace).
Status appendToFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace r605
