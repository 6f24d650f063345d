#include "viewkit/AttributedLabel.h"

#include "viewkit/StandardLabel.h"

#include "platform/gfx/TextLayout.h"
#include "platform/text/RichTextLayout.h"

#include <cmath>

namespace ostrel {

std::shared_ptr<AttributedLabel> AttributedLabel::create(std::string title)
{
    std::shared_ptr<AttributedLabel> label(new AttributedLabel(std::move(title)));
    makeStandardLabel(*label);
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    return label;
}

AttributedLabel::AttributedLabel(std::string title)
    : ui::TextField(std::move(title))
{
}

std::optional<text::AttributedString> AttributedLabel::attributedStringValue() const
{
    return showsAttributed() ? m_attributed : std::nullopt;
}

void AttributedLabel::setAttributedStringValue(text::AttributedString value)
{
    // A time of day refreshed every second mostly reads as it did.
    if (showsAttributed() && *m_attributed == value) {
        setStringValue(stringValue());
        return;
    }
    // The rich text is in place before the plain one, so that the size the field reports
    // meanwhile is the one it will show: a time whose digits change keeps its width, and
    // then no new layout is needed.
    m_attributedText = gfx::displayableText(value.utf8());
    m_attributed = std::move(value);
    setStringValue(m_attributedText);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

ui::Size AttributedLabel::intrinsicContentSize() const
{
    ui::Size plain = ui::TextField::intrinsicContentSize();
    if (!showsAttributed())
        return plain;
    text::RichTextLayout layout(*m_attributed, 0, { font(), textColor() });
    ui::Rect r = layout.boundingRect();
    return { std::ceil(r.width()) + 1, std::max(plain.height, std::ceil(r.height())) };
}

std::optional<double> AttributedLabel::firstBaselineOffsetFromTop() const
{
    if (!showsAttributed())
        return ui::TextField::firstBaselineOffsetFromTop();
    text::RichTextLayout layout(*m_attributed, 0, { font(), textColor() });
    if (layout.lines().empty())
        return ui::TextField::firstBaselineOffsetFromTop();
    return layout.lines().front().baseline;
}

void AttributedLabel::drawOwnLook(gfx::GraphicsContext& context)
{
    if (!showsAttributed()) {
        ui::TextField::drawOwnLook(context);
        return;
    }
    text::RichTextLayout layout(*m_attributed, 0, { font(), textColor() });
    ui::Rect area = bounds();
    double width = std::ceil(layout.boundingRect().width()) + 1;
    double slack = std::max(0.0, area.width() - width);
    double x = area.minX();
    if (alignment() == gfx::TextAlignment::right)
        x += slack;
    else if (alignment() == gfx::TextAlignment::center)
        x += slack / 2;
    context.save();
    context.clipToRect(area);
    layout.draw(ui::Rect(x, area.minY(), width, area.height()));
    context.restore();
}

}
