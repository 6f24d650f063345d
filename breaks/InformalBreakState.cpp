#include "breaks/InformalBreakState.h"

#include "breaks/BreakScreenSupport.h"

#include "states/StateFragmentStackView.h"

#include "command/MatchingItemCollector.h"
#include "core/Clock.h"
#include "drawing/OstrelStyleKit.h"
#include "mainwindow/ObjectiveTextView.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/DataModelBindings.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PullDownButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/TagTokenField.h"
#include "viewkit/TitleFragment.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/TextField.h"

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr uint32_t kCommand = CarbonModifier::command;
constexpr double kCheckInterval = 0.1;

}

std::shared_ptr<InformalBreakState> InformalBreakState::create(DataModel& model)
{
    return std::shared_ptr<InformalBreakState>(new InformalBreakState(model));
}

InformalBreakState::InformalBreakState(DataModel& model)
    : ModernUIState(model)
{
    exposeTransition("next", m_next);
    exposeTransition("welcome", m_welcome);
}

const base::ActionTable& InformalBreakState::actionTable() const
{
    using S = InformalBreakState;
    static const auto table = base::ActionTable::of<S>(
        {
            { "startTimeSlice:", &S::startTimeSlice },
            { "backToWelcomePage:", &S::backToWelcomePage },
            { "parseObjective:", &S::parseObjective },
            { "parseClipboard:", &S::parseClipboard },
            { "selectObjectiveField:", &S::selectObjectiveField },
            { "selectTagTokenField:", &S::selectTagTokenField },
        },
        &ModernUIState::actionTable());
    return table;
}

void InformalBreakState::build()
{
    createStackView();
    m_fitWindowToken = BreakScreenSupport::keepShownSectionsInTheWindow(*this);
    createAndInstallTitleFragment("On Informal Break...");
    auto& title = *titleFragment();
    title.setImage(OstrelStyleKit::imageOfCoffeeCupIcon(OstrelStyleKit::prepareRestColor()));
    title.setTint(OstrelStyleKit::prepareRestColor());
    setupObjectiveTextView(true, true, true, std::nullopt, "InInformalBreakState");
    buildAutomaticEndSection();
    buildButtons();
}

void InformalBreakState::buildAutomaticEndSection()
{
    auto& stack = *fragmentStackView();
    auto label = LabelFragment::labelFragment("Automatically End Informal Break Feature", "automaticEndToInformalBreak", false);
    auto& labelFactory = label->factory();
    auto help = labelFactory.helpButton([] { BreakScreenSupport::showHelpPage("automatically_bring_to_front.html"); },
        [&label](LayoutConstraintMaker& maker) {
            // At the bar's right end: the heading's text is drawn over the whole bar.
            maker.container().pin(A::CenterY, A::CenterY, 0);
            maker.and_(*label->wheelButton()).pin(A::Right, A::Left, 0);
        });
    help->setControlSize(ui::ControlSize::Small);
    stack.addFragment(label);

    auto switches = Wall::create();
    switches->setTranslatesAutoresizingMaskIntoConstraints(false);
    auto& factory = switches->factory();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    m_endAutomaticallyAfterAnHourCheckbox = factory.smartCheckBoxButton("in an hour", [weakSelf](bool on) {
        // A click (not the setting itself) starts the hour and its grace afresh.
        auto self = std::static_pointer_cast<InformalBreakState>(weakSelf.lock());
        if (self && on)
            self->m_automaticTransitionInitiatedTime = Clock::now();
    }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Top, A::Top).place(A::Left, A::Left); });
    auto below = [&factory](std::shared_ptr<CheckBoxBrick>& above, const char* title, bool last) {
        return factory.smartCheckBoxButton(title, {}, [&above, last](LayoutConstraintMaker& maker) {
            maker.and_(*above).place(A::Top, A::Bottom).pin(A::Left, A::Left, 0);
            if (last)
                maker.container().place(A::Bottom, A::Bottom);
        });
    };
    m_endAfterInactivityCheckbox = below(m_endAutomaticallyAfterAnHourCheckbox, "after 5 minutes of inactivity", false);
    m_endForBreakfastCheckbox = below(m_endAfterInactivityCheckbox, "to be ready for tomorrow morning", false);
    m_endForLunchCheckbox = below(m_endForBreakfastCheckbox, "when I get back from lunch", true);
    m_timeRemainingLabel = factory.label("", [this](LayoutConstraintMaker& maker) {
        maker.and_(*m_endAutomaticallyAfterAnHourCheckbox).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
    });
    m_inactiveTimeLeftLabel = factory.label("", [this](LayoutConstraintMaker& maker) {
        maker.and_(*m_endAfterInactivityCheckbox).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
        maker.container().place(A::Right, A::Right);
    });
    // Small, so that "(No activity for 4 minutes 59 seconds)" fits beside its switch.
    for (auto* label : { m_timeRemainingLabel.get(), m_inactiveTimeLeftLabel.get() }) {
        label->setFont(gfx::Font::system(gfx::Font::labelFontSize));
        label->setTextColor(ui::ControlLook::kSecondaryText);
    }
    LayoutConstraintMaker width(*switches);
    width.minWidth(400);
    switches->addConstraints(width.constraints());

    bindEndInformalBreakAutomatically(model(), *m_endAutomaticallyAfterAnHourCheckbox);
    bindEndInformalBreakAutomaticallyAfterInactivity(model(), *m_endAfterInactivityCheckbox);
    bindEndInformalBreakForBreakfast(model(), *m_endForBreakfastCheckbox);
    bindEndInformalBreakForLunch(model(), *m_endForLunchCheckbox);
    std::weak_ptr<CheckBoxBrick> hour = m_endAutomaticallyAfterAnHourCheckbox;
    std::weak_ptr<CheckBoxBrick> inactivity = m_endAfterInactivityCheckbox;
    std::weak_ptr<CheckBoxBrick> breakfast = m_endForBreakfastCheckbox;
    std::weak_ptr<CheckBoxBrick> lunch = m_endForLunchCheckbox;
    endOfLifeBag().add([hour, inactivity, breakfast, lunch] {
        if (auto box = hour.lock())
            unbindEndInformalBreakAutomatically(*box);
        if (auto box = inactivity.lock())
            unbindEndInformalBreakAutomaticallyAfterInactivity(*box);
        if (auto box = breakfast.lock())
            unbindEndInformalBreakForBreakfast(*box);
        if (auto box = lunch.lock())
            unbindEndInformalBreakForLunch(*box);
    });

    stack.addFragment(HideableFragmentWall::embedViewInHideableFragment(switches, "automaticEndToInformalBreak", false, true));
    titleFragment()->addVisibilityManagedOption("Automatically End Informal Break Options", "automaticEndToInformalBreak");
}

void InformalBreakState::buildButtons()
{
    auto& factory = buttonWall()->factory();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto next = factory.pushButton("Go to Next Time Slice", [weakSelf] {
        if (auto self = weakSelf.lock())
            self->fireTransition("next");
    }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0); });
    next->setKeyEquivalent("\r");
    auto hide = factory.pushButton("Hide", [] { BreakScreenSupport::hideApplication(); },
        [&next](LayoutConstraintMaker& maker) { maker.and_(*next).place(A::Right, A::Left).pin(A::CenterY, A::CenterY, 0); });
    hide->setKeyEquivalent("\x1b");
}

void InformalBreakState::activate()
{
    if (!m_endForLunchCheckbox)
        base::fatal("InformalBreakState: activated before it was built");
    ModernUIState::activate();
    m_automaticTransitionInitiatedTime = Clock::now();
    stopTimer();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    m_automaticTransitionTimer = Clock::timerWithSystemTimeInterval(kCheckInterval, true, [weakSelf](base::Timer&) {
        if (auto self = std::static_pointer_cast<InformalBreakState>(weakSelf.lock()))
            self->checkForAutomaticEnd();
    });
    if (auto& text = objectiveTextView())
        text->selectAll();
}

void InformalBreakState::deactivate()
{
    ModernUIState::deactivate();
    stopTimer();
}

void InformalBreakState::stopTimer()
{
    if (m_automaticTransitionTimer)
        m_automaticTransitionTimer->stop();
    m_automaticTransitionTimer.reset();
}

void InformalBreakState::startTimeSlice(const base::Sender&) { fireTransition("next"); }

void InformalBreakState::backToWelcomePage(const base::Sender&) { fireTransition("welcome"); }

void InformalBreakState::parseObjective(const base::Sender&) { BreakScreenSupport::parseObjective(*this); }

void InformalBreakState::parseClipboard(const base::Sender&) { BreakScreenSupport::parseClipboard(*this); }

void InformalBreakState::selectObjectiveField(const base::Sender&) { BreakScreenSupport::focus(objectiveTextView()); }

void InformalBreakState::selectTagTokenField(const base::Sender&)
{
    BreakScreenSupport::revealAndFocus(*model().store(), { "hideTagEditorInInformalBreakState" }, tagTokenField());
}

void InformalBreakState::collectMatchingItems(MatchingItemCollector& collector)
{
    auto with = [this](void (InformalBreakState::*action)(const base::Sender&)) { return BreakScreenSupport::command(*this, action); };
    collector.addDefaultChoice("Go to Next Time Slice", KeyCombo(36, kCommand), with(&InformalBreakState::startTimeSlice));
    collectMatchingItemsForTextEditor(collector, "InInformalBreakState");
    collector.addNavigationItem("Focus Tag Field", KeyCombo(17, kCommand), with(&InformalBreakState::selectTagTokenField));
    collector.addNavigationItem("Focus Objective Field", KeyCombo(31, kCommand), with(&InformalBreakState::selectObjectiveField));
    collector.addStateOptionsGroup();
    collector.addVisibilityStateSetting("Show Autom. End Informal Break Options", "automaticEndToInformalBreak");
    collector.addOnOffStateSetting("End Break in an Hour", "endInformalBreakAutomatically");
    collector.addOnOffStateSetting("End Break After 5 Minutes of Inactivity", "endInformalBreakAutomaticallyAfterInactivity");
    collector.addOnOffStateSetting("End Break to be Ready for Tomorrow Morning", "endInformalBreakForBreakfast");
    collector.addOnOffStateSetting("End Break When I get Back from Lunch", "endInformalBreakForLunch");
    collector.addMiscActionItem("Re-Run Profile Selection", std::nullopt, with(&InformalBreakState::backToWelcomePage));
}

}
