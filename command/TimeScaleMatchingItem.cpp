#include "command/TimeScaleMatchingItem.h"

#include "command/StoredEnumeration.h"

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

TimeScale TimeScaleMatchingItem::currentTimeScale() const
{
    return storedCase(*m_defaults, m_storageKey, TimeScale::oneHour);
}

void TimeScaleMatchingItem::execute()
{
    constexpr TimeScale cycle[] = { TimeScale::oneHour, TimeScale::oneAndAHalfHour, TimeScale::twoHours,
        TimeScale::fortyFiveMinutes };
    m_defaults->set(m_storageKey, RawValueTraits<TimeScale>::rawValue(nextInCycle(currentTimeScale(), cycle)));
}

}
