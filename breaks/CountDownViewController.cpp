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
#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

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
// A refresh comes this long after the change it waits for, so that the change is there;
// and never sooner than a frame after the last.
constexpr double kLateBy = 0.002;
constexpr double kSoonest = 1.0 / 60;

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

    m_refreshing = true;
    updateLockState();
    scheduleRefresh(kRefreshInterval);
}

void CountDownViewController::scheduleRefresh(double simulatedSeconds)
{
    if (!m_refreshing)
        return;
    if (auto timer = std::exchange(m_uiUpdateTimer, nullptr))
        timer->stop();
    std::weak_ptr<NiblessViewController> weakSelf = weak_from_this();
    m_uiUpdateTimer = Clock::timerWithSimulatedTimeInterval(simulatedSeconds, false, [weakSelf](base::Timer&) {
        if (auto self = std::static_pointer_cast<CountDownViewController>(weakSelf.lock()))
            self->refresh();
    });
}

double CountDownViewController::secondsToNextChange() const
{
    double t = std::fmod(Clock::now() - m_lockStart, kCycleSeconds);
    double degreesASecond = kRingSpeed * 360 / kCycleSeconds;
    double next = kCycleSeconds - t; // the ring starts again
    double angle = lockRingAngle();
    if (angle <= 360) {
        // The ring's next pixel, or the moment it is full and the break may end.
        double stepAt = std::min(lockRingEndAngle() + visibleTurn(*m_lockButtonWall, kLockRingRadius), 360.0);
        next = std::min(next, std::max(0.0, stepAt - angle) / degreesASecond);
    }
    auto screen = m_timedBreakRunningState.lock();
    auto module = screen ? screen->timedStateMachineModule() : nullptr;
    if (module) {
        // The read-out's next whole second.
        double remaining = module->viewModel->remainingSeconds();
        double fraction = remaining - std::floor(remaining);
        next = std::min(next, fraction > 0 ? fraction : 1.0);
        // The wedge's next pixel at its rim: the share it shows follows this refresh's time.
        double total = module->viewModel->totalSeconds();
        const auto& slice = *m_countDownView->sliceLayer();
        double turn = visibleTurn(slice, slice.rimRadius());
        if (total > 0 && turn < 360) {
            double movesAt = (90 - slice.endAngle() + turn) / 360 * total;
            next = std::min(next, std::max(0.0, movesAt - module->viewModel->elapsedSeconds()));
        }
    }
    return std::clamp(next + kLateBy, kSoonest, 1.0);
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
            double angle = self->lockRingEndAngle();
            self->m_drawnLockAngle = angle;
            auto draw = [&frame, angle] { BreakTimeStyleKit::drawLockIcon(frame, ResizingBehavior::aspectFit, angle); };
            // The same hundred steps of the ring come round every cycle: each is drawn once.
            if (!self->m_lockPictures.drawIn(gfx::GraphicsContext::requireCurrent(), frame, self->lockPictureKey(angle), draw))
                draw();
        }
    };
}

double CountDownViewController::lockRingAngle() const
{
    double t = Clock::now() - m_lockStart;
    return std::fmod(t, kCycleSeconds) / kCycleSeconds * kRingSpeed * 360;
}

double CountDownViewController::lockRingEndAngle() const
{
    double angle = lockRingAngle();
    // The shackle opens at a full turn exactly; short of it the ring goes by whole pixels
    // at its rim, the steps every cycle shows alike.
    if (angle >= 360)
        return 360;
    double turn = visibleTurn(*m_lockButtonWall, kLockRingRadius);
    return std::floor(angle / turn) * turn;
}

int CountDownViewController::lockPictureKey(double endAngle) const
{
    if (endAngle >= 360)
        return -1;
    return static_cast<int>(std::lround(endAngle / visibleTurn(*m_lockButtonWall, kLockRingRadius)));
}

bool CountDownViewController::lockRingMoved() const { return !m_drawnLockAngle || lockRingEndAngle() != *m_drawnLockAngle; }

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
        // "End Break" going out of sight with the keyboard hands it back to the lock.
        auto* window = m_lockButtonWall->window();
        if (!offered && window && window->firstResponder() == m_endBreakButton.get())
            window->makeFirstResponder(m_lockButtonWall.get());
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
    // Next when something would look different, not twenty times a second regardless.
    scheduleRefresh(secondsToNextChange());
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
    // The keyboard starts on the lock, so that Space and Return reach the rest screen at all.
    if (auto* window = m_lockButtonWall->window())
        window->makeFirstResponder(m_lockButtonWall.get());
    auto screen = m_timedBreakRunningState.lock();
    auto module = screen ? screen->timedStateMachineModule() : nullptr;
    m_countDownView->animate(module ? module->viewModel->totalSeconds() : 0);
}

void CountDownViewController::viewDidDisappear()
{
    m_refreshing = false;
    if (auto timer = std::exchange(m_uiUpdateTimer, nullptr))
        timer->stop();
    if (m_countDownView)
        m_countDownView->stopAnimations();
}

}
