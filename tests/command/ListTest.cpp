#include "RecordingEnvironment.h"

#include "command/ActionMatchingItem.h"
#include "command/MatchingItemListDelegate.h"
#include "command/OstrelMatchingItemList.h"

#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ostrel {
namespace {

class ListTest : public testing::Test {
protected:
    // Opens the pop-up the way the window does.
    void open()
    {
        list.gatherAllPossibleMatchingItems();
        list.configureItemScoreEvaluator();
        list.startWithEmptySearchTerm();
    }

    std::vector<std::string> titles() const
    {
        std::vector<std::string> titles;
        for (auto& item : list.matchingItems())
            titles.push_back(item->displayString());
        return titles;
    }

    bool listed(const std::string& title) const
    {
        auto all = titles();
        return std::find(all.begin(), all.end(), title) != all.end();
    }

    void select(const std::string& title)
    {
        auto all = titles();
        auto found = std::find(all.begin(), all.end(), title);
        ASSERT_NE(found, all.end()) << title;
        list.setSelectedMatchedItemIndex(static_cast<int>(found - all.begin()));
    }

    // A screen with many entries of its own, for moving through a long result list.
    void screenWithCommands(int count)
    {
        environment.screen = [count](MatchingItemCollector& collector) {
            for (int i = 0; i < count; ++i)
                collector.addFirstAction("Command " + std::to_string(100 + i), std::nullopt, [] { });
        };
    }

    test::RecordingEnvironment environment;
    OstrelMatchingItemList list { environment };
};

TEST_F(ListTest, NothingTypedOffersTopLevelGroupsAndTheScreensNextSteps)
{
    open();
    EXPECT_EQ(titles(), (std::vector<std::string> { "Actions", "Global Options", "Help", "Navigation", "Tools" }));

    environment.screen = [](MatchingItemCollector& collector) {
        collector.addFirstAlternative("Take a Break", std::nullopt, [] { });
        collector.addDefaultChoice("Start Time Slice", std::nullopt, [] { });
        collector.addMiscActionItem("Hidden Until Typed", std::nullopt, [] { });
    };
    open();
    EXPECT_EQ(titles(), (std::vector<std::string> { "Start Time Slice", "Take a Break", "Actions", "Global Options",
                            "Help", "Navigation", "Tools" }));
}

TEST_F(ListTest, TypingSearchesEverythingOrTheEnteredSubtree)
{
    open();
    list.addToSearchTerm("s");
    list.addToSearchTerm("ound");
    EXPECT_TRUE(listed("Mute All Sounds"));
    EXPECT_TRUE(listed("Sounds")) << "nested groups are found by typing";

    list.startWithEmptySearchTerm();
    list.addToSearchTerm("soft");
    EXPECT_EQ(titles().front(), "Use Soft Break") << "options are found by typing";

    list.startWithEmptySearchTerm();
    select("Tools");
    list.drillIntoCurrentGroup();
    list.addToSearchTerm("s");
    EXPECT_TRUE(listed("Mute All Sounds"));
    EXPECT_TRUE(listed("Show Statistics Report"));
    EXPECT_FALSE(listed("Use Soft Break"));
    EXPECT_FALSE(listed("Show Preferences..."));
}

TEST_F(ListTest, EnteringAGroupShowsItsDirectContentAndClearsTheSearch)
{
    open();
    list.addToSearchTerm("tool");
    select("Tools");
    list.drillIntoCurrentGroup();
    EXPECT_EQ(list.currentSearchString(), "");
    EXPECT_EQ(list.currentlyActiveBreadCrumbs(), std::vector<std::string> { "Tools" });
    EXPECT_EQ(titles(), (std::vector<std::string> { "Logs", "Sidebar", "Sounds", "Statistics", "Tasks" }));

    select("Sounds");
    list.drillIntoCurrentGroup();
    EXPECT_EQ(list.currentlyActiveBreadCrumbs(), (std::vector<std::string> { "Tools", "Sounds" }));
    EXPECT_EQ(titles(), (std::vector<std::string> { "Mute All Sounds", "Start Drovel Playback", "Stop Drovel Playback",
                            "Un-Mute All Sounds" }));

    // Drilling into a command does nothing.
    list.drillIntoCurrentGroup();
    EXPECT_EQ(list.currentlyActiveBreadCrumbs().size(), 2u);
}

TEST_F(ListTest, LeavingAGroupKeepsTheSearchAndReselectsTheGroup)
{
    open();
    select("Tools");
    list.drillIntoCurrentGroup();
    select("Statistics");
    list.drillIntoCurrentGroup();
    list.drillOutOfCurrentGroup();
    EXPECT_EQ(list.currentlyActiveBreadCrumbs(), std::vector<std::string> { "Tools" });
    ASSERT_NE(list.currentMatch(), nullptr);
    EXPECT_EQ(list.currentMatch()->displayString(), "Statistics");

    list.addToSearchTerm("s");
    list.drillOutOfCurrentGroup();
    EXPECT_EQ(list.currentSearchString(), "s");
    EXPECT_TRUE(list.currentlyActiveBreadCrumbs().empty());
    EXPECT_EQ(list.currentMatch()->displayString(), "Tools");

    list.drillOutOfCurrentGroup();
    EXPECT_EQ(list.selectedMatchedItemIndex(), 0);
}

TEST_F(ListTest, CursorKeepsTheSelectionInsideTheWindow)
{
    screenWithCommands(20);
    open();
    for (int i = 0; i < 8; ++i)
        list.moveCursorDown();
    EXPECT_EQ(list.selectedMatchedItemIndex(), 8);
    EXPECT_EQ(list.indexOfFirstResultBeingShown(), 1);
    list.moveCursorDown();
    list.moveCursorDown();
    list.moveCursorDown();
    EXPECT_EQ(list.selectedMatchedItemIndex(), 11);
    EXPECT_EQ(list.indexOfFirstResultBeingShown(), 4);

    for (int i = 0; i < 5; ++i)
        list.moveCursorUp();
    EXPECT_EQ(list.selectedMatchedItemIndex(), 6);
    EXPECT_EQ(list.indexOfFirstResultBeingShown(), 4);
    list.moveCursorUp();
    list.moveCursorUp();
    EXPECT_EQ(list.selectedMatchedItemIndex(), 4);
    EXPECT_EQ(list.indexOfFirstResultBeingShown(), 4);
    list.moveCursorUp();
    EXPECT_EQ(list.selectedMatchedItemIndex(), 3);
    EXPECT_EQ(list.indexOfFirstResultBeingShown(), 3);

    for (int i = 0; i < 40; ++i)
        list.moveCursorDown();
    EXPECT_EQ(list.selectedMatchedItemIndex(), static_cast<int>(list.matchingItems().size()) - 1);
}

TEST_F(ListTest, RangeButtonsMoveTheWindowAndDragTheSelection)
{
    screenWithCommands(3);
    open();
    ASSERT_EQ(list.matchingItems().size(), 8u);
    EXPECT_FALSE(list.moreItemsAtTheBottom());
    list.moveDisplayedRangeDown();
    list.moveDisplayedRangeUp();
    EXPECT_EQ(list.indexOfFirstResultBeingShown(), 0);

    screenWithCommands(10);
    open();
    list.moveDisplayedRangeDown();
    EXPECT_EQ(list.indexOfFirstResultBeingShown(), 1);
    EXPECT_EQ(list.selectedMatchedItemIndex(), 1) << "the selection stays on screen";
    EXPECT_TRUE(list.moreItemsAtTheTop());

    list.setSelectedMatchedItemIndex(8);
    list.moveDisplayedRangeUp();
    EXPECT_EQ(list.indexOfFirstResultBeingShown(), 0);
    EXPECT_EQ(list.selectedMatchedItemIndex(), 7) << "the selection follows off the bottom row";
}

TEST_F(ListTest, EverySearchResetsSelectionAndPublishes)
{
    screenWithCommands(12);
    open();
    int updates = 0;
    auto subscription = list.updatePublisher().addColdListener([&](std::monostate) { ++updates; });
    list.moveCursorDown();
    EXPECT_EQ(updates, 1);
    for (int i = 0; i < 10; ++i)
        list.moveCursorDown();
    updates = 0;
    list.addToSearchTerm("c");
    EXPECT_EQ(list.selectedMatchedItemIndex(), 0);
    EXPECT_EQ(list.indexOfFirstResultBeingShown(), 0);
    EXPECT_EQ(updates, 3);

    list.addToSearchTerm("\u00e9");
    list.removeLastCharacterFromSearchTerm();
    EXPECT_EQ(list.currentSearchString(), "c");
}

TEST_F(ListTest, EmptyResultsAreSafeToMoveThroughAndExecute)
{
    open();
    list.addToSearchTerm("zzzz");
    EXPECT_FALSE(list.hasMatches());
    list.moveCursorDown();
    list.moveCursorUp();
    list.moveCursorDown();
    EXPECT_EQ(list.currentMatch(), nullptr);
    EXPECT_FALSE(list.itemExists(list.selectedMatchedItemIndex()));
    EXPECT_FALSE(list.itemExists(-1));
    list.executeCurrent(true);
    list.drillIntoCurrentGroup();
    EXPECT_TRUE(environment.calls.empty());
}

class CountingItem final : public MatchingItem {
public:
    CountingItem(std::vector<std::string>& log)
        : MatchingItem("Count", { "Next Action" }, MatchingItemKind::defaultChoice)
        , m_log(log)
    {
    }
    void execute() override { m_log.push_back("execute"); }
    void prepareForNext() override { m_log.push_back("prepareForNext"); }
    bool dismissBeforeExecution() const override { return true; }

private:
    std::vector<std::string>& m_log;
};

TEST_F(ListTest, ExecutingDismissesOnlyWithADelegateThenPreparesWhenAsked)
{
    environment.screen = [this](MatchingItemCollector& collector) {
        collector.append(std::make_shared<CountingItem>(environment.calls));
    };
    open();
    list.executeCurrent(false);
    EXPECT_EQ(environment.calls, std::vector<std::string> { "execute" });

    environment.calls.clear();
    list.setDelegate(std::make_shared<OstrelMatchingItemListDelegate>());
    list.executeCurrent(true);
    EXPECT_EQ(environment.calls, (std::vector<std::string> { "dismiss", "execute", "prepareForNext" }));
}

TEST_F(ListTest, GlobalCommandsReachTheApplication)
{
    open();
    list.setDelegate(std::make_shared<OstrelMatchingItemListDelegate>());
    list.addToSearchTerm("show statistics report");
    select("Show Statistics Report");
    list.executeCurrent(false);
    EXPECT_EQ(*environment.defaults().object("currentlyDisplayedStatistic"), base::Value(4));
    EXPECT_EQ(environment.calls, (std::vector<std::string> { "dismiss", "MainController showStatisticsWindow:" }));

    list.startWithEmptySearchTerm();
    list.addToSearchTerm("un-mute");
    select("Un-Mute All Sounds");
    list.executeCurrent(false);
    EXPECT_EQ(*environment.defaults().object("mute"), base::Value(false));

    list.startWithEmptySearchTerm();
    list.addToSearchTerm("toggle now");
    select("Toggle Now Pad");
    auto action = std::dynamic_pointer_cast<ActionMatchingItem>(list.currentMatch());
    EXPECT_EQ(action->keyCombo(), (KeyCombo { 45, 0x900 }));
    EXPECT_EQ(list.matchingItems().size(), 1u);

    list.startWithEmptySearchTerm();
    list.addToSearchTerm("keep window");
    select("Keep Window Compact");
    environment.calls.clear();
    list.executeCurrent(false);
    EXPECT_EQ(environment.calls, std::vector<std::string> { "compressWindow" }) << "options keep the pop-up open";
}

// A hidden program's status item has only a mouse route: the pop-up offers its menu as it is now.
TEST_F(ListTest, TheStatusMenuIsAGroupOfWhatItOffersNow)
{
    auto record = [this](std::string what) { return [this, what](ui::MenuItem&) { environment.calls.push_back(what); }; };
    environment.menu = ui::Menu::create();
    environment.menu->addItem("Start Time Slice", record("start"));
    environment.menu->addItem("End Time Slice", record("end"))->validate = [](ui::MenuItem&) { return false; };
    environment.menu->addItem(ui::MenuItem::separator());
    environment.menu->addItem("Show Ostrel", record("show"));
    auto sound = ui::Menu::create("Background Sound");
    sound->addItem("Play Background Sound", record("play"));
    auto soundItem = ui::MenuItem::create("Background Sound");
    soundItem->setSubmenu(sound);
    environment.menu->addItem(soundItem);

    open();
    list.setDelegate(std::make_shared<OstrelMatchingItemListDelegate>());
    select("Status Menu");
    list.drillIntoCurrentGroup();
    EXPECT_EQ(titles(), (std::vector<std::string> { "Show Ostrel", "Start Time Slice", "Background Sound" }))
        << "what the menu would not let a click choose is not offered";
    select("Show Ostrel");
    list.executeCurrent(false);
    EXPECT_EQ(environment.calls, (std::vector<std::string> { "dismiss", "show" })) << "the pop-up closes first";

    list.startWithEmptySearchTerm();
    list.addToSearchTerm("play back");
    select("Play Background Sound");
    list.executeCurrent(false);
    EXPECT_EQ(environment.calls.back(), "play");

    // A command the pop-up lists already, by its title or by the action it sends, is listed
    // once: the screen's "Start Time Slice", the table's preferences and quitting.
    environment.screen = [](MatchingItemCollector& collector) { collector.addDefaultChoice("Start Time Slice", std::nullopt, [] { }); };
    environment.menu->addItem(ui::MenuItem::createWithAction("Preferences\u2026", "showPreferencesDialog:"));
    environment.menu->addItem(ui::MenuItem::createWithAction("Quit Ostrel", "terminate:"));
    open();
    list.addToSearchTerm("start time slice");
    auto found = titles();
    EXPECT_EQ(std::count(found.begin(), found.end(), "Start Time Slice"), 1);
    list.startWithEmptySearchTerm();
    select("Status Menu");
    list.drillIntoCurrentGroup();
    EXPECT_EQ(titles(), (std::vector<std::string> { "Show Ostrel", "Background Sound" }));
}

TEST_F(ListTest, ConditionalCommandsAppearOnlyUnderTheirConditions)
{
    auto offered = [this](const std::string& title) {
        open();
        list.addToSearchTerm(title);
        return listed(title);
    };
    EXPECT_FALSE(offered("Add Log Entry"));
    EXPECT_FALSE(offered("Parse Selected Text & Set Objective"));
    EXPECT_FALSE(offered("Reveal Pad in Finder"));

    environment.addLogEntryEnabled = true;
    environment.pad = CommandEnvironment::FocusedPad { true, 0 };
    EXPECT_TRUE(offered("Add Log Entry"));
    EXPECT_FALSE(offered("Parse Selected Text & Set Objective"));
    EXPECT_FALSE(offered("Reveal Pad in Finder")) << "the objective field is not a pad to reveal";

    environment.pad = CommandEnvironment::FocusedPad { false, 3 };
    EXPECT_TRUE(offered("Parse Selected Text & Set Objective"));
    EXPECT_TRUE(offered("Reveal Pad in Finder"));
}

TEST_F(ListTest, ScreenEntriesComeBeforeTheGlobalTable)
{
    environment.screen = [](MatchingItemCollector& collector) {
        collector.addHelpItem("Help Me", std::nullopt, [] { });
    };
    open();
    auto& all = list.allMatchingOptionsAsMatchingItems();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front()->displayString(), "Help Me");
    EXPECT_EQ(all.back()->displayString(), "Quit...");
    // The screen's entry, the 36 unconditional global commands and 10 group headers: counted so
    // that a dropped row shows.
    EXPECT_EQ(all.size(), 1u + 36u + 10u);
}

}
}
