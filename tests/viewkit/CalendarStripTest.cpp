#include "TimeViewsFixture.h"

#include "viewkit/CalendarManager.h"
#include "viewkit/CalendarView.h"
#include "viewkit/FragmentStackView.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/LayoutConstraintMaker.h"

#include "core/ZrLog.h"

#include "platform/base/Calendar.h"
#include "platform/base/DateFormat.h"
#include "platform/base/Diagnostics.h"
#include "tests/support/TemporaryHome.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace ostrel::test {

namespace {

namespace fs = std::filesystem;
using desktop::CalendarEvent;

// Diagnostic lines, for the life of the object.
class LogLines {
public:
    LogLines() { m_previous = base::setDiagnosticSink([this](std::string_view line) { add(line); }); }
    ~LogLines() { base::setDiagnosticSink(m_previous); }
    std::vector<std::string> lines() const
    {
        std::lock_guard lock(m_mutex);
        return m_lines;
    }

private:
    void add(std::string_view line)
    {
        std::lock_guard lock(m_mutex);
        m_lines.emplace_back(line);
    }
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
    base::DiagnosticSink m_previous;
};

// A moment of the tests' zone (UTC).
double utc(int year, int month, int day, int hour = 0, int minute = 0)
{
    return base::Calendar::current().moment({ year, month, day, hour, minute, 0, 0 });
}

class CalendarStripTest : public TimeViewsTest {
protected:
    // A strip in a fragment of a stack in a window 600 wide, over a 2 … 60 slider 560 wide
    // (its ticks' left edges at 7.5 + 544 × index / 58), reading the manual calendar.
    CalendarStripTest()
    {
        clock.set(at(10, 0));
        m_window = window(600, 200);
        auto stack = FragmentStackView::create(ui::Orientation::Vertical);
        stack->setAlignment(ui::LayoutAttribute::Width);
        stack->setTranslatesAutoresizingMaskIntoConstraints(false);
        m_window->contentView()->addSubview(stack);
        LayoutConstraintMaker maker(*stack);
        maker.fillContainer();
        m_window->contentView()->addConstraints(maker.constraints());
        fragment = HideableFragmentWall::create("hideCalendarEvents", false);
        stack->addFragment(fragment);
        slider = ui::Slider::create(2, 60, 25);
        slider->setNumberOfTickMarks(59);
        slider->setFrame(ui::Rect(0, 0, 560, 23));
        strip = CalendarView::createCalendarView(slider);
        strip->setCalendarManager(manager);
        strip->prepare();
        fragment->factory().internalAddBrick(strip, [](LayoutConstraintMaker& maker) { maker.fillContainer(); });
        m_window->layoutIfNeeded();
    }
    static double tickLeft(int index) { return 7.5 + 544.0 * index / 58; }
    static double tickRight(int index) { return tickLeft(index) + 1; }
    static std::string titled(double start, const std::string& title)
    {
        return base::DateFormat::formatStyled(start, base::DateFormat::Style::None, base::DateFormat::Style::Short) + " " + title;
    }
    // Pixels of the strip's top 32 points (the hint's first line, above the lower bar) that
    // are not the window's black.
    int inkInHintBand()
    {
        m_window->setBackgroundColor(gfx::colors::black);
        m_window->display();
        int count = 0;
        double top = m_window->frame().height() - strip->convertRectTo(strip->bounds(), nullptr).maxY();
        for (int y = int(top); y < int(top) + 32; ++y)
            for (int x = 0; x < 435; ++x)
                count += m_window->pixelAt(x, y) != gfx::colors::black;
        return count;
    }

    std::shared_ptr<desktop::ManualCalendar> calendar = std::make_shared<desktop::ManualCalendar>();
    std::shared_ptr<desktop::ManualCalendar> toDos = std::make_shared<desktop::ManualCalendar>();
    std::shared_ptr<CalendarManager> manager = CalendarManager::create(calendar, toDos);
    std::shared_ptr<HideableFragmentWall> fragment;
    std::shared_ptr<ui::Slider> slider;
    std::shared_ptr<CalendarView> strip;
    std::shared_ptr<ui::Window> m_window;
};

}

TEST_F(CalendarStripTest, TheCalendarIsReadAtMostOnceEveryFifteenSeconds)
{
    strip->updateState();
    clock.advance(10);
    strip->updateState();
    EXPECT_EQ(calendar->eventReads(), 1);
    clock.advance(10);
    strip->updateState();
    EXPECT_EQ(calendar->eventReads(), 2);
    EXPECT_EQ(manager->lastQueryDate(), at(10, 0, 20));
    // Either side: a clock set back a little does not read again.
    clock.set(at(10, 0, 10));
    strip->updateState();
    EXPECT_EQ(calendar->eventReads(), 2);

    // While its fragment is hidden the strip asks nothing.
    model().store()->set("hideCalendarEvents", true);
    clock.advance(60);
    strip->updateState();
    EXPECT_EQ(calendar->eventReads(), 2);
    model().store()->set("hideCalendarEvents", false);
    strip->updateState();
    EXPECT_EQ(calendar->eventReads(), 3);

    // Outside any stack it asks nothing either.
    auto loose = CalendarView::createCalendarView(slider);
    loose->setCalendarManager(manager);
    clock.advance(60);
    loose->updateState();
    EXPECT_EQ(calendar->eventReads(), 3);
}

TEST_F(CalendarStripTest, StartedAndAllDayEventsAreDroppedAndTheHintShows)
{
    double now = at(10, 0);
    calendar->setEvents({ { "Under way", now - 60, now + 600, false }, { "Holiday", at(0, 0), at(0, 0) + 86400, true } });
    int emptyInk = inkInHintBand();
    strip->updateState();
    EXPECT_TRUE(strip->calendarEvents().empty());
    EXPECT_TRUE(strip->topEventView()->isHidden());
    EXPECT_TRUE(strip->bottomEventView()->isHidden());
    EXPECT_EQ(inkInHintBand(), emptyInk);
    EXPECT_GT(emptyInk, 200) << "the no-events hint is drawn";

    calendar->setEvents({ { "Review", now + 600, now + 1200, false } });
    clock.advance(15);
    strip->updateState();
    EXPECT_LT(inkInHintBand(), emptyInk / 2) << "with an event there is no hint";
}

TEST_F(CalendarStripTest, BarsRunFromTheStartToTheEndMinuteWithTheirArrows)
{
    double now = at(10, 0);
    calendar->setEvents({
        { "Third", now + 1200, now + 1500, false },
        { "Soon", now + 70, now + 2400, false },
        { "Later", now + 600, now + 3300, false },
    });
    strip->updateState();
    ASSERT_EQ(strip->calendarEvents().size(), 3u);

    // The earliest below: 1 minute 10 seconds away is tick 0 and too close for a left arrow;
    // it ends in 40 minutes, taken as tick 40 as it is, within the 50 minutes that earn a
    // right arrow.
    auto& bottom = *strip->bottomEventView();
    EXPECT_FALSE(bottom.isHidden());
    EXPECT_EQ(bottom.title(), titled(now + 70, "Soon"));
    EXPECT_FALSE(bottom.leftArrow());
    EXPECT_TRUE(bottom.rightArrow());
    EXPECT_EQ(bottom.frame().origin, ui::Point(tickLeft(0), 0));
    EXPECT_NEAR(bottom.frame().maxX(), tickRight(40), 1e-9);
    EXPECT_EQ(bottom.frame().height(), 32);

    // The next above: 10 minutes away is tick 8, and its 55-minute end (tick 55) is no arrow.
    auto& top = *strip->topEventView();
    EXPECT_EQ(top.title(), titled(now + 600, "Later"));
    EXPECT_TRUE(top.leftArrow());
    EXPECT_FALSE(top.rightArrow());
    EXPECT_EQ(top.frame().origin, ui::Point(tickLeft(8), 33));
    EXPECT_NEAR(top.frame().maxX(), tickRight(55), 1e-9);

    // The third is not shown: there are two bars.
    for (const auto& view : strip->subviews())
        EXPECT_NE(static_cast<EventView&>(*view).title(), titled(now + 1200, "Third"));
}

TEST_F(CalendarStripTest, ABarEndingBeyondTheScaleRunsToTheSlidersEndWithinTheStrip)
{
    double now = at(10, 0);
    calendar->setEvents({ { "Long", now + 300, now + 5400, false } });
    strip->updateState();
    EXPECT_EQ(strip->bottomEventView()->frame(), ui::Rect(tickLeft(3), 0, 560 - tickLeft(3), 32));

    slider->setFrame(ui::Rect(0, 0, 700, 23));
    clock.advance(15);
    strip->updateState();
    ui::Rect bar = strip->bottomEventView()->frame();
    EXPECT_EQ(bar.maxX(), 600) << "cut at the strip's edge";
}

TEST_F(CalendarStripTest, ABarWhoseStartIsBeyondTheScaleIsHidden)
{
    // A 45-minute scale: 44 ticks from 2 minutes.
    slider->setMaxValue(45);
    slider->setNumberOfTickMarks(44);
    double now = at(10, 0);
    calendar->setEvents({ { "Standup", now + 600, now + 900, false } });
    strip->updateState();
    EXPECT_FALSE(strip->bottomEventView()->isHidden());

    calendar->setEvents({ { "Lunch", now + 50 * 60, now + 80 * 60, false } });
    clock.advance(15);
    strip->updateState();
    ASSERT_EQ(strip->calendarEvents().size(), 1u);
    EXPECT_TRUE(strip->bottomEventView()->isHidden()) << "no bar left standing with the new title at the old place";
}

TEST_F(CalendarStripTest, TheDesktopStoreIsReadThroughItsFilesQuietlyWhenThereAreNone)
{
    TemporaryHome home;
    LogLines log;
    auto fixture = [](const std::string& name) {
        std::ifstream in(fs::path(std::getenv("OSTREL_SOURCE")) / "tests/desktop/calendars" / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    auto desktopManager = CalendarManager::create(desktop::Calendar::create(), desktop::Calendar::create());
    strip->setCalendarManager(desktopManager);

    // No calendar folder at all: the hint, nothing logged.
    clock.set(utc(2024, 1, 23, 9, 50));
    strip->updateState();
    EXPECT_TRUE(strip->calendarEvents().empty());
    EXPECT_TRUE(log.lines().empty());

    for (auto name : { "weekly", "timezones", "allday", "damaged" }) {
        fs::path folder = desktop::Calendar::defaultStoreFolder() / "calendar" / name;
        fs::create_directories(folder);
        std::ofstream(folder / "calendar.ics", std::ios::binary) << fixture(std::string(name) + ".ics");
    }
    // The weekly standup's moved occurrence: 11:00 in Berlin, 10 minutes from now.
    clock.advance(15);
    strip->updateState();
    ASSERT_EQ(strip->calendarEvents().size(), 1u);
    EXPECT_EQ(strip->bottomEventView()->title(), titled(utc(2024, 1, 23, 10, 0), "Standup (moved)"));
    EXPECT_EQ(strip->bottomEventView()->frame().minX(), tickLeft(8));
    EXPECT_EQ(log.lines().size(), 1u) << "one line for the damaged file";

    // A Tokyo time with its own zone, and what the damaged file still gives.
    clock.set(utc(2024, 7, 1, 23, 50));
    strip->updateState();
    ASSERT_EQ(strip->calendarEvents().size(), 1u);
    EXPECT_EQ(strip->calendarEvents()[0].title, "Tokyo sync");
    EXPECT_EQ(strip->calendarEvents()[0].start, utc(2024, 7, 2));
    clock.set(utc(2024, 8, 1, 8, 45));
    strip->updateState();
    ASSERT_FALSE(strip->calendarEvents().empty());
    EXPECT_EQ(strip->calendarEvents()[0].title, "Still readable");
    // An all-day event is no bar.
    clock.set(utc(2024, 7, 4, 12, 0));
    strip->updateState();
    EXPECT_TRUE(strip->calendarEvents().empty());
    EXPECT_EQ(log.lines().size(), 1u) << "an unchanged damaged file is not reported again";
}

TEST_F(CalendarStripTest, RemindersAreReadOnTheirOwnQueueAndKept)
{
    double now = base::Time::now();
    toDos->setToDos({ { "Call back", now + 3600 }, { "Next week", now + 7 * 86400 }, { "Yesterday", now - 80000 } });
    LogLines log;
    setZrLogOn(true);
    manager->fetchCurrentRemindersAndUpdateWhenReady();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (manager->isRemindersQueryStillRunning() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    setZrLogOn(false);
    EXPECT_FALSE(manager->isRemindersQueryStillRunning());
    EXPECT_EQ(manager->reminders(),
        (std::vector<desktop::CalendarToDo> { { "Yesterday", now - 80000 }, { "Call back", now + 3600 } }));
    EXPECT_EQ(toDos->toDoReads(), 1);
    auto lines = log.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("fetched current reminders :(", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("Call back"), std::string::npos);
    EXPECT_EQ(calendar->eventReads(), 0) << "the events are another read";
}

}
