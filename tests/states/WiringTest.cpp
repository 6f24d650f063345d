#include "ScreensFixture.h"

#include "states/DefineTimeSliceState.h"
#include "states/PlaceholderState.h"
#include "viewkit/TitleFragment.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/Wall.h"

namespace ostrel::test {

namespace {

using Slot = StateLinkingHelper::Slot;

// A screen of "later work" as its factory would make it: the paused screen's ways out.
class MadePausedScreen final : public ModernUIState {
public:
    static std::shared_ptr<MadePausedScreen> create(DataModel& model)
    {
        return std::shared_ptr<MadePausedScreen>(new MadePausedScreen(model));
    }
    std::string className() const override { return "Ostrel_4.PausedState"; }
    void build() override
    {
        createStackView();
        ++builds;
    }
    int builds { 0 };

private:
    explicit MadePausedScreen(DataModel& model)
        : ModernUIState(model)
    {
        for (std::size_t i = 0; i < m_targets.size(); ++i)
            exposeTransition(kNames[i], m_targets[i]);
    }
    static constexpr const char* kNames[] = { "continueTimeSlice", "abort", "finish", "straightToBreak", "straightToNextTimeSlice" };
    std::array<TransitionTarget, 5> m_targets;
};

using WiringTest = ScreensTest;

TEST_F(WiringTest, EveryWayOutOfEveryScreenLeadsToAScreen)
{
    startUp();
    int links = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(Slot::count); ++i) {
        const auto& screen = helper->screen(static_cast<Slot>(i));
        ASSERT_TRUE(screen);
        for (const auto& name : screen->propertyNames()) {
            EXPECT_TRUE(screen->transitionTarget(name)) << screen->className() << " has no target for " << name;
            ++links;
        }
    }
    EXPECT_EQ(links, 35);
    EXPECT_EQ(helper->pausedState()->transitionTarget("abort"), helper->defineTimeSliceState());
    EXPECT_EQ(helper->pausedState()->transitionTarget("finish"), helper->rateTimeSliceState());
    EXPECT_EQ(helper->softBreakState()->transitionTarget("extend"), helper->timeSliceRunningState());
    EXPECT_EQ(helper->rateTimeSliceState()->transitionTarget("extend"), helper->timeSliceRunningState());
    EXPECT_EQ(helper->welcomeState()->transitionTarget("next"), helper->defineTimeSliceState());
    EXPECT_EQ(helper->welcomeStateCopyForPrepareTimedBreakState()->transitionTarget("next"), helper->prepareTimedBreakState());
    EXPECT_EQ(helper->welcomeStateCopyForInformalBreakState()->transitionTarget("next"), helper->informalBreakState());
    EXPECT_EQ(mainController->pseudoAppDelegate(), appDelegate.get());
}

TEST_F(WiringTest, TheFirstLaunchOpensTheWelcomeEveryLaterOneTheDefineScreen)
{
    startUp(0);
    EXPECT_EQ(current(), helper->welcomeState());
    EXPECT_EQ(current()->className(), "Ostrel_4.WelcomeState");
    EXPECT_EQ(eventsNamed("Ostrel_4.WelcomeState.start").size(), 1u);
}

TEST_F(WiringTest, ALaterLaunchStartsOnTheDefineScreen)
{
    startUp(4);
    EXPECT_EQ(current(), helper->defineTimeSliceState());
    EXPECT_TRUE(std::dynamic_pointer_cast<DefineTimeSliceState>(current()));
}

TEST_F(WiringTest, APlaceholderOffersEveryWayOutAndReturnTakesTheMainOne)
{
    startUp();
    machine->triggerTransition("next");
    auto running = std::dynamic_pointer_cast<PlaceholderState>(current());
    ASSERT_TRUE(running);
    EXPECT_EQ(running->className(), "Ostrel_4.TimeSliceRunningState");
    EXPECT_EQ(running->titleFragment()->label()->stringValue(), "TimeSliceRunningState");
    EXPECT_EQ(running->transitions(),
        (std::vector<std::string> { "elapsed", "aborted", "pause", "softBreak", "straightToBreak", "straightToNextTimeSlice" }));
    auto& buttons = running->buttonWall()->subviews();
    ASSERT_EQ(buttons.size(), 1u);
    auto* main = dynamic_cast<PushButtonBrick*>(buttons[0].get());
    ASSERT_TRUE(main);
    EXPECT_EQ(main->title(), "elapsed");
    EXPECT_EQ(main->keyEquivalent(), "\r");
    std::vector<std::string> others;
    for (auto* button : viewsOf<PushButtonBrick>(*running->infoWall()))
        if (!button->isHidden())
            others.push_back(button->title());
    EXPECT_EQ(others, (std::vector<std::string> { "aborted", "pause", "softBreak", "straightToBreak", "straightToNextTimeSlice" }));

    running->simulateDefaultButtonPress();
    EXPECT_EQ(current(), helper->rateTimeSliceState());
    EXPECT_EQ(eventsNamed("Ostrel_4.TimeSliceRunningState.end").size(), 1u);
}

TEST_F(WiringTest, AScreenFromItsFactoryTakesThePlaceholdersPlace)
{
    std::shared_ptr<MadePausedScreen> made;
    StateLinkingHelper::registerScreenFactory("PausedState", [&made](DataModel& model) {
        made = MadePausedScreen::create(model);
        return made;
    });
    startUp();
    ASSERT_TRUE(made);
    EXPECT_EQ(helper->pausedState(), made);
    EXPECT_EQ(made->builds, 1);
    EXPECT_EQ(made->transitionTarget("continueTimeSlice"), helper->timeSliceRunningState());
    EXPECT_TRUE(std::dynamic_pointer_cast<PlaceholderState>(helper->rateTimeSliceState()));
}

}

}
