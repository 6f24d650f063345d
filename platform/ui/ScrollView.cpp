#include "platform/ui/ScrollView.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Event.h"
#include "platform/ui/TableView.h"

#include <algorithm>
#include <cmath>

namespace ui {

std::shared_ptr<ClipView> ClipView::create(bool flipped) { return std::shared_ptr<ClipView>(new ClipView(flipped)); }

ClipView::ClipView(bool flipped)
    : View({})
    , m_flipped(flipped)
{
}

std::shared_ptr<Scroller> Scroller::create() { return std::shared_ptr<Scroller>(new Scroller()); }

Scroller::Scroller()
    : View({})
{
}

void Scroller::setKnob(double proportion, double position)
{
    proportion = std::clamp(proportion, 0.0, 1.0);
    position = std::clamp(position, 0.0, 1.0);
    if (proportion == m_proportion && position == m_position)
        return;
    m_proportion = proportion;
    m_position = position;
    setNeedsDisplay();
}

Rect Scroller::knobRect() const
{
    Rect b = bounds();
    double length = std::min(b.height(), std::max(kMinimumKnobLength, b.height() * m_proportion));
    double y = (b.height() - length) * m_position;
    return Rect(b.minX() + 2, y, b.width() - 4, length);
}

void Scroller::draw(gfx::GraphicsContext& context, const Rect&)
{
    Rect b = bounds();
    // A faint track, so that a press beside the knob has somewhere visible to land.
    context.setFillColor(gfx::Color::white(0.5, m_grab ? 0.22 : 0.12));
    context.fillRect(Rect(b.minX() + 2, b.minY(), b.width() - 4, b.height()));
    context.setFillColor(gfx::Color::white(0.5, m_grab ? 0.95 : 0.7));
    context.fillRect(knobRect());
}

void Scroller::mouseDown(const Event& event)
{
    Point point = convertPointFrom(event.locationInWindow(), nullptr);
    Rect knob = knobRect();
    if (point.y >= knob.minY() && point.y <= knob.maxY()) {
        m_grab = point.y - knob.minY();
        setNeedsDisplay();
        return;
    }
    if (auto page = onPage)
        page(point.y < knob.minY() ? -1 : 1);
}

void Scroller::mouseDragged(const Event& event)
{
    if (!m_grab)
        return;
    Point point = convertPointFrom(event.locationInWindow(), nullptr);
    double travel = bounds().height() - knobRect().height();
    double position = travel > 0 ? std::clamp((point.y - *m_grab) / travel, 0.0, 1.0) : 0;
    if (auto moved = onKnobMoved)
        moved(position);
}

void Scroller::mouseUp(const Event&)
{
    m_grab.reset();
    setNeedsDisplay();
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
}

void ScrollView::connectScroller()
{
    m_scroller->onKnobMoved = [this](double position) {
        double offset = position * maxOffset();
        scrollToPoint({ 0, m_clip->isFlipped() ? offset : maxOffset() - offset });
    };
    m_scroller->onPage = [this](int direction) { scrollBy(-direction * pageScroll()); };
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

void ScrollView::scrollToPoint(Point point)
{
    point.x = 0;
    point.y = std::clamp(point.y, 0.0, maxOffset());
    m_clip->setBoundsOrigin(point);
    updateScroller();
}

void ScrollView::scrollBy(double deltaY)
{
    // A flipped clip view counts its offset down from the top; an unflipped one up from the
    // bottom of a document that starts at its bottom.
    double offset = m_clip->bounds().minY();
    scrollToPoint({ 0, m_clip->isFlipped() ? offset - deltaY : offset + deltaY });
}

double ScrollView::lineScroll() const
{
    double line = 3 * 16;
    if (auto* table = dynamic_cast<const TableView*>(m_document.get()); table && table->numberOfRows() > 0)
        line = table->frame().height() / table->numberOfRows();
    double half = m_clip->bounds().height() / 2;
    return std::max(1.0, half > 0 ? std::min(line, half) : line);
}

double ScrollView::pageScroll() const
{
    double visible = m_clip->bounds().height();
    return std::max(visible - std::min(lineScroll(), visible / 4), visible / 2);
}

void ScrollView::scrollToTop()
{
    scrollToPoint({ 0, m_clip->isFlipped() ? 0 : maxOffset() });
}

void ScrollView::scrollToBottom()
{
    scrollToPoint({ 0, m_clip->isFlipped() ? maxOffset() : 0 });
}

void ScrollView::scrollWheel(const Event& event)
{
    // Whole notches are lines; a precise device's fractions move as far as they say, so a
    // touchpad glides rather than jumps.
    double delta = event.scrollingDeltaY();
    if (!std::isfinite(delta) || delta == 0) {
        View::scrollWheel(event);
        return;
    }
    scrollBy(delta * lineScroll());
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
    default:
        View::keyDown(event);
    }
}

void ScrollView::layout()
{
    Rect b = bounds();
    if (m_clip->translatesAutoresizingMaskIntoConstraints()) {
        // A scroller beside the document rather than over it leaves the document's right
        // edge (a row's menu) within reach while it shows.
        double documentHeight = m_document ? m_document->frame().height() : 0;
        bool beside = m_scrollerBeside && m_hasVertical && (!m_autohides || documentHeight > b.height() + 0.5);
        m_clip->setFrame(beside ? Rect(b.minX(), b.minY(), std::max(0.0, b.width() - Scroller::kWidth), b.height()) : b);
    }
    m_scroller->setFrame(Rect(b.maxX() - Scroller::kWidth, 0, Scroller::kWidth, b.height()));
    // A document that shrank leaves no scrolled-off gap behind.
    if (m_clip->bounds().minY() > maxOffset())
        m_clip->setBoundsOrigin({ 0, maxOffset() });
    updateScroller();
}

void ScrollView::updateScroller()
{
    double documentHeight = m_document ? m_document->frame().height() : 0;
    double visible = m_clip->bounds().height();
    bool overflow = documentHeight > visible + 0.5;
    m_scroller->setHidden(!m_hasVertical || (m_autohides && !overflow));
    double proportion = documentHeight > 0 ? visible / documentHeight : 1;
    double max = maxOffset();
    double position = max > 0 ? m_clip->bounds().minY() / max : 0;
    if (!m_clip->isFlipped())
        position = 1 - position;
    m_scroller->setKnob(proportion, position);
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
