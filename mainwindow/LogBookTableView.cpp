#include "mainwindow/LogBookTableView.h"

#include "drawing/OstrelStyleKit.h"

#include "platform/gfx/GraphicsContext.h"

namespace ostrel {

std::shared_ptr<LogBookTableView> LogBookTableView::create() { return std::shared_ptr<LogBookTableView>(new LogBookTableView); }

void LogBookTableView::draw(gfx::GraphicsContext& context, const ui::Rect& dirty)
{
    ui::TableView::draw(context, dirty);
    context.save();
    context.setFillColor(OstrelStyleKit::n10());
    context.fillRect(ui::Rect(0, 0, 0.5, bounds().height()));
    context.restore();
}

void LogBookTableView::layout()
{
    ui::TableView::layout();
    double width = bounds().width();
    if (width == m_laidOutWidth)
        return;
    m_laidOutWidth = width;
    if (auto changed = onWidthChange)
        changed();
}

void LogBookTableView::viewDidMoveToWindow()
{
    ui::TableView::viewDidMoveToWindow();
    if (window()) {
        m_laidOutWidth = -1;
        setNeedsLayout();
    }
}

}
