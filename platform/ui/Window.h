#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Event.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ObserverList.h"
#include "platform/ui/Responder.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextInput.h"
#include "platform/ui/WindowPicture.h"

#include <cairo.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ui {

class LayoutEngine;
class View;

namespace WindowStyle {
constexpr unsigned Borderless = 0;
constexpr unsigned Titled = 1u << 0;
constexpr unsigned Closable = 1u << 1;
constexpr unsigned Miniaturizable = 1u << 2;
constexpr unsigned Resizable = 1u << 3;
constexpr unsigned FullSizeContentView = 1u << 15;
}

namespace WindowLevel {
constexpr int Normal = 0;
constexpr int Floating = 3;
// The status item's own strip, where no tray shows it.
constexpr int StatusBar = 20;
// Menus being tracked and popovers sit above every ordinary and floating window.
constexpr int PopUpMenu = 22;
// Above every ordinary window, panel and menu: the screen covers.
constexpr int AboveAll = 25;
}

class WindowDelegate {
public:
    virtual ~WindowDelegate() = default;
    virtual void windowDidMove(Window&) { }
    virtual void windowDidResize(Window&) { }
    // Given back its size by the display; the size itself may be told before or after.
    virtual void windowDidUnzoom(Window&) { }
    virtual void windowDidBecomeKey(Window&) { }
    virtual void windowDidResignKey(Window&) { }
    virtual bool windowShouldClose(Window&) { return true; }
};

// A top-level window: a content view drawn into an image of the window's size, shown by
// the application's backend. Frames are in screen coordinates (y up, points) and cover the
// content only: the title bar, where there is one, is the desktop's. The image has as many
// pixels per point as the window's display asks for.
class Window : public Responder, public std::enable_shared_from_this<Window> {
public:
    static std::shared_ptr<Window> create(Rect contentRect, unsigned styleMask = WindowStyle::Titled);
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    unsigned styleMask() const { return m_styleMask; }
    void setStyleMask(unsigned mask);
    int level() const { return m_level; }
    void setLevel(int level);
    const std::string& title() const { return m_title; }
    void setTitle(std::string title);

    Rect frame() const { return m_frame; }
    // A frame with a number that is no finite number (a damaged stored position) counts as
    // none: the window stays where it is.
    void setFrame(Rect frame, bool display = false);
    void setFrameOrigin(Point origin);
    void setFrameTopLeftPoint(Point topLeft);
    Size minSize() const { return m_minSize; }
    void setMinSize(Size size);
    // The smallest content the constraints allow, at least minSize().
    Size contentMinSize();
    std::optional<Screen> screen() const;
    // A titled window stays within the user's reach: placed or sized by the program while it
    // shows, and when it comes on the screen, its title bar and its bottom edge stay inside
    // its display's visible frame (the desktop's work area): it moves, down from above the
    // top and up from below the bottom, the top winning; a resizable one taller than the
    // work area is made as tall as it (its content scrolls), and a wide one keeps its left
    // edge in sight. Other windows are placed as asked.
    Rect constrainFrameRect(Rect frame) const;
    // The work area changed (a panel or strip came, went or moved): a titled window showing
    // at rest is moved back within reach of the new one.
    void workAreaChanged();
    // The largest content that keeps its title bar, sides and bottom edge inside the visible
    // frame of the display the frame overlaps most (else the main one): a window of fixed
    // size that may be larger asks, and scrolls what does not fit. None without a display.
    std::optional<Size> largestSizeWithinReach(Rect frame) const;
    // What the desktop draws around the content of a titled window, as far as it is known:
    // its window manager's word, else what the window's first placement showed, else what
    // another of our windows learned. None for other windows.
    EdgeInsets decoration() const;
    // Pixels per point where the window is: its display's, else the first display's, else 1.
    double backingScaleFactor() const;

    // Zoom: the visible frame of the window's display, and on the next zoom back to the
    // frame it had before. Any other frame change ends the zoomed state.
    void zoom();
    bool isZoomed() const { return m_zoomed; }
    // The frame the window had before it was zoomed, which unzooming gives back.
    Rect unzoomedFrame() const { return m_unzoomedFrame; }
    // A press on a view that says it is background (View::mouseDownCanMoveWindow) and a drag
    // move the window. A titled window keeps its title bar.
    bool isMovableByWindowBackground() const { return m_movableByBackground; }
    void setMovableByWindowBackground(bool movable) { m_movableByBackground = movable; }

    View* contentView() const { return m_contentView.get(); }
    void setContentView(std::shared_ptr<View> view);

    // Showing.
    bool isVisible() const { return m_visible; }
    void orderFront();
    // Shown even while the application is not active, or hidden.
    void orderFrontRegardless();
    void orderOut();
    void makeKeyAndOrderFront();
    void close();
    // The close button: asks the delegate first.
    void performClose();

    bool isKeyWindow() const;
    bool isMainWindow() const;
    void makeKeyWindow();
    void makeMainWindow();
    virtual bool canBecomeKeyWindow() const;
    // False: never key, and the display never gives it the keyboard (screen covers, tool
    // tips); a key window told so stops being key.
    void setCanBecomeKeyWindow(bool can);
    // Told whenever the window stops being key, after its delegate, until the token goes.
    [[nodiscard]] ObserverToken addResignKeyObserver(std::function<void(Window&)> observer);
    // Told whenever the window comes on the screen or goes from it (isVisible() says which),
    // until the token goes: what draws only for the eye can rest meanwhile.
    [[nodiscard]] ObserverToken addVisibilityObserver(std::function<void(Window&)> observer);

    double alphaValue() const { return m_alpha; }
    void setAlphaValue(double alpha);
    bool ignoresMouseEvents() const { return m_ignoresMouse; }
    void setIgnoresMouseEvents(bool ignores);
    bool isShownOnAllDesktops() const { return m_allDesktops; }
    void setShownOnAllDesktops(bool shown);
    WindowKind kind() const { return m_kind; }
    void setKind(WindowKind kind);

    // Whether hiding the application takes this window away too; a status item's stays.
    bool canHide() const { return m_canHide; }
    void setCanHide(bool canHide) { m_canHide = canHide; }
    // Modal for another window (the one it blocks): shown above it, and brought forward with
    // it; none when it blocks no window.
    Window* modalOwner() const { return m_modalOwner.lock().get(); }
    void setModalOwner(Window* owner);
    // A strip at the top edge of the screen keeps what lies above its bottom edge, across its
    // width, clear of other windows (their title bars, a maximized window).
    bool reservesSpace() const { return m_reservesSpace; }
    void setReservesSpace(bool reserves);
    // Translucency where no compositing manager runs: such a window is given a picture of
    // the screen beneath it as it appears, and lays its content over it at its alpha.
    bool blendsOverScreen() const { return m_blendsOverScreen; }
    void setBlendsOverScreen(bool blends);
    std::optional<gfx::Color> backgroundColor() const { return m_background; }
    void setBackgroundColor(std::optional<gfx::Color> color);

    WindowDelegate* delegate() const { return m_delegate; }
    // Not owned: the delegate (a window controller) outlives its window's use of it.
    void setDelegate(WindowDelegate* delegate) { m_delegate = delegate; }

    // First responder and the key-view loop.
    ui::Responder* firstResponder() const { return m_firstResponder; }
    // nullptr makes the window itself first responder. False when refused.
    bool makeFirstResponder(ui::Responder* responder);
    // Held weakly: it may be set before the view is in the window, and go before it is.
    View* initialFirstResponder() const { return m_initialFirstResponder.lock().get(); }
    void setInitialFirstResponder(View* view);
    // Links every key view in reading order (top to bottom, then left to right) into a loop.
    void recalculateKeyViewLoop();
    // Tab and Shift+Tab: the next or previous key view in reading order as the window is now.
    void selectNextKeyView();
    void selectPreviousKeyView();
    // The keyboard on a view with its ring showing, as if Tab had brought it there: a window
    // that opens on a control shows where keys go.
    bool makeFirstResponderWithRing(View* view);
    // The keyboard on a view, ringed when a key press brought it there (Return on "Log"
    // showing the next screen, Escape closing an editor), left as the pointer left it else.
    bool giveKeyboardTo(View* view);
    // A key view that was disabled or hidden: if it had the keyboard, the next view that can
    // take it does (else the window), so the focus never rests on a control the user cannot work.
    void keyViewBecameUnavailable(View* view);
    // The view a focus ring shows around: the first responder's (FocusRing::around) while the
    // window is key and the keyboard moved the focus last; a click hides it until then.
    View* focusRingView() const;

    // Events, in window base coordinates (origin bottom left of the content, y up).
    void sendEvent(const Event& event);
    Point convertPointToScreen(Point point) const;
    Point convertPointFromScreen(Point point) const;
    void keyDown(const Event& event) override;
    // Files or text dropped on the window at a point (window base coordinates): the deepest
    // view there registered for one of the pasteboard's types takes it. False when none did.
    bool performDrop(const Pasteboard& pasteboard, Point locationInWindow);

    // Input methods: what one composes and finishes goes to the first responder when it
    // takes text. Its caret, in window base coordinates, is where the input method works.
    void setComposition(const Composition& composition);
    void commitText(const std::string& utf8);
    std::optional<Rect> textInputCaret() const;
    // The first responder ended its composition itself (a click, a key, an edit): the input
    // method drops what it was composing too.
    void discardComposition();

    // Layout and drawing.
    void setNeedsLayout();
    void layoutIfNeeded();
    bool needsDisplay() const { return m_displayPending; }
    // The next display draws the whole picture, not only what changed.
    void redrawAll();
    // Lays out, draws the whole content and hands the picture to the backend.
    void display();
    void displayIfNeeded();
    // The last drawn picture, ARGB32, content size × scale; drawn now if none yet.
    cairo_surface_t* surface();
    // The colour at a point of the content, counted from its top left in points.
    gfx::Color pixelAt(double x, double y);
    bool writePng(const std::filesystem::path& path);

    // Called by views.
    void viewNeedsDisplay();
    void viewWillLeave(View* view);
    void viewWillHide(View* view);

    PlatformWindow* platformWindow() const { return m_platform.get(); }
    // The backend's word that the display moved, resized or focused the window.
    void platformDidMove(Point origin);
    void platformDidResize(Size size);
    // The display keeps the window at this size, whatever was asked of it (a tiling window
    // manager's tile): taken as its last word, not as a late answer to an earlier request.
    void platformKeptSize(Size size);
    // The window manager told of the frame it gives the window at rest: placed by another
    // window's (an alert's, with no handle at its bottom), it stood that much past the screen.
    void platformDidFrame();
    // The window manager minimized the window (its title bar's button) or gave it back;
    // ordering it front gives it back. A window put away by us is not minimized.
    bool isMiniaturized() const { return m_miniaturized && m_visible; }
    void platformDidMiniaturize(bool miniaturized) { m_miniaturized = miniaturized; }
    // The window manager maximized the window, or gave it back its size: zoomed as zoom()
    // does, so that the next frame the program asks for ends it rather than being refused
    // while the display keeps the window large. Maximized, it goes back to frameBefore (its
    // frame before the maximizing, when the display told of that first) once given back.
    void platformDidZoom(bool zoomed, std::optional<Rect> frameBefore = std::nullopt);

protected:
    Window(Rect contentRect, unsigned styleMask);
    // A window of a subclass, made by that subclass: the application learns of it here.
    static void adopt(const std::shared_ptr<Window>& window);

private:
    friend class Application;
    friend class ToolTipController;
    // As large as its screen's work area, give or take a window manager's decoration.
    bool fillsItsScreen() const;
    // A size the display gives, no smaller than the content needs where the window is
    // resizable, within the work area's height.
    Size heldSize(Size size);
    void pushState();
    // Its title bar and bottom row brought inside the work area, where they stand past it.
    void moveWithinReach();
    // The frame asked of the display again, where a window manager put it elsewhere.
    void askForThePlaceAgain();
    void scheduleDisplay();
    View* mouseTarget(Point pointInWindow);
    bool startBackgroundDrag(View* view, Point pressed);
    // Pops up the first menu of a menu bar in the window; false where there is none.
    bool openMenuBar();
    // The responder that gets the keyboard, held for as long as it handles a key.
    struct KeyTarget {
        ui::Responder* responder;
        std::shared_ptr<View> keep;
        ui::Responder* operator->() const { return responder; }
    };
    KeyTarget keyTarget();
    std::vector<View*> keyViews();
    bool returnReachesDefaultButton() const;
    bool offerToNearestButtons(const Event& event);
    void selectKeyView(int direction);
    void setFocusRingShown(bool shown);
    void drawFocusRing(gfx::GraphicsContext& context);
    // The part of the window the focus ring covers now, if one shows.
    std::optional<Rect> focusRingArea() const;
    void becameKey();
    void resignedKey();
    // After a change of first responder or caret: the display hears where text input goes.
    void textInputMayHaveChanged();
    void takeBackdrop();
    void raiseAboveItsLevel();
    void scaleMayHaveChanged();

    unsigned m_styleMask { WindowStyle::Titled };
    int m_level { WindowLevel::Normal };
    std::string m_title;
    Rect m_frame;
    Size m_minSize;
    bool m_visible { false };
    double m_alpha { 1 };
    bool m_ignoresMouse { false };
    bool m_allDesktops { false };
    bool m_canHide { true };
    std::weak_ptr<Window> m_modalOwner;
    bool m_reservesSpace { false };
    bool m_blendsOverScreen { false };
    bool m_isToolTip { false };
    WindowKind m_kind { WindowKind::Normal };
    bool m_zoomed { false };
    // Shown while maximized: mapped at the maximized frame, the only one the window manager
    // knows to give back.
    bool m_shownMaximized { false };
    bool m_miniaturized { false };
    Rect m_unzoomedFrame;
    bool m_movableByBackground { false };
    // Whether the display has still to say where the first showing put the window, and how
    // often the place was asked for again (see platformDidMove).
    bool m_shownBefore { false };
    bool m_awaitingFirstPlacement { false };
    // Shown again after being put away: a window manager that let the window go where its
    // content stood may frame it there, a title bar lower than it was.
    bool m_awaitingPlacementAgain { false };
    // The frame's offset last corrected at the first placement, and how often.
    std::optional<Point> m_decorationCorrected;
    // The decoration the first placement showed, before the window manager says it.
    std::optional<EdgeInsets> m_learnedDecoration;
    // Maximized, a window manager may frame a window without borders or handle: what it said
    // then, until it says anything else, is not the decoration the window has once it leaves.
    mutable std::optional<EdgeInsets> m_decorationWhileZoomed;
    mutable std::optional<EdgeInsets> m_restingDecoration;
    void noteDecorationWhileZoomed();
    int m_decorationCorrections { 0 };
    int m_placements { 0 };
    // Places and sizes asked of the display and not yet reported back, oldest first: a
    // report of one of them while a later one is on its way is the display catching up
    // (a drag of the window by its background moves it at every step), not a user's move.
    std::deque<Point> m_askedOrigins;
    std::deque<Size> m_askedSizes;
    // A size the display gave, and the larger one asked of it in answer: given again, it is
    // the display's to keep (a tiling window manager's tile).
    std::optional<std::pair<Size, Size>> m_givenAgainstHeld;
    // Where a drag of the background started: the pointer and the frame's origin on screen.
    struct BackgroundDrag {
        Point mouse;
        Point origin;
    };
    std::optional<BackgroundDrag> m_backgroundDrag;
    std::optional<bool> m_canBecomeKey;
    ObserverList<Window&> m_resignKeyObservers;
    ObserverList<Window&> m_visibilityObservers;
    std::optional<gfx::Color> m_background;
    WindowDelegate* m_delegate { nullptr };

    std::shared_ptr<View> m_contentView;
    ui::Responder* m_firstResponder { nullptr };
    std::weak_ptr<View> m_initialFirstResponder;
    View* m_mouseDownView { nullptr };
    bool m_focusRingShown { false };
    // Where the focus ring was last drawn, to draw there again when it moves or goes.
    std::optional<Rect> m_lastFocusRingArea;

    std::unique_ptr<LayoutEngine> m_engine;
    bool m_layoutPending { true };
    bool m_displayPending { false };
    bool m_redrawAll { true };
    bool m_displayScheduled { false };
    WindowPicture m_picture;
    std::unique_ptr<PlatformWindow> m_platform;
    // Guards posted display tasks against a window gone before they run.
    std::shared_ptr<bool> m_alive { std::make_shared<bool>(true) };
};

}
