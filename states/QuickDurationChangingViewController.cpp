#include "states/QuickDurationChangingViewController.h"

#include "drawing/OstrelStyleKit.h"
#include "viewkit/IntegerTextField.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/Wall.h"

#include "platform/ui/Popover.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <limits>

namespace ostrel {

using A = ui::LayoutAttribute;

std::shared_ptr<QuickDurationChangingViewController> QuickDurationChangingViewController::create(bool delayedBuild)
{
    return NiblessViewController::create<QuickDurationChangingViewController>(delayedBuild);
}

QuickDurationChangingViewController::QuickDurationChangingViewController()
    : m_popOver(ui::Popover::create())
{
}

void QuickDurationChangingViewController::build()
{
    auto wall = Wall::create();
    wall->setBackgroundColor(OstrelStyleKit::n2());
    auto& factory = wall->factory();
    auto title = factory.label("New Duration:", [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Top, A::Top);
    });
    m_durationDigitsField = factory.integerTextField(2, 2, 60, [title](LayoutConstraintMaker& maker) {
        maker.and_(*title).place(A::Left, A::Right).pin(A::FirstBaseline, A::FirstBaseline, 0);
        maker.width(40);
    });
    auto field = m_durationDigitsField;
    factory.label("Minutes", [field](LayoutConstraintMaker& maker) {
        maker.and_(*field).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
        maker.container().place(A::Right, A::Right).place(A::Bottom, A::Bottom);
    });
    setView(wall);
}

void QuickDurationChangingViewController::runModal(NiblessViewController*, ui::Slider& slider, int initialValue,
    std::function<void(int)> setterFunction)
{
    if (!view())
        build();
    std::weak_ptr<ui::Popover> popOver = m_popOver;
    std::weak_ptr<IntegerTextField> weakField = m_durationDigitsField;
    m_durationDigitsField->returnKeyActionFunction = [popOver, weakField, setter = std::move(setterFunction)] {
        auto field = weakField.lock();
        // Whatever number the field holds, kept within what the setter can take.
        if (field && setter)
            setter(static_cast<int>(std::clamp<std::int64_t>(field->integerValue(), std::numeric_limits<int>::min(),
                std::numeric_limits<int>::max())));
        if (auto shown = popOver.lock())
            shown->close();
    };
    m_durationDigitsField->setIntegerValue(initialValue);
    m_popOver->setDarkLook(true);
    m_popOver->setTransient(true);
    m_popOver->setContentView(view());
    m_popOver->show(slider.bounds(), &slider, ui::RectEdge::MaxY);
    // Typing goes straight into the field, its number selected.
    if (auto* window = m_popOver->window())
        window->makeFirstResponder(m_durationDigitsField.get());
}

}
