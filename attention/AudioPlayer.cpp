#include "attention/AudioPlayer.h"

#include "platform/media/LoopPlayer.h"

namespace ostrel {

AudioPlayer::AudioPlayer() = default;

AudioPlayer::~AudioPlayer()
{
    stop();
}

void AudioPlayer::play(const std::string& filePath, const std::string& device)
{
    stop();
    auto player = media::LoopPlayer::create();
    player->setVolume(m_volume);
    m_player = player->play(filePath, device) ? std::move(player) : nullptr;
}

void AudioPlayer::stop()
{
    if (m_player)
        m_player->stop();
}

void AudioPlayer::setVolume(float volume)
{
    m_volume = volume;
    if (m_player)
        m_player->setVolume(volume);
}

void AudioPlayer::setDevice(const std::string& device)
{
    if (m_player)
        m_player->setDevice(device);
}

bool AudioPlayer::isPlaying() const
{
    return m_player && m_player->isPlaying();
}

}
