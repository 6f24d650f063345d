#include "platform/text/RichTextLayout.h"

#include "platform/gfx/Fonts.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/text/Unicode.h"

#include <algorithm>
#include <cairo.h>
#include <chrono>
#include <cmath>
#include <pango/pangocairo.h>

namespace text {

// A stretch of a paragraph shaped by one pango layout: the text as pango takes it, the byte
// offset of every UTF-16 index of the stretch and of its end (both halves of a surrogate pair
// start at the pair's first byte), and where it starts in the paragraph.
struct RichTextLayout::Piece {
    size_t from { 0 };
    size_t length { 0 };
    double top { 0 };
    std::string utf8;
    std::vector<int> offsets;
    PangoLayout* layout { nullptr };

    Piece() = default;
    Piece(Piece&& other) noexcept { *this = std::move(other); }
    Piece& operator=(Piece&& other) noexcept
    {
        std::swap(from, other.from);
        std::swap(length, other.length);
        std::swap(top, other.top);
        std::swap(utf8, other.utf8);
        std::swap(offsets, other.offsets);
        std::swap(layout, other.layout);
        return *this;
    }
    ~Piece()
    {
        if (layout)
            g_object_unref(layout);
    }
    // From and to indices of the paragraph.
    int byteAt(size_t index) const { return offsets[std::min(index - from, length)]; }
    size_t indexAt(int byte) const
    {
        auto found = std::lower_bound(offsets.begin(), offsets.end(), byte);
        return from + static_cast<size_t>(found - offsets.begin());
    }
};

struct RichTextLayout::Paragraph {
    size_t start { 0 };
    size_t length { 0 };
    size_t separator { 0 };
    double top { 0 };
    double height { 0 };
    double width { 0 };
    // Height, width and lines are the layout's own, not an estimate.
    bool measured { false };
    // Ranges from the paragraph's start, rectangles from its top; kept once measured.
    std::vector<Line> lines;
    // While shaped: one piece, or several for a paragraph too long to shape at once.
    std::vector<Piece> pieces;
    std::uint64_t lastUse { 0 };

    bool isShaped() const { return !pieces.empty(); }
    void drop() { std::vector<Piece>().swap(pieces); }
    size_t end() const { return start + length + separator; }
    // The piece an index of the text falls in: at a boundary, the piece it starts.
    const Piece& pieceAt(size_t index) const
    {
        size_t offset = std::min(index - start, length);
        for (const auto& piece : pieces)
            if (offset < piece.from + piece.length)
                return piece;
        return pieces.back();
    }
    const Piece& pieceAtHeight(double y) const
    {
        for (size_t i = 1; i < pieces.size(); ++i)
            if (y < pieces[i].top)
                return pieces[i - 1];
        return pieces.back();
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

// Links in a light blue among light text (dark fields), a dark blue among dark text.
gfx::Color linkColor(const gfx::Color& text)
{
    double lightness = 0.2126 * text.red + 0.7152 * text.green + 0.0722 * text.blue;
    return lightness > 0.5 ? gfx::Color::rgb(0.55, 0.75, 1.0) : gfx::Color::rgb(0.05, 0.3, 0.8);
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

namespace {

// Layouts a lazy page keeps shaped at once; beyond it the least recently used go (their
// heights and lines stay).
constexpr size_t kKeptLayouts = 400;
// The longest stretch of a paragraph pango shapes at once.
constexpr size_t kPieceLength = 2000;

double steadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}

RichTextLayout::RichTextLayout(const AttributedString& text, double width, LayoutDefaults defaults, Laziness laziness)
    : m_defaults(std::move(defaults))
    , m_wrapWidth(width > 0 && std::isfinite(width) ? std::min(width, 1e6) : 0)
    , m_length(text.length())
    , m_laziness(laziness)
{
    m_context = gfx::newPangoContext();
    if (m_laziness == Laziness::none) {
        m_paragraphs = layOut(text, 0, npos);
        return;
    }
    m_text = text;
    m_runStarts.reserve(m_text.runs().size());
    for (size_t at = 0; const auto& run : m_text.runs()) {
        m_runStarts.push_back(at);
        at += run.length;
    }
    // One sample in the default font: what an estimated line is high and a character wide.
    PangoLayout* sample = pango_layout_new(m_context);
    pango_layout_set_font_description(sample, gfx::pangoFontDescription(m_defaults.font).get());
    static const char kSample[] = "The quick brown fox jumps over the lazy dog";
    pango_layout_set_text(sample, kSample, -1);
    PangoRectangle logical;
    pango_layout_get_extents(sample, nullptr, &logical);
    m_estimatedLineHeight = std::max(1.0, points(logical.height));
    m_estimatedCharacterWidth = std::max(1.0, points(logical.width) / double(sizeof kSample - 1));
    g_object_unref(sample);
    m_paragraphs = find(m_text, 0, npos);
}

void RichTextLayout::update(const AttributedString& text, Range replaced, size_t newLength)
{
    replaced.location = std::min(replaced.location, m_length);
    replaced.length = std::min(replaced.length, m_length - replaced.location);
    if (m_laziness == Laziness::asNeeded) {
        m_text.replace(replaced, text.substring({ replaced.location, newLength }));
        m_runStarts.clear();
        for (size_t at = 0; const auto& run : m_text.runs()) {
            m_runStarts.push_back(at);
            at += run.length;
        }
    }
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
    // A lazy layout finds the new paragraphs in its own copy of the text, and lays out now
    // only where the edit starts and where the caret lands after it: a pasted page is
    // measured as it is looked at, like an opened one.
    bool lazy = m_laziness == Laziness::asNeeded;
    Paragraphs fresh = lazy ? find(m_text, from, to) : layOut(text, from, to);
    size_t count = fresh.size();
    for (size_t i = first; i <= last; ++i)
        m_shapedCount -= m_paragraphs[i]->isShaped() ? 1 : 0;
    m_paragraphs.erase(m_paragraphs.begin() + static_cast<std::ptrdiff_t>(first), m_paragraphs.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    m_paragraphs.insert(m_paragraphs.begin() + static_cast<std::ptrdiff_t>(first), std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    for (size_t i = first + count; i < m_paragraphs.size(); ++i)
        m_paragraphs[i]->start = shift(m_paragraphs[i]->start);
    m_length = text.length();
    m_placedUpTo = std::min(m_placedUpTo, first);
    m_linesValid = false;
    if (lazy) {
        shaped(first);
        shaped(first + count - 1);
    }
    releaseLayouts();
}

RichTextLayout::Paragraphs RichTextLayout::find(const AttributedString& text, size_t from, size_t to) const
{
    Paragraphs paragraphs;
    size_t start = from;
    while (true) {
        paragraphs.push_back(findParagraph(text.string(), start));
        Paragraph& found = *paragraphs.back();
        found.height = estimatedHeight(found);
        // The text's last paragraph has no line end; it may be empty, after a final newline.
        // A kept paragraph may start at the very end of the text, after its last line end.
        if (found.separator == 0 || found.end() >= to)
            break;
        start = found.end();
    }
    return paragraphs;
}

RichTextLayout::Paragraphs RichTextLayout::layOut(const AttributedString& text, size_t from, size_t to) const
{
    Paragraphs paragraphs = find(text, from, to);
    RunCursor cursor = runCursor(text, from);
    for (auto& paragraph : paragraphs)
        shape(*paragraph, text, cursor);
    return paragraphs;
}

std::unique_ptr<RichTextLayout::Paragraph> RichTextLayout::findParagraph(const std::u16string& string, size_t start) const
{
    size_t end = start;
    while (end < string.size() && separatorLength(string, end) == 0)
        ++end;
    auto paragraph = std::make_unique<Paragraph>();
    paragraph->start = start;
    paragraph->length = end - start;
    paragraph->separator = end < string.size() ? separatorLength(string, end) : 0;
    return paragraph;
}

double RichTextLayout::estimatedHeight(const Paragraph& paragraph) const
{
    double lines = 1;
    if (m_wrapWidth > 0)
        lines = std::max(1.0, std::ceil(double(paragraph.length) * m_estimatedCharacterWidth / m_wrapWidth));
    return lines * m_estimatedLineHeight;
}

size_t RichTextLayout::runAt(size_t index) const
{
    auto after = std::upper_bound(m_runStarts.begin(), m_runStarts.end(), index);
    return after == m_runStarts.begin() ? 0 : size_t(after - m_runStarts.begin()) - 1;
}

RichTextLayout::RunCursor RichTextLayout::runCursor(const AttributedString& text, size_t index) const
{
    RunCursor cursor;
    if (&text == &m_text && !m_runStarts.empty()) {
        cursor.run = runAt(index);
        cursor.start = m_runStarts[cursor.run];
        return cursor;
    }
    const auto& runs = text.runs();
    while (cursor.run < runs.size() && cursor.start + runs[cursor.run].length <= index) {
        cursor.start += runs[cursor.run++].length;
        ++m_runsVisited;
    }
    return cursor;
}

void RichTextLayout::shape(Paragraph& paragraph, const AttributedString& text, RunCursor& cursor) const
{
    const std::u16string& string = text.string();
    if (!paragraph.isShaped())
        ++m_shapedCount;
    paragraph.drop();
    paragraph.lastUse = ++m_useClock;

    const auto& runs = text.runs();
    size_t& run = cursor.run;
    size_t& runStart = cursor.start;
    while (run < runs.size() && runStart + runs[run].length <= paragraph.start) {
        runStart += runs[run++].length;
        ++m_runsVisited;
    }
    // An empty paragraph takes the look of its line end, so a blank line is as tall as the
    // text around it.
    const Attributes* first = nullptr;
    if (!runs.empty())
        first = paragraph.start < string.size() && run < runs.size() ? &runs[run].attributes : &runs.back().attributes;
    const gfx::Font& paragraphFont = first && first->font ? *first->font : m_defaults.font;
    Alignment alignment = first ? first->paragraph.alignment : Alignment::Natural;

    paragraph.lines.clear();
    paragraph.height = 0;
    paragraph.width = 0;
    // Pango shapes a long paragraph again for every line it breaks, which grows with the
    // square of its length: a paragraph is shaped a few thousand characters at a time, each
    // piece keeping all its lines but the last, from whose start the next piece goes on. The
    // lines come out as one layout would break them.
    size_t from = 0;
    while (true) {
        size_t remaining = paragraph.length - from;
        bool last = m_wrapWidth <= 0 || remaining <= kPieceLength;
        size_t length = last ? remaining : kPieceLength;
        if (!last && isHighSurrogate(string[paragraph.start + from + length - 1]))
            ++length;
        Piece piece;
        piece.from = from;
        piece.top = paragraph.height;
        encode(std::u16string_view(string).substr(paragraph.start + from, length), piece.utf8, piece.offsets);
        piece.length = length;
        piece.layout = pango_layout_new(m_context);
        PangoLayout* layout = piece.layout;
        pango_layout_set_text(layout, piece.utf8.data(), static_cast<int>(piece.utf8.size()));
        pango_layout_set_font_description(layout, gfx::pangoFontDescription(paragraphFont).get());
        pango_layout_set_alignment(layout, pangoAlignment(alignment));
        pango_layout_set_justify(layout, alignment == Alignment::Justified);
        pango_layout_set_auto_dir(layout, alignment == Alignment::Natural);
        if (m_wrapWidth > 0) {
            pango_layout_set_width(layout, static_cast<int>(m_wrapWidth * PANGO_SCALE));
            pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        }

        size_t pieceStart = paragraph.start + from;
        size_t pieceEnd = pieceStart + length;
        while (run < runs.size() && runStart + runs[run].length <= pieceStart) {
            runStart += runs[run++].length;
            ++m_runsVisited;
        }
        PangoAttrList* list = pango_attr_list_new();
        for (size_t r = run, rs = runStart; r < runs.size() && rs < pieceEnd; rs += runs[r++].length) {
            ++m_runsVisited;
            size_t runFrom = std::max(rs, pieceStart);
            size_t runTo = std::min(rs + runs[r].length, pieceEnd);
            if (runFrom >= runTo)
                continue;
            int fromByte = piece.byteAt(runFrom - paragraph.start);
            int toByte = piece.byteAt(runTo - paragraph.start);
            const Attributes& a = runs[r].attributes;
            const gfx::Font& font = a.font ? *a.font : m_defaults.font;
            insert(list, pango_attr_font_desc_new(gfx::pangoFontDescription(font).get()), fromByte, toByte);
            if (std::string features = gfx::pangoFontFeatures(font); !features.empty())
                insert(list, pango_attr_font_features_new(features.c_str()), fromByte, toByte);
            if (a.foreground) {
                insert(list, pango_attr_foreground_new(channel(a.foreground->red), channel(a.foreground->green), channel(a.foreground->blue)), fromByte, toByte);
                insert(list, pango_attr_foreground_alpha_new(std::max<guint16>(1, channel(a.foreground->alpha))), fromByte, toByte);
            }
            // A link shows as one, underlined and, unless its text has a colour of its own,
            // in a blue that reads on whatever the text is written on.
            if (!a.link.empty() && !a.foreground) {
                gfx::Color link = linkColor(m_defaults.color);
                insert(list, pango_attr_foreground_new(channel(link.red), channel(link.green), channel(link.blue)), fromByte, toByte);
            }
            if (a.underline || !a.link.empty())
                insert(list, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), fromByte, toByte);
            if (a.strikethrough)
                insert(list, pango_attr_strikethrough_new(TRUE), fromByte, toByte);
        }
        pango_layout_set_attributes(layout, list);
        pango_attr_list_unref(list);

        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        paragraph.width = std::max(paragraph.width, points(logical.x + logical.width));
        // The lines this piece keeps: all, for the last piece (or one that broke no line).
        int lineCount = pango_layout_get_line_count(layout);
        bool keepsAll = last || lineCount < 2;
        double kept = points(logical.height);
        size_t next = paragraph.length;
        PangoLayoutIter* iter = pango_layout_get_iter(layout);
        int index = 0;
        do {
            PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
            PangoRectangle extents;
            pango_layout_iter_get_line_extents(iter, nullptr, &extents);
            size_t lineStart = piece.indexAt(line->start_index);
            if (!keepsAll && index == lineCount - 1) {
                kept = points(extents.y);
                next = lineStart;
                break;
            }
            size_t lineEnd = piece.indexAt(line->start_index + line->length);
            paragraph.lines.push_back({ { lineStart, lineEnd - lineStart },
                { points(extents.x), piece.top + points(extents.y), points(extents.width), points(extents.height) },
                piece.top + points(pango_layout_iter_get_baseline(iter)) });
            ++index;
        } while (pango_layout_iter_next_line(iter));
        pango_layout_iter_free(iter);
        if (!keepsAll)
            piece.length = next - from;
        paragraph.height += kept;
        paragraph.pieces.push_back(std::move(piece));
        if (keepsAll && !last)
            next = from + length;
        if (keepsAll && last)
            break;
        from = next;
    }
    paragraph.measured = true;
}

RichTextLayout::Paragraph& RichTextLayout::measured(size_t index) const
{
    Paragraph& paragraph = *m_paragraphs[index];
    if (!paragraph.measured) {
        double estimate = paragraph.height;
        RunCursor cursor = runCursor(m_text, paragraph.start);
        shape(paragraph, m_text, cursor);
        if (paragraph.height != estimate) {
            m_placedUpTo = std::min(m_placedUpTo, index + 1);
            m_linesValid = false;
        }
    }
    paragraph.lastUse = ++m_useClock;
    return paragraph;
}

RichTextLayout::Paragraph& RichTextLayout::shaped(size_t index) const
{
    Paragraph& paragraph = measured(index);
    if (!paragraph.isShaped()) {
        RunCursor cursor = runCursor(m_text, paragraph.start);
        shape(paragraph, m_text, cursor);
    }
    return paragraph;
}

void RichTextLayout::releaseLayouts() const
{
    if (m_laziness == Laziness::none || m_shapedCount <= kKeptLayouts)
        return;
    // Down to half, the least recently used first: a long scroll frees them in batches.
    std::vector<std::pair<std::uint64_t, Paragraph*>> held;
    held.reserve(m_shapedCount);
    for (const auto& paragraph : m_paragraphs)
        if (paragraph->isShaped())
            held.emplace_back(paragraph->lastUse, paragraph.get());
    std::sort(held.begin(), held.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i + kKeptLayouts / 2 < held.size(); ++i) {
        held[i].second->drop();
        --m_shapedCount;
    }
}

void RichTextLayout::place() const
{
    if (m_placedUpTo >= m_paragraphs.size())
        return;
    size_t from = m_placedUpTo;
    double top = from > 0 ? m_paragraphs[from - 1]->top + m_paragraphs[from - 1]->height : 0;
    for (size_t i = from; i < m_paragraphs.size(); ++i) {
        m_paragraphs[i]->top = top;
        top += m_paragraphs[i]->height;
    }
    m_height = top;
    m_width = 0;
    for (const auto& paragraph : m_paragraphs)
        if (paragraph->measured)
            m_width = std::max(m_width, paragraph->width);
    m_placedUpTo = m_paragraphs.size();
    m_linesValid = false;
}

RichTextLayout::~RichTextLayout()
{
    // Each paragraph's layout holds the context too, so the order does not matter.
    m_paragraphs.clear();
    g_object_unref(m_context);
}

gfx::Rect RichTextLayout::boundingRect() const
{
    place();
    return { 0, 0, m_width, m_height };
}

bool RichTextLayout::isComplete() const
{
    return std::all_of(m_paragraphs.begin(), m_paragraphs.end(), [](const auto& p) { return p->measured; });
}

size_t RichTextLayout::paragraphsHoldingLayouts() const { return m_shapedCount; }

size_t RichTextLayout::runsVisited() const { return m_runsVisited; }

bool RichTextLayout::layOutMore(double seconds)
{
    double deadline = steadySeconds() + seconds;
    bool complete = true;
    for (size_t i = 0; i < m_paragraphs.size(); ++i) {
        Paragraph& paragraph = *m_paragraphs[i];
        if (paragraph.measured)
            continue;
        if (steadySeconds() > deadline) {
            complete = false;
            break;
        }
        bool wasShaped = paragraph.isShaped();
        measured(i);
        // Measured for its height only: nobody looks at it yet.
        if (!wasShaped && paragraph.isShaped()) {
            paragraph.drop();
            --m_shapedCount;
        }
    }
    return complete;
}

const std::vector<RichTextLayout::Line>& RichTextLayout::lines() const
{
    for (size_t i = 0; i < m_paragraphs.size(); ++i)
        measured(i);
    place();
    if (!m_linesValid) {
        m_lines.clear();
        for (const auto& paragraph : m_paragraphs) {
            for (Line line : paragraph->lines) {
                line.range.location += paragraph->start;
                line.rect.origin.y += paragraph->top;
                line.baseline += paragraph->top;
                m_lines.push_back(line);
            }
        }
        m_linesValid = true;
    }
    releaseLayouts();
    return m_lines;
}

RichTextLayout::Line RichTextLayout::lineAt(size_t index) const
{
    index = std::min(index, m_length);
    size_t i = paragraphIndex(index);
    const Paragraph& paragraph = measured(i);
    place();
    Line found = paragraph.lines.back();
    for (const Line& line : paragraph.lines) {
        if (index >= paragraph.start + line.range.location && index <= paragraph.start + line.range.end()) {
            found = line;
            break;
        }
    }
    found.range.location += paragraph.start;
    found.rect.origin.y += paragraph.top;
    found.baseline += paragraph.top;
    releaseLayouts();
    return found;
}

std::vector<RichTextLayout::Line> RichTextLayout::linesIn(double top, double bottom) const
{
    std::vector<Line> found;
    for (size_t i = paragraphAtHeight(top); i < m_paragraphs.size(); ++i) {
        const Paragraph& paragraph = measured(i);
        place();
        if (paragraph.top > bottom)
            break;
        for (Line line : paragraph.lines) {
            line.range.location += paragraph.start;
            line.rect.origin.y += paragraph.top;
            line.baseline += paragraph.top;
            if (line.rect.maxY() >= top && line.rect.minY() <= bottom)
                found.push_back(line);
        }
    }
    releaseLayouts();
    return found;
}

size_t RichTextLayout::paragraphAtHeight(double y) const
{
    // Measuring the paragraph found may move the ones after it, never it: ask again until the
    // one found is measured.
    while (true) {
        place();
        auto below = std::upper_bound(m_paragraphs.begin(), m_paragraphs.end(), y,
            [](double height, const std::unique_ptr<Paragraph>& p) { return height < p->top; });
        size_t index = below == m_paragraphs.begin() ? 0 : size_t(below - m_paragraphs.begin()) - 1;
        if (m_paragraphs[index]->measured)
            return index;
        measured(index);
    }
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
        // Only paragraphs that meet the clip are laid out and painted: a keystroke redraws a
        // few lines of a long pad, and opening one lays out what shows.
        double clipLeft, clipTop, clipRight, clipBottom;
        cairo_clip_extents(cr, &clipLeft, &clipTop, &clipRight, &clipBottom);
        double visibleBottom = std::min(r.height(), clipBottom);
        size_t first = paragraphAtHeight(clipTop);
        size_t last = first;
        for (size_t i = first; i < m_paragraphs.size(); ++i) {
            measured(i);
            place();
            if (m_paragraphs[i]->top > visibleBottom)
                break;
            last = i;
        }
        for (size_t i = first; i <= last && i < m_paragraphs.size(); ++i) {
            const Paragraph& paragraph = shaped(i);
            if (paragraph.top + paragraph.height < clipTop)
                continue;
            for (size_t k = 0; k < paragraph.pieces.size(); ++k) {
                const Piece& piece = paragraph.pieces[k];
                double pieceBottom = k + 1 < paragraph.pieces.size() ? paragraph.pieces[k + 1].top : paragraph.height;
                if (paragraph.top + pieceBottom < clipTop || paragraph.top + piece.top > visibleBottom)
                    continue;
                cairo_save(cr);
                cairo_translate(cr, 0, paragraph.top + piece.top);
                // A piece's last line belongs to the next piece, which draws it.
                if (k + 1 < paragraph.pieces.size()) {
                    cairo_rectangle(cr, clipLeft - 1, 0, clipRight - clipLeft + 2, pieceBottom - piece.top);
                    cairo_clip(cr);
                }
                pango_cairo_update_layout(cr, piece.layout);
                const gfx::Color& c = m_defaults.color;
                cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
                pango_cairo_show_layout(cr, piece.layout);
                cairo_restore(cr);
            }
        }
        cairo_restore(cr);
    });
    context.restore();
    releaseLayouts();
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
    index = std::min(index, m_length);
    const Paragraph& paragraph = shaped(paragraphIndex(index));
    place();
    const Piece& piece = paragraph.pieceAt(index);
    PangoRectangle strong;
    pango_layout_get_cursor_pos(piece.layout, piece.byteAt(index - paragraph.start), &strong, nullptr);
    // Once drawn at a display's scale, pango measures an empty line by the font at that
    // scale and gives half its height at twice the scale; the height taken when the
    // paragraph was laid out is in points.
    double height = paragraph.length == 0 ? paragraph.height : points(strong.height);
    gfx::Rect caret { points(strong.x), paragraph.top + piece.top + points(strong.y), 0, height };
    releaseLayouts();
    return caret;
}

size_t RichTextLayout::indexAt(gfx::Point point) const
{
    const Paragraph& paragraph = shaped(paragraphAtHeight(point.y));
    place();
    double y = std::clamp(point.y - paragraph.top, 0.0, std::max(0.0, paragraph.height - 0.01));
    const Piece& piece = paragraph.pieceAtHeight(y);
    int byte = 0;
    int trailing = 0;
    pango_layout_xy_to_index(piece.layout, static_cast<int>(point.x * PANGO_SCALE), static_cast<int>((y - piece.top) * PANGO_SCALE), &byte, &trailing);
    const char* text = piece.utf8.c_str();
    for (int i = 0; i < trailing && static_cast<size_t>(byte) < piece.utf8.size(); ++i)
        byte = static_cast<int>(g_utf8_next_char(text + byte) - text);
    // Never into the line a piece leaves to the next one.
    size_t index = paragraph.start + std::min(piece.indexAt(byte), piece.from + piece.length);
    releaseLayouts();
    return index;
}

std::vector<gfx::Rect> RichTextLayout::selectionRects(Range range) const
{
    std::vector<gfx::Rect> rects;
    range.location = std::min(range.location, m_length);
    range.length = std::min(range.length, m_length - range.location);
    if (range.length == 0)
        return rects;
    for (size_t i = paragraphIndex(range.location); i < m_paragraphs.size(); ++i) {
        if (m_paragraphs[i]->start > range.end())
            break;
        const Paragraph& paragraph = shaped(i);
        size_t from = std::max(range.location, paragraph.start);
        size_t to = std::min(range.end(), paragraph.start + paragraph.length);
        if (from > to || paragraph.start + paragraph.length < range.location)
            continue;
        place();
        for (const Piece& piece : paragraph.pieces) {
            size_t pieceFrom = std::max(from, paragraph.start + piece.from);
            size_t pieceTo = std::min(to, paragraph.start + piece.from + piece.length);
            if (pieceFrom > pieceTo || (pieceFrom == pieceTo && piece.length > 0))
                continue;
            int keptEnd = piece.byteAt(piece.from + piece.length);
            PangoLayoutIter* iter = pango_layout_get_iter(piece.layout);
            do {
                PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
                // The line a piece leaves to the next one is that one's.
                if (line->start_index >= keptEnd && piece.from + piece.length < paragraph.length)
                    break;
                PangoRectangle extents;
                pango_layout_iter_get_line_extents(iter, nullptr, &extents);
                int* ranges = nullptr;
                int count = 0;
                pango_layout_line_get_x_ranges(line, piece.byteAt(pieceFrom - paragraph.start), piece.byteAt(pieceTo - paragraph.start), &ranges, &count);
                for (int k = 0; k < count; ++k) {
                    double x = points(ranges[2 * k]);
                    double right = points(ranges[2 * k + 1]);
                    if (right > x)
                        rects.push_back({ x, paragraph.top + piece.top + points(extents.y), right - x, points(extents.height) });
                }
                g_free(ranges);
            } while (pango_layout_iter_next_line(iter));
            pango_layout_iter_free(iter);
        }
    }
    releaseLayouts();
    return rects;
}

}
