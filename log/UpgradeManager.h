#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace ostrel {

// Gives log files the naming of this computer's own files: once per launch, before the log
// is first read, and again before every read for files that arrive later (by sync).
class UpgradeManager {
public:
    static UpgradeManager& sharedInstance();

    void upgradeEverything();
    // The start-up pass over one folder: the renaming below, with its diagnostic lines.
    void upgradeSystemLogs(const std::string& folder, const std::string& root, const std::string& identifier);
    // Every name that begins with `root` and holds no ")" (written before the computer's
    // identifier was part of the names) gets " (<identifier>)" before its extension, so the
    // log reads it. Failed moves are logged once and tried again at every pass. Answers
    // whether there was any such name.
    bool renameFilesWithoutIdentifier(const std::string& folder, const std::string& root, const std::string& identifier);
    // Whether the file at `path` is read as it is named: its move to the name with an
    // identifier failed (a folder that cannot be written, a disk only read) while no file
    // holds that name, and that name is a current day file's. Safe from any thread.
    bool readsUnderPresentName(const std::string& path) const;
    // Day files named "(default)" in a folder that is this computer's alone: written while
    // its identifier could not be read, they are its own, and take its identifier so that
    // they go with it when the log moves. A file whose new name is taken stays as it is (it
    // is still read). Nothing happens when the identifier is "default" itself.
    void claimDefaultNamedFiles(const std::string& folder, const std::string& root, const std::string& identifier);

private:
    UpgradeManager() = default;
    // Moves `name` in `folder` to the same name with `identifier` in its parentheses, before
    // the extension; never over a file that is there.
    void giveIdentifier(const std::string& folder, const std::string& name, std::string_view stem,
        const std::string& identifier);

    // Folders found without a name to rename, by the modification time they had then. The
    // renaming runs on the log's reading queue as well as at start-up.
    mutable std::mutex m_mutex;
    std::map<std::string, std::int64_t> m_cleanFolders;
    // The files whose move failed, by the name each was to take: told once, and tried again
    // quietly until it succeeds.
    std::map<std::string, std::string> m_failedMoves;
};

}
