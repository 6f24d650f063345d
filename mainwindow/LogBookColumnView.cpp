#include "mainwindow/LogBookColumnView.h"

#include "drawing/OstrelStyleKit.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/ControlLook.h"
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
    // Aligned as the style says in every language: pango would otherwise swap left and right
    // for a text that starts right to left (an Arabic date), whose words still read so.
    gfx::drawText("\u200E" + label->text, rect, label->style.style);
    context.restore();
}

double textWidth(const std::optional<LogBookLabel>& label)
{
    return label ? gfx::TextLayout(label->text, label->style.style).boundingRect().width() : 0.0;
}

}

std::shared_ptr<LogBookColumnView> LogBookColumnView::create(ui::Rect frame) { return make<LogBookColumnView>(frame); }

LogBookColumnView::LogBookColumnView(ui::Rect frame)
    : Wall(frame)
{
    setInheritsVibrancy(false);
}

void LogBookColumnView::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    setNeedsDisplay();
}

void LogBookColumnView::draw(gfx::GraphicsContext& context, const ui::Rect&)
{
    // In the row's own coordinates, y up: the date band 18 to 4 points below the top.
    ui::Rect frame = bounds();
    OstrelStyleKit::drawLogBookEntry(frame);
    if (m_selected) {
        // A tint of the accent over the row and a bar down its left edge.
        context.save();
        context.setFillColor(ui::ControlLook::kAccent.withAlpha(0.18));
        context.fillRect(frame);
        context.setFillColor(ui::ControlLook::kAccent);
        context.fillRect(ui::Rect(frame.minX(), frame.minY(), 4.0, frame.height()));
        context.restore();
    }
    ui::Rect date(8.0, frame.minY() + frame.height() - 18.0, frame.width() - 16.0, 14.0);
    double durationWidth = std::round(date.width() * 0.5);
    ui::Rect duration(std::round(durationWidth * 0.5), date.minY() - 2.0, durationWidth, 14.0);
    ui::Rect focus = date.offsetBy(-8.0, -2.0);
    drawLabel(context, durationAttributedString, duration);
    drawLabel(context, focusLevelAttributedString, focus);
    // The date stops short of the right-aligned duration and focus level, however long the
    // locale writes it.
    double end = std::min(duration.maxX() - textWidth(durationAttributedString), focus.maxX() - textWidth(focusLevelAttributedString)) - 6.0;
    drawLabel(context, startDateAttributedString, ui::Rect(date.minX(), date.minY(), std::max(0.0, std::min(date.width(), end - date.minX())), date.height()));
    // The row menu's arrow is drawn light, as on the window's dark controls: it sits on a
    // dark badge here, or it would hardly show on the light row.
    for (const auto& subview : subviews()) {
        auto* menu = dynamic_cast<ui::PopUpButton*>(subview.get());
        if (!menu || menu->isHidden())
            continue;
        // Just under the arrow, clear of the focus level ending beside it.
        ui::Rect arrow = menu->arrowRect();
        double side = 10.0;
        ui::Rect badge(menu->frame().minX() + arrow.midX() - side / 2, menu->frame().midY() - side / 2, side, side);
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
