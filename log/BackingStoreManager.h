#pragma once

#include "log/BackingStoreDescriptor.h"
#include "platform/text/Document.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace ostrel {

// Creates, reads, writes, appends to and deletes the files of the backing-store series.
// Keeps no state of its own beyond where it looks for this computer's network interfaces.
class BackingStoreManager {
public:
    static BackingStoreManager& sharedManager();

    // The bytes of "<name>.rtf" in the resources' "templates" folder. A template missing
    // from the installation is a programming error.
    std::string loadTemplateDataFromBundle(const std::string& name) const;

    // This computer's identifier for log file names (see ComputerIdentifier).
    std::string obtainMACAddress() const;
    static std::filesystem::path applicationSupportDirectory();
    static std::string createUUID();

    // The selected file's rich text (made from the template first when missing). A file that
    // is there but cannot be read gives an empty text that is not `complete`, so that it is
    // never written over.
    text::Document contentOfSelectedFile(BackingStoreDescriptor& descriptor) const;
    std::string newFile(BackingStoreDescriptor& descriptor) const;
    bool write(const text::AttributedString& text, BackingStoreDescriptor& descriptor,
        const text::DocumentAttributes& attributes = {}) const;

    // Appends to the series' current file (today's, for the log), rewriting the package
    // atomically. A file that exists but cannot be read is never replaced: the entry is then
    // not written. Answers whether the entry reached the disk; a failure has been shown to
    // the user.
    bool append(const text::AttributedString& text, BackingStoreDescriptor& descriptor) const;

    // How else an entry may be appended: to the file of another day; only once, when it
    // carries an identifier that the file may hold already; with a failure only logged, or
    // told with more words after the alert's own.
    struct Appending {
        std::optional<double> day;
        std::string onceFor;
        bool tellUser { true };
        std::string afterword;
    };
    enum class Appended { Written, AlreadyThere, Failed };
    Appended append(const text::AttributedString& text, BackingStoreDescriptor& descriptor, const Appending& how) const;

    // Puts right this computer's files of the series whose rewrite was cut short (the
    // program killed between the steps of a package swap): a missing file comes back from
    // its set-aside version, and the hidden leftovers go. False when something could not.
    bool recoverInterruptedWrites(const BackingStoreDescriptor& descriptor) const;

    // The same for the pages of a pad, at start: a page the kill left missing or damaged
    // becomes the newest complete new version that was being written; a damaged page is
    // kept aside, hidden, rather than replaced. Every other leftover goes, as for the log.
    bool recoverInterruptedPageWrites(const BackingStoreDescriptor& descriptor) const;

    void removeSheetFromDescriptor(BackingStoreDescriptor& descriptor, const std::string& id) const;

    // A package about to be rewritten, read only when it can be read whole: its rich text
    // complete to the last closing brace and every attachment it names present. Anything
    // less (a file cut short by a crash or by a sync still under way) gives none, because
    // writing back what was read would lose the rest.
    static std::optional<text::Document> readWholePackage(const std::filesystem::path& path);
    // Whether a day file's text holds an entry with this identifier.
    static bool holdsEntry(const text::AttributedString& content, const std::string& uuid);

    // Writes the template as the package at `path`; failures are only logged.
    bool createFromTemplate(const std::string& path, const std::string& templateName) const;

    // What the write-failure alert tells, by the system's error (errno) of the failed write:
    // no space left, no permission (and how to give it on this desktop), a disk that is
    // only read, or the system's own words. `where` names the folder: the one that just
    // opened, when the file manager showed it.
    static std::string writeFailureAdvice(int errorNumber, const std::string& where = "the folder that just opened");

    // Tests point this at a made-up /sys/class/net.
    void setNetworkInterfacesFolder(std::filesystem::path folder) { m_interfaces = std::move(folder); }

private:
    BackingStoreManager() = default;
    // Shows the file's folder, then the alert; `informativeText` is told how to name that
    // folder, by whether it opened. A folder that is not the one meant is not opened.
    void reportWriteFailure(const std::filesystem::path& file,
        const std::function<std::string(const std::string& where)>& informativeText, bool openFolder = true) const;

    std::filesystem::path m_interfaces { "/sys/class/net" };
};

}
