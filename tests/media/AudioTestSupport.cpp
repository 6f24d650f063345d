#include "tests/media/AudioTestSupport.h"

#include <algorithm>
#include <cmath>
#include <sndfile.h>

namespace media::test {

void AudioTest::SetUp()
{
    base::setDiagnosticSink([this](std::string_view line) { m_diagnostics.emplace_back(line); });
    m_sink = RecordingSink::create();
    m_output = AudioOutput::create([this](std::function<void()> task) { m_posted.push_back(std::move(task)); }, m_sink);
    AudioOutput::install(m_output);
}

void AudioTest::TearDown()
{
    AudioOutput::install(nullptr);
    m_output.reset();
    base::setDiagnosticSink({});
}

void AudioTest::runPosted()
{
    auto posted = std::move(m_posted);
    m_posted.clear();
    for (auto& task : posted)
        task();
}

std::vector<float> AudioTest::pull(std::size_t frames, const std::string& device)
{
    auto samples = m_sink->pull(device, frames);
    runPosted();
    return samples;
}

bool AudioTest::logged(const std::string& part) const
{
    return std::any_of(m_diagnostics.begin(), m_diagnostics.end(),
        [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

std::shared_ptr<const SoundData> makeSound(std::size_t frames, const std::function<float(std::size_t)>& value,
    int sampleRate)
{
    std::vector<float> mono(frames);
    for (std::size_t i = 0; i < frames; ++i)
        mono[i] = value(i);
    return SoundData::fromInterleaved(mono.data(), frames, 1, sampleRate);
}

std::shared_ptr<const SoundData> constantSound(std::size_t frames, float value)
{
    return makeSound(frames, [value](std::size_t) { return value; });
}

void writeSoundFile(const std::filesystem::path& path, const std::vector<float>& samples, int sampleRate, int format)
{
    SF_INFO info {};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
}

float peak(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    float result = 0;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i)
        result = std::max(result, std::abs(samples[i]));
    return result;
}

}
