#include "command/OnOffOptionMatchingItem.h"

#include "platform/base/Defaults.h"

namespace ostrel {

std::shared_ptr<OnOffOptionMatchingItem> OnOffOptionMatchingItem::create(base::Defaults& defaults,
    std::string title, std::string defaultsStorageKey, std::vector<std::string> path)
{
    return std::shared_ptr<OnOffOptionMatchingItem>(new OnOffOptionMatchingItem(
        defaults, std::move(title), std::move(defaultsStorageKey), std::move(path)));
}

OnOffOptionMatchingItem::OnOffOptionMatchingItem(base::Defaults& defaults, std::string title,
    std::string defaultsStorageKey, std::vector<std::string> path)
    : MatchingItem(std::move(title), std::move(path), MatchingItemKind::stateOption)
    , m_defaults(&defaults)
    , m_defaultsStorageKey(std::move(defaultsStorageKey))
{
}

bool OnOffOptionMatchingItem::storedValue() const
{
    return m_defaults->boolean(m_defaultsStorageKey);
}

std::string OnOffOptionMatchingItem::userReadableStateDescription() const
{
    return storedValue() ? "On" : "Off";
}

void OnOffOptionMatchingItem::execute()
{
    m_defaults->set(m_defaultsStorageKey, !storedValue());
}

}
