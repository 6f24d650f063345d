#include "shell/MenuItemManager.h"

#include "shell/MenuItemGroup.h"

#include "platform/base/Diagnostics.h"
#include "platform/ui/Menu.h"

#include <algorithm>
#include <string_view>

namespace ostrel {

namespace {

struct ExactTitles {
    std::string_view name;
    std::vector<std::string_view> titles;
};

const std::vector<ExactTitles>& exactTitles()
{
    static const std::vector<ExactTitles> table {
        { "FileNew", { "New", "Nouveau", "Neu" } },
        { "FileClose", { "Close", "Fermer", "Schlie\u00DFen" } },
        { "EditCut", { "Cut", "Couper", "Ausschneiden" } },
        { "EditFind", { "Find", "Rechercher", "Suchen" } },
        { "EditUndo", { "Undo", "Annuler", "Wiederrufen" } },
        { "WindowBringAllToFront", { "Bring All to Front", "Ramener tout au premier plan", "Alle nach vorne bringen" } },
        { "WindowMinimize", { "Minimize", "Placer dans le Dock", "Im Dock ablegen" } },
        { "EditStartDictation", { "Start Dictation" } },
        { "FormatFont", { "Font", "Police", "Schrift" } },
        { "FormatText", { "Text", "Texte" } },
        { "View", { "Show Toolbar", "Hide Toolbar", "Afficher la barre d'outil", "Symbolleiste ausblenden", "Symbolleiste einblenden" } },
    };
    return table;
}

bool contains(std::string_view title, std::string_view part)
{
    return title.find(part) != std::string_view::npos;
}

}

std::string MenuItemManager::groupNameForTitle(const std::string& title)
{
    for (const auto& entry : exactTitles()) {
        if (std::find(entry.titles.begin(), entry.titles.end(), title) != entry.titles.end())
            return std::string(entry.name);
    }
    std::string_view t = title;
    if (contains(t, "About ") || t.starts_with("\u00C0 propos de ") || t.starts_with("\u00DCber "))
        return "About";
    if (contains(t, "Preferences") || contains(t, "Pr\u00E9f\u00E9rences") || contains(t, "Einstellungen"))
        return "Preferences";
    if (contains(t, "Hide ") || contains(t, "Masquer") || contains(t, " ausblenden"))
        return "Hide";
    if (contains(t, "Quit ") || contains(t, "Quitter") || contains(t, "Beenden"))
        return "Quit";
    if (contains(t, " Help") || t.starts_with("Aide ") || contains(t, "Hilfe"))
        return "Help";
    if (contains(t, "Start Dictation"))
        return "EditStartDictation";
    if (contains(t, "Page Setup"))
        return "FilePrint";
    return title;
}

std::shared_ptr<MenuItemManager> MenuItemManager::create(const std::shared_ptr<ui::Menu>& mainMenu)
{
    std::shared_ptr<MenuItemManager> manager(new MenuItemManager);
    if (!mainMenu)
        return manager;
    for (const auto& top : mainMenu->items()) {
        if (!top->submenu())
            continue;
        std::vector<std::shared_ptr<ui::MenuItem>> run;
        auto finishRun = [&] {
            if (run.empty())
                return;
            // A later run of the same name replaces the earlier one.
            std::string name = groupNameForTitle(run.front()->title());
            manager->m_menuItemGroups[name] = MenuItemGroup::create(std::move(run));
            run.clear();
        };
        for (const auto& item : top->submenu()->items()) {
            if (item->isSeparator())
                finishRun();
            else
                run.push_back(item);
        }
        finishRun();
    }
    return manager;
}

std::shared_ptr<MenuItemGroup> MenuItemManager::group(const std::string& name) const
{
    auto found = m_menuItemGroups.find(name);
    return found == m_menuItemGroups.end() ? nullptr : found->second;
}

void MenuItemManager::addMenuItemGroupAfterExisting(const MenuItemGroup& existing,
    const std::shared_ptr<MenuItemGroup>& added, const std::string& withName)
{
    m_menuItemGroups[withName] = added;
    if (existing.items().empty())
        base::fatal("a menu group to insert after has no items");
    ui::Menu* menu = existing.items().front()->menu();
    if (!menu)
        base::fatal("a menu group to insert after is in no menu");
    std::size_t index = static_cast<std::size_t>(menu->indexOfItem(existing.items().back().get()) + 1);
    const auto& items = added->items();
    for (auto item = items.rbegin(); item != items.rend(); ++item)
        menu->insertItem(*item, index);
}

}
