#include "attention/ZRVisualNotificationView.h"

#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

#include <algorithm>

namespace ostrel {

namespace {
// Room around the content: the bubble is drawn 20 points inside the view, for its shadow.
constexpr double kExtraWidth = 90;
constexpr double kExtraHeight = 45;
constexpr double kImageTop = 49;
constexpr double kGap = 10;
constexpr double kBubbleInset = 20;
constexpr double kBubbleRadius = 15;
}

std::shared_ptr<ZRVisualNotificationView> ZRVisualNotificationView::create(ui::Rect frame)
{
    return std::shared_ptr<ZRVisualNotificationView>(new ZRVisualNotificationView(frame));
}

std::shared_ptr<ZRVisualNotificationView> ZRVisualNotificationView::create(ui::Rect frame, std::string title,
    std::string description, std::shared_ptr<gfx::Image> image)
{
    auto view = create(frame);
    view->m_title = std::move(title);
    view->m_description = std::move(description);
    view->m_image = std::move(image);
    view->calculateLayout();
    return view;
}

ZRVisualNotificationView::ZRVisualNotificationView(ui::Rect frame)
    : View(frame)
    , m_attribs(gfx::Font::system(gfx::Font::systemFontSize), gfx::colors::white)
{
}

gfx::TextStyle ZRVisualNotificationView::style(double size) const
{
    gfx::TextStyle style = m_attribs;
    style.font = gfx::Font::system(size);
    style.paragraph.alignment = gfx::TextAlignment::center;
    return style;
}

void ZRVisualNotificationView::calculateLayout()
{
    bool hasDescription = !m_description.empty();
    double descriptionWidth = hasDescription ? gfx::textBoundingRect(m_description, 0, style(kDescriptionSize)).width() : 0;
    double titleWidth = gfx::textBoundingRect(m_title, 0, style(kTitleSize)).width();
    ui::Size imageSize = m_image ? m_image->size() : ui::Size {};
    double width = std::min(std::max({ descriptionWidth, titleWidth, imageSize.width }), kMaxContentWidth);

    ui::Size titleSize = gfx::textBoundingRect(m_title, width, style(kTitleSize)).size;
    ui::Size descriptionSize = hasDescription ? gfx::textBoundingRect(m_description, width, style(kDescriptionSize)).size
                                              : ui::Size {};
    double contentHeight = imageSize.height + titleSize.height + descriptionSize.height + (hasDescription ? 75 : 55);
    m_size = { width + kExtraWidth, contentHeight + kExtraHeight };

    // y runs up: everything hangs from the top, 49 points down to the image.
    double midX = m_size.width / 2;
    m_imageRect = { midX - imageSize.width / 2, m_size.height - kImageTop - imageSize.height, imageSize.width,
        imageSize.height };
    m_titleRect = { midX - titleSize.width / 2, m_imageRect.minY() - kGap - titleSize.height, titleSize.width,
        titleSize.height };
    m_descRect = hasDescription ? ui::Rect(midX - descriptionSize.width / 2, m_titleRect.minY() - kGap - descriptionSize.height,
                                      descriptionSize.width, descriptionSize.height)
                                : ui::Rect();
    setFrameSize(m_size);
    setNeedsDisplay();
}

void ZRVisualNotificationView::draw(gfx::GraphicsContext& context, const ui::Rect&)
{
    // Our own bounds, not the frame: the bubble stays in the view wherever the view sits.
    context.save();
    context.setShadow(gfx::Shadow { gfx::colors::black, { -1, -1 }, 15 });
    context.setFillColor(gfx::colors::black.withAlpha(0.3));
    gfx::Path::roundedRect(bounds().insetBy(kBubbleInset, kBubbleInset), kBubbleRadius, kBubbleRadius).fill();
    context.restore();

    if (m_image)
        m_image->draw(m_imageRect, gfx::Operation::sourceOver, 1);

    context.save();
    context.setShadow(gfx::Shadow { gfx::colors::black, { 1, -1 }, 0 });
    // One pixel wider than measured, so that rounding never wraps the last word.
    auto widened = [](ui::Rect rect) { return ui::Rect(rect.minX() - 0.5, rect.minY(), rect.width() + 1, rect.height()); };
    if (!m_description.empty())
        gfx::drawText(m_description, widened(m_descRect), style(kDescriptionSize), gfx::TextClipping::none);
    gfx::drawText(m_title, widened(m_titleRect), style(kTitleSize), gfx::TextClipping::none);
    context.restore();
}

}
