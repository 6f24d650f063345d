// The log book over about 10,000 logged slices: after one entry changed and the log was read
// again, the frame is drawn within 20 ms of the log book hearing of it, the rows' heights
// coming out exactly as a fresh layout gives them. The cold reload (no height known yet) is
// measured too. Every file but the changed one is a day old, so the reader keeps its records.
#include "BenchWindow.h"

#include "mainwindow/LogBookRowHeights.h"
#include "mainwindow/LogBookTableView.h"
#include "mainwindow/LogBookTableViewController.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/NowAndLaterBoardManager.h"

#include "log/FullDataSet.h"
#include "log/LogFileManager.h"
#include "log/Logger.h"
#include "tools/loggen/LogGenerator.h"

#include "platform/ui/Window.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using ostrel::LogFileManager;

// About 10,000 slices over two years, made once and kept between runs.
void ensureLog()
{
    fs::path folder = ostrel::Logger::systemLogFolderPath();
    if (fs::exists(folder / ".complete"))
        return;
    fs::remove_all(folder);
    ostrel::loggen::Options options;
    options.years = 2;
    options.minSlicesPerDay = 13;
    options.maxSlicesPerDay = 14;
    auto summary = ostrel::loggen::generate(folder, options);
    std::fprintf(stderr, "generated %zu files, %zu slices\n", summary.files, summary.slices);
    std::ofstream(folder / ".complete") << "done";
}

// Every file dated two days back, as in a folder where nobody wrote today: the reader then
// keeps the records of every file but the one that changes.
void ageEverything()
{
    auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
    for (const auto& entry : fs::recursive_directory_iterator(ostrel::Logger::systemLogFolderPath()))
        fs::last_write_time(entry.path(), old);
}

// Reads the whole log on the reload queue and waits for the new set.
std::shared_ptr<const ostrel::FullDataSet> reloadNow()
{
    auto& manager = LogFileManager::sharedInstance();
    auto before = manager.currentFullDataSet();
    manager.internalAyncUpdate();
    while (manager.currentFullDataSet() == before)
        bench::BenchWindow::turn();
    return manager.currentFullDataSet();
}

// The log book open in the main window, the log read, and nobody told yet.
ostrel::LogBookTableViewController& openLogBook(bench::BenchWindow& bench)
{
    ensureLog();
    ageEverything();
    bench.open();
    // The log book hears of reloads only when the benchmark says so.
    LogFileManager::sharedInstance().reset();
    LogFileManager::sharedInstance().setUpdateHandler([] { });
    auto& controller = *bench.mainWindow().controller();
    controller.showPad("logBookPadHidden");
    bench.window().display();
    reloadNow();
    return *controller.logBookTableViewController();
}



void LogBookFrameAfterOneEntryChanged(benchmark::State& state)
{
    bench::BenchWindow bench("ostrel-bench-logbook");
    auto& logBook = openLogBook(bench);
    logBook.logFilesWereUpdated();
    bench.window().display();
    auto& manager = LogFileManager::sharedInstance();
    int round = 0;
    int rounds = 0;
    double rowsMs = 0;
    double frameMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The newest entry gets a new objective, as the editor would give it.
        auto newest = manager.currentFullDataSet()->fullTimeSlices().front();
        ostrel::FullTimeSlice changed;
        changed.setUuid(newest->uuid());
        changed.setObjectiveText(text::AttributedString::fromUtf8("Changed objective, round " + std::to_string(++round)));
        changed.setStartDate(newest->startDate());
        changed.setDuration(newest->duration());
        changed.setActualDuration(newest->actualDuration());
        changed.setFocusRating(newest->focusRating());
        changed.setTagString(newest->tagString());
        manager.createOrRetrieveLogFile(*newest->fullPathOfLogFile())
            ->addOrReplaceThenSaveAndUpdate(changed, newest->uuid(), newest->positionInFile());
        reloadNow();
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        logBook.logFilesWereUpdated();
        auto heard = std::chrono::steady_clock::now();
        bench.window().display();
        auto drawn = std::chrono::steady_clock::now();
        rowsMs += std::chrono::duration<double, std::milli>(heard - start).count();
        frameMs += std::chrono::duration<double, std::milli>(drawn - heard).count();
        ++rounds;
    }
    state.counters["rowsMs"] = rowsMs / std::max(rounds, 1);
    state.counters["frameMs"] = frameMs / std::max(rounds, 1);
    // Every row as a fresh layout gives it, whatever the heights remembered.
    auto& table = *logBook.tableView();
    text::LayoutDefaults defaults { ostrel::NowAndLaterBoardManager::sharedManager().defaultFont(),
        ostrel::NowAndLaterBoardManager::sharedManager().textColor() };
    int differing = 0;
    for (int row = 0; row < logBook.numberOfRows(table); ++row) {
        auto record = logBook.objectValueFor(row);
        double fresh = ostrel::LogBookRowHeights::measure(record->objectiveText(), table.bounds().width() - 20, defaults)
            + (record->tagString().empty() ? 33 : 56);
        differing += table.rectOfRow(row).height() != fresh;
    }
    state.counters["rows"] = logBook.numberOfRows(table);
    state.counters["rowsUnlikeAFreshLayout"] = differing;
}
BENCHMARK(LogBookFrameAfterOneEntryChanged)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void LogBookColdReload(benchmark::State& state)
{
    std::unique_ptr<bench::BenchWindow> bench;
    for (auto _ : state) {
        state.PauseTiming();
        bench.reset();
        bench = std::make_unique<bench::BenchWindow>("ostrel-bench-logbook");
        auto& logBook = openLogBook(*bench);
        state.ResumeTiming();
        logBook.logFilesWereUpdated();
        bench->window().display();
    }
}
BENCHMARK(LogBookColdReload)->Unit(benchmark::kMillisecond)->Iterations(3);

}

BENCHMARK_MAIN();
