#include "attention/SpeechManager.h"

#include "attention/SoundManager.h"
#include "core/ZrLog.h"

#include "platform/base/Defaults.h"
#include "platform/media/Speech.h"

#include <algorithm>

namespace ostrel {

namespace {

std::shared_ptr<SpeechManager>& installed()
{
    static std::shared_ptr<SpeechManager> manager;
    return manager;
}

}

SpeechManager& SpeechManager::sharedManager()
{
    if (!installed())
        installed() = create(base::Defaults::standard());
    return *installed();
}

void SpeechManager::setSharedManager(std::shared_ptr<SpeechManager> manager)
{
    installed() = std::move(manager);
}

std::shared_ptr<SpeechManager> SpeechManager::create(std::shared_ptr<base::Defaults> store)
{
    return std::shared_ptr<SpeechManager>(new SpeechManager(std::move(store)));
}

void SpeechManager::speakString(const std::string& text)
{
    if (SoundManager::sharedManager().allSoundsAreMuted())
        return;
    double volume = std::clamp(m_store->real("speechReminderVolume"), 0.0, 1.0);

    // The engine behind every synthesizer is one and the same; only voice and volume are new.
    if (m_synth)
        m_synth->stop();
    m_synth = media::Speech::create();
    m_synth->setVolume(float(volume));
    m_synth->setDevice(SoundManager::sharedManager().getCurrentSoundOutputDeviceIdentifier());
    auto voice = media::Speech::voiceForText(text, m_synth->voice());
    if (voice != m_synth->voice())
        m_synth->setVoice(voice);
    m_synth->speak(text);
    zr_log("Speaking: '%s' at volume: %f", text.c_str(), volume);
}

void SpeechManager::cutOffInMidSentence()
{
    if (m_synth && m_synth->isSpeaking())
        m_synth->stop();
}

}
