#include "viewkit/TextFieldBrickType.h"

#include "viewkit/ControlSkin.h"

#include "platform/ui/TextField.h"

namespace ostrel {

void small(ui::TextField& field) { field.setControlSize(ui::ControlSize::Small); }

void apply(ui::TextField& field, const ControlSkin& skin)
{
    auto palette = skin.labelPalette();
    if (auto* text = palette.as<DrawingPalette::TextColor>())
        field.setTextColor(text->color);
}

}
