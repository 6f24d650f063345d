#include "shell/ApplicationMenus.h"

#include "shell/AppDelegate.h"
#include "shell/DockManager.h"
#include "shell/MainController.h"

#include "command/ObjectiveParser.h"

#include "platform/base/Defaults.h"
#include "platform/ui/Application.h"
#include "platform/ui/Event.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/Window.h"

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

    // Ctrl+W: a window run modally over ours (the preferences) closes as its close button
    // closes it; otherwise the main window's close hides the program. An alert answers
    // Ctrl+W itself, as its cancel button, before the menus hear of it.
    Item closeWindow()
    {
        auto item = ui::MenuItem::create("Close Window", [&controller = m_controller](ui::MenuItem&) {
            auto* application = ui::Application::shared();
            if (auto* modal = application ? application->modalWindow() : nullptr)
                modal->performClose();
            else
                controller.tryToPerform("hide:");
        }, "w");
        item->setKeyEquivalentModifierMask(ui::ModifierFlag::Command);
        return item;
    }

    // An item sending the action along the responder chain to the current screen: enabled
    // on the screens whose action table has it.
    static Item screenCommand(const std::string& title, const std::string& action, const std::string& key,
        std::uint32_t modifiers = ui::ModifierFlag::Command)
    {
        auto item = ui::MenuItem::createWithAction(title, action, key);
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

// The parser works on the stored objective, whichever screen shows: as the pop-up's rows do.
Item parserCommand(const std::string& title, std::function<void()> parse, std::uint32_t modifiers)
{
    auto item = ui::MenuItem::create(title, [parse = std::move(parse)](ui::MenuItem&) { parse(); }, "p");
    item->setKeyEquivalentModifierMask(modifiers);
    return item;
}

// Whether the current screen (at the end of the application's chain) takes the action.
bool currentScreenTakes(const std::string& action)
{
    auto* application = ui::Application::shared();
    for (const base::Responder* responder = application; responder; responder = responder->nextResponder())
        if (responder->respondsTo(action))
            return true;
    return false;
}

// A timer command of the main menu is enabled where the current screen performs it: so that
// its key (Super+P pauses) leaves the key to the next command that has it elsewhere (Super+P
// parses the objective where nothing runs to pause).
void enableWhereTheScreenTakes(ui::MenuItem& item, std::string action)
{
    item.validate = [action = std::move(action)](ui::MenuItem&) { return currentScreenTakes(action); };
}

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
    items.startTimeSliceDockMenuItem = make.command("Start Time Slice", "attemptToTriggerStartTimeSlice:");
    items.pauseTimeSliceDockMenuItem = make.command("Pause Time Slice", "attemptToTriggerPauseTimeSlice:");
    items.endTimeSliceDockMenuItem = make.command("End Time Slice", "attemptToTriggerEndTimeSlice:");
    items.startTimedBreakDockMenuItem = make.command("Start Timed Break", "attemptToTriggerStartTimedBreak:");
    auto gearSwitch = ui::MenuItem::create(DockManager::menuLabelForValue(true));
    for (const auto& item : { items.startTimeSliceDockMenuItem, items.pauseTimeSliceDockMenuItem, items.endTimeSliceDockMenuItem, items.startTimedBreakDockMenuItem,
             separator(), make.command("Show Ostrel", "bringToFront:"), gearSwitch,
             MenuMaker::submenu("Background Sound", backgroundSoundMenu(store, menus.statusBackgroundSoundsMenu)), separator(),
             make.command("Preferences\u2026", "showPreferencesDialog:"), make.command("Quit Ostrel", "terminate:") })
        status.addItem(item);
    dock.setGearMenuDockSwitchingMenuItem(gearSwitch);

    auto mainSwitch = ui::MenuItem::create(DockManager::menuLabelForValue(true));
    dock.setMainMenuDockSwitchingMenuItem(mainSwitch);
    auto application = MenuMaker::menu("Ostrel", { make.command("Preferences\u2026", "showPreferencesDialog:", ","),
                                                      make.command("Check for Updates\u2026", "checkForUpdates:"), separator(), mainSwitch,
                                                      separator(), make.command("Hide Ostrel", "hide:", "h"), separator(),
                                                      make.command("Quit Ostrel", "terminate:", "q") });

    // The delegate adds the entry, and says when it can.
    auto addLogEntry = ui::MenuItem::create("Add Log Entry", [](ui::MenuItem&) { smartDelegate().addLogEntry(); }, "l");
    addLogEntry->setKeyEquivalentModifierMask(ui::ModifierFlag::Control);
    addLogEntry->validate = [](ui::MenuItem&) { return smartDelegate().validateUserInterfaceItem("addLogEntry:"); };
    auto file = MenuMaker::menu("File", { addLogEntry, make.command("Export Log as CSV\u2026", "exportAsCSV:"),
                                            make.command("Reveal Log Folder", "revealUserLogFolder:"),
                                            make.command("Reload Log", "forceLogRead:"), separator(),
                                            make.closeWindow() });

    items.startTimeSliceMenuItem = make.command("Start Time Slice", "attemptToTriggerStartTimeSlice:");
    items.pauseTimeSliceMenuItem = make.command("Pause Time Slice", "attemptToTriggerPauseTimeSlice:");
    items.endTimeSliceMenuItem = make.command("End Time Slice", "attemptToTriggerEndTimeSlice:");
    items.startTimedBreakMenuItem = make.command("Start Timed Break", "attemptToTriggerStartTimedBreak:");
    enableWhereTheScreenTakes(*items.startTimeSliceMenuItem, "startTimeSlice:");
    enableWhereTheScreenTakes(*items.pauseTimeSliceMenuItem, "pauseOrResumeTimeSlice:");
    enableWhereTheScreenTakes(*items.endTimeSliceMenuItem, "stopTimeSlice:");
    enableWhereTheScreenTakes(*items.startTimedBreakMenuItem, "startTimedBreak:");
    // The informal break is the current screen's to start; the item travels the chain.
    items.startInformalBreakMenuItem
        = MenuMaker::screenCommand("Start Informal Break", "startInformalBreak:", "i", ui::ModifierFlag::Option | ui::ModifierFlag::Command);

    // The keys the command pop-up and the screens show, each for the command it names there:
    // Ctrl+Return is every screen's default choice.
    namespace M = ui::ModifierFlag;
    const std::uint32_t super = M::Control;
    auto defaultAction = make.command("Take Default Action", "takeDefaultAction:", "\r");
    auto timeSlice = MenuMaker::menu("Time Slice",
        { items.startTimeSliceMenuItem, items.pauseTimeSliceMenuItem, items.endTimeSliceMenuItem, items.startTimedBreakMenuItem,
            items.startInformalBreakMenuItem, separator(), defaultAction, separator(),
            MenuMaker::screenCommand("Quickly Change Duration\u2026", "changeDuration:", "d"),
            MenuMaker::screenCommand("Add One Minute", "addOneMinute:", "="),
            MenuMaker::screenCommand("Subtract One Minute", "subtractOneMinute:", "-"), separator(),
            MenuMaker::screenCommand("Mark as Having Been Distracted", "setDistractedLevel:", "0", super | M::Shift),
            MenuMaker::screenCommand("Mark as Having Had Good Focus", "setGoodLevel:", "1", super | M::Shift),
            MenuMaker::screenCommand("Mark as Having Been Highly Focused", "setHighlyFocusedLevel:", "2", super | M::Shift),
            MenuMaker::screenCommand("Mark as Having Experienced Flow", "setFlowLevel:", "3", super | M::Shift) });

    auto objective = MenuMaker::menu("Objective",
        { MenuMaker::screenCommand("Focus Objective Field", "selectObjectiveField:", "o"),
            MenuMaker::screenCommand("Focus Tag Field", "selectTagTokenField:", "t"), separator(),
            parserCommand("Parse Objective", [] { ObjectiveParser::shared().parseObjectiveField(); }, super),
            parserCommand("Parse Clipboard & Set Objective", [] { ObjectiveParser::shared().parseClipboard(); }, super | M::Shift),
            MenuMaker::screenCommand("Parse Selected Text & Set Objective", "parseSelectionAndSetObjective:", "p", super | M::Command) });

    items.focusNowHotkeyMenuItem = make.command("Now Pad", "nowHotKey:");
    items.focusLaterHotkeyMenuItem = make.command("Later Pad", "laterHotKey:");
    items.focusScratchPadHotkeyMenuItem = make.command("Scratch Pad", "scratchPadHotKey:");
    items.readObjectiveAloudHotKeyMenuItem = make.command("Read Objective Aloud", "readObjectiveAloudHotKey:");
    items.showCommandWindowMenuItem = make.command("Show Command Pop-Up", "showCommandWindow:");
    auto pads = MenuMaker::menu("Pads", { items.focusNowHotkeyMenuItem, items.focusLaterHotkeyMenuItem, items.focusScratchPadHotkeyMenuItem,
                                            make.command("Log Book", "toggleLogBook:", "2"),
                                            make.command("Statistics", "toggleStatisticsWindow:", "1"),
                                            make.command("Help Pad", "toggleHelpPad:"), separator(),
                                            make.command("Close All Pads", "closeAllPads:", "0"), separator(),
                                            make.command("Insert Breadcrumbs Template", "insertBreadcrumbsTemplate:"),
                                            make.command("Insert Priming Template", "insertPrimingTemplate:"), separator(),
                                            items.readObjectiveAloudHotKeyMenuItem, items.showCommandWindowMenuItem });

    auto sound = backgroundSoundMenu(store, menus.backgroundSoundsMenu);
    sound->setTitle("Sound");

    auto help = MenuMaker::menu("Help", { make.command("Ostrel Help", "showHelp:", "?"), make.command("User Manual", "openUserManual:"),
                                            make.command("Video Tutorial", "openVideoTutorial:"),
                                            make.command("Join the Mailing List\u2026", "showJoinMailingListDialog:") });

    menus.mainMenu = ui::Menu::create();
    for (const auto& menu : { application, file, timeSlice, objective, pads, sound, help })
        menus.mainMenu->addItem(MenuMaker::submenu(menu->title(), menu));
    if (store.boolean("debug_menu")) {
        items.setRemainingTimeTo15SecondsItem = make.command("Set Remaining Time to 15 Seconds", "setRemainingSecondsTo15:");
        auto debug = MenuMaker::menu("Debug", { items.setRemainingTimeTo15SecondsItem });
        menus.mainMenu->addItem(MenuMaker::submenu("Debug", debug));
    }
    return menus;
}

}
