#include "platform/ui/Popover.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/Application.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <algorithm>

namespace ui {

namespace {

constexpr double kArrow = 9;
constexpr double kInset = 6;
constexpr gfx::Color kDarkFill = gfx::Color::rgb(0.09, 0.09, 0.1);

// The popover's frame: a rounded panel with an arrow on the side facing its anchor.
class PopoverFrame : public View {
public:
    static std::shared_ptr<PopoverFrame> create() { return std::shared_ptr<PopoverFrame>(new PopoverFrame); }
    bool isFlipped() const override { return true; }
    void setFill(gfx::Color fill) { m_fill = fill; }
    void setArrow(bool onTop, bool horizontal, double position)
    {
        m_arrowOnTop = onTop;
        m_horizontal = horizontal;
        m_arrowPosition = position;
        setNeedsDisplay();
    }
    void draw(gfx::GraphicsContext& context, const Rect&) override
    {
        Rect body = bounds();
        gfx::Path arrow;
        if (m_horizontal) {
            body = m_arrowOnTop ? Rect(kArrow, 0, body.width() - kArrow, body.height()) : Rect(0, 0, body.width() - kArrow, body.height());
            double x = m_arrowOnTop ? 0 : bounds().width();
            double edge = m_arrowOnTop ? kArrow + 1 : bounds().width() - kArrow - 1;
            arrow.moveTo({ edge, m_arrowPosition - kArrow });
            arrow.lineTo({ x, m_arrowPosition });
            arrow.lineTo({ edge, m_arrowPosition + kArrow });
        } else {
            body = m_arrowOnTop ? Rect(0, kArrow, body.width(), body.height() - kArrow) : Rect(0, 0, body.width(), body.height() - kArrow);
            double y = m_arrowOnTop ? 0 : bounds().height();
            double edge = m_arrowOnTop ? kArrow + 1 : bounds().height() - kArrow - 1;
            arrow.moveTo({ m_arrowPosition - kArrow, edge });
            arrow.lineTo({ m_arrowPosition, y });
            arrow.lineTo({ m_arrowPosition + kArrow, edge });
        }
        ControlLook::drawBezel(context, body, 8, m_fill);
        arrow.closePath();
        context.setFillColor(m_fill);
        arrow.fill();
    }

private:
    PopoverFrame()
        : View({})
    {
    }
    gfx::Color m_fill { ControlLook::kMenu };
    bool m_arrowOnTop { true };
    bool m_horizontal { false };
    double m_arrowPosition { 0 };
};

}

std::shared_ptr<Popover> Popover::create() { return std::shared_ptr<Popover>(new Popover); }

Popover::~Popover()
{
    stopWatchingClicks();
    if (m_window)
        m_window->close();
}

void Popover::stopWatchingClicks()
{
    if (!m_clickMonitor)
        return;
    if (auto* application = Application::shared())
        application->removeMonitor(m_clickMonitor);
    m_clickMonitor = 0;
}

double Popover::chromeHeight() { return 2 * kInset + kArrow; }

void Popover::setContentView(std::shared_ptr<View> view) { m_content = std::move(view); }

Size Popover::contentSize() const
{
    if (m_contentSize)
        return *m_contentSize;
    if (!m_content)
        return {};
    Size fitting = m_content->fittingSize();
    return fitting.width > 0 && fitting.height > 0 ? fitting : m_content->frame().size;
}

void Popover::show(Rect positioningRect, View* view, RectEdge preferredEdge)
{
    if (!view || !m_content)
        return;
    if (auto willShow = onWillShow)
        willShow();
    Size content = contentSize();
    Rect anchor = view->convertRectTo(positioningRect, nullptr);
    Window* owner = view->window();
    if (owner) {
        Point a = owner->convertPointToScreen(anchor.origin);
        anchor = Rect(a, anchor.size);
    }
    // The anchor's display; a popover may not stand across two.
    std::optional<Screen> place = owner ? owner->screen() : std::nullopt;
    if (!place)
        place = Screen::main();
    Rect visible = place ? place->visibleFrame : Rect(0, 0, 1024, 768);
    bool horizontal = preferredEdge == RectEdge::MinX || preferredEdge == RectEdge::MaxX;
    Size outer = horizontal ? Size(content.width + 2 * kInset + kArrow, content.height + 2 * kInset)
                            : Size(content.width + 2 * kInset, content.height + 2 * kInset + kArrow);
    Rect frame;
    bool arrowOnTop = true;
    double arrowPosition = 0;
    if (horizontal) {
        bool right = preferredEdge == RectEdge::MaxX;
        if (right && anchor.maxX() + outer.width > visible.maxX())
            right = false;
        else if (!right && anchor.minX() - outer.width < visible.minX())
            right = true;
        double x = right ? anchor.maxX() : anchor.minX() - outer.width;
        double y = std::clamp(anchor.midY() - outer.height / 2, visible.minY(), std::max(visible.minY(), visible.maxY() - outer.height));
        frame = Rect(x, y, outer.width, outer.height);
        arrowOnTop = right;
        // Flipped content: measured from the frame's top.
        arrowPosition = frame.maxY() - anchor.midY();
        m_below = false;
    } else {
        // Which side is below on screen depends on whether the view counts y downwards. The
        // other side where the preferred one has no room and the other has more; where
        // neither has enough, the popover stays on the display, its top edge (a search line,
        // a title) before its bottom, even if it then covers its anchor.
        bool below = (preferredEdge == RectEdge::MaxY) == view->isFlipped();
        double roomBelow = anchor.minY() - visible.minY();
        double roomAbove = visible.maxY() - anchor.maxY();
        if (below && roomBelow < outer.height && roomAbove > roomBelow)
            below = false;
        else if (!below && roomAbove < outer.height && roomBelow > roomAbove)
            below = true;
        double x = std::clamp(anchor.midX() - outer.width / 2, visible.minX(), std::max(visible.minX(), visible.maxX() - outer.width));
        double y = below ? anchor.minY() - outer.height : anchor.maxY();
        y = std::min(std::max(y, visible.minY()), visible.maxY() - outer.height);
        frame = Rect(x, y, outer.width, outer.height);
        arrowOnTop = below;
        arrowPosition = anchor.midX() - frame.minX();
        m_below = below;
    }

    if (!m_window) {
        m_window = Window::create(frame, WindowStyle::Borderless);
        m_window->setLevel(WindowLevel::PopUpMenu);
        m_window->setKind(WindowKind::PopUp);
        m_window->setCanBecomeKeyWindow(true);
        m_window->setBackgroundColor(gfx::Color::white(0, 0));
        // Round corners and the arrow's side show what is behind, also where no compositor
        // would: else they come out black over what the popover points at.
        m_window->setBlendsOverScreen(true);
    } else {
        m_window->setFrame(frame);
    }
    auto chrome = PopoverFrame::create();
    chrome->setFrame(Rect(0, 0, outer.width, outer.height));
    chrome->setArrow(arrowOnTop, horizontal, arrowPosition);
    if (m_darkLook)
        chrome->setFill(kDarkFill);
    m_content->removeFromSuperview();
    double left = kInset + (horizontal && arrowOnTop ? kArrow : 0);
    double top = kInset + (!horizontal && arrowOnTop ? kArrow : 0);
    // Placed by its frame inside the chrome, whatever constraints laid it out before.
    m_content->setTranslatesAutoresizingMaskIntoConstraints(true);
    m_content->setFrame(Rect(left, top, content.width, content.height));
    chrome->addSubview(m_content);
    m_window->setContentView(chrome);
    m_window->makeKeyAndOrderFront();

    auto* application = Application::shared();
    if (m_transient && !m_clickMonitor && application) {
        std::weak_ptr<Popover> weakSelf = weak_from_this();
        m_clickMonitor = application->addLocalMonitor(EventMask::LeftMouseDown | EventMask::of(Event::Type::RightMouseDown),
            [weakSelf](const Event& event) -> std::optional<Event> {
                auto self = weakSelf.lock();
                // The click still goes where it was meant to: closing only gets out of its way.
                if (self && self->isShown() && event.window() != self->m_window.get())
                    self->close();
                return event;
            });
    }
}

void Popover::close()
{
    if (!isShown())
        return;
    // Its owner may let go of it in the will-close hook; it finishes closing first.
    auto keep = weak_from_this().lock();
    if (auto willClose = onWillClose)
        willClose();
    stopWatchingClicks();
    m_window->close();
    m_content->removeFromSuperview();
    m_window.reset();
    if (auto didClose = onDidClose)
        didClose();
}

}
