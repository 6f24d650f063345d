#pragma once

#include "platform/media/AudioBackend.h"
#include "platform/media/Forward.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace media {

// One sound file played once, the way the sound library plays its named sounds: on a device,
// at a volume, optionally from a point in it. Destroying it stops it.
class Sound {
public:
    // nullptr (logged) when the file is missing or cannot be decoded.
    static std::shared_ptr<Sound> load(const std::filesystem::path& path);
    // A sound known by name alone: the program's own (resource "<name>.aif" in "sounds"),
    // else the desktop's (SystemSounds); nullptr when neither has it.
    static std::shared_ptr<Sound> named(const std::string& name);
    ~Sound();

    const std::filesystem::path& path() const { return m_path; }
    double duration() const;

    void setDevice(std::string device) { m_device = std::move(device); }
    const std::string& device() const { return m_device; }
    // Takes effect at once on a playing sound.
    void setVolume(float volume);
    float volume() const { return m_volume; }
    // Where the next play() starts, in seconds.
    void setCurrentTime(double seconds) { m_startSeconds = seconds; }

    // False when it is already playing or no output could take it.
    bool play();
    void stop();
    bool isPlaying() const;

    // On the main thread when it has played to its end (true) or was stopped (false).
    std::function<void(bool completed)> on_finished;

private:
    Sound(std::filesystem::path path, std::shared_ptr<const SoundData> data);

    std::filesystem::path m_path;
    std::shared_ptr<const SoundData> m_data;
    std::weak_ptr<Sound> m_self;
    std::string m_device { kSystemDefaultDevice };
    float m_volume { 1 };
    double m_startSeconds { 0 };
    // The output the voice plays on, which may have been replaced since.
    std::weak_ptr<AudioOutput> m_output;
    VoiceId m_voice { 0 };
};

}
