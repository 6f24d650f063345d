#include "states/DefineTimeSliceState.h"

#include "states/DurationSliderViewController.h"
#include "states/MiniDefineDurationTimeIndicatorWall.h"
#include "states/StateFragmentStackView.h"

#include "command/ObjectiveParser.h"
#include "core/StateMachine.h"
#include "drawing/OstrelStyleKit.h"
#include "mainwindow/ObjectiveTextView.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"
#include "viewkit/BezierPathUtility.h"
#include "viewkit/CalendarView.h"
#include "viewkit/DefineDurationTimeIndicatorWall.h"
#include "viewkit/GenericUpdateViewTypeImplementation.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PullDownButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/SmartMenuItem.h"
#include "viewkit/TagTokenField.h"
#include "viewkit/TimeBubbleView.h"
#include "viewkit/TitleFragment.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/Window.h"

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

// The start-with-break lengths the pop-up offers, in its order.
constexpr int64_t kBreakLengths[] = { 2, 5, 10, 15, 20 };

}

std::shared_ptr<DefineTimeSliceState> DefineTimeSliceState::create(DataModel& model)
{
    std::shared_ptr<DefineTimeSliceState> screen(new DefineTimeSliceState(model));
    model.addDurationListener(screen);
    return screen;
}

DefineTimeSliceState::DefineTimeSliceState(DataModel& model)
    : ModernUIState(model)
{
    exposeTransition("next", m_next);
    exposeTransition("timedBreak", m_timedBreak);
    exposeTransition("welcome", m_welcome);
}

DefineTimeSliceState::~DefineTimeSliceState() { stopBringToFrontTimer(); }

std::shared_ptr<ui::Slider> DefineTimeSliceState::slider() const
{
    return m_durationSliderViewController ? m_durationSliderViewController->slider() : nullptr;
}

const base::ActionTable& DefineTimeSliceState::actionTable() const
{
    using S = DefineTimeSliceState;
    static const auto table = base::ActionTable::of<S>(
        {
            { "startTimeSlice:", &S::startTimeSlice },
            { "startTimedBreak:", &S::startTimedBreak },
            { "backToWelcomePage:", &S::backToWelcomePage },
            { "parseObjective:", &S::parseObjective },
            { "parseClipboard:", &S::parseClipboard },
            { "selectTagTokenField:", &S::selectTagTokenField },
            { "selectObjectiveField:", &S::selectObjectiveField },
            { "changeDuration:", &S::changeDuration },
            { "addOneMinute:", &S::addOneMinute },
            { "subtractOneMinute:", &S::subtractOneMinute },
        },
        &ModernUIState::actionTable());
    return table;
}

void DefineTimeSliceState::build()
{
    addApplicationCallbacks();

    createStackView();
    createAndInstallTitleFragment("Define Time Slice");
    auto& title = *titleFragment();
    title.setImage(OstrelStyleKit::imageOfTargetIcon(OstrelStyleKit::prepareWorkingColor()));
    title.setTint(OstrelStyleKit::prepareWorkingColor());
    title.addCheckedOption("Bring to Front After 5 Minutes of Inactivity", "automaticallyBringDefineTimeSliceToFrontAfterInactivity");
    title.addCheckedOption("Bring to Front After 1 Hour", "automaticallyBringDefineTimeSliceToFrontAfterOneHour", false);
    title.addCheckedOption("Bring to Front After Breakfast", "automaticallyBringDefineTimeSliceToFrontAfterBreakfast", false);
    title.addCheckedOption("Bring to Front After Lunch", "automaticallyBringDefineTimeSliceToFrontAfterLunch", false);
    title.addSeparatorItem();
    title.addCheckedOption("Hide Ostrel During Time Slice", "shouldHideOnTimeSliceRunningActivation");
    title.addSeparatorItem();

    setupObjectiveTextView(true, true, true, std::nullopt, "");
    buildDurationFragments();
    buildStartWithBreakFragment();
    title.addVisibilityManagedOption("Start With a Timed Break Option", "startWithBreakOption");
    buildButtons();
}

void DefineTimeSliceState::addApplicationCallbacks()
{
    auto& delegate = smartDelegate();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    delegate.willBecomeActiveCallbackList.push_back([weakSelf](SmartAppDelegate&, const ui::Notification&) {
        if (auto self = std::static_pointer_cast<DefineTimeSliceState>(weakSelf.lock()))
            self->stopBringToFrontTimer();
    });
    delegate.didResignActiveCallbackList.push_back([weakSelf](SmartAppDelegate&, const ui::Notification&) {
        if (auto self = std::static_pointer_cast<DefineTimeSliceState>(weakSelf.lock()))
            self->automaticallyBringToTheFrontWhenAppropriate();
    });
    watchBringToFrontSwitches();
}

void DefineTimeSliceState::buildDurationFragments()
{
    auto& stack = *fragmentStackView();
    auto durationLabel = LabelFragment::labelFragment("Duration:");
    stack.addFragment(durationLabel);

    m_durationSliderViewController = DurationSliderViewController::create(model(), false);
    auto slider = m_durationSliderViewController->slider();
    std::weak_ptr<DurationSliderViewController> weakController = m_durationSliderViewController;
    m_timeScaleListener = model().timeSliceTimeScale->addHotListener([weakController](const TimeScale& scale) {
        if (auto controller = weakController.lock())
            controller->configure(ObjectiveParser::longestDuration(scale));
    });

    m_calendarView = CalendarView::createCalendarView(slider);
    m_calendarView->prepare();
    std::weak_ptr<CalendarView> weakCalendar = m_calendarView;
    addUpdatableView(GenericUpdateViewTypeImplementation::create([weakCalendar] {
        if (auto calendar = weakCalendar.lock())
            calendar->updateState();
    }));
    stack.addFragment(HideableFragmentWall::embedViewInHideableFragment(m_calendarView, "hideCalendarEvents", false, true));

    // Not hideable: the duration can always be set.
    auto sliderView = m_durationSliderViewController->view();
    sliderView->setTranslatesAutoresizingMaskIntoConstraints(false);
    stack.addArrangedSubview(sliderView);

    m_bubbleView = TimeBubbleView::createNewTimeBubbleView(slider);
    for (const auto& bubble : m_bubbleView->bubbleViews()) {
        bubble->setHidden(true);
        bubble->setGradient(BezierPathUtility::purpleGradient());
    }
    addUpdatableView(m_bubbleView);
    model().addDurationListener(m_bubbleView);
    stack.addFragment(HideableFragmentWall::embedViewInHideableFragment(m_bubbleView, "hideBubbles", false, false));

    auto mini = MiniDefineDurationTimeIndicatorWall::create(model());
    addUpdatableView(mini);
    model().addDurationListener(mini);
    stack.addFragment(mini);

    m_durationIndicatorFragment = DefineDurationTimeIndicatorWall::create("hideDurationAndEndDate", false);
    addUpdatableView(m_durationIndicatorFragment);
    stack.addFragment(m_durationIndicatorFragment);

    durationLabel->addVisibilityManagedOption("calendar events", "hideCalendarEvents");
    durationLabel->addVisibilityManagedOption("quarter hour indicators", "hideBubbles");
    durationLabel->addVisibilityManagedOption("duration and end date", "hideDurationAndEndDate");
    durationLabel->addSeparatorItem();
    addTimeScale(*durationLabel, model().timeSliceTimeScale);
}

void DefineTimeSliceState::buildStartWithBreakFragment()
{
    auto [fragment, row] = createOptionFragment("startWithBreakOption", false);
    auto store = model().store();
    store->registerDefaults({ { "startWithBreakDurationInMinutes", 1 } });
    store->synchronize();

    auto& factory = row->factory();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto startButton = factory.pushButton("Start with a Timed Break", [weakSelf] {
        if (auto self = std::static_pointer_cast<DefineTimeSliceState>(weakSelf.lock()))
            self->internalStartTimedBreak();
    }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Top, A::Top).place(A::Left, A::Left).place(A::Bottom, A::Bottom); });

    auto lengths = factory.popupButton([startButton](LayoutConstraintMaker& maker) {
        maker.and_(*startButton).place(A::Left, A::Right).pin(A::FirstBaseline, A::FirstBaseline, 0);
    });
    lengths->setBezelStyle(ui::BezelStyle::Borderless);
    int selected = 0;
    int64_t stored = store->integer("startWithBreakDurationInMinutes");
    for (int index = 0; index < int(std::size(kBreakLengths)); ++index) {
        int64_t minutes = kBreakLengths[index];
        lengths->menu()->addItem(SmartMenuItem::create("of " + std::to_string(minutes) + " minutes", [store, minutes] {
            store->set("startWithBreakDurationInMinutes", minutes);
            store->synchronize();
        }));
        // 2, 1 and every value not offered show the first entry.
        if (minutes == stored)
            selected = index;
    }
    lengths->selectItemAt(selected);

    auto lockScreen = factory.pullDownButtonBrick("", [lengths](LayoutConstraintMaker& maker) {
        maker.and_(*lengths).place(A::Left, A::Right).pin(A::FirstBaseline, A::FirstBaseline, 0);
        maker.container().place(A::Right, A::Right);
    });
    lockScreen->setBezelStyle(ui::BezelStyle::Borderless);
    lockScreen->setControlSize(ui::ControlSize::Mini);
    lockScreen->menu()->addItem(SmartMenuItem::create(
        "Lock Screen", [store] {
            store->set("lockScreenDuringBreak", !store->boolean("lockScreenDuringBreak"));
            store->synchronize();
        },
        [store](ui::MenuItem& item) {
            item.setState(store->boolean("lockScreenDuringBreak") ? ui::ControlStateValue::On : ui::ControlStateValue::Off);
        }));
    fragmentStackView()->addFragment(fragment);
}

void DefineTimeSliceState::buildButtons()
{
    auto& factory = buttonWall()->factory();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    m_continueButton = factory.pushButton("Start Time Slice", [weakSelf] {
        if (auto self = std::static_pointer_cast<DefineTimeSliceState>(weakSelf.lock()))
            self->startTimeSlice();
    }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0); });
    m_continueButton->setKeyEquivalent("\r");
    auto start = m_continueButton;
    auto hide = factory.pushButton("Hide", [] {
        if (auto controller = MainController::sharedInstance())
            controller->hide();
    }, [start](LayoutConstraintMaker& maker) { maker.and_(*start).place(A::Right, A::Left).pin(A::CenterY, A::CenterY, 0); });
    hide->setKeyEquivalent("\x1b");
}

void DefineTimeSliceState::activate()
{
    ModernUIState::activate();
    updateMenuItem();
    selectObjectiveText();
    m_lunchBreakTransitionAlreadyTriggeredOnce = false;
    m_breakfastTransitionAlreadyTriggeredOnce = false;
    if (!m_continueButton)
        base::fatal("DefineTimeSliceState: activated before it was built");
    m_continueButton->setEnabled(true);
    internalBringToFront();
}

void DefineTimeSliceState::deactivate()
{
    stopBringToFrontTimer();
    ModernUIState::deactivate();
}

void DefineTimeSliceState::selectObjectiveText()
{
    if (auto& text = objectiveTextView())
        text->selectAll();
}

void DefineTimeSliceState::startTimeSlice(const base::Sender&) { fireTransition("next"); }

void DefineTimeSliceState::startTimedBreak(const base::Sender&) { internalStartTimedBreak(); }

void DefineTimeSliceState::backToWelcomePage(const base::Sender&) { fireTransition("welcome"); }

void DefineTimeSliceState::internalStartTimedBreak()
{
    int64_t minutes = model().store()->integer("startWithBreakDurationInMinutes");
    model().oneTimeOnlyBreakDuration = minutes * 60;
    model().useOneTimeOnlyBreakDurationThisTimeOnly = true;
    fireTransition("timedBreak");
}

void DefineTimeSliceState::parseObjective(const base::Sender&)
{
    ObjectiveParser::shared().parseObjectiveField(model().objectiveData(), *model().store());
}

void DefineTimeSliceState::parseClipboard(const base::Sender&)
{
    ObjectiveParser::shared().parseClipboard(pasteboardItems(ui::Pasteboard::general()), *model().store());
}

void DefineTimeSliceState::selectTagTokenField(const base::Sender&)
{
    auto store = model().store();
    if (store->boolean("hideTagEditor")) {
        store->set("hideTagEditor", false);
        store->synchronize();
    }
    auto& field = tagTokenField();
    if (auto* window = field ? field->window() : nullptr)
        window->makeFirstResponder(field.get());
}

void DefineTimeSliceState::selectObjectiveField(const base::Sender&)
{
    auto& text = objectiveTextView();
    if (auto* window = text ? text->window() : nullptr)
        window->makeFirstResponder(text.get());
}

void DefineTimeSliceState::addOneMinute(const base::Sender&)
{
    // Read through the model, which keeps a damaged setting within a day.
    int64_t seconds = model().durationInSeconds();
    if (seconds > 3599)
        return;
    model().store()->set("durationInSeconds", seconds / 60 * 60 + 60);
}

void DefineTimeSliceState::subtractOneMinute(const base::Sender&)
{
    int64_t seconds = model().durationInSeconds();
    if (seconds < 180)
        return;
    model().store()->set("durationInSeconds", seconds / 60 * 60 - 60);
}

void DefineTimeSliceState::valueHasChanged() { updateUpdatableViews(); }

}
