#include "command/ActionMatchingItem.h"
#include "command/GenericMultiStateOptionMatchingItem.h"
#include "command/MatchingGroupItem.h"
#include "command/MatchingItemCollector.h"
#include "command/TimeScaleMatchingItem.h"
#include "command/VisibilityOptionMatchingItem.h"
#include "command/WindowCompactnessMatchingItem.h"
#include "platform/base/Defaults.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

const std::string arrow = " \u2190 ";

TEST(MatchingItems, ByLinesFollowTheKindAndPath)
{
    auto noop = [] { };
    EXPECT_EQ(MatchingGroupItem::create("Sidebar", { "Tools" })->byLineString(), arrow + "Tools");
    EXPECT_EQ(MatchingGroupItem::create("Deep", { "Outer", "Inner" })->byLineString(), arrow + "Inner" + arrow + "Outer");
    EXPECT_EQ(MatchingGroupItem::create("Help")->byLineString(), "Group");
    EXPECT_EQ(ActionMatchingItem::create("Do", { "Anything" }, MatchingItemKind::firstAction, noop)->byLineString(), "Action");
    EXPECT_EQ(ActionMatchingItem::create("Go", { "Next Action" }, MatchingItemKind::defaultChoice, noop)->byLineString(),
        "Next Action");
    EXPECT_EQ(ActionMatchingItem::create("Go", {}, MatchingItemKind::item, noop)->byLineString(), "");
    EXPECT_EQ(ActionMatchingItem::create("Go", { "State-Specific Options", "Duration Slider Options" },
                  MatchingItemKind::item, noop)->byLineString(),
        "Duration Slider Options" + arrow + "State-Specific Options");
}

TEST(MatchingItems, IdentifiersJoinTitleAndPath)
{
    auto defaults = base::Defaults::create("");
    MatchingItemCollector collector(*defaults);
    collector.addOnOffGlobalSetting("Keep Window Compact", "k");
    collector.addHelpGroup();
    collector.addSidebarGroup();
    auto& items = collector.matchingItems();
    EXPECT_EQ(items[0]->identifier(), "Keep Window Compact>Global Options");
    EXPECT_EQ(items[1]->identifier(), "Help");
    EXPECT_EQ(items[2]->identifier(), "Sidebar>Tools");
}

TEST(MatchingItems, OnOffOptionsFlipTheStoredBoolean)
{
    auto defaults = base::Defaults::create("");
    auto option = OnOffOptionMatchingItem::create(*defaults, "Use Soft Break", "soft", { "Global Options" });
    EXPECT_EQ(option->userReadableStateDescription(), "Off");
    option->execute();
    EXPECT_EQ(*defaults->object("soft"), base::Value(true));
    EXPECT_EQ(option->userReadableStateDescription(), "On");
    option->execute();
    EXPECT_EQ(option->userReadableStateDescription(), "Off");
    // Numbers and texts read the way the defaults read them.
    defaults->set("soft", 1);
    EXPECT_EQ(option->userReadableStateDescription(), "On");
    defaults->set("soft", std::string("nonsense"));
    EXPECT_EQ(option->userReadableStateDescription(), "Off");
}

TEST(MatchingItems, VisibilityOptionsNameWhatExecutingDoes)
{
    auto defaults = base::Defaults::create("");
    defaults->set("hidden", true);
    auto option = VisibilityOptionMatchingItem::create(*defaults, "Slider", "hidden", {});
    EXPECT_EQ(option->userReadableStateDescription(), "Hide");
    option->execute();
    EXPECT_EQ(*defaults->object("hidden"), base::Value(false));
    EXPECT_EQ(option->userReadableStateDescription(), "Show");
}

TEST(MatchingItems, MultiStateOptionsCycleTextsAndIgnoreOtherTypes)
{
    auto defaults = base::Defaults::create("");
    auto option = GenericMultiStateOptionMatchingItem<std::string>::create(*defaults, "Prompt", {},
        MatchingItemKind::stateOption, "prompt", [](const std::string& value) { return value == "a" ? "b" : "a"; },
        [](const std::string& value) { return "Mode " + value; });
    EXPECT_EQ(option->expandedMatchingStrings(), std::vector<std::string> { "State-Specific Options" });
    EXPECT_EQ(option->userReadableStateDescription(), "dummy");
    option->execute();
    EXPECT_FALSE(defaults->object("prompt"));
    defaults->set("prompt", 3);
    option->execute();
    EXPECT_EQ(option->userReadableStateDescription(), "dummy");
    EXPECT_EQ(*defaults->object("prompt"), base::Value(3));
    defaults->set("prompt", std::string("a"));
    option->execute();
    EXPECT_EQ(option->userReadableStateDescription(), "Mode b");

    auto global = GenericMultiStateOptionMatchingItem<std::string>::create(*defaults, "G", {},
        MatchingItemKind::globalOption, "g", nullptr, nullptr);
    EXPECT_EQ(global->expandedMatchingStrings(), std::vector<std::string> { "Global Options" });
    auto other = GenericMultiStateOptionMatchingItem<std::string>::create(*defaults, "I", {},
        MatchingItemKind::item, "i", nullptr, nullptr);
    EXPECT_TRUE(other->expandedMatchingStrings().empty());
}

TEST(MatchingItems, TimeScaleCyclesBackAfterFourSteps)
{
    auto defaults = base::Defaults::create("");
    auto item = TimeScaleMatchingItem::create(*defaults, "Duration Scale");
    EXPECT_EQ(item->byLineString(), "Duration Slider Options" + arrow + "State-Specific Options");
    std::vector<TimeScale> seen;
    for (int i = 0; i < 4; ++i) {
        item->execute();
        seen.push_back(item->currentTimeScale());
    }
    EXPECT_EQ(seen, (std::vector<TimeScale> { TimeScale::oneAndAHalfHour, TimeScale::twoHours,
                        TimeScale::fortyFiveMinutes, TimeScale::oneHour }));
    EXPECT_EQ(*defaults->object("timeSliceTimeScale"), base::Value(0));
    // An unknown raw value starts the cycle again rather than storing another unknown one.
    defaults->set("timeSliceTimeScale", 42);
    item->execute();
    EXPECT_EQ(item->currentTimeScale(), TimeScale::oneAndAHalfHour);
}

TEST(MatchingItems, WindowCompactnessCyclesAndCompressesEachTime)
{
    auto defaults = base::Defaults::create("");
    int compressions = 0;
    auto item = WindowCompactnessMatchingItem::create(*defaults, "Keep Window Compact", { "Global Options" },
        [&] { ++compressions; });
    EXPECT_EQ(item->currentMode(), WindowCompressionMode::onlyWhenSideBarIsClosed);
    std::vector<WindowCompressionMode> seen;
    for (int i = 0; i < 3; ++i) {
        item->execute();
        seen.push_back(item->currentMode());
    }
    EXPECT_EQ(seen, (std::vector<WindowCompressionMode> { WindowCompressionMode::never, WindowCompressionMode::always,
                        WindowCompressionMode::onlyWhenSideBarIsClosed }));
    EXPECT_EQ(compressions, 3);
    EXPECT_EQ(item->byLineString(), "Global Options");
}

TEST(Collector, AddersFileEntriesUnderTheirGroupsInCallOrder)
{
    auto defaults = base::Defaults::create("");
    MatchingItemCollector collector(*defaults);
    collector.addDefaultChoice("Start", std::nullopt, [] { });
    collector.addSecondAction("Extend", KeyCombo { 3, 0x100 }, [] { }, true);
    collector.addSidebarGroup();
    collector.addStatisticsItem("Stats", std::nullopt, [] { });
    collector.addOnOffStateSetting("With Sub", "a", "Objective Field Options");
    collector.addOnOffStateSetting("Without Sub", "b");
    collector.addOnOffGlobalSetting("Global", "c");
    collector.addDurationSliderVisibilityItem("Slider", "d");

    auto& items = collector.matchingItems();
    ASSERT_EQ(items.size(), 8u);
    std::vector<std::string> titles;
    for (auto& item : items)
        titles.push_back(item->preciseMatchingString());
    EXPECT_EQ(titles, (std::vector<std::string> { "Start", "Extend", "Sidebar", "Stats", "With Sub", "Without Sub",
                          "Global", "Slider" }));
    EXPECT_EQ(items[0]->kind(), MatchingItemKind::defaultChoice);
    EXPECT_EQ(items[0]->expandedMatchingStrings(), std::vector<std::string> { "Next Action" });
    EXPECT_EQ(items[1]->kind(), MatchingItemKind::secondAction);
    EXPECT_TRUE(items[1]->dismissBeforeExecution()) << "remainOpen changes nothing in the entry";
    EXPECT_EQ(std::dynamic_pointer_cast<ActionMatchingItem>(items[1])->keyCombo(), (KeyCombo { 3, 0x100 }));
    EXPECT_EQ(items[3]->expandedMatchingStrings(), (std::vector<std::string> { "Tools", "Statistics" }));
    EXPECT_EQ(items[4]->byLineString(), "Objective Field Options" + arrow + "State-Specific Options");
    EXPECT_EQ(items[5]->expandedMatchingStrings(), std::vector<std::string> { "State-Specific Options" });
    EXPECT_EQ(items[6]->kind(), MatchingItemKind::stateOption);
    EXPECT_NE(std::dynamic_pointer_cast<VisibilityOptionMatchingItem>(items[7]), nullptr);
}

TEST(Collector, MiscActionsDismissUnlessToldOtherwise)
{
    auto defaults = base::Defaults::create("");
    MatchingItemCollector collector(*defaults);
    collector.addMiscActionItem("Default", std::nullopt, [] { });
    collector.addMiscActionItem("Stays", std::nullopt, [] { }, false);
    collector.addMiscActionItem("Goes", std::nullopt, [] { }, true);
    auto& items = collector.matchingItems();
    EXPECT_TRUE(items[0]->dismissBeforeExecution());
    EXPECT_FALSE(items[1]->dismissBeforeExecution());
    EXPECT_TRUE(items[2]->dismissBeforeExecution());
    EXPECT_EQ(items[0]->kind(), MatchingItemKind::item);
}

}
}
