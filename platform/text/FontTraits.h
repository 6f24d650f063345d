#pragma once

#include "platform/gfx/Font.h"

#include <string>
#include <string_view>

namespace text {

// Bold and italic as traits of a PostScript font name, the way a font manager converts
// "Helvetica" to "Helvetica-Bold" and back. Only the name's style suffix is looked at, so a
// family this table does not know still gets the usual "-Bold", "-Italic" spellings.
class FontTraits {
public:
    static bool isBold(std::string_view postScriptName);
    static bool isItalic(std::string_view postScriptName);

    // The name of the same family with exactly these traits; the name itself when it already
    // has them, so a font the table does not know round-trips unchanged.
    static std::string withTraits(std::string_view postScriptName, bool bold, bool italic);

    // The system font has no name to change: its weight is the bold trait, and it has no
    // slanted face, so italic leaves it as it is.
    static bool isBold(const gfx::Font& font);
    static bool isItalic(const gfx::Font& font);
    static gfx::Font withTraits(gfx::Font font, bool bold, bool italic);
};

}
