#include "TimeViewsFixture.h"

#include "viewkit/DurationView.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/ReadoutLayer.h"
#include "viewkit/SmallDurationView.h"

#include "drawing/CountDownStyleKit.h"

#include "platform/base/RunLoop.h"

namespace ostrel::test {

namespace {

class DurationDisplaysTest : public TimeViewsTest {
protected:
    // How many pixels of the window are near white (the kit draws the digits in white).
    int whitePixels(ui::Window& w)
    {
        w.display();
        int count = 0;
        for (int y = 0; y < static_cast<int>(w.frame().height()); ++y) {
            for (int x = 0; x < static_cast<int>(w.frame().width()); ++x) {
                auto p = w.pixelAt(x, y);
                count += p.red > 0.9 && p.green > 0.9 && p.blue > 0.9;
            }
        }
        return count;
    }
    std::shared_ptr<ui::Window> showing(const std::shared_ptr<ui::View>& view, double width, double height)
    {
        auto w = window(width, height);
        w->setBackgroundColor(gfx::colors::black);
        w->contentView()->addSubview(view);
        LayoutConstraintMaker maker(*view);
        maker.fillContainer();
        w->contentView()->addConstraints(maker.constraints());
        return w;
    }
    // Runs the run loop (on the virtual clock) for that many seconds.
    void runFor(double seconds) { base::RunLoop::main().runUntil(base::Time::now() + seconds); }
};

}

TEST_F(DurationDisplaysTest, MinutesAndSecondsBelowAnHourThenHoursAndMinutes)
{
    auto view = DurationView::create();
    EXPECT_EQ(view->durationDigits(), (DurationDigits { "M", "S", "00", "00" }));
    view->setSeconds(3599);
    EXPECT_EQ(view->durationDigits(), (DurationDigits { "M", "S", "59", "59" }));
    view->setSeconds(3600);
    EXPECT_EQ(view->durationDigits(), (DurationDigits { "H", "M", "01", "00" }));
    view->setSeconds(7325);
    EXPECT_EQ(view->durationDigits(), (DurationDigits { "H", "M", "02", "02" }));
    view->setSeconds(-5);
    EXPECT_EQ(view->durationDigits(), (DurationDigits { "M", "S", "00", "-5" }));
    view->setDisplayTime(false);
    EXPECT_EQ(view->durationDigits(), (DurationDigits { "", "", "--", "--" }));
}

TEST_F(DurationDisplaysTest, BothSizesDrawTheirDigitsInTheirOwnBox)
{
    auto large = DurationView::create();
    auto small = SmallDurationView::create();
    EXPECT_EQ(large->intrinsicContentSize(), ui::Size(200, 80));
    EXPECT_EQ(small->intrinsicContentSize(), ui::Size(100, 40));
    large->setSeconds(7325);
    small->setSeconds(7325);
    auto w = showing(large, 200, 80);
    int largeInk = whitePixels(*w);
    auto v = showing(small, 200, 80);
    int smallInk = whitePixels(*v);
    EXPECT_GT(smallInk, 50);
    EXPECT_GT(largeInk, 2 * smallInk) << "the large display draws at its own, larger sizes";

    // Dashes are less ink than digits, and the view only redraws when its owner says so.
    small->setDisplayTime(false);
    small->setNeedsDisplay();
    EXPECT_LT(whitePixels(*v), smallInk);
}

TEST_F(DurationDisplaysTest, TheReadOutShowsWholeSecondsWithinTheSixteenBitRange)
{
    EXPECT_EQ(ReadoutLayer::readOutText(125.9), "02′05″");
    EXPECT_EQ(ReadoutLayer::readOutText(0), "00′00″");
    EXPECT_EQ(ReadoutLayer::readOutText(32767), "546′07″");
    EXPECT_EQ(ReadoutLayer::readOutText(1e12), "546′07″");
    EXPECT_EQ(ReadoutLayer::readOutText(-1e12), ReadoutLayer::readOutText(-32768));
    EXPECT_EQ(ReadoutLayer::readOutText(std::nan("")), "00′00″");
    EXPECT_TRUE(ReadoutLayer::needsDisplayForKey("timeLeft"));
    EXPECT_FALSE(ReadoutLayer::needsDisplayForKey("opacity"));
}

TEST_F(DurationDisplaysTest, ANewTimeLeftMovesLinearlyOverAQuarterSecond)
{
    auto readout = ReadoutLayer::create();
    auto w = showing(readout, 300, 40);
    readout->setTimeLeft(125.9);
    runFor(0.3);
    EXPECT_EQ(readout->presentationTimeLeft(), 125.9);
    w->display();
    EXPECT_EQ(readout->contentsText(), "02′05″");
    ASSERT_TRUE(readout->contents());
    EXPECT_EQ(readout->contents()->size(), CountDownStyleKit::imageOfReadOut("02′05″")->size());

    readout->setTimeLeft(60);
    runFor(0.3);
    readout->setTimeLeft(0);
    EXPECT_EQ(readout->timeLeft(), 0);
    EXPECT_EQ(readout->presentationTimeLeft(), 60) << "the change starts from what is on screen";
    std::vector<double> seen;
    double start = base::Time::now();
    for (double t : { 0.05, 0.1, 0.15, 0.2 }) {
        runFor(start + t - base::Time::now());
        double elapsed = base::Time::now() - start;
        EXPECT_NEAR(readout->presentationTimeLeft(), 60 * (1 - elapsed / 0.25), 60.0 / 15 + 0.01) << t;
        seen.push_back(readout->presentationTimeLeft());
    }
    EXPECT_TRUE(std::is_sorted(seen.rbegin(), seen.rend()));
    w->display();
    EXPECT_NE(readout->contentsText(), "01′00″");
    runFor(0.2);
    EXPECT_EQ(readout->presentationTimeLeft(), 0);
    w->display();
    EXPECT_EQ(readout->contentsText(), "00′00″");
}

}
