#include "tests/attention/AttentionTestSupport.h"

#include "attention/SpeechManager.h"

#include "platform/media/Speech.h"

#include <cstdlib>
#include <gmock/gmock.h>

namespace ostrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SpeechManagerTest : public AttentionTest {
protected:
    SpeechManager& speaker() { return SpeechManager::sharedManager(); }

    // The user's locale decides the system's default voice.
    void setLocale(const char* locale) { setenv("LC_ALL", locale, 1); }
    void TearDown() override
    {
        setenv("LC_ALL", "C.UTF-8", 1);
        AttentionTest::TearDown();
    }
};

TEST_F(SpeechManagerTest, SpeaksAtTheSpeechVolumeAndNotAtAllWhileMuted)
{
    settings().set("mute", true);
    speaker().speakString("Nothing to hear");
    EXPECT_EQ(speaker().synth(), nullptr);
    EXPECT_THAT(take(), IsEmpty());

    settings().set("mute", false);
    settings().set("speechReminderVolume", 0.3);
    speaker().speakString("Five minutes left");
    EXPECT_THAT(take(), ElementsAre("speech Five minutes left"));
    EXPECT_FLOAT_EQ(m_sink->eventsOf(media::VoiceEvent::Kind::Started).back().volume, 0.3f);
}

TEST_F(SpeechManagerTest, EnglishTextIsNeverGivenToAVoiceOfAnotherLanguage)
{
    setLocale("de_DE.UTF-8");
    speaker().speakString("Time Slice Elapsed");
    ASSERT_NE(speaker().synth(), nullptr);
    EXPECT_EQ(speaker().synth()->voice(), media::Speech::fallbackVoice());

    speaker().speakString("Die Pause beginnt jetzt, über die Straße");
    EXPECT_EQ(media::Speech::localeOfVoice(speaker().synth()->voice()).substr(0, 2), "de");

    setLocale("en_GB.UTF-8");
    speaker().speakString("Time Slice Elapsed");
    auto british = speaker().synth()->voice();
    EXPECT_EQ(media::Speech::localeOfVoice(british).substr(0, 2), "en");
    EXPECT_EQ(british, media::Speech::defaultVoice());
}

TEST_F(SpeechManagerTest, ANewTextCutsOffTheOneBeingSpoken)
{
    speaker().speakString("A first sentence that goes on and on");
    auto first = m_sink->eventsOf(media::VoiceEvent::Kind::Started).back().voice;
    speaker().speakString("The second");
    auto stopped = m_sink->eventsOf(media::VoiceEvent::Kind::Stopped);
    ASSERT_FALSE(stopped.empty());
    EXPECT_EQ(stopped.front().voice, first);
    EXPECT_THAT(take(), ElementsAre("speech A first sentence that goes on and on", "speech The second"));

    speaker().cutOffInMidSentence();
    m_sink->pull(media::kSystemDefaultDevice, 512);
    runPosted();
    EXPECT_FALSE(speaker().synth()->isSpeaking());
}

}
}
