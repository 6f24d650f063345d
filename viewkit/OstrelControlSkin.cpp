#include "viewkit/OstrelControlSkin.h"

#include "platform/gfx/Fonts.h"

namespace ostrel {

namespace {

gfx::Font gillSansOrSystem(double size)
{
    constexpr const char* gillSans = "GillSans";
    return gfx::canMakeFont(gillSans) ? gfx::Font::named(gillSans, size) : gfx::Font::system(size);
}

}

OstrelControlSkin& OstrelControlSkin::shared()
{
    static OstrelControlSkin* skin = new OstrelControlSkin; // kept for the whole run
    return *skin;
}

OstrelControlSkin::OstrelControlSkin()
    : m_titleFont(gillSansOrSystem(18))
    , m_secondaryTitleFont(gillSansOrSystem(14))
{
}

void OstrelControlSkin::configureFactory(BricksFactory&) const { }

}
