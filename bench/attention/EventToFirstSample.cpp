// From a timer event reaching the notification centre to the first mixed sample of the
// sound it asks for, as the recording sink sees it: the handler reading its settings, the
// sound library finding the file (decoded once, then cached) and the mixer starting it.
#include "attention/SoundManager.h"
#include "attention/SpeechManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "attention/ZRNotificationCenter.h"
#include "shell/DefaultSettings.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/media/AudioOutput.h"
#include "platform/media/RecordingSink.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

namespace {

using namespace ostrel;

// One buffer of a typical SDL device.
constexpr std::size_t kBufferFrames = 512;

struct Bench {
    std::filesystem::path home = std::filesystem::temp_directory_path() / "bench-attention-home";
    std::shared_ptr<base::Defaults> store = base::Defaults::create({});
    std::shared_ptr<media::RecordingSink> sink = media::RecordingSink::create();
    std::unique_ptr<ZRNotificationCenter> centre;

    Bench()
    {
        // The script folder is looked for on every event; it must not be the user's.
        std::filesystem::create_directories(home);
        setenv("XDG_DATA_HOME", home.c_str(), 1);
        // The start handler's line for the script goes to the log on every event.
        base::setDiagnosticSink([](std::string_view) { });
        base::Defaults::setStandard(store);
        prepareDefaults();
        media::AudioOutput::install(media::AudioOutput::create([](std::function<void()>) { }, sink));
        SoundManager::setSharedManager(SoundManager::create(store));
        SpeechManager::setSharedManager(SpeechManager::create(store));
        WhiteNoiseMachine::setContinuousSoundMachine(WhiteNoiseMachine::create(store));
        centre = ZRNotificationCenter::create();
    }
    ~Bench()
    {
        WhiteNoiseMachine::setContinuousSoundMachine(nullptr);
        SpeechManager::setSharedManager(nullptr);
        SoundManager::setSharedManager(nullptr);
        media::AudioOutput::install(nullptr);
        base::Defaults::setStandard(nullptr);
        base::setDiagnosticSink({});
        std::filesystem::remove_all(home);
    }

    void untilHeard()
    {
        while (true) {
            for (float sample : sink->pull(media::kSystemDefaultDevice, kBufferFrames)) {
                if (sample != 0.0f)
                    return;
            }
        }
    }
    void settle()
    {
        for (int i = 0; i < 4; ++i)
            sink->pull(media::kSystemDefaultDevice, kBufferFrames);
    }
};

// The end of a slice: the alarm sound (and a banner and a script call that go nowhere).
void ElapsedEventToFirstSample(benchmark::State& state)
{
    Bench bench;
    for (auto _ : state) {
        bench.centre->triggerNotificationForEvent("Ostrel_4.TimeSliceRunningState.elapsed", 1500, 1500);
        bench.untilHeard();
        state.PauseTiming();
        SoundManager::sharedManager().stopAllCurrentSounds();
        bench.settle();
        state.ResumeTiming();
    }
}
BENCHMARK(ElapsedEventToFirstSample);

// The start of a slice with the continuous sound on: the loop's first sample.
void StartEventToFirstLoopSample(benchmark::State& state)
{
    Bench bench;
    bench.store->set("continuousSoundOn", true);
    bench.store->set("growlStartOn", false);
    for (auto _ : state) {
        bench.centre->triggerNotificationForEvent("Ostrel_4.TimeSliceRunningState.start", 0, 1500);
        bench.untilHeard();
        state.PauseTiming();
        WhiteNoiseMachine::continuousSoundMachine().stopPlaying();
        bench.settle();
        state.ResumeTiming();
    }
}
BENCHMARK(StartEventToFirstLoopSample);

}

BENCHMARK_MAIN();
