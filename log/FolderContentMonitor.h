#pragma once

#include "platform/desktop/FolderWatch.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ostrel {

// One change in the watched folder: "id - flags - path", numbers in decimal.
struct FileSystemEvent {
    std::uint64_t eventId { 0 };
    std::string eventPath;
    std::uint32_t eventFlags { 0 };

    std::string description() const;
    bool operator==(const FileSystemEvent&) const = default;
};

// The names of the set flags, for the diagnostic log.
struct FileSystemFlag {
    static std::string description(std::uint32_t flags);
};

// Watches the log folder and everything in it (day files are packages, folders of their
// own) and hands each change to its owner, on the main run loop in the default mode.
class FolderContentMonitor {
public:
    using Callback = std::function<void(const FileSystemEvent&)>;

    using WatchFactory = std::function<std::unique_ptr<desktop::FolderWatch>()>;

    // One watch per path, made at each start: over inotify unless a factory is given (tests
    // give manual watches).
    FolderContentMonitor(std::vector<std::string> pathsToWatch, Callback callback, WatchFactory makeWatch = {});
    ~FolderContentMonitor();
    FolderContentMonitor(const FolderContentMonitor&) = delete;
    FolderContentMonitor& operator=(const FolderContentMonitor&) = delete;

    // Does nothing when started. A folder that cannot be watched is logged and leaves the
    // monitor stopped: the log is still read at start-up and after our own writes.
    void start();
    void stop();
    // Watches another folder from now on (the log folder moved).
    void restart(std::vector<std::string> pathsToWatch);

    bool started() const { return m_started; }
    // How many times the monitor has started: a change to it means changes may have gone
    // unseen in between.
    std::uint64_t starts() const { return m_starts; }
    const std::vector<std::string>& pathsToWatch() const { return m_pathsToWatch; }
    std::uint64_t lastEventId() const { return m_lastEventId; }

private:
    void deliver(const std::vector<desktop::FolderEvent>& batch);

    std::vector<std::string> m_pathsToWatch;
    Callback m_callback;
    WatchFactory m_makeWatch;
    std::vector<std::unique_ptr<desktop::FolderWatch>> m_watches;
    bool m_started { false };
    std::uint64_t m_starts { 0 };
    std::uint64_t m_lastEventId { UINT64_MAX };
};

}
