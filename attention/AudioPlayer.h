#pragma once

#include <memory>
#include <string>

namespace media {
class LoopPlayer;
}

namespace ostrel {

// The looping file player of the continuous sounds.
class AudioPlayer {
public:
    AudioPlayer();
    ~AudioPlayer();

    // Starts the file from its beginning, looping without end; a file that cannot be
    // played leaves nothing playing.
    void play(const std::string& filePath, const std::string& device);
    void stop();
    void setVolume(float volume);
    void setDevice(const std::string& device);
    bool isPlaying() const;
    float volume() const { return m_volume; }

private:
    std::shared_ptr<media::LoopPlayer> m_player;
    float m_volume { 1 };
};

}
