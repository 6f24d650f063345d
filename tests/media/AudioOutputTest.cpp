#include "tests/media/AudioTestSupport.h"

#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/base/VirtualTime.h"
#include "platform/media/SoundData.h"

#include <cmath>
#include <optional>

namespace media::test {
namespace {

using AudioOutputTest = AudioTest;

TEST_F(AudioOutputTest, OverlappingVoicesAreSummedUntilEachEnds)
{
    m_output->play(constantSound(100, 0.25f), { .label = "short" }, nullptr);
    m_output->play(constantSound(300, 0.5f), { .label = "long" }, nullptr);

    auto mixed = pull(400);
    EXPECT_FLOAT_EQ(mixed[0], 0.75f);
    EXPECT_FLOAT_EQ(mixed[99 * 2 + 1], 0.75f);
    EXPECT_FLOAT_EQ(mixed[100 * 2], 0.5f);
    EXPECT_FLOAT_EQ(mixed[299 * 2], 0.5f);
    EXPECT_FLOAT_EQ(mixed[300 * 2], 0.0f);
    EXPECT_EQ(m_sink->eventsOf(VoiceEvent::Kind::Started).size(), 2u);
}

TEST_F(AudioOutputTest, ADeviceNothingPlaysOnIsClosedAfterTenSecondsAndOpensAgainForTheNextSound)
{
    base::VirtualTime clock;
    auto runFor = [](double seconds) { base::RunLoop::main().runUntil(base::Time::now() + seconds); };
    m_output->play(constantSound(100, 0.5f), { .label = "tick" }, nullptr);
    auto loop = m_output->play(constantSound(100, 0.25f), { .loop = true, .label = "noise" }, nullptr);
    pull(200);
    // A loop plays on: its device stays open.
    runFor(30);
    EXPECT_TRUE(m_sink->isOpen(kSystemDefaultDevice));

    m_output->stop(loop);
    pull(4800);
    runFor(9);
    EXPECT_TRUE(m_sink->isOpen(kSystemDefaultDevice)) << "closed while a sound every few seconds may still come";
    runFor(2);
    EXPECT_FALSE(m_sink->isOpen(kSystemDefaultDevice)) << "a silent device keeps its thread waking";

    m_output->play(constantSound(100, 0.5f), { .label = "tick" }, nullptr);
    EXPECT_TRUE(m_sink->isOpen(kSystemDefaultDevice));
    EXPECT_FLOAT_EQ(pull(10)[0], 0.5f);
    base::RunLoop::main().discardAll();
}

TEST_F(AudioOutputTest, LoudVoicesAreClippedNotWrapped)
{
    m_output->play(constantSound(10, 0.8f), {}, nullptr);
    m_output->play(constantSound(10, 0.8f), {}, nullptr);
    m_output->play(constantSound(10, -0.9f), {}, nullptr);
    EXPECT_FLOAT_EQ(pull(10)[0], 0.7f);
    m_output->play(constantSound(10, 0.8f), {}, nullptr);
    m_output->play(constantSound(10, 0.8f), {}, nullptr);
    EXPECT_FLOAT_EQ(pull(10)[0], 1.0f);
}

TEST_F(AudioOutputTest, VolumeIsAppliedAtStartAndGlidesToChanges)
{
    auto voice = m_output->play(constantSound(48000, 1.0f), { .volume = 0.5f, .label = "tone" }, nullptr);
    EXPECT_FLOAT_EQ(pull(10)[0], 0.5f);
    EXPECT_EQ(m_sink->events().front().volume, 0.5f);

    m_output->setVolume(voice, 0.25f);
    auto glide = pull(960);
    // No jump: the first frames after the change are still close to the old volume.
    EXPECT_GT(glide[0], 0.49f);
    EXPECT_FLOAT_EQ(glide.back(), 0.25f);
    EXPECT_FLOAT_EQ(pull(10)[0], 0.25f);
    EXPECT_EQ(m_sink->eventsOf(VoiceEvent::Kind::VolumeChanged).back().volume, 0.25f);

    m_output->setVolume(voice, 7.0f);
    pull(960);
    EXPECT_FLOAT_EQ(pull(10)[0], 1.0f) << "volumes above 1 are taken as 1";
}

TEST_F(AudioOutputTest, StopFadesOutQuicklyAndReportsNotCompleted)
{
    std::optional<bool> completed;
    auto voice = m_output->play(constantSound(48000, 1.0f), {}, [&](bool done) { completed = done; });
    pull(100);
    EXPECT_TRUE(m_output->isPlaying(voice));

    m_output->stop(voice);
    auto tail = pull(480);
    EXPECT_LT(tail[2], 1.0f);
    EXPECT_FLOAT_EQ(peak(tail, 2 * 300), 0.0f) << "silent once the de-click ramp has run";
    EXPECT_FALSE(m_output->isPlaying(voice));
    ASSERT_TRUE(completed.has_value());
    EXPECT_FALSE(*completed);
    EXPECT_EQ(m_sink->eventsOf(VoiceEvent::Kind::Stopped).size(), 1u);
}

TEST_F(AudioOutputTest, AVoiceIsStoppedOnceHoweverOftenItIsAskedTo)
{
    auto voice = m_output->play(constantSound(96000, 1.0f), { .label = "tone" }, nullptr);
    m_output->stop(voice, 0.5);
    m_output->stop(voice);
    pull(10);
    m_output->stop(voice);
    EXPECT_EQ(m_sink->eventsOf(VoiceEvent::Kind::Stopped).size(), 1u);
    EXPECT_TRUE(m_output->isPlaying(voice)) << "the second stop does not cut the fade short";
    pull(48000);
    m_output->stop(voice);
    EXPECT_EQ(m_sink->eventsOf(VoiceEvent::Kind::Stopped).size(), 1u);
    EXPECT_EQ(m_sink->eventsOf(VoiceEvent::Kind::Finished).size(), 1u);
}

TEST_F(AudioOutputTest, LongFadeRampsDownOverItsLength)
{
    auto voice = m_output->play(constantSound(96000, 1.0f), {}, nullptr);
    m_output->stop(voice, 1.0);
    auto faded = pull(48000);
    EXPECT_NEAR(faded[24000 * 2], 0.5f, 0.01f);
    EXPECT_TRUE(m_output->isPlaying(voice) || faded.back() < 0.01f);
    pull(100);
    EXPECT_FALSE(m_output->isPlaying(voice));
}

TEST_F(AudioOutputTest, FinishedCallbackComesThroughThePosterAfterTheLastFrame)
{
    std::optional<bool> completed;
    m_output->play(constantSound(100, 0.1f), {}, [&](bool done) { completed = done; });
    m_sink->pull(kSystemDefaultDevice, 50);
    EXPECT_TRUE(m_posted.empty());
    m_sink->pull(kSystemDefaultDevice, 50);
    EXPECT_FALSE(completed.has_value()) << "only through the main queue";
    runPosted();
    ASSERT_TRUE(completed.has_value());
    EXPECT_TRUE(*completed);
}

TEST_F(AudioOutputTest, StartSecondsSkipsTheBeginning)
{
    auto ramp = makeSound(48000, [](std::size_t frame) { return float(frame) / 48000; });
    auto voice = m_output->play(ramp, { .startSeconds = 0.5 }, nullptr);
    EXPECT_NEAR(*m_output->position(voice), 0.5, 1e-9);
    EXPECT_NEAR(pull(1)[0], 0.5f, 1e-4f);
    m_output->play(ramp, { .startSeconds = 5.0 }, nullptr);
    pull(1);
}

TEST_F(AudioOutputTest, LoopRepeatsSampleExactlyAcrossItsSeam)
{
    constexpr std::size_t length = 1000;
    auto saw = makeSound(length, [](std::size_t frame) { return float(frame) / length - 0.5f; });
    auto voice = m_output->play(saw, { .loop = true }, nullptr);
    // Pulled in blocks that do not divide the loop, so seams fall inside blocks.
    for (int block = 0; block < 7; ++block)
        pull(333);
    const auto& heard = m_sink->recorded(kSystemDefaultDevice);
    for (std::size_t frame = 0; frame < heard.size() / 2; ++frame)
        ASSERT_FLOAT_EQ(heard[frame * 2], saw->samples[(frame % length) * 2]) << "frame " << frame;
    EXPECT_TRUE(m_output->isPlaying(voice));
}

TEST_F(AudioOutputTest, SoundsOfAnotherRateAreResampled)
{
    auto slow = makeSound(240, [](std::size_t frame) { return float(frame) / 240; }, 24000);
    m_output->play(slow, {}, nullptr);
    auto heard = pull(600);
    EXPECT_NEAR(heard[2 * 2], 1.0f / 240, 1e-5f);
    EXPECT_NEAR(heard[3 * 2], 1.5f / 240, 1e-5f) << "halfway between two source frames";
    EXPECT_GT(std::abs(heard[479 * 2]), 0.9f);
    EXPECT_FLOAT_EQ(heard[480 * 2], 0.0f) << "twice as many frames at twice the rate";
}

TEST_F(AudioOutputTest, NothingToPlayGivesNoVoice)
{
    EXPECT_EQ(m_output->play(std::shared_ptr<const SoundData>(), {}, nullptr), 0u);
    EXPECT_FALSE(m_output->isPlaying(0));
    m_output->stop(12345);
    m_output->setVolume(12345, 0.5f);
    EXPECT_TRUE(m_sink->events().empty());
}

TEST_F(AudioOutputTest, EmptySoundEndsAtOnce)
{
    std::optional<bool> completed;
    m_output->play(constantSound(0, 0), { .loop = true }, [&](bool done) { completed = done; });
    pull(10);
    EXPECT_TRUE(completed.has_value());
}

}
}
