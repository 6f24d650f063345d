#include "command/OstrelMatchingItemList.h"

#include "command/CommandEnvironment.h"
#include "command/Evaluator.h"
#include "command/MatchingItem.h"
#include "command/MatchingItemCollector.h"
#include "command/OstrelHotKeyManager.h"
#include "command/WindowCompactnessMatchingItem.h"

#include "platform/base/Defaults.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace ostrel {

namespace {

using CarbonModifier::command;
using CarbonModifier::control;
using CarbonModifier::shift;

// Carbon key codes; the combinations are only shown, never registered.
KeyCombo combo(std::uint32_t keyCode, std::uint32_t modifiers)
{
    return KeyCombo { keyCode, modifiers };
}

// A title as a user reads it: case and a closing ellipsis make no other command.
std::string comparable(std::string title)
{
    for (const char* ellipsis : { "\u2026", "..." })
        if (title.size() >= std::strlen(ellipsis) && title.ends_with(ellipsis))
            title.erase(title.size() - std::strlen(ellipsis));
    std::transform(title.begin(), title.end(), title.begin(), [](unsigned char c) { return std::tolower(c); });
    return title;
}

}

struct OstrelMatchingItemList::Listed {
    std::set<std::string> titles;
    std::set<std::string> actions;

    bool has(const ui::MenuItem& item) const
    {
        return titles.count(comparable(item.title())) || (!item.actionName().empty() && actions.count(item.actionName()));
    }
    // Whether anything of the menu is left to offer, here or in its submenus.
    bool leavesSomethingOf(ui::Menu& menu) const
    {
        for (const auto& item : menu.items()) {
            if (item->isSeparator() || item->isHidden() || item->title().empty())
                continue;
            if (item->hasSubmenu() ? leavesSomethingOf(*item->submenu()) : (!has(*item) && menu.isItemEnabled(*item)))
                return true;
        }
        return false;
    }
};

OstrelMatchingItemList::OstrelMatchingItemList(CommandEnvironment& environment)
    : m_environment(&environment)
{
}

void OstrelMatchingItemList::dismissCommandPopUp()
{
    m_environment->dismissCommandPopUp();
}

void OstrelMatchingItemList::gatherAllPossibleMatchingItems()
{
    setCurrentlyActiveBreadCrumbs({});
    setAllMatchingOptionsAsMatchingItems({});
    MatchingItemCollector collector(m_environment->defaults());
    m_environment->collectCurrentScreenItems(collector);
    addGlobalCommands(collector);
    setAllMatchingOptionsAsMatchingItems(collector.matchingItems());
}

ItemScoreEvaluator::Chain OstrelMatchingItemList::rankingChain()
{
    return {
        { std::make_shared<PrefixPreciseStringMatchingEvaluator>(), 1.0 },
        { std::make_shared<PartialPreciseStringMatchEvaluator>(), 1.0 },
        { std::make_shared<PartialContiguousExpandedStringMatchEvaluator>(), 1.0 },
        { std::make_shared<NonContiguousPreciseMatchingStringEvaluator>(), 1.0 },
        { std::make_shared<FinishingEvaluator>(), 1.0 },
        { std::make_shared<IntrinsicExecutableMenuItemEvaluator>(), 0.2 },
    };
}

void OstrelMatchingItemList::configureItemScoreEvaluator()
{
    itemScoreEvaluator().evaluators = rankingChain();
}

MatchingItemList::Items OstrelMatchingItemList::filterMatches(const Items& proposedMatchingItems) const
{
    auto& crumbs = currentlyActiveBreadCrumbs();
    bool typed = !currentSearchString().empty();
    Items kept;
    for (auto& item : proposedMatchingItems) {
        auto& path = item->expandedMatchingStrings();
        bool offered;
        if (typed)
            offered = isInsideBreadCrumbs(path); // the whole subtree of the entered group
        else if (!crumbs.empty())
            offered = path == crumbs; // the entered group's direct content
        else
            offered = isNextStepKind(item->kind()) || (item->kind() == MatchingItemKind::group && path.empty());
        if (offered)
            kept.push_back(item);
    }
    return kept;
}

void OstrelMatchingItemList::showStatistic(int statistic)
{
    auto& defaults = m_environment->defaults();
    defaults.set("currentlyDisplayedStatistic", statistic);
    defaults.synchronize();
    m_environment->sendToMainController("showStatisticsWindow:", *this);
}

void OstrelMatchingItemList::addGlobalCommands(MatchingItemCollector& collector)
{
    auto& environment = *m_environment;
    // The actions the table sends, so that the status menu's items for them are not listed twice.
    Listed listed;
    auto toMainController = [this, &listed](std::string action) {
        listed.actions.insert(action);
        return [this, action = std::move(action)] { m_environment->sendToMainController(action, *this); };
    };
    auto toApplication = [&environment, &listed](std::string action) {
        listed.actions.insert(action);
        return [&environment, action = std::move(action)] { environment.sendToApplication(action); };
    };
    auto storeBoolean = [&environment](std::string key, bool value) {
        return [&environment, key = std::move(key), value] { environment.defaults().set(key, value); };
    };

    collector.addMiscActionItem("Debug: Show Custom Notification", std::nullopt, [&environment] {
        environment.displayNotification("Your Break will start in 30 seconds\u2026",
            "\u2026or as soon as you stop working.", 5.0, true);
    });
    collector.addNavigationItem("Hide Ostrel", combo(4, command), toApplication("hide:"));
    collector.addSidebarItem("Toggle Now Pad", environment.storedKeyCombo("focusNowPadKeyCombo"), toMainController("nowHotKey:"));
    collector.addSidebarItem("Toggle Later Pad", environment.storedKeyCombo("focusLaterPadKeyCombo"), toMainController("laterHotKey:"));
    collector.addSidebarItem("Toggle Scratch Pad", environment.storedKeyCombo("focusScratchPadKeyCombo"),
        toMainController("scratchPadHotKey:"));
    collector.addSidebarItem("Toggle Log Book", combo(19, command), toMainController("toggleLogBook:"));
    collector.addSidebarItem("Toggle Statistics", combo(18, command), toMainController("toggleStatisticsWindow:"));
    // The comma (43): the preferences' own key, Ctrl+, (the semicolon's 41 would show a key that does nothing).
    collector.addMiscActionItem("Show Preferences...", combo(43, command), toMainController("showPreferencesDialog:"));
    collector.addMiscActionItem("Join Mailing List...", std::nullopt, toMainController("showJoinMailingListDialog:"));
    collector.addMiscActionItem("Check for Updates...", std::nullopt, [&environment] { environment.checkForUpdates(); });
    collector.addMiscActionItem("Read Current Objective Aloud", environment.storedKeyCombo("readObjectiveAloudKeyCombo"),
        toMainController("readObjectiveAloudHotKey:"));
    collector.addMiscActionItem("Contact the Developer", std::nullopt, toMainController("showContactLink:"));
    collector.addSidebarItem("Close All Pads", combo(29, command), toMainController("closeAllPads:"));

    collector.addGlobalOptionsGroup();
    collector.addOnOffGlobalSetting("Use Soft Break", "shouldUseSoftBreak");
    collector.addOnOffStateSetting("Always Skip Logging", "shouldAlwaysSkipLogging");
    collector.addOnOffStateSetting("Always Skip All Breaks", "shouldAlwaysSkipAllBreaks");
    collector.addOnOffGlobalSetting("Run as Dockless Application After Relaunch", "dockless");
    collector.append(WindowCompactnessMatchingItem::create(environment.defaults(), "Keep Window Compact",
        { "Global Options" }, [&environment] { environment.compressWindow(); }));

    collector.addActionGroup();
    collector.addStatisticsItem("Show Statistics for Last 7 Days", std::nullopt, [this] { showStatistic(0); });
    collector.addStatisticsItem("Show Statistics for the Last 14 Days", std::nullopt, [this] { showStatistic(5); });
    collector.addStatisticsItem("Show Statistics for Last 28 Days", std::nullopt, [this] { showStatistic(6); });
    collector.addStatisticsItem("Show Hour of the Day Statistics", std::nullopt, [this] { showStatistic(3); });
    collector.addStatisticsItem("Show Day of the Week Statistics", std::nullopt, [this] { showStatistic(1); });
    collector.addStatisticsItem("Show Statistics Report", std::nullopt, [this] { showStatistic(4); });
    collector.addLogItem("Reveal Log Files in Finder", std::nullopt, toMainController("revealUserLogFolder:"));
    collector.addLogItem("Force Log Update", std::nullopt, toMainController("forceLogRead:"));
    collector.addLogItem("Export Log as CSV File...", std::nullopt, toMainController("exportAsCSV:"));
    if (environment.addLogEntryMenuItemShouldBeEnabled())
        collector.addLogItem("Add Log Entry", combo(37, control), [this] { m_environment->addLogEntry(*this); });
    collector.addSoundsItem("Start Drovel Playback", std::nullopt, storeBoolean("standaloneSoundOn", true));
    collector.addSoundsItem("Stop Drovel Playback", std::nullopt, storeBoolean("standaloneSoundOn", false));
    collector.addSoundsItem("Mute All Sounds", std::nullopt, storeBoolean("mute", true));
    collector.addSoundsItem("Un-Mute All Sounds", std::nullopt, storeBoolean("mute", false));
    collector.addHelpItem("Show Ostrel 4 Help", std::nullopt, toMainController("showHelp:"));
    collector.addHelpItem("Open User Guide...", std::nullopt, toMainController("openUserManual:"));
    // One key, one command: where Super+P pauses (the pause's own key, on the screens that
    // pause), the row does not claim it; elsewhere Super+P parses.
    std::optional<KeyCombo> parseKey = combo(35, control);
    if (environment.currentScreenTakes("pauseOrResumeTimeSlice:")
        && OstrelHotKeyManager::shared().currentOrDefaultKeyCombo("pauseTimeSlice") == parseKey)
        parseKey.reset();
    collector.addTasksItem("Parse Objective", parseKey, [&environment] { environment.parseObjectiveField(); });
    collector.addTasksItem("Parse Clipboard & Set Objective", combo(35, control | shift),
        [&environment] { environment.parseClipboard(); });
    auto pad = environment.focusedPad();
    if (pad && pad->selectedLength >= 1)
        collector.addTasksItem("Parse Selected Text & Set Objective", combo(35, control | command),
            [&environment] { environment.parseSelectionOfFocusedPad(); });
    if (pad && !pad->isObjectiveTextView)
        collector.addTasksItem("Reveal Pad in Finder", std::nullopt, [this] { m_environment->revealFocusedPadInFinder(*this); });

    collector.addToolsGroup();
    collector.addSoundsGroup();
    collector.addNavigationGroup();
    collector.addHelpGroup();
    collector.addLogsGroup();
    collector.addStatisticsGroup();
    collector.addSidebarGroup();
    collector.addTasksGroup();
    collector.addMiscActionItem("Quit...", combo(12, command), toApplication("terminate:"));

    if (auto menu = environment.statusMenu()) {
        for (const auto& item : collector.matchingItems())
            if (item->kind() != MatchingItemKind::group)
                listed.titles.insert(comparable(item->preciseMatchingString()));
        if (!listed.leavesSomethingOf(*menu))
            return;
        collector.addStatusMenuGroup();
        addStatusMenuItems(collector, *menu, {}, listed);
    }
}

void OstrelMatchingItemList::addStatusMenuItems(MatchingItemCollector& collector, ui::Menu& menu, const std::vector<std::string>& submenus,
    const Listed& listed)
{
    // Only what the menu would let a click choose now, and what the pop-up does not list yet.
    for (const auto& item : menu.items()) {
        if (item->isSeparator() || item->isHidden() || item->title().empty())
            continue;
        if (item->hasSubmenu()) {
            if (!listed.leavesSomethingOf(*item->submenu()))
                continue;
            auto path = submenus;
            path.push_back(item->title());
            collector.addStatusMenuGroup(path);
            addStatusMenuItems(collector, *item->submenu(), path, listed);
            continue;
        }
        if (!menu.isItemEnabled(*item) || listed.has(*item))
            continue;
        // Chosen as a click chooses it, if it is still in its menu by then.
        std::weak_ptr<ui::MenuItem> weakItem = item;
        collector.addStatusMenuItem(item->title(), submenus, [weakItem] {
            auto chosen = weakItem.lock();
            auto* owner = chosen ? chosen->menu() : nullptr;
            if (int index = owner ? owner->indexOfItem(chosen.get()) : -1; index >= 0)
                owner->performActionForItemAt(static_cast<std::size_t>(index));
        });
    }
}

}
