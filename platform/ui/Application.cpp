#include "platform/ui/Application.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"
#include "platform/base/StopSignals.h"
#include "platform/base/Time.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ToolTipController.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <utility>

namespace ui {

namespace {
Application* s_shared = nullptr;

bool isPress(Event::Type type)
{
    return type == Event::Type::LeftMouseDown || type == Event::Type::RightMouseDown || type == Event::Type::OtherMouseDown;
}
}

std::unique_ptr<Application> Application::create(std::unique_ptr<WindowBackend> backend)
{
    if (!backend)
        backend = WindowBackend::make();
    auto app = std::unique_ptr<Application>(new Application(std::move(backend)));
    s_shared = app.get();
    app->m_backend->attach(*app);
    // On a display somebody can answer: questions are asked there, never answered by
    // themselves. Offscreen, the presenter in place (a test's, or the logging one) stays.
    if (app->m_backend->name() != "offscreen") {
        app->m_previousAlerts = base::AlertPresenter::install({});
        Alert::installAsPresenter();
    }
    return app;
}

Application* Application::shared() { return s_shared; }

Application::Application(std::unique_ptr<WindowBackend> backend)
    : m_backend(std::move(backend))
    , m_toolTips(std::make_unique<ToolTipController>())
{
}

Application::~Application()
{
    m_stopSignals.reset();
    if (m_previousAlerts)
        base::AlertPresenter::install(std::move(*m_previousAlerts));
    m_toolTips.reset();
    // Windows may outlive the application; their display side may not outlive the backend.
    for (auto& window : windows())
        window->m_platform.reset();
    m_backend->detach();
    if (s_shared == this)
        s_shared = nullptr;
}

void Application::tell(void (ApplicationDelegate::*message)(const Notification&), const char* name)
{
    if (m_delegate)
        (m_delegate->*message)(Notification { name });
}

void Application::finishLaunching()
{
    if (m_launched)
        return;
    m_launched = true;
    tell(&ApplicationDelegate::applicationWillFinishLaunching, "ApplicationWillFinishLaunching");
    tell(&ApplicationDelegate::applicationDidFinishLaunching, "ApplicationDidFinishLaunching");
    activate(true);
}

void Application::run()
{
    finishLaunching();
    if (!m_terminated)
        base::RunLoop::main().run();
}

void Application::terminate()
{
    if (m_terminated)
        return;
    TerminateReply reply = m_delegate ? m_delegate->applicationShouldTerminate() : TerminateReply::Now;
    if (reply == TerminateReply::Now)
        replyToApplicationShouldTerminate(true);
}

void Application::replyToApplicationShouldTerminate(bool shouldTerminate)
{
    if (!shouldTerminate || m_terminated)
        return;
    terminateNow();
}

void Application::terminateNow()
{
    if (m_terminated)
        return;
    m_terminated = true;
    tell(&ApplicationDelegate::applicationWillTerminate, "ApplicationWillTerminate");
    m_willTerminateObservers.notify();
    base::RunLoop::main().stop();
}

ObserverToken Application::addWillTerminateObserver(std::function<void()> observer)
{
    return m_willTerminateObservers.add(std::move(observer));
}

void Application::terminateOnStopSignals(std::function<void(int signal)> heard)
{
    m_stopSignals = base::StopSignals::install([this, heard = std::move(heard)](int signal) {
        if (heard)
            heard(signal);
        terminateNow();
    });
}

void Application::setInputTime(std::uint32_t time)
{
    m_inputTime = time;
    m_inputArrival = base::Time::now();
}

void Application::dropPressesMadeBy(std::uint32_t time)
{
    if (time)
        m_pressesDroppedUntil = time;
}

bool Application::dropsGesture(const Event& event)
{
    using T = Event::Type;
    switch (event.type()) {
    case T::LeftMouseDown:
    case T::RightMouseDown:
    case T::OtherMouseDown:
        // The display's clock wraps around: earlier is less by under half its span.
        m_gestureDropped = m_pressesDroppedUntil && m_inputTime && std::int32_t(m_inputTime - *m_pressesDroppedUntil) <= 0;
        if (!m_gestureDropped)
            m_pressesDroppedUntil.reset();
        return m_gestureDropped;
    case T::LeftMouseDragged:
        return m_gestureDropped;
    case T::LeftMouseUp:
    case T::RightMouseUp:
    case T::OtherMouseUp:
        return std::exchange(m_gestureDropped, false);
    default:
        return false;
    }
}

std::uint32_t Application::recentInputTime() const
{
    constexpr double kRecent = 1;
    return base::Time::now() - m_inputArrival <= kRecent ? m_inputTime : 0;
}

void Application::activate(bool ignoringOtherApps)
{
    // Here nothing else competes for the front: the flag only matters on desktops that ask.
    (void)ignoringOtherApps;
    // Active while hidden would leave the program's windows off the screen and whatever it
    // shows next (a pop-up) with nothing to hang from: asking to be active shows it again.
    bool wasActive = m_active;
    becomeActive(true);
    // Asked by the program rather than told by the display: the display is asked to give the
    // keyboard to the window that has it here, or another program's window keeps it and
    // stays on top (a timed rule, a second launch bringing the program forward).
    if (!wasActive && m_keyWindow && m_keyWindow->isVisible())
        m_keyWindow->makeKeyWindow();
}

void Application::becomeActive(bool showingHiddenWindows)
{
    if (m_active) {
        if (showingHiddenWindows)
            unhide();
        return;
    }
    tell(&ApplicationDelegate::applicationWillBecomeActive, "ApplicationWillBecomeActive");
    m_active = true;
    if (showingHiddenWindows)
        unhide();
    tell(&ApplicationDelegate::applicationDidBecomeActive, "ApplicationDidBecomeActive");
}

void Application::deactivate()
{
    if (!m_active)
        return;
    m_resigning = true;
    tell(&ApplicationDelegate::applicationWillResignActive, "ApplicationWillResignActive");
    m_resigning = false;
    m_active = false;
    tell(&ApplicationDelegate::applicationDidResignActive, "ApplicationDidResignActive");
}

void Application::hide()
{
    if (m_hidden)
        return;
    m_hiddenWindows.clear();
    m_keyBeforeHiding = m_keyWindow ? m_keyWindow->weak_from_this() : std::weak_ptr<Window> {};
    m_hiding = true;
    for (auto& window : windows())
        if (window->isVisible() && window->canHide()) {
            m_hiddenWindows.push_back(window);
            window->orderOut();
        }
    m_hiding = false;
    m_hidden = true;
    deactivate();
}

void Application::unhide()
{
    if (!m_hidden)
        return;
    m_hidden = false;
    auto shown = std::move(m_hiddenWindows);
    m_hiddenWindows.clear();
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (auto window = it->lock())
            window->orderFront();
    // The keyboard where it was: a pop-up that goes again hands it back to the main window.
    auto key = std::exchange(m_keyBeforeHiding, {}).lock();
    if (m_active && !m_keyWindow && key && key->isVisible())
        key->makeKeyWindow();
}

void Application::setActivationPolicy(ActivationPolicy policy)
{
    m_policy = policy;
    for (auto& window : windows())
        window->pushState();
}

void Application::workAreaChanged()
{
    // Placed before the window manager had made room for a strip (ours, at the start), a
    // window stood under it, its title bar out of reach, until moved.
    for (auto& window : windows())
        window->workAreaChanged();
}

void Application::forgetExpiredWindows()
{
    std::erase_if(m_windows, [](const auto& w) { return w.expired(); });
}

std::vector<std::shared_ptr<Window>> Application::windows() const
{
    std::vector<std::shared_ptr<Window>> out;
    for (const auto& w : m_windows)
        if (auto window = w.lock())
            out.push_back(window);
    return out;
}

void Application::addWindow(const std::shared_ptr<Window>& window)
{
    forgetExpiredWindows();
    m_windows.push_back(window);
}

void Application::windowOrderedFront(Window& window)
{
    forgetExpiredWindows();
    auto it = std::find_if(m_windows.begin(), m_windows.end(), [&](const auto& w) { return w.lock().get() == &window; });
    if (it != m_windows.end()) {
        auto keep = *it;
        m_windows.erase(it);
        m_windows.insert(m_windows.begin(), keep);
    }
}

void Application::windowOrderedOut(Window& window)
{
    if (m_toolTips)
        m_toolTips->windowWentAway(window);
    bool wasKey = m_keyWindow == &window;
    if (wasKey) {
        m_keyWindow = nullptr;
        updateTextInput();
        window.resignedKey();
    }
    if (m_mainWindow == &window)
        m_mainWindow = nullptr;
    // A pop-up or panel that goes away hands the keyboard back to the main window, else to
    // our frontmost window that takes it, which a window manager would otherwise give to
    // whoever it likes, and no window manager to nobody: typing, global hot keys included,
    // would reach no window. Not when the program is losing the front (a click into another
    // program closing the pop-up): the keyboard stays where the user put it.
    if (!wasKey || !m_active || m_resigning || m_hiding || m_keyWindow)
        return;
    Window* next = m_mainWindow && m_mainWindow->isVisible() ? m_mainWindow : nullptr;
    if (!next) {
        auto all = windows();
        auto found = std::find_if(all.begin(), all.end(), [&](const auto& other) {
            return other.get() != &window && other->isVisible() && other->canBecomeKeyWindow() && other->level() <= WindowLevel::Floating;
        });
        next = found != all.end() ? found->get() : nullptr;
    }
    if (next)
        next->makeKeyWindow();
}

void Application::windowGone(Window& window)
{
    if (m_toolTips)
        m_toolTips->windowWentAway(window);
    if (m_keyWindow == &window)
        m_keyWindow = nullptr;
    if (m_mainWindow == &window)
        m_mainWindow = nullptr;
    if (m_textInputWindow == &window)
        updateTextInput();
    forgetExpiredWindows();
}

void Application::pointerLeftWindow(Window& window)
{
    if (m_toolTips)
        m_toolTips->windowWentAway(window);
}

void Application::updateTextInput()
{
    Window* window = m_keyWindow;
    std::optional<Rect> caret = window ? window->textInputCaret() : std::nullopt;
    if (!caret)
        window = nullptr;
    if (window == m_textInputWindow && caret == m_textInputCaret)
        return;
    m_textInputWindow = window;
    m_textInputCaret = caret;
    m_backend->setTextInput(window, caret);
}

void Application::setKeyWindow(Window* window)
{
    if (window == m_keyWindow)
        return;
    Window* old = m_keyWindow;
    m_keyWindow = window;
    updateTextInput();
    if (old)
        old->resignedKey();
    if (window) {
        if (window->m_styleMask & WindowStyle::Titled)
            m_mainWindow = window;
        window->becameKey();
    }
}

void Application::setMainWindow(Window* window) { m_mainWindow = window; }

Application::MonitorId Application::addLocalMonitor(std::uint64_t mask, Monitor monitor)
{
    MonitorId id = m_nextMonitor++;
    m_monitors.push_back({ id, mask, std::move(monitor) });
    return id;
}

void Application::removeMonitor(MonitorId id)
{
    std::erase_if(m_monitors, [id](const MonitorEntry& e) { return e.id == id; });
}

void Application::sendEvent(const Event& incoming)
{
    // A monitor may close the event's window and let go of it: the window lasts until its
    // event is handled.
    auto keepTarget = incoming.window() ? incoming.window()->weak_from_this().lock() : nullptr;
    std::optional<Event> event = incoming;
    // A copy: a monitor may remove itself or add another while it runs.
    auto monitors = m_monitors;
    for (const auto& entry : monitors) {
        if (!(entry.mask & event->maskBit()))
            continue;
        auto type = event->type();
        event = entry.monitor(*event);
        if (!event) {
            // A press a monitor took (one closing a menu) goes no further, nor its drags and
            // release: a window that never had the press took them for another gesture.
            m_gestureDropped = isPress(type);
            return;
        }
    }
    if (dropsGesture(*event))
        return;
    if (m_toolTips)
        m_toolTips->noteEvent(*event);
    auto previous = std::move(m_current);
    m_current = event;
    Window* window = event->window();
    if (!window && event->isKey())
        window = m_keyWindow;
    // Key equivalents are held down with Ctrl, or with Super as a few of ours are.
    if (event->type() == Event::Type::KeyDown && (event->modifierFlags() & (ModifierFlag::Command | ModifierFlag::Control)) && m_mainMenu
        && m_mainMenu->performKeyEquivalent(*event)) {
        m_current = std::move(previous);
        return;
    }
    // A button may close its window and let go of it in its own closure: the window lasts
    // until its event is handled.
    auto keepWindow = window ? window->weak_from_this().lock() : nullptr;
    if (window && !(event->isMouse() && window->ignoresMouseEvents())) {
        if (event->type() == Event::Type::LeftMouseDown && window->canBecomeKeyWindow() && !window->isKeyWindow())
            window->makeKeyWindow();
        window->sendEvent(*event);
    }
    m_current = std::move(previous);
}

void Application::runModalForWindow(Window& window)
{
    // A hidden or background program comes forward first: its window was never shown, and
    // the run ended at once (the preferences opened from the status menu over a hidden one).
    if (m_hidden || !m_active)
        activate();
    Window* outer = std::exchange(m_modalWindow, &window);
    bool outerStopped = std::exchange(m_modalStopped, false);
    auto keep = window.shared_from_this();
    MonitorId monitor = addLocalMonitor(EventMask::Any, [&window](const Event& event) -> std::optional<Event> {
        // Windows above the ordinary ones work on: the menus of the window's own pop-ups, the
        // font and colour panels it opens, the alerts and panels it runs in turn.
        Window* target = event.window();
        if (target && event.type() != Event::Type::MouseMoved && blocks(window, *target))
            return std::nullopt;
        return event;
    });
    // Above the window it blocks, whoever brings that one forward: a click on its title bar
    // left the modal one behind it, out of sight, with the window in front taking no input.
    Window* owner = m_keyWindow && m_keyWindow != &window && m_keyWindow->level() <= WindowLevel::Normal ? m_keyWindow : m_mainWindow;
    bool ownsIt = owner && owner != &window && !window.modalOwner();
    if (ownsIt)
        window.setModalOwner(owner);
    window.makeKeyAndOrderFront();
    base::RunLoop::main().runModal([&] { return m_modalStopped || !window.isVisible(); });
    if (ownsIt)
        window.setModalOwner(nullptr);
    removeMonitor(monitor);
    m_modalWindow = outer;
    m_modalStopped = outerStopped;
}

void Application::stopModal() { m_modalStopped = true; }

bool Application::blocks(const Window& modal, const Window& other) { return &other != &modal && other.level() <= WindowLevel::Normal; }

void Application::handleAsCurrentEvent(const Event& event, const std::function<void()>& work)
{
    auto previous = std::move(m_current);
    m_current = event;
    work();
    m_current = std::move(previous);
}

bool Application::sendAction(std::string_view action, base::Responder* target, const base::Sender& sender)
{
    if (target) {
        if (!target->respondsTo(action))
            return false;
        target->tryToPerform(action, sender);
        return true;
    }
    auto along = [&](base::Responder* start) {
        for (base::Responder* r = start; r; r = r->nextResponder())
            if (r->respondsTo(action)) {
                r->tryToPerform(action, sender);
                return true;
            }
        return false;
    };
    if (m_keyWindow && along(m_keyWindow->firstResponder() ? m_keyWindow->firstResponder() : m_keyWindow))
        return true;
    if (m_mainWindow && m_mainWindow != m_keyWindow
        && along(m_mainWindow->firstResponder() ? m_mainWindow->firstResponder() : m_mainWindow))
        return true;
    if (along(this))
        return true;
    if (auto* responder = dynamic_cast<base::Responder*>(m_delegate))
        return along(responder);
    return false;
}

}
