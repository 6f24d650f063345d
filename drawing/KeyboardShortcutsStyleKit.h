#pragma once

#include "drawing/KitFrame.h"
#include "drawing/KitSelectors.h"

namespace ostrel {

// The shortcut recorder's kit: its bordered box with a centred title, regular or small,
// light or dark, and the clear and undo glyphs of its buttons.
class KeyboardShortcutsStyleKit {
public:
    using ResizingBehavior = ostrel::ResizingBehavior;

    KeyboardShortcutsStyleKit() = delete;

    // The box fills and borders `frame`; the title is centred in (0, 0, textFieldWidth, 22)
    // (20 for the small boxes) wherever the frame is. The caller's border colour shows only
    // while disabled.
    static void drawBox(const gfx::Rect& frame, const gfx::Color& disabledBorderColor, const gfx::Color& textColor,
        std::string_view title, double textFieldWidth, bool isEnabled);
    static void drawSmallBox(const gfx::Rect& frame, const gfx::Color& disabledBorderColor, const gfx::Color& textColor,
        std::string_view title, double textFieldWidth, bool isEnabled);
    static void drawBoxDarkMode(const gfx::Rect& frame, const gfx::Color& disabledBorderDarkModeColor,
        const gfx::Color& textColor, std::string_view title, double textFieldWidth, bool isEnabled);
    static void drawSmallBoxDarkMode(const gfx::Rect& frame, const gfx::Color& disabledBorderDarkModeColor,
        const gfx::Color& textColor, std::string_view title, double textFieldWidth, bool isEnabled);
    // 18 x 20 glyphs in dark grey: a cross, and an arrow turning anticlockwise.
    static void drawClear(const gfx::Rect& frame, ResizingBehavior resizing);
    static void drawUndo(const gfx::Rect& frame, ResizingBehavior resizing);

    static std::shared_ptr<gfx::Image> imageOfClear();
    static std::shared_ptr<gfx::Image> imageOfUndo();

    static const KitSelectorTable& selectors();
    static std::optional<KitResult> perform(std::string_view selector, std::span<const KitArgument> arguments = {})
    {
        return selectors().perform(selector, arguments);
    }
};

}
