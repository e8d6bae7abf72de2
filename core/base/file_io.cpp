#include "base/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#ifdef __unix__
#include <fcntl.h>
#include <unistd.h>
#endif

namespace r605 {

namespace fs = std::filesystem;

namespace {

std::string describe(const fs::path& path, const std::string& what) {
    return what + ": " + path.string();
}

bool syncFile(std::FILE* file) {
#ifdef __unix__
    return ::fsync(::fileno(file)) == 0;
#else
    (void)file;
    return true;
#endif
}

void syncDirectory(const fs::path& directory) {
#ifdef __unix__
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    (void)directory;
#endif
}

std::string temporarySuffix() {
    std::random_device device;
    return ".tmp" + std::to_string(device() % 1000000u);
}

} // namespace

Result<std::string> readFileBytes(const fs::path& path, std::size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Error::literal(describe(path, "Cannot open file"));
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0)
        return Error::literal(describe(path, "Cannot read file"));
    if (static_cast<std::uintmax_t>(size) > maxBytes)
        return Error::literal(describe(path, "File is too large"));
    in.seekg(0, std::ios::beg);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !in.read(bytes.data(), size))
        return Error::literal(describe(path, "Cannot read file"));
    return bytes;
}

Result<std::string> readFilePrefix(const fs::path& path, std::size_t count) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return Error::literal(describe(path, "Cannot open file"));
    std::string bytes(count, '\0');
    const std::size_t read = count == 0 ? 0 : std::fread(bytes.data(), 1, count, file);
    // A short read is the end of the file unless the stream reports an error (a folder, an I/O
    // failure).
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return Error::literal(describe(path, "Cannot read file"));
    bytes.resize(read);
    return bytes;
}

Status writeFileAtomically(const fs::path& path, std::string_view bytes) {
    const fs::path temporary = path.string() + temporarySuffix();
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return Error::literal(describe(path, std::string("Cannot write file (") +
                                                 std::strerror(errno) + ")"));
    bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = (std::fflush(file) == 0) && written;
    written = syncFile(file) && written;
    written = (std::fclose(file) == 0) && written;
    if (!written) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Error::literal(describe(path, "Cannot write file (disk full?)"));
    }
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Error::literal(describe(path, "Cannot replace file (" + ec.message() + ")"));
    }
    syncDirectory(path.parent_path());
    return Status::success();
}

Status appendToFile(const fs::path& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr)
        return Error::literal(describe(path, "Cannot append to file"));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        return Error::literal(describe(path, "Cannot append to file"));
    return Status::success();
}

} // namespace r605
