#pragma once

#include <functional>
#include <memory>
#include <string>

namespace base {
class Defaults;
}
namespace ui {
class Menu;
class MenuItem;
}

namespace ostrel {

// Fills the preferences window's output-device menu from the sound library's device list
// and stores the device the user picks in "soundOutputDevice".
class OutputDeviceManager : public std::enable_shared_from_this<OutputDeviceManager> {
public:
    static std::shared_ptr<OutputDeviceManager> create(std::shared_ptr<base::Defaults> store,
        std::shared_ptr<ui::Menu> outputDeviceMenu);

    // One item per device, the current one checked; any earlier items go.
    void awakeFromNib();
    // Each item's action: stores the device of the item's title and plays the start sound on it.
    void changeDevice(ui::MenuItem& sender);

    const std::shared_ptr<ui::Menu>& outputDeviceMenu() const { return m_outputDeviceMenu; }

    // The preferences window's controller plays the start sound with the new settings; the
    // shell fills this in, as it owns that window.
    std::function<void()> playStartSoundWithNewSettings;

private:
    OutputDeviceManager(std::shared_ptr<base::Defaults> store, std::shared_ptr<ui::Menu> outputDeviceMenu);
    void checkItemsTitled(const std::string& title);

    std::shared_ptr<base::Defaults> m_store;
    std::shared_ptr<ui::Menu> m_outputDeviceMenu;
};

}
