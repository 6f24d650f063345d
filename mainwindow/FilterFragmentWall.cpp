#include "mainwindow/FilterFragmentWall.h"

#include "mainwindow/StatsViewController.h"

#include "core/KVOResponder.h"
#include "core/ZrLog.h"
#include "viewkit/FragmentStackView.h"

#include "platform/base/Defaults.h"

namespace ostrel {

std::shared_ptr<FilterFragmentWall> FilterFragmentWall::create(const std::shared_ptr<StatsViewController>& statsController)
{
    auto fragment = make<FilterFragmentWall>(ui::Rect {});
    fragment->m_statsViewController = statsController;
    std::weak_ptr<FilterFragmentWall> weak = fragment;
    for (const char* key : { "filtering", "currentlyDisplayedStatistic" }) {
        fragment->m_kvoResponders.push_back(
            KVOResponder::create(key, base::Defaults::standard(), false, [weak](base::Defaults&, const std::string&) {
                if (auto self = weak.lock())
                    self->update();
            }));
    }
    return fragment;
}

FilterFragmentWall::FilterFragmentWall(ui::Rect frame)
    : FragmentWall(frame)
{
}

void FilterFragmentWall::install(const std::shared_ptr<FragmentStackView>&) { update(); }

bool FilterFragmentWall::shouldHide() const
{
    return !(base::Defaults::standard()->boolean("filtering") && queryFunc && queryFunc());
}

void FilterFragmentWall::update()
{
    auto owner = m_statsViewController.lock();
    auto stack = owner ? owner->fragmentStackView() : nullptr;
    if (!stack)
        return;
    if (shouldHide()) {
        zr_log("->hide");
        stack->hideFragment(*this);
    } else {
        zr_log("->show");
        stack->showFragment(*this);
    }
}

}
