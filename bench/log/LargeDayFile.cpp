// One day file holding a great many entries (a log kept in one file by a script, or a day of
// a shared folder gone wild): reading it must grow with its size, not with its square. Files
// of 15,000 to 120,000 entries are read as the reload reads them; the time per thousand
// entries should stay flat from one size to the next. Beside it, a raw read of the same bytes.
#include "bench/log/TenYears.h"
#include "log/FullDataSet.h"
#include "log/LogEntry.h"

#include "platform/text/Rtf.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

// A package of `entries` entries, made once and kept in the temporary folder.
fs::path dayFileOf(int entries)
{
    bench::tenYears(); // the resources, for the entry template
    fs::path folder = fs::temp_directory_path() / ("ostrel-bench-large-day-" + std::to_string(entries));
    fs::path package = folder / "System Log Day 2026-12-07 (default).rtfd";
    if (fs::exists(folder / ".complete"))
        return package;
    fs::remove_all(folder);
    fs::create_directories(package);
    text::AttributedString all;
    for (int i = 0; i < entries; ++i) {
        ostrel::LogEntryValues values;
        char uuid[40];
        std::snprintf(uuid, sizeof uuid, "%08X-0000-4000-8000-%012X", unsigned(i), unsigned(i * 7919));
        values.uuid = uuid;
        text::Attributes bold;
        bold.font = gfx::Font::named("Helvetica-Bold", 13);
        auto objective = text::AttributedString::fromUtf8("Entry " + std::to_string(i) + " of ");
        objective.append(text::AttributedString::fromUtf8("the large day", bold));
        values.objective = objective;
        values.completed = i % 2 == 0;
        values.duration = 1500;
        values.actualDuration = 1490;
        values.tags = i % 3 ? "deep,code" : "";
        values.startDate = 818294400 + i * 0.5;
        values.focusRating = "good";
        all.append(ostrel::makeLogEntry(values, ostrel::LogEntryKind::New));
    }
    std::ofstream(package / "TXT.rtf", std::ios::binary) << text::Rtf::write(all);
    std::ofstream(folder / ".complete") << "done";
    return package;
}

void ReadOneLargeDayFile(benchmark::State& state)
{
    auto package = dayFileOf(int(state.range(0)));
    std::size_t records = 0;
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        ostrel::FullDataSet set;
        records = set.loadRTFDFile(package.string()).size();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["entries"] = double(records);
    state.counters["MB"] = double(fs::file_size(package / "TXT.rtf")) / 1e6;
    // Flat from one size to the next when the read is linear.
    state.counters["ms_per_1000_entries"] = seconds * 1000 / double(state.iterations()) / (double(records) / 1000);
}
BENCHMARK(ReadOneLargeDayFile)->Arg(15'000)->Arg(30'000)->Arg(60'000)->Arg(120'000)->Unit(benchmark::kMillisecond)->Iterations(2);

void RawReadOfIt(benchmark::State& state)
{
    auto package = dayFileOf(int(state.range(0)));
    for (auto _ : state) {
        std::ifstream in(package / "TXT.rtf", std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(RawReadOfIt)->Arg(120'000)->Unit(benchmark::kMillisecond);

}
