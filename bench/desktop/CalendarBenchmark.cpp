// The strip beside the duration slider asks for the coming hour every 15 seconds, on the
// main thread: a 60-minute query over a store of 5,000 events, cold (every file parsed) and
// warm (nothing changed since the last query). The target: warm at most 5 ms.
#include "bench/desktop/BenchCalendarStore.h"
#include "platform/desktop/Calendar.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

using namespace bench::calendar;

void ColdQuery(benchmark::State& state)
{
    std::size_t found = 0;
    double kept = 0;
    for (auto _ : state) {
        std::size_t before = mallinfo2().uordblks;
        auto calendar = desktop::Calendar::createForStore(store());
        found = calendar->events(queryStart(), queryStart() + 3600).size();
        kept = double(mallinfo2().uordblks - before);
    }
    state.counters["events"] = double(found);
    // What the parsed store keeps in memory.
    state.counters["keptMB"] = kept / 1e6;
}
BENCHMARK(ColdQuery)->Unit(benchmark::kMillisecond);

// Every 15 seconds, as the strip asks; a new day's window is made once every 5,760 queries.
void WarmQuery(benchmark::State& state)
{
    auto calendar = desktop::Calendar::createForStore(store());
    calendar->events(queryStart(), queryStart() + 3600);
    double now = queryStart();
    for (auto _ : state) {
        now += 15;
        benchmark::DoNotOptimize(calendar->events(now, now + 3600));
    }
}
BENCHMARK(WarmQuery)->Unit(benchmark::kMicrosecond);

// The worst of the warm ones: files unchanged, but the kept day has run out, so every
// repetition is expanded again.
void WarmQueryOnANewDay(benchmark::State& state)
{
    auto calendar = desktop::Calendar::createForStore(store());
    double now = queryStart();
    calendar->events(now, now + 3600);
    for (auto _ : state) {
        now += 86400 + 15;
        benchmark::DoNotOptimize(calendar->events(now, now + 3600));
    }
}
BENCHMARK(WarmQueryOnANewDay)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
