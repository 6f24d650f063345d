#pragma once

#include "log/BackingStoreIndex.h"
#include "log/BackingStoreNamingStrategy.h"
#include "platform/base/Files.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace ostrel {

// One named series of rich-text package files in one folder: the daily log files, or the
// pages of one pad. The owner sets root, folder, template and strategy, then calls
// finishInitialization() once.
class BackingStoreDescriptor {
public:
    static std::shared_ptr<BackingStoreDescriptor> create();
    BackingStoreDescriptor(const BackingStoreDescriptor&) = delete;
    BackingStoreDescriptor& operator=(const BackingStoreDescriptor&) = delete;

    std::string root() const;
    void setRoot(std::string root);
    std::string folderPath() const;
    void setFolderPath(std::string folderPath);
    std::optional<std::string> templateName() const;
    void setTemplateName(std::optional<std::string> templateName);

    BackingStoreIndex& index() { return *m_index; }
    const BackingStoreIndex& index() const { return *m_index; }

    void setNamingStrategy(std::unique_ptr<BackingStoreNamingStrategy> strategy);
    // Using a descriptor that was never given a strategy is a programming error.
    const BackingStoreNamingStrategy& namingStrategy() const;

    // Lists the folder; false when it could not be created (already reported to the user).
    // A series that stays with its loaded folder remembers which folder that was.
    bool finishInitialization();

    // The log's series: once loaded, its files go only into that very folder. A folder gone
    // (its disk taken away) or replaced by another is never made anew or written into, since
    // entries written there would hide under the disk once it is back, away from the day's
    // real file.
    void setStaysWithLoadedFolder(bool stays) { m_staysWithLoadedFolder = stays; }
    // False when the series stays with its loaded folder and that is no longer the one at
    // its path; always true for the others.
    bool isLoadedFolderInPlace() const;

    std::string getPathToCurrentFile() const;
    std::string getPathToFileForDate(double date) const;
    std::string getPathToNewFile() const;
    // The selected file, first made from the template when it does not exist yet.
    std::optional<std::string> getPathToSelectedFile();

    void pointToLastFile() { m_index->pointToLastFile(); }
    void pointToFirstFile() { m_index->pointToFirstFile(); }
    void pointToFileWithID(const std::string& id) { m_index->pointToFileWithID(id); }

private:
    BackingStoreDescriptor();

    mutable std::mutex m_mutex;
    std::string m_root;
    std::string m_folderPath;
    std::optional<std::string> m_templateName;
    std::unique_ptr<BackingStoreIndex> m_index;
    std::unique_ptr<BackingStoreNamingStrategy> m_namingStrategy;
    bool m_staysWithLoadedFolder { false };
    std::optional<base::files::Identity> m_loadedFolder;
};

}
