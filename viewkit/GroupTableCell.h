#pragma once

#include "platform/ui/TextField.h"

#include <memory>
#include <string>

namespace ostrel {

// The view of a table's group row: its row painted in the darkest slate of the palette, one
// point taller than the cell so no seam shows under it, with the text inset and centred on it.
class GroupTableCell : public ui::TextField {
public:
    static std::shared_ptr<GroupTableCell> create(std::string text = {});

    // Paints x, y, w, h + 1 and draws the text in that same rectangle, inset from its sides.
    void drawInteriorWithFrame(gfx::GraphicsContext& context, const ui::Rect& cellFrame);

protected:
    void drawOwnLook(gfx::GraphicsContext& context) override { drawInteriorWithFrame(context, bounds()); }

private:
    explicit GroupTableCell(std::string text);
};

}
