#pragma once

#include "platform/ui/MenuItem.h"

#include <functional>
#include <memory>
#include <string>

namespace ostrel {

// A menu item that carries its own work: the action closure run when it is chosen, a
// closure that updates it each time its menu is about to show (the pop-up bricks and the
// status menu run it), and an optional validation closure. Without one it is always enabled.
class SmartMenuItem : public ui::MenuItem {
public:
    static std::shared_ptr<SmartMenuItem> create(std::string title, std::function<void()> action,
        std::function<void(ui::MenuItem&)> updateAction = {});
    // An item whose action does nothing, with a key equivalent.
    static std::shared_ptr<SmartMenuItem> create(std::string title, std::string keyEquivalent);

    std::function<void()> actionFunc { [] { } };
    std::function<void(ui::MenuItem&)> updateBeforeDisplayFunc;
    std::function<bool(ui::MenuItem&)> traditionalValidateFunc;

    void buttonPressed();
    // Runs the before-display closure on this item, if there is one.
    void updateBeforeDisplay();
    bool validateMenuItem(ui::MenuItem& item) const;

protected:
    SmartMenuItem();
};

}
