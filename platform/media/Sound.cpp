#include "platform/media/Sound.h"

#include "platform/base/Resources.h"
#include "platform/media/AudioOutput.h"
#include "platform/media/SoundData.h"
#include "platform/media/SoundFile.h"
#include "platform/media/SystemSounds.h"

namespace media {

std::shared_ptr<Sound> Sound::load(const std::filesystem::path& path)
{
    auto data = SoundFile::decode(path);
    if (!data)
        return nullptr;
    auto sound = std::shared_ptr<Sound>(new Sound(path, std::move(data)));
    sound->m_self = sound;
    return sound;
}

std::shared_ptr<Sound> Sound::named(const std::string& name)
{
    if (name.empty() || name.find('/') != std::string::npos)
        return nullptr;
    if (auto own = base::Resources::path(name, "aif", "sounds"))
        return load(*own);
    if (auto system = SystemSounds::find(name))
        return load(*system);
    return nullptr;
}

Sound::Sound(std::filesystem::path path, std::shared_ptr<const SoundData> data)
    : m_path(std::move(path))
    , m_data(std::move(data))
{
}

Sound::~Sound()
{
    stop();
}

double Sound::duration() const
{
    return m_data->duration();
}

void Sound::setVolume(float volume)
{
    m_volume = volume;
    if (auto output = m_output.lock(); output && m_voice != 0)
        output->setVolume(m_voice, volume);
}

bool Sound::play()
{
    if (isPlaying())
        return false;
    PlayOptions options { .device = m_device, .volume = m_volume, .startSeconds = m_startSeconds, .label = m_path.string() };
    auto output = AudioOutput::current();
    m_output = output;
    m_voice = output->play(m_data, options, [weak = m_self](bool completed) {
        auto self = weak.lock();
        if (!self)
            return;
        self->m_voice = 0;
        if (self->on_finished)
            self->on_finished(completed);
    });
    return m_voice != 0;
}

void Sound::stop()
{
    if (auto output = m_output.lock(); output && m_voice != 0)
        output->stop(m_voice);
}

bool Sound::isPlaying() const
{
    auto output = m_output.lock();
    return output && m_voice != 0 && output->isPlaying(m_voice);
}

}
