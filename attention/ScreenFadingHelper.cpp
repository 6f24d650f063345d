#include "attention/ScreenFadingHelper.h"

#include "core/Clock.h"
#include "core/ZrLog.h"
#include "viewkit/NiblessViewController.h"

#include "platform/base/MainQueue.h"
#include "platform/desktop/FrontApplication.h"
#include "platform/ui/Animation.h"
#include "platform/ui/Application.h"
#include "platform/ui/Constraint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

namespace {

// The rest cover: black at full strength, its content fading in over this many seconds
// and the black itself over a quarter of them.
constexpr double kBlackOutDuration = 5.0;
constexpr double kBlackOutAlpha = 1.0;
constexpr double kCoverShareOfFade = 0.25;

class LoggedFading final : public ScreenFadingHelper {
public:
    LoggedFading()
        : ScreenFadingHelper(FrontApplication {})
    {
    }
    void fadeAllScreensToBlack(const std::shared_ptr<NiblessViewController>&, std::function<void()>) override
    {
        zr_log("screens faded to black");
    }
    void fadeAllScreensBackToNormal() override { zr_log("screens back to normal"); }
    void quickFadeAllScreens(const gfx::Color&, double duration) override
    {
        zr_log("screen flash for %.2f seconds", duration);
    }
};

std::shared_ptr<ScreenFadingHelper>& installed()
{
    static std::shared_ptr<ScreenFadingHelper> helper = std::make_shared<LoggedFading>();
    return helper;
}

// The colour's own alpha goes into the window's, so that it is the display (or the blend
// over a picture of the screen) that lets the screen show through.
std::shared_ptr<ui::Window> makeCover(const ui::Screen& screen, const gfx::Color& color, bool takesInput)
{
    auto window = ui::Window::create(screen.frame, ui::WindowStyle::Borderless);
    window->setTitle("Ostrel");
    window->setLevel(ui::WindowLevel::AboveAll);
    window->setKind(ui::WindowKind::Cover);
    window->setShownOnAllDesktops(true);
    window->setBackgroundColor(color.withAlpha(1));
    window->setBlendsOverScreen(true);
    window->setCanBecomeKeyWindow(takesInput);
    window->setIgnoresMouseEvents(!takesInput);
    window->setAlphaValue(0);
    return window;
}

// One animation moves the alpha of every cover of an effect, so the displays stay in step.
std::shared_ptr<ui::Animation> alphaOf(const std::vector<std::shared_ptr<ui::Window>>& windows, double duration, double to)
{
    std::vector<std::weak_ptr<ui::Window>> held(windows.begin(), windows.end());
    return ui::Animation::create(Clock::translateDurationForSystemClock(duration), 0, to, [held](double alpha) {
        for (auto& weak : held) {
            if (auto window = weak.lock())
                window->setAlphaValue(alpha);
        }
    });
}

// Centred in the cover. A view laid out by its own constraints keeps its size; one that
// only has a frame keeps that frame's size, at a priority its own constraints overrule.
void placeInMiddle(ui::View& cover, const std::shared_ptr<ui::View>& view)
{
    using A = ui::LayoutAttribute;
    using R = ui::LayoutRelation;
    ui::Size size = view->frame().size;
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    cover.addSubview(view);
    auto width = ui::Constraint::create(view.get(), A::Width, R::Equal, size.width);
    auto height = ui::Constraint::create(view.get(), A::Height, R::Equal, size.height);
    width->setPriority(ui::LayoutPriority::DefaultLow);
    height->setPriority(ui::LayoutPriority::DefaultLow);
    cover.addConstraints({ ui::Constraint::create(view.get(), A::CenterX, R::Equal, &cover, A::CenterX),
        ui::Constraint::create(view.get(), A::CenterY, R::Equal, &cover, A::CenterY), width, height });
}

}

ScreenFadingHelper& ScreenFadingHelper::shared() { return *installed(); }

void ScreenFadingHelper::setShared(std::shared_ptr<ScreenFadingHelper> helper)
{
    installed() = helper ? std::move(helper) : std::make_shared<LoggedFading>();
}

std::shared_ptr<ScreenFadingHelper> ScreenFadingHelper::create()
{
    // Opened only when a cover first has to take the front from another program.
    auto reader = std::make_shared<std::unique_ptr<desktop::FrontApplication>>();
    auto front = [reader]() -> desktop::FrontApplication& {
        if (!*reader)
            *reader = desktop::FrontApplication::create();
        return **reader;
    };
    return create({ [front] { return front().activeWindowOfAnotherProgram(); },
        [front](WindowId window) { return front().activate(window); } });
}

std::shared_ptr<ScreenFadingHelper> ScreenFadingHelper::create(FrontApplication front)
{
    return std::shared_ptr<ScreenFadingHelper>(new ScreenFadingHelper(std::move(front)));
}

ScreenFadingHelper::ScreenFadingHelper(FrontApplication front)
    : m_front(std::move(front))
{
}

ScreenFadingHelper::~ScreenFadingHelper()
{
    for (auto& animation : m_animations)
        animation->stop();
}

void ScreenFadingHelper::bringApplicationToFront()
{
    auto* app = ui::Application::shared();
    if (app && app->isActive()) {
        m_tempPreviousApp.reset();
        return;
    }
    m_tempPreviousApp = m_front.frontmostWindow ? m_front.frontmostWindow() : std::nullopt;
    if (app)
        app->activate(true);
}

void ScreenFadingHelper::keep(std::shared_ptr<ui::Animation> animation)
{
    std::erase_if(m_animations, [](const auto& running) { return !running->isRunning(); });
    m_animations.push_back(std::move(animation));
}

void ScreenFadingHelper::fadeAllScreensToBlack(const std::shared_ptr<NiblessViewController>& viewController)
{
    fadeAllScreensToBlack(viewController, {});
}

void ScreenFadingHelper::fadeAllScreensToBlack(const std::shared_ptr<NiblessViewController>& viewController,
    std::function<void()> viewDidDisappear)
{
    auto screens = ui::Screen::screens();
    if (screens.empty())
        return;
    bringApplicationToFront();
    // Chosen before the covers exist: the main display is the key window's.
    auto mainScreen = ui::Screen::main();
    std::shared_ptr<ui::View> content;
    if (viewController) {
        if (!viewController->view())
            viewController->build();
        content = viewController->view();
    }

    std::vector<std::shared_ptr<ui::Window>> covers;
    std::shared_ptr<ui::Window> mainCover;
    for (const auto& screen : screens) {
        auto cover = makeCover(screen, gfx::colors::black, true);
        if (!mainCover && mainScreen && screen == *mainScreen)
            mainCover = cover;
        covers.push_back(cover);
    }
    if (!mainCover)
        mainCover = covers.front();
    if (content) {
        content->setAlphaValue(0);
        placeInMiddle(*mainCover->contentView(), content);
        auto fadeIn = ui::Animation::create(Clock::translateDurationForSystemClock(kBlackOutDuration), 0,
            kBlackOutAlpha, [weak = std::weak_ptr<ui::View>(content)](double alpha) {
                if (auto view = weak.lock())
                    view->setAlphaValue(alpha);
            });
        fadeIn->start();
        keep(fadeIn);
    }
    auto coverFade = alphaOf(covers, kCoverShareOfFade * kBlackOutDuration, kBlackOutAlpha);
    coverFade->start();
    keep(coverFade);

    for (auto& cover : covers) {
        cover->orderFrontRegardless();
        m_fullScreenWindows.push_back(cover);
    }
    // The rest screen is clicked and takes the keys, rather than a window hidden beneath.
    mainCover->makeKeyWindow();
    if (viewDidDisappear)
        m_disappearHandlers.push_back(std::move(viewDidDisappear));
}

void ScreenFadingHelper::quickFadeAllScreens(const gfx::Color& color, double duration)
{
    auto screens = ui::Screen::screens();
    double strength = std::isfinite(color.alpha) ? std::clamp(color.alpha, 0.0, 1.0) : 1.0;
    if (screens.empty() || !std::isfinite(duration) || duration <= 0 || strength == 0)
        return;
    // A flash leaves the front where it is: its covers never take the keyboard, and nothing
    // would give it back to the program that had it once the flash is over.
    std::vector<std::shared_ptr<ui::Window>> covers;
    for (const auto& screen : screens)
        covers.push_back(makeCover(screen, color, false));
    auto flash = alphaOf(covers, duration, strength);
    flash->setAutoreverses(true);
    std::weak_ptr<ScreenFadingHelper> weak = weak_from_this();
    flash->setCompletion([weak, covers](bool) {
        if (auto self = weak.lock())
            self->takeDown(covers);
        else
            for (auto& cover : covers)
                cover->orderOut();
    });
    for (auto& cover : covers)
        m_fullScreenWindows.push_back(cover);
    // The flash comes at the end of the present work, not in its middle: a screen shown in
    // the same moment (the rating screen after the soft break's tock) holds the run loop for
    // longer than a whole flash, which would then never be seen, and raises its window over
    // covers put up before it.
    base::MainQueue::async([weak, flash, covers] {
        auto self = weak.lock();
        // Every cover taken down meanwhile: no flash either.
        if (!self || std::find(self->m_fullScreenWindows.begin(), self->m_fullScreenWindows.end(), covers.front())
                == self->m_fullScreenWindows.end())
            return;
        for (auto& cover : covers)
            cover->orderFrontRegardless();
        flash->start();
        self->keep(flash);
    });
}

void ScreenFadingHelper::startBlackOut(double duration, double alpha)
{
    quickFadeAllScreens(gfx::colors::black.withAlpha(std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 1.0), duration);
}

void ScreenFadingHelper::takeDown(const std::vector<std::shared_ptr<ui::Window>>& windows)
{
    for (auto& window : windows) {
        window->orderOut();
        std::erase(m_fullScreenWindows, window);
    }
}

void ScreenFadingHelper::fadeAllScreensBackToNormal()
{
    for (auto& animation : std::exchange(m_animations, {}))
        animation->stop();
    for (auto& window : std::exchange(m_fullScreenWindows, {}))
        window->orderOut();
    for (auto& handler : std::exchange(m_disappearHandlers, {}))
        handler();
    if (auto previous = std::exchange(m_tempPreviousApp, std::nullopt); previous && m_front.activate)
        m_front.activate(*previous);
}

}
