#include "command/ActionMatchingItem.h"
#include "command/Evaluator.h"
#include "command/ItemScoreEvaluator.h"
#include "command/MatchingCriteria.h"
#include "command/MatchingGroupItem.h"
#include "command/MatchingText.h"
#include "command/OstrelMatchingItemList.h"

#include <gtest/gtest.h>

#include <map>

namespace ostrel {
namespace {

std::shared_ptr<MatchingItem> entry(std::string title, std::vector<std::string> path = {},
    MatchingItemKind kind = MatchingItemKind::item)
{
    return ActionMatchingItem::create(std::move(title), std::move(path), kind, [] { });
}

ItemScoreEvaluator applicationChain()
{
    ItemScoreEvaluator chain;
    chain.evaluators = OstrelMatchingItemList::rankingChain();
    return chain;
}

double scoreOf(const Evaluator& evaluator, const std::string& typed, const std::string& title,
    std::vector<std::string> path = {})
{
    return evaluator.evaluateScore(*entry(title, std::move(path)), MatchingCriteria { typed });
}

struct ScorerCase {
    const char* scorer;
    const char* typed;
    const char* title;
    std::vector<std::string> path;
    double expected;
};

TEST(Scoring, EachScorerGivesTheDocumentedFigures)
{
    PrefixPreciseStringMatchingEvaluator prefix;
    PartialPreciseStringMatchEvaluator partial;
    PartialContiguousExpandedStringMatchEvaluator expanded;
    NonContiguousPreciseMatchingStringEvaluator subsequence;
    std::map<std::string, const Evaluator*> scorers {
        { "prefix", &prefix }, { "partial", &partial }, { "path", &expanded }, { "subsequence", &subsequence }
    };
    const ScorerCase cases[] = {
        { "prefix", "", "Anything", {}, 0.5 },
        { "prefix", "st", "Start Time Slice", {}, 0.3 * 2 + 1.0 + 2.0 / 16 },
        { "prefix", "ST", "Start Time Slice", {}, 0.3 * 2 + 1.0 + 2.0 / 16 },
        { "prefix", "time", "Start Time Slice", {}, 0 },
        { "prefix", "start time slice!", "Start Time Slice", {}, 0 },
        { "partial", "", "Anything", {}, 0.5 },
        { "partial", "time", "Start Time Slice", {}, 0.5 + 0.4 * 4 / 16 },
        { "partial", "xyz", "Start Time Slice", {}, 0 },
        { "path", "", "Anything", {}, 0.5 },
        { "path", "tools", "Toggle Now Pad", { "Tools", "Sidebar" }, 1.0 },
        { "path", "side", "Toggle Now Pad", { "Tools", "Sidebar" }, 1.0 },
        { "path", "ool", "x", { "Tools", "Pools" }, 0.4 },
        { "path", "o", "x", { "Xo", "Yo", "Zo", "Wo", "Vo", "Uo" }, 1.0 },
        { "path", "tools", "Tools", {}, 0 },
        { "subsequence", "", "Anything", {}, 1.0 },
        { "subsequence", "ti", "time", {}, 3 },
        { "subsequence", "ts", "time slice", {}, 2 },
        { "subsequence", "tim", "time", {}, 5 },
        { "subsequence", "tt", "time", {}, 0 },
        { "subsequence", "times", "time", {}, 0 },
        { "subsequence", "TSL", "Start Time Slice", {}, 1 + 1 + 2 },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(std::string(c.scorer) + " '" + c.typed + "' vs '" + c.title + "'");
        EXPECT_DOUBLE_EQ(scoreOf(*scorers.at(c.scorer), c.typed, c.title, c.path), c.expected);
    }
}

TEST(Scoring, LengthsCountUserPerceivedCharacters)
{
    PrefixPreciseStringMatchingEvaluator prefix;
    NonContiguousPreciseMatchingStringEvaluator subsequence;
    // "Café" written with a combining accent is four characters, and matches the composed form.
    EXPECT_DOUBLE_EQ(scoreOf(prefix, "caf\u00e9", "Cafe\u0301 Break"), 0.3 * 4 + 1.0 + 4.0 / 10);
    EXPECT_DOUBLE_EQ(scoreOf(subsequence, "\u00c9B", "\u00e9 break"), 2);
    // A plain "e" must not match the first half of an accented letter.
    EXPECT_DOUBLE_EQ(scoreOf(prefix, "cafe", "Cafe\u0301"), 0);
    // Full case mapping, not byte-wise: the capital sharp s lower-cases to ß.
    EXPECT_DOUBLE_EQ(scoreOf(prefix, "\u1e9e", "\u00dfig"), 0.3 + 1.0 + 1.0 / 3);
}

TEST(Scoring, KindBonusesRankAnEmptyQuery)
{
    const std::pair<MatchingItemKind, double> expected[] = {
        { MatchingItemKind::defaultChoice, 4.7 }, { MatchingItemKind::firstAlternative, 4.5 },
        { MatchingItemKind::firstAction, 4.5 }, { MatchingItemKind::secondAction, 4.3 },
        { MatchingItemKind::thirdAlternative, 4.1 }, { MatchingItemKind::fourthAction, 3.9 },
        { MatchingItemKind::fifthAlternative, 3.7 }, { MatchingItemKind::sixthAction, 3.5 },
        { MatchingItemKind::seventhAlternative, 3.3 }, { MatchingItemKind::seventhAction, 3.3 },
        { MatchingItemKind::item, 3.1 }, { MatchingItemKind::group, 2.9 },
        { MatchingItemKind::stateOption, 2.7 }, { MatchingItemKind::globalOption, 2.5 },
    };
    auto chain = applicationChain();
    for (auto& [kind, score] : expected) {
        auto item = entry("Whatever", {}, kind);
        auto ranked = chain.evaluate({ item }, MatchingCriteria { "" });
        ASSERT_EQ(ranked.size(), 1u);
        EXPECT_NEAR(item->matchingScore(), score, 1e-12) << rawValue(kind);
    }
}

std::vector<std::string> titlesOf(const std::vector<std::shared_ptr<MatchingItem>>& items)
{
    std::vector<std::string> titles;
    for (auto& item : items)
        titles.push_back(item->displayString());
    return titles;
}

TEST(Ranking, DropsWhatNoTextMatcherAcceptsEvenWithAKindBonus)
{
    auto chain = applicationChain();
    auto kept = entry("Start Time Slice", {}, MatchingItemKind::defaultChoice);
    auto dropped = entry("Quit...", {}, MatchingItemKind::defaultChoice);
    auto ranked = chain.evaluate({ dropped, kept }, MatchingCriteria { "slice" });
    EXPECT_EQ(titlesOf(ranked), std::vector<std::string> { "Start Time Slice" });
    EXPECT_EQ(dropped->matchingScore(), 0);
}

TEST(Ranking, AGroupNameTypedListsEverythingInsideIt)
{
    auto chain = applicationChain();
    auto ranked = chain.evaluate({ entry("Mute All Sounds", { "Tools", "Sounds" }),
                                     MatchingGroupItem::create("Sidebar", { "Tools" }),
                                     entry("Quit...", { "Actions" }) },
        MatchingCriteria { "tools" });
    EXPECT_EQ(titlesOf(ranked), (std::vector<std::string> { "Mute All Sounds", "Sidebar" }));
}

TEST(Ranking, EqualScoresSortByLowerCasedTitleThenKeepTheirOrder)
{
    auto chain = applicationChain();
    auto first = entry("same");
    auto second = entry("Same");
    auto ranked = chain.evaluate({ entry("beta"), first, entry("Alpha"), second, entry("Gamma", {},
                                     MatchingItemKind::defaultChoice) },
        MatchingCriteria { "" });
    EXPECT_EQ(titlesOf(ranked), (std::vector<std::string> { "Gamma", "Alpha", "beta", "same", "Same" }));
    EXPECT_EQ(ranked[3], first);
    EXPECT_EQ(ranked[4], second);
}

TEST(Ranking, CaseNeverMatters)
{
    auto chain = applicationChain();
    auto upper = entry("Toggle Now Pad", { "Tools", "Sidebar" });
    auto lower = entry("Toggle Now Pad", { "Tools", "Sidebar" });
    chain.evaluate({ upper }, MatchingCriteria { "TOGGLE" });
    chain.evaluate({ lower }, MatchingCriteria { "toggle" });
    EXPECT_GT(upper->matchingScore(), 0);
    EXPECT_DOUBLE_EQ(upper->matchingScore(), lower->matchingScore());
}

TEST(MatchingText, RemovesOneWholeCharacterFromTheEnd)
{
    EXPECT_EQ(removingLastCharacter("abc"), "ab");
    EXPECT_EQ(removingLastCharacter(""), "");
    EXPECT_EQ(removingLastCharacter("cafe\u0301"), "caf");
    EXPECT_EQ(removingLastCharacter("hi \U0001F44D\U0001F3FD"), "hi ");
    EXPECT_EQ(removingLastCharacter("a\r\n"), "a");
}

}
}
