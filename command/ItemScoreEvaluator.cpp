#include "command/ItemScoreEvaluator.h"

#include "command/Evaluator.h"
#include "command/MatchingCriteria.h"
#include "command/MatchingItem.h"

#include <algorithm>

namespace ostrel {

std::vector<std::shared_ptr<MatchingItem>> ItemScoreEvaluator::evaluate(
    const std::vector<std::shared_ptr<MatchingItem>>& matchingItems, const MatchingCriteria& matchingCriteria) const
{
    struct Ranked {
        std::shared_ptr<MatchingItem> item;
        // The display string is the title, already lower-cased as matching folds it.
        const std::string* sortKey { nullptr };
    };
    std::vector<Ranked> kept;
    kept.reserve(matchingItems.size());
    for (auto& item : matchingItems) {
        item->setMatchingScore(0);
        double total = 0;
        for (auto& [evaluator, weight] : evaluators) {
            if (evaluator->bailBeforeRunningIfScoreIsStillZero() && total == 0)
                break;
            total += weight * evaluator->evaluateScore(*item, matchingCriteria);
        }
        item->setMatchingScore(total);
        if (total > 0)
            kept.push_back({ item, &item->foldedTitle().text() });
    }
    std::stable_sort(kept.begin(), kept.end(), [](const Ranked& a, const Ranked& b) {
        if (a.item->matchingScore() != b.item->matchingScore())
            return a.item->matchingScore() > b.item->matchingScore();
        return *a.sortKey < *b.sortKey;
    });

    std::vector<std::shared_ptr<MatchingItem>> result;
    result.reserve(kept.size());
    for (auto& ranked : kept)
        result.push_back(std::move(ranked.item));
    return result;
}

}
