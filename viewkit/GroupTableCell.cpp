#include "viewkit/GroupTableCell.h"

#include "viewkit/StandardLabel.h"

#include "drawing/OstrelStyleKit.h"

#include "platform/gfx/TextLayout.h"

namespace ostrel {

namespace {
constexpr double kPadding = 6;
}

std::shared_ptr<GroupTableCell> GroupTableCell::create(std::string text)
{
    std::shared_ptr<GroupTableCell> cell(new GroupTableCell(std::move(text)));
    makeStandardLabel(*cell);
    return cell;
}

GroupTableCell::GroupTableCell(std::string text)
    : ui::TextField(std::move(text))
{
}

void GroupTableCell::drawInteriorWithFrame(gfx::GraphicsContext& context, const ui::Rect& cellFrame)
{
    ui::Rect taller(cellFrame.minX(), cellFrame.minY(), cellFrame.width(), cellFrame.height() + 1);
    context.save();
    context.setFillColor(OstrelStyleKit::n10());
    context.fillRect(taller);
    // The heading sits off the row's edge and in its middle, as the rows below it read.
    ui::Rect text = taller.insetBy(kPadding, 0);
    gfx::TextLayout layout(stringValue(), gfx::TextStyle(font(), textColor(), { alignment() }), text.width());
    double height = layout.boundingRect().height();
    layout.draw(ui::Rect(text.minX(), text.minY() + (text.height() - height) / 2, text.width(), height));
    context.restore();
}

}
