#include "viewkit/GroupTableCell.h"

#include "viewkit/StandardLabel.h"

#include "platform/gfx/TextLayout.h"

namespace ostrel {

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
    context.setFillColor(gfx::colors::black);
    context.fillRect(taller);
    gfx::TextLayout layout(stringValue(), gfx::TextStyle(font(), textColor(), { alignment() }));
    layout.draw(taller);
    context.restore();
}

}
