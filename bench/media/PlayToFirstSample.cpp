// From a play call to the first mixed sample, as the recording sink sees it: the time the
// program itself adds before a sound card's next buffer could carry the sound.
#include "platform/media/AudioOutput.h"
#include "platform/media/RecordingSink.h"
#include "platform/media/Sound.h"
#include "platform/media/SoundFile.h"
#include "platform/media/Speech.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <filesystem>
#include <sndfile.h>
#include <vector>

namespace {

// One buffer of a typical SDL device.
constexpr std::size_t kBufferFrames = 512;

struct Bench {
    std::shared_ptr<media::RecordingSink> sink = media::RecordingSink::create();
    std::shared_ptr<media::AudioOutput> output;
    std::vector<std::function<void()>> posted;

    Bench()
    {
        output = media::AudioOutput::create([this](std::function<void()> task) { posted.push_back(std::move(task)); }, sink);
        media::AudioOutput::install(output);
    }
    ~Bench() { media::AudioOutput::install(nullptr); }

    // Pulls buffers until one is not silent.
    void untilHeard()
    {
        while (true) {
            auto buffer = sink->pull(media::kSystemDefaultDevice, kBufferFrames);
            for (float sample : buffer) {
                if (sample != 0.0f)
                    return;
            }
        }
    }
    void settle()
    {
        for (int i = 0; i < 4; ++i)
            sink->pull(media::kSystemDefaultDevice, kBufferFrames);
        posted.clear();
    }
};

std::filesystem::path chimeFile()
{
    auto path = std::filesystem::temp_directory_path() / "bench-media-chime.aif";
    std::vector<float> samples(44100);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(0.5 * std::sin(i * 0.06) * std::exp(-double(i) / 20000));
    SF_INFO info { .frames = 0, .samplerate = 44100, .channels = 1, .format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16,
        .sections = 0, .seekable = 0 };
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    return path;
}

// Times `start` up to the first audible buffer; `stop` and the cleanup are not timed.
template<typename Start, typename Stop>
void measure(benchmark::State& state, Bench& bench, Start start, Stop stop, bool coldCache = false)
{
    for (auto _ : state) {
        if (coldCache) {
            state.PauseTiming();
            media::SoundFile::clearCache();
            state.ResumeTiming();
        }
        auto playing = start();
        bench.untilHeard();
        state.PauseTiming();
        stop(playing);
        bench.settle();
        state.ResumeTiming();
    }
}

// The sound library's usual case: a file decoded before, played again.
void CachedSoundToFirstSample(benchmark::State& state)
{
    Bench bench;
    auto path = chimeFile();
    measure(
        state, bench, [&] { auto sound = media::Sound::load(path); sound->play(); return sound; },
        [](const auto& sound) { sound->stop(); });
}
BENCHMARK(CachedSoundToFirstSample);

// The first play of a file: decoding and resampling (44.1 to 48 kHz) included.
void FirstPlayOfAFileToFirstSample(benchmark::State& state)
{
    Bench bench;
    auto path = chimeFile();
    measure(
        state, bench, [&] { auto sound = media::Sound::load(path); sound->play(); return sound; },
        [](const auto& sound) { sound->stop(); }, true);
}
BENCHMARK(FirstPlayOfAFileToFirstSample);

// Speech: until espeak has produced the first audible frame.
void SpeechToFirstSample(benchmark::State& state)
{
    Bench bench;
    auto speech = media::Speech::create();
    measure(
        state, bench, [&] { speech->speak("Only five minutes left"); return speech; },
        [](const auto& speaking) {
            speaking->stop();
            speaking->waitUntilSynthesized();
        });
}
BENCHMARK(SpeechToFirstSample)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
