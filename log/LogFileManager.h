#pragma once

#include "log/FolderContentMonitor.h"
#include "log/FullDataSet.h"
#include "log/LogFile.h"
#include "platform/base/SerialQueue.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace ostrel {

class SmartTimerWrapper;

// Told on the main thread whenever a newly read data set has been published.
class LogFileManagerListener {
public:
    virtual ~LogFileManagerListener() = default;
    virtual void logFilesWereUpdated() = 0;
};

// The shared reader of the log: one LogFile per path with its last records, so that a reload
// parses only what changed, and the last published data set. Reloads run one at a time on
// a serial queue; requests within one second of each other become one reload.
class LogFileManager {
public:
    // The event flags that make a folder change worth a reload: created, removed, renamed,
    // modified, Finder information, owner, extended attributes, or a folder.
    static constexpr std::uint32_t kReloadingFlags = 0x2fb00;
    // A reload that read more files than this gives the memory their texts took back.
    static constexpr std::size_t kFilesReadBeforeGivingMemoryBack = 16;
    // Changed names kept for the next reload before it looks at every file instead.
    static constexpr std::size_t kChangedNamesKept = 256;

    static LogFileManager& sharedInstance();

    // The file object kept for the path, made and kept on first request. Safe from any thread.
    std::shared_ptr<LogFile> createOrRetrieveLogFile(const std::string& fullPath);

    // The last published set: replaced whole, so a reader sees the old or the new one.
    std::shared_ptr<const FullDataSet> currentFullDataSet() const;
    void setCurrentFullDataSet(std::shared_ptr<const FullDataSet> dataSet);

    // Held strongly, called in the order added; a listener added twice is told twice.
    void addListener(std::shared_ptr<LogFileManagerListener> listener);
    void signalToListeners();

    // Asks for a reload one second from now, unless one is already waiting. Main thread.
    void update();
    // Reads the log writer's folder on the reload queue at once, publishes the new set and
    // then tells the listeners on the main queue.
    void internalAyncUpdate();
    // Tests of the re-writers count requests with this: when set, update() calls it instead.
    void setUpdateHandler(std::function<void()> handler);
    // Other work on the log's data sets, run on the reload queue in turn with the reloads.
    void performInTurn(std::function<void()> work);

    // Older plain-text entries become rich text in these attributes (the pads' defaults),
    // set from the main thread because settings are not read on the reload queue.
    void setPlainTextAttributes(text::Attributes attributes);

    // The watcher of the log writer's folder, made on first use; start() it once the first
    // update() has been asked for.
    FolderContentMonitor& monitor();
    // Watches the log writer's folder again, after the log folder moved.
    void restartMonitor();
    // For tests: how the monitor's watches are made.
    void setWatchFactory(FolderContentMonitor::WatchFactory factory);
    // What a relevant folder change asks for, on the main queue: the main controller's
    // forced log read once it exists, a plain update() until then.
    void setForceLogRead(std::function<void()> forceLogRead);

    // For tests: forget every file, listener, pending wait and the current set, and stop
    // the monitor. Reloads already queued still finish.
    void reset();

private:
    LogFileManager();
    void folderChanged(const FileSystemEvent& event);
    // Keeps the name of the log folder's entry a change was in, for the next reload.
    void noteChangedName(const FileSystemEvent& event);

    mutable std::mutex m_mutex;
    std::unordered_map<std::string, std::shared_ptr<LogFile>> m_logFiles;
    std::shared_ptr<const FullDataSet> m_currentFullDataSet;
    std::function<void()> m_updateHandler;
    text::Attributes m_plainTextAttributes;
    // The names of the log folder's entries its watch saw change since the last reload was
    // asked for; none when changes may have gone unseen since (the watch was not running all
    // along, or lost some), which makes the next reload look at every file.
    std::optional<std::vector<std::string>> m_changedNames;
    std::uint64_t m_watchStartsAtLastReload { 0 };

    // Main thread only.
    std::vector<std::shared_ptr<LogFileManagerListener>> m_listeners;
    std::shared_ptr<SmartTimerWrapper> m_waitOneSecondTimerWrapper;
    std::unique_ptr<FolderContentMonitor> m_monitor;
    FolderContentMonitor::WatchFactory m_watchFactory;
    std::function<void()> m_forceLogRead;
    // Bumped by reset(), so that a reload queued before it publishes nothing afterwards.
    std::uint64_t m_generation { 0 };

    base::SerialQueue m_oneUpdateAtATimeDispatcherQueue { "oneUpdateAtATimeDispatcherQueue" };
};

}
