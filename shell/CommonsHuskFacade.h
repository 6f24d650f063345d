#pragma once

#include <memory>

namespace ui {
class MenuItem;
struct Notification;
}

namespace ostrel {

class MenuItemManager;

// Adds the contact group (a separator and "Contact the Developer") after the Help menu's
// items, and leaves a maker of the item in the placeholder registry.
class CommonsHuskFacade {
public:
    struct MenuItemPlaceHolderKeys {
        static constexpr const char* contactTheDeveloper = "CommonsHuskFacade.MenuItemPlaceHolderKeys.contactTheDeveloper";
    };

    // The first will-finish-launching task: `menuItemManager` is the application delegate's
    // and must exist. Without a "Help" group nothing is added.
    void willFinishLaunching(MenuItemManager* menuItemManager, const ui::Notification& notification);

    // Opens the developer contact page in the browser when chosen.
    static std::shared_ptr<ui::MenuItem> createContactDeveloperMenuItem();
};

}
