#include "command/TimeScaleMatchingItem.h"

#include "command/CommandSettings.h"

namespace ostrel {

std::shared_ptr<TimeScaleMatchingItem> TimeScaleMatchingItem::create(CommandSettings& settings,
    std::string title, std::string storageKey)
{
    return std::shared_ptr<TimeScaleMatchingItem>(
        new TimeScaleMatchingItem(settings, std::move(title), std::move(storageKey)));
}

TimeScaleMatchingItem::TimeScaleMatchingItem(CommandSettings& settings, std::string title, std::string storageKey)
    : MatchingItem(std::move(title), { "State-Specific Options", "Duration Slider Options" },
          MatchingItemKind::stateOption)
    , m_settings(&settings)
    , m_storageKey(std::move(storageKey))
{
}

int TimeScaleMatchingItem::currentTimeScale() const
{
    auto raw = m_settings->integer(m_storageKey);
    return raw && *raw >= 0 && *raw <= 3 ? static_cast<int>(*raw) : 0;
}

void TimeScaleMatchingItem::execute()
{
    // The raw values run in the cycle's own order, so the next scale is the next value.
    m_settings->set(m_storageKey, std::int64_t { (currentTimeScale() + 1) % 4 });
}

}
