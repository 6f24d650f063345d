#include "command/Evaluator.h"

#include "command/MatchingCriteria.h"
#include "command/MatchingItem.h"
#include "command/MatchingText.h"

#include <algorithm>

namespace ostrel {

double PrefixPreciseStringMatchingEvaluator::evaluateScore(const MatchingItem& item, const MatchingCriteria& criteria) const
{
    auto& typed = criteria.folded();
    if (typed.empty())
        return 0.5;
    auto& title = item.foldedTitle();
    if (!title.hasPrefix(typed))
        return 0;
    auto typedLength = static_cast<double>(typed.length());
    return 0.3 * typedLength + 1.0 + typedLength / static_cast<double>(title.length());
}

double PartialPreciseStringMatchEvaluator::evaluateScore(const MatchingItem& item, const MatchingCriteria& criteria) const
{
    auto& typed = criteria.folded();
    if (typed.empty())
        return 0.5;
    auto& title = item.foldedTitle();
    if (!title.contains(typed))
        return 0;
    return 0.5 + 0.4 * static_cast<double>(typed.length()) / static_cast<double>(title.length());
}

double PartialContiguousExpandedStringMatchEvaluator::evaluateScore(const MatchingItem& item, const MatchingCriteria& criteria) const
{
    auto& typed = criteria.folded();
    if (typed.empty())
        return 0.5;
    int containing = 0;
    for (auto& group : item.foldedPath()) {
        if (group.hasPrefix(typed))
            return 1.0;
        if (group.contains(typed))
            ++containing;
    }
    return std::min(0.2 * containing, 1.0);
}

double NonContiguousPreciseMatchingStringEvaluator::evaluateScore(const MatchingItem& item, const MatchingCriteria& criteria) const
{
    auto& typed = criteria.folded();
    if (typed.empty())
        return 1.0;
    auto& title = item.foldedTitle();
    if (title.length() < typed.length())
        return 0;
    double score = 0;
    std::size_t from = 0;
    for (std::size_t i = 0; i < typed.length(); ++i) {
        auto wanted = typed.character(i);
        auto at = from;
        while (at < title.length() && title.character(at) != wanted)
            ++at;
        if (at == title.length())
            return 0;
        score += (i > 0 && at == from) ? 2 : 1;
        from = at + 1;
    }
    return score;
}

double IntrinsicExecutableMenuItemEvaluator::evaluateScore(const MatchingItem& item, const MatchingCriteria&) const
{
    switch (item.kind()) {
    case MatchingItemKind::item:
        return 3;
    case MatchingItemKind::group:
        return 2;
    case MatchingItemKind::globalOption:
        return 0;
    case MatchingItemKind::stateOption:
        return 1;
    default:
        // The default choice is worth 11; each pair of alternative and action after it one less.
        return 11 - (rawValue(item.kind()) - 3) / 2;
    }
}

}
