#include "command/PopUpWindowContentViewController.h"

#include "command/MatchingItemList.h"
#include "command/MatchingLineFragmentFactory.h"
#include "command/PopUpWindowContentViewControllerDelegate.h"
#include "viewkit/FragmentStackView.h"
#include "viewkit/LocalEventMonitor.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/Wall.h"

#include "platform/ui/Button.h"
#include "platform/ui/Popover.h"
#include "platform/ui/TextField.h"

namespace ostrel {

std::shared_ptr<PopUpWindowContentViewController> PopUpWindowContentViewController::create(bool delayedBuild)
{
    auto controller = NiblessViewController::create<PopUpWindowContentViewController>(delayedBuild);
    return controller;
}

void PopUpWindowContentViewController::setDelegate(std::shared_ptr<PopUpWindowContentViewControllerDelegate> delegate)
{
    m_delegate = std::move(delegate);
}

void PopUpWindowContentViewController::setMatchingFragmentFactory(std::shared_ptr<MatchingLineFragmentFactory> factory)
{
    m_matchingFragmentFactory = std::move(factory);
}

void PopUpWindowContentViewController::setMatchingItemList(std::shared_ptr<MatchingItemList> list)
{
    m_matchingItemList = std::move(list);
}

ui::Button* PopUpWindowContentViewController::hostingButton() const
{
    return dynamic_cast<ui::Button*>(m_hostingButton.lock().get());
}

void PopUpWindowContentViewController::run(bool, ui::Button*, bool) { }
void PopUpWindowContentViewController::updateSearchResults() { }
std::optional<ui::Event> PopUpWindowContentViewController::handleKeyStroke(const ui::Event& event) { return event; }
void PopUpWindowContentViewController::dismissDialog() { m_isRunning = false; }
void PopUpWindowContentViewController::windowDidBecomeKey(ui::Window&) { }
void PopUpWindowContentViewController::windowDidResignKey(ui::Window&) { }

void PopUpWindowContentViewController::build()
{
    setView(m_contentWall);
}

}
