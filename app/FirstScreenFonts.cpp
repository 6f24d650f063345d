// The fonts a returning user's first screen measures and draws with before it shows: the
// define screen's fields, buttons and pop-ups in the system font, its wall's headings, and the
// text-style buttons' letters, whose pictures are drawn at twice the size for sharp screens.
// The start-up warms them while the display opens (see gfx::FontWarmUp). A font this list
// misses only loads when it is first used, as every font did before: when the screen's
// fonts change, so should this list, or the start slows down by a font lookup each.
#include "app/StartUp.h"

#include "platform/gfx/FontWarmUp.h"

namespace ostrel {

std::vector<gfx::WarmFont> firstScreenFonts()
{
    using gfx::Font;
    using gfx::FontWeight;
    return {
        { Font::system(13), 2 },
        { Font::system(13, FontWeight::bold), 2 },
        { Font::named("Helvetica-Oblique", 13), 2 },
        { Font::system(13, FontWeight::medium) },
        { Font::system(11) },
        { Font::system(11, FontWeight::medium) },
        { Font::system(9) },
        { Font::system(14, FontWeight::light) },
        { Font::system(15) },
        { Font::system(16, FontWeight::semibold) },
        { Font::system(17, FontWeight::bold) },
        { Font::system(20) },
        { Font::system(24, FontWeight::light) },
        { Font::named("Helvetica", 12) },
        { Font::named("Helvetica", 20) },
        { Font::named("GillSans", 14) },
        { Font::named("GillSans", 18) },
    };
}

}
