#include "command/MenuKeyCombos.h"

#include "platform/ui/Application.h"
#include "platform/ui/Event.h"
#include "platform/ui/Menu.h"
#include "platform/ui/OffscreenBackend.h"

#include <gmock/gmock.h>

namespace ostrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::shared_ptr<ui::MenuItem> item(const std::string& title, const std::string& key,
    std::uint32_t modifiers = ui::ModifierFlag::Command)
{
    auto made = ui::MenuItem::create(title, {}, key);
    made->setKeyEquivalentModifierMask(modifiers);
    return made;
}

std::shared_ptr<ui::Menu> submenuOf(ui::Menu& menu, const std::string& title)
{
    auto holder = ui::MenuItem::create(title);
    auto submenu = ui::Menu::create(title);
    holder->setSubmenu(submenu);
    menu.addItem(holder);
    return submenu;
}

TEST(MenuKeyCombos, ItemsThenTheirSubmenusDepthFirstInMenuOrder)
{
    auto main = ui::Menu::create();
    auto app = submenuOf(*main, "Ostrel");
    app->addItem(item("Preferences…", ","));
    app->addItem(ui::MenuItem::separator());
    app->addItem(item("Quit Ostrel", "q"));
    auto window = submenuOf(*main, "Window");
    window->addItem(item("Now Pad", "n", ui::ModifierFlag::Command | ui::ModifierFlag::Option));
    auto pads = submenuOf(*window, "Pads");
    pads->addItem(item("Scratch Pad", "1", ui::ModifierFlag::Control | ui::ModifierFlag::Shift));
    window->addItem(item("Bring All to Front", "\u21E5", ui::ModifierFlag::Command));

    EXPECT_THAT(mainMenuKeyCombos(), IsEmpty()) << "no application";
    auto application = ui::Application::create(std::make_unique<ui::OffscreenBackend>());
    EXPECT_THAT(mainMenuKeyCombos(), IsEmpty()) << "no main menu";
    application->setMainMenu(main);

    EXPECT_THAT(mainMenuKeyCombos(),
        ElementsAre(KeyCombo(43, CarbonModifier::command), KeyCombo(12, CarbonModifier::command),
            KeyCombo(45, CarbonModifier::command | CarbonModifier::option),
            KeyCombo(18, CarbonModifier::control | CarbonModifier::shift), KeyCombo(48, CarbonModifier::command)));
}

TEST(MenuKeyCombos, KeysAreReadAsTheRecorderNamesThemAndOtherModifiersAreDropped)
{
    auto menu = ui::Menu::create();
    menu->addItem(item("Upper case", "Q", ui::ModifierFlag::Command | ui::ModifierFlag::CapsLock));
    menu->addItem(item("By name", "f12", 0));
    menu->addItem(item("Carriage return", "\r", ui::ModifierFlag::Option));
    EXPECT_THAT(keyCombos(*menu),
        ElementsAre(KeyCombo(12, CarbonModifier::command), KeyCombo(0x6F, 0), KeyCombo(0x24, CarbonModifier::option)));
}

TEST(MenuKeyCombos, ItemsWithoutAKnownKeyContributeNothing)
{
    auto menu = ui::Menu::create();
    menu->addItem(item("No shortcut", ""));
    menu->addItem(item("Unknown", "\u00e9"));
    menu->addItem(item("Two keys", "ab"));
    auto empty = submenuOf(*menu, "Empty");
    EXPECT_THAT(keyCombos(*menu), IsEmpty());
}

TEST(MenuKeyCombos, ASubmenuThatLeadsBackIsReadOnce)
{
    auto menu = ui::Menu::create();
    menu->addItem(item("Start", "s"));
    auto inner = submenuOf(*menu, "More");
    inner->addItem(item("Stop", "."));
    auto back = ui::MenuItem::create("Back");
    back->setSubmenu(menu);
    inner->addItem(back);
    EXPECT_THAT(keyCombos(*menu), ElementsAre(KeyCombo(1, CarbonModifier::command), KeyCombo(47, CarbonModifier::command)));
    // The loop would keep both menus alive.
    back->setSubmenu(nullptr);
}

}
}
