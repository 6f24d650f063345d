#include "tests/attention/OffscreenDesktop.h"

#include "attention/NoteWindow.h"
#include "attention/OstrelNotificationSystem.h"
#include "attention/SystemVisualNotification.h"
#include "attention/VisualNotification.h"

#include "platform/desktop/Banners.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <cstdlib>

namespace ostrel::test {

namespace {

// What a desktop without a session bus answers.
class NoBusBanners final : public desktop::Banners {
public:
    Id show(const desktop::Banner&) override { return 0; }
    void close(Id) override { }
    void closeAll() override { }
};

class BannersTest : public OffscreenDesktopTest {
protected:
    BannersTest()
    {
        OstrelNotificationSystem::setSharedNotifier(OstrelNotificationSystem::create());
        auto banners = std::make_unique<desktop::RecordingBanners>();
        desktop = banners.get();
        SystemVisualNotification::setSharedNotifier(SystemVisualNotification::create(std::move(banners)));
    }

    void show(std::optional<std::string> title, std::optional<std::string> description = "", double delay = 0,
        bool sticky = false)
    {
        OstrelNotificationSystem::sharedNotifier().displayNotification(title, description, delay, sticky);
        runFor(0);
    }

    TitleOnlyNoteWindow& titleOnly() { return *VisualNotification::notifier().titleOnlyNoteWindow(); }
    NoteWindow& withMessage() { return *VisualNotification::notifier().noteWindow(); }

    desktop::RecordingBanners* desktop { nullptr };
};

}

TEST_F(BannersTest, OurOwnNoteWindowShowsTheTitleAloneOrWithItsMessage)
{
    OstrelNotificationSystem::sharedNotifier().displayNotification("Only 5 minutes left", "", 0, false);
    EXPECT_FALSE(titleOnly().isVisible()) << "shown once the event being handled is done with";
    runFor(0);
    EXPECT_TRUE(titleOnly().isVisible());
    EXPECT_FALSE(withMessage().isVisible());
    EXPECT_EQ(titleOnly().titleLabel()->stringValue(), "Only 5 minutes left");

    show("Your Break will start in 30 seconds…", "…");
    EXPECT_TRUE(withMessage().isVisible()) << "one character of description is a message";
    EXPECT_FALSE(titleOnly().isVisible());
    EXPECT_EQ(withMessage().titleLabel()->stringValue(), "Your Break will start in 30 seconds…");
    EXPECT_EQ(withMessage().messageLabel()->stringValue(), "…");

    show("Starting Time Slice", std::nullopt);
    EXPECT_TRUE(titleOnly().isVisible());

    // No title, no banner, on either path.
    show("Starting Time Slice");
    runFor(3);
    show(std::nullopt, "a description");
    EXPECT_FALSE(titleOnly().isVisible());
    EXPECT_FALSE(withMessage().isVisible());
    settings().set("notificationsSystem", true);
    show(std::nullopt, "a description");
    EXPECT_TRUE(desktop->shown().empty());
}

TEST_F(BannersTest, ANoteFloatsInTheMiddleOfTheMainDisplayAboveEverythingAndNeverTakesTheKeyboard)
{
    auto work = ui::Window::create(ui::Rect(100, 100, 400, 300));
    work->makeKeyAndOrderFront();
    app().hide();
    show("Time Slice Elapsed", "Rate your focus, then take a break.");
    ui::Window& note = *withMessage().window();
    EXPECT_TRUE(note.isVisible()) << "shown while the application is hidden";
    auto state = backend().stateOf(note);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->level, ui::WindowLevel::AboveAll);
    EXPECT_TRUE(state->borderless);
    EXPECT_FALSE(state->takesFocus);
    EXPECT_FALSE(note.isKeyWindow());
    ui::Rect visible = backend().screens().front().visibleFrame;
    EXPECT_NEAR(note.frame().midX(), visible.midX(), 0.5);
    EXPECT_NEAR(note.frame().midY(), visible.midY(), 0.5);
    EXPECT_GE(note.frame().width(), 200);

    // Half a second of fading in, to 0.9.
    EXPECT_EQ(note.alphaValue(), 0);
    runFor(0.25);
    EXPECT_GT(note.alphaValue(), 0);
    EXPECT_LT(note.alphaValue(), 0.45) << "easing in";
    runFor(0.3);
    EXPECT_EQ(note.alphaValue(), 0.9);
}

TEST_F(BannersTest, ASecondBannerWithinTwoSecondsReplacesTheFirstAtOnceAndLastsItsOwnTwo)
{
    show("Only 10 minutes left");
    runFor(1);
    show("Only 5 minutes left", "Wrap up the current step.");
    EXPECT_FALSE(titleOnly().isVisible()) << "the first one goes at once";
    EXPECT_TRUE(withMessage().isVisible());

    // At 2 seconds the note fades out for half a second, then it is gone.
    runFor(1.5);
    EXPECT_TRUE(withMessage().isVisible());
    EXPECT_GT(withMessage().window()->alphaValue(), 0.85) << "the first one's timer no longer counts";
    runFor(0.6);
    EXPECT_TRUE(withMessage().isVisible());
    EXPECT_LT(withMessage().window()->alphaValue(), 1);
    runFor(0.45);
    EXPECT_FALSE(withMessage().isVisible());

    // Sticky or not, this path closes after two seconds.
    show("Starting Timed Break", "", 0, true);
    runFor(2.55);
    EXPECT_FALSE(titleOnly().isVisible());
}

TEST_F(BannersTest, ABannerShownWhileTheLastOneFadesOutStays)
{
    show("Only 3 minutes left");
    runFor(2.25);
    ASSERT_TRUE(titleOnly().isVisible());
    ASSERT_LT(titleOnly().window()->alphaValue(), 1) << "fading out";

    show("Only one minute left");
    EXPECT_TRUE(titleOnly().isVisible());
    runFor(0.55);
    EXPECT_TRUE(titleOnly().isVisible()) << "the old fade's end left it alone";
    EXPECT_EQ(titleOnly().window()->alphaValue(), 0.9);
    EXPECT_EQ(titleOnly().titleLabel()->stringValue(), "Only one minute left");
    runFor(1.4);
    EXPECT_TRUE(titleOnly().isVisible());
    runFor(0.6);
    EXPECT_FALSE(titleOnly().isVisible());
}

TEST_F(BannersTest, TheDesktopsBannerGoesAfterThreeSecondsOrItsDelayAndAStickyOneStays)
{
    settings().set("notificationsSystem", true);
    show("Only 5 minutes left", "Wrap up.");
    ASSERT_EQ(desktop->shown().size(), 1u);
    desktop::Banner first = desktop->shown()[0];
    EXPECT_EQ(first.title, "Only 5 minutes left");
    EXPECT_EQ(first.body, "Wrap up.");
    EXPECT_FALSE(first.sticky);
    EXPECT_EQ(first.button, "");
    EXPECT_FALSE(withMessage().isVisible()) << "not in a note window as well";
    runFor(2.9);
    EXPECT_EQ(desktop->open().size(), 1u);
    runFor(0.2);
    EXPECT_TRUE(desktop->open().empty());

    show("Only 3 minutes left", "", 5);
    runFor(4.9);
    EXPECT_EQ(desktop->open().size(), 1u);
    runFor(0.2);
    EXPECT_TRUE(desktop->open().empty());

    // A sticky one says what its button does: hide us when we are in front, else bring us.
    app().activate();
    show("Time Slice Elapsed", "", 0, true);
    EXPECT_TRUE(desktop->shown().back().sticky);
    EXPECT_EQ(desktop->shown().back().button, "Hide");
    app().deactivate();
    show("Timed break finished", "", 0, true);
    EXPECT_EQ(desktop->shown().back().button, "Bring To Front");
    EXPECT_EQ(desktop->open().size(), 1u) << "each banner takes the last one away";
    runFor(60);
    EXPECT_EQ(desktop->open().size(), 1u);

    // The user coming to us takes our banners away.
    OstrelNotificationSystem::sharedNotifier().applicationDidBecomeActive();
    EXPECT_TRUE(desktop->open().empty());
}

TEST_F(BannersTest, WithoutASessionBusTheBannerGoesToANoteWindow)
{
    settings().set("notificationsSystem", true);
    SystemVisualNotification::setSharedNotifier(SystemVisualNotification::create(std::make_unique<NoBusBanners>()));
    show("Your Break will start in 15 seconds…", "…or as soon as you stop working.");
    EXPECT_TRUE(withMessage().isVisible());

    // The program's own banners, as made at start-up, with no bus to be found.
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    std::string saved = address ? address : "";
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    SystemVisualNotification::setSharedNotifier(nullptr);
    show("Time Slice Elapsed");
    if (address)
        setenv("DBUS_SESSION_BUS_ADDRESS", saved.c_str(), 1);
    EXPECT_TRUE(titleOnly().isVisible());
    EXPECT_EQ(titleOnly().titleLabel()->stringValue(), "Time Slice Elapsed");
}

TEST_F(BannersTest, UntilStartUpInstallsTheBannersTheyAreOnlyLogged)
{
    OstrelNotificationSystem::setSharedNotifier(nullptr);
    show("Starting Time Slice");
    EXPECT_EQ(app().windows().size(), 0u);
    OstrelNotificationSystem::sharedNotifier().applicationDidBecomeActive();
}

}
