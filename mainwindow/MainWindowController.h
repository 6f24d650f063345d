#pragma once

#include "core/ListenerList.h"
#include "viewkit/NiblessViewController.h"

#include "platform/ui/Geometry.h"
#include "platform/ui/Window.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace ui {
class Button;
class ScrollView;
}

namespace ostrel {

class DataModel;
class FragmentStackView;
class FragmentWall;
class HideableFragmentWall;
class KVOResponder;
class LogBookTableViewController;
class MainWindow;
class PadViewController;
class PushButtonBrick;
class ShownState;
class Wall;

// Builds the main window's content once: the current screen's walls under a drawn title
// strip on the left, and to its right at most one of six pads (Now, Later, Scratch, Log Book,
// Statistics, Help). A pad is open while its settings key holds false; everything, the pad
// selectors and the window's size included, follows those keys. It also shrinks the window
// to its content (compression) and keeps the window's top-left corner in the settings.
class MainWindowController : public NiblessViewController, public ui::WindowDelegate {
public:
    // The pads' keys in pad order.
    static const std::vector<std::string>& padStorageKeyPaths();
    // Placed in the shown screen's button row at the right, and the smallest open pad height.
    static constexpr double kLeftColumnWidth = 440.0;
    static constexpr double kOpenPadMinimumHeight = 340.0;
    static constexpr double kPadMinimumWidth = 400.0;

    bool ignoreMovementUpdates() const { return m_ignoreMovementUpdates; }
    void setIgnoreMovementUpdates(bool ignore) { m_ignoreMovementUpdates = ignore; }
    std::shared_ptr<MainWindow> window() const { return m_window.lock(); }
    void setWindow(const std::shared_ptr<MainWindow>& window) { m_window = window; }

    const std::shared_ptr<FragmentStackView>& horizontalFragmentStackView() const { return m_horizontalFragmentStackView; }
    const std::shared_ptr<FragmentWall>& leftFragmentWall() const { return m_leftFragmentWall; }
    const std::shared_ptr<HideableFragmentWall>& padFragmentWall(std::size_t index) const;
    const std::shared_ptr<Wall>& padSelectorOnMainWall() const { return m_padSelectorOnMainWall; }
    const std::shared_ptr<Wall>& contentWall() const { return m_contentWall; }
    const std::shared_ptr<Wall>& infoWallContainer() const { return m_infoWallContainer; }
    const std::shared_ptr<ui::ScrollView>& infoScrollView() const { return m_infoScrollView; }
    const std::shared_ptr<Wall>& buttonWallContainer() const { return m_buttonWallContainer; }
    const std::shared_ptr<PushButtonBrick>& commandButton() const { return m_commandButton; }
    // The command button, or the window's content while the button's column gave way to a pad.
    ui::View* commandPopUpAnchor() const;
    const std::shared_ptr<PadViewController>& nowPadController() const { return m_nowPadController; }
    const std::shared_ptr<PadViewController>& laterPadController() const { return m_laterPadController; }
    const std::shared_ptr<PadViewController>& scratchPadController() const { return m_scratchPadController; }
    const std::shared_ptr<LogBookTableViewController>& logBookTableViewController() const { return m_logBookTableViewController; }
    const std::shared_ptr<NiblessViewController>& statsController() const { return m_statsController; }
    const std::shared_ptr<NiblessViewController>& helpController() const { return m_helpController; }
    const std::shared_ptr<PushButtonBrick>& addLogEntryButton() const { return m_addLogEntryButton; }
    const std::vector<std::shared_ptr<KVOResponder>>& kvoResponders() const { return m_kvoResponders; }
    bool initialPositionAlreadyGiven() const { return m_initialPositionAlreadyGiven; }

    void build() override;
    void showState(ShownState& state);

    // Everything typed that is not on disk yet goes there now: every pad's page and the
    // entry open in the log book's editor. Every way out of the program runs it (the main
    // window asks the application to, at will-terminate); it asks nothing and only logs
    // what fails. The titles of what could not be written ("Now Pad", "Log Book").
    std::vector<std::string> saveEverything();

    void showPad(const std::string& storageKey);
    // Every other pad closes.
    void setPadOpen(const std::string& storageKey, bool open);
    void hideAllPadsExcept(const std::string& storageKey);
    void closeAllPads() { hideAllPadsExcept("dummy"); }
    void showCurrentWeekStatisticsPad();
    bool areAllPadsClosed() const;
    // True when at least one pad is closed, not when one is open: kept as the screens read it.
    bool isPadSectionVisible() const;
    // A press on a pad's button in either selector: a closed pad opens alone, an open one closes.
    void padButtonPressed(std::size_t index);

    void compressWindow();
    void repositionMainWindowAccordingToSettingsWithHint(ui::Point suggestedLocation);
    ui::Point computeTopLeftPoint(ui::Point suggestedLocation) const;
    ui::Point defaultPosition() const;
    // The window at least as large as its content needs, its top edge kept.
    void fitWindowToContent();

    void windowDidMove(ui::Window& window) override;
    void windowDidResize(ui::Window& window) override;
    void windowDidUnzoom(ui::Window& window) override;
    bool windowShouldClose(ui::Window& window) override;

    std::shared_ptr<HideableFragmentWall> createBlankPadFragmentWall(const std::string& storageKey, std::size_t selectedIndex);
    std::shared_ptr<Wall> createPadSelectorForPadWall(std::size_t selectedIndex);
    std::shared_ptr<Wall> createPadSelector();
    static std::string commandButtonToolTip(DataModel& model);

protected:
    friend class NiblessViewController;
    explicit MainWindowController(DataModel& model);

private:
    ui::Window* platformWindow() const;
    void buildBackground();
    void buildLeftColumn();
    void buildInfoScrollView();
    void buildPads();
    void fillPad(HideableFragmentWall& fragment, const std::shared_ptr<ui::View>& view, double top);
    void padKeysChanged();
    // On a display too narrow for both, an open pad takes the left column's place.
    void arrangeColumnAndPad();
    bool isColumnShown() const;
    static constexpr double kPadSelectorInset = 2.0;
    static constexpr double kPadSelectorInsetBesideMenu = 40.0;
    // After a pad button: the keyboard in the text pad it opened, or back in the screen's
    // own field when it went with a closed pad.
    void keepKeyboardAfterPadButton(std::size_t index, bool opened);

    DataModel* m_model { nullptr };
    bool m_ignoreMovementUpdates { true };
    std::weak_ptr<MainWindow> m_window;
    std::weak_ptr<ui::View> m_screenFirstResponder;
    std::vector<std::shared_ptr<ui::Constraint>> m_padSelectorLeadings;
    std::shared_ptr<FragmentStackView> m_horizontalFragmentStackView;
    std::shared_ptr<FragmentWall> m_leftFragmentWall;
    std::shared_ptr<HideableFragmentWall> m_nowPadFragmentWall;
    std::shared_ptr<HideableFragmentWall> m_laterPadFragmentWall;
    std::shared_ptr<HideableFragmentWall> m_scratchPadFragmentWall;
    std::shared_ptr<HideableFragmentWall> m_statsPadFragmentWall;
    std::shared_ptr<HideableFragmentWall> m_logBookPadFragmentWall;
    std::shared_ptr<HideableFragmentWall> m_helpPadFragmentWall;
    std::shared_ptr<Wall> m_padSelectorOnMainWall;
    std::shared_ptr<Wall> m_contentWall;
    std::shared_ptr<Wall> m_titleStrip;
    std::shared_ptr<Wall> m_infoWallContainer;
    // The info wall container's scroll view, between the title and the buttons.
    std::shared_ptr<ui::ScrollView> m_infoScrollView;
    std::shared_ptr<Wall> m_buttonWallContainer;
    std::shared_ptr<PushButtonBrick> m_commandButton;
    std::shared_ptr<PadViewController> m_nowPadController;
    std::shared_ptr<PadViewController> m_laterPadController;
    std::shared_ptr<PadViewController> m_scratchPadController;
    std::shared_ptr<LogBookTableViewController> m_logBookTableViewController;
    std::shared_ptr<NiblessViewController> m_statsController;
    std::shared_ptr<NiblessViewController> m_helpController;
    std::shared_ptr<PushButtonBrick> m_addLogEntryButton;
    std::vector<std::shared_ptr<KVOResponder>> m_kvoResponders;
    bool m_initialPositionAlreadyGiven { false };
    // One open pad giving way to another: the moment between, with none open, is no reason
    // to fit the window to the column.
    bool m_switchingPads { false };
    // The height the last open pad had when all were closed: it comes back with the next one.
    std::optional<double> m_closedPadHeight;
    // Where the window was left before a wider content (the column back after a pad) pushed it
    // aside to keep it on the display, and where the push put it: it goes back there once it
    // is narrow enough again, unless it was moved since. The same for its top edge, which a
    // taller screen pushed up.
    struct Push {
        double leftAt;
        double pushedTo;
    };
    std::optional<Push> m_pushedAside;
    std::optional<Push> m_pushedUp;
    // Maximized, the window was left at a screen's own height, and another screen showed
    // since: given back that height, it takes the screen's own instead.
    std::optional<double> m_ownHeightOwedAtHeight;
    void comeBackWhereItWasLeft();
    void setScreenFrame(ui::Window& window, ui::Rect wanted);
    // The screen's own height taken where it was owed and the window has the height owed.
    bool tookOwedHeight(ui::Window& window);
    ListenerToken m_commandComboListener;
};

}
