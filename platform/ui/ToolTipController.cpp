#include "platform/ui/ToolTipController.h"

#include "platform/base/Timer.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/gfx/TextLayout.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr double kMaxTextWidth = 300;
constexpr Size kPadding { 6, 3 };
// Below the pointer by about its own height, so the tip never hides what it points at.
constexpr double kBelowPointer = 20;

gfx::TextStyle tipStyle() { return gfx::TextStyle(gfx::Font::system(11), gfx::Color::rgb(0.93, 0.93, 0.93)); }

class ToolTipView : public View {
public:
    static std::shared_ptr<ToolTipView> create() { return std::shared_ptr<ToolTipView>(new ToolTipView); }

    const std::string& text() const { return m_text; }
    void setText(std::string text)
    {
        m_text = std::move(text);
        setNeedsDisplay();
    }
    // The content size the text needs.
    static Size fittingSize(const std::string& text)
    {
        Rect r = gfx::textBoundingRect(text, kMaxTextWidth, tipStyle());
        return { std::ceil(r.width()) + 2 * kPadding.width, std::ceil(r.height()) + 2 * kPadding.height };
    }

    bool isFlipped() const override { return true; }
    void draw(gfx::GraphicsContext& context, const Rect&) override
    {
        context.setFillColor(gfx::Color::rgb(0.16, 0.16, 0.17));
        gfx::Path::roundedRect(bounds(), 4, 4).fill();
        context.setStrokeColor(ControlLook::kStroke);
        auto outline = gfx::Path::roundedRect(bounds().insetBy(0.5, 0.5), 4, 4);
        outline.setLineWidth(1);
        outline.stroke();
        gfx::TextLayout(m_text, tipStyle(), kMaxTextWidth).draw(bounds().insetBy(kPadding.width, kPadding.height));
    }

private:
    ToolTipView()
        : View({})
    {
    }
    std::string m_text;
};

}

ToolTipController::~ToolTipController()
{
    *m_alive = false;
    hide();
}

void ToolTipController::noteEvent(const Event& event)
{
    switch (event.type()) {
    case Event::Type::MouseMoved:
        break;
    case Event::Type::LeftMouseDown:
    case Event::Type::RightMouseDown:
    case Event::Type::LeftMouseDragged:
    case Event::Type::ScrollWheel:
    case Event::Type::KeyDown:
        hide();
        return;
    default:
        return;
    }
    Window* window = event.window();
    if (!window || window == m_tip.get() || window->ignoresMouseEvents()) {
        hide();
        return;
    }
    View* view = window->mouseTarget(event.locationInWindow());
    while (view && view->toolTip().empty())
        view = view->superview();
    // A tip stays while the pointer moves over its own view.
    if (m_shown && view && view == m_view.lock().get())
        return;
    hide();
    if (view)
        wait(*view, *window, event.locationInWindow());
}

void ToolTipController::wait(View& view, Window& window, Point locationInWindow)
{
    m_view = view.weak_from_this();
    m_owner = window.weak_from_this();
    m_pointer = window.convertPointToScreen(locationInWindow);
    std::weak_ptr<bool> alive = m_alive;
    // Common modes: tips show in alerts and other modal runs too.
    m_timer = base::Timer::create(kDelay, false, base::RunLoop::Mode::Common, [this, alive](base::Timer&) {
        if (!alive.expired())
            show();
    });
}

void ToolTipController::show()
{
    m_timer.reset();
    auto view = m_view.lock();
    auto owner = m_owner.lock();
    if (!view || !owner || !owner->isVisible() || view->window() != owner.get() || view->isHiddenOrHasHiddenAncestor()
        || view->toolTip().empty())
        return;
    std::string text = view->toolTip();
    Size size = ToolTipView::fittingSize(text);
    Rect frame({ m_pointer.x, m_pointer.y - kBelowPointer - size.height }, size);
    std::optional<Screen> screen;
    for (const Screen& s : Screen::screens())
        if (s.frame.contains(m_pointer))
            screen = s;
    if (!screen)
        screen = owner->screen();
    if (screen) {
        Rect visible = screen->visibleFrame;
        // Near the bottom the tip goes above the pointer; near the right edge it moves left.
        if (frame.minY() < visible.minY())
            frame.origin.y = m_pointer.y + kBelowPointer / 2;
        frame.origin.x = std::max(visible.minX(), std::min(frame.minX(), visible.maxX() - size.width));
    }
    if (!m_tip) {
        m_tip = Window::create(frame, WindowStyle::Borderless);
        m_tip->m_isToolTip = true;
        m_tip->setCanBecomeKeyWindow(false);
        m_tip->setIgnoresMouseEvents(true);
        m_tip->setLevel(WindowLevel::AboveAll);
        m_tip->setContentView(ToolTipView::create());
    }
    m_tip->setFrame(frame);
    static_cast<ToolTipView*>(m_tip->contentView())->setText(text);
    m_shown = true;
    m_tip->orderFrontRegardless();
}

void ToolTipController::hide()
{
    if (m_timer) {
        m_timer->invalidate();
        m_timer.reset();
    }
    m_view.reset();
    m_owner.reset();
    if (m_shown) {
        m_shown = false;
        if (m_tip)
            m_tip->orderOut();
    }
}

void ToolTipController::windowWentAway(Window& window)
{
    if (&window == m_tip.get()) {
        m_shown = false;
        return;
    }
    // A window going away in its destructor can no longer be locked: nothing is left to point at.
    auto owner = m_owner.lock();
    if (!owner || owner.get() == &window)
        hide();
}

Window* ToolTipController::window() const { return m_shown ? m_tip.get() : nullptr; }

std::string ToolTipController::text() const
{
    return m_shown && m_tip ? static_cast<ToolTipView*>(m_tip->contentView())->text() : std::string {};
}

}
