#include "platform/text/RichTextLayout.h"

#include "platform/gfx/Fonts.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/text/Unicode.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <pango/pangocairo.h>

namespace text {

struct RichTextLayout::Paragraph {
    size_t start { 0 };
    size_t length { 0 };
    double top { 0 };
    double height { 0 };
    std::string utf8;
    // The byte offset of every UTF-16 index of the paragraph, and of its end; both halves of
    // a surrogate pair start at the pair's first byte.
    std::vector<int> offsets;
    PangoLayout* layout { nullptr };

    ~Paragraph()
    {
        if (layout)
            g_object_unref(layout);
    }

    int byteAt(size_t index) const { return offsets[std::min(index - start, length)]; }
    size_t indexAt(int byte) const
    {
        auto found = std::lower_bound(offsets.begin(), offsets.end(), byte);
        return start + static_cast<size_t>(found - offsets.begin());
    }
};

namespace {

double points(int pangoUnits)
{
    return double(pangoUnits) / PANGO_SCALE;
}

guint16 channel(double value)
{
    return static_cast<guint16>(std::lround(std::clamp(std::isfinite(value) ? value : 0.0, 0.0, 1.0) * 65535));
}

void insert(PangoAttrList* list, PangoAttribute* attribute, int from, int to)
{
    attribute->start_index = static_cast<guint>(from);
    attribute->end_index = static_cast<guint>(to);
    pango_attr_list_insert(list, attribute);
}

// Pango ends a paragraph at CR LF as one break, so the layout does too, although the
// string's own line splitting counts two line ends there.
size_t separatorLength(const std::u16string& s, size_t i)
{
    if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n')
        return 2;
    return isNewline(s[i]) && s[i] != 0x2028 ? 1 : 0;
}

void encode(const std::u16string_view text, std::string& utf8, std::vector<int>& offsets)
{
    offsets.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i) {
        offsets.push_back(static_cast<int>(utf8.size()));
        size_t units = isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]) ? 2 : 1;
        if (units == 2)
            offsets.push_back(static_cast<int>(utf8.size()));
        // A NUL would end pango's text early; it stands in as a space of the same size.
        utf8 += text[i] == 0 ? std::string(" ") : toUtf8(text.substr(i, units));
        i += units - 1;
    }
    offsets.push_back(static_cast<int>(utf8.size()));
}

PangoAlignment pangoAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Center:
        return PANGO_ALIGN_CENTER;
    case Alignment::Right:
        return PANGO_ALIGN_RIGHT;
    default:
        return PANGO_ALIGN_LEFT;
    }
}

}

RichTextLayout::RichTextLayout(const AttributedString& text, double width, LayoutDefaults defaults)
    : m_length(text.length())
    , m_color(defaults.color)
{
    const std::u16string& string = text.string();
    PangoContext* context = gfx::newPangoContext();
    auto defaultDescription = gfx::pangoFontDescription(defaults.font);
    size_t start = 0;
    double top = 0;
    while (true) {
        size_t end = start;
        while (end < string.size() && separatorLength(string, end) == 0)
            ++end;
        auto paragraph = std::make_unique<Paragraph>();
        paragraph->start = start;
        paragraph->length = end - start;
        encode(std::u16string_view(string).substr(start, end - start), paragraph->utf8, paragraph->offsets);
        paragraph->layout = pango_layout_new(context);
        PangoLayout* layout = paragraph->layout;
        pango_layout_set_text(layout, paragraph->utf8.data(), static_cast<int>(paragraph->utf8.size()));

        // An empty paragraph takes the look of its line end, so a blank line is as tall as
        // the text around it.
        size_t styleAt = std::min(start, string.empty() ? 0 : string.size() - 1);
        const Attributes* first = string.empty() ? nullptr : &text.attributesAt(styleAt);
        auto description = first && first->font ? gfx::pangoFontDescription(*first->font) : nullptr;
        pango_layout_set_font_description(layout, description ? description.get() : defaultDescription.get());
        Alignment alignment = first ? first->paragraph.alignment : Alignment::Natural;
        pango_layout_set_alignment(layout, pangoAlignment(alignment));
        pango_layout_set_justify(layout, alignment == Alignment::Justified);
        pango_layout_set_auto_dir(layout, alignment == Alignment::Natural);
        if (width > 0 && std::isfinite(width)) {
            pango_layout_set_width(layout, static_cast<int>(std::min(width, 1e6) * PANGO_SCALE));
            pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        }

        PangoAttrList* list = pango_attr_list_new();
        if (end > start) {
            size_t runStart = 0;
            for (const auto& run : text.runs()) {
                size_t runEnd = runStart + run.length;
                size_t from = std::max(runStart, start);
                size_t to = std::min(runEnd, end);
                runStart = runEnd;
                if (from >= to)
                    continue;
                int fromByte = paragraph->byteAt(from);
                int toByte = paragraph->byteAt(to);
                const Attributes& a = run.attributes;
                const gfx::Font& font = a.font ? *a.font : defaults.font;
                insert(list, pango_attr_font_desc_new(gfx::pangoFontDescription(font).get()), fromByte, toByte);
                if (std::string features = gfx::pangoFontFeatures(font); !features.empty())
                    insert(list, pango_attr_font_features_new(features.c_str()), fromByte, toByte);
                if (a.foreground) {
                    insert(list, pango_attr_foreground_new(channel(a.foreground->red), channel(a.foreground->green), channel(a.foreground->blue)), fromByte, toByte);
                    insert(list, pango_attr_foreground_alpha_new(std::max<guint16>(1, channel(a.foreground->alpha))), fromByte, toByte);
                }
                if (a.underline)
                    insert(list, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), fromByte, toByte);
                if (a.strikethrough)
                    insert(list, pango_attr_strikethrough_new(TRUE), fromByte, toByte);
            }
        }
        pango_layout_set_attributes(layout, list);
        pango_attr_list_unref(list);

        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        paragraph->top = top;
        paragraph->height = points(logical.height);
        m_width = std::max(m_width, points(logical.x + logical.width));

        PangoLayoutIter* iter = pango_layout_get_iter(layout);
        do {
            PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
            PangoRectangle extents;
            pango_layout_iter_get_line_extents(iter, nullptr, &extents);
            size_t lineStart = paragraph->indexAt(line->start_index);
            size_t lineEnd = paragraph->indexAt(line->start_index + line->length);
            m_lines.push_back({ { lineStart, lineEnd - lineStart },
                { points(extents.x), top + points(extents.y), points(extents.width), points(extents.height) },
                top + points(pango_layout_iter_get_baseline(iter)) });
        } while (pango_layout_iter_next_line(iter));
        pango_layout_iter_free(iter);

        top += paragraph->height;
        m_paragraphs.push_back(std::move(paragraph));
        if (end >= string.size())
            break;
        start = end + separatorLength(string, end);
    }
    m_height = top;
    g_object_unref(context);
}

RichTextLayout::~RichTextLayout() = default;

gfx::Rect RichTextLayout::boundingRect() const
{
    return { 0, 0, m_width, m_height };
}

void RichTextLayout::draw(const gfx::Rect& rect) const
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    gfx::Rect r = rect.standardized();
    context.save();
    context.clipToRect(r);
    bool yDown = context.isFlipped();
    context.paint([&](cairo_t* cr) {
        cairo_save(cr);
        cairo_translate(cr, r.minX(), yDown ? r.minY() : r.maxY());
        if (!yDown)
            cairo_scale(cr, 1, -1);
        for (const auto& paragraph : m_paragraphs) {
            if (paragraph->top > r.height())
                break;
            cairo_save(cr);
            cairo_translate(cr, 0, paragraph->top);
            pango_cairo_update_layout(cr, paragraph->layout);
            cairo_set_source_rgba(cr, m_color.red, m_color.green, m_color.blue, m_color.alpha);
            pango_cairo_show_layout(cr, paragraph->layout);
            cairo_restore(cr);
        }
        cairo_restore(cr);
    });
    context.restore();
}

const RichTextLayout::Paragraph& RichTextLayout::paragraphFor(size_t index) const
{
    // The paragraph that starts at or before the index; an index on a line end belongs to
    // the paragraph that line end closes.
    auto after = std::upper_bound(m_paragraphs.begin(), m_paragraphs.end(), index,
        [](size_t i, const std::unique_ptr<Paragraph>& p) { return i < p->start; });
    return **(after == m_paragraphs.begin() ? after : after - 1);
}

gfx::Rect RichTextLayout::caretRect(size_t index) const
{
    const Paragraph& paragraph = paragraphFor(std::min(index, m_length));
    PangoRectangle strong;
    pango_layout_get_cursor_pos(paragraph.layout, paragraph.byteAt(std::min(index, m_length)), &strong, nullptr);
    return { points(strong.x), paragraph.top + points(strong.y), 0, points(strong.height) };
}

size_t RichTextLayout::indexAt(gfx::Point point) const
{
    auto below = std::upper_bound(m_paragraphs.begin(), m_paragraphs.end(), point.y,
        [](double y, const std::unique_ptr<Paragraph>& p) { return y < p->top; });
    const Paragraph& paragraph = **(below == m_paragraphs.begin() ? below : below - 1);
    double y = std::clamp(point.y - paragraph.top, 0.0, std::max(0.0, paragraph.height - 0.01));
    int byte = 0;
    int trailing = 0;
    pango_layout_xy_to_index(paragraph.layout, static_cast<int>(point.x * PANGO_SCALE), static_cast<int>(y * PANGO_SCALE), &byte, &trailing);
    const char* text = paragraph.utf8.c_str();
    for (int i = 0; i < trailing && static_cast<size_t>(byte) < paragraph.utf8.size(); ++i)
        byte = static_cast<int>(g_utf8_next_char(text + byte) - text);
    return paragraph.indexAt(byte);
}

std::vector<gfx::Rect> RichTextLayout::selectionRects(Range range) const
{
    std::vector<gfx::Rect> rects;
    range.location = std::min(range.location, m_length);
    range.length = std::min(range.length, m_length - range.location);
    if (range.length == 0)
        return rects;
    for (const auto& paragraph : m_paragraphs) {
        size_t from = std::max(range.location, paragraph->start);
        size_t to = std::min(range.end(), paragraph->start + paragraph->length);
        if (from > to || paragraph->start > range.end() || paragraph->start + paragraph->length < range.location)
            continue;
        PangoLayoutIter* iter = pango_layout_get_iter(paragraph->layout);
        do {
            PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
            PangoRectangle extents;
            pango_layout_iter_get_line_extents(iter, nullptr, &extents);
            int* ranges = nullptr;
            int count = 0;
            pango_layout_line_get_x_ranges(line, paragraph->byteAt(from), paragraph->byteAt(to), &ranges, &count);
            for (int i = 0; i < count; ++i) {
                double x = points(ranges[2 * i]);
                double right = points(ranges[2 * i + 1]);
                if (right > x)
                    rects.push_back({ x, paragraph->top + points(extents.y), right - x, points(extents.height) });
            }
            g_free(ranges);
        } while (pango_layout_iter_next_line(iter));
        pango_layout_iter_free(iter);
    }
    return rects;
}

}
