#include "shell/PreferencesViews.h"

#include "core/MacOSVersion.h"
#include "drawing/OstrelStyleKit.h"
#include "viewkit/BezierPathUtility.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/gfx/TextLayout.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/TextField.h"

namespace ostrel {

namespace {
constexpr gfx::Color kGrey = gfx::Color::white(0.5);
}

void framePreferencesRect(gfx::GraphicsContext& context, const ui::Rect& rect, const gfx::Color& color)
{
    context.setFillColor(color);
    context.fillRect(ui::Rect(rect.minX(), rect.minY(), rect.width(), 1));
    context.fillRect(ui::Rect(rect.minX(), rect.maxY() - 1, rect.width(), 1));
    context.fillRect(ui::Rect(rect.minX(), rect.minY(), 1, rect.height()));
    context.fillRect(ui::Rect(rect.maxX() - 1, rect.minY(), 1, rect.height()));
}

std::shared_ptr<PreferencesView> PreferencesView::create(ui::Rect frame)
{
    return std::shared_ptr<PreferencesView>(new PreferencesView(frame));
}

PreferencesView::PreferencesView(ui::Rect frame)
    : View(frame)
{
}

void PreferencesView::draw(gfx::GraphicsContext&, const ui::Rect&)
{
    OstrelStyleKit::drawPreferencesBackground(ui::Rect({}, frame().size));
}

std::shared_ptr<PreferencesBorderedScrollView> PreferencesBorderedScrollView::create()
{
    return std::shared_ptr<PreferencesBorderedScrollView>(new PreferencesBorderedScrollView);
}

void PreferencesBorderedScrollView::draw(gfx::GraphicsContext& context, const ui::Rect&)
{
    context.save();
    framePreferencesRect(context, bounds(), kGrey);
    context.restore();
}

std::shared_ptr<PreferencesTabView> PreferencesTabView::create()
{
    return std::shared_ptr<PreferencesTabView>(new PreferencesTabView);
}

std::shared_ptr<PreferencesTablessTabView> PreferencesTablessTabView::create()
{
    return std::shared_ptr<PreferencesTablessTabView>(new PreferencesTablessTabView);
}

void PreferencesTablessTabView::draw(gfx::GraphicsContext& context, const ui::Rect& dirty)
{
    if (MacOSVersion::singleton().isDarkMode()) {
        ui::TabView::draw(context, dirty);
        return;
    }
    ui::Rect rect = bounds();
    context.setFillColor(gfx::Color::white(0.88));
    context.fillRect(rect);
    framePreferencesRect(context, rect, gfx::Color::white(0.75));
    framePreferencesRect(context, ui::Rect(rect.origin, ui::Size(rect.width(), 1)), gfx::Color::white(0.56));
}

std::shared_ptr<DividerCell> DividerCell::create(ui::Rect frame) { return std::shared_ptr<DividerCell>(new DividerCell(frame)); }

DividerCell::DividerCell(ui::Rect frame)
    : View(frame)
{
}

void DividerCell::drawInteriorWithFrame(gfx::GraphicsContext& context, const ui::Rect& frame) const
{
    context.setFillColor(gfx::colors::lightGray);
    context.fillRect(ui::Rect(frame.minX() + 4, frame.minY() + frame.height() * 0.5, frame.width() - 8, 1));
}

void DividerCell::draw(gfx::GraphicsContext& context, const ui::Rect&) { drawInteriorWithFrame(context, bounds()); }

std::shared_ptr<PreferencesPanePullDownButton> PreferencesPanePullDownButton::create()
{
    return std::shared_ptr<PreferencesPanePullDownButton>(new PreferencesPanePullDownButton);
}

PreferencesPanePullDownButton::PreferencesPanePullDownButton()
    : PopUpButton(true)
{
}

void PreferencesPanePullDownButton::drawWithFrame(gfx::GraphicsContext& context, const ui::Rect& frame) const
{
    double x = frame.minX();
    double y = frame.minY();
    // A pull-down shows its first item as its title.
    std::string shown = numberOfItems() ? itemAt(0)->title() : title();
    gfx::drawText(shown, ui::Rect(x + 5, y + 4, std::max(0.0, frame.width() - 25), std::max(0.0, frame.height() - 4)),
        gfx::TextStyle(gfx::Font::system(13), ui::ControlLook::kText));
    framePreferencesRect(context, frame, kGrey);
    context.setFillColor(ui::ControlLook::kText);
    BezierPathUtility::bezierPathForRightFacingArrow(ui::Rect(x + frame.width() - 15, y + frame.height() * 0.5 - 5, 8, 10)).fill();
}

void PreferencesPanePullDownButton::drawOwnLook(gfx::GraphicsContext& context) { drawWithFrame(context, bounds()); }

std::shared_ptr<PreferencesPanePullDownBottomButton> PreferencesPanePullDownBottomButton::create()
{
    return std::shared_ptr<PreferencesPanePullDownBottomButton>(new PreferencesPanePullDownBottomButton);
}

std::shared_ptr<PreferencesTableCell> PreferencesTableCell::create(ui::Rect frame, const std::string& text, const gfx::Font& font,
    double indent)
{
    std::shared_ptr<PreferencesTableCell> cell(new PreferencesTableCell(frame));
    auto label = ui::TextField::createLabel(text);
    label->setFont(font);
    double height = std::max(0.0, label->intrinsicContentSize().height);
    label->setFrame(ui::Rect(indent, (frame.height() - height) / 2, std::max(0.0, frame.width() - indent - 6), height));
    cell->addSubview(label);
    return cell;
}

PreferencesTableCell::PreferencesTableCell(ui::Rect frame)
    : View(frame)
{
}

ui::View* PreferencesTableCell::hitTest(ui::Point point) { return frame().contains(point) && !isHidden() ? this : nullptr; }

}
