#include "command/WindowCompactnessMatchingItem.h"

#include "command/StoredRawValue.h"

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
    auto next = WindowCompressionMode::never;
    switch (currentMode()) {
    case WindowCompressionMode::never:
        next = WindowCompressionMode::always;
        break;
    case WindowCompressionMode::always:
        next = WindowCompressionMode::onlyWhenSideBarIsClosed;
        break;
    case WindowCompressionMode::onlyWhenSideBarIsClosed:
        next = WindowCompressionMode::never;
        break;
    }
    m_defaults->set(m_storageKey, RawValueTraits<WindowCompressionMode>::rawValue(next));
    if (m_compressWindow)
        m_compressWindow();
}

}
