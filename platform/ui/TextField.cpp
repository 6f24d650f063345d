#include "platform/ui/TextField.h"

#include "platform/base/KeyCodes.h"
#include "platform/gfx/Fonts.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <pango/pango.h>
#include <tuple>
#include <vector>

namespace ui {

namespace {
constexpr double kInsetX = 4;
constexpr double kInsetY = 3;

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}

std::shared_ptr<TextField> TextField::create(std::string text)
{
    return std::shared_ptr<TextField>(new TextField(std::move(text)));
}

std::shared_ptr<TextField> TextField::createLabel(std::string text)
{
    auto label = create(std::move(text));
    label->m_editable = false;
    label->m_selectable = false;
    label->m_bordered = false;
    label->m_drawsBackground = false;
    return label;
}

TextField::TextField(std::string text)
    : Control({})
    , m_text(gfx::displayableText(text) == text ? std::move(text) : gfx::displayableText(text))
{
    m_caret = m_anchor = m_text.size();
    setFocusesOnClick(true);
}

void TextField::setStringValue(std::string text)
{
    endComposition(true);
    // Whatever comes in, the field holds valid UTF-8.
    if (std::string shown = gfx::displayableText(text); shown != text)
        text = std::move(shown);
    // Read-outs are given their text every second, mostly the one they show: that asks for
    // no new layout and no drawing.
    if (text == m_text && m_caret == m_text.size() && m_anchor == m_text.size())
        return;
    // The program put another text in: the user's edits before it are not undone into it.
    if (text != m_text)
        m_undo.removeAllActions();
    m_text = std::move(text);
    m_caret = m_anchor = m_text.size();
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

std::int64_t TextField::integerValue() const
{
    // Leading digits count, as a reader of "12 minutes" would expect; anything else is 0.
    std::size_t end = 0;
    while (end < m_text.size() && (std::isdigit(static_cast<unsigned char>(m_text[end])) || (end == 0 && (m_text[0] == '-' || m_text[0] == '+'))))
        ++end;
    return IntegerFormatter::parse(m_text.substr(0, end)).value_or(0);
}

void TextField::setPlaceholder(std::string placeholder)
{
    m_placeholder = std::move(placeholder);
    setNeedsDisplay();
}

void TextField::setEditable(bool editable)
{
    m_editable = editable;
    setNeedsDisplay();
}

void TextField::setBordered(bool bordered)
{
    m_bordered = bordered;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void TextField::setDrawsBackground(bool draws)
{
    m_drawsBackground = draws;
    setNeedsDisplay();
}

void TextField::setTextColor(gfx::Color color)
{
    m_textColor = color;
    setNeedsDisplay();
}

void TextField::setAlignment(gfx::TextAlignment alignment)
{
    m_alignment = alignment;
    setNeedsDisplay();
}

void TextField::setWraps(bool wraps)
{
    m_wraps = wraps;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void TextField::setPreferredMaxLayoutWidth(double width)
{
    m_preferredWidth = std::max(0.0, width);
    invalidateIntrinsicContentSize();
}

gfx::TextStyle TextField::style() const { return gfx::TextStyle(font(), m_textColor, { m_alignment }); }

Rect TextField::textRect() const
{
    double inset = m_bordered || m_drawsBackground ? kInsetX : 0;
    return bounds().insetBy(inset, m_bordered ? kInsetY : 0);
}

Size TextField::intrinsicContentSize() const
{
    double insetX = m_bordered || m_drawsBackground ? 2 * kInsetX : 0;
    double insetY = m_bordered ? 2 * kInsetY : 0;
    double lineHeight = std::ceil(ControlLook::labelSize("Xg", font()).height);
    if (m_editable)
        return { kNoIntrinsicMetric, lineHeight + insetY };
    double width = m_wraps && m_preferredWidth > 0 ? m_preferredWidth - insetX : 0;
    // Asked by every layout and every change of text, in a read-out every second: the text
    // is measured once for as long as it and its style stay.
    MeasuredText key { m_text, style(), width, gfx::fontGeneration(), {} };
    if (!m_measured || !m_measured->sameAs(key)) {
        key.rect = gfx::textBoundingRect(m_text.empty() ? " " : m_text, width, key.style);
        m_measured = std::move(key);
    }
    Rect r = m_measured->rect;
    return { std::ceil(m_text.empty() ? 0 : r.width()) + insetX + (m_text.empty() ? 0 : 1), std::max(lineHeight, std::ceil(r.height())) + insetY };
}

std::optional<double> TextField::firstBaselineOffsetFromTop() const
{
    // Asked at every layout that aligns the field by its baseline; it depends on the font alone.
    static std::vector<std::tuple<gfx::Font, unsigned, double>> baselines;
    unsigned generation = gfx::fontGeneration();
    auto found = std::find_if(baselines.begin(), baselines.end(),
        [&](const auto& entry) { return std::get<0>(entry) == font() && std::get<1>(entry) == generation; });
    if (found == baselines.end()) {
        if (baselines.size() >= 64)
            baselines.clear();
        gfx::TextLayout layout("Xg", style());
        baselines.emplace_back(font(), generation, pango_layout_get_baseline(layout.pangoLayout()) / static_cast<double>(PANGO_SCALE));
        found = std::prev(baselines.end());
    }
    return (m_bordered ? kInsetY : 0) + std::get<2>(*found);
}

bool TextField::isEditing() const
{
    return window() && window()->firstResponder() == this && m_editable;
}

bool TextField::becomeFirstResponder()
{
    m_edited = false;
    selectAll();
    return true;
}

bool TextField::resignFirstResponder()
{
    endComposition(true);
    m_undo.closeOpenGroup();
    m_anchor = m_caret;
    setNeedsDisplay();
    if (m_edited) {
        m_edited = false;
        if (auto done = onEndEditing)
            done();
    }
    return true;
}

void TextField::selectAll()
{
    m_undo.closeOpenGroup();
    m_anchor = 0;
    m_caret = m_text.size();
    setNeedsDisplay();
}

void TextField::setCaret(std::size_t offset)
{
    offset = std::min(offset, m_text.size());
    while (offset > 0 && offset < m_text.size() && isContinuationByte(m_text[offset]))
        --offset;
    m_undo.closeOpenGroup();
    m_caret = m_anchor = offset;
    setNeedsDisplay();
}

void TextField::setSelection(std::size_t anchor, std::size_t caret)
{
    setCaret(anchor);
    std::size_t start = m_caret;
    setCaret(caret);
    m_anchor = start;
}

std::size_t TextField::previousBoundary(std::size_t offset) const
{
    if (offset == 0)
        return 0;
    --offset;
    while (offset > 0 && isContinuationByte(m_text[offset]))
        --offset;
    return offset;
}

std::size_t TextField::nextBoundary(std::size_t offset) const
{
    if (offset >= m_text.size())
        return m_text.size();
    ++offset;
    while (offset < m_text.size() && isContinuationByte(m_text[offset]))
        ++offset;
    return offset;
}

bool TextField::replace(std::size_t from, std::size_t to, const std::string& text, EditKind kind)
{
    endComposition(true);
    std::string candidate = m_text;
    candidate.replace(from, to - from, text);
    if (m_formatter && !m_formatter->isPartialStringValid(candidate))
        return false;
    recordUndo(kind);
    m_text = std::move(candidate);
    m_caret = m_anchor = from + text.size();
    m_edited = true;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
    revealCaret();
    if (auto changed = onTextChange)
        changed();
    return true;
}

void TextField::revealCaret()
{
    // What is typed shows where it goes: a field the wheel scrolled partly away comes back.
    if (isEditing() && window())
        ScrollView::scrollRectToVisible(*this, textInputCaretRect().insetBy(-2, -2));
}

bool TextField::insertText(const std::string& text)
{
    std::string clean = gfx::displayableText(text);
    // A one-line field takes no line breaks: they become spaces.
    if (!m_wraps)
        std::replace_if(clean.begin(), clean.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return replace(std::min(m_anchor, m_caret), std::max(m_anchor, m_caret), clean, EditKind::Typing);
}

void TextField::deleteBackward()
{
    if (m_anchor != m_caret)
        replace(std::min(m_anchor, m_caret), std::max(m_anchor, m_caret), {}, EditKind::Deleting);
    else if (m_caret > 0)
        replace(previousBoundary(m_caret), m_caret, {}, EditKind::Deleting);
}

void TextField::deleteForward()
{
    if (m_anchor != m_caret)
        replace(std::min(m_anchor, m_caret), std::max(m_anchor, m_caret), {}, EditKind::Deleting);
    else if (m_caret < m_text.size())
        replace(m_caret, nextBoundary(m_caret), {}, EditKind::Deleting);
}

double TextField::lineWidth(const gfx::TextLayout& layout, const std::string& text) const
{
    // A read-out changing every second was shaped once for its size and twice more to be
    // drawn; measured again here it cost a third of the drawing.
    if (!m_wraps && !text.empty() && m_measured && m_measured->sameAs({ text, style(), 0, gfx::fontGeneration(), {} }))
        return m_measured->rect.width();
    return layout.boundingRect().width();
}

Rect TextField::placed(double width, Rect area) const
{
    if (m_wraps)
        return area;
    // One line, placed by the alignment by hand: pango aligns only within a wrap width.
    double slack = std::max(0.0, area.width() - width);
    if (m_alignment == gfx::TextAlignment::center)
        return Rect(area.minX() + slack / 2, area.minY(), width + 1, area.height());
    if (m_alignment == gfx::TextAlignment::right)
        return Rect(area.minX() + slack, area.minY(), width + 1, area.height());
    return area;
}

std::size_t TextField::offsetAt(Point point) const
{
    Rect area = textRect();
    gfx::TextLayout layout(m_text, style(), m_wraps ? area.width() : 0);
    area = placed(layout, area);
    int index = 0;
    int trailing = 0;
    pango_layout_xy_to_index(layout.pangoLayout(), static_cast<int>((point.x - area.minX()) * PANGO_SCALE),
        static_cast<int>((point.y - area.minY()) * PANGO_SCALE), &index, &trailing);
    std::size_t offset = static_cast<std::size_t>(std::max(0, index));
    for (int i = 0; i < trailing; ++i)
        offset = nextBoundary(offset);
    return std::min(offset, m_text.size());
}

void TextField::drawOwnLook(gfx::GraphicsContext& context)
{
    if (m_drawsBackground || m_bordered)
        ControlLook::drawBezel(context, bounds(), 4, m_drawsBackground ? ControlLook::kField : gfx::Color::white(0, 0),
            m_bordered ? (isEditing() ? ControlLook::kAccent : ControlLook::kStroke) : gfx::Color::white(0, 0));
    Rect area = textRect();
    context.save();
    context.clipToRect(area);
    if (m_text.empty() && !m_composition && !m_placeholder.empty()) {
        gfx::TextLayout placeholder(m_placeholder, gfx::TextStyle(font(), ControlLook::kSecondaryText, { m_alignment }),
            m_wraps ? area.width() : 0);
        placeholder.draw(area);
    }
    Shown text = shown();
    gfx::TextLayout layout(text.text, style(), m_wraps ? area.width() : 0);
    layout.underline(text.compositionStart, text.compositionEnd);
    bool editing = isEditing();
    // A one-line text shown, not edited, that is longer than its room says so with "…".
    double width = lineWidth(layout, text.text);
    if (!editing && !m_wraps && width > area.width() + 0.5) {
        ControlLook::fitOnOneLine(layout, area.width());
        width = layout.boundingRect().width();
    }
    area = placed(width, area);
    // The selection, or the part of a composition being converted.
    std::size_t from = std::min(m_anchor, m_caret);
    std::size_t to = std::max(m_anchor, m_caret);
    if (m_composition) {
        from = text.compositionStart + m_composition->byteOffset(m_composition->cursor);
        to = text.compositionStart + m_composition->byteOffset(m_composition->cursor + m_composition->selectionLength);
    }
    if (editing && to > from) {
        int range[2] = { static_cast<int>(from), static_cast<int>(to) };
        PangoRectangle start, end;
        pango_layout_index_to_pos(layout.pangoLayout(), range[0], &start);
        pango_layout_index_to_pos(layout.pangoLayout(), range[1], &end);
        double x0 = area.minX() + start.x / static_cast<double>(PANGO_SCALE);
        double x1 = area.minX() + end.x / static_cast<double>(PANGO_SCALE);
        context.setFillColor(ControlLook::selectionColorForText(m_textColor, true));
        context.fillRect(Rect(std::min(x0, x1), area.minY() + start.y / static_cast<double>(PANGO_SCALE), std::abs(x1 - x0),
            start.height / static_cast<double>(PANGO_SCALE)));
    }
    layout.draw(area);
    if (editing && (m_anchor == m_caret || m_composition)) {
        PangoRectangle caret;
        pango_layout_index_to_pos(layout.pangoLayout(), static_cast<int>(text.caret), &caret);
        context.setFillColor(m_textColor);
        context.fillRect(Rect(area.minX() + caret.x / static_cast<double>(PANGO_SCALE), area.minY() + caret.y / static_cast<double>(PANGO_SCALE),
            1, caret.height / static_cast<double>(PANGO_SCALE)));
    }
    context.restore();
}

}

namespace ui {

TextField::Shown TextField::shown() const
{
    Shown out { m_text, m_caret, 0, 0 };
    if (!m_composition)
        return out;
    std::size_t from = std::min(m_anchor, m_caret);
    std::size_t to = std::max(m_anchor, m_caret);
    std::string composed = m_composition->text;
    // A one-line field shows no line breaks, composed or typed.
    if (!m_wraps)
        std::replace_if(composed.begin(), composed.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    out.text.replace(from, to - from, composed);
    out.compositionStart = from;
    out.compositionEnd = from + composed.size();
    out.caret = from + m_composition->byteOffset(m_composition->cursor);
    return out;
}

void TextField::setComposition(const Composition& composition)
{
    if (!isEditing())
        return;
    if (composition.isEmpty())
        endComposition(false);
    else
        m_composition = composition;
    setNeedsDisplay();
}

void TextField::endComposition(bool discard)
{
    if (!m_composition)
        return;
    m_composition.reset();
    setNeedsDisplay();
    if (discard && window())
        window()->discardComposition();
}

void TextField::commitText(const std::string& utf8)
{
    endComposition(false);
    if (isEditing() && !utf8.empty())
        insertText(utf8);
}

Rect TextField::textInputCaretRect() const
{
    Rect area = textRect();
    Shown text = shown();
    gfx::TextLayout layout(text.text, style(), m_wraps ? area.width() : 0);
    area = placed(layout, area);
    PangoRectangle caret;
    pango_layout_index_to_pos(layout.pangoLayout(), static_cast<int>(text.caret), &caret);
    return Rect(area.minX() + caret.x / static_cast<double>(PANGO_SCALE), area.minY() + caret.y / static_cast<double>(PANGO_SCALE), 1,
        caret.height / static_cast<double>(PANGO_SCALE));
}

}
