#include "command/ActionMatchingItem.h"
#include "command/MatchingGroupItem.h"
#include "command/MatchingItemList.h"
#include "command/OstrelMatchingItemList.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ostrel;

// The application's list ranking over entries set directly, without a screen or a shell.
class RankingList final : public MatchingItemList {
public:
    void configureItemScoreEvaluator() override { itemScoreEvaluator().evaluators = OstrelMatchingItemList::rankingChain(); }
    MatchingCriteria prepareMatchingCriteria() const override { return { currentSearchString() }; }
};

// Titles and paths shaped like the real table: a few words, one or two groups deep.
MatchingItemList::Items entries(int count)
{
    const char* words[] = { "Start", "Time", "Slice", "Toggle", "Pad", "Show", "Statistics", "Break", "Sound",
        "Objective", "Log", "Export", "Mute", "Window", "Compact", "Field" };
    const std::vector<std::string> paths[] = { { "Tools", "Sidebar" }, { "Actions" }, { "Tools", "Sounds" },
        { "State-Specific Options", "Duration Slider Options" }, { "Help" } };
    MatchingItemList::Items items;
    for (int i = 0; i < count; ++i) {
        auto title = std::string(words[i % 16]) + " " + words[(i / 16 + 3) % 16] + " " + words[(i * 7) % 16] + " "
            + std::to_string(i);
        if (i % 10 == 0)
            items.push_back(MatchingGroupItem::create(title, paths[i % 5]));
        else
            items.push_back(ActionMatchingItem::create(title, paths[i % 5], static_cast<MatchingItemKind>(i % 19), [] { }));
    }
    return items;
}

// One keystroke: append a character and rank again, as typing "statistics" does.
void rankingPerKeystroke(benchmark::State& state)
{
    RankingList list;
    list.setAllMatchingOptionsAsMatchingItems(entries(static_cast<int>(state.range(0))));
    list.configureItemScoreEvaluator();
    const std::string typed = "statistics";
    std::size_t next = 0;
    for (auto _ : state) {
        if (next == typed.size()) {
            state.PauseTiming();
            list.resetSearchTerm();
            next = 0;
            state.ResumeTiming();
        }
        list.addToSearchTerm(typed.substr(next++, 1));
        benchmark::DoNotOptimize(list.matchingItems().data());
    }
}
BENCHMARK(rankingPerKeystroke)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
