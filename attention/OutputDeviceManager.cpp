#include "attention/OutputDeviceManager.h"

#include "attention/SoundManager.h"

#include "platform/base/Defaults.h"
#include "platform/ui/Button.h"
#include "platform/ui/Menu.h"

namespace ostrel {

std::shared_ptr<OutputDeviceManager> OutputDeviceManager::create(std::shared_ptr<base::Defaults> store,
    std::shared_ptr<ui::Menu> outputDeviceMenu)
{
    return std::shared_ptr<OutputDeviceManager>(new OutputDeviceManager(std::move(store), std::move(outputDeviceMenu)));
}

OutputDeviceManager::OutputDeviceManager(std::shared_ptr<base::Defaults> store, std::shared_ptr<ui::Menu> outputDeviceMenu)
    : m_store(std::move(store))
    , m_outputDeviceMenu(std::move(outputDeviceMenu))
{
}

void OutputDeviceManager::awakeFromNib()
{
    if (!m_outputDeviceMenu)
        return;
    auto& library = SoundManager::sharedManager();
    auto current = library.getCurrentSoundOutputDeviceIdentifier();
    m_outputDeviceMenu->removeAllItems();
    // The items outlive no one: the menu belongs to the preferences window, which may keep it
    // after this object is gone.
    std::weak_ptr<OutputDeviceManager> weak = weak_from_this();
    for (auto& name : library.audioDevices()) {
        m_outputDeviceMenu->addItem(name, [weak](ui::MenuItem& item) {
            if (auto self = weak.lock())
                self->changeDevice(item);
        });
    }
    auto index = library.indexOfDeviceWithUID(current);
    auto currentName = index ? library.audioDeviceNameWithIndex(int32_t(*index)) : std::nullopt;
    checkItemsTitled(currentName.value_or(""));
}

void OutputDeviceManager::changeDevice(ui::MenuItem& sender)
{
    auto& library = SoundManager::sharedManager();
    auto index = library.indexOfDeviceWithName(sender.title());
    // A menu built before the device list last changed can offer a device that is gone;
    // choosing it changes nothing rather than storing a stranger's identifier.
    auto identifier = index ? library.audioDeviceUIDWithIndex(int32_t(*index)) : std::nullopt;
    if (!identifier)
        return;
    checkItemsTitled(sender.title());
    m_store->set("soundOutputDevice", *identifier);
    if (playStartSoundWithNewSettings)
        playStartSoundWithNewSettings();
}

void OutputDeviceManager::checkItemsTitled(const std::string& title)
{
    if (!m_outputDeviceMenu)
        return;
    for (auto& item : m_outputDeviceMenu->items())
        item->setState(item->title() == title ? ui::ControlStateValue::On : ui::ControlStateValue::Off);
}

}
