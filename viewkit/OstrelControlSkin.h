#pragma once

#include "viewkit/ControlSkin.h"

#include "platform/gfx/Font.h"

namespace ostrel {

class BricksFactory;

// The application's skin, which paints nothing of its own: its one shared instance is the
// table of fonts that title and label fragments, the welcome screen and the time indicators
// take their type from.
class OstrelControlSkin : public ControlSkin {
public:
    // Made on first use and kept for the whole run.
    static OstrelControlSkin& shared();

    // "Gill Sans" where it can be made, else the system font, at 18 and 14 points.
    const gfx::Font& titleFont() const { return m_titleFont; }
    const gfx::Font& secondaryTitleFont() const { return m_secondaryTitleFont; }
    const gfx::Font& tertiaryTitleFont() const { return m_tertiaryTitleFont; }
    const gfx::Font& monospacedDigitsFont() const { return m_monospacedDigitsFont; }
    const gfx::Font& proportionalDigitsFont() const { return m_proportionalDigitsFont; }

    // Nothing calls it; it leaves the factory as it is, since this skin has no stacks to give.
    void configureFactory(BricksFactory& factory) const;

private:
    OstrelControlSkin();

    gfx::Font m_titleFont;
    gfx::Font m_secondaryTitleFont;
    gfx::Font m_tertiaryTitleFont { gfx::Font::system(11, gfx::FontWeight::light) };
    gfx::Font m_monospacedDigitsFont { gfx::Font::monospacedDigitSystem(24, gfx::FontWeight::light) };
    gfx::Font m_proportionalDigitsFont { gfx::Font::system(24, gfx::FontWeight::light) };
};

}
