#include "tests/attention/OffscreenDesktop.h"

#include "attention/DimmingManager.h"
#include "attention/ScreenFadingHelper.h"
#include "core/Clock.h"
#include "viewkit/NiblessViewController.h"

#include "platform/base/Time.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <cmath>
#include <filesystem>
#include <limits>

namespace ostrel::test {

namespace {

// A red square, as the rest screen's content stands in here.
class Square : public ui::View {
public:
    static std::shared_ptr<Square> create() { return std::shared_ptr<Square>(new Square); }
    void draw(gfx::GraphicsContext& context, const ui::Rect&) override
    {
        context.setFillColor(gfx::colors::red);
        context.fillRect(bounds());
    }

private:
    Square()
        : View(ui::Rect(0, 0, 100, 80))
    {
    }
};

class ScreenCoversTest : public OffscreenDesktopTest {
protected:
    ScreenCoversTest()
    {
        helper = ScreenFadingHelper::create({ [this] { return frontWindow; },
            [this](ScreenFadingHelper::WindowId window) {
                activated.push_back(window);
                return true;
            } });
        ScreenFadingHelper::setShared(helper);
    }
    ~ScreenCoversTest() override { Clock::restart(1); }

    std::shared_ptr<NiblessViewController> restScreen()
    {
        content = Square::create();
        controller = NiblessViewController::create([] { });
        controller->setView(content);
        return controller;
    }

    const std::vector<std::shared_ptr<ui::Window>>& covers() const { return helper->fullScreenWindows(); }

    // The pictures go into the test's folder (covers/*.png), to be looked at.
    static std::filesystem::path picture(const std::string& name)
    {
        auto folder = std::filesystem::current_path() / "covers";
        std::filesystem::create_directories(folder);
        return folder / (name + ".png");
    }

    std::shared_ptr<ScreenFadingHelper> helper;
    std::optional<ScreenFadingHelper::WindowId> frontWindow { 77 };
    std::vector<ScreenFadingHelper::WindowId> activated;
    std::shared_ptr<Square> content;
    std::shared_ptr<NiblessViewController> controller;
};

}

TEST_F(ScreenCoversTest, TheRestCoverBlackensEveryDisplayWithItsContentOnTheMainOne)
{
    useTwoDisplays();
    // The main display is the key window's: the right one here.
    auto mainWindow = ui::Window::create(ui::Rect(1600, 100, 300, 200));
    mainWindow->makeKeyAndOrderFront();
    app().activate();
    helper->fadeAllScreensToBlack(restScreen());
    ASSERT_EQ(covers().size(), 2u);
    EXPECT_EQ(covers()[0]->frame(), leftDisplay().frame);
    EXPECT_EQ(covers()[1]->frame(), rightDisplay().frame);
    EXPECT_EQ(content->window(), covers()[1].get());
    for (auto& cover : covers()) {
        auto state = backend().stateOf(*cover);
        ASSERT_TRUE(state);
        EXPECT_TRUE(state->visible && state->borderless && state->allDesktops);
        EXPECT_EQ(state->level, ui::WindowLevel::AboveAll);
        EXPECT_TRUE(state->takesFocus) << "the rest screen is clicked";
        EXPECT_FALSE(state->ignoresMouseEvents);
    }
    EXPECT_TRUE(covers()[1]->isKeyWindow()) << "no key reaches the window hidden beneath";

    // Black at full strength after a quarter of the five seconds, the content after all five.
    runFor(0.625);
    EXPECT_NEAR(covers()[0]->alphaValue(), 0.5, 0.05);
    EXPECT_NEAR(content->alphaValue(), 0.125, 0.05);
    runFor(0.65);
    EXPECT_EQ(covers()[0]->alphaValue(), 1);
    EXPECT_EQ(covers()[1]->alphaValue(), 1);
    runFor(1.25);
    EXPECT_NEAR(content->alphaValue(), 0.5, 0.05);
    runFor(2.6);
    EXPECT_EQ(content->alphaValue(), 1);
    // The content sits in the middle of its display; the rest is black.
    EXPECT_EQ(covers()[1]->pixelAt(640, 512), gfx::colors::red);
    EXPECT_EQ(covers()[1]->pixelAt(100, 100), gfx::colors::black);
    EXPECT_EQ(covers()[0]->pixelAt(720, 450), gfx::colors::black);
    EXPECT_TRUE(covers()[1]->writePng(picture("rest-cover")));
    EXPECT_EQ(helper->tempPreviousApp(), std::nullopt) << "we were in front already";
}

TEST_F(ScreenCoversTest, RemovalTakesEveryCoverDownAndGivesTheFrontBack)
{
    useTwoDisplays();
    app().deactivate();
    int disappeared = 0;
    helper->fadeAllScreensToBlack(restScreen(), [&] { ++disappeared; });
    EXPECT_TRUE(app().isActive()) << "the rest cover takes the front";
    EXPECT_EQ(helper->tempPreviousApp(), 77u);
    helper->quickFadeAllScreens(gfx::colors::white, 10);
    ASSERT_EQ(covers().size(), 4u);
    auto taken = covers();

    runFor(1);
    helper->fadeAllScreensBackToNormal();
    EXPECT_TRUE(covers().empty());
    for (auto& cover : taken)
        EXPECT_FALSE(cover->isVisible());
    EXPECT_EQ(disappeared, 1);
    EXPECT_EQ(activated, (std::vector<ScreenFadingHelper::WindowId> { 77 }));
    EXPECT_EQ(helper->tempPreviousApp(), std::nullopt);

    // Once only; and with nothing up, removal does nothing.
    helper->fadeAllScreensBackToNormal();
    runFor(10);
    EXPECT_EQ(disappeared, 1);
    EXPECT_EQ(activated.size(), 1u);
    taken.clear();
    EXPECT_EQ(app().windows().size(), 0u) << "no cover left behind";

    // Another program in front but none the window manager names: nothing to give back.
    app().deactivate();
    frontWindow.reset();
    helper->fadeAllScreensToBlack(restScreen());
    helper->fadeAllScreensBackToNormal();
    EXPECT_EQ(activated.size(), 1u);
}

TEST_F(ScreenCoversTest, AFlashRisesAndFallsWithoutTakingTheFrontAndItsCoversGo)
{
    useTwoDisplays();
    app().deactivate();
    helper->fadeAllScreensToBlack(restScreen());
    app().deactivate();
    gfx::Color flashColor = gfx::Color::rgb(0.2, 0.25, 0.3);
    helper->quickFadeAllScreens(flashColor, 0.2);
    runFor(0);
    ASSERT_EQ(covers().size(), 4u);
    for (std::size_t i = 2; i < 4; ++i) {
        auto state = backend().stateOf(*covers()[i]);
        ASSERT_TRUE(state);
        EXPECT_FALSE(state->takesFocus);
        EXPECT_TRUE(state->ignoresMouseEvents) << "clicks go through to the user's work";
        EXPECT_EQ(state->level, ui::WindowLevel::AboveAll);
    }
    EXPECT_FALSE(app().isActive()) << "a flash leaves the front where it is";
    auto flash = covers()[2];

    runFor(0.05);
    EXPECT_NEAR(flash->alphaValue(), 0.5, 0.1);
    runFor(0.05);
    EXPECT_NEAR(flash->alphaValue(), 1, 0.1);
    gfx::Color seen = flash->pixelAt(10, 10);
    EXPECT_NEAR(seen.red, flashColor.red, 0.01);
    EXPECT_NEAR(seen.blue, flashColor.blue, 0.01);
    runFor(0.05);
    EXPECT_NEAR(flash->alphaValue(), 0.5, 0.1);
    runFor(0.08);
    EXPECT_FALSE(flash->isVisible());
    EXPECT_EQ(covers().size(), 2u) << "the rest cover stays";
    EXPECT_TRUE(covers()[0]->isVisible());

    helper->fadeAllScreensBackToNormal();
    EXPECT_EQ(activated, (std::vector<ScreenFadingHelper::WindowId> { 77 })) << "the rest cover's, not the flash's";
}

TEST_F(ScreenCoversTest, AFlashAskedForAmidLongWorkComesWholeOnceTheWorkIsDone)
{
    helper->quickFadeAllScreens(gfx::Color::rgb(0.2, 0.25, 0.3), 0.2);
    // Another screen built in the same moment holds the run loop for a second.
    m_time.advance(1);
    ASSERT_EQ(covers().size(), 1u);
    auto flash = covers()[0];
    runFor(0.1);
    EXPECT_NEAR(flash->alphaValue(), 1, 0.1) << "the flash is seen whole, late rather than never";
    EXPECT_TRUE(flash->isVisible());
    runFor(0.2);
    EXPECT_FALSE(flash->isVisible());
    EXPECT_TRUE(covers().empty());

    // Taken down before it came: it does not come.
    helper->quickFadeAllScreens(gfx::Color::rgb(0.2, 0.25, 0.3), 0.2);
    helper->fadeAllScreensBackToNormal();
    runFor(0.1);
    EXPECT_TRUE(covers().empty());
    for (const auto& window : app().windows())
        EXPECT_FALSE(window->isVisible());
}

TEST_F(ScreenCoversTest, ADimmingOfTwoSecondsLastsFourAtTheDimmingAlpha)
{
    backend().setCompositing(false);
    backend().setDesktopColor(gfx::Color::rgb(0, 0, 1));
    DimmingManager::sharedManager().startBlackOutWithDuration(2, 0.6f);
    ASSERT_EQ(covers().size(), 1u);
    auto cover = covers()[0];
    runFor(1);
    EXPECT_NEAR(cover->alphaValue(), 0.3, 0.02);
    runFor(1);
    EXPECT_NEAR(cover->alphaValue(), 0.6, 0.02);
    // Where nothing composites, the black is laid over a picture of the screen taken as the
    // cover appeared.
    EXPECT_NEAR(cover->pixelAt(700, 400).blue, 0.4, 0.02);
    EXPECT_TRUE(cover->writePng(picture("dimming")));
    runFor(1.9);
    EXPECT_TRUE(cover->isVisible());
    runFor(0.15);
    EXPECT_FALSE(cover->isVisible());
    EXPECT_TRUE(covers().empty());

    // On a clock running twice as fast the same dimming passes in two seconds.
    Clock::restart(2);
    DimmingManager::sharedManager().startBlackOutWithDuration(2, 0.6f);
    runFor(1);
    EXPECT_NEAR(covers().at(0)->alphaValue(), 0.6, 0.02);
    runFor(1.05);
    EXPECT_TRUE(covers().empty());
}

TEST_F(ScreenCoversTest, StrangeValuesMakeNoCoverAndNoDisplayMakesNone)
{
    helper->quickFadeAllScreens(gfx::colors::black, 0);
    helper->quickFadeAllScreens(gfx::colors::black, -3);
    helper->quickFadeAllScreens(gfx::colors::black, std::numeric_limits<double>::quiet_NaN());
    helper->quickFadeAllScreens(gfx::colors::black, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(covers().empty());

    // A dimming stronger than full is full, and one of no strength shows nothing.
    helper->startBlackOut(2, 5);
    runFor(1);
    EXPECT_NEAR(covers().at(0)->alphaValue(), 1, 0.02);
    runFor(1.1);
    helper->startBlackOut(2, -1);
    helper->startBlackOut(2, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(covers().size(), 1u) << "NaN counts as full strength";
    runFor(2.1);
    EXPECT_TRUE(covers().empty());

    backend().setScreens({});
    app().deactivate();
    helper->fadeAllScreensToBlack(restScreen());
    helper->quickFadeAllScreens(gfx::colors::black, 1);
    EXPECT_TRUE(covers().empty());
    EXPECT_FALSE(app().isActive()) << "nothing to cover, nothing taken";
}

TEST_F(ScreenCoversTest, UntilStartUpInstallsTheCoversTheyAreOnlyLogged)
{
    ScreenFadingHelper::setShared(nullptr);
    ScreenFadingHelper::shared().quickFadeAllScreens(gfx::colors::black, 1);
    ScreenFadingHelper::shared().fadeAllScreensToBlack(restScreen());
    EXPECT_EQ(app().windows().size(), 0u);
    ScreenFadingHelper::shared().fadeAllScreensBackToNormal();
}

}
