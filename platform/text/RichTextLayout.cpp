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
    size_t separator { 0 };
    double top { 0 };
    double height { 0 };
    double width { 0 };
    std::string utf8;
    // The byte offset of every UTF-16 index of the paragraph, and of its end; both halves of
    // a surrogate pair start at the pair's first byte.
    std::vector<int> offsets;
    // Ranges from the paragraph's start, rectangles from its top.
    std::vector<Line> lines;
    PangoLayout* layout { nullptr };

    ~Paragraph()
    {
        if (layout)
            g_object_unref(layout);
    }

    size_t end() const { return start + length + separator; }
    int byteAt(size_t index) const { return offsets[std::min(index - start, length)]; }
    size_t indexAt(int byte) const
    {
        auto found = std::lower_bound(offsets.begin(), offsets.end(), byte);
        return start + static_cast<size_t>(found - offsets.begin());
    }
};

// Walks the runs alongside the paragraphs, so laying out a page is linear in its runs.
struct RichTextLayout::RunCursor {
    const std::vector<AttributedString::Run>& runs;
    size_t run { 0 };
    size_t runStart { 0 };

    RunCursor(const AttributedString& text, size_t position)
        : runs(text.runs())
    {
        seek(position);
    }
    void seek(size_t position)
    {
        while (run < runs.size() && runStart + runs[run].length <= position)
            runStart += runs[run++].length;
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
    : m_defaults(std::move(defaults))
    , m_wrapWidth(width > 0 && std::isfinite(width) ? std::min(width, 1e6) : 0)
    , m_length(text.length())
{
    m_context = gfx::newPangoContext();
    m_paragraphs = layOut(text, 0, npos);
    placeParagraphs(0);
}

void RichTextLayout::update(const AttributedString& text, Range replaced, size_t newLength)
{
    replaced.location = std::min(replaced.location, m_length);
    replaced.length = std::min(replaced.length, m_length - replaced.location);
    // A neighbour is laid out again only when the edit reaches it: a line feed typed at a
    // paragraph's start may join the carriage return before it into one line end, and an
    // edit that reaches a line end may join the paragraph after.
    size_t first = paragraphIndex(replaced.location);
    if (first > 0 && replaced.location <= m_paragraphs[first]->start)
        --first;
    size_t last = paragraphIndex(replaced.end());
    if (last + 1 < m_paragraphs.size() && replaced.end() >= m_paragraphs[last]->start + m_paragraphs[last]->length)
        ++last;
    auto shift = [&](size_t position) { return position - replaced.length + newLength; };
    size_t from = m_paragraphs[first]->start;
    size_t to = last + 1 < m_paragraphs.size() ? shift(m_paragraphs[last + 1]->start) : npos;
    Paragraphs fresh = layOut(text, from, to);
    size_t count = fresh.size();
    m_paragraphs.erase(m_paragraphs.begin() + static_cast<std::ptrdiff_t>(first), m_paragraphs.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    m_paragraphs.insert(m_paragraphs.begin() + static_cast<std::ptrdiff_t>(first), std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    for (size_t i = first + count; i < m_paragraphs.size(); ++i)
        m_paragraphs[i]->start = shift(m_paragraphs[i]->start);
    m_length = text.length();
    placeParagraphs(first);
}

RichTextLayout::Paragraphs RichTextLayout::layOut(const AttributedString& text, size_t from, size_t to) const
{
    Paragraphs paragraphs;
    RunCursor runs(text, from);
    size_t start = from;
    while (true) {
        paragraphs.push_back(makeParagraph(text, start, runs));
        const Paragraph& made = *paragraphs.back();
        // The text's last paragraph has no line end; it may be empty, after a final newline.
        // A kept paragraph may start at the very end of the text, after its last line end.
        if (made.separator == 0 || made.end() >= to)
            break;
        start = made.end();
    }
    return paragraphs;
}

std::unique_ptr<RichTextLayout::Paragraph> RichTextLayout::makeParagraph(const AttributedString& text, size_t start, RunCursor& runs) const
{
    const std::u16string& string = text.string();
    size_t end = start;
    while (end < string.size() && separatorLength(string, end) == 0)
        ++end;
    auto paragraph = std::make_unique<Paragraph>();
    paragraph->start = start;
    paragraph->length = end - start;
    paragraph->separator = end < string.size() ? separatorLength(string, end) : 0;
    encode(std::u16string_view(string).substr(start, end - start), paragraph->utf8, paragraph->offsets);
    paragraph->layout = pango_layout_new(m_context);
    PangoLayout* layout = paragraph->layout;
    pango_layout_set_text(layout, paragraph->utf8.data(), static_cast<int>(paragraph->utf8.size()));

    // An empty paragraph takes the look of its line end, so a blank line is as tall as the
    // text around it.
    const Attributes* first = string.empty() ? nullptr : &text.attributesAt(std::min(start, string.size() - 1));
    const gfx::Font& paragraphFont = first && first->font ? *first->font : m_defaults.font;
    pango_layout_set_font_description(layout, gfx::pangoFontDescription(paragraphFont).get());
    Alignment alignment = first ? first->paragraph.alignment : Alignment::Natural;
    pango_layout_set_alignment(layout, pangoAlignment(alignment));
    pango_layout_set_justify(layout, alignment == Alignment::Justified);
    pango_layout_set_auto_dir(layout, alignment == Alignment::Natural);
    if (m_wrapWidth > 0) {
        pango_layout_set_width(layout, static_cast<int>(m_wrapWidth * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    }

    PangoAttrList* list = pango_attr_list_new();
    runs.seek(start);
    for (size_t r = runs.run, runStart = runs.runStart; r < runs.runs.size() && runStart < end; runStart += runs.runs[r++].length) {
        size_t from = std::max(runStart, start);
        size_t to = std::min(runStart + runs.runs[r].length, end);
        if (from >= to)
            continue;
        int fromByte = paragraph->byteAt(from);
        int toByte = paragraph->byteAt(to);
        const Attributes& a = runs.runs[r].attributes;
        const gfx::Font& font = a.font ? *a.font : m_defaults.font;
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
    pango_layout_set_attributes(layout, list);
    pango_attr_list_unref(list);

    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    paragraph->height = points(logical.height);
    paragraph->width = points(logical.x + logical.width);
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        PangoRectangle extents;
        pango_layout_iter_get_line_extents(iter, nullptr, &extents);
        size_t lineStart = paragraph->indexAt(line->start_index) - start;
        size_t lineEnd = paragraph->indexAt(line->start_index + line->length) - start;
        paragraph->lines.push_back({ { lineStart, lineEnd - lineStart },
            { points(extents.x), points(extents.y), points(extents.width), points(extents.height) },
            points(pango_layout_iter_get_baseline(iter)) });
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    return paragraph;
}

void RichTextLayout::placeParagraphs(size_t from)
{
    double top = from > 0 ? m_paragraphs[from - 1]->top + m_paragraphs[from - 1]->height : 0;
    for (size_t i = from; i < m_paragraphs.size(); ++i) {
        m_paragraphs[i]->top = top;
        top += m_paragraphs[i]->height;
    }
    m_height = top;
    m_width = 0;
    m_lines.clear();
    for (const auto& paragraph : m_paragraphs) {
        m_width = std::max(m_width, paragraph->width);
        for (Line line : paragraph->lines) {
            line.range.location += paragraph->start;
            line.rect.origin.y += paragraph->top;
            line.baseline += paragraph->top;
            m_lines.push_back(line);
        }
    }
}

RichTextLayout::~RichTextLayout()
{
    // Each paragraph's layout holds the context too, so the order does not matter.
    g_object_unref(m_context);
}

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
        // Only paragraphs that meet the clip are painted: a keystroke redraws a few lines of
        // a long pad, not every paragraph above them.
        double clipLeft, clipTop, clipRight, clipBottom;
        cairo_clip_extents(cr, &clipLeft, &clipTop, &clipRight, &clipBottom);
        double visibleBottom = std::min(r.height(), clipBottom);
        auto first = std::partition_point(m_paragraphs.begin(), m_paragraphs.end(),
            [&](const std::unique_ptr<Paragraph>& p) { return p->top + p->height < clipTop; });
        for (auto it = first; it != m_paragraphs.end(); ++it) {
            const auto& paragraph = *it;
            if (paragraph->top > visibleBottom)
                break;
            cairo_save(cr);
            cairo_translate(cr, 0, paragraph->top);
            pango_cairo_update_layout(cr, paragraph->layout);
            const gfx::Color& c = m_defaults.color;
            cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
            pango_cairo_show_layout(cr, paragraph->layout);
            cairo_restore(cr);
        }
        cairo_restore(cr);
    });
    context.restore();
}

size_t RichTextLayout::paragraphIndex(size_t index) const
{
    // The paragraph that starts at or before the index; an index on a line end belongs to
    // the paragraph that line end closes.
    auto after = std::upper_bound(m_paragraphs.begin(), m_paragraphs.end(), index,
        [](size_t i, const std::unique_ptr<Paragraph>& p) { return i < p->start; });
    return after == m_paragraphs.begin() ? 0 : static_cast<size_t>(after - m_paragraphs.begin()) - 1;
}

gfx::Rect RichTextLayout::caretRect(size_t index) const
{
    const Paragraph& paragraph = paragraphFor(std::min(index, m_length));
    PangoRectangle strong;
    pango_layout_get_cursor_pos(paragraph.layout, paragraph.byteAt(std::min(index, m_length)), &strong, nullptr);
    // Once drawn at a display's scale, pango measures an empty line by the font at that
    // scale and gives half its height at twice the scale; the height taken when the
    // paragraph was laid out is in points.
    double height = paragraph.length == 0 ? paragraph.height : points(strong.height);
    return { points(strong.x), paragraph.top + points(strong.y), 0, height };
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
