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

int WindowCompactnessMatchingItem::currentMode() const
{
    return storedRawValue(*m_defaults, m_storageKey, 3, 2);
}

void WindowCompactnessMatchingItem::execute()
{
    m_defaults->set(m_storageKey, (currentMode() + 1) % 3);
    if (m_compressWindow)
        m_compressWindow();
}

}
