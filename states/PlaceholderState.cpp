#include "states/PlaceholderState.h"

#include "states/StateFragmentStackView.h"

#include "core/StateMachine.h"
#include "viewkit/FragmentWall.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/TitleFragment.h"

#include "platform/base/Diagnostics.h"

namespace ostrel {

using A = ui::LayoutAttribute;

std::shared_ptr<PlaceholderState> PlaceholderState::create(DataModel& model, std::string screenClass,
    std::vector<std::string> transitions)
{
    return std::shared_ptr<PlaceholderState>(new PlaceholderState(model, std::move(screenClass), std::move(transitions)));
}

PlaceholderState::PlaceholderState(DataModel& model, std::string screenClass, std::vector<std::string> transitions)
    : ModernUIState(model)
    , m_screenClass(std::move(screenClass))
    , m_transitions(std::move(transitions))
    , m_targets(m_transitions.size())
{
    // Sized once above: the exposed members stay where they are.
    for (std::size_t i = 0; i < m_transitions.size(); ++i)
        exposeTransition(m_transitions[i], m_targets[i]);
}

void PlaceholderState::build()
{
    createStackView();
    createAndInstallTitleFragment(m_screenClass);
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto firing = [weakSelf](std::string transition) {
        return [weakSelf, transition] {
            if (auto self = std::static_pointer_cast<PlaceholderState>(weakSelf.lock()))
                self->fireTransition(transition);
        };
    };
    if (m_transitions.empty())
        return;

    auto main = buttonWall()->factory().pushButton(m_transitions.front(), firing(m_transitions.front()),
        [](LayoutConstraintMaker& maker) { maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0); });
    main->setKeyEquivalent("\r");

    // The other ways out, one under the other.
    auto others = FragmentWall::create();
    auto& factory = others->factory();
    std::shared_ptr<ui::View> above;
    for (std::size_t i = 1; i < m_transitions.size(); ++i) {
        bool last = i + 1 == m_transitions.size();
        above = factory.pushButton(m_transitions[i], firing(m_transitions[i]), [above, last](LayoutConstraintMaker& maker) {
            maker.container().place(A::Left, A::Left);
            if (above)
                maker.and_(*above).place(A::Top, A::Bottom);
            else
                maker.container().place(A::Top, A::Top);
            if (last)
                maker.container().place(A::Bottom, A::Bottom);
        });
    }
    if (above)
        fragmentStackView()->addFragment(others);
}

}
