#include "platform/media/SoundData.h"

#include <cmath>

namespace media {

std::shared_ptr<const SoundData> SoundData::fromInterleaved(const float* samples, std::size_t frames, int channels,
    int sampleRate, std::filesystem::path source)
{
    auto data = std::make_shared<SoundData>();
    data->sampleRate = sampleRate;
    data->source = std::move(source);
    data->samples.resize(frames * 2);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const float* in = samples + frame * channels;
        float left = in[0];
        float right = channels > 1 ? in[1] : in[0];
        // Centre and surround channels go to both sides at half strength.
        for (int channel = 2; channel < channels; ++channel) {
            left += 0.5f * in[channel];
            right += 0.5f * in[channel];
        }
        data->samples[frame * 2] = left;
        data->samples[frame * 2 + 1] = right;
    }
    return data;
}

std::shared_ptr<const SoundData> resample(const SoundData& sound, int sampleRate, bool periodic)
{
    auto out = std::make_shared<SoundData>();
    out->sampleRate = sampleRate;
    out->source = sound.source;
    std::size_t inFrames = sound.frameCount();
    if (inFrames == 0 || sound.sampleRate <= 0 || sampleRate <= 0)
        return out;
    if (sound.sampleRate == sampleRate) {
        out->samples = sound.samples;
        return out;
    }
    double ratio = double(sound.sampleRate) / sampleRate;
    auto outFrames = std::size_t(std::llround(double(inFrames) / ratio));
    out->samples.resize(outFrames * 2);
    for (std::size_t frame = 0; frame < outFrames; ++frame) {
        double position = frame * ratio;
        auto index = std::size_t(position);
        double fraction = position - double(index);
        if (index >= inFrames)
            index = inFrames - 1;
        std::size_t next = index + 1;
        if (next >= inFrames)
            next = periodic ? 0 : inFrames - 1;
        for (int channel = 0; channel < 2; ++channel) {
            float a = sound.samples[index * 2 + channel];
            float b = sound.samples[next * 2 + channel];
            out->samples[frame * 2 + channel] = float(a + (b - a) * fraction);
        }
    }
    return out;
}

}
