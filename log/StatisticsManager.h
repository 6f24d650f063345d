#pragma once

#include "log/LogFileManager.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace base {
class Defaults;
class Timer;
}

namespace ostrel {

class FullDataSet;
class RawTimeSlice;
class Statistic;

// Chooses the statistic to show, recomputes it when the log or a statistics setting
// changes (settings bursts wait 0.5 seconds for the last change), writes its page beside
// the chart library and hands the page to the view. Main thread only.
class StatisticsManager : public LogFileManagerListener, public std::enable_shared_from_this<StatisticsManager> {
public:
    static constexpr const char* kOutputDirectoryName = "stats";
    static constexpr double kUpdateDelay = 0.5;

    ~StatisticsManager() override;

    // Prepares the output folder, observes the settings and listens to the log reader.
    virtual void awakeFromNib();

    // The setting that chooses the statistic shown.
    static std::string currentlyDisplayedStatisticKey() { return "currentlyDisplayedStatistic"; }
    virtual std::vector<std::string> additionalKeyPathsToObserve() const { return {}; }
    // A new statistic for every computation, or none.
    virtual std::shared_ptr<Statistic> getCurrentStatistic();

    void logFilesWereUpdated() override { triggerDelayedUpdate(); }
    void triggerDelayedUpdate();
    void triggerUpdate();
    void load() { showCurrentStatistic(); }
    void showCurrentStatistic() { performCalculations(); }
    void performCalculations();

    // Takes the log reader's current set and prepares the filters for it.
    void prepareDataSet();
    virtual void configureFiltersPreFlight() { }
    virtual bool timeSliceMatchesFilterCriteria(const RawTimeSlice&) const { return true; }
    const std::shared_ptr<const FullDataSet>& fullData() const { return m_fullData; }

    // Every record of the last taken set, newest first, unfiltered. False, after telling the
    // user, when the file could not be written; an existing file is then left as it was.
    bool exportCSVTo(const std::string& path);

    std::filesystem::path outputDirectory() const;
    std::filesystem::path statsOutputDirectoryPath() const { return outputDirectory(); }
    static std::string outputDirectoryName() { return kOutputDirectoryName; }
    // Rebuilds the output folder as a copy of the chart library resources.
    void prepareOutputDirectory();

    // Where a written page goes to be shown: the statistics view once it exists.
    using PageSink = std::function<void(const std::filesystem::path& page)>;
    void setStatisticsWebView(PageSink sink) { m_statisticsWebView = std::move(sink); }
    // "Processing Logs..." while computing, "No Data Found." for a statistic with nothing
    // to show; empty once a page is shown.
    const std::string& waitingText() const { return m_waitingText; }
    // Whether a computation is waiting for its delay.
    bool updatePending() const;

protected:
    StatisticsManager();

private:
    void publish(const Statistic& statistic);

    std::shared_ptr<const FullDataSet> m_fullData;
    std::shared_ptr<base::Timer> m_updateTimer;
    mutable std::mutex m_timerMutex;
    PageSink m_statisticsWebView;
    std::string m_waitingText;
    std::vector<std::uint64_t> m_observers;
    std::weak_ptr<base::Defaults> m_observedStore;
    bool m_listening { false };
};

}
