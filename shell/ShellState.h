#pragma once

namespace ostrel {

class MatchingItemCollector;

// Which pop-up is about to open: the command pop-up, or a screen's own quick-duration
// pop-over. The two never stand open together.
enum class PopUpKind { commandPopUp = 0, durationPopOver = 1 };

// What the shell and the command pop-up ask of the current screen. The screens' base
// implements it, so the shell never needs the screens themselves.
class ShellState {
public:
    virtual ~ShellState() = default;

    // Clicks every push button of the screen whose key equivalent is Return.
    virtual void simulateDefaultButtonPress() = 0;
    // Whether quitting now needs the user's word (only a running time slice says so).
    virtual bool shouldConfirmTerminationWithUser() = 0;
    // The screen's entries for the command pop-up as it opens.
    virtual void collectMatchingItems(MatchingItemCollector& collector) = 0;
    // Just before a pop-up of the given kind opens: the screen closes the other kind.
    virtual void closeOtherPopUps(PopUpKind kind) = 0;
};

}
