#include "viewkit/TitleFragment.h"

#include "viewkit/FragmentStackView.h"
#include "viewkit/OstrelControlSkin.h"
#include "viewkit/PullDownButtonBrick.h"

#include "drawing/OstrelStyleKit.h"

#include "platform/ui/ControlLook.h"

namespace ostrel {

std::shared_ptr<TitleFragment> TitleFragment::titleFragment(const std::string& title,
    const std::shared_ptr<FragmentStackView>& addToStackView, std::shared_ptr<gfx::Image> image)
{
    auto fragment = make<TitleFragment>(ui::Rect {});
    fragment->setIdentifier(title + " Title Fragment");
    fragment->label()->setStringValue(title);
    fragment->wheelButton()->setToolTip("Customize this view");
    fragment->setStackView(addToStackView);
    fragment->setImage(std::move(image));
    if (addToStackView) {
        addToStackView->addArrangedSubview(fragment);
        fragment->install(addToStackView);
    }
    return fragment;
}

TitleFragment::TitleFragment(ui::Rect frame)
    : LabelFragment(frame)
    , m_tint(ui::ControlLook::kText)
{
}

void TitleFragment::finishCreation()
{
    LabelFragment::finishCreation();
    label()->setFont(OstrelControlSkin::shared().titleFont());
    label()->setHidden(true);
    backgroundDrawingFunc = [this](const ui::Rect& frame) { drawTitleFragment(frame); };
}

std::shared_ptr<gfx::Image> TitleFragment::wheelIcon() const
{
    return OstrelStyleKit::imageOfStatePreferencesIcon2(gfx::colors::lightGray);
}

void TitleFragment::setImage(std::shared_ptr<gfx::Image> image)
{
    m_image = std::move(image);
    setNeedsDisplay();
}

void TitleFragment::setTint(gfx::Color tint)
{
    m_tint = tint;
    setNeedsDisplay();
}

void TitleFragment::drawTitleFragment(const ui::Rect& frame) const
{
    OstrelStyleKit::drawTitleFragmentBar(frame);
    if (m_image)
        m_image->draw(ui::Rect(10, 9, 22, 22), gfx::Operation::sourceOver, 1.0);
    // The text starts past the icon's place whether or not there is an icon.
    drawHeading(frame, 2 + 8 + 28, OstrelControlSkin::shared().titleFont(), m_tint);
}

}
