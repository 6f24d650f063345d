#pragma once

#include "ViewkitFixture.h"

#include "viewkit/RunningTimedScreen.h"
#include "viewkit/UpdatedViewType.h"

#include "core/DataModel.h"
#include "core/DateHelper.h"
#include "core/Clock.h"
#include "core/SmartScheduler.h"
#include "core/TimedStateMachineModule.h"

#include "platform/base/Time.h"
#include "platform/ui/Event.h"

#include <memory>
#include <string>
#include <vector>

namespace ostrel::test {

// A timed screen as the views see it: a module of its own and a refresh list, counting
// nothing by itself (the tests move its view model's frozen time).
class FakeTimedScreen final : public TimedStateType, public RunningTimedScreen, public std::enable_shared_from_this<FakeTimedScreen> {
public:
    explicit FakeTimedScreen(std::int64_t seconds)
        : m_seconds(seconds)
    {
    }
    // Stops the scheduler, as a screen does when it is left.
    ~FakeTimedScreen() override { deactivate(); }
    // Creates the module now, as a screen does on activation.
    void activate() { module = TimedStateMachineModule::create(shared_from_this()); }
    void deactivate()
    {
        if (module && module->scheduler->timer) {
            module->scheduler->timer->stop();
            module->scheduler->timer = nullptr;
        }
    }
    std::int64_t duration() const override { return m_seconds; }
    void execute(Event event) override { events.push_back(event); }
    std::shared_ptr<TimedStateMachineModule> timedStateMachineModule() const override { return module; }
    std::vector<std::shared_ptr<UpdatedViewType>> updatableViewList() const override { return views; }

    std::shared_ptr<TimedStateMachineModule> module;
    std::vector<std::shared_ptr<UpdatedViewType>> views;
    std::vector<Event> events;

private:
    std::int64_t m_seconds;
};

// The time views read the shared data model and the clock: each test gets the model's store
// as the standard one with the durations unset, and a virtual clock on Monday 5 January 2026
// in UTC (the test programs' zone).
class TimeViewsTest : public ViewkitTest {
protected:
    TimeViewsTest()
    {
        auto& shared = DataModel::shared();
        base::Defaults::setStandard(shared.store());
        static bool prepared = false;
        if (!prepared) {
            shared.prepare();
            prepared = true;
        }
        for (const char* key : { "durationInSeconds", "breakDurationInSeconds" })
            shared.store()->remove(key);
    }
    ~TimeViewsTest() override
    {
        for (const char* key : { "durationInSeconds", "breakDurationInSeconds" })
            DataModel::shared().store()->remove(key);
    }

    DataModel& model() { return DataModel::shared(); }
    // That time of day on the test's Monday, in seconds since the reference date.
    static double at(int hour, int minute, double second = 0)
    {
        return base::VirtualTime::kDefaultStart + (hour - 9) * 3600.0 + minute * 60.0 + second;
    }
    static std::string timeOfDay(double date) { return DateHelper::sharedHelper().formatDateAsTimeWithAmPmIfAppropriate(date).utf8(); }
    static ui::Event key(const std::string& characters, std::uint32_t modifiers = 0)
    {
        return ui::Event::key(ui::Event::Type::KeyDown, nullptr, 0, characters, modifiers);
    }
    static ui::Event click() { return ui::Event::mouse(ui::Event::Type::LeftMouseDown, nullptr, { 1, 1 }); }
};

}
