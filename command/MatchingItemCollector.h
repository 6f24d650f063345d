#pragma once

#include "core/KeyCombo.h"
#include "command/MatchingItemKind.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace base {
class Defaults;
}

namespace ostrel {

class ActionMatchingItem;
class MatchingItem;

// The one builder through which screens and the global command table offer entries. Each
// adder appends exactly one entry, in call order: the final ranking is stable, so that order
// decides between otherwise equal entries.
class MatchingItemCollector {
public:
    using Func = std::function<void()>;
    using KeyComboArg = std::optional<KeyCombo>;

    explicit MatchingItemCollector(base::Defaults& defaults);

    const std::vector<std::shared_ptr<MatchingItem>>& matchingItems() const { return m_matchingItems; }
    // For entries made outside the adders (time scale, window compactness).
    void append(std::shared_ptr<MatchingItem> item);
    base::Defaults& defaults() const { return *m_defaults; }

    // Under "Next Action", shown at the top level by kind.
    void addDefaultChoice(std::string title, KeyComboArg keyCombo, Func f);
    void addFirstAlternative(std::string title, KeyComboArg keyCombo, Func f);
    void addSecondAlternative(std::string title, KeyComboArg keyCombo, Func f);
    void addThirdAlternative(std::string title, KeyComboArg keyCombo, Func f);
    void addFourthAlternative(std::string title, KeyComboArg keyCombo, Func f);
    void addFifthAlternative(std::string title, KeyComboArg keyCombo, Func f);
    void addSixthAlternative(std::string title, KeyComboArg keyCombo, Func f);

    // Under "Actions".
    void addFirstAction(std::string title, KeyComboArg keyCombo, Func f);
    // remainOpen changes nothing in the entry: whether the pop-up stays open is the list's affair.
    void addSecondAction(std::string title, KeyComboArg keyCombo, Func f, bool remainOpen);
    void addThirdAction(std::string title, KeyComboArg keyCombo, Func f);
    void addFourthAction(std::string title, KeyComboArg keyCombo, Func f);
    void addFifthAction(std::string title, KeyComboArg keyCombo, Func f);
    void addMiscActionItem(std::string title, KeyComboArg keyCombo, Func f,
        std::optional<bool> dismissBeforeExecution = std::nullopt);

    void addNavigationItem(std::string title, KeyComboArg keyCombo, Func f);
    void addSidebarItem(std::string title, KeyComboArg keyCombo, Func f);
    void addStatisticsItem(std::string title, KeyComboArg keyCombo, Func f);
    void addLogItem(std::string title, KeyComboArg keyCombo, Func f);
    void addSoundsItem(std::string title, KeyComboArg keyCombo, Func f);
    void addTasksItem(std::string title, KeyComboArg keyCombo, Func f);
    void addHelpItem(std::string title, KeyComboArg keyCombo, Func f);
    // The status item's menu, mirrored under "Status Menu" (its submenus as groups within):
    // a hidden program's user reaches it by keys. The pop-up closes before the item runs.
    void addStatusMenuItem(std::string title, std::vector<std::string> submenus, Func f);
    // The menu's own group with no submenus named; else the group of the last one named.
    void addStatusMenuGroup(std::vector<std::string> submenus = {});

    // Options; a subCategory becomes a second path element.
    void addOnOffStateSetting(std::string title, std::string storageKey,
        std::optional<std::string> subCategory = std::nullopt);
    void addVisibilityStateSetting(std::string title, std::string storageKey,
        std::optional<std::string> subCategory = std::nullopt);
    void addStringMultiStateStateSetting(std::string title, std::string storageKey,
        std::function<std::string(const std::string&)> nextStateFunc,
        std::function<std::string(const std::string&)> userReadableStateDescriptonFunc,
        std::optional<std::string> subCategory = std::nullopt);
    void addOnOffGlobalSetting(std::string title, std::string storageKey,
        std::optional<std::string> subCategory = std::nullopt);
    void addDurationSliderVisibilityItem(std::string title, std::string storageKey);
    void addObjectiveFieldVisibilityOption(std::string title, std::string storageKey);
    void addObjectiveFieldOnOffOption(std::string title, std::string storageKey);

    // Group headers are never added implicitly: whoever fills a group adds its header once.
    void addActionGroup();
    void addNavigationGroup();
    void addToolsGroup();
    void addHelpGroup();
    void addStateOptionsGroup();
    void addGlobalOptionsGroup();
    void addSidebarGroup();
    void addStatisticsGroup();
    void addLogsGroup();
    void addSoundsGroup();
    void addTasksGroup();
    void addDurationSliderOptionGroup();
    void addObjectiveFieldOptionGroup();

private:
    std::shared_ptr<ActionMatchingItem> addAction(std::string title, std::vector<std::string> path,
        MatchingItemKind kind, KeyComboArg keyCombo, Func f);
    void addGroup(std::string name, std::vector<std::string> path = {});

    // Non-owning: the defaults outlive the collector and the entries it makes.
    base::Defaults* m_defaults { nullptr };
    std::vector<std::shared_ptr<MatchingItem>> m_matchingItems;
};

}
