#pragma once

#include "platform/media/AudioBackend.h"
#include "platform/media/Forward.h"

#include <filesystem>
#include <memory>
#include <string>

namespace media {

// A sound file looped without end on one device: the continuous background sound.
class LoopPlayer {
public:
    static std::shared_ptr<LoopPlayer> create() { return std::shared_ptr<LoopPlayer>(new LoopPlayer); }
    ~LoopPlayer();

    // Stops what plays and starts the file from its beginning. False (logged) when the file
    // cannot be played; nothing plays then.
    bool play(const std::filesystem::path& path, const std::string& device);
    // Fades out over `fadeSeconds` (0: at once, without a click).
    void stop(double fadeSeconds = 0);
    // Stored, and applied to a playing loop without restarting it.
    void setVolume(float volume);
    float volume() const { return m_volume; }
    // Moves a playing loop to another device, going on from where it was.
    void setDevice(const std::string& device);
    bool isPlaying() const;

private:
    LoopPlayer() = default;

    std::shared_ptr<const SoundData> m_data;
    std::string m_device { kSystemDefaultDevice };
    float m_volume { 1 };
    std::weak_ptr<AudioOutput> m_output;
    VoiceId m_voice { 0 };
};

}
