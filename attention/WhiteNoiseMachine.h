#pragma once

#include "attention/AudioPlayer.h"

#include <memory>
#include <string>
#include <vector>

namespace base {
class Defaults;
class Timer;
}
namespace ui {
class Menu;
class MenuItem;
}

namespace ostrel {

class KVOResponder;

// The continuous background sound of a running slice. The owner asks it to play subject to
// the settings; it then plays exactly while they allow, following every change of sound,
// volume, output device or mute at once.
class WhiteNoiseMachine {
public:
    static WhiteNoiseMachine& continuousSoundMachine();
    static void setContinuousSoundMachine(std::shared_ptr<WhiteNoiseMachine> machine);
    static std::shared_ptr<WhiteNoiseMachine> create(std::shared_ptr<base::Defaults> store);
    virtual ~WhiteNoiseMachine();

    void playSubjectToSettings();
    void stopPlaying();
    // A dialog silences the machine while it is open.
    void block();
    void unblock();
    // About five seconds of the chosen sound, even while muted.
    void playSample();

    bool isSwitchedOn() const;
    bool allSoundsAreMuted() const;
    float volume() const;
    void adjustToNewSettings();

    bool isPlaying() const { return m_audioPlayer.isPlaying(); }
    const std::string& privateName() const { return m_privateName; }

    virtual const char* soundOnKey() const { return "continuousSoundOn"; }
    virtual const char* soundKey() const { return "continuousSound"; }
    virtual const char* volumeKey() const { return "continuousSoundVolume"; }
    static constexpr const char* defaultSoundPrivateName = "pink_noise";

protected:
    explicit WhiteNoiseMachine(std::shared_ptr<base::Defaults> store);
    // Observes the settings the machine follows.
    void awakeFromNib();
    base::Defaults& store() const { return *m_store; }

    bool m_isPlayingSubjectToSettings { false };

private:
    void decrementSampleTimeAndAdjust();

    std::shared_ptr<base::Defaults> m_store;
    bool m_isTemporarilyBlockedByDialog { false };
    AudioPlayer m_audioPlayer;
    std::string m_privateName;
    std::string m_currentSoundOutputDeviceUID;
    std::shared_ptr<base::Timer> m_sampleTimer;
    int m_samplePlayTimeLeft { 0 };
    std::vector<std::shared_ptr<KVOResponder>> m_observers;
};

// A second machine for a background sound independent of the timer, switched by
// "standaloneSoundOn", with two menus that list the continuous sounds and check the current one.
class StandAloneNoiseMachine final : public WhiteNoiseMachine,
                                     public std::enable_shared_from_this<StandAloneNoiseMachine> {
public:
    // Fills the menus (the second is optional) and starts silent at every launch.
    static std::shared_ptr<StandAloneNoiseMachine> create(std::shared_ptr<base::Defaults> store,
        std::shared_ptr<ui::Menu> soundsMenu = nullptr, std::shared_ptr<ui::Menu> secondSoundsMenu = nullptr);

    const char* soundOnKey() const override { return "standaloneSoundOn"; }
    const char* soundKey() const override { return "standaloneSound"; }
    const char* volumeKey() const override { return "standaloneVolume"; }

    // Each menu item's action: the continuous sound of the item's title, previewed.
    void changeSound(const ui::MenuItem& sender);
    // The next or previous continuous sound, wrapping around.
    void nextSound();
    void previousSound();
    // The menu title to check.
    std::string currentSoundLabel() const;

    const std::shared_ptr<ui::Menu>& soundsMenu() const { return m_soundsMenu; }
    const std::shared_ptr<ui::Menu>& secondSoundsMenu() const { return m_secondSoundsMenu; }

private:
    using WhiteNoiseMachine::WhiteNoiseMachine;
    void fillMenus();
    void checkItemsTitled(const std::string& title);
    void step(int direction);

    std::shared_ptr<ui::Menu> m_soundsMenu;
    std::shared_ptr<ui::Menu> m_secondSoundsMenu;
};

}
