#pragma once

#include "mainwindow/LogBookTextAttributes.h"

#include "viewkit/Wall.h"

#include <optional>
#include <string>

namespace ostrel {

// One label of a row: its text and how it is drawn.
struct LogBookLabel {
    std::string text;
    LogBookTextStyle style;
};

// The view of one log book row, in the light look whatever the program's: the row's
// gradient, its date line, duration and focus level at the top, its tags in the bottom band
// and a thin separator. The objective and the row's pull-down are subviews of its own.
class LogBookColumnView : public Wall {
public:
    static std::shared_ptr<LogBookColumnView> create(ui::Rect frame = {});

    std::optional<LogBookLabel> tagAttributedString;
    std::optional<LogBookLabel> durationAttributedString;
    std::optional<LogBookLabel> startDateAttributedString;
    std::optional<LogBookLabel> focusLevelAttributedString;

    // The keyboard's row: marked, as the light row would hide the table's own selection.
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;

protected:
    friend class Wall;
    explicit LogBookColumnView(ui::Rect frame);

private:
    bool m_selected { false };
};

}
