#include "viewkit/DurationView.h"

#include "drawing/DurationViewStyleKit.h"

#include <cstdio>

namespace ostrel {

namespace {

std::string twoDigits(std::int64_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(value));
    return text;
}

}

std::shared_ptr<DurationView> DurationView::create(ui::Rect frame) { return make<DurationView>(frame); }

DurationView::DurationView(ui::Rect frame)
    : Wall(frame)
{
}

void DurationView::finishCreation()
{
    Wall::finishCreation();
    setDisplayRoutine(&DurationViewStyleKit::drawDurationView);
}

void DurationView::setDisplayRoutine(KitRoutine routine)
{
    std::weak_ptr<DurationView> weakSelf = std::static_pointer_cast<DurationView>(shared_from_this());
    backgroundDrawingFunc = [weakSelf, routine](const ui::Rect&) {
        if (auto self = weakSelf.lock()) {
            auto digits = self->durationDigits();
            routine(digits.firstLabel, digits.secondLabel, digits.firstDigits, digits.secondDigits, self->digitSize(),
                self->labelBottomInset(), self->labelSize(), self->m_disabled);
        }
    };
}

DurationDigits DurationView::durationDigits() const
{
    if (!m_displayTime)
        return { "", "", "--", "--" };
    std::int64_t s = m_seconds;
    std::int64_t m = s / 60;
    if (s < 3600)
        return { "M", "S", twoDigits(m), twoDigits(s - 60 * m) };
    return { "H", "M", twoDigits(s / 3600), twoDigits(m - 60 * (m / 60)) };
}

}
