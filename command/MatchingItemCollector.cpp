#include "command/MatchingItemCollector.h"

#include "command/ActionMatchingItem.h"
#include "command/GenericMultiStateOptionMatchingItem.h"
#include "command/MatchingGroupItem.h"
#include "command/VisibilityOptionMatchingItem.h"

namespace ostrel {

namespace {

const std::string nextAction = "Next Action";
const std::string actions = "Actions";
const std::string tools = "Tools";
const std::string stateOptions = "State-Specific Options";
const std::string globalOptions = "Global Options";
const std::string statusMenu = "Status Menu";

std::vector<std::string> pathWith(const std::string& group, const std::optional<std::string>& subCategory)
{
    if (subCategory)
        return { group, *subCategory };
    return { group };
}

}

MatchingItemCollector::MatchingItemCollector(base::Defaults& defaults)
    : m_defaults(&defaults)
{
}

void MatchingItemCollector::append(std::shared_ptr<MatchingItem> item)
{
    m_matchingItems.push_back(std::move(item));
}

std::shared_ptr<ActionMatchingItem> MatchingItemCollector::addAction(std::string title,
    std::vector<std::string> path, MatchingItemKind kind, KeyComboArg keyCombo, Func f)
{
    auto item = ActionMatchingItem::create(std::move(title), std::move(path), kind, std::move(f));
    item->setKeyCombo(keyCombo);
    m_matchingItems.push_back(item);
    return item;
}

void MatchingItemCollector::addGroup(std::string name, std::vector<std::string> path)
{
    m_matchingItems.push_back(MatchingGroupItem::create(std::move(name), std::move(path)));
}

void MatchingItemCollector::addDefaultChoice(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { nextAction }, MatchingItemKind::defaultChoice, keyCombo, std::move(f));
}

void MatchingItemCollector::addFirstAlternative(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { nextAction }, MatchingItemKind::firstAlternative, keyCombo, std::move(f));
}

void MatchingItemCollector::addSecondAlternative(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { nextAction }, MatchingItemKind::secondAlternative, keyCombo, std::move(f));
}

void MatchingItemCollector::addThirdAlternative(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { nextAction }, MatchingItemKind::thirdAlternative, keyCombo, std::move(f));
}

void MatchingItemCollector::addFourthAlternative(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { nextAction }, MatchingItemKind::fourthAlternative, keyCombo, std::move(f));
}

void MatchingItemCollector::addFifthAlternative(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { nextAction }, MatchingItemKind::fifthAlternative, keyCombo, std::move(f));
}

void MatchingItemCollector::addSixthAlternative(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { nextAction }, MatchingItemKind::sixthAlternative, keyCombo, std::move(f));
}

void MatchingItemCollector::addFirstAction(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { actions }, MatchingItemKind::firstAction, keyCombo, std::move(f));
}

void MatchingItemCollector::addSecondAction(std::string title, KeyComboArg keyCombo, Func f, bool)
{
    addAction(std::move(title), { actions }, MatchingItemKind::secondAction, keyCombo, std::move(f));
}

void MatchingItemCollector::addThirdAction(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { actions }, MatchingItemKind::thirdAction, keyCombo, std::move(f));
}

void MatchingItemCollector::addFourthAction(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { actions }, MatchingItemKind::fourthAction, keyCombo, std::move(f));
}

void MatchingItemCollector::addFifthAction(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { actions }, MatchingItemKind::fifthAction, keyCombo, std::move(f));
}

void MatchingItemCollector::addMiscActionItem(std::string title, KeyComboArg keyCombo, Func f,
    std::optional<bool> dismissBeforeExecution)
{
    auto item = addAction(std::move(title), { actions }, MatchingItemKind::item, keyCombo, std::move(f));
    if (dismissBeforeExecution)
        item->setShouldDismissBeforeExecution(*dismissBeforeExecution);
}

void MatchingItemCollector::addStatusMenuItem(std::string title, std::vector<std::string> submenus, Func f)
{
    submenus.insert(submenus.begin(), statusMenu);
    addAction(std::move(title), std::move(submenus), MatchingItemKind::item, std::nullopt, std::move(f))->setShouldDismissBeforeExecution(true);
}

void MatchingItemCollector::addStatusMenuGroup(std::vector<std::string> submenus)
{
    if (submenus.empty()) {
        addGroup(statusMenu);
        return;
    }
    std::string name = std::move(submenus.back());
    submenus.pop_back();
    submenus.insert(submenus.begin(), statusMenu);
    addGroup(std::move(name), std::move(submenus));
}

void MatchingItemCollector::addNavigationItem(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { "Navigation" }, MatchingItemKind::item, keyCombo, std::move(f));
}

void MatchingItemCollector::addSidebarItem(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { tools, "Sidebar" }, MatchingItemKind::item, keyCombo, std::move(f));
}

void MatchingItemCollector::addStatisticsItem(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { tools, "Statistics" }, MatchingItemKind::item, keyCombo, std::move(f));
}

void MatchingItemCollector::addLogItem(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { tools, "Logs" }, MatchingItemKind::item, keyCombo, std::move(f));
}

void MatchingItemCollector::addSoundsItem(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { tools, "Sounds" }, MatchingItemKind::item, keyCombo, std::move(f));
}

void MatchingItemCollector::addTasksItem(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { tools, "Tasks" }, MatchingItemKind::item, keyCombo, std::move(f));
}

void MatchingItemCollector::addHelpItem(std::string title, KeyComboArg keyCombo, Func f)
{
    addAction(std::move(title), { "Help" }, MatchingItemKind::item, keyCombo, std::move(f));
}

void MatchingItemCollector::addOnOffStateSetting(std::string title, std::string storageKey,
    std::optional<std::string> subCategory)
{
    m_matchingItems.push_back(OnOffOptionMatchingItem::create(
        *m_defaults, std::move(title), std::move(storageKey), pathWith(stateOptions, subCategory)));
}

void MatchingItemCollector::addVisibilityStateSetting(std::string title, std::string storageKey,
    std::optional<std::string> subCategory)
{
    m_matchingItems.push_back(VisibilityOptionMatchingItem::create(
        *m_defaults, std::move(title), std::move(storageKey), pathWith(stateOptions, subCategory)));
}

void MatchingItemCollector::addStringMultiStateStateSetting(std::string title, std::string storageKey,
    std::function<std::string(const std::string&)> nextStateFunc,
    std::function<std::string(const std::string&)> userReadableStateDescriptonFunc,
    std::optional<std::string> subCategory)
{
    m_matchingItems.push_back(GenericMultiStateOptionMatchingItem<std::string>::create(*m_defaults,
        std::move(title), pathWith(stateOptions, subCategory), MatchingItemKind::stateOption,
        std::move(storageKey), std::move(nextStateFunc), std::move(userReadableStateDescriptonFunc)));
}

void MatchingItemCollector::addOnOffGlobalSetting(std::string title, std::string storageKey,
    std::optional<std::string> subCategory)
{
    m_matchingItems.push_back(OnOffOptionMatchingItem::create(
        *m_defaults, std::move(title), std::move(storageKey), pathWith(globalOptions, subCategory)));
}

void MatchingItemCollector::addDurationSliderVisibilityItem(std::string title, std::string storageKey)
{
    m_matchingItems.push_back(VisibilityOptionMatchingItem::create(*m_defaults, std::move(title),
        std::move(storageKey), { stateOptions, "Duration Slider Options" }));
}

void MatchingItemCollector::addObjectiveFieldVisibilityOption(std::string title, std::string storageKey)
{
    m_matchingItems.push_back(VisibilityOptionMatchingItem::create(*m_defaults, std::move(title),
        std::move(storageKey), { stateOptions, "Objective Field Options" }));
}

void MatchingItemCollector::addObjectiveFieldOnOffOption(std::string title, std::string storageKey)
{
    m_matchingItems.push_back(OnOffOptionMatchingItem::create(*m_defaults, std::move(title),
        std::move(storageKey), { stateOptions, "Objective Field Options" }));
}

void MatchingItemCollector::addActionGroup() { addGroup(actions); }
void MatchingItemCollector::addNavigationGroup() { addGroup("Navigation"); }
void MatchingItemCollector::addToolsGroup() { addGroup(tools); }
void MatchingItemCollector::addHelpGroup() { addGroup("Help"); }
void MatchingItemCollector::addStateOptionsGroup() { addGroup(stateOptions); }
void MatchingItemCollector::addGlobalOptionsGroup() { addGroup(globalOptions); }
void MatchingItemCollector::addSidebarGroup() { addGroup("Sidebar", { tools }); }
void MatchingItemCollector::addStatisticsGroup() { addGroup("Statistics", { tools }); }
void MatchingItemCollector::addLogsGroup() { addGroup("Logs", { tools }); }
void MatchingItemCollector::addSoundsGroup() { addGroup("Sounds", { tools }); }
void MatchingItemCollector::addTasksGroup() { addGroup("Tasks", { tools }); }
void MatchingItemCollector::addDurationSliderOptionGroup() { addGroup("Duration Slider Options", { stateOptions }); }
void MatchingItemCollector::addObjectiveFieldOptionGroup() { addGroup("Objective Field Options", { stateOptions }); }

}
