#include "breaks/BreakScreenSupport.h"

#include "states/MainWindowAccess.h"
#include "states/ModernUIState.h"
#include "states/QuickDurationChangingViewController.h"
#include "states/StateFragmentStackView.h"

#include "attention/ActivityMonitor.h"
#include "command/ObjectiveParser.h"
#include "core/StateMachine.h"
#include "core/ZrLog.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/MainWindowHooks.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"
#include "shell/StatusItemMenuManager.h"
#include "viewkit/SmartMenuItem.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/Popover.h"
#include "platform/ui/StackView.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <cmath>

namespace ostrel::BreakScreenSupport {

double idleTimeInSeconds()
{
    auto& monitor = smartDelegate().activityMonitor;
    if (!monitor)
        base::fatal("no activity monitor to read the idle time from");
    double idle = monitor->idleTimeInSeconds();
    return std::isfinite(idle) && idle > 0 ? idle : 0;
}

void focus(const std::shared_ptr<ui::View>& view)
{
    if (auto* window = view ? view->window() : nullptr)
        window->makeFirstResponder(view.get());
}

void revealAndFocus(base::Defaults& store, std::initializer_list<const char*> hidingKeys, const std::shared_ptr<ui::View>& view)
{
    for (const char* key : hidingKeys) {
        if (store.boolean(key))
            store.set(key, false);
    }
    focus(view);
}

void parseObjective(ModernUIState& screen)
{
    ObjectiveParser::shared().parseObjectiveField(screen.model().objectiveData(), *screen.model().store());
}

void parseClipboard(ModernUIState& screen)
{
    ObjectiveParser::shared().parseClipboard(pasteboardItems(ui::Pasteboard::general()), *screen.model().store());
}

void showHelpPage(const std::string& page)
{
    if (auto& show = MainWindowHooks::shared().showHelpPage)
        show(page);
    else
        zr_log("help page %s asked for before the help pad exists", page.c_str());
}

ListenerToken keepShownSectionsInTheWindow(ModernUIState& screen)
{
    std::weak_ptr<StateFragmentStackView> weakStack = screen.fragmentStackView();
    return screen.fragmentStackView()->visibilityChangeEmitter()->addColdListener([weakStack](const bool&) {
        auto stack = weakStack.lock();
        if (!stack)
            return;
        for (const auto& section : stack->arrangedSubviews()) {
            if (stack->visibilityPriority(section.get()) == ui::VisibilityPriority::DetachOnlyIfNecessary)
                stack->setVisibilityPriority(section.get(), ui::VisibilityPriority::MustHold);
        }
        auto* controller = MainWindowAccess::controller();
        // Only while the screen is the one shown.
        if (stack->window() && controller)
            controller->compressWindow();
    });
}

void closeQuickDurationPopOver(std::shared_ptr<QuickDurationChangingViewController>& popOver)
{
    if (!popOver)
        return;
    if (auto& shown = popOver->popOver(); shown && shown->isShown())
        shown->close();
    popOver.reset();
}

void openQuickDurationPopOver(std::shared_ptr<QuickDurationChangingViewController>& popOver, ui::Slider& slider, int minutes,
    std::function<void(int minutes)> setter)
{
    closeQuickDurationPopOver(popOver);
    auto* parent = MainWindowAccess::controller();
    if (!parent)
        base::fatal("a quick duration change without the main window");
    popOver = QuickDurationChangingViewController::create();
    popOver->runModal(parent, slider, minutes, std::move(setter));
}

void hideApplication()
{
    if (auto controller = MainController::sharedInstance())
        controller->hide();
}

void offerExtensionsInStatusMenu(const std::string& prefix, std::function<void(int64_t minutes)> extend)
{
    auto& menu = StatusItemMenuManager::instance();
    menu.removeAllItems();
    for (int64_t minutes : { 1, 3, 5, 10 }) {
        std::string title = prefix + std::to_string(minutes) + (minutes == 1 ? " Minute" : " Minutes");
        menu.addItem(SmartMenuItem::create(title, [extend, minutes] { extend(minutes); }));
    }
}

}
