#pragma once

#include "viewkit/FragmentWall.h"

#include <functional>
#include <memory>
#include <vector>

namespace ostrel {

class KVOResponder;
class StatsViewController;

// A section of the statistics view that shows itself only while filtering is on and its
// filter applies to the statistic shown. It follows the settings "filtering" and
// "currentlyDisplayedStatistic", and hides or shows itself in its owner's stack.
class FilterFragmentWall : public FragmentWall {
public:
    static std::shared_ptr<FilterFragmentWall> create(const std::shared_ptr<StatsViewController>& statsController);

    // Whether the statistic shown takes this section's filter; none never does.
    std::function<bool()> queryFunc;

    // The owner is held weakly: it holds this section through its view.
    std::shared_ptr<StatsViewController> statsViewController() const { return m_statsViewController.lock(); }
    const std::vector<std::shared_ptr<KVOResponder>>& kvoResponders() const { return m_kvoResponders; }

    void install(const std::shared_ptr<FragmentStackView>& parentStackView) override;
    void update();
    bool shouldHide() const;

protected:
    friend class Wall;
    explicit FilterFragmentWall(ui::Rect frame);

private:
    std::weak_ptr<StatsViewController> m_statsViewController;
    std::vector<std::shared_ptr<KVOResponder>> m_kvoResponders;
};

}
