#include "command/ActionMatchingItem.h"
#include "command/MatchingGroupItem.h"
#include "command/MatchingItemList.h"
#include "command/OstrelMatchingItemList.h"

#include <benchmark/benchmark.h>

#include <span>

namespace {

using namespace ostrel;

// The application's list ranking over entries set directly, without a screen or a shell.
class RankingList final : public MatchingItemList {
public:
    void configureItemScoreEvaluator() override { itemScoreEvaluator().evaluators = OstrelMatchingItemList::rankingChain(); }
    MatchingCriteria prepareMatchingCriteria() const override { return { currentSearchString() }; }
};

const char* const englishWords[] = { "Start", "Time", "Slice", "Toggle", "Pad", "Show", "Statistics", "Break",
    "Sound", "Objective", "Log", "Export", "Mute", "Window", "Compact", "Field" };
// Accents, composed and decomposed: every title leaves the plain-ASCII path, and so does the
// query once "ê" is typed.
const char* const foreignWords[] = { "D\u00e9marrer", "Cr\u00e9neau", "Tranche", "Basculer", "Bloc", "Afficher",
    "Statistiques", "Pause", "Son", "Objectif", "Journal", "Exporter", "Muet", "Fen\u00eatre", "Compacte",
    "Champ\u0301" };

// Titles and paths shaped like the real table: a few words, one or two groups deep.
MatchingItemList::Items entries(int count, std::span<const char* const> words)
{
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

// One keystroke: append a character and rank again, as typing the word does.
void rankKeystrokes(benchmark::State& state, std::span<const char* const> words, const std::string& typed)
{
    RankingList list;
    list.setAllMatchingOptionsAsMatchingItems(entries(static_cast<int>(state.range(0)), words));
    list.configureItemScoreEvaluator();
    std::size_t next = 0;
    for (auto _ : state) {
        if (next == typed.size()) {
            state.PauseTiming();
            list.resetSearchTerm();
            next = 0;
            state.ResumeTiming();
        }
        // One character of the word at a time, whole: "ê" is two bytes.
        auto length = std::size_t { 1 };
        while (next + length < typed.size() && (static_cast<unsigned char>(typed[next + length]) & 0xC0) == 0x80)
            ++length;
        list.addToSearchTerm(typed.substr(next, length));
        next += length;
        benchmark::DoNotOptimize(list.matchingItems().data());
    }
}

void rankingPerKeystroke(benchmark::State& state)
{
    rankKeystrokes(state, englishWords, "statistics");
}
BENCHMARK(rankingPerKeystroke)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void rankingNonAsciiPerKeystroke(benchmark::State& state)
{
    rankKeystrokes(state, foreignWords, "fen\u00eatre");
}
BENCHMARK(rankingNonAsciiPerKeystroke)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
