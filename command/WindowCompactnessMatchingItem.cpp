#include "command/WindowCompactnessMatchingItem.h"

#include "command/CommandSettings.h"

namespace ostrel {

std::shared_ptr<WindowCompactnessMatchingItem> WindowCompactnessMatchingItem::create(CommandSettings& settings,
    std::string title, std::vector<std::string> path, std::function<void()> compressWindow, std::string storageKey)
{
    return std::shared_ptr<WindowCompactnessMatchingItem>(new WindowCompactnessMatchingItem(
        settings, std::move(title), std::move(path), std::move(compressWindow), std::move(storageKey)));
}

WindowCompactnessMatchingItem::WindowCompactnessMatchingItem(CommandSettings& settings, std::string title,
    std::vector<std::string> path, std::function<void()> compressWindow, std::string storageKey)
    : MatchingItem(std::move(title), std::move(path), MatchingItemKind::stateOption)
    , m_settings(&settings)
    , m_compressWindow(std::move(compressWindow))
    , m_storageKey(std::move(storageKey))
{
}

int WindowCompactnessMatchingItem::currentMode() const
{
    auto raw = m_settings->integer(m_storageKey);
    return raw && *raw >= 0 && *raw <= 2 ? static_cast<int>(*raw) : 2;
}

void WindowCompactnessMatchingItem::execute()
{
    m_settings->set(m_storageKey, std::int64_t { (currentMode() + 1) % 3 });
    if (m_compressWindow)
        m_compressWindow();
}

}
