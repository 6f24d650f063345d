#include "shell/MenuItemManager.h"

#include "shell/CommonsHuskFacade.h"
#include "shell/MenuItemGroup.h"
#include "shell/MenuPlaceHolderHelper.h"
#include "shell/WebAddresses.h"
#include "tests/shell/ShellFixture.h"

#include "platform/ui/Application.h"
#include "platform/ui/Menu.h"

namespace ostrel {
namespace {

// A menu bar from lines: each submenu a list of titles, "-" for a separator.
std::shared_ptr<ui::Menu> menuBar(const std::vector<std::vector<std::string>>& submenus)
{
    auto bar = ui::Menu::create();
    for (const auto& titles : submenus) {
        auto submenu = ui::Menu::create(titles.front());
        for (const auto& title : titles)
            submenu->addItem(title == "-" ? ui::MenuItem::separator() : ui::MenuItem::create(title));
        auto top = ui::MenuItem::create(titles.front());
        top->setSubmenu(submenu);
        bar->addItem(top);
    }
    bar->addItem(ui::MenuItem::create("No submenu"));
    return bar;
}

std::vector<std::string> titles(const MenuItemGroup& group)
{
    std::vector<std::string> result;
    for (const auto& item : group.items())
        result.push_back(item->title());
    return result;
}

std::vector<std::string> titles(const ui::Menu& menu)
{
    std::vector<std::string> result;
    for (const auto& item : menu.items())
        result.push_back(item->isSeparator() ? "-" : item->title());
    return result;
}

std::vector<std::string> names(const MenuItemManager& manager)
{
    std::vector<std::string> result;
    for (const auto& [name, group] : manager.menuItemGroups())
        result.push_back(name);
    return result;
}

using MenuItemManagerTest = test::ShellTest;

TEST_F(MenuItemManagerTest, MenuGroupsInThreeLanguages)
{
    auto english = MenuItemManager::create(menuBar({
        { "About Ostrel", "-", "Preferences\u2026", "-", "Services", "-", "Hide Ostrel", "Hide Others", "Show All", "-", "Quit Ostrel" },
        { "Undo", "Redo", "-", "Cut", "Copy", "Paste", "-", "Find", "-", "Start Dictation" },
        { "Minimize", "Zoom", "-", "Bring All to Front" },
        { "Ostrel Help" },
    }));
    EXPECT_EQ(names(*english), (std::vector<std::string> { "About", "EditCut", "EditFind", "EditStartDictation",
                                   "EditUndo", "Help", "Hide", "Preferences", "Quit", "Services",
                                   "WindowBringAllToFront", "WindowMinimize" }));
    EXPECT_EQ(titles(*english->group("Hide")), (std::vector<std::string> { "Hide Ostrel", "Hide Others", "Show All" }));

    auto french = MenuItemManager::create(menuBar({
        { "\u00C0 propos de Ostrel", "-", "Pr\u00E9f\u00E9rences\u2026", "-", "Masquer Ostrel", "Masquer les autres", "-", "Quitter Ostrel" },
        { "Annuler", "-", "Couper", "-", "Rechercher" },
        { "Placer dans le Dock", "-", "Ramener tout au premier plan" },
        { "Aide Ostrel" },
    }));
    EXPECT_EQ(names(*french), (std::vector<std::string> { "About", "EditCut", "EditFind", "EditUndo", "Help", "Hide",
                                  "Preferences", "Quit", "WindowBringAllToFront", "WindowMinimize" }));

    auto germanBar = menuBar({
        { "\u00DCber Ostrel", "-", "Einstellungen\u2026", "-", "Ostrel ausblenden", "-", "Ostrel beenden" },
        { "Wiederrufen", "-", "Ausschneiden", "-", "Suchen" },
        { "Schrift", "-", "Text" },
        { "Ostrel-Hilfe" },
    });
    auto german = MenuItemManager::create(germanBar);
    // "Ostrel beenden" holds neither "Quit ", "Quitter" nor "Beenden": the title names it.
    EXPECT_EQ(names(*german), (std::vector<std::string> { "About", "EditCut", "EditFind", "EditUndo", "FormatFont",
                                  "FormatText", "Help", "Hide", "Ostrel beenden", "Preferences" }));

    CommonsHuskFacade().willFinishLaunching(german.get(), {});
    const auto& help = *germanBar->items()[3]->submenu();
    EXPECT_EQ(titles(help), (std::vector<std::string> { "Ostrel-Hilfe", "-", "Contact the Developer" }));
    ASSERT_TRUE(german->group("developer contact"));
    EXPECT_EQ(german->group("developer contact")->items().size(), 2u);
    help.items().back()->perform();
    EXPECT_EQ(opened, (std::vector<std::string> { webAddresses::contactTheDeveloper }));

    auto& registry = MenuPlaceHolderHelper::shared().registry();
    auto maker = registry.find(CommonsHuskFacade::MenuItemPlaceHolderKeys::contactTheDeveloper);
    ASSERT_NE(maker, registry.end());
    auto fresh = maker->second();
    EXPECT_EQ(fresh->title(), "Contact the Developer");
    EXPECT_FALSE(fresh->menu());
    EXPECT_FALSE(fresh->validate);
}

TEST_F(MenuItemManagerTest, SeparatorsMakeNoEmptyGroupsAndALaterRunOfTheSameNameWins)
{
    auto manager = MenuItemManager::create(menuBar({
        { "Things", "-", "-", "Odd", "One", "-" },
        { "Odd", "Two", "Three", "-" },
    }));
    EXPECT_EQ(names(*manager), (std::vector<std::string> { "Odd", "Things" }));
    EXPECT_EQ(titles(*manager->group("Odd")), (std::vector<std::string> { "Odd", "Two", "Three" }));
    EXPECT_TRUE(MenuItemManager::create(nullptr)->menuItemGroups().empty());
}

TEST_F(MenuItemManagerTest, AGroupGoesInOrderRightAfterTheOneNamedAndNoHelpMenuAddsNothing)
{
    auto bar = menuBar({ { "New", "Open", "-", "Close", "Save", "-", "Page Setup\u2026", "Print\u2026" } });
    auto manager = MenuItemManager::create(bar);
    auto added = MenuItemGroup::create({ ui::MenuItem::create("A"), ui::MenuItem::create("B") });
    manager->addMenuItemGroupAfterExisting(*manager->group("FileClose"), added, "mine");
    EXPECT_EQ(titles(*bar->items()[0]->submenu()),
        (std::vector<std::string> { "New", "Open", "-", "Close", "Save", "A", "B", "-", "Page Setup\u2026", "Print\u2026" }));
    EXPECT_EQ(manager->group("mine"), added);
    EXPECT_TRUE(manager->group("FilePrint"));

    CommonsHuskFacade().willFinishLaunching(manager.get(), {});
    EXPECT_EQ(bar->items()[0]->submenu()->numberOfItems(), 10u);
    EXPECT_FALSE(manager->group("developer contact"));
}

}
}
