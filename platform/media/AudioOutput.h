#pragma once

#include "platform/base/Timer.h"
#include "platform/media/AudioBackend.h"
#include "platform/media/Forward.h"
#include "platform/media/Mixer.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace media {

struct PlayOptions {
    // A device identifier from outputDevices(); one that is gone plays on the default.
    std::string device { kSystemDefaultDevice };
    float volume { 1 };
    bool loop { false };
    double startSeconds { 0 };
    // What the recording sink and the diagnostic log call this voice (usually the file).
    std::string label {};
};

// The program's one audio output: a mixer per open device, fed to the backend. Sounds,
// loops and speech all play through it at once. Finished callbacks reach the main thread
// through the poster it was given.
class AudioOutput : public std::enable_shared_from_this<AudioOutput> {
public:
    using FinishedHandler = std::function<void(bool completed)>;

    static std::shared_ptr<AudioOutput> create(Poster poster, std::shared_ptr<AudioBackend> backend);

    // The output Sound, LoopPlayer and Speech play through. Start-up installs it; before
    // that, an output that plays into nothing stands in (and says so once).
    static void install(std::shared_ptr<AudioOutput> output);
    // Installs the program's output: the sound card through SDL, callbacks on the main queue.
    static std::shared_ptr<AudioOutput> startProgramOutput();
    static std::shared_ptr<AudioOutput> current();

    ~AudioOutput();

    // The system default entry first, then the devices present now.
    std::vector<AudioDevice> outputDevices();

    // Plays decoded sound (at any rate); 0 when there is nothing to play.
    VoiceId play(const std::shared_ptr<const SoundData>& sound, const PlayOptions& options, FinishedHandler onFinished);
    // Plays frames as a producer writes them; they must be at sampleRate(options.device).
    VoiceId play(const std::shared_ptr<SampleStream>& stream, const PlayOptions& options, FinishedHandler onFinished);

    void stop(VoiceId voice, double fadeSeconds = 0);
    void setVolume(VoiceId voice, float volume);
    bool isPlaying(VoiceId voice) const;
    std::optional<double> position(VoiceId voice) const;
    // The device the voice really plays on, after any fall-back.
    std::string deviceOf(VoiceId voice) const;

    // The rate of the device a voice asked to play on would get; opens it if need be.
    int sampleRate(const std::string& device);

private:
    struct Output {
        std::unique_ptr<Mixer> mixer;
        std::unique_ptr<AudioStream> stream;
    };
    struct Playing {
        std::string device;
        std::string label;
        float volume { 1 };
        FinishedHandler onFinished;
        // A voice fading out after stop() is stopped already; a second stop() says nothing.
        bool stopped { false };
    };

    AudioOutput(Poster poster, std::shared_ptr<AudioBackend> backend);

    // The device to use for `requested`, opened: the default when it is gone or fails.
    std::pair<std::string, Mixer*> resolve(const std::string& requested);
    Mixer* open(const std::string& identifier);
    Mixer* mixerOf(VoiceId voice) const;
    VoiceId start(VoiceSource source, const PlayOptions& options, FinishedHandler onFinished);
    void finished(VoiceId voice, bool completed);
    // Closes the devices nothing plays on: an open device's thread wakes a hundred times a
    // second, even when it only plays silence.
    void closeSilentDevices();

    Poster m_poster;
    std::shared_ptr<AudioBackend> m_backend;
    std::map<std::string, Output> m_outputs;
    std::map<VoiceId, Playing> m_playing;
    VoiceId m_nextVoice { 1 };
    std::shared_ptr<base::Timer> m_closeSilentDevices;
};

}
