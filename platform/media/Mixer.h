#pragma once

#include "platform/media/Forward.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace media {

// A stop without a fade still ramps down over this long, so it never clicks.
inline constexpr double kDeclickSeconds = 0.005;

struct VoiceSource {
    // Exactly one of the two: decoded sound at the mixer's rate, or a live stream.
    std::shared_ptr<const SoundData> sound {};
    std::shared_ptr<SampleStream> stream {};
    bool loop { false };
    std::size_t startFrame { 0 };
};

// Sums every voice of one output device into interleaved stereo float frames. The device's
// thread calls mix(); the main thread adds, stops and changes voices. One lock guards the
// voice list, held only while frames are summed.
class Mixer {
public:
    explicit Mixer(int sampleRate);

    int sampleRate() const { return m_sampleRate; }

    void add(VoiceId id, VoiceSource source, float volume);
    // Fades the voice out over `fadeSeconds` (at least the de-click time), then drops it.
    // False when no such voice sounds.
    bool stop(VoiceId id, double fadeSeconds);
    void setVolume(VoiceId id, float volume);
    bool contains(VoiceId id) const;
    // Seconds into the sound (for a stream, since it started).
    std::optional<double> position(VoiceId id) const;
    bool isEmpty() const;

    void mix(float* out, std::size_t frames);

    // Called on the mixing thread, outside the lock, for every voice that ended: `completed`
    // is true when it played to its end, false when it was stopped.
    std::function<void(VoiceId, bool completed)> on_voice_finished;

private:
    struct Voice {
        VoiceId id { 0 };
        VoiceSource source;
        std::size_t position { 0 };
        std::size_t played { 0 };
        float gain { 1 };
        float target { 1 };
        float step { 0 };
        bool stopping { false };
    };
    struct Ended {
        VoiceId id;
        bool completed;
    };

    // Sums one voice into `out`; true when it has ended.
    bool mixVoice(Voice& voice, float* out, std::size_t frames, bool& completed);
    void rampTo(Voice& voice, float target, double seconds);

    const int m_sampleRate;
    mutable std::mutex m_mutex;
    std::vector<Voice> m_voices;
    std::vector<float> m_scratch;
    std::vector<Ended> m_ended;
};

}
