#include "breaks/PrepareTimedBreakState.h"

#include "breaks/BreakScreenSupport.h"
#include "breaks/MiniPrepareForBreakDurationTimeIndicatorWall.h"
#include "breaks/PomodoroBreakViewController.h"

#include "states/StateFragmentStackView.h"

#include "drawing/OstrelStyleKit.h"
#include "log/Logger.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"
#include "viewkit/BezierPathUtility.h"
#include "viewkit/CalendarView.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/DataModelBindings.h"
#include "viewkit/DefineDurationTimeIndicatorWall.h"
#include "viewkit/GenericUpdateViewTypeImplementation.h"
#include "viewkit/IntegerTextField.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/TimeBubbleView.h"
#include "viewkit/TitleFragment.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr const char* kStyleKey = "breakDurationControlAlternative";
constexpr const char* kDefaultStyle = "default";
constexpr const char* kPomodoroStyle = "pomodoroStyle";

bool styleIs(const base::Defaults& store, const char* style) { return store.string(kStyleKey) == std::string(style); }

// Sections of one style over [kStyleKey]: hidden while another (or no) style is stored.
HideableFragmentWall::ShouldHideExpression hiddenUnless(std::shared_ptr<base::Defaults> store, const char* style)
{
    return [store, style](const std::vector<std::string>&) { return !styleIs(*store, style); };
}

// Sections of the default style over [their own hiding key, kStyleKey].
HideableFragmentWall::ShouldHideExpression hiddenByKeyOrUnlessDefault(std::shared_ptr<base::Defaults> store)
{
    return [store](const std::vector<std::string>& keys) {
        return store->boolean(keys.front()) || !styleIs(*store, kDefaultStyle);
    };
}

void followStyle(HideableFragmentWall& fragment, std::vector<std::string> keys, std::vector<std::optional<bool>> initialValues,
    HideableFragmentWall::ShouldHideExpression rule)
{
    fragment.setStorageKeys(std::move(keys));
    fragment.setInitialValues(std::move(initialValues));
    fragment.setShouldHideExpression(std::move(rule));
}

}

std::shared_ptr<PrepareTimedBreakState> PrepareTimedBreakState::create(DataModel& model)
{
    std::shared_ptr<PrepareTimedBreakState> screen(new PrepareTimedBreakState(model));
    model.addBreakDurationListener(screen);
    return screen;
}

PrepareTimedBreakState::PrepareTimedBreakState(DataModel& model)
    : ModernUIState(model)
{
    exposeTransition("next", m_next);
    exposeTransition("informalBreak", m_informalBreak);
    exposeTransition("nextTimeSlice", m_nextTimeSlice);
    exposeTransition("welcome", m_welcome);
}

std::shared_ptr<ui::Slider> PrepareTimedBreakState::slider() const { return m_slider; }

void PrepareTimedBreakState::build()
{
    createStackView();
    m_fitWindowToken = BreakScreenSupport::keepShownSectionsInTheWindow(*this);
    buildTitle();
    buildDefaultStyleSections();
    buildPomodoroSections();
    buildLockScreenSection();
    buildOptions();
    buildButtons();
}

void PrepareTimedBreakState::buildTitle()
{
    createAndInstallTitleFragment("Prepare Timed Break");
    auto& title = *titleFragment();
    title.setImage(OstrelStyleKit::imageOfTreeIcon(OstrelStyleKit::prepareRestColor()));
    title.setTint(OstrelStyleKit::prepareRestColor());
    title.addCheckedOption("Hide Ostrel During Timed Break", "shouldHideOnTimedBreakActivation");
    title.addSeparatorItem();
}

void PrepareTimedBreakState::buildDefaultStyleSections()
{
    auto& stack = *fragmentStackView();
    auto store = model().store();
    DataModel* data = &model();

    auto durationLabel = LabelFragment::labelFragment("Duration:", { kStyleKey }, { std::nullopt }, hiddenUnless(store, kDefaultStyle));
    durationLabel->setIsFirstLabel(true);
    durationLabel->alternativeUIButton()->setHidden(false);
    durationLabel->alternativeUIButton()->buttonPressFunction = [data] { data->nextBreakDurationControlAlternative(); };
    stack.addFragment(durationLabel);

    // Made first: the calendar and the bubbles are made for it.
    auto sliderSection = HideableFragmentWall::create();
    sliderSection->setIdentifier("Duration Slider Fragment");
    m_slider = sliderSection->factory().slider([](float value) { return value; }, false, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Top, A::Top).place(A::Bottom, A::Bottom).place(A::Left, A::Left).place(A::Right, A::Right);
    });
    m_slider->setMinValue(2);
    m_slider->setMaxValue(60);
    m_slider->setNumberOfTickMarks(59);
    m_slider->setAllowsTickMarkValuesOnly(true);
    bindBreakDurationInMinutes(model(), *m_slider);
    std::weak_ptr<SliderBrick> weakSlider = m_slider;
    endOfLifeBag().add([weakSlider] {
        if (auto slider = weakSlider.lock())
            unbindBreakDurationInMinutes(*slider);
    });
    followStyle(*sliderSection, { kStyleKey }, { std::nullopt }, hiddenUnless(store, kDefaultStyle));
    setFirstResponder(m_slider);

    m_calendarView = CalendarView::createCalendarView(m_slider);
    m_calendarView->prepare();
    std::weak_ptr<CalendarView> weakCalendar = m_calendarView;
    addUpdatableView(GenericUpdateViewTypeImplementation::create([weakCalendar] {
        if (auto calendar = weakCalendar.lock())
            calendar->updateState();
    }));
    auto calendarSection = HideableFragmentWall::embedViewInHideableFragment(m_calendarView, "hideCalendarEventsInPrepareTimedBreak", false, true);
    followStyle(*calendarSection, { "hideCalendarEventsInPrepareTimedBreak", kStyleKey }, { false, std::nullopt },
        hiddenByKeyOrUnlessDefault(store));
    stack.addFragment(calendarSection);
    stack.addFragment(sliderSection);

    m_bubbleView = TimeBubbleView::createNewTimeBubbleView(m_slider);
    m_bubbleView->setNewDurationFunc = [data](int64_t minutes) { data->setBreakDurationInSeconds(minutes * 60); };
    for (const auto& bubble : m_bubbleView->bubbleViews()) {
        bubble->setHidden(true);
        bubble->setGradient(BezierPathUtility::purpleGradient());
    }
    addUpdatableView(m_bubbleView);
    model().addBreakDurationListener(m_bubbleView);
    auto bubbleSection = HideableFragmentWall::embedViewInHideableFragment(m_bubbleView, "hideBubblesInPrepareTimedBreakState", false, false);
    followStyle(*bubbleSection, { "hideBubblesInPrepareTimedBreakState", kStyleKey }, { false, std::nullopt },
        hiddenByKeyOrUnlessDefault(store));
    stack.addFragment(bubbleSection);

    // In place of the full readout where the user hid it, and never for the Pomodoro style.
    m_miniIndicator = MiniPrepareForBreakDurationTimeIndicatorWall::create(model());
    followStyle(*m_miniIndicator, { "hideDurationAndEndDateForTimedBreak", kStyleKey }, { false, std::nullopt },
        [store](const std::vector<std::string>& keys) { return !store->boolean(keys.front()) || styleIs(*store, kPomodoroStyle); });
    addUpdatableView(m_miniIndicator);
    model().addBreakDurationListener(m_miniIndicator);
    stack.addFragment(m_miniIndicator);

    m_durationIndicatorFragment = DefineDurationTimeIndicatorWall::create();
    m_durationIndicatorFragment->obtainDurationInSecondsFunc = [data] { return static_cast<int32_t>(data->breakDurationInSeconds()); };
    m_durationIndicatorFragment->obtainDurationInMinutesFunc = [data] { return static_cast<int32_t>(data->breakDurationInMinutes()); };
    followStyle(*m_durationIndicatorFragment, { "hideDurationAndEndDateForTimedBreak", kStyleKey }, { false, std::nullopt },
        hiddenByKeyOrUnlessDefault(store));
    addUpdatableView(m_durationIndicatorFragment);
    stack.addFragment(m_durationIndicatorFragment);

    durationLabel->addVisibilityManagedOption("Duration and End Date", "hideDurationAndEndDateForTimedBreak");
    durationLabel->addVisibilityManagedOption("calendar events", "hideCalendarEventsInPrepareTimedBreak");
    durationLabel->addVisibilityManagedOption("quarter hour indicators", "hideBubblesInPrepareTimedBreakState");
}

void PrepareTimedBreakState::buildPomodoroSections()
{
    auto& stack = *fragmentStackView();
    auto store = model().store();
    DataModel* data = &model();

    auto label = LabelFragment::labelFragment("Pomodoro Style Break Durations", { kStyleKey }, { std::nullopt },
        hiddenUnless(store, kPomodoroStyle));
    label->setIsFirstLabel(true);
    label->alternativeUIButton()->setHidden(false);
    label->alternativeUIButton()->buttonPressFunction = [data] { data->nextBreakDurationControlAlternative(); };
    stack.addFragment(label);

    m_pomodoroViewController = PomodoroBreakViewController::create(model());
    auto panel = m_pomodoroViewController->view();
    panel->setTranslatesAutoresizingMaskIntoConstraints(false);
    auto section = HideableFragmentWall::embedViewInHideableFragment(panel, kStyleKey, false, true);
    followStyle(*section, { kStyleKey }, { std::nullopt }, hiddenUnless(store, kPomodoroStyle));
    LayoutConstraintMaker width(*panel);
    width.width(440);
    panel->addConstraints(width.constraints());
    stack.addFragment(section);
}

void PrepareTimedBreakState::buildLockScreenSection()
{
    auto& stack = *fragmentStackView();
    stack.addFragment(LabelFragment::labelFragment("Lock Screen", "lockScreenOption", false));

    auto section = HideableFragmentWall::create("lockScreenOption", false);
    auto row = section->createCenteredWallInside();
    auto& factory = row->factory();
    auto lock = factory.smartCheckBoxButton("Lock Screen During Break", {}, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Top, A::Top).place(A::Bottom, A::Bottom);
    });
    bindLockScreenDuringBreak(model(), *lock);
    std::weak_ptr<CheckBoxBrick> weakLock = lock;
    endOfLifeBag().add([weakLock] {
        if (auto box = weakLock.lock())
            unbindLockScreenDuringBreak(*box);
    });
    factory.helpButton([] { BreakScreenSupport::showHelpPage("lock_screen.html"); }, [&lock](LayoutConstraintMaker& maker) {
        maker.and_(*lock).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
        maker.container().place(A::Right, A::Right);
    });
    stack.addFragment(section);
    titleFragment()->addVisibilityManagedOption("Lock Screen Option", "lockScreenOption");
}

void PrepareTimedBreakState::buildOptions()
{
    setupObjectiveTextView(false, true, true, "Objective for Next Time Slice", "InPrepareTimedBreakState");
    auto& title = *titleFragment();
    title.addVisibilityManagedOption("Objective For Next Time Slice", "objectiveTextFieldInPrepareTimedBreakState");

    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto firing = [weakSelf](const char* transition) {
        return [weakSelf, transition] {
            if (auto self = weakSelf.lock())
                self->fireTransition(transition);
        };
    };

    auto [straight, straightRow] = createOptionFragment("straightToNextTimeSliceOption", false);
    straightRow->factory().pushButton("Go Straight to the Next Time Slice", firing("nextTimeSlice"), [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Top, A::Top).place(A::Left, A::Left).place(A::Right, A::Right).place(A::Bottom, A::Bottom);
    });
    fragmentStackView()->addFragment(straight);
    title.addVisibilityManagedOption("Straight to Next Time Slice Option", "straightToNextTimeSliceOption");

    auto [informal, informalRow] = createOptionFragment("informalBreakOption", false);
    auto& factory = informalRow->factory();
    auto button = factory.pushButton("Have an Informal Break", firing("informalBreak"), [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Top, A::Top).place(A::Left, A::Left).place(A::Bottom, A::Bottom);
    });
    factory.helpButton([] { BreakScreenSupport::showHelpPage("informal_breaks.html"); }, [&button](LayoutConstraintMaker& maker) {
        maker.and_(*button).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
        maker.container().place(A::Right, A::Right);
    });
    fragmentStackView()->addFragment(informal);
    title.addVisibilityManagedOption("Informal Break Option", "informalBreakOption");
}

void PrepareTimedBreakState::buildButtons()
{
    auto& factory = buttonWall()->factory();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto start = factory.pushButton("Start Timed Break", [weakSelf] {
        if (auto self = weakSelf.lock())
            self->fireTransition("next");
    }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0); });
    start->setKeyEquivalent("\r");
    auto hide = factory.pushButton("Hide", [] { BreakScreenSupport::hideApplication(); },
        [&start](LayoutConstraintMaker& maker) { maker.and_(*start).place(A::Right, A::Left).pin(A::CenterY, A::CenterY, 0); });
    hide->setKeyEquivalent("\x1b");
}

void PrepareTimedBreakState::requireBuilt() const
{
    if (!m_pomodoroViewController || !m_slider)
        base::fatal("PrepareTimedBreakState: used before it was built");
}

void PrepareTimedBreakState::activate()
{
    requireBuilt();
    auto store = model().store();
    if (model().shouldAlwaysSkipLogging())
        Logger::sharedLogger().resetActualSecondsWorked();
    // Written only when it reads as neither: a write shows the sections again, which would
    // let the window squeeze them out before it has grown to hold them.
    if (!styleIs(*store, kPomodoroStyle) && !styleIs(*store, kDefaultStyle))
        store->set(kStyleKey, kDefaultStyle);
    ModernUIState::activate();
    updateMenuItem();
    if (auto controller = MainController::sharedInstance(); controller && controller->pseudoAppDelegate())
        controller->pseudoAppDelegate()->makeFront();
    m_pomodoroViewController->update();
    if (model().usePomodoroStyleBreakDurationControl())
        BreakScreenSupport::focus(m_pomodoroViewController->inputField1());
    else
        BreakScreenSupport::focus(m_slider);
}

void PrepareTimedBreakState::valueHasChanged() { updateUpdatableViews(); }

}
