#pragma once

#include "platform/ui/TableView.h"

#include <functional>
#include <memory>

namespace ostrel {

// The log book's table: its background with a thin stripe down its left edge, and a word to
// its owner whenever its width changed in a layout (the rows' heights depend on it).
class LogBookTableView : public ui::TableView {
public:
    static std::shared_ptr<LogBookTableView> create();

    std::function<void()> onWidthChange;

    void draw(gfx::GraphicsContext& context, const ui::Rect& dirty) override;
    void layout() override;
    // Back in sight (the editor closed): its rows are measured again at the next layout, as
    // those read while it was away got no width to measure at.
    void viewDidMoveToWindow() override;

protected:
    LogBookTableView() = default;

private:
    double m_laidOutWidth { -1 };
};

}
