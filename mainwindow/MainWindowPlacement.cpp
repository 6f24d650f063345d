#include "mainwindow/MainWindowPlacement.h"

#include "platform/ui/ScreenManager.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

namespace {

std::optional<ui::Screen> mainScreen()
{
    if (auto screen = ui::Screen::main())
        return screen;
    auto all = ui::Screen::screens();
    if (all.empty())
        return std::nullopt;
    return all.front();
}

double area(const ui::Rect& rect) { return rect.isEmpty() ? 0 : rect.width() * rect.height(); }

// The display sharing most of the rectangle; the first of equal ones, none when none does.
std::optional<ui::Screen> screenOverlappingMost(const ui::Rect& rect)
{
    std::optional<ui::Screen> best;
    double bestArea = 0.0;
    for (const auto& candidate : ui::Screen::screens()) {
        double overlap = area(candidate.frame.intersection(rect));
        if (overlap > bestArea) {
            bestArea = overlap;
            best = candidate;
        }
    }
    return best;
}

}

std::optional<ui::Point> MainWindowPlacement::defaultPosition(ui::Size windowSize)
{
    auto screen = mainScreen();
    if (!screen)
        return std::nullopt;
    const ui::Rect& visible = screen->visibleFrame;
    return ui::Point(visible.minX() + visible.width() * 0.5 - std::round(windowSize.width * 0.5),
        visible.maxY() - std::round(windowSize.height * 0.5));
}

std::optional<ui::Point> MainWindowPlacement::storedTopLeft(double x, double y, bool noneWhenEitherIsUnset)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    bool unsetX = x == -1.0;
    bool unsetY = y == -1.0;
    if (noneWhenEitherIsUnset ? (unsetX || unsetY) : (unsetX && unsetY))
        return std::nullopt;
    // Whole points, as they are saved; older settings kept fractions.
    return ui::Point(std::round(x), std::round(y));
}

ui::Point MainWindowPlacement::computeTopLeftPoint(ui::Point suggestedLocation, std::optional<ui::Point> stored, ui::Size windowSize)
{
    std::optional<ui::Screen> screen;
    ui::Point point;
    if (suggestedLocation != ui::Point(0, 0)) {
        screen = ui::ScreenManager::screenForMouseLocation(suggestedLocation);
        if (!screen)
            screen = mainScreen();
        point = ui::Point(suggestedLocation.x - 60.0, suggestedLocation.y);
    } else if (!stored) {
        screen = mainScreen();
        point = defaultPosition(windowSize).value_or(ui::Point());
    } else {
        screen = screenOverlappingMost(ui::Rect(stored->x, stored->y - windowSize.height, windowSize.width, windowSize.height));
        if (screen) {
            point = *stored;
        } else {
            screen = mainScreen();
            point = defaultPosition(windowSize).value_or(ui::Point());
        }
    }
    if (!screen)
        return point;
    const ui::Rect& visible = screen->visibleFrame;
    double x = std::min(std::max(point.x, visible.minX()), visible.minX() + visible.width() - windowSize.width);
    double y = std::min(std::max(point.y, visible.minY() + windowSize.height), visible.maxY());
    return { x, y };
}

ui::Rect MainWindowPlacement::compressedFrame(ui::Rect frame, ui::Size minimum, bool anyPadOpen, double openPadHeight)
{
    double height = anyPadOpen ? std::max(minimum.height, openPadHeight) : minimum.height;
    double bottom = frame.minY() - (height - frame.height());
    return ui::Rect(frame.minX(), bottom, minimum.width, height);
}

double MainWindowPlacement::screensOwnHeight(double contentHeight, bool anyPadOpen, double openPadHeight)
{
    return anyPadOpen ? std::max(contentHeight, openPadHeight) : contentHeight;
}

std::optional<ui::Point> MainWindowPlacement::keptOnScreen(ui::Rect frame)
{
    auto screen = screenOverlappingMost(frame);
    if (!screen || frame.maxX() <= screen->visibleFrame.maxX())
        return std::nullopt;
    return ui::Point(frame.minX() - (frame.maxX() - screen->visibleFrame.maxX()), frame.minY());
}

bool MainWindowPlacement::tooNarrowForColumnAndPad(ui::Rect frame, double columnWidth, double padWidth)
{
    // Room for the window manager's side borders too.
    constexpr double kBorders = 8;
    auto screen = screenOverlappingMost(frame);
    return screen && screen->visibleFrame.width() < columnWidth + padWidth + kBorders;
}

}
