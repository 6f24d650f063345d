#include "log/LogFileManager.h"

#include "core/Clock.h"
#include "core/ZrLog.h"
#include "log/BackingStoreDescriptor.h"
#include "log/BackingStoreManager.h"
#include "log/Logger.h"
#include "log/UpgradeManager.h"
#include "platform/base/MainQueue.h"
#include "platform/base/Timer.h"

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
    {
        std::lock_guard lock(m_mutex);
        attributes = m_plainTextAttributes;
        generation = m_generation;
    }
    m_oneUpdateAtATimeDispatcherQueue.async([this, folder, root, identifier, attributes, generation] {
        // A day file without a computer's identifier that came in since start-up (by sync)
        // is named as the start-up names them before it is read.
        UpgradeManager::sharedInstance().renameFilesWithoutIdentifier(folder, root, identifier);
        auto set = std::make_shared<FullDataSet>();
        set->setPlainTextAttributes(attributes);
        set->loadFromFolder(folder, root);
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
}

void LogFileManager::setWatchFactory(FolderContentMonitor::WatchFactory factory)
{
    m_watchFactory = std::move(factory);
    m_monitor.reset();
}

void LogFileManager::setForceLogRead(std::function<void()> forceLogRead) { m_forceLogRead = std::move(forceLogRead); }

void LogFileManager::folderChanged(const FileSystemEvent& event)
{
    zr_log("FileSystemFlag: %s", FileSystemFlag::description(event.eventFlags).c_str());
    if (!(event.eventFlags & kReloadingFlags))
        return;
    base::MainQueue::async([this] {
        if (m_forceLogRead)
            m_forceLogRead();
        else
            update();
    });
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
    m_logFiles.clear();
    m_currentFullDataSet = std::make_shared<FullDataSet>();
    m_plainTextAttributes = {};
}

}
