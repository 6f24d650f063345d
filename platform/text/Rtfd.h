#pragma once

#include "platform/text/Document.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Rich text with attachments: a package of files, "TXT.rtf" plus one file per attachment,
// kept either as a folder on disk (log files and pad pages) or as one data blob (settings
// and memory). Reading never fails loudly: what cannot be read gives none and a diagnostic
// line. Writing a folder is atomic: the old package survives any failure.
class Rtfd {
public:
    using Package = std::map<std::string, std::string>;

    static constexpr std::string_view textFileName = "TXT.rtf";
    static constexpr size_t maximumFiles = 10000;
    static constexpr size_t maximumPackageBytes = size_t(1) << 30;

    // Attachment files take the attachments' own names, made safe and unique.
    static Package package(const AttributedString& text, const DocumentAttributes& attributes = {});
    static std::optional<Document> document(const Package& package);

    static std::optional<Package> readFolder(const std::filesystem::path& path);
    // The same, naming in `unreadable` each file of the folder that was left out because it
    // could not be read (past the file limit, the first one left out).
    static std::optional<Package> readFolder(const std::filesystem::path& path, std::vector<std::string>& unreadable);
    // On failure, `failure` (when given) takes the system's error number (ENOSPC, EACCES, …).
    static bool writeFolder(const std::filesystem::path& path, const Package& package, int* failure = nullptr);

    static std::string encode(const Package& package);
    static std::optional<Package> decode(std::string_view data);

    // A document read from a folder or data whose package lacks a file is not `complete`.
    static std::optional<Document> readFile(const std::filesystem::path& path);
    static bool writeFile(const std::filesystem::path& path, const AttributedString& text,
        const DocumentAttributes& attributes = {}, int* failure = nullptr);
    static std::string data(const AttributedString& text, const DocumentAttributes& attributes = {});
    static std::optional<Document> fromData(std::string_view data);

    // A name that may stand for a file inside a package: no folders, nothing hidden.
    static bool isSafeFileName(std::string_view name);
};

}
