#include "platform/media/AudioOutput.h"
#include "platform/media/SdlAudio.h"
#include "platform/media/SoundData.h"

#include <SDL2/SDL.h>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>

namespace media::test {
namespace {

// SDL connects to the session bus when its audio starts; on a test display without one,
// libdbus would launch a bus of its own through X11 and leak while doing so, so the tests
// name a bus that is not there.
class SdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (!std::getenv("DBUS_SESSION_BUS_ADDRESS"))
            setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/ostrel-test-bus", 1);
    }
    void TearDown() override { SDL_Quit(); }
};

// The real backend on SDL's dummy driver, which pulls frames at the pace of a sound card
// and drops them: what CI and a machine without sound get.
TEST_F(SdlAudioTest, DummyDriverPlaysASoundToItsEndAndReportsIt)
{
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

TEST_F(SdlAudioTest, SdlsAudioRunsOnlyWhileADeviceIsOpen)
{
    // Some drivers keep a thread looking for new devices while SDL's audio runs.
    auto audio = SdlAudio::create();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
    audio->outputDevices();
    EXPECT_FALSE(audio->isStarted());
    audio->waitUntilStopped();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO)) << "listing the devices left the audio running";
    auto stream = audio->open(kSystemDefaultDevice);
    ASSERT_TRUE(stream);
    EXPECT_TRUE(SDL_WasInit(SDL_INIT_AUDIO));
    auto second = audio->open(kSystemDefaultDevice);
    stream.reset();
    EXPECT_TRUE(SDL_WasInit(SDL_INIT_AUDIO)) << "stopped under a stream still open";
    second.reset();
    audio->waitUntilStopped();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
}

// The stop runs on a thread of its own; a device asked for while it is under way still
// opens, and SDL's count of starts stays true through any number of such turns.
TEST_F(SdlAudioTest, ADeviceOpensRightAfterTheListStoppedTheAudio)
{
    auto audio = SdlAudio::create();
    for (int turn = 0; turn < 3; ++turn) {
        audio->outputDevices();
        auto stream = audio->open(kSystemDefaultDevice);
        ASSERT_TRUE(stream) << "turn " << turn;
        EXPECT_GT(stream->sampleRate(), 0);
        EXPECT_TRUE(SDL_WasInit(SDL_INIT_AUDIO));
    }
    audio->waitUntilStopped();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
    // Gone with a stop under way: the stop is over before the object is.
    audio->outputDevices();
    audio.reset();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
}

// A driver that starts but has no card behind it: the failed stream's closing must not stop
// SDL's audio on a thread while the dummy driver starts (a crash, or no sound system left).
TEST_F(SdlAudioTest, ADriverWithoutACardGivesWayToTheDummyWithTheAudioRunning)
{
    unsetenv("SDL_AUDIODRIVER");
    setenv("ALSA_CONFIG_PATH", "/nonexistent/ostrel-test-asound.conf", 1);
    for (int turn = 0; turn < 5; ++turn) {
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "alsa");
        auto audio = SdlAudio::create();
        auto stream = audio->open(kSystemDefaultDevice);
        ASSERT_TRUE(stream) << "turn " << turn;
        audio->waitUntilStopped();
        EXPECT_TRUE(SDL_WasInit(SDL_INIT_AUDIO)) << "turn " << turn;
        EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
        stream.reset();
        audio->waitUntilStopped();
        EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO)) << "turn " << turn;
    }
    unsetenv("ALSA_CONFIG_PATH");
}

TEST_F(SdlAudioTest, UnknownDeviceFallsBackToTheDefault)
{
    auto output = AudioOutput::create([](std::function<void()>) { }, SdlAudio::create());
    std::vector<float> tone(48000, 0.1f);
    auto voice = output->play(SoundData::fromInterleaved(tone.data(), tone.size(), 1, 48000),
        { .device = "No Such Headphones", .label = "tone" }, nullptr);
    EXPECT_EQ(output->deviceOf(voice), kSystemDefaultDevice);
    output->stop(voice);
}

}
}
