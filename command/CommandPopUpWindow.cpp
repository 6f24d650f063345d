#include "command/CommandPopUpWindow.h"

#include "command/MatchingItemList.h"
#include "command/PopUpWindowContentViewController.h"
#include "command/PopUpWindowContentViewControllerDelegate.h"
#include "viewkit/Wall.h"

namespace ostrel {

CommandPopUpWindow::CommandPopUpWindow(ui::Rect contentRect)
    : ui::Window(contentRect, ui::WindowStyle::Borderless)
{
}

std::shared_ptr<CommandPopUpWindow> CommandPopUpWindow::makePopUpWindow(std::shared_ptr<Wall> contentWall,
    std::shared_ptr<MatchingLineFragmentFactory> lineFragmentFactory, std::shared_ptr<MatchingItemList> matchingItemList,
    std::shared_ptr<PopUpWindowContentViewControllerDelegate> controllerDelegate)
{
    std::shared_ptr<CommandPopUpWindow> window(new CommandPopUpWindow(ui::Rect(0, 0, 400, 200)));
    adopt(window);
    auto controller = PopUpWindowContentViewController::create(true);
    controller->setContentWall(std::move(contentWall));
    controller->setMatchingFragmentFactory(std::move(lineFragmentFactory));
    controller->setMatchingItemList(std::move(matchingItemList));
    if (controllerDelegate)
        controllerDelegate->setController(controller);
    controller->setDelegate(std::move(controllerDelegate));
    window->m_popUpContentViewController = controller;
    controller->build();
    window->setContentView(controller->view());
    window->setBackgroundColor(gfx::colors::clear);
    window->setLevel(ui::WindowLevel::AboveAll);
    window->setDelegate(controller.get());
    return window;
}

}
