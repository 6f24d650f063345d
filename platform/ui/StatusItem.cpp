#include "platform/ui/StatusItem.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/Application.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {
constexpr double kStripHeight = 24;
constexpr double kStripPadding = 8;
}

std::shared_ptr<StatusBarButton> StatusBarButton::create(StatusItem& item)
{
    return std::shared_ptr<StatusBarButton>(new StatusBarButton(item));
}

StatusBarButton::StatusBarButton(StatusItem& item)
    : Button({}, ButtonType::MomentaryPushIn)
    , m_item(item)
{
    setBezelStyle(BezelStyle::Borderless);
    setFont(gfx::Font::monospacedDigitSystem(14));
    setRefusesFirstResponder(true);
}

void StatusBarButton::mouseDown(const Event&)
{
    if (isEnabled())
        m_item.pressed();
}

void StatusBarButton::rightMouseDown(const Event&)
{
    if (isEnabled())
        m_item.pressed();
}

Size StatusBarButton::intrinsicContentSize() const
{
    Size content = contentSize();
    return { std::ceil(content.width) + 2 * kStripPadding, kStripHeight };
}

void StatusBarButton::drawOwnLook(gfx::GraphicsContext& context)
{
    context.setFillColor(state() == ControlStateValue::On || isHighlighted() ? ControlLook::kFaceHighlighted : ControlLook::kMenu);
    context.fillRect(bounds());
    // At the right of whatever width the window manager gives the strip (a tiling one
    // docks it across the screen), where it stands at its own width.
    Rect content = bounds().insetBy(kStripPadding, 0);
    double width = std::min(content.width(), std::ceil(contentSize().width));
    drawContent(context, Rect(content.maxX() - width, content.minY(), width, content.height()), ControlLook::kText);
}

void StatusBarButton::contentDidChange() { m_item.fit(); }

std::shared_ptr<StatusItem> StatusItem::create(Presentation presentation)
{
    return std::shared_ptr<StatusItem>(new StatusItem(presentation));
}

StatusItem::StatusItem(Presentation presentation)
{
    m_button = StatusBarButton::create(*this);
    auto* app = Application::shared();
    bool offscreen = !app || app->backend().name() == "offscreen";
    if (presentation == Presentation::Tray || (presentation == Presentation::Automatic && !offscreen)) {
        m_tray = TrayIcon::connect([this] { return TrayIcon::Face { m_button->image(), m_button->title() }; },
            [this](bool right, Point point) { trayPressed(right, point); });
        if (m_tray)
            return;
    }
    m_strip = Window::create(Rect(0, 0, 2 * kStripPadding, kStripHeight), WindowStyle::Borderless);
    m_strip->setLevel(WindowLevel::StatusBar);
    m_strip->setKind(WindowKind::Dock);
    m_strip->setShownOnAllDesktops(true);
    m_strip->setCanBecomeKeyWindow(false);
    // The way back to a hidden program: it stays when the program hides.
    m_strip->setCanHide(false);
    // Always on top, it would cover the title bar of a window placed or maximized under it.
    m_strip->setReservesSpace(true);
    m_strip->setContentView(m_button);
    fit();
    m_strip->orderFrontRegardless();
}

StatusItem::~StatusItem()
{
    if (m_strip)
        m_strip->close();
}

void StatusItem::fit()
{
    if (m_tray)
        m_tray->update();
    if (!m_strip)
        return;
    Size size = m_button->intrinsicContentSize();
    // A title that counts down changes every second but rarely its width; asking the display
    // for the screens costs round trips to the X server each time.
    if (m_fittedSize && *m_fittedSize == size)
        return;
    auto main = Screen::main();
    Rect screen = main ? main->visibleFrame : Rect(0, 0, 1024, 768);
    // The work area leaves out the strip's own reservation once the window manager has it:
    // the strip keeps the top it took, or it would step down below itself at every fit.
    double top = m_top.value_or(screen.maxY() - 4);
    if (main) {
        m_fittedSize = size;
        m_top = top;
    }
    // Right-aligned under the top edge, so a growing title grows leftwards as a tray's would.
    // The button is the strip's content and fills it at whatever size the display keeps it.
    m_strip->setFrame(Rect(screen.maxX() - size.width - 4, top - size.height, size.width, size.height));
}

void StatusItem::setVisible(bool visible)
{
    m_visible = visible;
    if (!m_strip)
        return;
    if (visible)
        m_strip->orderFrontRegardless();
    else
        m_strip->orderOut();
}

void StatusItem::pressed()
{
    if (auto click = onClick) {
        click();
        return;
    }
    popUpStatusItemMenu(m_menu);
}

void StatusItem::trayPressed(bool right, Point hostPoint)
{
    // The host counts y down from the top of the screens.
    double top = Screen::main() ? Screen::main()->frame.maxY() : 0;
    m_trayPoint = Point(hostPoint.x, top - hostPoint.y);
    auto* app = Application::shared();
    if (!app) {
        pressed();
        return;
    }
    // With the keys held as the click came (Super+click acts apart from a plain one).
    app->handleAsCurrentEvent(Event::mouse(right ? Event::Type::RightMouseDown : Event::Type::LeftMouseDown, nullptr, m_trayPoint,
                                  app->backend().modifierFlagsNow()),
        [this] { pressed(); });
}

void StatusItem::popUpStatusItemMenu(const std::shared_ptr<Menu>& menu)
{
    if (!menu)
        return;
    if (m_tray) {
        menu->popUp(nullptr, m_trayPoint, nullptr);
        return;
    }
    m_button->setHighlighted(true);
    // Under the item, its left edge at the item's.
    menu->popUp(nullptr, Point(0, m_button->bounds().height()), m_button.get());
    m_button->setHighlighted(false);
}

}
