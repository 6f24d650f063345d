#pragma once

#include "platform/ui/Window.h"

#include <memory>

namespace ostrel {

class CommandEnvironment;
class MatchingItemList;
class MatchingLineFragmentFactory;
class PopUpWindowContentViewController;
class PopUpWindowContentViewControllerDelegate;
class Wall;

// The command pop-up's own window, borderless and above every other, for when it runs as a
// window rather than hanging from a button. Its controller owns the content and all input.
class CommandPopUpWindow final : public ui::Window {
public:
    // The one pop-up of the application: the controller is built over the content wall with
    // the row factory, the list and the delegate, and becomes the window's delegate.
    static std::shared_ptr<CommandPopUpWindow> makePopUpWindow(std::shared_ptr<Wall> contentWall,
        std::shared_ptr<MatchingLineFragmentFactory> lineFragmentFactory,
        std::shared_ptr<MatchingItemList> matchingItemList,
        std::shared_ptr<PopUpWindowContentViewControllerDelegate> controllerDelegate);

    // The pop-up as the application builds it at launch: a content wall 400 points wide and
    // at least 200 high on the command window's background, the application's list with its
    // delegate and eight rows, its row factory and its controller delegate; the controller
    // does not hide the application and asks the user to start typing.
    static std::shared_ptr<CommandPopUpWindow> makeApplicationPopUpWindow(CommandEnvironment& environment);

    const std::shared_ptr<PopUpWindowContentViewController>& popUpContentViewController() const
    {
        return m_popUpContentViewController;
    }

    // Borderless, yet it takes the keyboard: typing is all it is for.
    bool canBecomeKeyWindow() const override { return true; }
    bool canBecomeMainWindow() const { return true; }
    bool acceptsFirstResponder() const override { return true; }

private:
    explicit CommandPopUpWindow(ui::Rect contentRect);

    std::shared_ptr<PopUpWindowContentViewController> m_popUpContentViewController;
};

}
