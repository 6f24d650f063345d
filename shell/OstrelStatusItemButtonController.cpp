#include "shell/OstrelStatusItemButtonController.h"

#include "shell/AppDelegate.h"
#include "shell/IconManager.h"
#include "shell/MainController.h"

#include "core/KVOResponder.h"
#include "core/ZrLog.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"

#include "platform/base/Defaults.h"
#include "platform/base/Timer.h"
#include "platform/ui/Application.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ScreenManager.h"
#include "platform/ui/StatusItem.h"
#include "platform/ui/Window.h"

namespace ostrel {

namespace {

// Screens compare by what they are; two absent ones count as the same.
bool sameScreen(const std::optional<ui::Screen>& first, const std::optional<ui::Screen>& second) { return first == second; }

AppDelegate* appDelegate()
{
    auto controller = MainController::sharedInstance();
    return controller ? controller->pseudoAppDelegate() : nullptr;
}

}

std::shared_ptr<OstrelStatusItemButtonController> OstrelStatusItemButtonController::create()
{
    auto controller = std::shared_ptr<OstrelStatusItemButtonController>(new OstrelStatusItemButtonController);
    if (auto store = base::Defaults::standard()) {
        controller->m_iconObserver = KVOResponder::create("menubarIconChoice", store, false, [](base::Defaults&, const std::string&) {
            auto main = MainController::sharedInstance();
            if (main && main->item())
                applyMenuBarIcon(*main->item());
        });
    }
    return controller;
}

void OstrelStatusItemButtonController::applyMenuBarIcon(ui::StatusItem& item)
{
    if (!item.button())
        return;
    auto icon = IconManager::menuBarIcon();
    icon->setTemplate(true);
    item.button()->setImage(icon);
    item.button()->setImagePosition(ui::ImagePosition::ImageLeft);
}

void OstrelStatusItemButtonController::clickStatusItem()
{
    auto* application = ui::Application::shared();
    const ui::Event* event = application ? application->currentEvent() : nullptr;
    bool right = event && ((event->modifierFlags() & ui::ModifierFlag::Control) || event->type() == ui::Event::Type::RightMouseDown);
    // Where the click was, on the screen: a tray's click comes without a window.
    ui::Point mouse = application ? application->backend().mouseLocation() : ui::Point();
    if (event && event->window())
        mouse = event->window()->convertPointToScreen(event->locationInWindow());
    else if (event)
        mouse = event->locationInWindow();
    std::weak_ptr<OstrelStatusItemButtonController> weak = weak_from_this();
    m_pendingClick = base::Timer::create(0, false, base::RunLoop::Mode::Default, [weak, right, mouse](base::Timer&) {
        auto controller = weak.lock();
        if (!controller)
            return;
        if (right)
            controller->rightButtonDown();
        else
            controller->leftButtonDown(mouse);
    });
}

std::optional<ui::Rect> OstrelStatusItemButtonController::buttonRectOnScreen(ui::Point mouse)
{
    auto main = MainController::sharedInstance();
    auto* item = main ? main->item().get() : nullptr;
    if (!item)
        return std::nullopt;
    if (auto* strip = item->stripWindow())
        return strip->frame();
    // A tray shows the item where it was clicked.
    return ui::Rect(mouse.x, mouse.y, 0, 0);
}

void OstrelStatusItemButtonController::leftButtonDown(ui::Point mouse)
{
    zr_log("OstrelStatusItemButtonController leftButtonDown");
    auto* delegate = appDelegate();
    auto* application = ui::Application::shared();
    if (!delegate || !delegate->mainWindow || !application)
        return;
    bool moves = base::Defaults::standard()->boolean("clickMovesWindowBelowIcon");
    bool active = application->isActive();
    zr_log("applicationIsAtFront: %d", active ? 1 : 0);

    auto& window = delegate->mainWindow->window();
    auto button = buttonRectOnScreen(mouse);
    auto clickScreen = ui::ScreenManager::screenForMouseLocation(mouse);
    auto windowScreen = ui::ScreenManager::screenForMouseLocation(window.frame().origin);
    // A maximized window's frame reaches a pixel past the screen where the window manager
    // draws its border outside it: its corner then lies on no screen, yet the window stands on
    // the one that holds its middle, and a click there hides the program rather than moving it.
    if (!windowScreen)
        windowScreen = ui::ScreenManager::screenForMouseLocation(window.frame().center());
    auto buttonScreen = button ? ui::ScreenManager::screenForMouseLocation(button->origin) : std::nullopt;
    if (sameScreen(clickScreen, buttonScreen) && button) {
        zr_log("clicked screen and status item button are the same");
        zr_log("changing mouse location from: %f to %f:", mouse.x, button->minX());
        mouse.x = button->minX();
        // Below the item, not over it: the strip is a window of ours that the main window
        // would otherwise cover; a tray's item has no height, so its click point stays.
        mouse.y = button->minY();
    }
    auto& controller = *delegate->mainWindow->controller();
    if (moves) {
        if (!active) {
            zr_log(" we were not active, so activate and place popup window next to status bar item");
            m_temporaryHint = mouse;
            // A maximized window stays the window manager's: moved, it would be maximized no
            // longer yet keep the work area's size, its borders past the work area.
            if (!window.isZoomed())
                controller.repositionMainWindowAccordingToSettingsWithHint(mouse);
            delegate->makeFront();
            return;
        }
        zr_log("   application was at front already");
        if (!sameScreen(clickScreen, windowScreen)) {
            zr_log("   the click was on a different screen, so move the popup window");
            m_temporaryHint = mouse;
            controller.repositionMainWindowAccordingToSettingsWithHint(mouse);
            return;
        }
        if (window.isMiniaturized()) {
            zr_log("   the click was on the same screen as the popup window, but the window was minimized, so just un-minimize it");
            window.makeKeyAndOrderFront();
            return;
        }
        zr_log("   the click was on the same screen as the popup window & it was not minimized, so just hide");
        delegate->hide();
        return;
    }
    bool shown = sameScreen(clickScreen, buttonScreen) ? active : window.isVisible();
    if (shown)
        delegate->hide();
    else
        delegate->makeFront();
}

void OstrelStatusItemButtonController::rightButtonDown()
{
    zr_log("rightButtonDown");
    auto main = MainController::sharedInstance();
    if (main && main->item())
        main->item()->popUpStatusItemMenu(main->dockMenu());
}

}
