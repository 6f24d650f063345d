// The program from inside another: its global hot key brings the command pop-up up over
// whatever the user works in, a typed option toggles a setting there, and a shortcut the
// user records in the preferences starts a slice from anywhere.
#include "Looks.h"
#include "Road.h"
#include "Scene.h"

namespace ostrel::acceptance {
namespace {

class PopUpRoad : public Road {
protected:
    // The other program's window, white, over most of the screen and holding the keyboard:
    // where the user works.
    WindowId workElsewhere()
    {
        auto other = desktop().openOtherProgramsWindow("Another Program", { 100, 0, 1200, 800 });
        if (!other)
            throw std::runtime_error("no window of another program");
        return *other;
    }
};

TEST_F(PopUpRoad, TheHotKeyOpensThePopUpOverAnotherProgramAndUseSoftToggles)
{
    auto& program = startReturning();
    auto main = mainWindow(program);
    // The user goes to work elsewhere once the program has started: on a loaded machine its
    // window took the keyboard after its first frame, and from the other program then.
    ASSERT_TRUE(eventually([&] { return Scene::look(desktop(), program.pid(), frameOfScreen()).keyboardWithUs(); }))
        << "the program started and left the keyboard with no window of ours";
    auto other = workElsewhere();
    ASSERT_EQ(desktop().focusedWindow(), other);
    auto covered = desktop().capture(frameOf(main));
    ASSERT_TRUE(covered && looks::lightPixels(*covered, { 0, 0, covered->width(), covered->height() })
            > covered->width() * covered->height() / 2)
        << "the other program's window does not cover the main window";
    keep("at work in another program", desktop().capture());

    ASSERT_TRUE(openCommandPopUp()) << "Super+R opened nothing\n" << program.transcript();
    auto popUp = desktop().focusedWindow();
    ASSERT_TRUE(popUp && *popUp != other);
    // The program comes to the front with its pop-up over the other program's window.
    auto front = desktop().waitForPicture(frameOf(*popUp), [](const Screenshot& picture) {
        return looks::lightPixels(picture, { 0, 0, picture.width(), picture.height() }) < picture.width() * picture.height() / 2;
    });
    ASSERT_TRUE(front);
    keep("pop-up over the other program", desktop().capture());
    EXPECT_LT(looks::lightPixels(*front, { 0, 0, front->width(), front->height() }), front->width() * front->height() / 2)
        << "the pop-up is behind the other program's window";
    ASSERT_TRUE(desktop().type("use soft"));
    keep("use soft typed", desktop().waitForStill(frameOf(*popUp)));
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(eventually([&] { return m_home.setting("shouldUseSoftBreak") == false; }))
        << "the soft break is still on\n" << program.transcript();
    // An option stays in the pop-up, showing its new value, for another change.
    keep("soft break off", desktop().waitForStill(frameOf(*popUp)));
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(eventually([&] { return m_home.setting("shouldUseSoftBreak") == true; }));

    // Escape puts the pop-up away; the program stays in front with its main window.
    ASSERT_TRUE(desktop().key("Escape"));
    EXPECT_TRUE(eventually([&] { return desktop().focusedWindow() == main; })) << "the keyboard went nowhere";
    shot("pop-up gone");
    EXPECT_EQ(stop(), "exit 0");
}

TEST_F(PopUpRoad, AShortcutRecordedInThePreferencesStartsASliceFromAnotherProgram)
{
    auto& program = startReturning(nlohmann::json::object(), Launch::atSpeed(20));
    auto main = mainWindow(program);
    ASSERT_TRUE(desktop().focus(main));
    ASSERT_TRUE(desktop().key("ctrl+comma"));
    ASSERT_TRUE(eventually([&] { return desktop().focusedWindow() != main; })) << "no preferences window";
    auto preferences = *desktop().focusedWindow();
    auto frame = frameOf(preferences);

    // The toolbar's "Shortcuts", then the recorder of "Start Time Slice", and the keys.
    ASSERT_TRUE(desktop().click(preferences, 277, 30));
    ASSERT_TRUE(desktop().waitForWindow("^Shortcuts$", 10)) << "the shortcuts pane did not open";
    stillShot("shortcuts pane", frame);
    ASSERT_TRUE(desktop().click(preferences, 394, 191));
    keep("recording", desktop().waitForStill(frame));
    ASSERT_TRUE(desktop().key("super+alt+s"));
    ASSERT_TRUE(eventually([&] { return m_home.setting("startTimeSlice").has_value(); }))
        << "nothing recorded\n" << program.transcript();
    auto stored = nlohmann::json::parse(m_home.setting("startTimeSlice")->get<std::string>(), nullptr, false);
    // S, with Control (the Super key) and Option (Alt).
    EXPECT_EQ(stored["carbonKeyCode"], 1);
    EXPECT_EQ(stored["carbonModifiers"], 0x1000 | 0x800);
    stillShot("recorded", frame);

    // The hot keys come back when the preferences close.
    std::size_t closing = program.lineCount();
    ASSERT_TRUE(desktop().askToClose(preferences));
    ASSERT_TRUE(desktop().waitForNoWindow("^Shortcuts$")) << "the preferences did not close";
    // With no window manager to hand it on, the program gives the keyboard to a window of its own.
    EXPECT_TRUE(eventually([&] { return Scene::look(desktop(), program.pid(), frameOfScreen()).keyboardWithUs(); }))
        << "the preferences closed and left the keyboard with no window of ours";
    ASSERT_TRUE(program.waitForLine("keycombo registered: Super+Alt+S", 10, closing)) << program.transcript();
    workElsewhere();
    std::size_t before = program.lineCount();
    ASSERT_TRUE(desktop().key("super+alt+s"));
    ASSERT_TRUE(program.waitForScreen("TimeSliceRunningState", 10, before)) << "the shortcut did nothing\n"
                                                                            << program.transcript();
    auto strip = desktop().waitForPicture(looks::statusStripBox(frameOfScreen().width), looks::stripShowsTime);
    keep("slice counting", strip);
    EXPECT_TRUE(strip && looks::stripShowsTime(*strip));
    EXPECT_EQ(stop(), "exit 0");
}

}
}
