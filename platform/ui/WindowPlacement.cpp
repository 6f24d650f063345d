#include "platform/ui/Window.h"

#include "platform/ui/Application.h"

#include <algorithm>

// A window on its display: which one, at what density, and the place that keeps a titled
// window within the user's reach there.
namespace ui {

namespace {

// The display sharing most of the rectangle; none when none does.
std::optional<Screen> screenOverlappingMost(const Rect& rect)
{
    std::optional<Screen> best;
    double bestArea = 0;
    for (const Screen& screen : Screen::screens()) {
        Rect overlap = screen.frame.intersection(rect);
        double area = overlap.isEmpty() ? 0 : overlap.width() * overlap.height();
        if (area > bestArea) {
            bestArea = area;
            best = screen;
        }
    }
    return best;
}

// The most content that keeps its decoration inside the visible frame.
Size roomWithin(const Rect& visible, const EdgeInsets& around)
{
    return Size(std::max(1.0, visible.width() - around.left - around.right), std::max(1.0, visible.height() - around.top - around.bottom));
}

}

std::optional<Screen> Window::screen() const { return screenOverlappingMost(m_frame); }

double Window::backingScaleFactor() const
{
    if (auto place = screen())
        return place->backingScaleFactor;
    auto all = Screen::screens();
    return all.empty() ? 1 : all.front().backingScaleFactor;
}

EdgeInsets Window::decoration() const
{
    if (!(m_styleMask & WindowStyle::Titled))
        return {};
    // What another titled window of ours learned: one about to show has the same.
    auto* app = Application::shared();
    if (m_platform) {
        if (auto extents = m_platform->frameExtents()) {
            if (m_zoomed)
                return *extents;
            if (m_decorationWhileZoomed == extents && m_restingDecoration)
                return *m_restingDecoration;
            m_decorationWhileZoomed.reset();
            m_restingDecoration = extents;
            if (app)
                app->m_knownDecoration = extents;
            return *extents;
        }
    }
    if (m_learnedDecoration)
        return *m_learnedDecoration;
    if (app && app->m_knownDecoration)
        return *app->m_knownDecoration;
    // The first window to show: placed without its title bar and borders, it stood past the
    // screen's edge until framed.
    if (app)
        if (auto expected = app->backend().expectedDecoration())
            return *expected;
    return {};
}

void Window::noteDecorationWhileZoomed()
{
    if (m_zoomed && m_platform)
        m_decorationWhileZoomed = m_platform->frameExtents();
}

std::optional<Size> Window::largestSizeWithinReach(Rect frame) const
{
    std::optional<Screen> place = screenOverlappingMost(frame);
    if (!place)
        place = Screen::main();
    if (!place)
        return std::nullopt;
    return roomWithin(place->visibleFrame, decoration());
}

void Window::workAreaChanged()
{
    // A maximized one is the window manager's to fit; a hidden one is fitted as it shows.
    if (m_visible && !m_zoomed)
        moveWithinReach();
}

void Window::platformDidFrame() { workAreaChanged(); }

void Window::moveWithinReach()
{
    if (Rect placed = constrainFrameRect(m_frame); placed != m_frame)
        setFrame(placed);
}

Rect Window::constrainFrameRect(Rect frame) const
{
    if (!(m_styleMask & WindowStyle::Titled))
        return frame;
    std::optional<Screen> place = screenOverlappingMost(frame);
    if (!place)
        place = Screen::main();
    if (!place)
        return frame;
    const Rect& visible = place->visibleFrame;
    EdgeInsets around = decoration();
    if (m_styleMask & WindowStyle::Resizable) {
        // As wide as the work area once maximized, its borders would stand past the edges.
        Size room = roomWithin(visible, around);
        frame.size.height = std::min(frame.height(), std::max(room.height, m_minSize.height));
        frame.size.width = std::min(frame.width(), std::max(room.width, m_minSize.width));
    }
    // The bottom up first, then the title bar down: where both cannot be, the title bar is.
    if (frame.minY() - around.bottom < visible.minY())
        frame.origin.y = visible.minY() + around.bottom;
    if (frame.maxY() + around.top > visible.maxY())
        frame.origin.y = visible.maxY() - around.top - frame.height();
    if (frame.maxX() + around.right > visible.maxX())
        frame.origin.x = visible.maxX() - around.right - frame.width();
    if (frame.minX() - around.left < visible.minX())
        frame.origin.x = visible.minX() + around.left;
    return frame;
}

}
