#pragma once

#include "attention/SoundLibraryLoader.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace base {
class Defaults;
}
namespace media {
class Sound;
}

namespace ostrel {

class KVOResponder;

// The shared sound library: private names ("clock1") mapped to sound files by the resource
// lists, the lists offered in the menus, playing and previewing on the chosen output
// device, and silence while "mute" is set. Names come from the user's settings, so a name
// the library does not know, or whose file cannot be played, is logged and plays nothing.
class SoundManager {
public:
    static constexpr const char* kDefaultOutputDeviceName = "Use Default from System Sound Preferences";
    static constexpr const char* kDefaultOutputDeviceUID = "useSystemDefault";

    static SoundManager& sharedManager();
    // Tests give each case a library over its own settings store; none restores the
    // program's own, made again on next use.
    static void setSharedManager(std::shared_ptr<SoundManager> manager);
    static std::shared_ptr<SoundManager> create(std::shared_ptr<base::Defaults> store);
    ~SoundManager();

    // Stops the sounds still playing first; continuous sound and speech go on.
    void playSoundWithPrivateName(const std::string& privateName, float volume);
    // The preview: plays even while muted, and only the last second of a longer sound.
    void playSampleWithPrivateName(const std::string& privateName, float volume);
    void stopAllCurrentSounds();
    // Forgets the sounds that have finished.
    void checkSounds();

    std::shared_ptr<media::Sound> getSoundWithPrivateName(const std::string& privateName);
    std::optional<std::filesystem::path> getFilePathFromPrivateName(const std::string& privateName) const;

    const std::vector<SoundLibraryEntry>& soundLibrary() const { return m_soundLibrary; }
    const std::vector<std::string>& privateNames() const { return m_privateNames; }
    const std::vector<std::string>& reminderSoundsPrivateNames() const { return m_reminderSoundsPrivateNames; }
    const std::vector<std::string>& reminderSoundsLabels() const { return m_reminderSoundsLabels; }
    const std::vector<std::string>& endSoundsPrivateNames() const { return m_endSoundsPrivateNames; }
    const std::vector<std::string>& endSoundsLabels() const { return m_endSoundsLabels; }
    const std::vector<std::string>& continuousSoundsPrivateNames() const { return m_continuousSoundsPrivateNames; }
    const std::vector<std::string>& continuousSoundsLabels() const { return m_continuousSoundsLabels; }

    bool allSoundsAreMuted() const;
    void setAllSoundsAreMuted(bool muted);

    // The device names for a pop-up, the system default first; the list is built again
    // when it has been found empty.
    const std::vector<std::string>& audioDevices();
    const std::vector<std::string>& audioDeviceNameList() const { return m_audioDeviceNameList; }
    const std::vector<std::string>& audioDeviceUIDList() const { return m_audioDeviceUIDList; }
    std::optional<std::string> audioDeviceNameWithIndex(int32_t index) const;
    std::optional<std::string> audioDeviceUIDWithIndex(int32_t index) const;
    std::optional<std::size_t> indexOfDeviceWithUID(const std::string& uid) const;
    std::optional<std::size_t> indexOfDeviceWithName(const std::string& name) const;
    std::string defaultOutputDeviceUID() const { return kDefaultOutputDeviceUID; }
    // The chosen device; one that is gone is replaced by the system default in the settings.
    std::string getCurrentSoundOutputDeviceIdentifier();
    void rebuildDeviceList();

private:
    explicit SoundManager(std::shared_ptr<base::Defaults> store);
    void load();
    const SoundLibraryEntry* entry(const std::string& privateName) const;
    std::vector<std::string> labelsOf(const std::vector<std::string>& privateNames) const;
    void play(const std::string& privateName, float volume, bool sample);

    std::shared_ptr<base::Defaults> m_store;
    std::vector<std::shared_ptr<media::Sound>> m_currentlyPlayingSounds;
    std::vector<SoundLibraryEntry> m_soundLibrary;
    std::vector<std::string> m_privateNames;
    std::map<std::string, std::string> m_labels;
    std::vector<std::string> m_audioDeviceNameList;
    std::vector<std::string> m_audioDeviceUIDList;
    std::vector<std::string> m_reminderSoundsPrivateNames;
    std::vector<std::string> m_reminderSoundsLabels;
    std::vector<std::string> m_endSoundsPrivateNames;
    std::vector<std::string> m_endSoundsLabels;
    std::vector<std::string> m_continuousSoundsPrivateNames;
    std::vector<std::string> m_continuousSoundsLabels;
    std::unique_ptr<SoundCollectionLoader> m_continuousSoundsLoader;
    std::unique_ptr<SoundLibraryLoader> m_soundLibraryLoader;
    std::shared_ptr<KVOResponder> m_muteObserver;
};

}
