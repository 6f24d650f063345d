#include "platform/base/Files.h"

#include "platform/base/Time.h"
#include "platform/base/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace base::files {

namespace fs = std::filesystem;

namespace {
bool fail(std::string* error, const std::string& message)
{
    if (error)
        *error = message;
    return false;
}

bool failWithErrno(std::string* error, const std::string& what, const Path& path)
{
    return fail(error, what + " " + path.string() + ": " + std::strerror(errno));
}

bool syncPath(const Path& path, bool directory)
{
    int fd = ::open(path.c_str(), (directory ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Flushes every file of a freshly written package before it is renamed into place.
void syncTree(const Path& folder)
{
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        syncPath(it->path(), it->is_directory(ec));
    syncPath(folder, true);
}

}

bool exists(const Path& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

bool isDirectory(const Path& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool createDirectories(const Path& path, std::string* error)
{
    std::error_code ec;
    fs::create_directories(path, ec);
    if (ec || !fs::is_directory(path))
        return fail(error, "cannot create folder " + path.string() + (ec ? ": " + ec.message() : ""));
    return true;
}

std::optional<std::vector<std::string>> list(const Path& folder, std::string* error)
{
    std::error_code ec;
    std::vector<std::string> names;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        names.push_back(it->path().filename().string());
    if (ec) {
        fail(error, "cannot list " + folder.string() + ": " + ec.message());
        return std::nullopt;
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<double> modificationTime(const Path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return double(info.st_mtim.tv_sec) + info.st_mtim.tv_nsec / 1e9 - Time::kUnixOffset;
}

bool copy(const Path& from, const Path& to, std::string* error)
{
    std::error_code ec;
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    if (ec)
        return fail(error, "cannot copy " + from.string() + " to " + to.string() + ": " + ec.message());
    return true;
}

bool remove(const Path& path, std::string* error)
{
    std::error_code ec;
    fs::remove_all(path, ec);
    if (ec)
        return fail(error, "cannot remove " + path.string() + ": " + ec.message());
    return true;
}

bool move(const Path& from, const Path& to, std::string* error)
{
    if (::rename(from.c_str(), to.c_str()) == 0)
        return true;
    if (errno != EXDEV)
        return failWithErrno(error, "cannot move", from);
    // Across file systems: copy beside the target first, so the target appears whole.
    Path staging = hiddenTemporarySibling(to, ".moving");
    if (!copy(from, staging, error)) {
        files::remove(staging);
        return false;
    }
    syncTree(staging);
    if (::rename(staging.c_str(), to.c_str()) != 0) {
        files::remove(staging);
        return failWithErrno(error, "cannot move", from);
    }
    return files::remove(from, error);
}

std::optional<std::string> readBytes(const Path& path, std::string* error)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        failWithErrno(error, "cannot read", path);
        return std::nullopt;
    }
    std::string bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0)
        bytes.reserve(size_t(info.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            failWithErrno(error, "cannot read", path);
            ::close(fd);
            return std::nullopt;
        }
        if (count == 0)
            break;
        bytes.append(buffer, size_t(count));
    }
    ::close(fd);
    return bytes;
}

std::string decodeText(const std::string& bytes)
{
    auto utf16 = [&bytes](bool bigEndian) {
        std::u16string units;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
            units.push_back(char16_t(bigEndian ? (a << 8) | b : (b << 8) | a));
        }
        return toUtf8(units);
    };
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return bytes.substr(3);
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return utf16(true);
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return utf16(false);
    if (isValidUtf8(bytes))
        return bytes;
    // Latin-1: every byte is the code point of the same number.
    std::u16string latin1;
    for (unsigned char byte : bytes)
        latin1.push_back(byte);
    return toUtf8(latin1);
}

std::optional<std::string> readText(const Path& path, std::string* error)
{
    auto bytes = readBytes(path, error);
    if (!bytes)
        return std::nullopt;
    return decodeText(*bytes);
}

Path hiddenTemporarySibling(const Path& path, const std::string& suffix)
{
    static std::mt19937_64 generator(std::random_device {}());
    Path folder = path.parent_path();
    for (;;) {
        char tag[17];
        std::snprintf(tag, sizeof tag, "%016llx", static_cast<unsigned long long>(generator()));
        Path candidate = folder / ("." + path.filename().string() + suffix + "." + std::string(tag, 6));
        if (!files::exists(candidate))
            return candidate;
    }
}

bool writeAtomically(const Path& path, const std::string& bytes, std::string* error)
{
    Path temporary = hiddenTemporarySibling(path, ".tmp");
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return failWithErrno(error, "cannot write", path);
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            failWithErrno(error, "cannot write", path);
            ::close(fd);
            ::unlink(temporary.c_str());
            return false;
        }
        written += size_t(count);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        failWithErrno(error, "cannot write", path);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        failWithErrno(error, "cannot write", path);
        ::unlink(temporary.c_str());
        return false;
    }
    syncPath(path.parent_path().empty() ? Path(".") : path.parent_path(), true);
    return true;
}

bool writePackageAtomically(const Path& path, const std::function<bool(const Path& folder)>& fill, std::string* error)
{
    Path staging = hiddenTemporarySibling(path, ".tmp");
    // Only the package itself is made: a missing parent folder is the caller's to create.
    if (::mkdir(staging.c_str(), 0777) != 0)
        return failWithErrno(error, "cannot write", path);
    if (!fill(staging)) {
        files::remove(staging);
        return fail(error, error && !error->empty() ? *error : "cannot write " + path.string());
    }
    syncTree(staging);
    Path parent = path.parent_path().empty() ? Path(".") : path.parent_path();
    // Swap the new package in with one rename; where the file system cannot swap, the old
    // one steps aside first and comes back if the new one cannot be put in place.
    Path old;
    if (files::exists(path)) {
        if (::renameat2(AT_FDCWD, staging.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) {
            syncPath(parent, true);
            files::remove(staging);
            return true;
        }
        old = hiddenTemporarySibling(path, ".old");
        if (::rename(path.c_str(), old.c_str()) != 0) {
            files::remove(staging);
            return failWithErrno(error, "cannot replace", path);
        }
    }
    if (::rename(staging.c_str(), path.c_str()) != 0) {
        int saved = errno;
        if (!old.empty())
            ::rename(old.c_str(), path.c_str());
        files::remove(staging);
        errno = saved;
        return failWithErrno(error, "cannot replace", path);
    }
    syncPath(parent, true);
    if (!old.empty())
        files::remove(old);
    return true;
}

}
