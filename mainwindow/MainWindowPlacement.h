#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/Screen.h"

#include <optional>
#include <vector>

namespace ostrel {

// Where the main window goes, worked out from the displays, the window's size and what the
// settings hold, with no window of its own: the default place, a stored or suggested top-left
// corner kept on a display, the frame compression asks for, and the move that keeps a
// widened window on its display. Screen coordinates, y up.
class MainWindowPlacement {
public:
    // Centred across the main display's visible frame, its top half the window's height
    // below the top; none without any display.
    static std::optional<ui::Point> defaultPosition(ui::Size windowSize);
    // From a suggestion (a click on the status item): 60 points left of it, on the display
    // under it. Without one (0, 0): the stored corner on the display it overlaps most, or the
    // default place. Either way clamped into that display's visible frame.
    static ui::Point computeTopLeftPoint(ui::Point suggestedLocation, std::optional<ui::Point> stored, ui::Size windowSize);
    // The settings' corner: none when both numbers hold -1, or when either is no finite number.
    static std::optional<ui::Point> storedTopLeft(double x, double y, bool noneWhenEitherIsUnset);
    // The minimum size, at least `openPadHeight` high while a pad is open, the top edge kept.
    static ui::Rect compressedFrame(ui::Rect frame, ui::Size minimum, bool anyPadOpen, double openPadHeight);
    // The height a screen whose content needs `contentHeight` gives the window by itself:
    // that, and while a pad is open no less than `openPadHeight`. A window of exactly that
    // height was sized by the screen, not by the user, and the next screen gives it its own.
    static double screensOwnHeight(double contentHeight, bool anyPadOpen, double openPadHeight);
    // A window whose right edge passed its display's visible right edge moves back left.
    static std::optional<ui::Point> keptOnScreen(ui::Rect frame);
    // Whether the display the frame overlaps most is too narrow for the left column and a pad
    // side by side (a small or high-density display).
    static bool tooNarrowForColumnAndPad(ui::Rect frame, double columnWidth, double padWidth);
};

}
