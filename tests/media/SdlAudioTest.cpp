#include "platform/media/AudioOutput.h"
#include "platform/media/SdlAudio.h"
#include "platform/media/SoundData.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>

namespace media::test {
namespace {

// The real backend on SDL's dummy driver, which pulls frames at the pace of a sound card
// and drops them: what CI and a machine without sound get.
TEST(SdlAudioTest, DummyDriverPlaysASoundToItsEndAndReportsIt)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::mutex mutex;
    std::condition_variable posted;
    std::vector<std::function<void()>> tasks;
    auto output = AudioOutput::create(
        [&](std::function<void()> task) {
            std::lock_guard lock(mutex);
            tasks.push_back(std::move(task));
            posted.notify_one();
        },
        SdlAudio::create());

    EXPECT_EQ(output->outputDevices().front().identifier, kSystemDefaultDevice);
    EXPECT_GT(output->sampleRate(kSystemDefaultDevice), 0);

    std::vector<float> click(480, 0.25f);
    auto sound = SoundData::fromInterleaved(click.data(), click.size(), 1, 48000);
    std::optional<bool> completed;
    auto voice = output->play(sound, { .label = "click" }, [&](bool done) { completed = done; });
    ASSERT_NE(voice, 0u);

    // Waits for the device's thread, not for a time: the limit only keeps a broken driver
    // from hanging the suite.
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(posted.wait_for(lock, std::chrono::seconds(10), [&] { return !tasks.empty(); }));
    }
    for (auto& task : tasks)
        task();
    ASSERT_TRUE(completed.has_value());
    EXPECT_TRUE(*completed);
    EXPECT_FALSE(output->isPlaying(voice));
}

TEST(SdlAudioTest, UnknownDeviceFallsBackToTheDefault)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto output = AudioOutput::create([](std::function<void()>) { }, SdlAudio::create());
    std::vector<float> tone(48000, 0.1f);
    auto voice = output->play(SoundData::fromInterleaved(tone.data(), tone.size(), 1, 48000),
        { .device = "No Such Headphones", .label = "tone" }, nullptr);
    EXPECT_EQ(output->deviceOf(voice), kSystemDefaultDevice);
    output->stop(voice);
}

}
}
