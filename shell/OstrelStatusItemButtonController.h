#pragma once

#include "platform/ui/Geometry.h"

#include <memory>
#include <optional>

namespace base {
class Timer;
}
namespace ui {
class StatusItem;
}

namespace ostrel {

class KVOResponder;

// What a click on the status item does: a left click shows the main window at the item (or
// hides the program when it is in front already), a right click or one with Super held
// pops up the status menu. Clicks are handled on a later turn of the main loop, in the
// default mode, never inside the item's own event handling. It also gives the item its icon
// again whenever "menubarIconChoice" changes.
class OstrelStatusItemButtonController : public std::enable_shared_from_this<OstrelStatusItemButtonController> {
public:
    static std::shared_ptr<OstrelStatusItemButtonController> create();

    // The item's icon, left of its title, from the current icon choice.
    static void applyMenuBarIcon(ui::StatusItem& item);

    // The status item's click: reads the application's current event for which it was.
    void clickStatusItem();
    // `mouse` is where the click was, in screen coordinates.
    void leftButtonDown(ui::Point mouse);
    void rightButtonDown();

    // The last place handed to the main window as where to stand.
    ui::Point temporaryHint() const { return m_temporaryHint; }

private:
    OstrelStatusItemButtonController() = default;
    // The status item's button in screen coordinates: the strip, or the tray's click point.
    static std::optional<ui::Rect> buttonRectOnScreen(ui::Point mouse);

    ui::Point m_temporaryHint;
    std::shared_ptr<KVOResponder> m_iconObserver;
    std::shared_ptr<base::Timer> m_pendingClick;
};

}
