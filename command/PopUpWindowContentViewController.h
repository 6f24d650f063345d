#pragma once

#include "core/Debouncer.h"
#include "core/ListenerList.h"
#include "viewkit/NiblessViewController.h"

#include "platform/gfx/Font.h"
#include "platform/ui/Event.h"
#include "platform/ui/Window.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class Button;
class Popover;
class TextField;
}

namespace ostrel {

class FragmentStackView;
class LocalEventMonitor;
class MatchingItemList;
class MatchingLineFragment;
class MatchingLineFragmentFactory;
class PopUpWindowContentViewControllerDelegate;
class PushButtonBrick;
class Wall;

// The command pop-up's content and all its input: a search line, the result rows, the
// bread-crumb line and two scroll buttons over the matching item list. While it is open a
// local monitor sees every key and click first: typing filters, arrows move and enter
// groups, Return runs the selected entry, Escape or a shortcut with Ctrl, Alt or Super
// closes it, and so does a click outside it.
class PopUpWindowContentViewController final : public NiblessViewController, public ui::WindowDelegate {
public:
    static std::shared_ptr<PopUpWindowContentViewController> create(bool delayedBuild);

    // Hide the application before running an entry with Return.
    bool autoHideApp() const { return m_autoHideApp; }
    void setAutoHideApp(bool hide) { m_autoHideApp = hide; }
    PopUpWindowContentViewControllerDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(std::shared_ptr<PopUpWindowContentViewControllerDelegate> delegate);
    const std::shared_ptr<Wall>& contentWall() const { return m_contentWall; }
    void setContentWall(std::shared_ptr<Wall> wall) { m_contentWall = std::move(wall); }
    ui::TextField* searchField() const { return m_searchField.get(); }
    LocalEventMonitor* localEventMonitor() const { return m_localEventMonitor.get(); }
    bool continuousTypingIntervalHasExpired() const { return m_continuousTypingIntervalHasExpired; }
    ui::TextField* drillDownLabel() const { return m_drillDownLabel.get(); }
    FragmentStackView* matchStackView() const { return m_matchStackView.get(); }
    const std::vector<std::shared_ptr<MatchingLineFragment>>& matchingFragments() const { return m_matchingFragments; }
    void setMatchingFragmentFactory(std::shared_ptr<MatchingLineFragmentFactory> factory);
    // Present while the pop-up hangs from a button.
    ui::Popover* popover() const { return m_popover.get(); }
    PushButtonBrick* upArrow() const { return m_upArrow.get(); }
    PushButtonBrick* downArrow() const { return m_downArrow.get(); }
    MatchingItemList& matchingItemList() const { return *m_matchingItemList; }
    void setMatchingItemList(std::shared_ptr<MatchingItemList> list);
    bool isRunning() const { return m_isRunning; }
    // The button the pop-up hangs from; none once that button is gone.
    ui::Button* hostingButton() const;

    // Opens, or closes when already open and asked to come to the front (a second press of
    // the button or hot key). All callers hang it from the main window: its command button, or
    // where that button is out of sight, the window's content.
    void run(bool asPopUp, ui::View* anchor, bool bringToFrontIfNecessary);
    // As many rows as a content this high holds (never fewer than three); the list scrolls
    // through the rest.
    void fitRowsInto(double height);

    const std::string& placeholderText() const { return m_placeholderText; }
    void setPlaceholderText(std::string text) { m_placeholderText = std::move(text); }
    const gfx::Font& placeholderFont() const { return m_placeholderFont; }
    void setPlaceholderFont(gfx::Font font) { m_placeholderFont = std::move(font); }
    const gfx::Font& actionFont() const { return m_actionFont; }
    void setActionFont(gfx::Font font) { m_actionFont = std::move(font); }

    // Search line, rows, bread crumbs and scroll buttons from the list.
    void updateSearchResults();
    // The local monitor's handler: the event to go on with, or none to swallow it.
    std::optional<ui::Event> handleKeyStroke(const ui::Event& event);
    void dismissDialog();

    void windowDidBecomeKey(ui::Window&) override;
    void windowDidResignKey(ui::Window&) override;

    void build() override;
    // Once the content shows: its window takes the keyboard and comes to the front.
    void viewDidAppear();

    // Where the window mode puts a window of that size on a display's visible frame:
    // centred across, its middle two thirds of the way up.
    static ui::Point windowOrigin(const ui::Rect& visibleFrame, const ui::Size& windowSize);

private:
    // The visible frame of the display the pop-up opens on: its anchor's, else the first.
    static std::optional<ui::Rect> displayToOpenOn(const ui::Window* anchorWindow);
    // The height the popover has beside its anchor: the larger of the room below and above it.
    static double roomBesideAnchor(ui::View& anchor, const ui::Rect& visibleFrame);
    std::size_t shownRows() const;
    friend class CommandPopUpWindow;
    friend class NiblessViewController;
    PopUpWindowContentViewController();

    std::optional<ui::Event> handleKeyDown(const ui::Event& event);
    std::optional<ui::Event> handleMouseDown(const ui::Event& event);
    void returnPressed(bool shiftHeld);
    void showAsPopover();
    void showAsWindow();
    void startMonitor();
    void stopMonitor();
    void configureRows();
    void closePopover();
    ui::Window* contentWindow() const;
    std::shared_ptr<PopUpWindowContentViewController> self();

    bool m_autoHideApp { true };
    std::shared_ptr<PopUpWindowContentViewControllerDelegate> m_delegate;
    std::shared_ptr<Wall> m_contentWall;
    std::shared_ptr<ui::TextField> m_searchField;
    // The search field's line of fixed height, where the delegate asks for one.
    std::shared_ptr<ui::View> m_searchLine;
    std::shared_ptr<LocalEventMonitor> m_localEventMonitor;
    Debouncer m_keystrokeDebouncer { 1.0 };
    bool m_continuousTypingIntervalHasExpired { false };
    std::shared_ptr<ui::TextField> m_drillDownLabel;
    std::shared_ptr<FragmentStackView> m_matchStackView;
    std::vector<std::shared_ptr<MatchingLineFragment>> m_matchingFragments;
    std::shared_ptr<MatchingLineFragmentFactory> m_matchingFragmentFactory;
    std::shared_ptr<ui::Popover> m_popover;
    std::shared_ptr<PushButtonBrick> m_upArrow;
    std::shared_ptr<PushButtonBrick> m_downArrow;
    std::shared_ptr<MatchingItemList> m_matchingItemList;
    bool m_isRunning { false };
    std::weak_ptr<ui::View> m_anchor;
    std::string m_placeholderText { "Actions" };
    gfx::Font m_placeholderFont { gfx::Font::system(16, gfx::FontWeight::semibold) };
    gfx::Font m_actionFont { gfx::Font::system(16, gfx::FontWeight::semibold) };
    Debouncer m_updateSubscriptionDebouncer { 0.05 };
    ListenerToken m_updateSubscription;
    // The window of the window mode, which owns this controller.
    std::weak_ptr<ui::Window> m_commandWindow;
};

}
