#include "log/LogFileManager.h"

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

void LogFileManager::update()
{
    std::function<void()> handler;
    {
        std::lock_guard lock(m_mutex);
        handler = m_updateHandler;
    }
    if (handler)
        handler();
}

void LogFileManager::setUpdateHandler(std::function<void()> handler)
{
    std::lock_guard lock(m_mutex);
    m_updateHandler = std::move(handler);
}

void LogFileManager::reset()
{
    std::lock_guard lock(m_mutex);
    m_logFiles.clear();
    m_currentFullDataSet = std::make_shared<FullDataSet>();
}

}
