#pragma once

namespace ui {
class TextField;
}

namespace ostrel {

class ControlSkin;

// How the factory sizes and skins a platform text field (the standard label, SmartTextField,
// IntegerTextField), which cannot take the BrickType base itself.

// Small control size, and the system font of the small size.
void small(ui::TextField& field);
// The skin's label colour, when its label palette is a text colour; any other palette
// leaves the field as it is.
void apply(ui::TextField& field, const ControlSkin& skin);

}
