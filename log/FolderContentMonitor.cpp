#include "log/FolderContentMonitor.h"

#include "core/ZrLog.h"
#include "platform/base/MainQueue.h"

#include <utility>

namespace ostrel {

namespace {
struct FlagName {
    std::uint32_t flag;
    const char* name;
};

constexpr FlagName kFlagNames[] = {
    { desktop::FolderEventFlag::ItemIsDir, "isDir" },
    { desktop::FolderEventFlag::ItemIsFile, "isFile" },
    { desktop::FolderEventFlag::ItemCreated, "created" },
    { desktop::FolderEventFlag::ItemModified, "modified" },
    { desktop::FolderEventFlag::ItemRemoved, "removed" },
    { desktop::FolderEventFlag::ItemRenamed, "renamed" },
    { desktop::FolderEventFlag::ItemIsHardlink, "isHardlink" },
    { desktop::FolderEventFlag::ItemIsLastHardlink, "isLastHardlink" },
    { desktop::FolderEventFlag::ItemIsSymlink, "isSymlink" },
    { desktop::FolderEventFlag::ItemChangeOwner, "changeOwner" },
    { desktop::FolderEventFlag::ItemFinderInfoMod, "finderInfoModified" },
    { desktop::FolderEventFlag::ItemInodeMetaMod, "inodeMetaModified" },
    { desktop::FolderEventFlag::ItemXattrMod, "xattrsModified" },
};
}

std::string FileSystemEvent::description() const
{
    return std::to_string(eventId) + " - " + std::to_string(eventFlags) + " - " + eventPath;
}

std::string FileSystemFlag::description(std::uint32_t flags)
{
    std::string text;
    for (const auto& [flag, name] : kFlagNames) {
        if (!(flags & flag))
            continue;
        if (!text.empty())
            text += ", ";
        text += name;
    }
    return text;
}

FolderContentMonitor::FolderContentMonitor(std::vector<std::string> pathsToWatch, Callback callback,
    WatchFactory makeWatch)
    : m_pathsToWatch(std::move(pathsToWatch))
    , m_callback(std::move(callback))
    , m_makeWatch(makeWatch ? std::move(makeWatch) : WatchFactory(&desktop::FolderWatch::create))
{
}

FolderContentMonitor::~FolderContentMonitor()
{
    for (auto& watch : m_watches)
        watch->stop();
}

void FolderContentMonitor::start()
{
    if (m_started)
        return;
    for (const auto& path : m_pathsToWatch) {
        auto watch = m_makeWatch();
        if (!watch->start(path, [this](const auto& batch) { deliver(batch); })) {
            zr_log("FolderContentMonitor: cannot watch %s; changes made there by other computers go unnoticed",
                path.c_str());
            continue;
        }
        m_watches.push_back(std::move(watch));
    }
    m_started = !m_watches.empty();
    if (m_started)
        ++m_starts;
}

void FolderContentMonitor::stop()
{
    for (auto& watch : m_watches)
        watch->stop();
    if (!m_watches.empty()) {
        // Stopping may happen inside a watch's own delivery; it is let go once that is over.
        auto retired = std::make_shared<std::vector<std::unique_ptr<desktop::FolderWatch>>>(std::move(m_watches));
        base::MainQueue::async([retired] { });
    }
    m_watches.clear();
    m_started = false;
}

void FolderContentMonitor::restart(std::vector<std::string> pathsToWatch)
{
    stop();
    m_pathsToWatch = std::move(pathsToWatch);
    start();
}

void FolderContentMonitor::deliver(const std::vector<desktop::FolderEvent>& batch)
{
    // Copied: the owner may restart the monitor from inside its callback.
    auto callback = m_callback;
    for (const auto& event : batch) {
        if (callback)
            callback(FileSystemEvent { event.id, event.path, event.flags });
    }
    if (!batch.empty())
        m_lastEventId = batch.back().id;
}

}
