#include "command/CommandPopUpWindow.h"

#include "command/MatchingItemListDelegate.h"
#include "command/MatchingLineFragmentFactory.h"
#include "command/OstrelMatchingItemList.h"
#include "command/PopUpWindowContentViewController.h"
#include "command/PopUpWindowContentViewControllerDelegate.h"
#include "drawing/OstrelStyleKit.h"
#include "viewkit/LayoutConstraintMaker.h"
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
    controller->m_commandWindow = window;
    controller->build();
    // The window takes the size the content asks for; the content shows at that size.
    ui::Size size = controller->view()->fittingSize();
    if (size.width > 0 && size.height > 0)
        window->setFrame(ui::Rect(window->frame().origin, size));
    window->setContentView(controller->view());
    window->setBackgroundColor(gfx::colors::clear);
    window->setLevel(ui::WindowLevel::AboveAll);
    window->setKind(ui::WindowKind::PopUp);
    window->setDelegate(controller.get());
    return window;
}

std::shared_ptr<CommandPopUpWindow> CommandPopUpWindow::makeApplicationPopUpWindow(CommandEnvironment& environment)
{
    auto contentWall = Wall::create();
    LayoutConstraintMaker size(*contentWall);
    size.width(400).minHeight(200);
    contentWall->addConstraints(size.constraints());
    contentWall->setIdentifier("PopUpWindowContentViewController:ContentView");
    contentWall->backgroundDrawingFunc = [](const ui::Rect& frame) { OstrelStyleKit::drawCommandWindowBackground(frame); };

    auto list = std::make_shared<OstrelMatchingItemList>(environment);
    list->setDelegate(std::make_shared<OstrelMatchingItemListDelegate>());
    list->setNumberOfDisplayedMatches(8);

    auto window = makePopUpWindow(contentWall, std::make_shared<OstrelMatchingLineFragmentFactory>(), list,
        std::make_shared<OstrelPopUpWindowContentViewControllerDelegate>(environment));
    auto& controller = *window->popUpContentViewController();
    controller.setAutoHideApp(false);
    controller.setPlaceholderText("Start typing to filter entries..");
    controller.setPlaceholderFont(gfx::Font::system(13, gfx::FontWeight::regular));
    return window;
}

}
