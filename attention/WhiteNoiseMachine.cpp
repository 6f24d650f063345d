#include "attention/WhiteNoiseMachine.h"

#include "attention/SoundManager.h"
#include "core/KVOResponder.h"
#include "core/ZrLog.h"

#include "platform/base/Defaults.h"
#include "platform/base/Timer.h"
#include "platform/ui/Button.h"
#include "platform/ui/Menu.h"

#include <algorithm>

namespace ostrel {

namespace {

std::shared_ptr<WhiteNoiseMachine>& installed()
{
    static std::shared_ptr<WhiteNoiseMachine> machine;
    return machine;
}

}

WhiteNoiseMachine& WhiteNoiseMachine::continuousSoundMachine()
{
    if (!installed())
        installed() = create(base::Defaults::standard());
    return *installed();
}

void WhiteNoiseMachine::setContinuousSoundMachine(std::shared_ptr<WhiteNoiseMachine> machine)
{
    installed() = std::move(machine);
}

std::shared_ptr<WhiteNoiseMachine> WhiteNoiseMachine::create(std::shared_ptr<base::Defaults> store)
{
    std::shared_ptr<WhiteNoiseMachine> machine(new WhiteNoiseMachine(std::move(store)));
    machine->awakeFromNib();
    return machine;
}

WhiteNoiseMachine::WhiteNoiseMachine(std::shared_ptr<base::Defaults> store)
    : m_store(std::move(store))
{
}

WhiteNoiseMachine::~WhiteNoiseMachine()
{
    m_observers.clear();
    if (m_sampleTimer)
        m_sampleTimer->invalidate();
}

void WhiteNoiseMachine::awakeFromNib()
{
    for (const char* key : { "mute", soundOnKey(), soundKey(), volumeKey(), "soundOutputDevice" }) {
        m_observers.push_back(KVOResponder::create(key, m_store, false,
            [this](base::Defaults&, const std::string&) { adjustToNewSettings(); }));
    }
}

void WhiteNoiseMachine::playSubjectToSettings()
{
    m_isPlayingSubjectToSettings = true;
    adjustToNewSettings();
}

void WhiteNoiseMachine::stopPlaying()
{
    m_isPlayingSubjectToSettings = false;
    adjustToNewSettings();
}

void WhiteNoiseMachine::block()
{
    m_isTemporarilyBlockedByDialog = true;
    adjustToNewSettings();
}

void WhiteNoiseMachine::unblock()
{
    m_isTemporarilyBlockedByDialog = false;
    adjustToNewSettings();
}

bool WhiteNoiseMachine::isSwitchedOn() const
{
    return m_store->boolean(soundOnKey());
}

bool WhiteNoiseMachine::allSoundsAreMuted() const
{
    return m_store->boolean("mute");
}

float WhiteNoiseMachine::volume() const
{
    return float(std::clamp(m_store->real(volumeKey()), 0.0, 1.0));
}

void WhiteNoiseMachine::adjustToNewSettings()
{
    zr_log("adjust to new settings");
    m_audioPlayer.setVolume(volume());
    bool shouldPlay = (m_isPlayingSubjectToSettings && isSwitchedOn() && !allSoundsAreMuted()
                          && !m_isTemporarilyBlockedByDialog)
        || m_samplePlayTimeLeft > 0;

    auto& library = SoundManager::sharedManager();
    auto name = m_store->string(soundKey()).value_or("");
    auto path = library.getFilePathFromPrivateName(name);
    if (!path && name != defaultSoundPrivateName) {
        // Writing the setting comes straight back here through the observation; that inner
        // adjustment does the work, and this one then finds everything in place.
        m_store->set(soundKey(), std::string(defaultSoundPrivateName));
        name = defaultSoundPrivateName;
        path = library.getFilePathFromPrivateName(name);
    }

    if (!shouldPlay || !path) {
        if (m_audioPlayer.isPlaying())
            m_audioPlayer.stop();
        return;
    }
    auto device = library.getCurrentSoundOutputDeviceIdentifier();
    if (m_audioPlayer.isPlaying() && m_privateName == name && m_currentSoundOutputDeviceUID == device)
        return;
    m_privateName = name;
    m_currentSoundOutputDeviceUID = device;
    m_audioPlayer.play(path->string(), device);
}

void WhiteNoiseMachine::playSample()
{
    if (m_sampleTimer) {
        m_sampleTimer->invalidate();
        m_sampleTimer.reset();
    }
    m_samplePlayTimeLeft = 6;
    decrementSampleTimeAndAdjust();
}

void WhiteNoiseMachine::decrementSampleTimeAndAdjust()
{
    zr_log("decrementSampleTimeAndAdjust: %d", m_samplePlayTimeLeft);
    if (m_samplePlayTimeLeft > 0)
        --m_samplePlayTimeLeft;
    if (m_samplePlayTimeLeft > 0) {
        m_sampleTimer = base::Timer::create(1.0, false, base::RunLoop::Mode::Default,
            [this](base::Timer&) { decrementSampleTimeAndAdjust(); });
        m_sampleTimer->setTolerance(0.5);
    } else {
        m_sampleTimer.reset();
    }
    adjustToNewSettings();
}

std::shared_ptr<StandAloneNoiseMachine> StandAloneNoiseMachine::create(std::shared_ptr<base::Defaults> store,
    std::shared_ptr<ui::Menu> soundsMenu, std::shared_ptr<ui::Menu> secondSoundsMenu)
{
    std::shared_ptr<StandAloneNoiseMachine> machine(new StandAloneNoiseMachine(std::move(store)));
    machine->m_isPlayingSubjectToSettings = true;
    machine->m_soundsMenu = std::move(soundsMenu);
    machine->m_secondSoundsMenu = std::move(secondSoundsMenu);
    machine->awakeFromNib();
    for (auto* menu : { machine->m_soundsMenu.get(), machine->m_secondSoundsMenu.get() }) {
        if (menu)
            menu->removeAllItems();
    }
    auto& names = SoundManager::sharedManager().continuousSoundsPrivateNames();
    auto current = machine->store().string(machine->soundKey());
    if (!current || std::find(names.begin(), names.end(), *current) == names.end())
        machine->store().set(machine->soundKey(), std::string(defaultSoundPrivateName));
    machine->fillMenus();
    machine->store().set(machine->soundOnKey(), false);
    return machine;
}

void StandAloneNoiseMachine::fillMenus()
{
    // The menus belong to the windows and may outlive the machine.
    std::weak_ptr<StandAloneNoiseMachine> weak = weak_from_this();
    for (auto* menu : { m_soundsMenu.get(), m_secondSoundsMenu.get() }) {
        if (!menu)
            continue;
        for (auto& label : SoundManager::sharedManager().continuousSoundsLabels()) {
            menu->addItem(label, [weak](ui::MenuItem& item) {
                if (auto self = weak.lock())
                    self->changeSound(item);
            });
        }
    }
    checkItemsTitled(currentSoundLabel());
}

void StandAloneNoiseMachine::checkItemsTitled(const std::string& title)
{
    for (auto* menu : { m_soundsMenu.get(), m_secondSoundsMenu.get() }) {
        if (!menu)
            continue;
        for (auto& item : menu->items())
            item->setState(item->title() == title ? ui::ControlStateValue::On : ui::ControlStateValue::Off);
    }
}

std::string StandAloneNoiseMachine::currentSoundLabel() const
{
    auto& library = SoundManager::sharedManager();
    auto& names = library.continuousSoundsPrivateNames();
    auto current = store().string(soundKey()).value_or("");
    auto found = std::find(names.begin(), names.end(), current);
    if (found == names.end())
        return {};
    return library.continuousSoundsLabels()[std::size_t(found - names.begin())];
}

void StandAloneNoiseMachine::changeSound(const ui::MenuItem& sender)
{
    auto& library = SoundManager::sharedManager();
    auto& labels = library.continuousSoundsLabels();
    auto found = std::find(labels.begin(), labels.end(), sender.title());
    if (found == labels.end())
        return;
    checkItemsTitled(sender.title());
    store().set(soundKey(), library.continuousSoundsPrivateNames()[std::size_t(found - labels.begin())]);
    playSample();
}

void StandAloneNoiseMachine::nextSound()
{
    step(1);
}

void StandAloneNoiseMachine::previousSound()
{
    step(-1);
}

void StandAloneNoiseMachine::step(int direction)
{
    auto& library = SoundManager::sharedManager();
    auto& names = library.continuousSoundsPrivateNames();
    if (names.empty())
        return;
    auto current = store().string(soundKey()).value_or("");
    auto found = std::find(names.begin(), names.end(), current);
    std::ptrdiff_t count = std::ptrdiff_t(names.size());
    std::ptrdiff_t index = found == names.end() ? 0 : (found - names.begin() + direction + count) % count;
    checkItemsTitled(library.continuousSoundsLabels()[std::size_t(index)]);
    store().set(soundKey(), names[std::size_t(index)]);
    store().synchronize();
}

}
