#include "platform/media/LoopPlayer.h"

#include "platform/media/AudioOutput.h"
#include "platform/media/SoundData.h"
#include "platform/media/SoundFile.h"

namespace media {

LoopPlayer::~LoopPlayer()
{
    stop();
}

bool LoopPlayer::play(const std::filesystem::path& path, const std::string& device)
{
    stop();
    m_data = SoundFile::decode(path);
    m_device = device;
    if (!m_data)
        return false;
    PlayOptions options { .device = device, .volume = m_volume, .loop = true, .label = path.string() };
    auto output = AudioOutput::current();
    m_output = output;
    m_voice = output->play(m_data, options, nullptr);
    return m_voice != 0;
}

void LoopPlayer::stop(double fadeSeconds)
{
    if (auto output = m_output.lock(); output && m_voice != 0)
        output->stop(m_voice, fadeSeconds);
    m_voice = 0;
}

void LoopPlayer::setVolume(float volume)
{
    m_volume = volume;
    if (auto output = m_output.lock(); output && m_voice != 0)
        output->setVolume(m_voice, volume);
}

void LoopPlayer::setDevice(const std::string& device)
{
    if (device == m_device)
        return;
    m_device = device;
    if (!isPlaying())
        return;
    auto output = m_output.lock();
    double position = output->position(m_voice).value_or(0);
    output->stop(m_voice);
    PlayOptions options {
        .device = device, .volume = m_volume, .loop = true, .startSeconds = position, .label = m_data->source.string()
    };
    m_voice = output->play(m_data, options, nullptr);
}

bool LoopPlayer::isPlaying() const
{
    auto output = m_output.lock();
    return output && m_voice != 0 && output->isPlaying(m_voice);
}

}
