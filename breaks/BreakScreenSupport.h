#pragma once

#include "states/BaseState.h"

#include "core/ListenerList.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

namespace ui {
class Slider;
class View;
}

namespace base {
class Defaults;
}

namespace ostrel {

class ModernUIState;
class QuickDurationChangingViewController;

// What the break screens do alike: fire their transitions while current, move the keyboard focus, and the
// objective-field commands every one of them offers.
namespace BreakScreenSupport {


// A closure running one of the screen's commands, for as long as the screen lives.
template<typename S>
std::function<void()> command(S& screen, void (S::*action)(const base::Sender&))
{
    std::weak_ptr<BaseState> weakScreen = screen.weak_from_this();
    return [weakScreen, action] {
        if (auto self = std::static_pointer_cast<S>(weakScreen.lock()))
            ((*self).*action)({});
    };
}

// The user's idle time as the application delegate's activity monitor read it last, in
// seconds: 0 when it is not a finite positive number. A missing monitor is a programming error.
double idleTimeInSeconds();

// The view becomes its window's first responder; nothing while it is in no window.
void focus(const std::shared_ptr<ui::View>& view);
// Shows what the keys hide (writing false where they hold true), then focuses the view.
void revealAndFocus(base::Defaults& store, std::initializer_list<const char*> hidingKeys, const std::shared_ptr<ui::View>& view);

// The objective field's text, or the clipboard's, through the objective parser.
void parseObjective(ModernUIState& screen);
void parseClipboard(ModernUIState& screen);

// A help page by file name, in the help pad (through the main window's hook, which start-up
// fills; until then the request is only logged).
void showHelpPage(const std::string& page);

// A section the settings show again would otherwise be one the stack may drop for want of
// room, and the main window lays a screen out at the previous screen's height before it
// fits the window to it: such a section would be dropped and never come back. So a section
// shown by its settings holds its place like one never hidden, and the window is fitted at
// once (as its compression setting allows), for as long as the answered token lives.
[[nodiscard]] ListenerToken keepShownSectionsInTheWindow(ModernUIState& screen);

// The quick-duration pop-over of a screen: an open one is closed and let go; a new one opens
// at the slider holding `minutes` and hands each typed number to the setter. Without the main
// window to own it, opening is a programming error.
void closeQuickDurationPopOver(std::shared_ptr<QuickDurationChangingViewController>& popOver);
void openQuickDurationPopOver(std::shared_ptr<QuickDurationChangingViewController>& popOver, ui::Slider& slider, int minutes,
    std::function<void(int minutes)> setter);

// Hides the program (the main controller's hide:).
void hideApplication();

// The status menu's items of the running screen become the four extensions, titled
// `prefix` followed by "1 Minute", "3 Minutes", "5 Minutes" and "10 Minutes".
void offerExtensionsInStatusMenu(const std::string& prefix, std::function<void(int64_t minutes)> extend);

}

}
