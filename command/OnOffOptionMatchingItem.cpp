#include "command/OnOffOptionMatchingItem.h"

#include "command/CommandSettings.h"

namespace ostrel {

std::shared_ptr<OnOffOptionMatchingItem> OnOffOptionMatchingItem::create(CommandSettings& settings,
    std::string title, std::string defaultsStorageKey, std::vector<std::string> path)
{
    return std::shared_ptr<OnOffOptionMatchingItem>(new OnOffOptionMatchingItem(
        settings, std::move(title), std::move(defaultsStorageKey), std::move(path)));
}

OnOffOptionMatchingItem::OnOffOptionMatchingItem(CommandSettings& settings, std::string title,
    std::string defaultsStorageKey, std::vector<std::string> path)
    : MatchingItem(std::move(title), std::move(path), MatchingItemKind::stateOption)
    , m_settings(&settings)
    , m_defaultsStorageKey(std::move(defaultsStorageKey))
{
}

bool OnOffOptionMatchingItem::storedValue() const
{
    return m_settings->boolean(m_defaultsStorageKey);
}

std::string OnOffOptionMatchingItem::userReadableStateDescription() const
{
    return storedValue() ? "On" : "Off";
}

void OnOffOptionMatchingItem::execute()
{
    m_settings->set(m_defaultsStorageKey, !storedValue());
}

}
