#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// File operations as the program needs them: failures come back as false or none with a
// message in `error`, never as exceptions, because every path here comes from outside.
namespace base::files {

using Path = std::filesystem::path;

// What the program makes is the user's alone (pads, logs and settings are private writing);
// a file or folder that is already there keeps the mode the user gave it.
constexpr unsigned kPrivateFolderMode = 0700;
constexpr unsigned kPrivateFileMode = 0600;

bool exists(const Path& path);
bool isDirectory(const Path& path);
// Whether the user made the file read-only: it carries no write permission for anyone (for a
// package, the package or a file in it). Such a file is never written over, whatever the
// process could do, a process of the administrator's included.
bool isMarkedReadOnly(const Path& path);
// Every folder made is flushed into its parent, so that a crash cannot lose a folder whose
// files were already flushed.
bool createDirectories(const Path& path, std::string* error = nullptr);
// One folder, its parent left as it is: a missing parent or anything already at the path
// (a folder included) is a failure, with the system's reason.
bool createDirectory(const Path& path, std::string* error = nullptr);

// What is at a path as the file system knows it: another folder put in its place, a disk
// mounted over it or taken away from under it is another identity.
struct Identity {
    std::uint64_t device { 0 };
    std::uint64_t inode { 0 };
    bool operator==(const Identity&) const = default;
};
// None when nothing is there (links followed).
std::optional<Identity> identity(const Path& path);

// Every name in a folder, hidden ones included, sorted; none when it cannot be read.
std::optional<std::vector<std::string>> list(const Path& folder, std::string* error = nullptr);

// Seconds since 2001-01-01 00:00:00 UTC.
std::optional<double> modificationTime(const Path& path);

// Renames, or copies and removes when the two lie on different file systems. Never
// replaces: anything already at `to` makes the move fail, and the source stays. A copy
// across file systems whose source cannot be removed afterwards is a failure too, with
// both left in place.
bool move(const Path& from, const Path& to, std::string* error = nullptr);
bool copy(const Path& from, const Path& to, std::string* error = nullptr);
bool remove(const Path& path, std::string* error = nullptr);

// What reading follows at the path itself: a link planted in a folder that others write
// into (a shared log folder, a package) need not be.
enum class Links { Follow, Refuse };

// The whole content of a regular file of at most `limit` bytes. Anything else (a folder, a
// FIFO, a device, a link to one, a file past the limit) is refused without waiting or
// reading on, with the reason in `error`: a path from outside can name any of them. The
// limit counts the bytes read, never the size the file reports, which for the kernel's own
// files (/sys, /proc) is a page or nothing whatever they hold.
std::optional<std::string> readBytes(const Path& path, std::size_t limit, std::string* error = nullptr,
    Links links = Links::Follow);

// Text as UTF-8, whatever it was stored as: a byte-order mark decides (UTF-8, UTF-16 either
// way round), else valid UTF-8 is taken as it is, else the bytes are read as Latin-1.
std::optional<std::string> readText(const Path& path, std::size_t limit, std::string* error = nullptr);
std::string decodeText(const std::string& bytes);

// Replaces the file's contents all at once: the bytes go to a hidden temporary file in the
// same folder, are flushed to disk and renamed over the old file, and the folder is flushed
// too. On failure the old file is untouched; a folder that cannot be flushed is a failure
// even though the new contents are in place, because they may not survive a crash.
// With a guard, only over the version the caller last saw: the guard is shown the file found
// in place at the swap (none where there was none) and answers whether it is that version;
// when it is not, it stays in place, nothing is written and the answer is false.
using Guard = std::function<bool(const std::optional<Path>& found)>;
bool writeAtomically(const Path& path, const std::string& bytes, std::string* error = nullptr, const Guard& stillAsSeen = {});

// The same for a folder package: `fill` writes the package's contents into a hidden
// temporary folder beside it, which then replaces the old package. When `fill` fails or
// anything else does, the old package stays as it was.
bool writePackageAtomically(const Path& path, const std::function<bool(const Path& folder)>& fill,
    std::string* error = nullptr);

// A hidden, unused name beside `path` for temporary work ("." + name + suffix + a tag).
Path hiddenTemporarySibling(const Path& path, const std::string& suffix);

// A replacement cut short (the program killed or the machine down between its steps)
// leaves hidden siblings behind: ".NAME.tmp.TAG" (the new version, maybe unfinished),
// ".NAME.old.TAG" (the old version set aside where the file system cannot swap) and
// ".NAME.moving.TAG" (a copy on its way from another file system). The NAME such a
// leftover belongs to, or none for any other name.
std::optional<std::string> leftoverOwner(const std::string& name);

// Puts right what replacements cut short in `folder`, for the names `owned` accepts: a
// missing NAME whose old version was set aside gets it back (the newest, when there are
// several), then every leftover of those names is removed. False, with the reason, when
// something could not be restored or removed.
bool recoverInterruptedReplacements(const Path& folder, const std::function<bool(const std::string& name)>& owned,
    std::string* error = nullptr);
// The same for the one file or package at `path`.
bool recoverInterruptedReplacement(const Path& path, std::string* error = nullptr);

// For crash tests: called at each named step of a replacement, where a test may end the
// process as a crash would ("set aside": the old package renamed aside, the new one not yet
// in its place; "written aside": a file's new contents complete in their temporary, not yet
// renamed over the file; "in place": the file replaced, its folder not yet synced). Returns
// the hook it replaces.
using StepHook = std::function<void(std::string_view step)>;
StepHook setStepHook(StepHook hook);

}
