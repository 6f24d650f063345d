#pragma once

#include "tests/states/ScreensFixture.h"

#include "states/WelcomeState.h"

#include "platform/media/RecordingSink.h"

#include <memory>
#include <string>
#include <vector>

namespace ostrel {
class PushButtonBrick;
}

namespace ostrel::test {

// The screens' start-up with the welcome screens in the wiring, on a fresh settings file
// written only when synchronized (as the program writes it a moment after a burst of
// changes). What the wizard makes heard or seen goes into one journal: "sound <name>",
// "loop <name>", "speech <text>" from a recording audio output and "banner <title>|<text>".
class WelcomeTest : public ScreensTest {
protected:
    WelcomeTest();
    ~WelcomeTest() override;

    std::shared_ptr<WelcomeState> welcome(StateLinkingHelper::Slot slot = StateLinkingHelper::Slot::welcome) const;

    // The screen's four choice pop-ups, top to bottom.
    std::vector<PopUpButtonBrick*> popUps(WelcomeState& screen) const;
    // Picks an item as the user does, then lets the main window follow the new explanation.
    void choose(PopUpButtonBrick& popUp, int index);
    // The texts of the screen's shown fragments, top to bottom; each must fit whole in the
    // window when the screen is in one.
    std::vector<std::string> explanations(WelcomeState& screen);
    // The push button of that title under `root`, or none.
    PushButtonBrick* button(ui::View& root, const std::string& title);

    // Every setting stored in the settings file, as the next launch would read it.
    base::Value::Dictionary storedSettings();
    // The journal so far, and cleared.
    std::vector<std::string> heard();
    void writePicture(const std::string& name) { ScreensTest::writePicture(window(), name); }

    std::shared_ptr<media::RecordingSink> sink;
    std::vector<std::string> journal;

private:
    void drainSounds();

    std::size_t m_soundEventsSeen { 0 };
};

}
