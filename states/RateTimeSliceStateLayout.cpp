#include "states/RateTimeSliceState.h"

#include "states/HelpHook.h"
#include "states/ScreenCommands.h"
#include "states/StateFragmentStackView.h"

#include "drawing/OstrelStyleKit.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/DataModelBindings.h"
#include "viewkit/FragmentWall.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SmartMenuItem.h"
#include "viewkit/TitleFragment.h"

#include "platform/base/Defaults.h"

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr const char* kBreadcrumbsOption = "breadcrumbsOption";
constexpr const char* kPrimingOption = "primingOption";
constexpr const char* kExtensionOption = "extendTimeSliceFragmentOptionInRateTimeSliceStep";
constexpr const char* kDoNotLogOption = "doNotLogOption";
constexpr const char* kExtensionMinutes = "timeSliceExtensionDurationInMinutes";

// The extension lengths the pop-up offers, in its order.
constexpr int64_t kExtensionLengths[] = { 1, 2, 5, 10 };

std::function<void()> showHelp(std::string page)
{
    return [page] { HelpHook::showPage(page, false); };
}

// A centred row of one button and a help button, the way the template fragments show them.
void addButtonWithHelp(Wall& wall, const std::string& title, std::function<void()> action, const std::string& helpPage)
{
    auto& factory = wall.factory();
    auto row = factory.wall(std::nullopt, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::CenterX, A::CenterX, 0).place(A::Top, A::Top).place(A::Bottom, A::Bottom);
    });
    auto& rowFactory = row->factory();
    auto button = rowFactory.pushButton(title, std::move(action), [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Left, A::Left, 0).pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, 0);
    });
    rowFactory.helpButton(showHelp(helpPage), [button](LayoutConstraintMaker& maker) {
        maker.and_(*button).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
        maker.container().pin(A::Right, A::Right, 0);
    });
}

// A template's two fragments share their visibility: `label` and the buttons under it.
void followTemplateKeys(HideableFragmentWall& fragment, const std::string& optionKey, HideableFragmentWall::ShouldHideExpression rule)
{
    fragment.setStorageKeys({ optionKey, "completed" });
    fragment.setInitialValues({ false, std::nullopt });
    fragment.setShouldHideExpression(std::move(rule));
}

}

void RateTimeSliceState::build()
{
    createStackView();
    fragmentStackView()->setContentHuggingPriority(250, ui::Orientation::Vertical);
    createAndInstallTitleFragment("Rate Time Slice");
    auto& title = *titleFragment();
    title.setImage(OstrelStyleKit::imageOfStarIcon(OstrelStyleKit::restfullColor()));
    title.setTint(OstrelStyleKit::restfullColor());

    setupObjectiveTextView(true, true, true, std::nullopt, "InRateTimeSliceState");
    auto store = model().store();
    store->registerDefaults({ { "completed", true } });
    store->synchronize();

    buildRatingRow();
    objectiveLabelFragment()->addCheckedOption("Disable Objective Editing for 2s after Activation",
        "disableObjectiveEditingForTwoSecondsAfterActivation", true);
    buildTemplateFragments();
    buildExtensionOption();
    buildSkipLoggingOption();
}

void RateTimeSliceState::buildRatingRow()
{
    auto row = FragmentWall::create();
    auto& factory = row->factory();
    auto focus = factory.popupButton([](LayoutConstraintMaker& maker) {
        maker.container().pin(A::CenterX, A::CenterX, 0).place(A::Top, A::Top);
        maker.width(200);
    });
    for (const char* level : { "I felt distracted", "My focus was good", "I felt highly focused", "I experienced \"flow\"" })
        focus->addItem(level);
    bindFocusRating(model(), *focus);
    m_focusPopUpButton = focus;

    factory.helpButton(showHelp("concentration_level.html"), [focus](LayoutConstraintMaker& maker) {
        maker.and_(*focus).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
    });

    m_completedCheckbox = factory.smartCheckBoxButton("Log as completed", {}, [focus](LayoutConstraintMaker& maker) {
        maker.and_(*focus).place(A::Top, A::Bottom).pin(A::Left, A::Left, 0);
        maker.container().place(A::Bottom, A::Bottom);
        maker.height(14);
    });
    m_completedCheckbox->setState(model().completed() ? ui::ControlStateValue::On : ui::ControlStateValue::Off);
    bindCompleted(model(), *m_completedCheckbox);

    std::weak_ptr<ui::PopUpButton> weakFocus = m_focusPopUpButton;
    std::weak_ptr<CheckBoxBrick> weakCompleted = m_completedCheckbox;
    endOfLifeBag().add([weakFocus, weakCompleted] {
        if (auto popUp = weakFocus.lock())
            unbindFocusRating(*popUp);
        if (auto checkBox = weakCompleted.lock())
            unbindCompleted(*checkBox);
    });
    fragmentStackView()->addFragment(row);
}

void RateTimeSliceState::buildTemplateFragments()
{
    auto& stack = *fragmentStackView();
    auto& title = *titleFragment();

    // Breadcrumbs for an unfinished objective: hidden when the option hides them or the
    // slice is completed.
    auto breadcrumbsLabel = LabelFragment::labelFragment("Leave Breadcrumbs for Resuming the Task Later");
    followTemplateKeys(*breadcrumbsLabel, kBreadcrumbsOption, HideableFragmentWall::Or);
    breadcrumbsLabel->addCheckedOption("Create a New Scratch Pad Page", "createNewScratchPadPageForBreadcrumbs");
    stack.addFragment(breadcrumbsLabel);
    auto breadcrumbs = HideableFragmentWall::create();
    followTemplateKeys(*breadcrumbs, kBreadcrumbsOption, HideableFragmentWall::Or);
    addButtonWithHelp(*breadcrumbs, "Insert Breadcrumbs Template", [] { NowAndLaterBoardManager::sharedManager().addBreadcrumbsTemplateFromState(); },
        "productivity_techniques.html");
    stack.addFragment(breadcrumbs);
    title.addVisibilityManagedOption("Add Breadcrumbs Button", kBreadcrumbsOption);

    // Priming for a completed one: hidden when the option hides it or the slice is not completed.
    auto primingLabel = LabelFragment::labelFragment("Prime Your Mind for the Next Task");
    followTemplateKeys(*primingLabel, kPrimingOption, HideableFragmentWall::OrNot);
    primingLabel->addCheckedOption("Create a New Scratch Pad Page", "createNewScratchPadPageForPriming");
    stack.addFragment(primingLabel);
    auto priming = HideableFragmentWall::create();
    followTemplateKeys(*priming, kPrimingOption, HideableFragmentWall::OrNot);
    addButtonWithHelp(*priming, "Insert Priming Template", [] { NowAndLaterBoardManager::sharedManager().addPrimingTemplateFromState(); },
        "productivity_techniques.html");
    stack.addFragment(priming);
    title.addVisibilityManagedOption("Add Priming Button", kPrimingOption);
}

void RateTimeSliceState::buildExtensionOption()
{
    auto [fragment, content] = createOptionFragment(kExtensionOption, false);
    auto store = model().store();
    store->registerDefaults({ { kExtensionMinutes, 1 } });
    store->synchronize();

    auto& factory = content->factory();
    auto button = factory.pushButton("Continue Working", ScreenCommands::whileAlive(*this, [](RateTimeSliceState& self) {
        self.continueWorking();
    }),
        [](LayoutConstraintMaker& maker) { maker.container().place(A::Top, A::Top).place(A::Left, A::Left).place(A::Bottom, A::Bottom); });
    auto lengths = factory.popupButton([button](LayoutConstraintMaker& maker) {
        maker.and_(*button).place(A::Left, A::Right).pin(A::FirstBaseline, A::FirstBaseline, 0);
        maker.container().place(A::Right, A::Right);
    });
    lengths->setBezelStyle(ui::BezelStyle::Borderless);
    int selected = 0;
    int64_t stored = store->integer(kExtensionMinutes);
    for (int index = 0; index < int(std::size(kExtensionLengths)); ++index) {
        int64_t minutes = kExtensionLengths[index];
        std::string title = minutes == 1 ? "for 1 minute" : "for " + std::to_string(minutes) + " minutes";
        lengths->menu()->addItem(SmartMenuItem::create(title, [store, minutes] {
            store->set(kExtensionMinutes, minutes);
            store->synchronize();
        }));
        // Every value not offered shows the first entry, yet extends by what is stored.
        if (minutes == stored)
            selected = index;
    }
    lengths->selectItemAt(selected);
    fragmentStackView()->addFragment(fragment);
    titleFragment()->addVisibilityManagedOption("Extend Time Slice Option", kExtensionOption);
}

void RateTimeSliceState::buildSkipLoggingOption()
{
    auto [fragment, content] = createOptionFragment(kDoNotLogOption, false);
    content->factory().pushButton("Skip Logging", ScreenCommands::whileAlive(*this, [](RateTimeSliceState& self) {
        self.internalDoNotLogWithAlertDialog();
    }),
        [](LayoutConstraintMaker& maker) { maker.fillContainer(); });
    fragmentStackView()->addFragment(fragment);
    titleFragment()->addVisibilityManagedOption("Do Not Log Option", kDoNotLogOption);
}

}
