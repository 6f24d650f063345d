#include "tests/attention/AttentionTestSupport.h"

#include "attention/NotificationHelper.h"

#include <gmock/gmock.h>

namespace ostrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SoftBreakCuesTest : public AttentionTest {
protected:
    NotificationHelper& helper() { return NotificationHelper::instance(); }

    // The soft break's thirty seconds as its screen calls the cues; a user who stops at
    // `stopsAt` ends it early with the tock alone.
    void runSoftBreak(int stopsAt = 0)
    {
        for (int second = 1; second <= 30; ++second) {
            if (second == stopsAt) {
                helper().playTock();
                return;
            }
            if (second == 1)
                helper().speakAndDisplayUserStillActiveMessages();
            if (second == 15)
                helper().speakAndDisplayIntermediaryMessages();
            if (second == 28)
                helper().playFirstTick();
            if (second == 29)
                helper().playSecondTick();
        }
        helper().playTock();
        helper().speakAndDisplayForcedBreakMessages();
    }
};

TEST_F(SoftBreakCuesTest, WorkingThroughTheSoftBreakGivesEveryCueInOrder)
{
    runSoftBreak();
    EXPECT_THAT(take(),
        ElementsAre("banner Your Break will start in 30 seconds\u2026|\u2026or as soon as you stop working.",
            "banner Your Break will start in 15 seconds\u2026|\u2026or as soon as you stop working.", "sound morse",
            "sound morse", "sound pop"));
    EXPECT_TRUE(logged("playTock()"));
    EXPECT_TRUE(logged("speakAndDisplayForcedBreakMessages()"));
}

TEST_F(SoftBreakCuesTest, StoppingWorkEndsItWithTheTockAlone)
{
    runSoftBreak(20);
    EXPECT_THAT(take(),
        ElementsAre("banner Your Break will start in 30 seconds\u2026|\u2026or as soon as you stop working.",
            "banner Your Break will start in 15 seconds\u2026|\u2026or as soon as you stop working.", "sound pop"));
}

TEST_F(SoftBreakCuesTest, SpokenAndShownMessagesAreUsedAsStoredWithoutTags)
{
    settings().set("speechSoftBreakFinalOn", true);
    settings().set("growlSoftBreakFinalOn", true);
    settings().set("speechSoftBreakFinalText", "Done with <CurrentObjective>");
    settings().set("growlSoftBreakFinalStick", true);
    helper().speakAndDisplayForcedBreakMessages();
    EXPECT_THAT(take(), ElementsAre("speech Done with <CurrentObjective>", "banner Time Slice Elapsed||sticky"));

    helper().executeEndOfTimeSliceScript();
    EXPECT_THAT(take(), ElementsAre("script time_slice_elapsed|Done with <CurrentObjective>"));
}

TEST_F(SoftBreakCuesTest, TheFlashChoiceDecidesWhichCuesFlashTheScreens)
{
    auto cues = [&] {
        helper().playFirstTick();
        helper().playSecondTick();
        helper().playIntermediateTick();
        helper().playTock();
        return entries("flash").size();
    };
    settings().set("softBreakScreenFlashingChoice", 0);
    EXPECT_EQ(cues(), 0u);
    settings().set("softBreakScreenFlashingChoice", 1);
    helper().playTock();
    EXPECT_THAT(take(), ElementsAre("sound pop", "flash 0.214,0.240,0.325 0.2"));
    settings().set("softBreakScreenFlashingChoice", 3);
    EXPECT_EQ(cues(), 4u);
    settings().set("softBreakScreenFlashingChoice", 2);
    EXPECT_EQ(cues(), 0u);
}

TEST_F(SoftBreakCuesTest, TheIntermediateTickFallsBackToTheSecondSoundAndStillFlashes)
{
    settings().set("softBreakScreenFlashingChoice", 3);
    settings().set("softBreakFirstSoundOn", false);
    settings().set("softBreakSecondSound", "woodblock");
    helper().playIntermediateTick();
    EXPECT_THAT(take(), ElementsAre("sound woodblock", "flash 0.214,0.240,0.325 0.2"));

    settings().set("softBreakSecondSoundOn", false);
    helper().playIntermediateTick();
    EXPECT_THAT(take(), ElementsAre("flash 0.214,0.240,0.325 0.2"));
}

TEST_F(SoftBreakCuesTest, MuteSilencesTheTicksButNotTheFlashOrTheBanners)
{
    settings().set("mute", true);
    settings().set("softBreakScreenFlashingChoice", 3);
    settings().set("speechSoftBreakIntermediaryOn", true);
    runSoftBreak();
    auto all = take();
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](auto& e) { return e.starts_with("flash"); }), 3);
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](auto& e) { return e.starts_with("banner"); }), 2);
    EXPECT_TRUE(m_sink->events().empty());
}

}
}
