#include "platform/base/Files.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Time.h"
#include "platform/base/Utf8.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <string_view>
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

StepHook& stepHook()
{
    static StepHook hook;
    return hook;
}

void step(std::string_view name)
{
    if (stepHook())
        stepHook()(name);
}

Path folderOf(const Path& path) { return path.parent_path().empty() ? Path(".") : path.parent_path(); }

bool syncPath(const Path& path, bool directory, std::string* error)
{
    int fd = ::open(path.c_str(), (directory ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        return failWithErrno(error, "cannot flush", path);
    bool ok = ::fsync(fd) == 0;
    // Some file systems have nothing to flush for a folder and say so; that is no failure.
    if (!ok && directory && (errno == EINVAL || errno == EROFS || errno == ENOTSUP))
        ok = true;
    if (!ok)
        failWithErrno(error, "cannot flush", path);
    ::close(fd);
    return ok;
}

bool syncFolder(const Path& folder, std::string* error) { return syncPath(folder, true, error); }

// Flushes every file of a freshly written package before it is renamed into place.
bool syncTree(const Path& folder, std::string* error)
{
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->is_symlink(ec))
            continue;
        if (!syncPath(it->path(), it->is_directory(ec), error))
            return false;
    }
    if (ec)
        return fail(error, "cannot flush " + folder.string() + ": " + ec.message());
    return syncFolder(folder, error);
}

// rename(2) that fails with EEXIST instead of replacing anything at `to`.
int renameWithoutReplacing(const Path& from, const Path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return -1;
    // The file system cannot refuse for us (some network and FUSE ones do not know the flag).
    // A hard link refuses atomically; where there is none (folders, file systems without
    // links) the target is looked at first, which leaves only an empty folder appearing in
    // between at risk of being replaced.
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) {
        errno = EEXIST;
        return -1;
    }
    if (::lstat(from.c_str(), &info) != 0)
        return -1;
    if (!S_ISDIR(info.st_mode)) {
        if (::link(from.c_str(), to.c_str()) == 0) {
            if (::unlink(from.c_str()) == 0)
                return 0;
            int saved = errno;
            ::unlink(to.c_str());
            errno = saved;
            return -1;
        }
        if (errno == EEXIST || errno == ENOENT || errno == EXDEV || errno == EACCES || errno == ENOSPC)
            return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

// The modes of a package being replaced, and of the files in it, go to their replacements.
void keepModesOf(const Path& old, const Path& replacement)
{
    struct stat info {};
    if (::stat(old.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(replacement, ec)) {
        struct stat inside {};
        if (::lstat((old / entry.path().filename()).c_str(), &inside) == 0 && S_ISREG(inside.st_mode)
            && entry.is_regular_file(ec))
            ::chmod(entry.path().c_str(), inside.st_mode & 07777);
    }
    ::chmod(replacement.c_str(), info.st_mode & 07777);
}

std::string kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "a special file";
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

bool createDirectories(const Path& given, std::string* error)
{
    Path path = !given.has_filename() && given.has_parent_path() ? given.parent_path() : given;
    if (path.empty() || isDirectory(path))
        return true;
    Path parent = path.parent_path();
    if (!parent.empty() && parent != path && !createDirectories(parent, error))
        return false;
    if (::mkdir(path.c_str(), kPrivateFolderMode) != 0) {
        if (errno == EEXIST && isDirectory(path))
            return true;
        return failWithErrno(error, "cannot create folder", path);
    }
    return syncFolder(folderOf(path), error);
}

std::optional<Identity> identity(const Path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return Identity { std::uint64_t(info.st_dev), std::uint64_t(info.st_ino) };
}

bool createDirectory(const Path& path, std::string* error)
{
    if (::mkdir(path.c_str(), kPrivateFolderMode) != 0)
        return failWithErrno(error, "cannot create folder", path);
    return syncFolder(folderOf(path), error);
}

std::optional<std::vector<std::string>> list(const Path& folder, std::string* error)
{
    // Straight from the directory stream: a folder of ten years of day files is listed
    // several times as the program starts, and building a full path for each entry only to
    // take its last part again cost more than reading the folder.
    std::unique_ptr<DIR, int (*)(DIR*)> stream(::opendir(folder.c_str()), &::closedir);
    if (!stream) {
        failWithErrno(error, "cannot list", folder);
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(stream.get());
        if (!entry)
            break;
        std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    if (errno != 0) {
        failWithErrno(error, "cannot list", folder);
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

bool isMarkedReadOnly(const Path& path)
{
    auto unwritable = [](const fs::file_status& status) {
        constexpr auto anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        return status.type() != fs::file_type::not_found && (status.permissions() & anyWrite) == fs::perms::none;
    };
    std::error_code ec;
    auto status = fs::symlink_status(path, ec);
    if (ec)
        return false;
    if (unwritable(status))
        return true;
    if (status.type() != fs::file_type::directory)
        return false;
    for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
        if (unwritable(it->symlink_status(ec)))
            return true;
    return false;
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
    // The move is done once the rename is: a folder that will not flush is only noted, as
    // reporting the move failed would have the caller look for the file where it no longer is.
    auto flushBoth = [&] {
        std::string syncError;
        if (!syncFolder(folderOf(to), &syncError) || !syncFolder(folderOf(from), &syncError))
            diagnostic("moved " + from.string() + " to " + to.string() + ", but " + syncError);
    };
    if (renameWithoutReplacing(from, to) == 0) {
        flushBoth();
        return true;
    }
    if (errno != EXDEV)
        return failWithErrno(error, "cannot move", from);
    if (files::exists(to)) {
        errno = EEXIST;
        return failWithErrno(error, "cannot move", from);
    }
    // Across file systems: copy beside the target first, so the target appears whole, and
    // only where nothing has appeared meanwhile.
    Path staging = hiddenTemporarySibling(to, ".moving");
    if (!copy(from, staging, error) || !syncTree(staging, error)) {
        files::remove(staging);
        return false;
    }
    if (renameWithoutReplacing(staging, to) != 0) {
        int saved = errno;
        files::remove(staging);
        errno = saved;
        return failWithErrno(error, "cannot move", from);
    }
    flushBoth();
    std::string removeError;
    if (!files::remove(from, &removeError))
        return fail(error, "copied " + from.string() + " to " + to.string() + " but " + removeError);
    return true;
}

std::optional<std::string> readBytes(const Path& path, std::size_t limit, std::string* error, Links links)
{
    // Without blocking: opening a FIFO would otherwise wait for a writer that never comes.
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (links == Links::Refuse ? O_NOFOLLOW : 0);
    int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        if (errno == ELOOP && links == Links::Refuse)
            fail(error, "cannot read " + path.string() + ": a link, which is not followed here");
        else
            failWithErrno(error, "cannot read", path);
        return std::nullopt;
    }
    auto refuse = [&](const std::string& why) -> std::optional<std::string> {
        fail(error, "cannot read " + path.string() + ": " + why);
        ::close(fd);
        return std::nullopt;
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return refuse(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return refuse(kindOf(info.st_mode) + ", not a file");
    auto tooLarge = [&] { return refuse("larger than the " + std::to_string(limit) + " bytes such a file may hold"); };
    // The limit is on what is read, not on the size the file reports: files of /sys and
    // /proc report a page (or nothing) whatever they hold, and a file may grow meanwhile.
    std::string bytes;
    bytes.reserve(std::min<std::uint64_t>(std::uint64_t(std::max<off_t>(info.st_size, 0)), limit));
    char buffer[65536];
    for (;;) {
        // One byte past the limit is enough to know the file is too large.
        size_t room = limit - bytes.size();
        size_t wanted = room >= sizeof buffer ? sizeof buffer : room + 1;
        ssize_t count = ::read(fd, buffer, wanted);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return refuse(std::strerror(errno));
        if (count == 0)
            break;
        if (bytes.size() + size_t(count) > limit)
            return tooLarge();
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

std::optional<std::string> readText(const Path& path, std::size_t limit, std::string* error)
{
    auto bytes = readBytes(path, limit, error);
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

bool writeAtomically(const Path& path, const std::string& bytes, std::string* error, const Guard& stillAsSeen)
{
    Path temporary = hiddenTemporarySibling(path, ".tmp");
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFileMode);
    if (fd < 0)
        return failWithErrno(error, "cannot write", path);
    // A file the user kept private stays private once it is rewritten.
    if (struct stat old {}; ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
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
    step("written aside");
    if (stillAsSeen) {
        // Swapped in, then what was in place is looked at: a change made since the caller
        // saw the file is put back rather than written over. Where nothing is in place,
        // nothing made meanwhile is replaced.
        int swapped = ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE);
        bool missing = swapped != 0 && errno == ENOENT;
        if (swapped == 0 || missing) {
            bool unchanged = stillAsSeen(missing ? std::optional<Path>() : std::optional<Path>(temporary));
            if (swapped == 0 && !unchanged)
                ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE);
            if (missing && unchanged && renameWithoutReplacing(temporary, path) != 0)
                unchanged = false;
            ::unlink(temporary.c_str());
            if (!unchanged)
                return fail(error, path.string() + " was changed by another program meanwhile");
            step("in place");
            return syncFolder(folderOf(path), error);
        }
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
            failWithErrno(error, "cannot write", path);
            ::unlink(temporary.c_str());
            return false;
        }
        // The file system cannot swap: looked at once more, as close to the rename as can be.
        if (!stillAsSeen(files::exists(path) ? std::optional<Path>(path) : std::nullopt)) {
            ::unlink(temporary.c_str());
            return fail(error, path.string() + " was changed by another program meanwhile");
        }
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        failWithErrno(error, "cannot write", path);
        ::unlink(temporary.c_str());
        return false;
    }
    step("in place");
    return syncFolder(folderOf(path), error);
}

bool writePackageAtomically(const Path& path, const std::function<bool(const Path& folder)>& fill, std::string* error)
{
    Path staging = hiddenTemporarySibling(path, ".tmp");
    // Only the package itself is made: a missing parent folder is the caller's to create.
    if (::mkdir(staging.c_str(), kPrivateFolderMode) != 0)
        return failWithErrno(error, "cannot write", path);
    if (!fill(staging)) {
        files::remove(staging);
        return fail(error, error && !error->empty() ? *error : "cannot write " + path.string());
    }
    keepModesOf(path, staging);
    if (!syncTree(staging, error)) {
        files::remove(staging);
        return false;
    }
    Path parent = folderOf(path);
    // Swap the new package in with one rename; where the file system cannot swap, the old
    // one steps aside first and comes back if the new one cannot be put in place. Killed in
    // between, the old one waits aside for recoverInterruptedReplacements().
    Path old;
    if (files::exists(path)) {
        if (::renameat2(AT_FDCWD, staging.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) {
            bool synced = syncFolder(parent, error);
            files::remove(staging);
            return synced;
        }
        old = hiddenTemporarySibling(path, ".old");
        if (::rename(path.c_str(), old.c_str()) != 0) {
            files::remove(staging);
            return failWithErrno(error, "cannot replace", path);
        }
        step("set aside");
    }
    if (::rename(staging.c_str(), path.c_str()) != 0) {
        int saved = errno;
        if (!old.empty())
            ::rename(old.c_str(), path.c_str());
        files::remove(staging);
        errno = saved;
        return failWithErrno(error, "cannot replace", path);
    }
    // The old package goes only once the new one is known to be on the disk.
    if (!syncFolder(parent, error))
        return false;
    if (!old.empty())
        files::remove(old);
    return true;
}

std::optional<std::string> leftoverOwner(const std::string& name)
{
    constexpr size_t tagLength = 6;
    if (name.size() < 2 + tagLength || name[0] != '.' || name[name.size() - tagLength - 1] != '.')
        return std::nullopt;
    for (size_t i = name.size() - tagLength; i < name.size(); ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(name[i])))
            return std::nullopt;
    }
    std::string_view rest(name.data() + 1, name.size() - tagLength - 2);
    for (std::string_view suffix : { ".tmp", ".old", ".moving" }) {
        if (rest.size() > suffix.size() && rest.ends_with(suffix))
            return std::string(rest.substr(0, rest.size() - suffix.size()));
    }
    return std::nullopt;
}

bool recoverInterruptedReplacements(const Path& folder, const std::function<bool(const std::string& name)>& owned,
    std::string* error)
{
    auto names = list(folder);
    if (!names)
        return true;
    struct Leftovers {
        std::vector<Path> setAside;
        std::vector<Path> others;
    };
    std::map<std::string, Leftovers> byOwner;
    for (const auto& name : *names) {
        auto owner = leftoverOwner(name);
        if (!owner || !owned(*owner))
            continue;
        auto& leftovers = byOwner[*owner];
        (name.find(".old.", owner->size() + 1) == owner->size() + 1 ? leftovers.setAside : leftovers.others)
            .push_back(folder / name);
    }
    bool ok = true;
    auto failed = [&](const std::string& message) {
        diagnostic(message);
        if (ok)
            fail(error, message);
        ok = false;
    };
    for (auto& [owner, leftovers] : byOwner) {
        Path path = folder / owner;
        if (!leftovers.setAside.empty() && !files::exists(path)) {
            // Normally there is one; several mean several cut short, and the newest holds the most.
            auto newest = std::max_element(leftovers.setAside.begin(), leftovers.setAside.end(),
                [](const Path& a, const Path& b) { return modificationTime(a).value_or(0) < modificationTime(b).value_or(0); });
            if (renameWithoutReplacing(*newest, path) != 0) {
                failed("cannot restore " + path.string() + " from " + newest->string() + ": " + std::strerror(errno));
                // What could not be restored is not thrown away.
                leftovers.setAside.clear();
            } else {
                diagnostic("restored " + path.string() + ", whose replacement had been cut short");
                leftovers.setAside.erase(newest);
            }
        }
        for (const auto& group : { leftovers.setAside, leftovers.others }) {
            for (const auto& leftover : group) {
                std::string removeError;
                if (!files::remove(leftover, &removeError))
                    failed(removeError);
            }
        }
    }
    if (!byOwner.empty()) {
        std::string syncError;
        if (!syncFolder(folder, &syncError))
            failed(syncError);
    }
    return ok;
}

bool recoverInterruptedReplacement(const Path& path, std::string* error)
{
    std::string name = path.filename().string();
    return recoverInterruptedReplacements(folderOf(path), [&name](const std::string& owner) { return owner == name; }, error);
}

StepHook setStepHook(StepHook hook)
{
    StepHook previous = std::move(stepHook());
    stepHook() = std::move(hook);
    return previous;
}

}
