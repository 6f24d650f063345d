#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// File operations as the program needs them: failures come back as false or none with a
// message in `error`, never as exceptions, because every path here comes from outside.
namespace base::files {

using Path = std::filesystem::path;

bool exists(const Path& path);
bool isDirectory(const Path& path);
bool createDirectories(const Path& path, std::string* error = nullptr);

// Every name in a folder, hidden ones included, sorted; none when it cannot be read.
std::optional<std::vector<std::string>> list(const Path& folder, std::string* error = nullptr);

// Seconds since 2001-01-01 00:00:00 UTC.
std::optional<double> modificationTime(const Path& path);

// Renames, or copies and removes when the two lie on different file systems.
bool move(const Path& from, const Path& to, std::string* error = nullptr);
bool copy(const Path& from, const Path& to, std::string* error = nullptr);
bool remove(const Path& path, std::string* error = nullptr);

std::optional<std::string> readBytes(const Path& path, std::string* error = nullptr);

// Text as UTF-8, whatever it was stored as: a byte-order mark decides (UTF-8, UTF-16 either
// way round), else valid UTF-8 is taken as it is, else the bytes are read as Latin-1.
std::optional<std::string> readText(const Path& path, std::string* error = nullptr);
std::string decodeText(const std::string& bytes);

// Replaces the file's contents all at once: the bytes go to a hidden temporary file in the
// same folder, are flushed to disk and renamed over the old file. On failure the old file
// is untouched.
bool writeAtomically(const Path& path, const std::string& bytes, std::string* error = nullptr);

// The same for a folder package: `fill` writes the package's contents into a hidden
// temporary folder beside it, which then replaces the old package. When `fill` fails or
// anything else does, the old package stays as it was.
bool writePackageAtomically(const Path& path, const std::function<bool(const Path& folder)>& fill,
    std::string* error = nullptr);

// A hidden, unused name beside `path` for temporary work ("." + name + suffix).
Path hiddenTemporarySibling(const Path& path, const std::string& suffix);

}
