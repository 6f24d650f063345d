#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/TrayIcon.h"

#include <functional>
#include <memory>
#include <optional>

namespace ui {

class Menu;
class StatusItem;
class Window;

// The status item's face: a template image left of a title drawn with monospaced digits.
// It reports on the press itself, left or right, so the handler can read which it was from
// the application's current event.
class StatusBarButton : public Button {
public:
    static std::shared_ptr<StatusBarButton> create(StatusItem& item);

    void mouseDown(const Event& event) override;
    void mouseUp(const Event&) override { }
    void rightMouseDown(const Event& event) override;
    Size intrinsicContentSize() const override;

protected:
    explicit StatusBarButton(StatusItem& item);
    void drawOwnLook(gfx::GraphicsContext& context) override;
    void contentDidChange() override;

private:
    StatusItem& m_item;
};

// The program's presence beside the desktop's clock. Where no tray shows it, it is a small
// always-on-top strip window at the top right of the main display, sized to its icon and
// title; under the offscreen backend that strip is drawn offscreen like any window.
class StatusItem {
public:
    // Automatic: the tray where a host shows it (never under the offscreen backend), else the strip.
    enum class Presentation { Automatic, Strip, Tray };

    static std::shared_ptr<StatusItem> create(Presentation presentation = Presentation::Automatic);
    ~StatusItem();
    StatusItem(const StatusItem&) = delete;
    StatusItem& operator=(const StatusItem&) = delete;

    StatusBarButton* button() const { return m_button.get(); }
    // Shown on a right click unless onClick handles the clicks itself.
    const std::shared_ptr<Menu>& menu() const { return m_menu; }
    void setMenu(std::shared_ptr<Menu> menu) { m_menu = std::move(menu); }
    // Left and right presses; without it a press pops up the menu.
    std::function<void()> onClick;

    // Pops a menu up under the item, tracked until it closes.
    void popUpStatusItemMenu(const std::shared_ptr<Menu>& menu);
    bool isInTray() const { return static_cast<bool>(m_tray); }
    // The strip window, where the item shows as one; nullptr in a tray.
    Window* stripWindow() const { return m_strip.get(); }
    void setVisible(bool visible);
    bool isVisible() const { return m_visible; }

private:
    friend class StatusBarButton;
    explicit StatusItem(Presentation presentation);
    void pressed();
    void trayPressed(bool right, Point hostPoint);
    // Sizes and places the strip to the button's content.
    void fit();

    std::shared_ptr<StatusBarButton> m_button;
    std::shared_ptr<Menu> m_menu;
    std::shared_ptr<Window> m_strip;
    std::unique_ptr<TrayIcon> m_tray;
    // Where the tray was last clicked, in screen coordinates.
    Point m_trayPoint;
    // The strip's size when it was last placed on a known screen.
    std::optional<Size> m_fittedSize;
    // The strip's top edge, once placed on a known screen.
    std::optional<double> m_top;
    bool m_visible { true };
};

}
