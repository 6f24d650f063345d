#include "attention/SoundManager.h"

#include "attention/SpeechManager.h"
#include "core/DynamicConfiguration.h"
#include "core/KVOResponder.h"
#include "core/ZrLog.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/media/AudioOutput.h"
#include "platform/media/Sound.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

namespace {

std::shared_ptr<SoundManager>& installed()
{
    static std::shared_ptr<SoundManager> manager;
    return manager;
}

float clampedVolume(float volume)
{
    return std::isfinite(volume) ? std::clamp(volume, 0.0f, 1.0f) : 1.0f;
}

}

SoundManager& SoundManager::sharedManager()
{
    if (!installed())
        installed() = create(base::Defaults::standard());
    return *installed();
}

void SoundManager::setSharedManager(std::shared_ptr<SoundManager> manager)
{
    installed() = std::move(manager);
}

std::shared_ptr<SoundManager> SoundManager::create(std::shared_ptr<base::Defaults> store)
{
    std::shared_ptr<SoundManager> manager(new SoundManager(std::move(store)));
    manager->load();
    return manager;
}

SoundManager::SoundManager(std::shared_ptr<base::Defaults> store)
    : m_store(std::move(store))
{
}

SoundManager::~SoundManager() = default;

void SoundManager::load()
{
    // Which loaders: a configuration of the installation, which names what it ships.
    registerSoundLoaderClasses();
    m_soundLibraryLoader = DynamicConfiguration::newObjectForKey<SoundLibraryLoader>("SoundLibraryLoader", "SoundManager");
    m_continuousSoundsLoader
        = DynamicConfiguration::newObjectForKey<SoundCollectionLoader>("ContinuousSoundsLoader", "SoundManager");

    for (auto& entry : m_soundLibraryLoader->loadSoundLibraryArray()) {
        // The first row of a name wins, as a lookup by name would find it.
        if (m_labels.contains(entry.privateName))
            continue;
        m_privateNames.push_back(entry.privateName);
        m_labels[entry.privateName] = entry.label;
        m_soundLibrary.push_back(std::move(entry));
    }
    m_reminderSoundsPrivateNames = soundResourceNameList("ReminderSoundPrivateNames");
    m_reminderSoundsLabels = labelsOf(m_reminderSoundsPrivateNames);
    m_endSoundsPrivateNames = soundResourceNameList("EndSoundPrivateNames");
    m_endSoundsLabels = labelsOf(m_endSoundsPrivateNames);
    m_continuousSoundsPrivateNames = m_continuousSoundsLoader->loadPrivateNamesArray();
    m_continuousSoundsLabels = labelsOf(m_continuousSoundsPrivateNames);

    rebuildDeviceList();

    m_muteObserver = KVOResponder::create("mute", m_store, false, [this](base::Defaults& store, const std::string&) {
        if (!store.boolean("mute"))
            return;
        stopAllCurrentSounds();
        SpeechManager::sharedManager().cutOffInMidSentence();
    });
}

std::vector<std::string> SoundManager::labelsOf(const std::vector<std::string>& privateNames) const
{
    std::vector<std::string> labels;
    for (auto& name : privateNames) {
        auto found = m_labels.find(name);
        if (found == m_labels.end())
            base::diagnostic("Sound list names " + name + ", which the sound library does not have");
        // A title for every name keeps the menus in step with the name lists.
        labels.push_back(found != m_labels.end() ? found->second : name);
    }
    return labels;
}

const SoundLibraryEntry* SoundManager::entry(const std::string& privateName) const
{
    auto found = std::find(m_privateNames.begin(), m_privateNames.end(), privateName);
    if (found == m_privateNames.end())
        return nullptr;
    return &m_soundLibrary[std::size_t(found - m_privateNames.begin())];
}

std::optional<std::filesystem::path> SoundManager::getFilePathFromPrivateName(const std::string& privateName) const
{
    zr_log("Get file path for sound with private name: %s", privateName.c_str());
    const auto* found = entry(privateName);
    if (!found || found->filePath.empty()) {
        zr_log("sound with private name: %s cannot be found!", privateName.c_str());
        return std::nullopt;
    }
    zr_log("filePath: %s", found->filePath.c_str());
    return found->filePath;
}

std::shared_ptr<media::Sound> SoundManager::getSoundWithPrivateName(const std::string& privateName)
{
    zr_log("Get Sound with private name: %s", privateName.c_str());
    const auto* found = entry(privateName);
    if (!found) {
        base::diagnostic("could not find sound " + privateName + " in sound library");
        return nullptr;
    }
    zr_log("fileName: %s", found->fileName.c_str());
    // Decoded once and cached by file; a missing or damaged file is logged where it is read.
    return media::Sound::load(found->filePath);
}

void SoundManager::playSoundWithPrivateName(const std::string& privateName, float volume)
{
    zr_log("Play Sound with private name: %s at volume %d", privateName.c_str(), int(std::lround(volume * 100)));
    if (allSoundsAreMuted())
        return;
    play(privateName, volume, false);
}

void SoundManager::playSampleWithPrivateName(const std::string& privateName, float volume)
{
    zr_log("Play Sample sound with private name: %s at volume %d", privateName.c_str(), int(std::lround(volume * 100)));
    play(privateName, volume, true);
}

void SoundManager::play(const std::string& privateName, float volume, bool sample)
{
    auto sound = getSoundWithPrivateName(privateName);
    if (!sound) {
        base::diagnostic("Sound " + privateName + " cannot be played");
        return;
    }
    stopAllCurrentSounds();
    sound->setDevice(getCurrentSoundOutputDeviceIdentifier());
    sound->setVolume(clampedVolume(volume));
    if (sample && sound->duration() > 1.0)
        sound->setCurrentTime(sound->duration() - 1.0);
    sound->play();
    m_currentlyPlayingSounds.push_back(std::move(sound));
}

void SoundManager::stopAllCurrentSounds()
{
    for (auto& sound : m_currentlyPlayingSounds) {
        if (sound->isPlaying())
            sound->stop();
    }
    m_currentlyPlayingSounds.clear();
}

void SoundManager::checkSounds()
{
    std::erase_if(m_currentlyPlayingSounds, [](const auto& sound) { return !sound->isPlaying(); });
}

bool SoundManager::allSoundsAreMuted() const
{
    return m_store->boolean("mute");
}

void SoundManager::setAllSoundsAreMuted(bool muted)
{
    m_store->set("mute", muted);
    m_store->synchronize();
}

void SoundManager::rebuildDeviceList()
{
    m_audioDeviceNameList.clear();
    m_audioDeviceUIDList.clear();
    m_audioDeviceNameList.push_back(kDefaultOutputDeviceName);
    m_audioDeviceUIDList.push_back(kDefaultOutputDeviceUID);
    for (auto& device : media::AudioOutput::current()->outputDevices()) {
        if (device.identifier == kDefaultOutputDeviceUID)
            continue;
        zr_log("audio device: %s", device.name.c_str());
        m_audioDeviceNameList.push_back(device.name);
        m_audioDeviceUIDList.push_back(device.identifier);
    }
}

const std::vector<std::string>& SoundManager::audioDevices()
{
    if (m_audioDeviceNameList.empty())
        rebuildDeviceList();
    return m_audioDeviceNameList;
}

std::optional<std::string> SoundManager::audioDeviceNameWithIndex(int32_t index) const
{
    if (index < 0 || std::size_t(index) >= m_audioDeviceNameList.size())
        return std::nullopt;
    return m_audioDeviceNameList[std::size_t(index)];
}

std::optional<std::string> SoundManager::audioDeviceUIDWithIndex(int32_t index) const
{
    if (index < 0 || std::size_t(index) >= m_audioDeviceUIDList.size())
        return std::nullopt;
    return m_audioDeviceUIDList[std::size_t(index)];
}

std::optional<std::size_t> SoundManager::indexOfDeviceWithUID(const std::string& uid) const
{
    auto found = std::find(m_audioDeviceUIDList.begin(), m_audioDeviceUIDList.end(), uid);
    if (found == m_audioDeviceUIDList.end())
        return std::nullopt;
    return std::size_t(found - m_audioDeviceUIDList.begin());
}

std::optional<std::size_t> SoundManager::indexOfDeviceWithName(const std::string& name) const
{
    auto found = std::find(m_audioDeviceNameList.begin(), m_audioDeviceNameList.end(), name);
    if (found == m_audioDeviceNameList.end())
        return std::nullopt;
    return std::size_t(found - m_audioDeviceNameList.begin());
}

std::string SoundManager::getCurrentSoundOutputDeviceIdentifier()
{
    auto chosen = m_store->string("soundOutputDevice");
    if (chosen && indexOfDeviceWithUID(*chosen))
        return *chosen;
    m_store->set("soundOutputDevice", std::string(kDefaultOutputDeviceUID));
    m_store->synchronize();
    return kDefaultOutputDeviceUID;
}

}
