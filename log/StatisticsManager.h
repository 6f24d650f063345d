#pragma once

#include "log/LogFileManager.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
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
struct StatisticsFacts;

// Chooses the statistic to show, recomputes it when the log or a statistics setting
// changes (settings bursts wait 0.5 seconds for the last change), writes its page beside
// the chart library and hands the page to the view. Called on the main thread only; the
// numbers and the page text are worked out on the log's reload queue, with the data set and
// filters taken when the computation was asked for, and handed back to the main thread: a
// computation asked for meanwhile replaces the one on its way.
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
    // The same test from a record's facts alone, where they tell; none asks for the record.
    virtual std::optional<bool> factsMatchFilterCriteria(const StatisticsFacts&) const { return std::nullopt; }
    // The filters in force now, for a computation away from the main thread to test with.
    using FactsFilter = std::function<bool(const StatisticsFacts&)>;
    virtual FactsFilter filterSnapshot() const;
    const std::shared_ptr<const FullDataSet>& fullData() const { return m_fullData; }

    // Every record of the last taken set, newest first, unfiltered. False, after telling the
    // user, when the file could not be written; an existing file is then left as it was.
    bool exportCSVTo(const std::string& path);

    static std::filesystem::path outputDirectory();
    std::filesystem::path statsOutputDirectoryPath() const { return outputDirectory(); }
    static std::string outputDirectoryName() { return kOutputDirectoryName; }
    // Rebuilds the output folder as a copy of the chart library resources.
    static void prepareOutputDirectory();

    // Where a written page goes to be shown: the statistics view once it exists.
    using PageSink = std::function<void(const std::filesystem::path& page)>;
    void setStatisticsWebView(PageSink sink) { m_statisticsWebView = std::move(sink); }
    // "Processing Logs..." while computing, "No Data Found." for a statistic with nothing
    // to show; empty once a page is shown.
    const std::string& waitingText() const { return m_waitingText; }
    // Whether a computation is waiting for its delay.
    bool updatePending() const;
    // Whether a computation is on its way back from the reload queue.
    bool computing() const { return m_computing; }

protected:
    StatisticsManager();

private:
    // On the main thread, with what the reload queue worked out.
    void finishCalculations(std::uint64_t computation, bool noData, const std::optional<std::filesystem::path>& page,
        double started);
    // On the reload queue: the page written beside the chart library.
    static std::optional<std::filesystem::path> writePage(const std::string& text);

    std::shared_ptr<const FullDataSet> m_fullData;
    std::shared_ptr<base::Timer> m_updateTimer;
    mutable std::mutex m_timerMutex;
    PageSink m_statisticsWebView;
    std::string m_waitingText;
    std::vector<std::uint64_t> m_observers;
    std::weak_ptr<base::Defaults> m_observedStore;
    bool m_listening { false };
    // Counts the computations asked for: only the last one's page is shown.
    std::uint64_t m_computation { 0 };
    bool m_computing { false };
};

}
