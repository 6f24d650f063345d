#include "log/StatisticsManager.h"

#include "core/Clock.h"
#include "core/ZrLog.h"
#include "log/BackingStoreManager.h"
#include "log/CsvExport.h"
#include "log/Statistic.h"
#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"
#include "platform/base/MainQueue.h"
#include "platform/base/Resources.h"
#include "platform/base/Timer.h"

#include <filesystem>

namespace ostrel {

namespace fs = std::filesystem;

StatisticsManager::StatisticsManager() = default;

StatisticsManager::~StatisticsManager()
{
    if (m_updateTimer)
        m_updateTimer->invalidate();
    // From the store they were added to: the standard one may have been replaced since.
    if (auto defaults = m_observedStore.lock()) {
        for (auto observer : m_observers)
            defaults->removeObserver(observer);
    }
}

void StatisticsManager::awakeFromNib()
{
    // In turn with the computations, which write their pages there.
    LogFileManager::sharedInstance().performInTurn([] { prepareOutputDirectory(); });
    auto defaults = base::Defaults::standard();
    m_observedStore = defaults;
    std::weak_ptr<StatisticsManager> weak = weak_from_this();
    m_observers.push_back(defaults->addObserver(currentlyDisplayedStatisticKey(), [weak](const std::string& key) {
        if (auto manager = weak.lock()) {
            zr_log("StatsManager observeValueForKeyPath: %s", key.c_str());
            manager->load();
        }
    }));
    for (const auto& key : additionalKeyPathsToObserve()) {
        m_observers.push_back(defaults->addObserver(key, [weak](const std::string& key) {
            if (auto manager = weak.lock()) {
                zr_log("StatsManager observeValueForKeyPath: %s", key.c_str());
                manager->triggerDelayedUpdate();
            }
        }));
    }
    if (!m_listening) {
        m_listening = true;
        LogFileManager::sharedInstance().addListener(shared_from_this());
    }
}

std::shared_ptr<Statistic> StatisticsManager::getCurrentStatistic()
{
    base::fatal("- (Statistic*) getCurrentStatistic of BaseClass called!");
}

void StatisticsManager::triggerDelayedUpdate()
{
    std::lock_guard lock(m_timerMutex);
    if (m_updateTimer)
        m_updateTimer->invalidate();
    std::weak_ptr<StatisticsManager> weak = weak_from_this();
    m_updateTimer = base::Timer::create(kUpdateDelay, false, base::RunLoop::Mode::Default, [weak](base::Timer&) {
        if (auto manager = weak.lock())
            manager->triggerUpdate();
    });
    m_updateTimer->setTolerance(kUpdateDelay);
}

bool StatisticsManager::updatePending() const
{
    std::lock_guard lock(m_timerMutex);
    return m_updateTimer && m_updateTimer->isValid();
}

void StatisticsManager::triggerUpdate()
{
    {
        std::lock_guard lock(m_timerMutex);
        m_updateTimer.reset();
    }
    load();
}

StatisticsManager::FactsFilter StatisticsManager::filterSnapshot() const
{
    auto self = std::const_pointer_cast<StatisticsManager>(shared_from_this());
    return [self](const StatisticsFacts& facts) {
        auto judged = self->factsMatchFilterCriteria(facts);
        return judged ? *judged : self->timeSliceMatchesFilterCriteria(*facts.record);
    };
}

void StatisticsManager::performCalculations()
{
    zr_log("performCalculations [start]");
    double started = Clock::now();
    m_waitingText = "Processing Logs...";
    zr_log("select statistic");
    auto statistic = getCurrentStatistic();
    prepareDataSet();
    std::uint64_t computation = ++m_computation;
    if (!statistic) {
        finishCalculations(computation, false, {}, started);
        return;
    }
    // Ten years of log take a moment to count: the main thread goes on meanwhile, and the
    // statistic counts with the set and the filters of this moment.
    statistic->setFilter(filterSnapshot());
    m_computing = true;
    std::weak_ptr<StatisticsManager> weak = weak_from_this();
    LogFileManager::sharedInstance().performInTurn([weak, statistic, data = m_fullData, computation, started] {
        zr_log("compute statistic");
        statistic->computeStatistic(data.get());
        bool noData = statistic->noDataToShow();
        // Written there too: the page is written through to the disk before it is shown.
        std::optional<fs::path> page;
        if (!noData) {
            zr_log("render");
            page = writePage(statistic->render());
        }
        base::MainQueue::async([weak, computation, noData, page, started] {
            if (auto manager = weak.lock())
                manager->finishCalculations(computation, noData, page, started);
        });
    });
}

void StatisticsManager::finishCalculations(std::uint64_t computation, bool noData, const std::optional<fs::path>& page,
    double started)
{
    // A later computation is on its way: this one's page is already out of date.
    if (computation != m_computation)
        return;
    m_computing = false;
    if (noData) {
        m_waitingText = "No Data Found.";
    } else if (page) {
        zr_log("load frame");
        if (m_statisticsWebView)
            m_statisticsWebView(*page);
        zr_log("show stats");
        m_waitingText.clear();
    }
    zr_log("performCalculations [end]");
    zr_log("stats processing took: %f", Clock::now() - started);
}

std::optional<fs::path> StatisticsManager::writePage(const std::string& text)
{
    zr_log("prepare directory");
    prepareOutputDirectory();
    zr_log("create output file");
    fs::path page = outputDirectory() / "index.html";
    zr_log("prepare all files");
    zr_log("renderedString: %s", text.c_str());
    // Written over the old page in one step: no moment without a page to show.
    std::string error;
    if (base::files::writeAtomically(page, text, &error))
        zr_log("%s written successfully.", page.c_str());
    else
        zr_log("Error Writing: %s! %s", page.c_str(), error.c_str());
    return page;
}

void StatisticsManager::prepareDataSet()
{
    m_fullData = LogFileManager::sharedInstance().currentFullDataSet();
    configureFiltersPreFlight();
}

fs::path StatisticsManager::outputDirectory()
{
    return BackingStoreManager::applicationSupportDirectory() / kOutputDirectoryName;
}

void StatisticsManager::prepareOutputDirectory()
{
    fs::path output = outputDirectory();
    std::error_code error;
    fs::remove_all(output, error);
    auto library = base::Resources::path("chartist", "css", "stats");
    if (!library) {
        zr_log("prepareOutputDirectory: the chart library is missing from the resources; pages show no charts");
        base::files::createDirectories(output);
        return;
    }
    fs::create_directories(output.parent_path(), error);
    fs::copy(library->parent_path(), output, fs::copy_options::recursive, error);
    if (error)
        zr_log("prepareOutputDirectory: could not copy the chart library: %s", error.message().c_str());
}

namespace {

// The system's write error as the standard error presentation shows it: which file could
// not be saved where, and why.
void presentWriteError(const std::filesystem::path& file, const std::string& error)
{
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Warning;
    alert.message = "The file \"" + file.filename().string() + "\" could not be saved in the folder \""
        + file.parent_path().filename().string() + "\".";
    // The files layer says "cannot write PATH: reason"; the reason is what helps.
    auto colon = error.rfind(": ");
    alert.informativeText = colon == std::string::npos ? error : error.substr(colon + 2);
    alert.buttons = { "OK" };
    base::AlertPresenter::present(alert);
}

}

bool StatisticsManager::exportCSVTo(const std::string& path)
{
    zr_log("exportCSVTo [start]");
    std::string error;
    // The new file replaces the old one in one step: a failed export leaves the old file.
    bool written = base::files::writeAtomically(path, CsvExport::text(m_fullData.get()), &error);
    if (!written)
        presentWriteError(path, error);
    zr_log("exportCSVTo [end]");
    // The caller learns of the failure too, though the user has been told already: an
    // export that did not happen is not answered as one that did.
    return written;
}

}
