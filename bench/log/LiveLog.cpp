// The live log on ten years of history: the reload after one day file changed (target
// 5 ms), each statistic as the program shows it (the set and filters taken, the numbers
// counted on the reload queue, the page written and handed to the view; target 5 ms each),
// and the CSV export of every slice. The targets are the design's, printed beside each
// figure as target_ms.
#include "bench/log/TenYears.h"
#include "log/FullDataSet.h"
#include "log/FullFeaturedStatisticsManager.h"
#include "log/LogFileManager.h"
#include "log/Statistic.h"
#include "platform/base/Defaults.h"
#include "platform/base/RunLoop.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Every file dated two days back, as in a folder where nobody wrote today: the reader then
// keeps their records and parses only what changes.
void ageEverything(const fs::path& folder)
{
    auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        fs::last_write_time(entry.path(), old);
}

fs::path someDayFile(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_directory() && entry.path().extension() == ".rtfd")
            return entry.path();
    }
    return {};
}

std::shared_ptr<ostrel::FullDataSet> reload(const fs::path& folder, const ostrel::FullDataSet* previous = nullptr,
    const std::vector<std::string>* changedNames = nullptr)
{
    auto set = std::make_shared<ostrel::FullDataSet>();
    set->loadFromFolder(folder.string(), "System Log", previous, changedNames);
    return set;
}

// As the program reloads: from the set it published last, which lends every day that did
// not change, told by the folder's watch which day changed (argument 1), or looking at every
// file's times when the watch is not running (argument 0). Timed to the new set ready to
// publish; the program lets the old one go after publishing, which drop_ms counts apart.
void WarmReloadAfterOneDayChanged(benchmark::State& state)
{
    const auto& folder = bench::tenYears();
    bench::forgetEverything();
    ageEverything(folder);
    auto changed = someDayFile(folder);
    auto published = reload(folder);
    std::vector<std::string> seen { changed.filename().string() };
    const auto* changedNames = state.range(0) ? &seen : nullptr;
    std::size_t slices = 0;
    double dropped = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The sync client put a new version of one day in place.
        auto now = fs::file_time_type::clock::now();
        for (const auto& file : fs::directory_iterator(changed))
            fs::last_write_time(file.path(), now);
        fs::last_write_time(changed, now);
        state.ResumeTiming();
        auto set = reload(folder, published.get(), changedNames);
        state.PauseTiming();
        slices = set->timeSlices().size();
        auto dropStarted = std::chrono::steady_clock::now();
        published = std::move(set);
        dropped += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - dropStarted).count();
        state.ResumeTiming();
    }
    state.counters["slices"] = double(slices);
    state.counters["drop_ms"] = dropped / double(std::max<std::int64_t>(1, state.iterations()));
    state.counters["target_ms"] = 5;
}
BENCHMARK(WarmReloadAfterOneDayChanged)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The manager over the whole ten years, filters on but letting everything through, as
// after the first reload.
std::shared_ptr<ostrel::FullFeaturedStatisticsManager> statisticsManager()
{
    static auto manager = [] {
        // The pages go to a folder of the benchmark's own, not the developer's data.
        setenv("XDG_DATA_HOME", (fs::temp_directory_path() / "ostrel-bench-live-log").c_str(), 1);
        base::Defaults::setStandard(base::Defaults::create({}));
        base::Defaults::standard()->registerDefaults({ { "currentlyDisplayedStatistic", 0 }, { "filtering", true },
            { "tagFilter", "" }, { "statsRadioButtonChoice", 0 }, { "statsDateMode", 0 },
            { "statsFromDate", "2000-01-01" }, { "statsToDate", "2020-01-01" } });
        bench::forgetEverything();
        ostrel::LogFileManager::sharedInstance().setCurrentFullDataSet(reload(bench::tenYears()));
        auto manager = ostrel::FullFeaturedStatisticsManager::create();
        manager->prepareDataSet();
        return manager;
    }();
    return manager;
}

// The numbers and the page text, with the set and filters taken as the program takes them:
// what the reload queue works out (target 5 ms).
void StatisticComputeAndPage(benchmark::State& state)
{
    auto manager = statisticsManager();
    base::Defaults::standard()->set("currentlyDisplayedStatistic", state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto statistic = manager->getCurrentStatistic();
        manager->prepareDataSet();
        statistic->setFilter(manager->filterSnapshot());
        statistic->computeStatistic(manager->fullData().get());
        auto page = statistic->render();
        bytes = page.size();
        benchmark::DoNotOptimize(page);
    }
    state.counters["slices"] = double(manager->fullData()->timeSlices().size());
    state.counters["page_bytes"] = double(bytes);
    state.counters["target_ms"] = 5;
}
// Overview of 7 and 28 days, weekdays, hours, report.
BENCHMARK(StatisticComputeAndPage)->Arg(0)->Arg(6)->Arg(1)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

// From asking to the page handed to the view, as a change of the chosen statistic shows it:
// the numbers, the chart library copied beside the page and the page written through to the
// disk, all on the reload queue (wall time; the main thread only waits here).
void StatisticAsTheProgramShowsIt(benchmark::State& state)
{
    auto manager = statisticsManager();
    std::size_t pages = 0;
    manager->setStatisticsWebView([&pages](const fs::path&) { ++pages; });
    base::Defaults::standard()->set("currentlyDisplayedStatistic", state.range(0));
    for (auto _ : state) {
        manager->performCalculations();
        while (manager->computing())
            base::RunLoop::main().runOnce();
    }
    state.counters["slices"] = double(manager->fullData()->timeSlices().size());
    state.counters["pages"] = double(pages);
}
BENCHMARK(StatisticAsTheProgramShowsIt)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

void CsvExport(benchmark::State& state)
{
    auto manager = statisticsManager();
    fs::path file = fs::temp_directory_path() / "ostrel-bench-export.csv";
    for (auto _ : state)
        benchmark::DoNotOptimize(manager->exportCSVTo(file.string()));
    state.counters["MB"] = double(fs::file_size(file)) / 1e6;
    fs::remove(file);
}
BENCHMARK(CsvExport)->Unit(benchmark::kMillisecond);

}
