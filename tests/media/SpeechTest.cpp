#include "tests/media/AudioTestSupport.h"

#include "platform/media/Speech.h"
#include "platform/media/TextLanguage.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace media::test {
namespace {

class SpeechTest : public AudioTest {
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        if (Speech::voices().empty())
            GTEST_SKIP() << "espeak-ng has no voices here";
        m_speech = Speech::create();
        m_speech->on_finished = [this](bool completed) {
            m_completed = completed;
            m_endings.push_back(completed);
        };
    }

    // Pulls until the speech has ended (or a generous limit), returning what was heard.
    std::vector<float> listen()
    {
        m_speech->waitUntilSynthesized();
        std::vector<float> heard;
        for (int block = 0; block < 2000 && !m_completed; ++block) {
            auto part = pull(480);
            heard.insert(heard.end(), part.begin(), part.end());
        }
        return heard;
    }

    std::shared_ptr<Speech> m_speech;
    void TearDown() override
    {
        m_speech.reset();
        AudioTest::TearDown();
    }

    std::optional<bool> m_completed;
    std::vector<bool> m_endings;
};

TEST_F(SpeechTest, VoicesNameTheirLanguagesAndTheFallbackIsEnglish)
{
    auto voices = Speech::voices();
    EXPECT_TRUE(std::all_of(voices.begin(), voices.end(), [](const SpeechVoice& voice) { return !voice.locale().empty(); }));
    EXPECT_TRUE(Speech::localeOfVoice(Speech::fallbackVoice()).starts_with("en"));
    EXPECT_EQ(Speech::localeOfVoice("gmw/de"), "de");
    EXPECT_EQ(Speech::localeOfVoice("no/such-voice"), "");
}

TEST_F(SpeechTest, DefaultVoiceFollowsTheUserLocale)
{
    // The test program runs in C.UTF-8, which names no language.
    EXPECT_EQ(Speech::defaultVoice(), Speech::fallbackVoice());
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(Speech::defaultVoice(), "gmw/de");
    setenv("LC_ALL", "en_GB.UTF-8", 1);
    EXPECT_TRUE(Speech::localeOfVoice(Speech::defaultVoice()).starts_with("en-gb"));
    setenv("LC_ALL", "C.UTF-8", 1);
}

TEST_F(SpeechTest, EnglishTextLeavesAVoiceOfAnotherLanguageForTheFallback)
{
    EXPECT_EQ(Speech::voiceForText("Only 5 minutes left", "gmw/de"), Speech::fallbackVoice());
    EXPECT_EQ(Speech::voiceForText("Die Pause beginnt in fünf Minuten", "gmw/de"), "gmw/de");
    EXPECT_EQ(Speech::voiceForText("Starting Time Slice", "gmw/en"), "gmw/en");
    EXPECT_EQ(Speech::voiceForText("Starting Time Slice", "gmw/en-US"), "gmw/en-US");
}

TEST_F(SpeechTest, LanguageIsGuessedFromWordsLettersAndScript)
{
    EXPECT_EQ(guessLanguage("Time Slice Elapsed"), "en");
    EXPECT_EQ(guessLanguage("The break will start as soon as you stop working."), "en");
    EXPECT_EQ(guessLanguage("Noch fünf Minuten übrig"), "de");
    EXPECT_EQ(guessLanguage("Il reste cinq minutes pour votre tâche"), "fr");
    EXPECT_EQ(guessLanguage("Quedan cinco minutos"), "es");
    EXPECT_EQ(guessLanguage("Осталось пять минут"), "ru");
    EXPECT_EQ(guessLanguage("残り5分"), "zh");
    EXPECT_EQ(guessLanguage("12:30 !"), "");
    EXPECT_EQ(guessLanguage(""), "");
    EXPECT_EQ(guessLanguage("\xff\xfe broken \xc3"), "en") << "bad UTF-8 is read past, never trusted";
}

TEST_F(SpeechTest, SpokenTextIsHeardAndReportsItsEnd)
{
    ASSERT_TRUE(m_speech->speak("Starting Time Slice"));
    EXPECT_TRUE(m_speech->isSpeaking());
    auto heard = listen();
    EXPECT_GT(peak(heard), 0.05f);
    EXPECT_GT(heard.size() / 2, 48000u / 2) << "a few words last more than half a second";
    ASSERT_TRUE(m_completed.has_value());
    EXPECT_TRUE(*m_completed);
    EXPECT_FALSE(m_speech->isSpeaking());
    EXPECT_EQ(m_sink->events().front().label, "speech: Starting Time Slice");
}

TEST_F(SpeechTest, VolumeScalesTheVoice)
{
    m_speech->speak("Time Slice Elapsed");
    float loud = peak(listen());
    m_completed.reset();
    m_speech->setVolume(0.5f);
    m_speech->speak("Time Slice Elapsed");
    float quiet = peak(listen());
    EXPECT_NEAR(quiet / loud, 0.5f, 0.02f);
}

TEST_F(SpeechTest, CuttingOffFallsSilentInMidSentence)
{
    m_speech->speak("The break will start as soon as you stop working, and not a moment before that.");
    m_speech->waitUntilSynthesized();
    EXPECT_GT(peak(pull(24000)), 0.05f);
    m_speech->stop();
    pull(480);
    EXPECT_FLOAT_EQ(peak(pull(48000)), 0.0f);
    ASSERT_TRUE(m_completed.has_value());
    EXPECT_FALSE(*m_completed);
    EXPECT_FALSE(m_speech->isSpeaking());
}

TEST_F(SpeechTest, StoppingBeforeTheEngineStartsStillEndsCleanly)
{
    m_speech->speak("Your break will end in five minutes");
    m_speech->stop();
    m_speech->waitUntilSynthesized();
    pull(480);
    EXPECT_FLOAT_EQ(peak(pull(4800)), 0.0f);
    EXPECT_EQ(m_completed, std::optional<bool>(false));

    // A synthesizer stopped and then dropped for the next text stops its voice once.
    m_speech->speak("Your break will end in four minutes");
    m_speech->stop();
    m_speech.reset();
    EXPECT_EQ(m_sink->eventsOf(VoiceEvent::Kind::Stopped).size(), 2u);
}

TEST_F(SpeechTest, NewTextCutsOffTheOneBefore)
{
    m_speech->speak("A long first sentence that will not be finished today at all.");
    m_speech->speak("Second");
    m_speech->waitUntilSynthesized();
    std::vector<float> heard;
    while (m_endings.size() < 2 && heard.size() < 48000 * 20) {
        auto part = pull(480);
        heard.insert(heard.end(), part.begin(), part.end());
    }
    EXPECT_EQ(m_endings, (std::vector<bool> { false, true })) << "the first reports being cut off";
    EXPECT_LT(heard.size() / 2, 48000u * 2);
}

TEST_F(SpeechTest, SpeechGoesToItsDeviceOrElseTheDefault)
{
    m_sink = RecordingSink::create(44100);
    m_sink->setDevices({ { "usb", "USB Headset" } });
    m_output = AudioOutput::create([this](std::function<void()> task) { m_posted.push_back(std::move(task)); }, m_sink);
    AudioOutput::install(m_output);

    m_speech->setDevice("usb");
    m_speech->speak("Hello.");
    m_speech->waitUntilSynthesized();
    EXPECT_GT(peak(pull(22050, "usb")), 0.05f);
    EXPECT_FLOAT_EQ(peak(pull(22050)), 0.0f);

    m_speech->setDevice("bluetooth");
    m_speech->speak("Hello.");
    m_speech->waitUntilSynthesized();
    EXPECT_GT(peak(pull(22050)), 0.05f);
    EXPECT_TRUE(logged("bluetooth is not connected"));
}

TEST_F(SpeechTest, UnknownVoiceIsRefusedAndTheVoiceKept)
{
    std::string before = m_speech->voice();
    EXPECT_FALSE(m_speech->setVoice("com.example.no-such-voice"));
    EXPECT_EQ(m_speech->voice(), before);
    EXPECT_TRUE(logged("no speech voice"));
    EXPECT_TRUE(m_speech->setVoice("gmw/de"));
}

TEST_F(SpeechTest, EmptyAndOddTextsNeverCrash)
{
    for (std::string text : { std::string(), std::string("\xff\xfe\xfd"), std::string(300, 'a'), std::string("<speak>&") }) {
        m_completed.reset();
        m_speech->speak(text);
        listen();
        EXPECT_TRUE(m_completed.has_value());
    }
}

}
}
