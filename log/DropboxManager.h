#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace ostrel {

// Moves this computer's log files into a folder "Ostrel" inside the user's Dropbox folder
// and switches the log writer there, or moves them back. Every step asks or tells the user
// through the alert presenter, and a refusal at any point changes nothing. Computers that
// share the folder each move only their own files. There is no sandbox on this desktop, so
// no bookmark of the Dropbox folder is kept, and no sibling product, whose fixed paths are
// therefore left out.
class DropboxManager {
public:
    static DropboxManager& sharedInstance();

    // Shows a help page by name; the help system fills it in at start-up. The help buttons
    // of the relocation's alerts ask it for kHelpPage.
    using HelpHook = std::function<void(const std::string& pageName)>;
    static void setHelpHook(HelpHook hook);
    static constexpr const char* kHelpPage = "dropbox.html";

    // The setting "dropboxSync".
    bool isDropboxSyncActive() const;
    // True when the log was switched to the Dropbox folder.
    bool configureForDropbox();
    // True when the log was switched back to the local folder.
    bool revertToLocal();
    // A Dropbox folder the user points at, or none.
    std::optional<std::string> autolocateNonStandardDropboxFolderLocationOrAskUser();
    // The log writer takes the folder the settings name, the watcher follows it and the log
    // is read again.
    void forceLogSystemToUpdate();

    static std::filesystem::path getLocalSystemLogsFolderPath();
    static std::filesystem::path getLocalUserLogsFolderPath();
    // None: the shared folder follows from the setting "dropboxLocation" alone.
    static std::optional<std::filesystem::path> getDropboxSystemLogsFolderPath() { return std::nullopt; }

private:
    DropboxManager() = default;

    struct Folders {
        std::filesystem::path base;
        std::filesystem::path userLogs;
        std::filesystem::path systemLogs;
    };
    static Folders foldersIn(const std::filesystem::path& dropbox);

    struct Outcome {
        bool moved { false };
        bool failed { false };
    };
    // The start both moves share: the first diagnostic lines, the question, and the
    // Dropbox folder's folders; none when the user declines or gives no folder.
    std::optional<Folders> confirmAndLocate(const char* firstLine, const char* question, const std::string& identifier);
    // The setting "dropboxLocation" when it names a folder, else the one the user points
    // at, which is then stored there.
    std::optional<std::filesystem::path> findDropboxFolder();
    // Moves this computer's files from one folder to the same names in another, never over
    // anything already there.
    void moveFilesOfThisComputer(const std::filesystem::path& from, const std::filesystem::path& to,
        const std::string& identifier, Outcome& outcome) const;
};

}
