#include "platform/ui/ScrollView.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Event.h"
#include "platform/ui/TableView.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {

namespace {

// A page along a view showing `visible` points: all of it but a line, so that the eye finds
// its place again, and never less than half.
double pageOf(double visible, double line) { return std::max(visible - std::min(line, visible / 4), visible / 2); }

}

std::shared_ptr<ClipView> ClipView::create(bool flipped) { return std::shared_ptr<ClipView>(new ClipView(flipped)); }

ClipView::ClipView(bool flipped)
    : View({})
    , m_flipped(flipped)
{
}

std::shared_ptr<ScrollView> ScrollView::create() { return std::shared_ptr<ScrollView>(new ScrollView()); }

ScrollView::ScrollView()
    : View({})
{
    setContentView(ClipView::create(false));
    m_scroller = Scroller::create();
    m_scroller->setHidden(true);
    connectScroller();
    addSubview(m_scroller);
    m_horizontalScroller = Scroller::create(Scroller::Axis::Horizontal);
    m_horizontalScroller->setHidden(true);
    connectHorizontalScroller();
    addSubview(m_horizontalScroller);
}

void ScrollView::connectScroller()
{
    m_scroller->onKnobMoved = [this](double position) {
        double offset = position * maxOffset();
        scrollToPoint({ m_clip->bounds().minX(), m_clip->isFlipped() ? offset : maxOffset() - offset });
    };
    m_scroller->onPage = [this](int direction) { scrollBy(-direction * pageScroll()); };
}

void ScrollView::connectHorizontalScroller()
{
    m_horizontalScroller->onKnobMoved = [this](double position) {
        scrollToPoint({ position * maxOffsetX(), m_clip->bounds().minY() });
    };
    m_horizontalScroller->onPage = [this](int direction) {
        scrollHorizontallyBy(direction * pageOf(m_clip->bounds().width(), horizontalLineScroll()));
    };
}

void ScrollView::setVerticalScroller(std::shared_ptr<Scroller> scroller)
{
    if (!scroller || scroller == m_scroller)
        return;
    m_scroller->removeFromSuperview();
    m_scroller = std::move(scroller);
    connectScroller();
    addSubview(m_scroller);
    updateScroller();
    setNeedsLayout();
}

void ScrollView::setContentView(std::shared_ptr<ClipView> clip)
{
    if (!clip || clip == m_clip)
        return;
    if (m_clip)
        m_clip->removeFromSuperview();
    m_clip = std::move(clip);
    insertSubview(m_clip, 0);
    if (m_document)
        m_clip->addSubview(m_document);
}

void ScrollView::setDocumentView(std::shared_ptr<View> document)
{
    if (m_document)
        m_document->removeFromSuperview();
    m_document = std::move(document);
    if (m_document)
        m_clip->addSubview(m_document);
    setNeedsLayout();
}

void ScrollView::setHasVerticalScroller(bool has)
{
    m_hasVertical = has;
    updateScroller();
}

void ScrollView::setHasHorizontalScroller(bool has)
{
    m_hasHorizontal = has;
    updateScroller();
    setNeedsLayout();
}

void ScrollView::setScrollerBeside(bool beside)
{
    m_scrollerBeside = beside;
    setNeedsLayout();
}

void ScrollView::setAutohidesScrollers(bool autohides)
{
    m_autohides = autohides;
    updateScroller();
}

void ScrollView::setDrawsBackground(bool draws)
{
    m_drawsBackground = draws;
    setNeedsDisplay();
}

void ScrollView::setBackgroundColor(gfx::Color color)
{
    m_background = color;
    setNeedsDisplay();
}

void ScrollView::setBorderType(BorderType type)
{
    m_border = type;
    setNeedsDisplay();
}

Rect ScrollView::documentVisibleRect() const
{
    if (!m_document)
        return {};
    return m_document->convertRectFrom(m_clip->bounds(), m_clip.get()).intersection(m_document->bounds());
}

double ScrollView::maxOffset() const
{
    if (!m_document)
        return 0;
    return std::max(0.0, m_document->frame().height() - m_clip->bounds().height());
}

double ScrollView::maxOffsetX() const
{
    // Without a horizontal scroller the document's left edge stays in view.
    if (!m_document || !m_hasHorizontal)
        return 0;
    return std::max(0.0, m_document->frame().width() - m_clip->bounds().width());
}

void ScrollView::scrollToPoint(Point point)
{
    point.x = std::clamp(point.x, 0.0, maxOffsetX());
    point.y = std::clamp(point.y, 0.0, maxOffset());
    m_clip->setBoundsOrigin(point);
    updateScroller();
}

void ScrollView::scrollHorizontallyBy(double deltaX)
{
    scrollToPoint({ m_clip->bounds().minX() + deltaX, m_clip->bounds().minY() });
}

void ScrollView::scrollRectToVisible(View& view, Rect rect)
{
    // Innermost first; an outer scroll view then brings in what the inner one shows of it.
    View* from = &view;
    for (View* above = view.superview(); above; above = above->superview()) {
        auto* clip = dynamic_cast<ClipView*>(above);
        auto* scroll = clip ? dynamic_cast<ScrollView*>(clip->superview()) : nullptr;
        if (!scroll || scroll->contentView() != clip)
            continue;
        scroll->scrollClipRectToVisible(clip->convertRectFrom(rect, from));
        rect = clip->convertRectFrom(rect, from).intersection(clip->bounds());
        if (rect.isEmpty())
            return;
        from = clip;
    }
}

void ScrollView::scrollClipRectToVisible(Rect rect)
{
    // Along one axis: the new start of what shows. A span longer than what shows stays put
    // while it fills the view, else its start (`startIsLow`: its lower end) comes in.
    auto least = [](double low, double high, double shownLow, double shownHigh, bool startIsLow) {
        double shown = shownHigh - shownLow;
        if (high - low <= shown) {
            if (low < shownLow)
                return low;
            return high > shownHigh ? high - shown : shownLow;
        }
        if (low <= shownLow && high >= shownHigh)
            return shownLow;
        return startIsLow ? low : high - shown;
    };
    Rect shown = m_clip->bounds();
    Point origin(least(rect.minX(), rect.maxX(), shown.minX(), shown.maxX(), true),
        least(rect.minY(), rect.maxY(), shown.minY(), shown.maxY(), m_clip->isFlipped()));
    if (origin != shown.origin)
        scrollToPoint(origin);
}

void ScrollView::scrollBy(double deltaY)
{
    // A flipped clip view counts its offset down from the top; an unflipped one up from the
    // bottom of a document that starts at its bottom.
    double offset = m_clip->bounds().minY();
    scrollToPoint({ m_clip->bounds().minX(), m_clip->isFlipped() ? offset - deltaY : offset + deltaY });
}

double ScrollView::lineScroll() const
{
    double line = 3 * 16;
    if (auto* table = dynamic_cast<const TableView*>(m_document.get()); table && table->numberOfRows() > 0)
        line = table->frame().height() / table->numberOfRows();
    double half = m_clip->bounds().height() / 2;
    return std::max(1.0, half > 0 ? std::min(line, half) : line);
}

double ScrollView::horizontalLineScroll() const
{
    return std::max(1.0, std::min(3 * 16.0, m_clip->bounds().width() / 2));
}

double ScrollView::pageScroll() const
{
    return pageOf(m_clip->bounds().height(), lineScroll());
}

void ScrollView::scrollToTop()
{
    scrollToPoint({ m_clip->bounds().minX(), m_clip->isFlipped() ? 0 : maxOffset() });
}

void ScrollView::scrollToBottom()
{
    scrollToPoint({ m_clip->bounds().minX(), m_clip->isFlipped() ? maxOffset() : 0 });
}

void ScrollView::scrollWheel(const Event& event)
{
    // Whole notches are lines; a precise device's fractions move as far as they say, so a
    // touchpad glides rather than jumps.
    double deltaX = std::isfinite(event.scrollingDeltaX()) ? event.scrollingDeltaX() : 0;
    double deltaY = std::isfinite(event.scrollingDeltaY()) ? event.scrollingDeltaY() : 0;
    // Shift turns the wheel sideways, as across the desktop: up goes left.
    if (m_hasHorizontal && (event.modifierFlags() & ModifierFlag::Shift) && deltaX == 0)
        deltaX = -std::exchange(deltaY, 0);
    if (!m_hasHorizontal)
        deltaX = 0;
    if (deltaX == 0 && deltaY == 0) {
        View::scrollWheel(event);
        return;
    }
    Point before = m_clip->bounds().origin;
    if (deltaX != 0)
        scrollHorizontallyBy(deltaX * horizontalLineScroll());
    if (deltaY != 0)
        scrollBy(deltaY * lineScroll());
    // A list that has nowhere to go that way (it fits, or is at its end) leaves the wheel to
    // the scroll view around it: a pane scrolls wherever the pointer is over it.
    if (m_clip->bounds().origin == before)
        View::scrollWheel(event);
}

void ScrollView::keyDown(const Event& event)
{
    using K = base::KeyCode;
    bool shift = event.modifierFlags() & ModifierFlag::Shift;
    switch (static_cast<K>(event.keyCode())) {
    case K::PageUp:
        scrollBy(pageScroll());
        return;
    case K::PageDown:
        scrollBy(-pageScroll());
        return;
    case K::Space:
        scrollBy(shift ? pageScroll() : -pageScroll());
        return;
    case K::Home:
        scrollToTop();
        return;
    case K::End:
        scrollToBottom();
        return;
    case K::UpArrow:
        scrollBy(lineScroll());
        return;
    case K::DownArrow:
        scrollBy(-lineScroll());
        return;
    case K::LeftArrow:
    case K::RightArrow:
        if (!m_hasHorizontal)
            break;
        scrollHorizontallyBy(static_cast<K>(event.keyCode()) == K::LeftArrow ? -horizontalLineScroll() : horizontalLineScroll());
        return;
    default:
        break;
    }
    View::keyDown(event);
}

bool ScrollView::verticalShows(Size clip) const
{
    double documentHeight = m_document ? m_document->frame().height() : 0;
    return m_hasVertical && (!m_autohides || documentHeight > clip.height + 0.5);
}

bool ScrollView::horizontalShows(Size clip) const
{
    double documentWidth = m_document ? m_document->frame().width() : 0;
    return m_hasHorizontal && (!m_autohides || documentWidth > clip.width + 0.5);
}

void ScrollView::layout()
{
    Rect b = bounds();
    constexpr double bar = Scroller::kWidth;
    Size clip = b.size;
    bool vertical = verticalShows(clip);
    bool horizontal = horizontalShows(clip);
    if (m_scrollerBeside) {
        // A scroller beside the document rather than over it leaves the document's right and
        // bottom edges (a row's menu, a pane's last row) within reach while it shows; the room
        // one takes may make the document need the other.
        if (vertical)
            clip.width -= bar;
        horizontal = horizontalShows(clip);
        if (horizontal)
            clip.height -= bar;
        if (!vertical && verticalShows(clip)) {
            vertical = true;
            clip.width -= bar;
        }
        clip = { std::max(0.0, clip.width), std::max(0.0, clip.height) };
    }
    // The bottom edge is at the top of an unflipped view's coordinates.
    bool flipped = isFlipped();
    double bottomBar = flipped ? b.maxY() - bar : b.minY();
    if (m_clip->translatesAutoresizingMaskIntoConstraints()) {
        double clipY = !flipped && m_scrollerBeside && horizontal ? b.minY() + bar : b.minY();
        m_clip->setFrame(Rect(b.minX(), clipY, clip.width, clip.height));
    }
    double verticalLength = std::max(0.0, b.height() - (horizontal ? bar : 0));
    double verticalY = !flipped && horizontal ? b.minY() + bar : b.minY();
    m_scroller->setFrame(Rect(b.maxX() - bar, verticalY, bar, verticalLength));
    m_horizontalScroller->setFrame(Rect(b.minX(), bottomBar, std::max(0.0, b.width() - (vertical ? bar : 0)), bar));
    // A document that shrank leaves no scrolled-off gap behind.
    Point origin = m_clip->bounds().origin;
    if (origin.y > maxOffset() || origin.x > maxOffsetX())
        m_clip->setBoundsOrigin({ std::min(origin.x, maxOffsetX()), std::min(origin.y, maxOffset()) });
    updateScroller();
}

void ScrollView::updateScroller()
{
    Rect visible = m_clip->bounds();
    bool vertical = verticalShows(visible.size);
    bool horizontal = horizontalShows(visible.size);
    // A scroller that comes or goes gives or takes the other's corner, and beside the
    // document its room.
    bool comesOrGoes = vertical == m_scroller->isHidden() || horizontal == m_horizontalScroller->isHidden();
    if (comesOrGoes && (m_scrollerBeside || m_hasHorizontal))
        setNeedsLayout();
    m_scroller->setHidden(!vertical);
    m_horizontalScroller->setHidden(!horizontal);

    double documentHeight = m_document ? m_document->frame().height() : 0;
    double max = maxOffset();
    double position = max > 0 ? visible.minY() / max : 0;
    if (!m_clip->isFlipped())
        position = 1 - position;
    m_scroller->setKnob(documentHeight > 0 ? visible.height() / documentHeight : 1, position);

    double documentWidth = m_document ? m_document->frame().width() : 0;
    double maxX = maxOffsetX();
    m_horizontalScroller->setKnob(documentWidth > 0 ? visible.width() / documentWidth : 1, maxX > 0 ? visible.minX() / maxX : 0);
}

void ScrollView::draw(gfx::GraphicsContext& context, const Rect&)
{
    Rect b = bounds();
    if (m_drawsBackground) {
        context.setFillColor(m_background);
        context.fillRect(b);
    }
    if (m_border == BorderType::Line) {
        context.setFillColor(gfx::colors::gray);
        for (Rect edge : { Rect(b.minX(), b.minY(), b.width(), 1), Rect(b.minX(), b.maxY() - 1, b.width(), 1),
                 Rect(b.minX(), b.minY(), 1, b.height()), Rect(b.maxX() - 1, b.minY(), 1, b.height()) })
            context.fillRect(edge);
    }
}

}
