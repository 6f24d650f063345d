#include "attention/TitleOnlyNoteWindow.h"

#include "core/Clock.h"
#include "drawing/OstrelStyleKit.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/StandardLabel.h"
#include "viewkit/Wall.h"

#include "platform/ui/Animation.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <algorithm>

namespace ostrel {

namespace {
constexpr double kMargin = 16;
}

std::shared_ptr<TitleOnlyNoteWindow> TitleOnlyNoteWindow::create()
{
    std::shared_ptr<TitleOnlyNoteWindow> window(new TitleOnlyNoteWindow);
    window->finishCreation();
    return window;
}

TitleOnlyNoteWindow::~TitleOnlyNoteWindow()
{
    if (m_animation)
        m_animation->stop();
    if (m_window)
        m_window->orderOut();
}

void TitleOnlyNoteWindow::finishCreation()
{
    // No title bar: the resizable flag alone, as the note's own shape is drawn.
    m_window = ui::Window::create(ui::Rect(0, 0, kContentSide, kContentSide), ui::WindowStyle::Resizable);
    m_window->setTitle("Ostrel");
    m_window->setLevel(ui::WindowLevel::AboveAll);
    m_window->setKind(ui::WindowKind::Notification);
    m_window->setBackgroundColor(gfx::colors::clear);
    m_window->setCanBecomeKeyWindow(false);
    // Its rounded corners and its fade need the screen beneath where nothing composites.
    m_window->setBlendsOverScreen(true);
    buildContentView();
}

void TitleOnlyNoteWindow::installBackgroundWall()
{
    m_contentWall = Wall::create(ui::Rect(0, 0, kContentSide, kContentSide));
    m_contentWall->backgroundDrawingFunc = [](const ui::Rect& bounds) { OstrelStyleKit::drawMessageWindowBackground(bounds); };
    m_window->setContentView(m_contentWall);
}

void TitleOnlyNoteWindow::buildContentView()
{
    using A = ui::LayoutAttribute;
    installBackgroundWall();
    m_titleLabel = standardLabel("");
    m_titleLabel->setFont(gfx::Font::system(16, gfx::FontWeight::medium));
    m_titleLabel->setAlignment(gfx::TextAlignment::center);
    m_contentWall->factory().internalAddBrick(m_titleLabel, [](LayoutConstraintMaker& maker) {
        maker.container()
            .pin(A::Left, A::Left, kMargin)
            .pin(A::Top, A::Top, kMargin)
            .pin(A::Right, A::Right, -kMargin)
            .pin(A::Bottom, A::Bottom, -kMargin);
    });
}

void TitleOnlyNoteWindow::center()
{
    // The text decides the size: a note is as tall as its lines, and never narrower than
    // the square it was made as.
    ui::Size size = m_window->contentMinSize();
    size.width = std::max(size.width, kContentSide);
    auto screen = ui::Screen::main();
    ui::Rect area = screen ? screen->visibleFrame : ui::Rect(0, 0, size.width, size.height);
    m_window->setFrame(ui::Rect(area.midX() - size.width / 2, area.midY() - size.height / 2, size.width, size.height));
}

void TitleOnlyNoteWindow::orderFrontRegardless() { m_window->orderFrontRegardless(); }

bool TitleOnlyNoteWindow::isVisible() const { return m_window->isVisible(); }

void TitleOnlyNoteWindow::close()
{
    cancelAnimation();
    m_window->close();
}

void TitleOnlyNoteWindow::cancelAnimation()
{
    if (auto animation = std::exchange(m_animation, nullptr))
        animation->stop();
}

void TitleOnlyNoteWindow::animate(double from, double to, bool closing)
{
    cancelAnimation();
    m_window->setAlphaValue(from);
    auto setter = [weak = std::weak_ptr<ui::Window>(m_window)](double alpha) {
        if (auto window = weak.lock())
            window->setAlphaValue(alpha);
    };
    m_animation = ui::Animation::create(Clock::translateDurationForSystemClock(kAnimationDuration), from, to, setter);
    m_animation->setTimingFunction(closing ? ui::TimingFunction::EaseOut : ui::TimingFunction::EaseIn);
    if (closing) {
        m_animation->setCompletion([weak = weak_from_this()](bool finished) {
            if (auto self = weak.lock())
                self->animationDidStop(finished);
        });
    }
    m_animation->start();
}

void TitleOnlyNoteWindow::performOpeningAnimation() { animate(0, kOpenedAlpha, false); }

void TitleOnlyNoteWindow::performClosingAnimation() { animate(1, 0, true); }

void TitleOnlyNoteWindow::animationDidStop(bool finished)
{
    if (!finished)
        return;
    auto* app = ui::Application::shared();
    if (app && app->mainWindow())
        app->mainWindow()->setAlphaValue(1);
    m_window->close();
}

}
