#include "command/TimeScaleMatchingItem.h"

#include "command/StoredRawValue.h"

namespace ostrel {

std::shared_ptr<TimeScaleMatchingItem> TimeScaleMatchingItem::create(base::Defaults& defaults,
    std::string title, std::string storageKey)
{
    return std::shared_ptr<TimeScaleMatchingItem>(
        new TimeScaleMatchingItem(defaults, std::move(title), std::move(storageKey)));
}

TimeScaleMatchingItem::TimeScaleMatchingItem(base::Defaults& defaults, std::string title, std::string storageKey)
    : MatchingItem(std::move(title), { "State-Specific Options", "Duration Slider Options" },
          MatchingItemKind::stateOption)
    , m_defaults(&defaults)
    , m_storageKey(std::move(storageKey))
{
}

int TimeScaleMatchingItem::currentTimeScale() const
{
    return storedRawValue(*m_defaults, m_storageKey, 4, 0);
}

void TimeScaleMatchingItem::execute()
{
    // The raw values run in the cycle's own order, so the next scale is the next value.
    m_defaults->set(m_storageKey, (currentTimeScale() + 1) % 4);
}

}
