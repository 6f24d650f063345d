#include "tests/states/WelcomeFixture.h"

#include "states/DefineTimeSliceState.h"

#include "attention/SoundManager.h"
#include "command/ActionMatchingItem.h"
#include "command/MatchingItemCollector.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/TitleFragment.h"

#include "platform/ui/Slider.h"

#include <gmock/gmock.h>

namespace ostrel::test {

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Slot = StateLinkingHelper::Slot;

const std::string kIntro = "Your choices below will be used to create a personalized intial configuration, but you can "
                           "of course fine tune your settings at any time.";

// The first words of the explanation shown for each choice, pop-up by pop-up, in item order.
const std::vector<std::vector<std::string>> kExplanationStarts {
    { "Ostrel's time boxing technique", "Francesco Cirillo's Pomodoro Technique" },
    { "The interface takes up as little space", "The interface surfaces common options",
        "The interface surfaces most options" },
    { "You will only get visual notifications", "The visual notifications will be supplemented with a few ticks",
        "The visual notifications will be supplemented with spoken prompts" },
    { "No continuous sound", "The sound of a ticking clock", "Pink noise will be played" },
};

std::vector<std::string> titles(const std::vector<PopUpButtonBrick*>& popUps)
{
    std::vector<std::string> shown;
    for (auto* popUp : popUps)
        shown.push_back(popUp->titleOfSelectedItem());
    return shown;
}

// The two "Test" buttons: the notification section's, then the continuous sound's.
std::vector<PushButtonBrick*> testButtons(WelcomeState& screen)
{
    std::vector<PushButtonBrick*> tests;
    for (auto* button : viewsOf<PushButtonBrick>(*screen.infoWall())) {
        if (button->title() == "Test")
            tests.push_back(button);
    }
    EXPECT_EQ(tests.size(), 2u);
    return tests;
}

std::vector<std::string> changedKeys(const base::Value::Dictionary& before, const base::Value::Dictionary& after)
{
    std::vector<std::string> changed;
    for (const auto& [key, value] : after) {
        auto old = before.find(key);
        if (old == before.end() || !(old->second == value))
            changed.push_back(key);
    }
    for (const auto& [key, value] : before) {
        if (!after.count(key))
            changed.push_back(key);
    }
    return changed;
}

TEST_F(WelcomeTest, TheFirstLaunchOpensTheWizardOnTheDefaultChoicesEachExplained)
{
    startUp(0);
    auto screen = welcome();
    ASSERT_TRUE(screen);
    EXPECT_EQ(current(), screen);
    EXPECT_EQ(screen->className(), "Ostrel_4.WelcomeState");
    EXPECT_EQ(screen->titleFragment()->label()->stringValue(), "Profile Settings");
    // Three screens of their own, each with its own views.
    ASSERT_TRUE(welcome(Slot::welcomeForBreak));
    ASSERT_TRUE(welcome(Slot::welcomeForInformalBreak));
    EXPECT_NE(welcome(Slot::welcomeForBreak)->techniquePopUpButton(), screen->techniquePopUpButton());

    auto shown = popUps(*screen);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], screen->techniquePopUpButton().get());
    EXPECT_THAT(titles(shown), ElementsAre("Implement the Ostrel Technique", "Prefer a Very Compact Interface",
                                   "Use Some Sounds", "Do Not Play Any Continuous Sound"));
    auto texts = explanations(*screen);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], kIntro);
    EXPECT_THAT(texts[1], ::testing::StartsWith(kExplanationStarts[0][0]));
    EXPECT_EQ(texts[2], "It is the best choice for most people.");
    EXPECT_THAT(texts[3], ::testing::StartsWith(kExplanationStarts[1][0]));
    EXPECT_THAT(texts[4], ::testing::StartsWith(kExplanationStarts[2][1]));
    EXPECT_THAT(texts[5], ::testing::StartsWith(kExplanationStarts[3][0]));

    EXPECT_EQ(window().firstResponder(), screen->techniquePopUpButton().get());
    EXPECT_EQ(window().focusRingView(), screen->techniquePopUpButton().get()) << "ringed, so a new user sees where keys go";
    auto* start = button(*screen->buttonWall(), "Let's Get Started");
    auto* skip = button(*screen->buttonWall(), "Skip");
    ASSERT_TRUE(start && skip);
    EXPECT_EQ(start->keyEquivalent(), "\r");
    window().layoutIfNeeded();
    EXPECT_NEAR(skip->frame().maxX(), start->frame().minX(), 1);
    EXPECT_NEAR(start->frame().maxX(), screen->buttonWall()->bounds().maxX(), 12);
}

TEST_F(WelcomeTest, ALaterLaunchStartsOnTheDefineScreen)
{
    startUp(3);
    EXPECT_TRUE(std::dynamic_pointer_cast<DefineTimeSliceState>(current()));
    EXPECT_TRUE(welcome());
}

TEST_F(WelcomeTest, EachChoiceIsStoredAtOnceAndShowsOnlyItsExplanation)
{
    startUp(0);
    auto screen = welcome();
    auto copy = welcome(Slot::welcomeForBreak);
    const char* keys[] = { "techniqueProfileChoice", "compactnessProfileChoice", "notificationProfileChoice",
        "continuousSoundProfileChoice" };
    const std::vector<std::vector<std::string>> raw { { "ostrel", "pomodoro" }, { "veryCompact", "balanced", "verbose" },
        { "none", "some", "voice" }, { "none", "pomodoro", "pinkNoise" } };
    for (std::size_t section = 0; section < 4; ++section) {
        auto shown = popUps(*screen);
        int copyShowed = popUps(*copy)[section]->indexOfSelectedItem();
        for (std::size_t item = raw[section].size(); item-- > 0;) {
            SCOPED_TRACE(raw[section][item]);
            choose(*shown[section], int(item));
            EXPECT_EQ(store().string(keys[section]), raw[section][item]);
            for (auto* each : { screen.get(), copy.get() }) {
                auto texts = explanations(*each);
                int inSection = 0;
                for (const auto& text : texts) {
                    for (std::size_t other = 0; other < kExplanationStarts[section].size(); ++other) {
                        if (text.rfind(kExplanationStarts[section][other], 0) == 0) {
                            EXPECT_EQ(other, item) << text;
                            ++inSection;
                        }
                    }
                }
                EXPECT_EQ(inSection, 1);
            }
            // The other copy keeps the item it showed.
            EXPECT_EQ(popUps(*copy)[section]->indexOfSelectedItem(), copyShowed);
            writePicture("welcome-" + std::string(keys[section]) + "-" + raw[section][item]);
        }
    }
}

TEST_F(WelcomeTest, AStoredChoiceThatIsNoneOfTheValuesSelectsTheLastItemAndExplainsNothing)
{
    for (const char* key : { "techniqueProfileChoice", "compactnessProfileChoice", "notificationProfileChoice",
             "continuousSoundProfileChoice" })
        store().set(key, "Balanced");
    startUp(0);
    auto screen = welcome();
    EXPECT_THAT(titles(popUps(*screen)),
        ElementsAre("Implement the Pomodoro Technique", "Use a More Verbose Interface at the Beginning",
            "Use Voice Prompts & Sounds", "Play Pink Noise"));
    EXPECT_THAT(explanations(*screen), ElementsAre(kIntro));
}

TEST_F(WelcomeTest, SkipWritesOnlyTheChosenKeyAndLeadsToTheDefineScreen)
{
    startUp(0);
    auto screen = welcome();
    auto before = storedSettings();
    choose(*popUps(*screen)[2], 2);
    auto* skip = button(*screen->buttonWall(), "Skip");
    ASSERT_TRUE(skip);
    skip->performClick();
    EXPECT_TRUE(std::dynamic_pointer_cast<DefineTimeSliceState>(current()));
    // The window's place is stored once a screen of another height moves its bottom edge.
    auto changed = changedKeys(before, storedSettings());
    std::erase_if(changed, [](const std::string& key) { return key == "topLeftX" || key == "topLeftY"; });
    EXPECT_THAT(changed, ElementsAre("notificationProfileChoice"));
    EXPECT_EQ(store().string("notificationProfileChoice"), "voice");
}

TEST_F(WelcomeTest, ReturnAppliesTheConfigurationAndTheStartCommandOnlyMovesOn)
{
    startUp(0);
    auto screen = welcome();
    choose(*popUps(*screen)[0], 1);
    screen->simulateDefaultButtonPress();
    auto define = std::dynamic_pointer_cast<DefineTimeSliceState>(current());
    ASSERT_TRUE(define);
    EXPECT_EQ(store().integer("durationInSeconds"), 1500);
    EXPECT_DOUBLE_EQ(define->slider()->doubleValue(), 25);

    // Back through "Re-Run Profile Selection"; the start command leaves without applying.
    machine->triggerTransition("welcome");
    EXPECT_EQ(current(), screen);
    choose(*popUps(*screen)[0], 0);
    auto before = storedSettings();
    // The command as it travels the responder chain from the state machine on.
    EXPECT_TRUE(machine->tryToPerform("startTimeSlice:"));
    EXPECT_TRUE(std::dynamic_pointer_cast<DefineTimeSliceState>(current()));
    EXPECT_THAT(changedKeys(before, storedSettings()), IsEmpty());
    EXPECT_EQ(store().integer("durationInSeconds"), 1500);
}

TEST_F(WelcomeTest, ThePopUpOffersApplyAsDefaultAndSkipAsAlternative)
{
    startUp(0);
    auto screen = welcome();
    choose(*popUps(*screen)[0], 1);
    MatchingItemCollector collector(store());
    screen->collectMatchingItems(collector);
    ASSERT_EQ(collector.matchingItems().size(), 2u);
    auto apply = std::dynamic_pointer_cast<ActionMatchingItem>(collector.matchingItems()[0]);
    auto skip = std::dynamic_pointer_cast<ActionMatchingItem>(collector.matchingItems()[1]);
    ASSERT_TRUE(apply && skip);
    EXPECT_EQ(apply->preciseMatchingString(), "Apply Configuration");
    EXPECT_THAT(apply->expandedMatchingStrings(), ElementsAre("Next Action"));
    EXPECT_FALSE(apply->keyCombo());
    EXPECT_EQ(skip->preciseMatchingString(), "Skip Configuration");
    EXPECT_FALSE(skip->keyCombo());

    auto before = storedSettings();
    skip->execute();
    EXPECT_TRUE(std::dynamic_pointer_cast<DefineTimeSliceState>(current()));
    EXPECT_THAT(changedKeys(before, storedSettings()), IsEmpty());
    machine->triggerTransition("welcome");
    apply->execute();
    EXPECT_TRUE(std::dynamic_pointer_cast<DefineTimeSliceState>(current()));
    EXPECT_EQ(store().integer("durationInSeconds"), 1500);
}

TEST_F(WelcomeTest, EachCopyLeadsBackToTheScreenItWasOpenedFrom)
{
    startUp(1);
    machine->triggerTransition("next");
    machine->triggerTransition("straightToBreak");
    auto breakPreparation = current();
    EXPECT_EQ(breakPreparation, helper->prepareTimedBreakState());
    machine->triggerTransition("welcome");
    EXPECT_EQ(current(), welcome(Slot::welcomeForBreak));
    button(*welcome(Slot::welcomeForBreak)->buttonWall(), "Skip")->performClick();
    EXPECT_EQ(current(), breakPreparation);

    machine->triggerTransition("informalBreak");
    machine->triggerTransition("welcome");
    EXPECT_EQ(current(), welcome(Slot::welcomeForInformalBreak));
    button(*welcome(Slot::welcomeForInformalBreak)->buttonWall(), "Let's Get Started")->performClick();
    EXPECT_EQ(current(), helper->informalBreakState());
}

TEST_F(WelcomeTest, TheNotificationTestSoundsAsChosen)
{
    startUp(0);
    auto screen = welcome();
    auto* test = testButtons(*screen).front();
    struct Case {
        const char* choice;
        std::vector<std::string> heard;
    };
    for (const auto& [choice, expected] : std::vector<Case> {
             { "none", { "banner Only 5 Minutes Left|" } },
             { "some", { "banner Only 5 Minutes Left|", "sound clock1" } },
             { "voice", { "banner Only 5 Minutes Left|", "speech Only 5 Minutes Left." } },
             { "Voice", { "banner Only 5 Minutes Left|", "speech Only 5 Minutes Left." } },
         }) {
        SCOPED_TRACE(choice);
        store().set("notificationProfileChoice", choice);
        test->performClick();
        EXPECT_EQ(heard(), expected);
    }
    // Trying the sounds out changes no setting.
    EXPECT_FALSE(store().hasStoredValue("soundReminderOn"));
}

TEST_F(WelcomeTest, TheContinuousSoundTestPlaysASampleOfTheChoiceOrShowsTheSilence)
{
    startUp(0);
    auto screen = welcome();
    auto* test = testButtons(*screen).back();

    test->performClick();
    EXPECT_THAT(heard(), ElementsAre("banner Ssshhhhh!|Enjoy the silence."));
    EXPECT_FALSE(store().hasStoredValue("continuousSound"));

    choose(*popUps(*screen)[3], 2);
    test->performClick();
    EXPECT_EQ(store().string("continuousSound"), "pink_noise");
    EXPECT_THAT(heard(), ElementsAre("loop pink_noise"));

    // What the test chose stays when the wizard is skipped.
    button(*screen->buttonWall(), "Skip")->performClick();
    EXPECT_EQ(store().string("continuousSound"), "pink_noise");
    EXPECT_FALSE(store().boolean("continuousSoundOn"));
}

TEST_F(WelcomeTest, TheTickingTestPlaysASampleOfTheTickingClock)
{
    startUp(0);
    auto screen = welcome();
    choose(*popUps(*screen)[3], 1);
    testButtons(*screen).back()->performClick();
    EXPECT_EQ(store().string("continuousSound"), "clock1_c");
    EXPECT_THAT(heard(), ElementsAre("loop clock_ticking")) << "the ticking clock's file, not pink noise in its place";
}

}

}
