#include "command/MenuKeyCombos.h"

#include "platform/ui/Application.h"
#include "platform/ui/Menu.h"

#include <algorithm>

namespace ostrel {

namespace {

void collect(const ui::Menu& menu, std::vector<KeyCombo>& combos, std::vector<const ui::Menu*>& path)
{
    // A submenu that leads back to a menu above it would never end; its items are counted once.
    if (std::find(path.begin(), path.end(), &menu) != path.end())
        return;
    path.push_back(&menu);
    for (auto& item : menu.items()) {
        if (auto key = Key::withString(item->keyEquivalent()))
            combos.emplace_back(*key, uint64_t(item->keyEquivalentModifierMask()));
        if (item->submenu())
            collect(*item->submenu(), combos, path);
    }
    path.pop_back();
}

}

std::vector<KeyCombo> keyCombos(const ui::Menu& menu)
{
    std::vector<KeyCombo> combos;
    std::vector<const ui::Menu*> path;
    collect(menu, combos, path);
    return combos;
}

std::vector<KeyCombo> mainMenuKeyCombos()
{
    auto* application = ui::Application::shared();
    if (!application || !application->mainMenu())
        return {};
    return keyCombos(*application->mainMenu());
}

}
