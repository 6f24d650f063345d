#include "TimeViewsFixture.h"

#include "drawing/OstrelStyleKit.h"

#include "viewkit/BreakDurationBottomView.h"
#include "viewkit/GenericUpdateViewTypeImplementation.h"
#include "viewkit/GroupTableCell.h"
#include "viewkit/OldDurationView.h"

#include "platform/gfx/Bitmap.h"

namespace ostrel::test {

namespace {

// A responder at the end of the chain that keeps the keys nobody took.
class KeyCatcher final : public ui::Responder {
public:
    void keyDown(const ui::Event& event) override { keys.push_back(event.characters()); }
    std::vector<std::string> keys;
};

class BottomPanelTest : public TimeViewsTest {
protected:
    // A panel 480 points wide: one minute of the 2 … 60 scale is (480 − 14) / 58 points.
    std::shared_ptr<TimeControlBottomView> panelAt(double time, std::int64_t minutes)
    {
        clock.set(time);
        model().setDurationInMinutes(minutes);
        auto panel = TimeControlBottomView::create(ui::Rect(0, 0, 480, 80));
        panel->prepare();
        panel->activate();
        panel->updateState();
        return panel;
    }
    static std::vector<bool> shown(const TimeControlBottomView& panel)
    {
        return { !panel.bubble1()->isHidden(), !panel.bubble2()->isHidden(), !panel.bubble3()->isHidden(), !panel.bubble4()->isHidden() };
    }
};

}

TEST_F(BottomPanelTest, AtSevenPastTenTheFourBubblesRunToEleven)
{
    auto panel = panelAt(at(10, 7), 25);
    EXPECT_EQ(panel->offset(), 7);
    EXPECT_EQ(panel->tickDelta(), 466.0 / 58);
    EXPECT_EQ((std::vector<std::int64_t> { panel->bubble1Duration(), panel->bubble2Duration(), panel->bubble3Duration(), panel->bubble4Duration() }),
        (std::vector<std::int64_t> { 8, 23, 38, 53 }));
    EXPECT_EQ(panel->firstDate(), at(10, 15));
    EXPECT_EQ(panel->fourthDate(), at(11, 0));
    EXPECT_EQ(shown(*panel), (std::vector<bool> { true, true, true, true }));
    EXPECT_NE(panel->bubble4()->title().find("11:00"), std::string::npos);
    // Bubble k is centred 15 minutes of scale after the one before.
    double centre = 7 + 6 * panel->tickDelta();
    EXPECT_DOUBLE_EQ(panel->bubble1()->frame().midX(), centre);
    EXPECT_DOUBLE_EQ(panel->bubble3()->frame().midX(), centre + 30 * panel->tickDelta());
    EXPECT_EQ(panel->bubble1()->middleX(), 30);

    EXPECT_EQ(panel->durationTextField()->stringValue(), "25");
    EXPECT_EQ(panel->endDateField()->stringValue(), timeOfDay(at(10, 32)));
    EXPECT_EQ(panel->motivationTextField()->stringValue(), "Normal");
    EXPECT_EQ(panel->resistanceTextField()->stringValue(), "Normal");
    EXPECT_FALSE(panel->minutesField()->isHidden());
}

TEST_F(BottomPanelTest, AtOneMinuteToElevenTheFourthBubbleIsBeyondTheScale)
{
    auto panel = panelAt(at(10, 59), 5);
    EXPECT_EQ(panel->bubble1Duration(), 16);
    EXPECT_EQ(panel->bubble4Duration(), 61);
    EXPECT_EQ(shown(*panel), (std::vector<bool> { true, true, true, false }));
    EXPECT_EQ(panel->durationTextField()->stringValue(), "05");

    // At 10:13 the first bubble offers 2 minutes, at the scale's left end: pinned at 0.
    clock.set(at(10, 13));
    panel->updateState();
    EXPECT_EQ(panel->bubble1()->frame().minX(), 0);
    EXPECT_EQ(panel->bubble1()->middleX(), 7);
}

TEST_F(BottomPanelTest, TheEstimatesFollowTheDurationInBands)
{
    auto panel = panelAt(at(10, 7), 19);
    auto words = [&] { return std::pair { panel->motivationTextField()->stringValue(), panel->resistanceTextField()->stringValue() }; };
    EXPECT_EQ(words(), (std::pair<std::string, std::string> { "Low", "High" }));
    // The panel follows DataModel's changes by itself.
    model().setDurationInMinutes(20);
    EXPECT_EQ(words(), (std::pair<std::string, std::string> { "Normal", "Normal" }));
    model().setDurationInMinutes(29);
    EXPECT_EQ(words(), (std::pair<std::string, std::string> { "Normal", "Normal" }));
    model().setDurationInMinutes(30);
    EXPECT_EQ(words(), (std::pair<std::string, std::string> { "High", "Low" }));

    // A panel without the optional fields skips them.
    panel->setMotivationTextField(nullptr);
    panel->setResistanceTextField(nullptr);
    panel->setMinutesField(nullptr);
    panel->prepare();
    panel->activate();
    model().setDurationInMinutes(45);
    EXPECT_EQ(panel->durationTextField()->stringValue(), "45");
}

TEST_F(BottomPanelTest, RequestsAreKeptWithinTheScaleAndABubbleAsksForItsMinutes)
{
    auto panel = panelAt(at(10, 7), 25);
    int linkedRefreshes = 0;
    auto linked = GenericUpdateViewTypeImplementation::create([&linkedRefreshes] { ++linkedRefreshes; });
    panel->setLinkedTopView(linked);
    panel->attemptToSetDurationTo(1);
    EXPECT_EQ(model().durationInMinutes(), 2);
    panel->attemptToSetDurationTo(90);
    EXPECT_EQ(model().durationInMinutes(), 60);
    EXPECT_EQ(linkedRefreshes, 2);
    panel->bubble2()->mouseDown(click());
    EXPECT_EQ(model().durationInMinutes(), 23);

    // The break's panel reads and writes the break duration.
    auto breakPanel = BreakDurationBottomView::create(ui::Rect(0, 0, 480, 80));
    breakPanel->activate();
    breakPanel->attemptToSetDurationTo(0);
    EXPECT_EQ(model().breakDurationInMinutes(), 2);
    EXPECT_EQ(model().durationInMinutes(), 23);
    EXPECT_EQ(breakPanel->durationTextField()->stringValue(), "02");
}

TEST_F(BottomPanelTest, TypedDigitsMakeOneOrTwoDigitDurations)
{
    auto panel = panelAt(at(10, 7), 25);
    auto typed = OldDurationView::create();
    typed->setTimeControlBottomView(panel);
    EXPECT_EQ(typed->lastDigitAccepted(), base::Time::distantPast());

    typed->keyDown(key("2"));
    EXPECT_EQ(model().durationInMinutes(), 2);
    clock.advance(0.6);
    typed->keyDown(key("5"));
    EXPECT_EQ(model().durationInMinutes(), 25);
    clock.advance(0.6);
    typed->keyDown(key("0"));
    EXPECT_EQ(model().durationInMinutes(), 50) << "each digit combines only with the one before";

    clock.advance(1.0);
    typed->keyDown(key("5"));
    EXPECT_EQ(model().durationInMinutes(), 5) << "after a second a new number starts";
    clock.advance(0.1);
    typed->keyDown(key("9"));
    clock.advance(0.1);
    typed->keyDown(key("9"));
    EXPECT_EQ(model().durationInMinutes(), 60) << "99 asked, the panel keeps 60";
    clock.advance(5);
    typed->keyDown(key("1"));
    EXPECT_EQ(model().durationInMinutes(), 2) << "1 asked, the panel keeps 2";
    EXPECT_EQ(typed->lastDigitThatWasAccepted(), 1);
}

TEST_F(BottomPanelTest, KeysWithModifiersAndNonDigitsGoOnToTheNextResponder)
{
    auto panel = panelAt(at(10, 7), 25);
    auto typed = OldDurationView::create();
    typed->setTimeControlBottomView(panel);
    KeyCatcher catcher;
    typed->setNextResponder(&catcher);
    for (auto modifier : { ui::ModifierFlag::Command, ui::ModifierFlag::Control, ui::ModifierFlag::Option })
        typed->keyDown(key("5", modifier));
    typed->keyDown(key("a"));
    typed->keyDown(key(""));
    EXPECT_EQ(catcher.keys, (std::vector<std::string> { "5", "5", "5", "a", "" }));
    EXPECT_EQ(model().durationInMinutes(), 25);
    typed->keyDown(key("7", ui::ModifierFlag::Shift));
    EXPECT_EQ(model().durationInMinutes(), 7) << "Shift is no command";
    // A burst of digits at once is read as one number, within the scale.
    typed->keyDown(key("99999999999999999999"));
    EXPECT_EQ(model().durationInMinutes(), 60);
}

TEST_F(BottomPanelTest, AGroupRowIsPaintedInTheDarkestSlateOnePointTallerThanItsCell)
{
    auto bitmap = gfx::Bitmap::create(60, 30);
    ASSERT_TRUE(bitmap);
    auto context = bitmap->makeContext(1, true);
    auto cell = GroupTableCell::create("Group");
    cell->setTextColor(gfx::colors::white);
    gfx::GraphicsContext::MakeCurrent current(*context);
    cell->drawInteriorWithFrame(*context, ui::Rect(0, 5, 60, 17));
    gfx::Color slate = OstrelStyleKit::n10();
    auto near = [](gfx::Color a, gfx::Color b) { return std::abs(a.red - b.red) < 0.01 && std::abs(a.blue - b.blue) < 0.01; };
    EXPECT_EQ(bitmap->pixel(59, 4).alpha, 0);
    EXPECT_TRUE(near(bitmap->pixel(59, 5), slate));
    EXPECT_TRUE(near(bitmap->pixel(59, 22), slate)) << "row 22 is the extra point under 17";
    EXPECT_EQ(bitmap->pixel(59, 23).alpha, 0);
    // The title is drawn over it, inset from the left edge and centred in the row.
    int left = 60, top = 30, bottom = 0;
    for (int x = 0; x < 60; ++x)
        for (int y = 5; y < 23; ++y)
            if (bitmap->pixel(x, y).red > 0.5) {
                left = std::min(left, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(left, 5);
    EXPECT_LE(std::abs((top - 5) - (22 - bottom)), 3) << "ink from " << top << " to " << bottom;
}

}
