// Cold load of ten years of log (3,650 day files, about 55,000 slices) against reading the
// same bytes raw. The target, the design's: the load takes at most 1.2 times as long as one
// raw read of the folder (target_ratio beside the ratio).
#include "bench/log/TenYears.h"
#include "log/FullDataSet.h"
#include "platform/base/RestingMemory.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using bench::forgetEverything;
using bench::tenYears;

// Lists the folder and reads every file of every package, as a program that only wanted
// the bytes would.
std::size_t readRaw(const fs::path& folder)
{
    std::size_t total = 0;
    std::vector<char> buffer(1 << 16);
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_directory())
            continue;
        for (const auto& file : fs::directory_iterator(entry.path())) {
            std::ifstream in(file.path(), std::ios::binary);
            while (in.read(buffer.data(), std::streamsize(buffer.size())) || in.gcount() > 0)
                total += std::size_t(in.gcount());
        }
    }
    return total;
}

std::unique_ptr<ostrel::FullDataSet> loadCold(const fs::path& folder)
{
    auto set = std::make_unique<ostrel::FullDataSet>();
    set->loadFromFolder(folder.string(), "System Log");
    return set;
}

template<class Work>
double medianSeconds(Work work, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        forgetEverything();
        auto start = std::chrono::steady_clock::now();
        auto result = work();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        benchmark::DoNotOptimize(result);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double peakMegabytes()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double residentNow() { return double(base::resting::residentKilobytes()) * 1024 / 1e6; }

void RawRead(benchmark::State& state)
{
    const auto& folder = tenYears();
    std::size_t bytes = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(bytes = readRaw(folder));
    state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(RawRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void ColdLoad(benchmark::State& state)
{
    const auto& folder = tenYears();
    std::size_t slices = 0;
    for (auto _ : state) {
        state.PauseTiming();
        forgetEverything();
        state.ResumeTiming();
        auto set = loadCold(folder);
        state.PauseTiming();
        slices = set->timeSlices().size();
        set.reset();
        state.ResumeTiming();
    }
    // Interleaved, so that both see the same load of the machine.
    double raw = 0, load = 0;
    for (int round = 0; round < 3; ++round) {
        raw += medianSeconds([&] { return readRaw(folder); }, 3);
        load += medianSeconds([&] { return loadCold(folder); }, 3);
    }
    state.counters["slices"] = double(slices);
    state.counters["raw_ms"] = raw * 1000;
    state.counters["load_ms"] = load * 1000;
    state.counters["ratio"] = load / raw;
    state.counters["target_ratio"] = 1.2;
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(ColdLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

// The heap a loaded ten years hold, counted by the allocator: what the program's RSS with
// that log adds to its idle size, without the pages the reading threads used and gave back.
void TenYearsHeldInMemory(benchmark::State& state)
{
    const auto& folder = tenYears();
    double heldMegabytes = 0;
    double residentMegabytes = 0;
    std::size_t slices = 0;
    for (auto _ : state) {
        forgetEverything();
        malloc_trim(0);
        auto before = mallinfo2();
        double residentBefore = residentNow();
        auto set = loadCold(folder);
        malloc_trim(0);
        auto after = mallinfo2();
        heldMegabytes = (double(after.uordblks) + double(after.hblkhd) - double(before.uordblks) - double(before.hblkhd)) / 1e6;
        residentMegabytes = residentNow() - residentBefore;
        slices = set->timeSlices().size();
    }
    state.counters["slices"] = double(slices);
    state.counters["held_MB"] = heldMegabytes;
    // With what the allocator keeps around what is held: the pages the program's RSS grows by.
    state.counters["resident_MB"] = residentMegabytes;
    state.counters["bytes_per_slice"] = slices ? heldMegabytes * 1e6 / double(slices) : 0;
}
BENCHMARK(TenYearsHeldInMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}

BENCHMARK_MAIN();
