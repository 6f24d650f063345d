#include "platform/media/Mixer.h"

#include "platform/media/SampleStream.h"
#include "platform/media/SoundData.h"

#include <algorithm>
#include <cmath>

namespace media {

namespace {
// Volume changes glide over this long instead of jumping (which would crackle).
constexpr double kVolumeGlideSeconds = 0.01;
}

Mixer::Mixer(int sampleRate)
    : m_sampleRate(sampleRate > 0 ? sampleRate : 48000)
{
}

void Mixer::add(VoiceId id, VoiceSource source, float volume)
{
    volume = std::clamp(volume, 0.0f, 1.0f);
    Voice voice { .id = id, .source = std::move(source), .gain = volume, .target = volume };
    if (voice.source.sound)
        voice.position = std::min(voice.source.startFrame, voice.source.sound->frameCount());
    std::lock_guard lock(m_mutex);
    m_voices.push_back(std::move(voice));
}

void Mixer::rampTo(Voice& voice, float target, double seconds)
{
    voice.target = target;
    double frames = std::max(1.0, seconds * m_sampleRate);
    voice.step = float(std::abs(voice.gain - target) / frames);
}

bool Mixer::stop(VoiceId id, double fadeSeconds)
{
    std::lock_guard lock(m_mutex);
    for (auto& voice : m_voices) {
        if (voice.id != id)
            continue;
        if (!voice.stopping) {
            voice.stopping = true;
            rampTo(voice, 0, std::max(fadeSeconds, kDeclickSeconds));
            if (voice.source.stream)
                voice.source.stream->cancel();
        }
        return true;
    }
    return false;
}

void Mixer::setVolume(VoiceId id, float volume)
{
    std::lock_guard lock(m_mutex);
    for (auto& voice : m_voices) {
        if (voice.id == id && !voice.stopping)
            rampTo(voice, std::clamp(volume, 0.0f, 1.0f), kVolumeGlideSeconds);
    }
}

bool Mixer::contains(VoiceId id) const
{
    std::lock_guard lock(m_mutex);
    return std::any_of(m_voices.begin(), m_voices.end(), [&](const Voice& voice) { return voice.id == id; });
}

std::optional<double> Mixer::position(VoiceId id) const
{
    std::lock_guard lock(m_mutex);
    for (const auto& voice : m_voices) {
        if (voice.id == id)
            return double(voice.source.sound ? voice.position : voice.played) / m_sampleRate;
    }
    return std::nullopt;
}

bool Mixer::isEmpty() const
{
    std::lock_guard lock(m_mutex);
    return m_voices.empty();
}

bool Mixer::mixVoice(Voice& voice, float* out, std::size_t frames, bool& completed)
{
    // The frames this voice gives in this call go to m_scratch first, then through its gain.
    m_scratch.assign(frames * 2, 0.0f);
    std::size_t produced = 0;
    bool ended = false;
    if (voice.source.sound) {
        const auto& sound = *voice.source.sound;
        std::size_t length = sound.frameCount();
        while (produced < frames) {
            if (voice.position >= length) {
                if (!voice.source.loop || length == 0) {
                    ended = true;
                    break;
                }
                voice.position = 0;
            }
            std::size_t count = std::min(frames - produced, length - voice.position);
            std::copy_n(sound.samples.begin() + std::ptrdiff_t(voice.position * 2), count * 2,
                m_scratch.begin() + std::ptrdiff_t(produced * 2));
            voice.position += count;
            produced += count;
        }
        if (!voice.source.loop && voice.position >= length)
            ended = true;
    } else if (voice.source.stream) {
        produced = voice.source.stream->read(m_scratch.data(), frames);
        ended = voice.source.stream->isDrained();
    } else {
        ended = true;
    }
    voice.played += produced;
    completed = ended && !voice.stopping;

    for (std::size_t frame = 0; frame < produced; ++frame) {
        if (voice.gain != voice.target) {
            if (voice.gain < voice.target)
                voice.gain = std::min(voice.target, voice.gain + voice.step);
            else
                voice.gain = std::max(voice.target, voice.gain - voice.step);
        }
        out[frame * 2] += m_scratch[frame * 2] * voice.gain;
        out[frame * 2 + 1] += m_scratch[frame * 2 + 1] * voice.gain;
        if (voice.stopping && voice.gain <= 0) {
            completed = false;
            return true;
        }
    }
    if (voice.stopping && voice.gain <= 0) {
        completed = false;
        return true;
    }
    return ended;
}

void Mixer::mix(float* out, std::size_t frames)
{
    std::fill_n(out, frames * 2, 0.0f);
    {
        std::lock_guard lock(m_mutex);
        for (auto voice = m_voices.begin(); voice != m_voices.end();) {
            bool completed = false;
            if (mixVoice(*voice, out, frames, completed)) {
                m_ended.push_back({ voice->id, completed });
                voice = m_voices.erase(voice);
            } else {
                ++voice;
            }
        }
    }
    for (std::size_t i = 0; i < frames * 2; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    // m_ended is only touched on this thread, so it can be handed out without the lock.
    if (!m_ended.empty()) {
        auto ended = std::move(m_ended);
        m_ended.clear();
        for (const auto& end : ended) {
            if (on_voice_finished)
                on_voice_finished(end.id, end.completed);
        }
    }
}

}
