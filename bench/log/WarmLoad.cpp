// Ten years of log read as the program reads them at start (listing, reading and parsing
// every day file on the machine's cores, sorting), with the files in the page cache, against
// one `cat` of the same files. The design's target: at most 1.2 times the `cat`. The
// program's own figure, taken while its window starts beside it, is bench_app's.
#include "bench/log/TenYears.h"
#include "log/FullDataSet.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <sys/resource.h>
#include <vector>

namespace {

using bench::forgetEverything;
using bench::tenYears;

double processCpuSeconds()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void WarmLoadAgainstCat(benchmark::State& state)
{
    const auto& folder = tenYears();
    auto files = bench::filesIn(folder);
    bench::catSeconds(files);
    std::vector<double> loads, cats, cpu;
    std::size_t slices = 0;
    for (auto _ : state) {
        // Taken in turns, so that both see the same load of the machine.
        if (auto cat = bench::catSeconds(files))
            cats.push_back(*cat);
        forgetEverything();
        double cpuBefore = processCpuSeconds();
        auto started = std::chrono::steady_clock::now();
        auto set = std::make_unique<ostrel::FullDataSet>();
        set->loadFromFolder(folder.string(), "System Log");
        loads.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        cpu.push_back(processCpuSeconds() - cpuBefore);
        slices = set->timeSlices().size();
    }
    state.counters["slices"] = double(slices);
    state.counters["load_ms"] = median(loads) * 1000;
    state.counters["load_cpu_ms"] = median(cpu) * 1000;
    state.counters["cat_ms"] = median(cats) * 1000;
    state.counters["ratio"] = median(loads) / median(cats);
    state.counters["target_ratio"] = 1.2;
}
BENCHMARK(WarmLoadAgainstCat)->Unit(benchmark::kMillisecond)->Iterations(9);

}
