#include "command/PopUpWindowContentViewControllerDelegate.h"

#include "command/CommandEnvironment.h"
#include "drawing/OstrelStyleKit.h"

namespace ostrel {

void OstrelPopUpWindowContentViewControllerDelegate::prepareForRun()
{
    m_environment->closeOtherPopUps();
}

std::optional<gfx::Color> OstrelPopUpWindowContentViewControllerDelegate::searchFieldTextColor() const
{
    return OstrelStyleKit::commandSearchFieldActive();
}

std::optional<gfx::Color> OstrelPopUpWindowContentViewControllerDelegate::searchFieldDisabledTextColor() const
{
    return OstrelStyleKit::commandSearchFieldInactive();
}

std::optional<gfx::Color> OstrelPopUpWindowContentViewControllerDelegate::drillDownLabelTextFieldColor() const
{
    return gfx::colors::lightGray;
}

}
