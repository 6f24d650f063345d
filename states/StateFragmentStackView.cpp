#include "states/StateFragmentStackView.h"

namespace ostrel {

std::shared_ptr<StateFragmentStackView> StateFragmentStackView::create()
{
    return std::shared_ptr<StateFragmentStackView>(new StateFragmentStackView);
}

StateFragmentStackView::StateFragmentStackView()
    : FragmentStackView(ui::Orientation::Vertical)
{
}

void StateFragmentStackView::hideFragment(const ui::View& fragment)
{
    FragmentStackView::hideFragment(fragment);
    m_visibilityChangeEmitter->setValue(!m_visibilityChangeEmitter->value());
}

void StateFragmentStackView::showFragment(const ui::View& fragment)
{
    FragmentStackView::showFragment(fragment);
    m_visibilityChangeEmitter->setValue(!m_visibilityChangeEmitter->value());
}

}
