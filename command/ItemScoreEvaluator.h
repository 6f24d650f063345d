#pragma once

#include <memory>
#include <utility>
#include <vector>

namespace ostrel {

class Evaluator;
class MatchingItem;
struct MatchingCriteria;

// Runs the weighted chain of scorers over the entries, stores each total in the entry, drops
// what scored nothing and sorts the rest best first.
class ItemScoreEvaluator {
public:
    using Chain = std::vector<std::pair<std::shared_ptr<Evaluator>, double>>;

    Chain evaluators;

    // Ties go to the smaller lower-cased display string, then to the given order: the sort is
    // stable, so the order in which screens added their entries decides the rest.
    std::vector<std::shared_ptr<MatchingItem>> evaluate(
        const std::vector<std::shared_ptr<MatchingItem>>& matchingItems, const MatchingCriteria& matchingCriteria) const;
};

}
