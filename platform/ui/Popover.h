#pragma once

#include "platform/ui/Geometry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/ui/Window.h"

namespace ui {

class View;
class Window;

// A side of a rectangle, in the coordinates of the view the rectangle belongs to (so MaxY
// is the bottom of a flipped view).
enum class RectEdge { MinX, MinY, MaxX, MaxY };

// A panel of content anchored to a rectangle of a view, on a preferred side (the other side
// when the display has no room there), with an arrow pointing at the rectangle. Unless it is
// transient only the program closes it: clicks elsewhere leave it up. A transient one closes
// at a click in any other window of the program.
class Popover : public std::enable_shared_from_this<Popover> {
public:
    static std::shared_ptr<Popover> create();
    // What the frame and arrow add to the content's height above or below an anchor.
    static double chromeHeight();
    ~Popover();
    Popover(const Popover&) = delete;
    Popover& operator=(const Popover&) = delete;

    std::function<void()> onWillShow;
    std::function<void()> onWillClose;
    std::function<void()> onDidClose;

    View* contentView() const { return m_content.get(); }
    void setContentView(std::shared_ptr<View> view);
    // The content's size; without one, the content view's fitting size.
    Size contentSize() const;
    void setContentSize(Size size) { m_contentSize = size; }

    bool isTransient() const { return m_transient; }
    void setTransient(bool transient) { m_transient = transient; }
    // A near-black panel, as a heads-up display, instead of the menus' grey.
    bool hasDarkLook() const { return m_darkLook; }
    void setDarkLook(bool dark) { m_darkLook = dark; }

    void show(Rect positioningRect, View* view, RectEdge preferredEdge);
    void close();
    bool isShown() const { return m_window && m_window->isVisible(); }
    // The side of the rectangle it was last shown on, in screen terms: true when below.
    bool isShownBelow() const { return m_below; }
    Window* window() const { return m_window.get(); }

private:
    Popover() = default;

    std::shared_ptr<View> m_content;
    std::optional<Size> m_contentSize;
    void stopWatchingClicks();

    std::shared_ptr<Window> m_window;
    bool m_below { true };
    bool m_transient { false };
    bool m_darkLook { false };
    // The monitor of clicks outside while a transient popover is shown; 0 for none.
    std::uint64_t m_clickMonitor { 0 };
};

}
