#include "command/WindowCompactnessMatchingItem.h"

#include "command/StoredEnumeration.h"

namespace ostrel {

std::shared_ptr<WindowCompactnessMatchingItem> WindowCompactnessMatchingItem::create(base::Defaults& defaults,
    std::string title, std::vector<std::string> path, std::function<void()> compressWindow, std::string storageKey)
{
    return std::shared_ptr<WindowCompactnessMatchingItem>(new WindowCompactnessMatchingItem(
        defaults, std::move(title), std::move(path), std::move(compressWindow), std::move(storageKey)));
}

WindowCompactnessMatchingItem::WindowCompactnessMatchingItem(base::Defaults& defaults, std::string title,
    std::vector<std::string> path, std::function<void()> compressWindow, std::string storageKey)
    : MatchingItem(std::move(title), std::move(path), MatchingItemKind::stateOption)
    , m_defaults(&defaults)
    , m_compressWindow(std::move(compressWindow))
    , m_storageKey(std::move(storageKey))
{
}

WindowCompressionMode WindowCompactnessMatchingItem::currentMode() const
{
    return storedCase(*m_defaults, m_storageKey, WindowCompressionMode::onlyWhenSideBarIsClosed);
}

void WindowCompactnessMatchingItem::execute()
{
    constexpr WindowCompressionMode cycle[] = { WindowCompressionMode::never, WindowCompressionMode::always,
        WindowCompressionMode::onlyWhenSideBarIsClosed };
    m_defaults->set(m_storageKey, RawValueTraits<WindowCompressionMode>::rawValue(nextInCycle(currentMode(), cycle)));
    if (m_compressWindow)
        m_compressWindow();
}

}
