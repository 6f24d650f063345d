#include "tests/attention/AttentionTestSupport.h"

#include "attention/SoundManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "attention/ZRNotificationCenter.h"

#include "platform/base/RunLoop.h"
#include "platform/ui/Menu.h"
#include "platform/base/Time.h"

#include <gmock/gmock.h>

namespace ostrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ContinuousSoundTest : public AttentionTest {
protected:
    WhiteNoiseMachine& machine() { return WhiteNoiseMachine::continuousSoundMachine(); }
    void post(const std::string& suffix, int32_t value = 0, int32_t total = 1500)
    {
        m_centre->triggerNotificationForEvent("Ostrel_4.TimeSliceRunningState." + suffix, value, total);
    }
    std::vector<media::VoiceEvent> loopsStarted()
    {
        std::vector<media::VoiceEvent> loops;
        for (auto& event : m_sink->eventsOf(media::VoiceEvent::Kind::Started)) {
            if (event.loop)
                loops.push_back(event);
        }
        return loops;
    }

    std::unique_ptr<ZRNotificationCenter> m_centre = ZRNotificationCenter::create();
};

TEST_F(ContinuousSoundTest, TheLoopFollowsStartPauseAndResumeOfTheSlice)
{
    post("start");
    EXPECT_THAT(playingLoops(), IsEmpty());

    settings().set("continuousSoundOn", true);
    post("start");
    EXPECT_THAT(playingLoops(), ElementsAre("pink_noise"));
    post("paused", 100);
    EXPECT_THAT(playingLoops(), IsEmpty());
    post("start", 100);
    EXPECT_THAT(playingLoops(), ElementsAre("pink_noise"));
    EXPECT_EQ(loopsStarted().size(), 2u);
    post("stopped", 200);
    EXPECT_THAT(playingLoops(), IsEmpty());
}

TEST_F(ContinuousSoundTest, MuteStopsTheLoopAndLiftingItRestartsItWhileTheSliceRuns)
{
    settings().set("continuousSoundOn", true);
    post("start");
    settings().set("mute", true);
    EXPECT_THAT(playingLoops(), IsEmpty());
    settings().set("mute", false);
    EXPECT_THAT(playingLoops(), ElementsAre("pink_noise"));

    post("elapsed", 1500);
    settings().set("mute", true);
    settings().set("mute", false);
    EXPECT_THAT(playingLoops(), IsEmpty());
}

TEST_F(ContinuousSoundTest, VolumeChangesInPlaceWhileSoundAndDeviceChangesRestart)
{
    m_sink->setDevices({ { "usb-1", "USB Headset" } });
    SoundManager::sharedManager().rebuildDeviceList();
    settings().set("continuousSoundOn", true);
    machine().playSubjectToSettings();
    settings().set("continuousSoundVolume", 0.4);
    EXPECT_EQ(loopsStarted().size(), 1u);
    auto changes = m_sink->eventsOf(media::VoiceEvent::Kind::VolumeChanged);
    ASSERT_FALSE(changes.empty());
    EXPECT_FLOAT_EQ(changes.back().volume, 0.4f);

    settings().set("continuousSound", "brown_noise");
    EXPECT_THAT(playingLoops(), ElementsAre("brown_noise"));
    EXPECT_FLOAT_EQ(loopsStarted().back().volume, 0.4f);

    settings().set("soundOutputDevice", "usb-1");
    EXPECT_THAT(playingLoops(), ElementsAre("brown_noise"));
    EXPECT_EQ(loopsStarted().back().device, "usb-1");
}

TEST_F(ContinuousSoundTest, ASoundNoLongerInTheLibraryIsReplacedByPinkNoise)
{
    settings().set("continuousSound", "old_waterfall");
    settings().set("continuousSoundOn", true);
    machine().playSubjectToSettings();
    EXPECT_EQ(settings().string("continuousSound"), "pink_noise");
    EXPECT_THAT(playingLoops(), ElementsAre("pink_noise"));
}

TEST_F(ContinuousSoundTest, APreviewSoundsForAboutFiveSecondsEvenWhenMuted)
{
    settings().set("mute", true);
    double start = base::Time::now();
    machine().playSample();
    EXPECT_THAT(playingLoops(), ElementsAre("pink_noise"));
    base::RunLoop::main().runUntil(start + 4.5);
    EXPECT_THAT(playingLoops(), ElementsAre("pink_noise"));
    base::RunLoop::main().runUntil(start + 5.5);
    EXPECT_THAT(playingLoops(), IsEmpty());
}

TEST_F(ContinuousSoundTest, APreviewDuringASliceLeavesTheLoopPlaying)
{
    settings().set("continuousSoundOn", true);
    machine().playSubjectToSettings();
    machine().playSample();
    base::RunLoop::main().runUntil(base::Time::now() + 10);
    EXPECT_THAT(playingLoops(), ElementsAre("pink_noise"));
    EXPECT_EQ(loopsStarted().size(), 1u);
}

TEST_F(ContinuousSoundTest, ABlockingDialogSilencesTheLoopUntilItCloses)
{
    settings().set("continuousSoundOn", true);
    machine().playSubjectToSettings();
    machine().block();
    EXPECT_THAT(playingLoops(), IsEmpty());
    machine().unblock();
    EXPECT_THAT(playingLoops(), ElementsAre("pink_noise"));
}

TEST_F(ContinuousSoundTest, TheStandAloneMachineStartsSilentAndStepsThroughTheSounds)
{
    settings().set("standaloneSoundOn", true);
    settings().set("standaloneSound", "old_waterfall");
    auto standalone = StandAloneNoiseMachine::create(m_store);
    EXPECT_FALSE(settings().boolean("standaloneSoundOn"));
    EXPECT_EQ(settings().string("standaloneSound"), "pink_noise");
    EXPECT_THAT(playingLoops(), IsEmpty());

    settings().set("standaloneSoundOn", true);
    EXPECT_THAT(playingLoops(), ElementsAre("pink_noise"));
    standalone->previousSound();
    EXPECT_EQ(settings().string("standaloneSound"), "clock1_c");
    EXPECT_THAT(playingLoops(), ElementsAre("clock_ticking"));
    standalone->nextSound();
    EXPECT_EQ(settings().string("standaloneSound"), "pink_noise");
    settings().set("standaloneSound", "brown_noise");
    EXPECT_EQ(standalone->currentSoundLabel(), "Brown Noise");
    settings().set("standaloneSoundOn", false);
    base::RunLoop::main().runUntil(base::Time::now() + 10);
    EXPECT_THAT(playingLoops(), IsEmpty());
}

std::vector<std::string> titles(const ui::Menu& menu)
{
    std::vector<std::string> out;
    for (auto& item : menu.items())
        out.push_back(item->title());
    return out;
}

std::vector<std::string> checked(const ui::Menu& menu)
{
    std::vector<std::string> out;
    for (auto& item : menu.items()) {
        if (item->state() == 1)
            out.push_back(item->title());
    }
    return out;
}

class StandAloneMenusTest : public AttentionTest {
protected:
    std::shared_ptr<ui::Menu> m_sounds = ui::Menu::create();
    std::shared_ptr<ui::Menu> m_second = ui::Menu::create();
};

TEST_F(StandAloneMenusTest, BothMenusListTheContinuousSoundsWithTheStoredOneChecked)
{
    m_sounds->addItem("stale");
    settings().set("standaloneSound", "rain");
    auto machine = StandAloneNoiseMachine::create(m_store, m_sounds, m_second);
    for (auto* menu : { m_sounds.get(), m_second.get() }) {
        EXPECT_THAT(titles(*menu),
            ElementsAre("Pink Noise", "White Noise", "Brown Noise", "Rain", "Surf", "Clock Ticking"));
        EXPECT_THAT(checked(*menu), ElementsAre("Rain"));
        for (auto& item : menu->items())
            EXPECT_EQ(item->keyEquivalent(), "");
    }
}

TEST_F(StandAloneMenusTest, AnUnknownStoredSoundChecksPinkNoiseAndTheSecondMenuIsOptional)
{
    settings().set("standaloneSound", "old_waterfall");
    auto machine = StandAloneNoiseMachine::create(m_store, m_sounds);
    EXPECT_THAT(checked(*m_sounds), ElementsAre("Pink Noise"));
    EXPECT_EQ(settings().string("standaloneSound"), "pink_noise");
}

TEST_F(StandAloneMenusTest, ChoosingAnItemStoresTheSoundChecksItInBothMenusAndPreviewsIt)
{
    auto machine = StandAloneNoiseMachine::create(m_store, m_sounds, m_second);
    ASSERT_TRUE(m_second->performActionForItemAt(2));
    EXPECT_EQ(settings().string("standaloneSound"), "brown_noise");
    EXPECT_THAT(checked(*m_sounds), ElementsAre("Brown Noise"));
    EXPECT_THAT(checked(*m_second), ElementsAre("Brown Noise"));
    EXPECT_THAT(playingLoops(), ElementsAre("brown_noise")) << "the preview";
    base::RunLoop::main().runUntil(base::Time::now() + 10);
    EXPECT_THAT(playingLoops(), IsEmpty()) << "switched off, only the preview sounded";
}

TEST_F(StandAloneMenusTest, StepsMoveTheChecksAndWrapAtBothEnds)
{
    auto machine = StandAloneNoiseMachine::create(m_store, m_sounds, m_second);
    machine->previousSound();
    EXPECT_THAT(checked(*m_sounds), ElementsAre("Clock Ticking"));
    machine->nextSound();
    machine->nextSound();
    EXPECT_THAT(checked(*m_sounds), ElementsAre("White Noise"));
    EXPECT_THAT(checked(*m_second), ElementsAre("White Noise"));
    EXPECT_EQ(settings().string("standaloneSound"), "white_noise");
}

TEST_F(StandAloneMenusTest, TheMenusOutliveTheMachineHarmlessly)
{
    StandAloneNoiseMachine::create(m_store, m_sounds);
    m_sounds->performActionForItemAt(3);
    EXPECT_EQ(settings().string("standaloneSound"), "pink_noise");
    EXPECT_THAT(playingLoops(), IsEmpty());
}

}
}
