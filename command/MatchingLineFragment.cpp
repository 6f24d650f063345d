#include "command/MatchingLineFragment.h"

#include "command/BackgroundDrawingWallWithTintSupport.h"
#include "command/MatchingItem.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/StandardLabel.h"

#include "platform/ui/ControlLook.h"
#include "platform/ui/TextField.h"

namespace ostrel {

using A = ui::LayoutAttribute;

std::shared_ptr<MatchingLineFragment> MatchingLineFragment::create() { return make<MatchingLineFragment>(); }

MatchingLineFragment::MatchingLineFragment()
    : FragmentWall({})
{
}

void MatchingLineFragment::build()
{
    // Raw this in the closures below: the row owns the surfaces and labels that hold them.
    // The wall draws either a closure or its colour: this closure draws both, the colour
    // first.
    backgroundDrawingFunc = [this](const ui::Rect& rect) {
        auto* context = gfx::GraphicsContext::current();
        if (auto color = backgroundColor(); color && context) {
            context->save();
            context->setFillColor(*color);
            context->fillRect(rect);
            context->restore();
        }
        if (m_isHighlighted)
            customDrawHighlightedBackground(rect);
    };

    auto size = m_imageSize;
    m_leftImageWall = BackgroundDrawingWallWithTintSupport::create();
    m_leftImageWall->backgroundDrawingFuncWithTint = [this](const ui::Rect& rect, const gfx::Color& tint) {
        drawLeftIcon(rect, tint);
    };
    factory().internalAddBrick(m_leftImageWall, [size](LayoutConstraintMaker& maker) {
        maker.container().pin(A::CenterY, A::CenterY, 0).place(A::Left, A::Left);
        maker.width(size.width).height(size.height);
    });

    m_rightImageWall = BackgroundDrawingWallWithTintSupport::create();
    m_rightImageWall->backgroundDrawingFuncWithTint = [this](const ui::Rect& rect, const gfx::Color& tint) {
        if (m_matchingItem && m_matchingItem->kind() == MatchingItemKind::group)
            customDrawChevronRight(rect, tint);
    };
    factory().internalAddBrick(m_rightImageWall, [size](LayoutConstraintMaker& maker) {
        maker.container().pin(A::CenterY, A::CenterY, 0).place(A::Right, A::Right);
        maker.width(size.width).height(size.height);
    });

    auto left = m_leftImageWall;
    double topInset = m_topInset;
    m_titleTextField = standardLabel("");
    m_titleTextField->setAlignment(gfx::TextAlignment::left);
    m_titleTextField->setFont(gfx::Font::system(m_displayStringFontSize, gfx::FontWeight::medium));
    m_titleTextField->setTextColor(ui::ControlLook::kSecondaryText);
    factory().internalAddBrick(m_titleTextField, [left, topInset](LayoutConstraintMaker& maker) {
        maker.and_(*left).place(A::Left, A::Right);
        maker.container().pin(A::Top, A::Top, topInset);
    });

    auto title = m_titleTextField;
    double bottomInset = m_bottomInset;
    m_byLineTextField = standardLabel("");
    m_byLineTextField->setAlignment(gfx::TextAlignment::left);
    m_byLineTextField->setFont(gfx::Font::system(m_byLineFontSize, gfx::FontWeight::medium));
    factory().internalAddBrick(m_byLineTextField, [title, bottomInset](LayoutConstraintMaker& maker) {
        maker.and_(*title).pin(A::Top, A::Bottom, 2.0).pin(A::Left, A::Left, 0);
        maker.container().pin(A::Bottom, A::Bottom, -bottomInset);
    });
}

void MatchingLineFragment::configure(const std::shared_ptr<MatchingItem>& item)
{
    if (item) {
        m_titleTextField->setStringValue(item->displayString());
        m_byLineTextField->setStringValue(item->byLineString());
        return;
    }
    m_titleTextField->setStringValue(m_topFragment ? "No Match" : "");
    m_byLineTextField->setStringValue("");
}

void MatchingLineFragment::customDrawHighlightedBackground(const ui::Rect&) { }

void MatchingLineFragment::customDrawChevronRight(const ui::Rect&, const gfx::Color&) { }

void MatchingLineFragment::drawLeftIcon(const ui::Rect&, const gfx::Color&) { }

void MatchingLineFragment::changeColors()
{
    bool enabled = !m_matchingItem || m_matchingItem->isEnabled();
    setBackgroundColor(m_isHighlighted ? ui::ControlLook::kAccent : gfx::colors::clear);
    double title = 0.6, byLine = 0.6, tint = 0.6;
    if (m_isHighlighted && enabled)
        title = 1.0, byLine = 0.9, tint = 1.0;
    else if (m_isHighlighted)
        tint = 0.9;
    else if (enabled)
        title = 0.25, tint = 0.25;
    m_titleTextField->setTextColor(gfx::Color::white(title));
    m_byLineTextField->setTextColor(gfx::Color::white(byLine));
    m_leftImageWall->setTint(gfx::Color::white(tint));
}

}
