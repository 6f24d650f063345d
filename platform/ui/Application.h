#pragma once

#include "platform/base/AlertPresenter.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Event.h"
#include "platform/ui/ObserverList.h"
#include "platform/ui/Responder.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace base {
class StopSignals;
}

namespace ui {

class Menu;
class ToolTipController;
class Window;

// What comes with each delegate message.
struct Notification {
    std::string name;
};

enum class TerminateReply { Cancel, Now, Later };

// A regular application has a task-bar entry for its windows; an accessory one (the
// dock-less mode) keeps its windows out of the task bar.
enum class ActivationPolicy { Regular, Accessory };

class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    virtual void applicationWillFinishLaunching(const Notification&) { }
    virtual void applicationDidFinishLaunching(const Notification&) { }
    virtual void applicationWillBecomeActive(const Notification&) { }
    virtual void applicationDidBecomeActive(const Notification&) { }
    virtual void applicationWillResignActive(const Notification&) { }
    virtual void applicationDidResignActive(const Notification&) { }
    virtual void applicationWillTerminate(const Notification&) { }
    virtual TerminateReply applicationShouldTerminate() { return TerminateReply::Now; }
};

// The one application object: its windows, its activation, the delegate's seven messages,
// the event currently handled and actions sent along the responder chain.
class Application : public Responder {
public:
    // Becomes the shared application until destroyed.
    static std::unique_ptr<Application> create(std::unique_ptr<WindowBackend> backend);
    static Application* shared();
    ~Application() override;

    WindowBackend& backend() const { return *m_backend; }

    // Not owned: the delegate lives for the whole run.
    ApplicationDelegate* delegate() const { return m_delegate; }
    void setDelegate(ApplicationDelegate* delegate) { m_delegate = delegate; }

    // Will and did finish launching, then activation. Once only.
    void finishLaunching();
    bool isLaunched() const { return m_launched; }
    // finishLaunching() then the main run loop until terminate.
    void run();
    // Asks the delegate; Now ends the run, Later waits for replyToApplicationShouldTerminate.
    void terminate();
    void replyToApplicationShouldTerminate(bool shouldTerminate);
    // Ends the run without asking anybody (the session is ending, the program was told to
    // stop): will-terminate is still told, so that nothing typed is lost.
    void terminateNow();
    bool isTerminating() const { return m_terminated; }
    // Told once on every way out, after the delegate's applicationWillTerminate: whatever
    // holds the user's work writes it now. Nobody is asked anything any more by then.
    [[nodiscard]] ObserverToken addWillTerminateObserver(std::function<void()> observer);
    // SIGTERM and SIGINT end the run as terminateNow() does, in any mode, even with an alert
    // up; `heard` is told which came first. Stays so while the application lives.
    void terminateOnStopSignals(std::function<void(int signal)> heard = {});

    // Activation, as the desktop reports it or as the program asks. A hidden program that
    // asks to be active is shown again first, the window that had the keyboard with it.
    bool isActive() const { return m_active; }
    void activate(bool ignoringOtherApps = true);
    void deactivate();

    // Hidden: the windows that can hide are off the screen. An ordinary window put on the
    // screen regardless (the one a pop-up hangs from) shows the program again, so that this
    // says what the display shows.
    bool isHidden() const { return m_hidden; }
    void hide();
    void unhide();

    ActivationPolicy activationPolicy() const { return m_policy; }
    void setActivationPolicy(ActivationPolicy policy);

    bool isDarkAppearance() const { return m_dark; }
    void setDarkAppearance(bool dark) { m_dark = dark; }

    // The backend's word that the desktop's work area changed.
    void workAreaChanged();

    // Windows, front to back as ordered.
    std::vector<std::shared_ptr<Window>> windows() const;
    Window* keyWindow() const { return m_keyWindow; }
    Window* mainWindow() const { return m_mainWindow; }

    // The menu bar's model: the shell groups its items into submenus as it likes. Its key
    // equivalents answer Command shortcuts before the key window sees them.
    const std::shared_ptr<Menu>& mainMenu() const { return m_mainMenu; }
    void setMainMenu(std::shared_ptr<Menu> menu) { m_mainMenu = std::move(menu); }

    // Events: monitors first, then the main menu's shortcuts, then the window.
    void sendEvent(const Event& event);
    // The event being dispatched, or none between events.
    const Event* currentEvent() const { return m_current ? &*m_current : nullptr; }
    // Whether what runs now answers a key press: a window or screen it shows opens with its
    // first control ringed, as if Tab had brought the keyboard there.
    bool isHandlingKeyPress() const { return m_current && m_current->type() == Event::Type::KeyDown; }
    // Runs work as the handling of an event that reached us other than through a window
    // (a tray's click), so that currentEvent() tells what it was.
    void handleAsCurrentEvent(const Event& event, const std::function<void()>& work);
    // The display's time stamp of the latest input (a key, a click, a global hot key): a
    // window focused in answer asks for the keyboard as of then. 0 when none is known.
    std::uint32_t inputTime() const { return m_inputTime; }
    void setInputTime(std::uint32_t time);
    // The same while that input is recent (within a second): what is asked later is asked on
    // the program's own account (a timed rule bringing it forward), as of now: 0. Asked as of
    // an input long past, a window manager refuses it as stale.
    std::uint32_t recentInputTime() const;
    // Presses made by the display's `time` go no further, nor the rest of their gestures: the
    // click that closed a menu, read once the menu had gone (its window manager took the
    // keyboard from it first), or read late by a busy program.
    void dropPressesMadeBy(std::uint32_t time);

    // The tool tips shown over the views that have one.
    ToolTipController& toolTips() { return *m_toolTips; }
    // The backend's word that the pointer left a window.
    void pointerLeftWindow(Window& window);

    // A local monitor sees events of the mask before their window does; it returns the
    // event to go on with (changed or not), or none to swallow it.
    using Monitor = std::function<std::optional<Event>(const Event&)>;
    using MonitorId = std::uint64_t;
    MonitorId addLocalMonitor(std::uint64_t mask, Monitor monitor);
    void removeMonitor(MonitorId id);

    // Shows the window and runs a nested modal run for it until stopModal() or the window
    // closes; other ordinary windows keep drawing but take no input meanwhile (menus, panels
    // and alerts above them do).
    void runModalForWindow(Window& window);
    void stopModal();
    Window* modalWindow() const { return m_modalWindow; }
    // Whether a modal window keeps input from another: the ordinary windows, not the menus,
    // panels and alerts above them.
    static bool blocks(const Window& modal, const Window& other);

    // Sends an action by name: to the target when given, else along the key window's
    // responder chain, the main window's, then the application's own (application, then its
    // next responders). False when nobody performs it.
    bool sendAction(std::string_view action, base::Responder* target = nullptr, const base::Sender& sender = {});

private:
    friend class Window;
    friend class SdlBackend;
    explicit Application(std::unique_ptr<WindowBackend> backend);
    void addWindow(const std::shared_ptr<Window>& window);
    void windowOrderedFront(Window& window);
    // Active, and with `showingHiddenWindows` no longer hidden. The display giving one of our
    // windows the keyboard does not show the others: the status item's menu takes it over a
    // hidden program.
    void becomeActive(bool showingHiddenWindows);
    void windowOrderedOut(Window& window);
    void windowGone(Window& window);
    void setKeyWindow(Window* window);
    void setMainWindow(Window* window);
    // Tells the backend where text input goes when the key window's first responder or its
    // caret changed.
    void updateTextInput();
    void tell(void (ApplicationDelegate::*message)(const Notification&), const char* name);
    void forgetExpiredWindows();

    std::unique_ptr<WindowBackend> m_backend;
    ApplicationDelegate* m_delegate { nullptr };
    bool m_launched { false };
    bool m_terminated { false };
    bool m_active { false };
    bool m_hidden { false };
    // While hide() orders the windows out: none of them is to take the keyboard.
    bool m_hiding { false };
    // While the delegate hears that the program will resign: what closes then hands the
    // keyboard to nobody of ours.
    bool m_resigning { false };
    bool m_dark { false };
    ActivationPolicy m_policy { ActivationPolicy::Regular };
    std::vector<std::weak_ptr<Window>> m_windows;
    std::vector<std::weak_ptr<Window>> m_hiddenWindows;
    // The window that had the keyboard when the program hid: it has it again when shown.
    std::weak_ptr<Window> m_keyBeforeHiding;
    // What the desktop draws around a titled window, as the last of ours learned it.
    std::optional<EdgeInsets> m_knownDecoration;
    Window* m_keyWindow { nullptr };
    Window* m_mainWindow { nullptr };
    std::optional<Event> m_current;
    std::uint32_t m_inputTime { 0 };
    // When the latest input came, on the run loop's clock.
    double m_inputArrival { 0 };
    std::optional<std::uint32_t> m_pressesDroppedUntil;
    // The press of the gesture under way went no further: its drags and release neither.
    bool m_gestureDropped { false };
    bool dropsGesture(const Event& event);
    std::unique_ptr<ToolTipController> m_toolTips;
    // What the backend was last told of text input; the window is not owned.
    Window* m_textInputWindow { nullptr };
    std::optional<Rect> m_textInputCaret;
    std::shared_ptr<Menu> m_mainMenu;
    // Not owned: set only while runModalForWindow() runs for it.
    Window* m_modalWindow { nullptr };
    bool m_modalStopped { false };
    struct MonitorEntry {
        MonitorId id;
        std::uint64_t mask;
        Monitor monitor;
    };
    std::vector<MonitorEntry> m_monitors;
    MonitorId m_nextMonitor { 1 };
    ObserverList<> m_willTerminateObservers;
    std::unique_ptr<base::StopSignals> m_stopSignals;
    // The alert presenter there was before this application installed real alerts.
    std::optional<base::AlertPresenter::Handler> m_previousAlerts;
};

}
