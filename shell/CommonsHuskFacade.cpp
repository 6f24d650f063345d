#include "shell/CommonsHuskFacade.h"

#include "shell/MenuItemGroup.h"
#include "shell/MenuItemManager.h"
#include "shell/MenuPlaceHolderHelper.h"
#include "shell/WebAddresses.h"

#include "platform/base/Diagnostics.h"
#include "platform/desktop/Opener.h"
#include "platform/ui/MenuItem.h"

namespace ostrel {

void CommonsHuskFacade::willFinishLaunching(MenuItemManager* menuItemManager, const ui::Notification&)
{
    if (!menuItemManager)
        base::fatal("the application delegate has no menu item manager before it finishes launching");
    auto help = menuItemManager->group("Help");
    if (!help)
        return;
    auto contact = MenuItemGroup::create({ ui::MenuItem::separator(), createContactDeveloperMenuItem() });
    menuItemManager->addMenuItemGroupAfterExisting(*help, contact, "developer contact");
    MenuPlaceHolderHelper::shared().registry()[MenuItemPlaceHolderKeys::contactTheDeveloper] = [] {
        return createContactDeveloperMenuItem();
    };
}

std::shared_ptr<ui::MenuItem> CommonsHuskFacade::createContactDeveloperMenuItem()
{
    const char* address = webAddresses::contactTheDeveloper;
    if (!desktop::Opener::isLink(address))
        base::fatal("cannot create Contact the Developer... url");
    return ui::MenuItem::create("Contact the Developer", [address](ui::MenuItem&) { desktop::Opener::openLink(address); });
}

}
