#include "platform/gfx/TextLayout.h"

#include "platform/gfx/Fonts.h"
#include "platform/gfx/GraphicsContext.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstring>
#include <glib.h>
#include <pango/pangocairo.h>

namespace gfx {

namespace {

// U+2060 WORD JOINER: invisible, no line break, three bytes like the markers it stands for.
constexpr std::string_view kInvisibleJoiner = "\xE2\x81\xA0";

// The largest text whose glyphs are placed on whole pixels when drawn.
constexpr double kSmallTextSize = 11;

void configure(PangoLayout* layout, const std::string& text, double width, const TextStyle& style)
{
    pango_layout_set_text(layout, text.data(), int(text.size()));
    auto description = pangoFontDescription(style.font);
    pango_layout_set_font_description(layout, description.get());
    if (std::string features = pangoFontFeatures(style.font); !features.empty()) {
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes, pango_attr_font_features_new(features.c_str()));
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
    }
    if (width > 0 && std::isfinite(width)) {
        pango_layout_set_width(layout, int(std::min(width, 1e6) * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    }
    switch (style.paragraph.alignment) {
    case TextAlignment::natural:
        pango_layout_set_auto_dir(layout, TRUE);
        pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
        break;
    case TextAlignment::left: pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT); break;
    case TextAlignment::center: pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER); break;
    case TextAlignment::right: pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT); break;
    case TextAlignment::justified:
        pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
        pango_layout_set_justify(layout, TRUE);
        break;
    }
}

// Everything that shapes the text, from the layout measured to the one drawn: what a caller
// set on the measured one (a single line ending in "…") must show when it is drawn.
void mirror(PangoLayout* from, PangoLayout* to)
{
    // Setting a text or attributes lays the whole text out again, even when they are equal.
    const char* text = pango_layout_get_text(from);
    if (std::strcmp(text, pango_layout_get_text(to)) != 0)
        pango_layout_set_text(to, text, -1);
    PangoAttrList* attributes = pango_layout_get_attributes(from);
    PangoAttrList* drawn = pango_layout_get_attributes(to);
    if (attributes != drawn && (!attributes || !drawn || !pango_attr_list_equal(attributes, drawn)))
        pango_layout_set_attributes(to, attributes);
    pango_layout_set_font_description(to, pango_layout_get_font_description(from));
    pango_layout_set_width(to, pango_layout_get_width(from));
    pango_layout_set_height(to, pango_layout_get_height(from));
    pango_layout_set_wrap(to, pango_layout_get_wrap(from));
    pango_layout_set_ellipsize(to, pango_layout_get_ellipsize(from));
    pango_layout_set_alignment(to, pango_layout_get_alignment(from));
    pango_layout_set_justify(to, pango_layout_get_justify(from));
    pango_layout_set_auto_dir(to, pango_layout_get_auto_dir(from));
    pango_layout_set_indent(to, pango_layout_get_indent(from));
    pango_layout_set_spacing(to, pango_layout_get_spacing(from));
    pango_layout_set_single_paragraph_mode(to, pango_layout_get_single_paragraph_mode(from));
}

}

std::string displayableText(std::string_view utf8)
{
    gchar* valid = g_utf8_make_valid(utf8.data(), gssize(utf8.size()));
    std::string text(valid);
    g_free(valid);
    for (std::string_view marker : { std::string_view("\xEF\xA1\xA0"), std::string_view("\xEF\xA1\xA1") }) {
        for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + marker.size()))
            text.replace(at, marker.size(), kInvisibleJoiner);
    }
    return text;
}

TextLayout::TextLayout(std::string_view utf8, const TextStyle& style, double width)
    : m_style(style)
{
    m_layout = pango_layout_new(sharedPangoContext(SharedContext::measuring));
    configure(m_layout, displayableText(utf8), width, style);
}

TextLayout::~TextLayout()
{
    g_object_unref(m_layout);
    if (m_drawingLayout)
        g_object_unref(m_drawingLayout);
}

PangoLayout* TextLayout::drawingLayout() const
{
    // Drawn through a layout of its own on a drawing context, so that what a drawing does to
    // its context (the target's transform, glyphs rounded to whole pixels) never reaches the
    // measures, nor the measures of any other text.
    if (!m_drawingLayout) {
        bool small = m_style.font.pointSize <= kSmallTextSize;
        m_drawingLayout = pango_layout_new(
            sharedPangoContext(small ? SharedContext::drawingOnWholePixels : SharedContext::drawing));
    }
    // Drawn as the measured one is now (a width, an ellipsis, an underline set since); its
    // serial cannot tell, since a layout never measured counts no changes.
    mirror(m_layout, m_drawingLayout);
    return m_drawingLayout;
}

Rect TextLayout::boundingRect() const
{
    PangoRectangle logical;
    pango_layout_get_extents(m_layout, nullptr, &logical);
    return { 0, 0, double(logical.width) / PANGO_SCALE, double(logical.height) / PANGO_SCALE };
}

Rect TextLayout::drawnBoundingRect() const
{
    if (m_style.font.pointSize > kSmallTextSize)
        return boundingRect();
    PangoContext* context = pango_layout_get_context(m_layout);
    pango_context_set_round_glyph_positions(context, TRUE);
    pango_layout_context_changed(m_layout);
    Rect rounded = boundingRect();
    pango_context_set_round_glyph_positions(context, FALSE);
    pango_layout_context_changed(m_layout);
    return rounded;
}

void TextLayout::draw(const Rect& rect, TextClipping clipping) const
{
    GraphicsContext& context = GraphicsContext::requireCurrent();
    Rect r = rect.standardized();
    // cairo stops drawing for good once moved by a number that is no number, so a
    // rectangle from a broken layout draws nothing rather than blanking the whole window.
    if (!std::isfinite(r.minX()) || !std::isfinite(r.minY()) || !std::isfinite(r.width()) || !std::isfinite(r.height()))
        return;
    context.save();
    if (clipping == TextClipping::toRect)
        context.clipToRect(r);
    bool yDown = context.isFlipped();
    const Color& c = m_style.color;
    context.paint([&](cairo_t* cr) {
        cairo_save(cr);
        cairo_translate(cr, r.minX(), yDown ? r.minY() : r.maxY());
        if (!yDown)
            cairo_scale(cr, 1, -1);
        // Drawn on whole pixels glyph by glyph, small text is spaced unevenly ("FOCUSE D")
        // unless its positions are rounded as it is laid out for drawing; it is measured
        // unrounded all the same. Large text is left as it is: a pixel is nothing to it.
        PangoLayout* layout = drawingLayout();
        pango_cairo_update_layout(cr, layout);
        cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
        pango_cairo_show_layout(cr, layout);
        cairo_restore(cr);
    });
    context.restore();
}

Path TextLayout::outline() const
{
    Path path;
    double baseline = double(pango_layout_get_baseline(m_layout)) / PANGO_SCALE;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    pango_cairo_layout_path(cr, m_layout);
    cairo_path_t* outline = cairo_copy_path(cr);
    // Pango's y runs down from the layout's top; ours runs up from the baseline.
    auto point = [&](const cairo_path_data_t& data) { return Point { data.point.x, baseline - data.point.y }; };
    for (int i = 0; outline->status == CAIRO_STATUS_SUCCESS && i < outline->num_data; i += outline->data[i].header.length) {
        const cairo_path_data_t* data = &outline->data[i];
        switch (data->header.type) {
        case CAIRO_PATH_MOVE_TO: path.moveTo(point(data[1])); break;
        case CAIRO_PATH_LINE_TO: path.lineTo(point(data[1])); break;
        case CAIRO_PATH_CURVE_TO: path.curveTo(point(data[3]), point(data[1]), point(data[2])); break;
        case CAIRO_PATH_CLOSE_PATH: path.closePath(); break;
        }
    }
    cairo_path_destroy(outline);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return path;
}

void TextLayout::underline(size_t from, size_t to)
{
    if (from >= to)
        return;
    PangoAttrList* existing = pango_layout_get_attributes(m_layout);
    PangoAttrList* attributes = existing ? pango_attr_list_copy(existing) : pango_attr_list_new();
    PangoAttribute* line = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
    line->start_index = guint(std::min<size_t>(from, G_MAXUINT));
    line->end_index = guint(std::min<size_t>(to, G_MAXUINT));
    pango_attr_list_insert(attributes, line);
    pango_layout_set_attributes(m_layout, attributes);
    pango_attr_list_unref(attributes);
}

Rect textBoundingRect(std::string_view utf8, double width, const TextStyle& style)
{
    return TextLayout(utf8, style, width).boundingRect();
}

void drawText(std::string_view utf8, const Rect& rect, const TextStyle& style, TextClipping clipping)
{
    TextLayout(utf8, style, rect.standardized().width()).draw(rect, clipping);
}

Path textOutline(std::string_view utf8, const Font& font)
{
    return TextLayout(utf8, TextStyle { font, colors::black, { TextAlignment::left } }).outline();
}

}
