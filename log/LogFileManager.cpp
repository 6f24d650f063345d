#include "log/LogFileManager.h"

#include "core/Clock.h"
#include "core/ZrLog.h"
#include "log/BackingStoreDescriptor.h"
#include "log/BackingStoreManager.h"
#include "log/Logger.h"
#include "log/UpgradeManager.h"
#include "platform/base/MainQueue.h"
#include "platform/base/Timer.h"

#include <algorithm>
#include <filesystem>
#include <malloc.h>

namespace ostrel {

LogFileManager& LogFileManager::sharedInstance()
{
    static LogFileManager* manager = new LogFileManager;
    return *manager;
}

LogFileManager::LogFileManager()
    : m_currentFullDataSet(std::make_shared<FullDataSet>())
{
}

std::shared_ptr<LogFile> LogFileManager::createOrRetrieveLogFile(const std::string& fullPath)
{
    std::lock_guard lock(m_mutex);
    auto& file = m_logFiles[fullPath];
    if (!file)
        file = std::make_shared<LogFile>(fullPath);
    return file;
}

std::shared_ptr<const FullDataSet> LogFileManager::currentFullDataSet() const
{
    std::lock_guard lock(m_mutex);
    return m_currentFullDataSet;
}

void LogFileManager::setCurrentFullDataSet(std::shared_ptr<const FullDataSet> dataSet)
{
    std::lock_guard lock(m_mutex);
    m_currentFullDataSet = std::move(dataSet);
    // A set from elsewhere was loaded before the changes seen since the last reload.
    m_changedNames.reset();
}

void LogFileManager::addListener(std::shared_ptr<LogFileManagerListener> listener)
{
    if (listener)
        m_listeners.push_back(std::move(listener));
}

void LogFileManager::signalToListeners()
{
    // Copied: a listener may add another while being told.
    auto listeners = m_listeners;
    for (const auto& listener : listeners)
        listener->logFilesWereUpdated();
}

void LogFileManager::update()
{
    std::function<void()> handler;
    {
        std::lock_guard lock(m_mutex);
        handler = m_updateHandler;
    }
    if (handler) {
        handler();
        return;
    }
    // The pending reload will see this change too.
    if (m_waitOneSecondTimerWrapper)
        return;
    m_waitOneSecondTimerWrapper = Clock::timerWithSystemTimeInterval(1.0, false, [this](base::Timer& timer) {
        timer.invalidate();
        internalAyncUpdate();
        m_waitOneSecondTimerWrapper.reset();
    });
}

void LogFileManager::internalAyncUpdate()
{
    // The folder is taken here, on the main thread, where the log writer may move it.
    auto descriptor = Logger::sharedLogger().systemLogBackingStoreDesc();
    std::string folder = descriptor->folderPath();
    std::string root = descriptor->root();
    std::string identifier = BackingStoreManager::sharedManager().obtainMACAddress();
    text::Attributes attributes;
    std::uint64_t generation;
    // What the watch saw change since the last reload was asked for, when it saw all of it.
    std::optional<std::vector<std::string>> changedNames;
    bool watching = m_monitor && m_monitor->started();
    {
        std::lock_guard lock(m_mutex);
        attributes = m_plainTextAttributes;
        generation = m_generation;
        if (watching && m_monitor->starts() == m_watchStartsAtLastReload)
            changedNames = std::move(m_changedNames);
        m_changedNames.reset();
        if (watching)
            m_changedNames.emplace();
        m_watchStartsAtLastReload = watching ? m_monitor->starts() : 0;
    }
    m_oneUpdateAtATimeDispatcherQueue.async([this, folder, root, identifier, attributes, generation, changedNames] {
        // A day file without a computer's identifier that came in since start-up (by sync)
        // is named as the start-up names them before it is read; the names it takes were
        // never seen by the watch.
        bool renamed = UpgradeManager::sharedInstance().renameFilesWithoutIdentifier(folder, root, identifier);
        // The published set lends the records of every file that has not changed since.
        auto previous = currentFullDataSet();
        auto set = std::make_shared<FullDataSet>();
        set->setPlainTextAttributes(attributes);
        set->loadFromFolder(folder, root, previous.get(), changedNames && !renamed ? &*changedNames : nullptr);
        std::size_t filesRead = set->filesRead();
        {
            std::lock_guard lock(m_mutex);
            if (generation != m_generation)
                return;
            m_currentFullDataSet = std::move(set);
        }
        // Reading many files leaves the reading threads' heaps full of the files' texts, now
        // freed: they go back to the system rather than stay with the program for good.
        if (filesRead > kFilesReadBeforeGivingMemoryBack)
            malloc_trim(0);
        base::MainQueue::async([this, generation] {
            if (generation == m_generation)
                signalToListeners();
        });
    });
}

void LogFileManager::performInTurn(std::function<void()> work) { m_oneUpdateAtATimeDispatcherQueue.async(std::move(work)); }

void LogFileManager::setUpdateHandler(std::function<void()> handler)
{
    std::lock_guard lock(m_mutex);
    m_updateHandler = std::move(handler);
}

void LogFileManager::setPlainTextAttributes(text::Attributes attributes)
{
    std::lock_guard lock(m_mutex);
    m_plainTextAttributes = std::move(attributes);
}

FolderContentMonitor& LogFileManager::monitor()
{
    if (!m_monitor) {
        auto folder = Logger::sharedLogger().systemLogBackingStoreDesc()->folderPath();
        m_monitor = std::make_unique<FolderContentMonitor>(std::vector<std::string> { folder },
            [this](const FileSystemEvent& event) { folderChanged(event); }, m_watchFactory);
    }
    return *m_monitor;
}

void LogFileManager::restartMonitor()
{
    monitor().restart({ Logger::sharedLogger().systemLogBackingStoreDesc()->folderPath() });
    std::lock_guard lock(m_mutex);
    m_changedNames.reset();
}

void LogFileManager::setWatchFactory(FolderContentMonitor::WatchFactory factory)
{
    m_watchFactory = std::move(factory);
    m_monitor.reset();
    std::lock_guard lock(m_mutex);
    m_changedNames.reset();
}

void LogFileManager::setForceLogRead(std::function<void()> forceLogRead) { m_forceLogRead = std::move(forceLogRead); }

void LogFileManager::folderChanged(const FileSystemEvent& event)
{
    zr_log("FileSystemFlag: %s", FileSystemFlag::description(event.eventFlags).c_str());
    noteChangedName(event);
    if (!(event.eventFlags & kReloadingFlags))
        return;
    base::MainQueue::async([this] {
        if (m_forceLogRead)
            m_forceLogRead();
        else
            update();
    });
}

void LogFileManager::noteChangedName(const FileSystemEvent& event)
{
    using namespace desktop::FolderEventFlag;
    std::string prefix;
    if (m_monitor && !m_monitor->pathsToWatch().empty())
        prefix = (std::filesystem::path(m_monitor->pathsToWatch().front()) / "").string();
    std::lock_guard lock(m_mutex);
    if (!m_changedNames)
        return;
    std::string_view path = event.eventPath;
    // Lost changes, the folder itself, or a path that is not in it: every file is looked at.
    if ((event.eventFlags & (MustScanSubDirs | RootChanged)) || prefix.empty() || path.size() <= prefix.size()
        || path.substr(0, prefix.size()) != prefix) {
        m_changedNames.reset();
        return;
    }
    // Past a few hundred names, looking at every file's times is as quick.
    if (m_changedNames->size() >= kChangedNamesKept) {
        m_changedNames.reset();
        return;
    }
    std::string_view rest = path.substr(prefix.size());
    std::string name(rest.substr(0, rest.find('/')));
    if (std::find(m_changedNames->begin(), m_changedNames->end(), name) == m_changedNames->end())
        m_changedNames->push_back(std::move(name));
}

void LogFileManager::reset()
{
    if (m_waitOneSecondTimerWrapper)
        m_waitOneSecondTimerWrapper->stop();
    m_waitOneSecondTimerWrapper.reset();
    m_monitor.reset();
    m_watchFactory = nullptr;
    m_forceLogRead = nullptr;
    m_listeners.clear();
    std::lock_guard lock(m_mutex);
    ++m_generation;
    m_changedNames.reset();
    m_logFiles.clear();
    m_currentFullDataSet = std::make_shared<FullDataSet>();
    m_plainTextAttributes = {};
}

}
