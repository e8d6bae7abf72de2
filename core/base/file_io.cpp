#include "base/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#elif defined(__unix__)
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace r605 {

namespace fs = std::filesystem;

namespace {

std::string describe(const fs::path& path, const std::string& what) {
    return what + ": " + pathText(path);
}

void syncDirectory(const fs::path& directory) {
#ifdef __unix__
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    // Windows makes a rename durable with the file.
    (void)directory;
#endif
}

#ifdef _WIN32
std::FILE* openWide(const fs::path& path, const char* mode) {
    const std::string_view modeText(mode);
    if (modeText.find('x') != std::string_view::npos) {
        // The C runtime of MinGW knows no "x": create the file exclusively by hand.
        const int fd = ::_wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                                _S_IREAD | _S_IWRITE);
        if (fd < 0)
            return nullptr;
        std::FILE* file = ::_fdopen(fd, "wb");
        if (file == nullptr)
            ::_close(fd);
        return file;
    }
    const std::wstring wideMode(modeText.begin(), modeText.end());
    return ::_wfopen(path.c_str(), wideMode.c_str());
}
#endif

#ifdef _WIN32
// The temporary file of one save, open while the object lives and shared with no one but a
// rename: two programs saving the same file at once take turns, as the POSIX version does with a
// lock, and the save renames the file while it still holds it. A save that was interrupted left
// its temporary closed; this save takes it over and empties it.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& path) {
        // Another save of the same file takes milliseconds; one that holds the file much longer
        // hangs, and this save gives up rather than hang too.
        for (int attempt = 0; attempt < 500; ++attempt) {
            m_handle = ::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE,
                                     nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (m_handle != INVALID_HANDLE_VALUE)
                return;
            const DWORD error = ::GetLastError();
            if (error != ERROR_SHARING_VIOLATION) {
                m_error = errnoOf(error);
                return;
            }
            ::Sleep(10);
        }
        m_error = EBUSY;
    }
    ~TemporaryFile() {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_handle);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // 0 when the file is open, otherwise why it is not.
    int error() const { return m_error; }

    // Writes all of `bytes` and flushes them to the disk.
    bool write(std::string_view bytes) {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(m_handle, bytes.data(), chunk, &written, nullptr) || written == 0)
                return false;
            bytes.remove_prefix(written);
        }
        return ::FlushFileBuffers(m_handle) != 0;
    }

private:
    static int errnoOf(DWORD error) {
        switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
            return EACCES;
        case ERROR_DISK_FULL:
            return ENOSPC;
        default:
            return EIO;
        }
    }

    HANDLE m_handle = INVALID_HANDLE_VALUE;
    int m_error = 0;
};
#elif defined(__unix__)
// The temporary file of one save, open and locked while the object lives: two programs saving the
// same file at once take turns instead of writing into the one temporary name. A save that was
// interrupted left its temporary unlocked; this save takes it over and empties it.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& path) {
        using namespace std::chrono_literals;
        // Another save of the same file takes milliseconds; one that holds the lock much longer
        // hangs, and this save gives up rather than hang too.
        for (int attempt = 0; attempt < 500; ++attempt) {
            m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (m_fd < 0) {
                m_error = errno;
                return;
            }
            // A file system without locks leaves the save as safe as a single program is.
            const bool busy = ::flock(m_fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
            if (!busy && stillNamed(path)) {
                if (::ftruncate(m_fd, 0) != 0)
                    m_error = errno;
                return;
            }
            // Busy, or the save that held the lock renamed or removed the file meanwhile.
            ::close(m_fd);
            m_fd = -1;
            if (busy)
                std::this_thread::sleep_for(10ms);
        }
        m_error = EBUSY;
    }
    ~TemporaryFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // 0 when the file is open, otherwise why it is not.
    int error() const { return m_error; }

    // Writes all of `bytes` and flushes them to the disk.
    bool write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return ::fsync(m_fd) == 0;
    }

private:
    bool stillNamed(const fs::path& path) const {
        struct stat opened {};
        struct stat named {};
        return ::fstat(m_fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
               opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
    }

    int m_fd = -1;
    int m_error = 0;
};
#else
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& path) : m_file(std::fopen(path.c_str(), "wb")) {
        m_error = m_file == nullptr ? errno : 0;
    }
    ~TemporaryFile() {
        if (m_file != nullptr)
            std::fclose(m_file);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int error() const { return m_error; }

    // Writes and closes: the file must be closed before it can be renamed here.
    bool write(std::string_view bytes) {
        bool written =
            bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
        written = std::fflush(m_file) == 0 && written;
        written = std::fclose(m_file) == 0 && written;
        m_file = nullptr;
        return written;
    }

private:
    std::FILE* m_file = nullptr;
    int m_error = 0;
};
#endif

} // namespace

std::FILE* openFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    return openWide(path, mode);
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::string pathText(const fs::path& path) {
    try {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    } catch (const std::exception&) {
        // A Windows name with a broken UTF-16 pair has no UTF-8 form.
        return "?";
    }
}

fs::path pathFromText(std::string_view utf8) {
    try {
        return fs::path(std::u8string(utf8.begin(), utf8.end()));
    } catch (const std::exception&) {
        // Broken UTF-8 names no file on Windows: an empty path, which opens nothing.
        return {};
    }
}

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
    std::FILE* file = openFile(path, "rb");
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

fs::path saveTemporaryPath(const fs::path& path) {
    // Joined as paths: a narrow string is not UTF-8 on Windows.
    fs::path name(".");
    name += path.filename();
    name += ".saving";
    return path.parent_path() / name;
}

Status writeFileAtomically(const fs::path& path, std::string_view bytes) {
    const fs::path temporary = saveTemporaryPath(path);
    TemporaryFile file(temporary);
    if (file.error() != 0)
        return Error::literal(
            describe(path, std::string("Cannot write file (") + std::strerror(file.error()) + ")"));
    std::error_code ignored;
    if (!file.write(bytes)) {
        fs::remove(temporary, ignored);
        return Error::literal(describe(path, "Cannot write file (disk full?)"));
    }
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) {
        fs::remove(temporary, ignored);
        return Error::literal(describe(path, "Cannot replace file (" + ec.message() + ")"));
    }
    syncDirectory(path.parent_path());
    return Status::success();
}

Status appendToFile(const fs::path& path, std::string_view bytes) {
    std::FILE* file = openFile(path, "ab");
    if (file == nullptr)
        return Error::literal(describe(path, "Cannot append to file"));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        return Error::literal(describe(path, "Cannot append to file"));
    return Status::success();
}

} // namespace r605
