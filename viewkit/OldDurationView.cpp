#include "viewkit/OldDurationView.h"

#include "core/Clock.h"

#include "platform/base/Time.h"
#include "platform/ui/Event.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace ostrel {

namespace {

constexpr std::uint32_t kCommandKeys = ui::ModifierFlag::Control | ui::ModifierFlag::Option | ui::ModifierFlag::Command;

// The number the characters start with, at most the 32-bit range (several digits may come
// at once from an input method).
std::int64_t leadingNumber(const std::string& characters)
{
    std::int64_t value = 0;
    for (char c : characters) {
        if (c < '0' || c > '9')
            break;
        value = std::min<std::int64_t>(value * 10 + (c - '0'), std::numeric_limits<std::int32_t>::max());
    }
    return value;
}

}

std::shared_ptr<OldDurationView> OldDurationView::create(ui::Rect frame)
{
    return std::shared_ptr<OldDurationView>(new OldDurationView(frame));
}

OldDurationView::OldDurationView(ui::Rect frame)
    : ui::View(frame)
    , m_lastDigitAccepted(base::Time::distantPast())
{
}

void OldDurationView::keyDown(const ui::Event& event)
{
    const std::string& characters = event.characters();
    if ((event.modifierFlags() & kCommandKeys) || characters.empty() || characters[0] < '0' || characters[0] > '9') {
        ui::View::keyDown(event);
        return;
    }
    std::int64_t digit = leadingNumber(characters);
    double now = Clock::nowAsDate();
    std::int64_t duration = std::abs(now - m_lastDigitAccepted) < 1.0 ? m_lastDigitThatWasAccepted * 10 + digit : digit;
    m_lastDigitThatWasAccepted = digit;
    m_lastDigitAccepted = now;
    if (m_timeControlBottomView)
        m_timeControlBottomView->attemptToSetDurationTo(duration);
}

}
