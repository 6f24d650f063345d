#include "breaks/CountDownViewController.h"

#include "breaks/BreakScreenSupport.h"
#include "breaks/CountDownView.h"
#include "breaks/LockButtonWall.h"
#include "breaks/PixelSteps.h"
#include "breaks/TimedBreakRunningState.h"

#include "attention/ScreenFadingHelper.h"
#include "core/Clock.h"
#include "drawing/BreakTimeStyleKit.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SmallDurationView.h"
#include "viewkit/TabWall.h"
#include "viewkit/Wall.h"

#include "platform/base/Diagnostics.h"
#include "platform/ui/TextField.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

// The ring runs a tenth faster than the cycle: full after 15 ÷ 1.1 seconds, then it waits.
constexpr double kRingSpeed = 1.1;
constexpr std::size_t kRemainingTimePage = 0;
constexpr std::size_t kEndBreakPage = 1;
// The lock's wedge, drawn to fit its 39-point button, has this radius.
constexpr double kLockRingRadius = 16;

}

std::shared_ptr<CountDownViewController> CountDownViewController::create()
{
    return NiblessViewController::create<CountDownViewController>(true);
}

CountDownViewController::~CountDownViewController() { viewDidDisappear(); }

void CountDownViewController::build()
{
    auto root = Wall::create(ui::Rect(0, 0, 600, 800));
    root->setIdentifier("Rest Screen");
    LayoutConstraintMaker size(*root);
    size.width(600).minHeight(800);
    root->addConstraints(size.constraints());
    setView(root);

    m_countDownView = CountDownView::create(ui::Rect(0, 0, 600, 600));
    m_countDownView->setProportionValueProvider(m_timedBreakRunningState.lock());
    root->factory().internalAddBrick(m_countDownView, [](LayoutConstraintMaker& maker) {
        maker.width(600).height(600);
        maker.container().pin(A::CenterX, A::CenterX, 0).pin(A::CenterY, A::CenterY, 0);
    });
    auto dial = m_countDownView;

    buildBar(*root);

    auto title = root->factory().label("Time for Your Break", [&dial](LayoutConstraintMaker& maker) {
        maker.and_(*dial).pin(A::CenterX, A::CenterX, 0).pin(A::Bottom, A::Top, -24);
    });
    title->setTextColor(gfx::colors::lightGray);
    title->setFont(gfx::Font::monospacedDigitSystem(24, gfx::FontWeight::ultraLight));

    std::weak_ptr<NiblessViewController> weakSelf = weak_from_this();
    m_uiUpdateTimer = Clock::timerWithSystemTimeInterval(kRefreshInterval, true, [weakSelf](base::Timer&) {
        if (auto self = std::static_pointer_cast<CountDownViewController>(weakSelf.lock()))
            self->refresh();
    });
    updateLockState();
}

void CountDownViewController::buildBar(Wall& root)
{
    auto dial = m_countDownView;
    auto bar = root.factory().wall(gfx::Size(145, 40), [&dial](LayoutConstraintMaker& maker) {
        maker.and_(*dial).pin(A::CenterX, A::CenterX, 0).pin(A::Top, A::Bottom, 20);
    });
    auto& barFactory = bar->factory();

    m_tabWall = barFactory.tabWall([](LayoutConstraintMaker& maker) {
        maker.width(100).height(40);
        maker.container().pin(A::Right, A::Right, 0).pin(A::CenterY, A::CenterY, 0);
    });
    auto remainingPage = m_tabWall->createNewWall();
    m_smallDurationView = SmallDurationView::create(ui::Rect(0, 0, 100, 40));
    m_smallDurationView->setSeconds(100);
    m_smallDurationView->setDisabled(true);
    remainingPage->factory().internalAddBrick(m_smallDurationView, [](LayoutConstraintMaker& maker) {
        maker.width(100).height(40);
        maker.container().pin(A::CenterX, A::CenterX, 0).pin(A::CenterY, A::CenterY, 0);
    });
    auto endBreakPage = m_tabWall->createNewWall();
    endBreakPage->setIdentifier("buttonTabContentView");
    std::weak_ptr<NiblessViewController> weakSelf = weak_from_this();
    m_endBreakButton = endBreakPage->factory().pushButton("End Break", [weakSelf] {
        if (auto self = std::static_pointer_cast<CountDownViewController>(weakSelf.lock()))
            self->endBreak();
    }, [](LayoutConstraintMaker& maker) { maker.container().pin(A::CenterX, A::CenterX, 0).pin(A::CenterY, A::CenterY, 0); });

    m_lockButtonWall = LockButtonWall::create(ui::Rect(0, 0, 39, 39));
    barFactory.internalAddBrick(m_lockButtonWall, [](LayoutConstraintMaker& maker) {
        maker.width(39).height(39);
        maker.container().pin(A::Bottom, A::Bottom, 0).pin(A::Left, A::Left, 0);
    });
    std::weak_ptr<PushButtonBrick> endBreakButton = m_endBreakButton;
    m_lockButtonWall->buttonClickFunc = [endBreakButton] {
        if (auto button = endBreakButton.lock())
            button->performClick();
    };
    m_lockStart = Clock::now();
    m_lockButtonWall->backgroundDrawingFunc = [weakSelf](const ui::Rect& frame) {
        if (auto self = std::static_pointer_cast<CountDownViewController>(weakSelf.lock())) {
            self->m_drawnLockAngle = self->lockRingEndAngle();
            BreakTimeStyleKit::drawLockIcon(frame, ResizingBehavior::aspectFit, *self->m_drawnLockAngle);
        }
    };
}

double CountDownViewController::lockRingAngle() const
{
    double t = Clock::now() - m_lockStart;
    return std::fmod(t, kCycleSeconds) / kCycleSeconds * kRingSpeed * 360;
}

double CountDownViewController::lockRingEndAngle() const { return std::min(lockRingAngle(), 360.0); }

bool CountDownViewController::lockRingMoved() const
{
    if (!m_drawnLockAngle)
        return true;
    double angle = lockRingEndAngle();
    // The shackle opens at a full turn exactly.
    if ((angle == 360) != (*m_drawnLockAngle == 360))
        return true;
    return std::abs(angle - *m_drawnLockAngle) >= visibleTurn(*m_lockButtonWall, kLockRingRadius);
}

bool CountDownViewController::endBreakOffered() const
{
    return m_tabWall && m_tabWall->indexOfSelectedItem() == kEndBreakPage;
}

void CountDownViewController::updateLockState()
{
    if (!m_tabWall || !m_lockButtonWall)
        return;
    // Pages switch here, between drawings, rather than while the lock draws.
    bool offered = lockRingAngle() > 360;
    std::size_t page = offered ? kEndBreakPage : kRemainingTimePage;
    if (m_tabWall->indexOfSelectedItem() != page) {
        m_tabWall->selectItem(page);
        m_tabWall->setNeedsDisplay();
    }
    m_lockButtonWall->setEnabled(offered);
}

void CountDownViewController::refresh()
{
    auto screen = m_timedBreakRunningState.lock();
    auto module = screen ? screen->timedStateMachineModule() : nullptr;
    if (module)
        module->viewModel->frozenTime = Clock::now();
    updateLockState();
    // Twenty times a second, yet the read-out changes once a second and the lock's ring by
    // a pixel a few times a second: only what would look different is drawn again.
    if (module && m_tabWall->indexOfSelectedItem() == kRemainingTimePage) {
        auto seconds = static_cast<int64_t>(std::trunc(module->viewModel->remainingSeconds()));
        if (seconds != m_smallDurationView->seconds()) {
            m_smallDurationView->setSeconds(seconds);
            m_smallDurationView->setNeedsDisplay();
        }
    }
    // Also after the dial's own pace has run out, as when the break was lengthened.
    m_countDownView->sliceLayer()->display();
    if (lockRingMoved())
        m_lockButtonWall->setNeedsDisplay();
}

void CountDownViewController::endBreak()
{
    // Covers left up by some mishap must not end whatever screen came after the break.
    auto screen = m_timedBreakRunningState.lock();
    if (screen)
        screen->fireTransition("aborted");
}

void CountDownViewController::startAnimation()
{
    if (!m_countDownView)
        base::fatal("CountDownViewController: started before it was built");
    std::weak_ptr<NiblessViewController> weakSelf = weak_from_this();
    ScreenFadingHelper::shared().fadeAllScreensToBlack(shared_from_this(), [weakSelf] {
        if (auto self = std::static_pointer_cast<CountDownViewController>(weakSelf.lock()))
            self->viewDidDisappear();
    });
    auto screen = m_timedBreakRunningState.lock();
    auto module = screen ? screen->timedStateMachineModule() : nullptr;
    m_countDownView->animate(module ? module->viewModel->totalSeconds() : 0);
}

void CountDownViewController::viewDidDisappear()
{
    if (auto timer = std::exchange(m_uiUpdateTimer, nullptr))
        timer->stop();
    if (m_countDownView)
        m_countDownView->stopAnimations();
}

}
