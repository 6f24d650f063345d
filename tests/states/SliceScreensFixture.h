#pragma once

#include "ScreensFixture.h"

#include "states/PausedState.h"
#include "states/RateTimeSliceState.h"
#include "states/TimeSliceRunningState.h"
#include "states/TimeSliceScreens.h"

#include "attention/SoundManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "command/MatchingItem.h"
#include "core/RTFHelper.h"
#include "core/TimedStateMachineModule.h"
#include "log/FullFeaturedStatisticsManager.h"
#include "log/FullTimeSlice.h"
#include "log/TimeSliceReaders.h"

#include "platform/media/AudioOutput.h"
#include "platform/media/RecordingSink.h"
#include "platform/text/Rtfd.h"

#include <memory>
#include <string>

namespace ostrel::test {

// The screens of a slice wired as start-up wires them (running, paused, rating in place of
// their placeholders), the log writer counting for this case's model, sounds recorded, and
// helpers to start a slice and to reach the screens and their pop-up entries.
class SliceScreensTest : public ScreensTest {
protected:
    SliceScreensTest()
    {
        registerTimeSliceScreens();
        // Made now, over this case's store, as start-up makes it before any screen: made later
        // by a view that asks for it, it would register its defaults over the screens' own.
        DataModel::shared();
        m_sink = media::RecordingSink::create();
        media::AudioOutput::install(media::AudioOutput::create([](std::function<void()> task) { task(); }, m_sink));
        SoundManager::setSharedManager(SoundManager::create(m_store));
        WhiteNoiseMachine::setContinuousSoundMachine(WhiteNoiseMachine::create(m_store));
        FullFeaturedStatisticsManager::resetSharedInstance();
        auto& logger = Logger::sharedLogger();
        logger.setCurrentWorkSource([this] { return currentWork(); });
        logger.setExtensionReset([this] { model().resetCurrentTimeSliceExtensionDuration(); });
        logger.resetActualSecondsWorked();
        // Slices end on the rating screen, not in a soft break, unless a case asks for one.
        m_store->set("shouldUseSoftBreak", false);
    }
    ~SliceScreensTest() override
    {
        auto& logger = Logger::sharedLogger();
        logger.resetActualSecondsWorked();
        logger.setCurrentWorkSource({});
        logger.setExtensionReset({});
        FullFeaturedStatisticsManager::resetSharedInstance();
        WhiteNoiseMachine::setContinuousSoundMachine(nullptr);
        SoundManager::setSharedManager(nullptr);
        media::AudioOutput::install(nullptr);
    }

    // What an entry records, read from this case's model as the program reads the shared one.
    Logger::CurrentWork currentWork()
    {
        Logger::CurrentWork work;
        auto data = model().objectiveData();
        if (auto objective = text::Rtfd::fromData(std::string_view(reinterpret_cast<const char*>(data.data()), data.size())))
            work.objective = std::move(objective->text);
        work.completed = model().completed();
        work.durationInMinutes = model().durationInMinutes();
        work.tags = model().tags();
        work.focusRating = model().focusRating();
        return work;
    }

    TimeSliceRunningState& running() { return static_cast<TimeSliceRunningState&>(*helper->timeSliceRunningState()); }
    PausedState& paused() { return static_cast<PausedState&>(*helper->pausedState()); }
    RateTimeSliceState& rate() { return static_cast<RateTimeSliceState&>(*helper->rateTimeSliceState()); }
    TimedStateMachineViewModel& viewModel() { return *running().timedStateMachineModule()->viewModel; }
    int64_t worked() { return Logger::sharedLogger().actualSecondsWorked(); }
    int64_t extension() { return model().currentTimeSliceExtensionDurationInSeconds(); }

    // Started from the define screen with a planned duration, as the user starts one.
    void startSlice(int64_t seconds)
    {
        store().set("durationInSeconds", seconds);
        if (!machine)
            startUp();
        ASSERT_EQ(current(), helper->defineTimeSliceState());
        machine->triggerTransition("next");
        ASSERT_EQ(current(), helper->timeSliceRunningState());
    }
    // The seconds this run counts in all, as its machine was configured.
    int64_t runLength() { return running().timedStateMachineModule()->stateMachine->config()->workingDuration; }
    void fire(const std::string& transition) { machine->triggerTransition(transition); }

    // The current screen's pop-up entry of that title, run.
    void runEntry(const std::string& title)
    {
        MatchingItemCollector collector(store());
        dynamic_cast<ShellState&>(*current()).collectMatchingItems(collector);
        for (const auto& item : collector.matchingItems()) {
            if (item->preciseMatchingString() == title) {
                item->execute();
                return;
            }
        }
        ADD_FAILURE() << "no entry " << title;
    }
    std::vector<std::string> entryTitles()
    {
        MatchingItemCollector collector(store());
        dynamic_cast<ShellState&>(*current()).collectMatchingItems(collector);
        std::vector<std::string> titles;
        for (const auto& item : collector.matchingItems())
            titles.push_back(item->preciseMatchingString());
        return titles;
    }

    // Today's log file, as the log writer names it.
    std::filesystem::path todaysLogFile() { return Logger::sharedLogger().systemLogBackingStoreDesc()->getPathToCurrentFile(); }
    std::vector<std::shared_ptr<FullTimeSlice>> todaysEntries()
    {
        auto document = text::Rtfd::readFile(todaysLogFile());
        return document ? readFullTimeSlices(document->text) : std::vector<std::shared_ptr<FullTimeSlice>> {};
    }
    void setObjective(const std::string& text)
    {
        model().setObjective(RTFHelper::sharedInstance().rtfdDataFrom(text, gfx::Font::system(13), gfx::colors::white));
    }

    // From now on every alert is recorded and answered with this button (0: the first).
    void answerAlertsWith(int button)
    {
        base::AlertPresenter::install([this, button](const base::AlertRequest& alert) {
            alerts.push_back(alert);
            return base::AlertAnswer { button, false };
        });
    }

    std::shared_ptr<media::RecordingSink> m_sink;
};

}
