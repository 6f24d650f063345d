#include "SliceScreensFixture.h"

#include "states/StateFragmentStackView.h"

#include "command/ActionMatchingItem.h"
#include "log/LogFileManager.h"
#include "mainwindow/ObjectiveTextView.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PushButtonBrick.h"

#include "platform/base/Files.h"
#include "platform/ui/StackView.h"

#include <algorithm>

namespace ostrel::test {

namespace {

namespace fs = std::filesystem;

class RateTimeSliceStateTest : public SliceScreensTest {
protected:
    // A slice of `planned` seconds ended by the user after `worked` of them.
    void rateAfter(int64_t planned, double seconds)
    {
        startSlice(planned);
        wait(seconds);
        running().stopTimeSlice({});
        ASSERT_EQ(current(), helper->rateTimeSliceState());
    }
    PushButtonBrick* button(const std::string& title)
    {
        for (auto* found : viewsOf<PushButtonBrick>(*rate().infoWall()))
            if (found->title() == title)
                return found;
        return nullptr;
    }
    PopUpButtonBrick* extensionLengths()
    {
        for (auto* popUp : viewsOf<PopUpButtonBrick>(*rate().infoWall()))
            if (popUp->numberOfItems() == 4 && popUp->itemAt(0)->title() == "for 1 minute")
                return popUp;
        return nullptr;
    }
    // Hidden fragments leave the view tree: they are looked for among the stack's own.
    bool shown(const std::string& identifier)
    {
        auto& stack = *rate().fragmentStackView();
        for (const auto& fragment : stack.arrangedSubviews())
            if (fragment->identifier() == identifier)
                return stack.visibilityPriority(fragment.get()) != ui::VisibilityPriority::NotVisible;
        ADD_FAILURE() << "no fragment " << identifier;
        return false;
    }
    ActionMatchingItem* entry(const std::string& title)
    {
        MatchingItemCollector collector(store());
        rate().collectMatchingItems(collector);
        for (const auto& item : collector.matchingItems())
            if (item->preciseMatchingString() == title) {
                m_keptEntries.push_back(item);
                return dynamic_cast<ActionMatchingItem*>(item.get());
            }
        return nullptr;
    }
    std::vector<std::shared_ptr<MatchingItem>> m_keptEntries;
};

TEST_F(RateTimeSliceStateTest, WithoutAWorkedSecondLogWritesNothingResetsNothingAndMovesOn)
{
    startSlice(900);
    running().add(1);
    running().stopTimeSlice({});
    rate().internalContinue();
    EXPECT_EQ(current(), helper->prepareTimedBreakState());
    EXPECT_FALSE(base::files::exists(todaysLogFile()));
    EXPECT_EQ(extension(), 60);

    fire("nextTimeSlice");
    store().set("shouldAlwaysSkipAllBreaks", true);
    startSlice(900);
    running().stopTimeSlice({});
    rate().internalContinue();
    EXPECT_EQ(current(), helper->defineTimeSliceState());
}

TEST_F(RateTimeSliceStateTest, SkippingAllBreaksLogsOnceAndGoesStraightToTheNextSlice)
{
    store().set("shouldAlwaysSkipAllBreaks", true);
    rateAfter(900, 42);
    rate().internalContinue();
    EXPECT_EQ(current(), helper->defineTimeSliceState());
    auto entries = todaysEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0]->actualDuration(), 42);
    EXPECT_EQ(worked(), 0);
}

TEST_F(RateTimeSliceStateTest, AnExtensionRunsExactlyItsMinutesWhenEndedEarlyOrOnTime)
{
    rateAfter(1500, 600);
    runEntry("Extend Time Slice by 5 minutes");
    EXPECT_EQ(extension(), -600);
    ASSERT_EQ(current(), helper->timeSliceRunningState());
    EXPECT_EQ(runLength(), 300);
    EXPECT_EQ(worked(), 600);
    running().stopTimeSlice({});
    answerAlertsWith(0);
    rate().internalDoNotLogWithAlertDialog();
    fire("nextTimeSlice");

    startSlice(1500);
    wait(1500);
    ASSERT_EQ(current(), helper->rateTimeSliceState());
    rate().internalExtend(10);
    EXPECT_EQ(extension(), 600);
    EXPECT_EQ(runLength(), 600);
    wait(600);
    ASSERT_EQ(current(), helper->rateTimeSliceState());
    rate().internalContinue();
    auto entries = todaysEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0]->actualDuration(), 2100);
    EXPECT_EQ(entries[0]->duration(), 1500);
}

TEST_F(RateTimeSliceStateTest, ContinueWorkingExtendsByTheStoredMinutesWhateverThePopUpShows)
{
    store().set("timeSliceExtensionDurationInMinutes", 3);
    startUp();
    ASSERT_TRUE(extensionLengths());
    EXPECT_EQ(extensionLengths()->titleOfSelectedItem(), "for 1 minute");
    rateAfter(900, 100);
    button("Continue Working")->performClick();
    EXPECT_EQ(runLength(), 180);

    running().stopTimeSlice({});
    auto& menu = *extensionLengths()->menu();
    menu.performActionForItemAt(static_cast<std::size_t>(menu.indexOfItemWithTitle("for 2 minutes")));
    EXPECT_EQ(store().integer("timeSliceExtensionDurationInMinutes"), 2);
    button("Continue Working")->performClick();
    EXPECT_EQ(runLength(), 120);
    EXPECT_EQ(worked(), 100);
}

TEST_F(RateTimeSliceStateTest, SkippingTheLogAsksFirstAndThenDropsTheSlice)
{
    rateAfter(900, 60);
    model().setCurrentTimeSliceExtensionDuration(120);
    answerAlertsWith(1);
    rate().internalDoNotLogWithAlertDialog();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Are you sure you do not want the time spent to be logged in any way?");
    EXPECT_EQ(current(), helper->rateTimeSliceState());
    EXPECT_EQ(worked(), 60);
    EXPECT_EQ(extension(), 120);

    answerAlertsWith(0);
    rate().internalDoNotLogWithAlertDialog();
    EXPECT_EQ(current(), helper->prepareTimedBreakState());
    EXPECT_EQ(worked(), 0);
    EXPECT_EQ(extension(), 0);
    EXPECT_FALSE(base::files::exists(todaysLogFile()));
}

TEST_F(RateTimeSliceStateTest, TheDefaultsShowACompletedSliceWithPrimingAndEveryOption)
{
    rateAfter(900, 10);
    EXPECT_EQ(rate().completedCheckbox()->state(), ui::ControlStateValue::On);
    EXPECT_TRUE(shown("Prime Your Mind for the Next Task Fragment"));
    EXPECT_FALSE(shown("Leave Breadcrumbs for Resuming the Task Later Fragment"));
    ASSERT_TRUE(extensionLengths());
    EXPECT_EQ(extensionLengths()->titleOfSelectedItem(), "for 1 minute");
    EXPECT_TRUE(button("Continue Working") && !button("Continue Working")->isHiddenOrHasHiddenAncestor());
    EXPECT_TRUE(button("Skip Logging"));

    // The box swaps the two groups at once; with its option on, breadcrumbs stay away.
    rate().completedCheckbox()->performClick();
    EXPECT_FALSE(store().boolean("completed"));
    EXPECT_TRUE(shown("Leave Breadcrumbs for Resuming the Task Later Fragment"));
    EXPECT_FALSE(shown("Prime Your Mind for the Next Task Fragment"));
    store().set("breadcrumbsOption", true);
    EXPECT_FALSE(shown("Leave Breadcrumbs for Resuming the Task Later Fragment"));
    EXPECT_FALSE(shown("Prime Your Mind for the Next Task Fragment"));
}

TEST_F(RateTimeSliceStateTest, SectionsShownAgainByTheirSettingsStayInTheWindowWhenTheScreenComes)
{
    // As the wizard's balanced interface writes them, the screens built: each section's
    // setting says "show", and the window keeps to what it shows.
    store().set("windowCompressionMode", int64_t(WindowCompressionMode::always));
    startUp();
    for (const char* key : { "breadcrumbsOption", "primingOption", "doNotLogOption", "extendTimeSliceFragmentOptionInRateTimeSliceStep" })
        store().set(key, true);
    for (const char* key : { "breadcrumbsOption", "primingOption", "doNotLogOption", "extendTimeSliceFragmentOptionInRateTimeSliceStep" })
        store().set(key, false);
    rateAfter(900, 10);
    window().layoutIfNeeded();
    drain();
    window().layoutIfNeeded();
    auto& stack = *rate().fragmentStackView();
    auto attached = [&](const std::string& identifier) {
        for (const auto& fragment : stack.arrangedSubviews())
            if (fragment->identifier() == identifier)
                return fragment->superview() == &stack;
        ADD_FAILURE() << "no fragment " << identifier;
        return false;
    };
    EXPECT_TRUE(attached("Prime Your Mind for the Next Task Fragment"));
    EXPECT_TRUE(button("Insert Priming Template") && !button("Insert Priming Template")->isHiddenOrHasHiddenAncestor());
    EXPECT_TRUE(button("Continue Working") && button("Continue Working")->window()) << "the extension";
    EXPECT_TRUE(button("Skip Logging") && button("Skip Logging")->window());
}

TEST_F(RateTimeSliceStateTest, ThePopUpOffersTheTemplateShownAndSetsTheFocusWithItsKeys)
{
    rateAfter(900, 10);
    EXPECT_TRUE(entry("Add Priming Template"));
    EXPECT_FALSE(entry("Add Breadcrumb Template"));
    entry("Mark as Incomplete")->execute();
    EXPECT_FALSE(model().completed());
    EXPECT_TRUE(entry("Add Breadcrumb Template"));

    const std::pair<const char*, uint32_t> levels[] = { { "Mark as Having Been Distracted", 0x1D }, { "Mark as Having Had Good Focus", 0x12 },
        { "Mark as Having Been Highly Focused", 0x13 }, { "Mark as Having Experienced Flow", 0x14 } };
    for (int level = 0; level < 4; ++level) {
        auto* item = entry(levels[level].first);
        ASSERT_TRUE(item);
        EXPECT_EQ(item->keyCombo(), KeyCombo(levels[level].second, 0x1200)) << "Control-Shift-" << level;
        item->execute();
        EXPECT_EQ(model().focusRating(), level);
        EXPECT_EQ(rate().focusPopUpButton()->indexOfSelectedItem(), level);
    }
    EXPECT_EQ(entry("Log Time Slice")->keyCombo(), KeyCombo(0x24, 0x100));
}

TEST_F(RateTimeSliceStateTest, TheObjectiveTakesTypingOnlyTwoSecondsAfterTheScreenShows)
{
    setObjective("Draft the report");
    rateAfter(900, 10);
    auto& text = *rate().objectiveTextView();
    EXPECT_FALSE(text.isEditable());
    window().makeFirstResponder(&text);
    type("x");
    EXPECT_EQ(text.string(), "Draft the report");
    wait(2);
    EXPECT_TRUE(text.isEditable());
    EXPECT_EQ(text.selectedRange().length, text.string().size());

    store().set("disableObjectiveEditingForTwoSecondsAfterActivation", false);
    rate().internalExtend(1);
    running().stopTimeSlice({});
    EXPECT_TRUE(text.isEditable());
    EXPECT_EQ(text.selectedRange().length, text.string().size());
}

TEST_F(RateTimeSliceStateTest, TheWeeklyStatisticOpensOnlyBesideAnOpenPad)
{
    store().set("rateTimeSliceStateAutomaticallySwitchToWeeklyStatistic", true);
    store().set("currentlyDisplayedStatistic", 3);
    startUp();
    mainWindowController().closeAllPads();
    rateAfter(900, 10);
    EXPECT_TRUE(mainWindowController().areAllPadsClosed());
    EXPECT_EQ(store().integer("currentlyDisplayedStatistic"), 3);

    rate().internalExtend(1);
    mainWindowController().showPad("nowPadHidden");
    running().stopTimeSlice({});
    EXPECT_FALSE(store().boolean("statsPadHidden"));
    EXPECT_TRUE(store().boolean("nowPadHidden"));
    EXPECT_EQ(store().integer("currentlyDisplayedStatistic"), 0);
}

TEST_F(RateTimeSliceStateTest, FailedAppendKeepsTheSlice)
{
    setObjective("Write the chapter");
    startSlice(900);
    running().add(2);
    wait(30);
    running().stopTimeSlice({});
    double startDate = Logger::sharedLogger().startDate();
    auto dataSet = std::make_shared<FullDataSet>();
    LogFileManager::sharedInstance().setCurrentFullDataSet(dataSet);

    // Today's file cut short, as a crash or a sync under way leaves it: the store will not
    // write an entry that would bury what it cannot read.
    fs::path today = todaysLogFile();
    ASSERT_TRUE(text::Rtfd::writeFile(today, text::AttributedString::fromUtf8("an earlier day's work\n")));
    fs::path rtf = today / "TXT.rtf";
    std::string whole = *base::files::readBytes(rtf, 1 << 20);
    ASSERT_TRUE(base::files::writeAtomically(rtf, whole.substr(0, whole.size() - 8)));

    rate().internalContinue();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Could not write to log file folder!");
    EXPECT_EQ(current(), helper->rateTimeSliceState());
    EXPECT_EQ(worked(), 30);
    EXPECT_EQ(extension(), 120);
    EXPECT_EQ(Logger::sharedLogger().startDate(), startDate);
    EXPECT_NE(FullFeaturedStatisticsManager::sharedInstance()->fullData(), dataSet) << "no data set taken up again";
    rate().internalStraightToNextTimeSlice();
    EXPECT_EQ(current(), helper->rateTimeSliceState());
    EXPECT_EQ(alerts.size(), 2u);

    fs::remove_all(today);
    rate().internalContinue();
    EXPECT_EQ(current(), helper->prepareTimedBreakState());
    auto entries = todaysEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0]->actualDuration(), 30);
    EXPECT_EQ(entries[0]->objective(), "Write the chapter");
    EXPECT_EQ(worked(), 0);
    EXPECT_EQ(extension(), 0);
    EXPECT_EQ(FullFeaturedStatisticsManager::sharedInstance()->fullData(), dataSet);
}

}

}
