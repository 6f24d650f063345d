#include "ScreensFixture.h"
#include "TestScreens.h"

#include "mainwindow/ObjectiveTextView.h"
#include "states/StateFragmentStackView.h"
#include "viewkit/GenericUpdateViewTypeImplementation.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/TagTokenField.h"

#include "platform/ui/Constraint.h"
#include "platform/ui/StatusItem.h"

namespace ostrel::test {

namespace {

class ScreenBasesTest : public ScreensTest {
protected:
    ScreenBasesTest()
    {
        recordEvents("PlainTestState");
        recordEvents("SecondTestState");
    }
    // Two plain screens, the first shown, its "next" leading to the second.
    void startWithTwo()
    {
        first = PlainScreen::create(model());
        second = PlainScreen::create(model(), "SecondTestState");
        second->build();
        first->setValue("next", Screen::TransitionTarget(second));
        startWith(first);
    }
    bool hidden(const std::shared_ptr<ModernUIState>& screen, const ui::View& fragment)
    {
        return screen->fragmentStackView()->visibilityPriority(&fragment) == ui::VisibilityPriority::NotVisible;
    }

    std::shared_ptr<PlainScreen> first;
    std::shared_ptr<PlainScreen> second;
};

TEST_F(ScreenBasesTest, StatusItemShowsTheScreenTextAfterASpaceOrNothing)
{
    startWithTwo();
    EXPECT_EQ(statusTitle(), "");
    EXPECT_EQ(mainController->item()->button()->state(), 0);
    first->statusText = "12:34";
    first->updateMenuItem();
    EXPECT_EQ(statusTitle(), " 12:34");
}

TEST_F(ScreenBasesTest, StartAndEndOfAScreenWithoutClockCarryZeros)
{
    startWithTwo();
    machine->triggerTransition("next");
    EXPECT_EQ(postedEvents(), (std::vector<PostedEvent> { { "Ostrel_4.PlainTestState.start", 0, 0 },
                                  { "Ostrel_4.PlainTestState.end", 0, 0 }, { "Ostrel_4.SecondTestState.start", 0, 0 } }));
    EXPECT_FALSE(first->shouldConfirmTerminationWithUser());
    EXPECT_EQ(current(), second);
}

TEST_F(ScreenBasesTest, EveryReturnButtonIsClickedInItsOrder)
{
    startWithTwo();
    first->addButton("First", "\r");
    first->addButton("Other", "\x1b");
    first->addButton("Second", "\r");
    first->simulateDefaultButtonPress();
    EXPECT_EQ(first->pressed, (std::vector<std::string> { "First", "Second" }));
}

TEST_F(ScreenBasesTest, ACommandPopUpOpenAcrossAChangeOfScreenIsClosedAndOpenedAgain)
{
    startWithTwo();
    machine->triggerTransition("next");
    EXPECT_FALSE(commandPopUp().isRunning()) << "a closed pop-up stays closed";

    second->setValue("next", Screen::TransitionTarget(first));
    appDelegate->runCommandWindow();
    ASSERT_TRUE(commandPopUp().isRunning());
    environment.calls.clear();
    machine->triggerTransition("next");
    EXPECT_TRUE(commandPopUp().isRunning());
    // Opened once more, for the screen now current.
    EXPECT_EQ(environment.calls, (std::vector<std::string> { "closeOtherPopUps" }));
    EXPECT_EQ(current(), first);
}

TEST_F(ScreenBasesTest, GoingToTheBackgroundClosesTheCommandPopUp)
{
    startWithTwo();
    app().deactivate();
    app().activate();
    appDelegate->runCommandWindow();
    ASSERT_TRUE(commandPopUp().isRunning());
    app().deactivate();
    EXPECT_FALSE(commandPopUp().isRunning());
}

TEST_F(ScreenBasesTest, ABurstOfFragmentChangesCompressesTheWindowOnceAfterTheLast)
{
    startWithTwo();
    wait(0.5);
    first->compressions.clear();
    double last = 0;
    for (bool hide : { true, false, true }) {
        store().set("plainSectionHidden", hide);
        last = base::Time::now();
        wait(0.05);
    }
    wait(0.5);
    ASSERT_EQ(first->compressions.size(), 1u);
    EXPECT_NEAR(first->compressions[0], last + 0.1, 0.001);
    EXPECT_TRUE(hidden(first, *first->section));
}

TEST_F(ScreenBasesTest, AFragmentShownAgainAfterTheWindowWasCompressedGetsItsRoomBack)
{
    first = PlainScreen::create(model());
    first->sectionHeight = 300;
    // A pad is open here: only this mode shrinks the window then.
    store().set("windowCompressionMode", int64_t(WindowCompressionMode::always));
    startWith(first);
    wait(0.5);
    double full = window().frame().height();
    store().set("plainSectionHidden", true);
    wait(0.5);
    EXPECT_LT(window().frame().height(), full);
    store().set("plainSectionHidden", false);
    wait(0.5);
    EXPECT_FALSE(first->fragmentStackView()->isDetached(first->section.get()));
    EXPECT_DOUBLE_EQ(window().frame().height(), full);
}

TEST_F(ScreenBasesTest, TheRefreshRunsOnlyWhileTheScreenIsCurrent)
{
    startWithTwo();
    int refreshes = 0;
    first->addUpdatableView(GenericUpdateViewTypeImplementation::create([&refreshes] { ++refreshes; }));
    wait(3.05);
    EXPECT_EQ(refreshes, 3) << "a view added while current refreshes from the next firing on";
    machine->triggerTransition("next");
    wait(3);
    EXPECT_EQ(refreshes, 3);
}

TEST_F(ScreenBasesTest, TheRefreshRestsWhileTheWindowIsOffTheScreenAndCatchesUpWhenItComesBack)
{
    startWithTwo();
    int refreshes = 0;
    first->addUpdatableView(GenericUpdateViewTypeImplementation::create([&refreshes] { ++refreshes; }));
    wait(1.05);
    EXPECT_EQ(refreshes, 1);
    std::size_t timers = base::RunLoop::main().timerCount();
    window().orderOut();
    EXPECT_LT(base::RunLoop::main().timerCount(), timers) << "the refresh still wakes the hidden program";
    wait(5);
    // A running screen's own tick asks too; it waits all the same.
    first->updateUpdatableViews();
    EXPECT_EQ(refreshes, 1);

    // Back on the screen: brought up to date at once, then every second again.
    window().orderFrontRegardless();
    EXPECT_EQ(refreshes, 2);
    wait(1.05);
    EXPECT_EQ(refreshes, 3);

    // A screen that comes while the window is away starts resting.
    window().orderOut();
    machine->triggerTransition("next");
    int secondRefreshes = 0;
    second->addUpdatableView(GenericUpdateViewTypeImplementation::create([&secondRefreshes] { ++secondRefreshes; }));
    wait(3);
    EXPECT_EQ(secondRefreshes, 0);
    window().orderFrontRegardless();
    EXPECT_EQ(secondRefreshes, 1);
    EXPECT_EQ(refreshes, 3) << "the screen left does not come back to life with the window";
}

TEST_F(ScreenBasesTest, AnObjectiveFieldThatCannotHideKeepsItsFieldButNotItsLabel)
{
    auto screen = PlainScreen::create(model());
    screen->withObjective = true;
    screen->objectiveHideable = false;
    startWith(screen);
    store().set("objectiveTextFieldInPlainTestState", true);
    EXPECT_TRUE(hidden(screen, *screen->objectiveLabelFragment()));
    EXPECT_FALSE(hidden(screen, *screen->objectiveTextViewFragment()));
    EXPECT_EQ(screen->firstResponder(), screen->objectiveTextView());
}

TEST_F(ScreenBasesTest, HidingAHideableObjectiveHidesLabelFieldAndTagEditorTogether)
{
    auto screen = PlainScreen::create(model());
    screen->withObjective = true;
    startWith(screen);
    auto tagEditor = screen->tagTokenField()->superview();
    while (tagEditor && !dynamic_cast<HideableFragmentWall*>(tagEditor))
        tagEditor = tagEditor->superview();
    ASSERT_TRUE(tagEditor);
    EXPECT_FALSE(hidden(screen, *tagEditor));

    store().set("objectiveTextFieldInPlainTestState", true);
    EXPECT_TRUE(hidden(screen, *screen->objectiveLabelFragment()));
    EXPECT_TRUE(hidden(screen, *screen->objectiveTextViewFragment()));
    EXPECT_TRUE(hidden(screen, *tagEditor));

    store().set("hideTagEditorInPlainTestState", true);
    store().set("objectiveTextFieldInPlainTestState", false);
    EXPECT_FALSE(hidden(screen, *screen->objectiveTextViewFragment()));
    EXPECT_TRUE(hidden(screen, *tagEditor)) << "the tag editor's own key still hides it";
    store().set("hideTagEditorInPlainTestState", false);
    EXPECT_FALSE(hidden(screen, *tagEditor));
}

TEST_F(ScreenBasesTest, HalfHeightSwitchesTheFieldBetweenHundredAndFiftyFourPoints)
{
    store().set("halfHeightObjectiveTextViewInPlainTestState", false);
    auto screen = PlainScreen::create(model());
    screen->withObjective = true;
    startWith(screen);
    EXPECT_DOUBLE_EQ(screen->objectiveTextViewHeightLayoutConstraint()->constant(), 100);
    store().set("halfHeightObjectiveTextViewInPlainTestState", true);
    EXPECT_DOUBLE_EQ(screen->objectiveTextViewHeightLayoutConstraint()->constant(), 54);
    window().layoutIfNeeded();
    EXPECT_DOUBLE_EQ(screen->objectiveTextViewFragment()->frame().height(), 54);

    // A screen built while the key is already on starts at half height.
    auto later = PlainScreen::create(model(), "SecondTestState");
    later->withObjective = true;
    later->build();
    EXPECT_DOUBLE_EQ(later->objectiveTextViewHeightLayoutConstraint()->constant(), 54);
}

TEST_F(ScreenBasesTest, TwoPostfixesKeepTheirOwnLooksAndShareOneObjective)
{
    store().set("halfHeightObjectiveTextView", false);
    startWithTwo();
    auto other = PlainScreen::create(model(), "SecondTestState");
    other->withObjective = true;
    other->postfix = "";
    other->build();
    auto mine = PlainScreen::create(model());
    mine->withObjective = true;
    mine->build();

    store().set("halfHeightObjectiveTextViewInPlainTestState", true);
    EXPECT_DOUBLE_EQ(mine->objectiveTextViewHeightLayoutConstraint()->constant(), 54);
    EXPECT_DOUBLE_EQ(other->objectiveTextViewHeightLayoutConstraint()->constant(), 100);

    mine->objectiveTextView()->insertText(u"Write the report");
    EXPECT_EQ(other->objectiveTextView()->string(), "Write the report");
    EXPECT_EQ(other->objectiveLabelFragment()->identifier(), "Objective: Fragment");
}

}

}
