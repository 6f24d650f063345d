#include "breaks/RestBreakHelper.h"

#include "breaks/CountDownViewController.h"

#include "attention/ScreenFadingHelper.h"

#include <cstdio>

namespace ostrel {

RestBreakHelper& RestBreakHelper::shared()
{
    static auto* helper = new RestBreakHelper; // for the whole run
    return *helper;
}

void RestBreakHelper::bringUpRestScreen(const std::shared_ptr<TimedBreakRunningState>& timedBreakRunningState)
{
    std::puts("bringUpRestScreen");
    m_countDownViewController = CountDownViewController::create();
    m_countDownViewController->setTimedBreakRunningState(timedBreakRunningState);
    m_countDownViewController->build();
    m_countDownViewController->startAnimation();
}

void RestBreakHelper::removeRestScreen()
{
    std::puts("removeRestScreen");
    std::puts("remove all windows anyway");
    ScreenFadingHelper::shared().fadeAllScreensBackToNormal();
    // Whatever covers the fading helper kept (or, logging only, never made), the rest
    // screen's own refresh ends here.
    if (m_countDownViewController)
        m_countDownViewController->viewDidDisappear();
}

}
