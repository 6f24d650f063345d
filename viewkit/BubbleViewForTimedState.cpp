#include "viewkit/BubbleViewForTimedState.h"

#include "core/TimedStateMachineModule.h"

#include "platform/base/Time.h"

#include <cmath>

namespace ostrel {

std::shared_ptr<BubbleViewForTimedState> BubbleViewForTimedState::createNewTimeBubbleView(std::shared_ptr<ui::Slider> slider)
{
    return make<BubbleViewForTimedState>(std::move(slider));
}

BubbleViewForTimedState::BubbleViewForTimedState(ui::Rect frame)
    : TimeBubbleView(frame)
{
}

void BubbleViewForTimedState::bubbleClicked(BubbleViewWithArrowOnTop& bubble)
{
    double date = base::Time::now();
    int index = indexOf(bubble);
    if (index >= 0 && static_cast<std::size_t>(index) < m_bubbleDates.size())
        date = m_bubbleDates[static_cast<std::size_t>(index)];

    auto screen = m_timedState.lock();
    auto module = screen ? screen->timedStateMachineModule() : nullptr;
    if (!module || !module->viewModel || !module->stateMachine)
        return;
    // The time of the last refresh, not now: the walls show the same instant.
    const TimedStateMachineViewModel& viewModel = *module->viewModel;
    double total = std::ceil(date - viewModel.frozenTime) + viewModel.elapsedSeconds();
    if (!std::isfinite(total))
        return;
    module->changeDuration(static_cast<std::int64_t>(total));

    // Copied: a refresh may change what the screen lists.
    auto views = screen->updatableViewList();
    for (const auto& view : views) {
        if (view)
            view->updateState();
    }
}

}
