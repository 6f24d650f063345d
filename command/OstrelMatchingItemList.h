#pragma once

#include "command/MatchingItemList.h"

namespace ui {
class Menu;
}

namespace ostrel {

class CommandEnvironment;
class MatchingItemCollector;

// The application's list: the current screen's entries followed by the global command table,
// the top-level filter and the ranking chain.
class OstrelMatchingItemList final : public MatchingItemList {
public:
    // Non-owning: the environment is the application shell, which outlives the pop-up.
    explicit OstrelMatchingItemList(CommandEnvironment& environment);

    // The weighted scorers the pop-up ranks with.
    static ItemScoreEvaluator::Chain rankingChain();

    void gatherAllPossibleMatchingItems() override;
    void configureItemScoreEvaluator() override;
    Items filterMatches(const Items& proposedMatchingItems) const override;
    MatchingCriteria prepareMatchingCriteria() const override { return { currentSearchString() }; }

protected:
    void dismissCommandPopUp() override;

private:
    // What the pop-up lists already, which the status menu's mirror leaves out.
    struct Listed;
    void addGlobalCommands(MatchingItemCollector&);
    void addStatusMenuItems(MatchingItemCollector& collector, ui::Menu& menu, const std::vector<std::string>& submenus,
        const Listed& listed);
    void showStatistic(int statistic);

    CommandEnvironment* m_environment { nullptr };
};

}
