#pragma once

#include "log/FullDataSet.h"
#include "log/LogFile.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace ostrel {

// The shared reader of the log: one LogFile per path with its last records, so that a reload
// parses only what changed, and the last published data set.
class LogFileManager {
public:
    static LogFileManager& sharedInstance();

    // The file object kept for the path, made and kept on first request. Safe from any thread.
    std::shared_ptr<LogFile> createOrRetrieveLogFile(const std::string& fullPath);

    // The last published set: replaced whole, so a reader sees the old or the new one.
    std::shared_ptr<const FullDataSet> currentFullDataSet() const;
    void setCurrentFullDataSet(std::shared_ptr<const FullDataSet> dataSet);

    // Asks for the log to be read again after a re-writer changed a file. Until the reload
    // machinery installs itself, nothing happens.
    void update();
    void setUpdateHandler(std::function<void()> handler);

    // For tests: forget every file and the current set.
    void reset();

private:
    LogFileManager();

    mutable std::mutex m_mutex;
    std::unordered_map<std::string, std::shared_ptr<LogFile>> m_logFiles;
    std::shared_ptr<const FullDataSet> m_currentFullDataSet;
    std::function<void()> m_updateHandler;
};

}
