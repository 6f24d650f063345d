#include "mainwindow/LogBookColumnView.h"

#include "drawing/OstrelStyleKit.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/PopUpButton.h"

#include <cmath>

namespace ostrel {

namespace {

void drawLabel(gfx::GraphicsContext& context, const std::optional<LogBookLabel>& label, const ui::Rect& rect)
{
    if (!label)
        return;
    context.save();
    if (label->style.shadow)
        context.setShadow(label->style.shadow);
    gfx::drawText(label->text, rect, label->style.style);
    context.restore();
}

}

std::shared_ptr<LogBookColumnView> LogBookColumnView::create(ui::Rect frame) { return make<LogBookColumnView>(frame); }

LogBookColumnView::LogBookColumnView(ui::Rect frame)
    : Wall(frame)
{
    setInheritsVibrancy(false);
}

void LogBookColumnView::draw(gfx::GraphicsContext& context, const ui::Rect&)
{
    // In the row's own coordinates, y up: the date band 18 to 4 points below the top.
    ui::Rect frame = bounds();
    OstrelStyleKit::drawLogBookEntry(frame);
    ui::Rect date(8.0, frame.minY() + frame.height() - 18.0, frame.width() - 16.0, 14.0);
    drawLabel(context, startDateAttributedString, date);
    double durationWidth = std::round(date.width() * 0.5);
    drawLabel(context, durationAttributedString, ui::Rect(std::round(durationWidth * 0.5), date.minY() - 2.0, durationWidth, 14.0));
    drawLabel(context, focusLevelAttributedString, date.offsetBy(-8.0, -2.0));
    // The row menu's arrow is drawn light, as on the window's dark controls: it sits on a
    // dark badge here, or it would hardly show on the light row.
    for (const auto& subview : subviews()) {
        if (!dynamic_cast<ui::PopUpButton*>(subview.get()) || subview->isHidden())
            continue;
        // Under the arrow, which stands 10 points in from the menu's right edge.
        ui::Rect arrow = subview->frame();
        double side = 12.0;
        ui::Rect badge(arrow.maxX() - 10.0 - side / 2, arrow.midY() - side / 2, side, side);
        context.save();
        context.setFillColor(gfx::Color::white(0.3, 1.0));
        gfx::Path::roundedRect(badge, 3.0, 3.0).fill();
        context.restore();
    }
    if (tagAttributedString)
        drawLabel(context, tagAttributedString, ui::Rect(bounds().minX(), bounds().minY(), bounds().width() - 8.0, 18.0));
    context.save();
    gfx::Path separator;
    separator.moveTo({ 2.0, 0.5 });
    separator.lineTo({ frame.width() - 2.0, 0.5 });
    separator.setLineWidth(0.5);
    context.setStrokeColor(gfx::Color::white(0.4, 1.0));
    separator.stroke();
    context.restore();
}

}
