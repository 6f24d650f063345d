#include "platform/text/Rtfd.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"
#include "platform/text/Rtf.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace text {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view dataMagic = "OSTRELRTFD\x01";

// TXT.rtf names each attachment's file as text, which the reader takes up to the first
// control character and without the spaces around it; a name must survive that to be found.
std::string writableName(std::string name)
{
    std::replace_if(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
    auto first = name.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

std::string uniqueName(std::string name, std::set<std::string>& taken)
{
    name = writableName(std::move(name));
    if (!Rtfd::isSafeFileName(name) || name == Rtfd::textFileName)
        name = "Attachment";
    if (taken.insert(name).second)
        return name;
    auto dot = name.rfind('.');
    std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    std::string extension = dot == std::string::npos || dot == 0 ? std::string {} : name.substr(dot);
    for (int n = 2;; ++n) {
        std::string candidate = stem + " " + std::to_string(n) + extension;
        if (taken.insert(candidate).second)
            return candidate;
    }
}

std::string systemError(std::string_view what, const fs::path& path)
{
    return std::string(what) + " " + path.string() + ": " + std::strerror(errno);
}

bool writeWholeFile(const fs::path& path, std::string_view contents, int& failure)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, base::files::kPrivateFileMode);
    if (fd < 0) {
        failure = errno;
        base::diagnostic(systemError("RTFD: could not create", path));
        return false;
    }
    size_t written = 0;
    while (written < contents.size()) {
        ssize_t n = ::write(fd, contents.data() + written, contents.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failure = n < 0 ? errno : ENOSPC;
            base::diagnostic(systemError("RTFD: could not write", path));
            ::close(fd);
            return false;
        }
        written += static_cast<size_t>(n);
    }
    bool synced = ::fsync(fd) == 0;
    if (!synced) {
        failure = errno;
        base::diagnostic(systemError("RTFD: could not sync", path));
    }
    bool closed = ::close(fd) == 0;
    if (!closed && synced)
        failure = errno;
    return closed && synced;
}

void putU32(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void putU64(std::string& out, uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::optional<uint64_t> take(std::string_view& data, int bytes)
{
    if (data.size() < static_cast<size_t>(bytes))
        return std::nullopt;
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= uint64_t(static_cast<unsigned char>(data[i])) << (8 * i);
    data.remove_prefix(bytes);
    return value;
}

}

bool Rtfd::isSafeFileName(std::string_view name)
{
    return !name.empty() && name.size() <= 255 && name.front() != '.' && name.find('/') == std::string_view::npos
        && name.find('\0') == std::string_view::npos;
}

Rtfd::Package Rtfd::package(const AttributedString& text, const DocumentAttributes& attributes)
{
    Package package;
    std::set<std::string> taken { std::string(textFileName) };
    AttributedString named = text;
    size_t start = 0;
    for (const auto& run : text.runs()) {
        if (run.attributes.attachment) {
            for (size_t i = start; i < start + run.length; ++i) {
                if (text.string()[i] != attachmentCharacter)
                    continue;
                Attachment attachment = *run.attributes.attachment;
                attachment.fileName = uniqueName(attachment.fileName, taken);
                package[attachment.fileName] = attachment.data();
                named.updateAttributes({ i, 1 }, [&](Attributes& a) { a.attachment = attachment; });
            }
        }
        start += run.length;
    }
    package[std::string(textFileName)] = Rtf::write(named, attributes, Rtf::Attachments::asFileReferences);
    return package;
}

std::optional<Document> Rtfd::document(const Package& package)
{
    auto rtf = package.find(std::string(textFileName));
    if (rtf == package.end()) {
        base::diagnostic("RTFD: the package holds no TXT.rtf");
        return std::nullopt;
    }
    auto document = Rtf::read(rtf->second);
    if (!document) {
        base::diagnostic("RTFD: TXT.rtf is not RTF");
        return std::nullopt;
    }
    AttributedString& text = document->text;
    size_t start = 0;
    std::vector<std::pair<Range, Attachment>> found;
    for (const auto& run : text.runs()) {
        if (run.attributes.attachment) {
            Attachment attachment = *run.attributes.attachment;
            auto file = package.find(attachment.fileName);
            if (file != package.end() && isSafeFileName(attachment.fileName)) {
                attachment.contents = std::make_shared<const std::string>(file->second);
            } else {
                base::diagnostic("RTFD: attachment \"" + attachment.fileName + "\" is missing from the package");
                document->complete = false;
            }
            found.push_back({ { start, run.length }, std::move(attachment) });
        }
        start += run.length;
    }
    for (const auto& entry : found)
        text.updateAttributes(entry.first, [&entry](Attributes& a) { a.attachment = entry.second; });
    return document;
}

std::optional<Rtfd::Package> Rtfd::readFolder(const fs::path& path)
{
    std::vector<std::string> unreadable;
    return readFolder(path, unreadable);
}

std::optional<Rtfd::Package> Rtfd::readFolder(const fs::path& path, std::vector<std::string>& unreadable)
{
    std::error_code error;
    // Listed without looking at it first: a log of ten years is thousands of packages, and
    // the listing itself says when the path is no folder.
    fs::directory_iterator entry(path, error);
    if (error == std::errc::not_a_directory || error == std::errc::no_such_file_or_directory) {
        base::diagnostic("RTFD: " + path.string() + " is not a package folder");
        return std::nullopt;
    }
    Package package;
    size_t total = 0;
    for (fs::directory_iterator end; !error && entry != end; entry.increment(error)) {
        std::string name = entry->path().filename().string();
        if (!isSafeFileName(name))
            continue;
        // Only plain files the package could have written: a link or hidden file planted in
        // a shared folder is not followed. One entry that cannot be looked at is one file
        // left out, not the whole package.
        std::error_code entryError;
        auto status = entry->symlink_status(entryError);
        if (!entryError && status.type() != fs::file_type::regular)
            continue;
        if (package.size() >= maximumFiles) {
            base::diagnostic("RTFD: " + path.string() + " holds more files than a package may; the rest were left out");
            unreadable.push_back(std::move(name));
            break;
        }
        std::string readError;
        auto contents = entryError
            ? std::nullopt
            : base::files::readBytes(entry->path(), maximumPackageBytes - total, &readError, base::files::Links::Refuse);
        if (!contents) {
            base::diagnostic("RTFD: could not read " + entry->path().string() + (readError.empty() ? "" : " (" + readError + ")"));
            unreadable.push_back(std::move(name));
            continue;
        }
        total += contents->size();
        package.emplace(std::move(name), std::move(*contents));
    }
    if (error) {
        base::diagnostic("RTFD: could not list " + path.string() + ": " + error.message());
        return std::nullopt;
    }
    return package;
}

bool Rtfd::writeFolder(const fs::path& path, const Package& package, int* failure)
{
    fs::path target = path.has_filename() ? path : path.parent_path();
    for (const auto& [name, contents] : package) {
        if (!isSafeFileName(name)) {
            base::diagnostic("RTFD: refused to write the file name \"" + name + "\"");
            return false;
        }
    }
    std::string error;
    int fillFailure = 0;
    bool written = base::files::writePackageAtomically(
        target,
        [&package, &fillFailure](const fs::path& folder) {
            for (const auto& [name, contents] : package) {
                if (!writeWholeFile(folder / name, contents, fillFailure))
                    return false;
            }
            return true;
        },
        &error);
    int systemFailure = errno;
    if (!written) {
        if (failure)
            *failure = fillFailure ? fillFailure : systemFailure;
        base::diagnostic("RTFD: could not write " + target.string() + (error.empty() ? "" : ": " + error));
    }
    return written;
}

std::string Rtfd::encode(const Package& package)
{
    std::string out(dataMagic);
    putU32(out, static_cast<uint32_t>(package.size()));
    for (const auto& [name, contents] : package) {
        putU32(out, static_cast<uint32_t>(name.size()));
        out += name;
        putU64(out, contents.size());
        out += contents;
    }
    return out;
}

std::optional<Rtfd::Package> Rtfd::decode(std::string_view data)
{
    auto damaged = [](std::string_view why) -> std::optional<Package> {
        base::diagnostic("RTFD data: " + std::string(why));
        return std::nullopt;
    };
    if (data.substr(0, dataMagic.size()) != dataMagic)
        return damaged("not package data");
    data.remove_prefix(dataMagic.size());
    auto count = take(data, 4);
    if (!count || *count > maximumFiles)
        return damaged("bad file count");
    Package package;
    for (uint64_t i = 0; i < *count; ++i) {
        auto nameLength = take(data, 4);
        if (!nameLength || *nameLength > data.size())
            return damaged("truncated");
        std::string name(data.substr(0, *nameLength));
        data.remove_prefix(*nameLength);
        auto length = take(data, 8);
        if (!length || *length > data.size())
            return damaged("truncated");
        if (!isSafeFileName(name))
            return damaged("unsafe file name");
        package[name] = std::string(data.substr(0, *length));
        data.remove_prefix(*length);
    }
    return package;
}

std::optional<Document> Rtfd::readFile(const fs::path& path)
{
    std::vector<std::string> unreadable;
    auto package = readFolder(path, unreadable);
    if (!package)
        return std::nullopt;
    auto read = document(*package);
    if (read && !unreadable.empty())
        read->complete = false;
    return read;
}

bool Rtfd::writeFile(const fs::path& path, const AttributedString& text, const DocumentAttributes& attributes, int* failure)
{
    return writeFolder(path, package(text, attributes), failure);
}

std::string Rtfd::data(const AttributedString& text, const DocumentAttributes& attributes)
{
    return encode(package(text, attributes));
}

std::optional<Document> Rtfd::fromData(std::string_view data)
{
    auto package = decode(data);
    if (!package)
        return std::nullopt;
    return document(*package);
}

}
