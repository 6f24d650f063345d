#include "shell/ApplicationMenus.h"

#include "shell/DockManager.h"
#include "shell/MainController.h"

#include "platform/base/Defaults.h"
#include "platform/ui/Application.h"
#include "platform/ui/Event.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"

namespace ostrel {

namespace {

using Item = std::shared_ptr<ui::MenuItem>;

class MenuMaker {
public:
    explicit MenuMaker(MainController& controller)
        : m_controller(controller)
    {
    }

    // An item sending the action to the main controller.
    Item command(const std::string& title, const std::string& action, const std::string& key = {},
        std::uint32_t modifiers = ui::ModifierFlag::Command)
    {
        auto item = ui::MenuItem::createWithAction(title, action, key);
        item->setTarget(&m_controller);
        item->setKeyEquivalentModifierMask(modifiers);
        return item;
    }

    static std::shared_ptr<ui::Menu> menu(const std::string& title, std::initializer_list<Item> items)
    {
        auto made = ui::Menu::create(title);
        for (const auto& item : items)
            made->addItem(item);
        return made;
    }

    static Item submenu(const std::string& title, std::shared_ptr<ui::Menu> menu)
    {
        auto item = ui::MenuItem::create(title);
        item->setSubmenu(std::move(menu));
        return item;
    }

private:
    MainController& m_controller;
};

Item separator() { return ui::MenuItem::separator(); }

// "Play Background Sound", checked while it plays.
Item backgroundSoundSwitch(base::Defaults& store)
{
    auto item = ui::MenuItem::create("Play Background Sound", [&store](ui::MenuItem&) {
        store.set("standaloneSoundOn", !store.boolean("standaloneSoundOn"));
    });
    item->validate = [&store](ui::MenuItem& shown) {
        shown.setState(store.boolean("standaloneSoundOn") ? 1 : 0);
        return true;
    };
    return item;
}

std::shared_ptr<ui::Menu> backgroundSoundMenu(base::Defaults& store, const std::shared_ptr<ui::Menu>& sounds)
{
    return MenuMaker::menu("Background Sound", { backgroundSoundSwitch(store), separator(), MenuMaker::submenu("Sound", sounds) });
}

}

ApplicationMenus ApplicationMenus::build(MainController& controller, DockManager& dock, base::Defaults& store)
{
    MenuMaker make(controller);
    auto& items = controller.menuItems;
    ApplicationMenus menus;
    menus.backgroundSoundsMenu = ui::Menu::create("Sound");
    menus.statusBackgroundSoundsMenu = ui::Menu::create("Sound");

    // The status menu: a running screen's own items go just above its first separator.
    auto& status = *controller.dockMenu();
    items.startTimeSliceDock = make.command("Start Time Slice", "attemptToTriggerStartTimeSlice:");
    items.pauseTimeSliceDock = make.command("Pause Time Slice", "attemptToTriggerPauseTimeSlice:");
    items.endTimeSliceDock = make.command("End Time Slice", "attemptToTriggerEndTimeSlice:");
    items.startTimedBreakDock = make.command("Start Timed Break", "attemptToTriggerStartTimedBreak:");
    auto gearSwitch = ui::MenuItem::create(DockManager::menuLabelForValue(true));
    for (const auto& item : { items.startTimeSliceDock, items.pauseTimeSliceDock, items.endTimeSliceDock, items.startTimedBreakDock,
             separator(), make.command("Show Ostrel", "bringToFront:"), gearSwitch,
             MenuMaker::submenu("Background Sound", backgroundSoundMenu(store, menus.statusBackgroundSoundsMenu)), separator(),
             make.command("Quit Ostrel", "terminate:") })
        status.addItem(item);
    dock.setGearMenuDockSwitchingMenuItem(gearSwitch);

    auto mainSwitch = ui::MenuItem::create(DockManager::menuLabelForValue(true));
    dock.setMainMenuDockSwitchingMenuItem(mainSwitch);
    auto application = MenuMaker::menu("Ostrel", { make.command("Check for Updates\u2026", "checkForUpdates:"), separator(), mainSwitch,
                                                      separator(), make.command("Hide Ostrel", "hide:", "h"), separator(),
                                                      make.command("Quit Ostrel", "terminate:", "q") });

    auto file = MenuMaker::menu("File", { make.command("Export Log as CSV\u2026", "exportAsCSV:"),
                                            make.command("Reveal Log Folder", "revealUserLogFolder:"),
                                            make.command("Reload Log", "forceLogRead:"), separator(),
                                            make.command("Close Window", "hide:", "w") });

    items.startTimeSlice = make.command("Start Time Slice", "attemptToTriggerStartTimeSlice:");
    items.pauseTimeSlice = make.command("Pause Time Slice", "attemptToTriggerPauseTimeSlice:");
    items.endTimeSlice = make.command("End Time Slice", "attemptToTriggerEndTimeSlice:");
    items.startTimedBreak = make.command("Start Timed Break", "attemptToTriggerStartTimedBreak:");
    items.startInformalBreak = make.command("Start Informal Break", "startInformalBreak:");
    // The informal break is the current screen's to start; the item travels the chain.
    items.startInformalBreak->setTarget(nullptr);
    auto timeSlice = MenuMaker::menu("Time Slice", { items.startTimeSlice, items.pauseTimeSlice, items.endTimeSlice,
                                                       items.startTimedBreak, items.startInformalBreak, separator(),
                                                       make.command("Take Default Action", "takeDefaultAction:") });

    items.focusNowHotkey = make.command("Now Pad", "nowHotKey:");
    items.focusLaterHotkey = make.command("Later Pad", "laterHotKey:");
    items.focusScratchPadHotkey = make.command("Scratch Pad", "scratchPadHotKey:");
    items.readObjectiveAloudHotKey = make.command("Read Objective Aloud", "readObjectiveAloudHotKey:");
    items.showCommandWindow = make.command("Show Command Pop-Up", "showCommandWindow:");
    auto pads = MenuMaker::menu("Pads", { items.focusNowHotkey, items.focusLaterHotkey, items.focusScratchPadHotkey,
                                            make.command("Log Book", "toggleLogBook:"),
                                            make.command("Statistics", "toggleStatisticsWindow:"),
                                            make.command("Help Pad", "toggleHelpPad:"), separator(),
                                            make.command("Close All Pads", "closeAllPads:"), separator(),
                                            make.command("Insert Breadcrumbs Template", "insertBreadcrumbsTemplate:"),
                                            make.command("Insert Priming Template", "insertPrimingTemplate:"), separator(),
                                            items.readObjectiveAloudHotKey, items.showCommandWindow });

    auto sound = backgroundSoundMenu(store, menus.backgroundSoundsMenu);
    sound->setTitle("Sound");

    auto help = MenuMaker::menu("Help", { make.command("Ostrel Help", "showHelp:", "?"), make.command("User Manual", "openUserManual:"),
                                            make.command("Video Tutorial", "openVideoTutorial:"),
                                            make.command("Join the Mailing List\u2026", "showJoinMailingListDialog:") });

    menus.mainMenu = ui::Menu::create();
    for (const auto& menu : { application, file, timeSlice, pads, sound, help })
        menus.mainMenu->addItem(MenuMaker::submenu(menu->title(), menu));
    if (store.boolean("debug_menu")) {
        items.setRemainingTimeTo15Seconds = make.command("Set Remaining Time to 15 Seconds", "setRemainingSecondsTo15:");
        auto debug = MenuMaker::menu("Debug", { items.setRemainingTimeTo15Seconds });
        menus.mainMenu->addItem(MenuMaker::submenu("Debug", debug));
    }
    return menus;
}

}
