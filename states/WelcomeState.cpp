#include "states/WelcomeState.h"

#include "states/MainWindowAccess.h"
#include "states/StateFragmentStackView.h"

#include "attention/OstrelNotificationSystem.h"
#include "attention/SoundManager.h"
#include "attention/SpeechManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "command/MatchingItemCollector.h"
#include "core/StateMachine.h"
#include "drawing/OstrelStyleKit.h"
#include "mainwindow/MainWindowController.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"
#include "core/KVOResponder.h"
#include "viewkit/FragmentStackView.h"
#include "viewkit/FragmentWall.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/OstrelControlSkin.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SmartMenuItem.h"
#include "viewkit/TitleFragment.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/MainQueue.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <vector>

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr double kSectionMinimumWidth = 420;
constexpr double kPopUpBesideTestWidth = 360;
constexpr double kExplanationLeftMargin = 12;
// The state column is 440 points wide; the labels wrap inside it with room on the right.
constexpr double kExplanationWidth = 440 - 2 * kExplanationLeftMargin;

constexpr const char* kFiveMinutesLeft = "Only 5 Minutes Left";

struct Choice {
    const char* title;
    const char* rawValue;
};

}

struct WelcomeState::Explanation {
    const char* rawValue;
    std::vector<const char*> paragraphs;
};

struct WelcomeState::Section {
    const char* key;
    std::vector<Choice> choices;
    // In the order they sit in the stack, which is not always the pop-up's.
    std::vector<Explanation> explanations;
    void (WelcomeState::*test)() { nullptr };
};

std::shared_ptr<WelcomeState> WelcomeState::create(DataModel& model)
{
    return std::shared_ptr<WelcomeState>(new WelcomeState(model));
}

WelcomeState::WelcomeState(DataModel& model)
    : ModernUIState(model)
{
    exposeTransition("next", m_next);
}

const base::ActionTable& WelcomeState::actionTable() const
{
    using S = WelcomeState;
    static const auto table = base::ActionTable::of<S>({ { "startTimeSlice:", &S::startTimeSlice } }, &ModernUIState::actionTable());
    return table;
}

void WelcomeState::build()
{
    createStackView();
    createAndInstallTitleFragment("Profile Settings");
    auto& title = *titleFragment();
    title.setImage(OstrelStyleKit::imageOfProfileIcon2(OstrelStyleKit::restfullColor()));
    title.setTint(OstrelStyleKit::restfullColor());

    buildExplanation(nullptr,
        { nullptr,
            { "Your choices below will be used to create a personalized intial configuration, but you can of course "
              "fine tune your settings at any time." } });
    m_techniquePopUpButton = buildSection({ "techniqueProfileChoice",
        { { "Implement the Ostrel Technique", "ostrel" }, { "Implement the Pomodoro Technique", "pomodoro" } },
        {
            { "ostrel",
                { "Ostrel's time boxing technique is inspired by the Pomodoro Technique but allows for much greater "
                  "freedom in choosing durations, workflows, etc.",
                    "It is the best choice for most people." } },
            { "pomodoro",
                { "Francesco Cirillo's Pomodoro Technique is a popular productivity technique developed in the late "
                  "1980s. It advocates working in pomodoros (chunks of time) of 25 minutes each, followed by short 5 "
                  "minute breaks and a long 25-30 minute break every fourth pomodoro.",
                    "Ostrel will be pre-configured for time slices of 25 minutes each and the break schedule advocated "
                    "by the Pomodoro Technique. Optional workflow options will be hidden." } },
        } });
    buildSection({ "compactnessProfileChoice",
        { { "Prefer a Very Compact Interface", "veryCompact" }, { "Prefer a Balanced Interface", "balanced" },
            { "Use a More Verbose Interface at the Beginning", "verbose" } },
        {
            { "balanced",
                { "The interface surfaces common options, so that you do not miss too many features, but still tries "
                  "to keep the interface compact." } },
            { "veryCompact",
                { "The interface takes up as little space as possible for the purist. You'd better read the 'User "
                  "Interface Basics' in the Help screen or you will miss a lot of features." } },
            { "verbose",
                { "The interface surfaces most options, so that you can see what is available and don't miss "
                  "anything, but that means a larger window. You can switch off unused options at any time to gain "
                  "space." } },
        } });
    buildSection({ "notificationProfileChoice",
        { { "Use Only Visual Notifications", "none" }, { "Use Some Sounds", "some" },
            { "Use Voice Prompts & Sounds", "voice" } },
        {
            { "none",
                { "You will only get visual notifications. This is particularly suitable for a shared office "
                  "space." } },
            { "some",
                { "The visual notifications will be supplemented with a few ticks of a mechanical clock and discrete "
                  "ending sounds. The occasionaly ticking clock is a gentle reminders to stay focused." } },
            { "voice",
                { "The visual notifications will be supplemented with spoken prompts that provide information about "
                  "the time remaining. They can be very effective, but are unsuitable for a shared office space and "
                  "some people find them very obstrusive." } },
        },
        &WelcomeState::testSoundSettings });
    buildSection({ "continuousSoundProfileChoice",
        { { "Do Not Play Any Continuous Sound", "none" },
            { "Play a Pomodoro Style Continuous Ticking Sound", "pomodoro" }, { "Play Pink Noise", "pinkNoise" } },
        {
            { "none", { "No continuous sound will be played during a time slice." } },
            { "pomodoro",
                { "The sound of a ticking clock will be played continuously throughout your time slice as recommended "
                  "by the Pomodoro Technique. An additional control will allow the sound to be muted and the volume "
                  "to be adjusted during the time slice." } },
            { "pinkNoise",
                { "Pink noise will be played throughout your time slice to block external auditory distractions. An "
                  "additional control will allow the sound to be muted and the volume to be adjusted during the time "
                  "slice." } },
        },
        &WelcomeState::testContinuousSoundSettings });
    buildButtons();
}

// A section: the bar with its pop-up (and "Test" button), then one explanation per choice.
std::shared_ptr<PopUpButtonBrick> WelcomeState::buildSection(const Section& section)
{
    auto bar = FragmentWall::create();
    bar->backgroundDrawingFunc = [](const ui::Rect& frame) { OstrelStyleKit::drawLabelFragmentBar(frame); };
    LayoutConstraintMaker size(*bar);
    size.minWidth(kSectionMinimumWidth);
    bar->addConstraints(size.constraints());
    auto& factory = bar->factory();
    bool withTest = section.test != nullptr;
    auto popUp = factory.popupButton([withTest](LayoutConstraintMaker& maker) {
        maker.container().place(A::Top, A::Top).place(A::Left, A::Left).place(A::Bottom, A::Bottom);
        if (withTest)
            maker.width(kPopUpBesideTestWidth);
        else
            maker.container().place(A::Right, A::Right);
    });

    auto store = model().store();
    std::string key = section.key;
    std::optional<std::string> stored = store->string(key);
    // A value that is none of the choices shows the last item.
    int selected = int(section.choices.size()) - 1;
    for (std::size_t index = 0; index < section.choices.size(); ++index) {
        std::string rawValue = section.choices[index].rawValue;
        popUp->menu()->addItem(SmartMenuItem::create(section.choices[index].title, [store, key, rawValue] {
            store->set(key, rawValue);
        }));
        if (stored == rawValue)
            selected = int(index);
    }
    popUp->selectItemAt(selected);

    if (withTest) {
        std::weak_ptr<BaseState> weakSelf = weak_from_this();
        auto test = section.test;
        factory.pushButton("Test", [weakSelf, test] {
            if (auto self = std::static_pointer_cast<WelcomeState>(weakSelf.lock()))
                ((*self).*test)();
        }, [popUp](LayoutConstraintMaker& maker) {
            maker.container().place(A::Right, A::Right);
            maker.and_(*popUp).pin(A::CenterY, A::CenterY, 0);
        });
    }
    fragmentStackView()->addFragment(bar);

    for (const auto& explanation : section.explanations)
        buildExplanation(section.key, explanation);
    return popUp;
}

// Wrapping labels in a fragment shown exactly while `key` holds the explanation's choice;
// without a key, always.
void WelcomeState::buildExplanation(const char* key, const Explanation& explanation)
{
    auto fragment = HideableFragmentWall::create();
    if (key) {
        auto store = model().store();
        std::string rawValue = explanation.rawValue;
        fragment->setStorageKeys({ key });
        fragment->setInitialValues({ std::nullopt });
        fragment->setShouldHideExpression([store, rawValue](const std::vector<std::string>& keys) {
            return store->string(keys.front()) != rawValue;
        });
    }
    auto& factory = fragment->factory();
    std::shared_ptr<ui::View> above;
    for (std::size_t index = 0; index < explanation.paragraphs.size(); ++index) {
        bool last = index + 1 == explanation.paragraphs.size();
        auto label = factory.label(explanation.paragraphs[index], [above, last](LayoutConstraintMaker& maker) {
            maker.container().pin(A::Left, A::Left, kExplanationLeftMargin);
            if (above)
                maker.and_(*above).place(A::Top, A::Bottom);
            else
                maker.container().place(A::Top, A::Top);
            if (last)
                maker.container().place(A::Bottom, A::Bottom);
            maker.width(kExplanationWidth);
        });
        label->setControlSize(ui::ControlSize::Small);
        label->setFont(OstrelControlSkin::shared().tertiaryTitleFont());
        label->setWraps(true);
        label->setPreferredMaxLayoutWidth(kExplanationWidth);
        above = label;
    }
    fragmentStackView()->addFragment(fragment);
    if (key)
        keepWholeWhileShown(fragment, key);
}

// A shown fragment may be squeezed out of a stack that is shorter than its content, and the
// window then fits itself to what is left: a longer explanation would never appear. Held
// whole, it makes the window grow to take it in.
void WelcomeState::keepWholeWhileShown(const std::shared_ptr<HideableFragmentWall>& fragment, const std::string& key)
{
    std::weak_ptr<HideableFragmentWall> weakFragment = fragment;
    // Observers run in the order they were added: this one after the fragment's own.
    m_explanationHolders.push_back(KVOResponder::create(key, base::Defaults::standard(), false,
        [weakFragment](base::Defaults&, const std::string&) {
            auto shown = weakFragment.lock();
            auto stack = shown ? shown->parentStackView() : nullptr;
            if (stack && stack->visibilityPriority(shown.get()) > ui::VisibilityPriority::NotVisible)
                stack->setVisibilityPriority(shown.get(), ui::VisibilityPriority::MustHold);
        }));
}

void WelcomeState::compressMainWindow()
{
    ModernUIState::compressMainWindow();
    if (auto* mainWindow = MainWindowAccess::controller())
        mainWindow->fitWindowToContent();
}

void WelcomeState::buildButtons()
{
    auto& factory = buttonWall()->factory();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto start = factory.pushButton("Let's Get Started", [weakSelf] {
        if (auto self = std::static_pointer_cast<WelcomeState>(weakSelf.lock()))
            self->applyConfigurationAndContinue();
    }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0); });
    start->setKeyEquivalent("\r");
    factory.pushButton("Skip", [weakSelf] {
        if (auto self = std::static_pointer_cast<WelcomeState>(weakSelf.lock()))
            self->skip();
    }, [start](LayoutConstraintMaker& maker) { maker.and_(*start).pin(A::Right, A::Left, 0).pin(A::CenterY, A::CenterY, 0); });
}

void WelcomeState::activate()
{
    ModernUIState::activate();
    updateMenuItem();
    auto controller = MainController::sharedInstance();
    auto* delegate = controller ? controller->pseudoAppDelegate() : nullptr;
    if (!delegate)
        base::fatal("WelcomeState: no application delegate to bring to the front");
    delegate->makeFront();
    if (auto* window = m_techniquePopUpButton ? m_techniquePopUpButton->window() : nullptr)
        window->makeFirstResponderWithRing(m_techniquePopUpButton.get());
    // The first launch opens the welcome page in the help pad once this screen is up. On a
    // display too narrow for the column and a pad, the pad would take the column's place and
    // the new user would see no wizard: once the launch's tasks have run, the pads give way.
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    base::MainQueue::async([weakSelf] {
        if (auto self = std::static_pointer_cast<WelcomeState>(weakSelf.lock()))
            self->keepInSight();
    });
}

void WelcomeState::keepInSight()
{
    // A column that gave way to a pad is out of the window, and its controls with it.
    auto outOfSight = [this] { return !m_techniquePopUpButton->window() || m_techniquePopUpButton->isHiddenOrHasHiddenAncestor(); };
    if (!isCurrent() || !m_techniquePopUpButton || !outOfSight())
        return;
    auto controller = MainController::sharedInstance();
    if (!controller)
        return;
    controller->closeAllPads();
    if (!outOfSight())
        m_techniquePopUpButton->window()->makeFirstResponderWithRing(m_techniquePopUpButton.get());
}


void WelcomeState::collectMatchingItems(MatchingItemCollector& collector)
{
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto with = [weakSelf](void (WelcomeState::*action)()) {
        return [weakSelf, action] {
            if (auto self = std::static_pointer_cast<WelcomeState>(weakSelf.lock()))
                ((*self).*action)();
        };
    };
    collector.addDefaultChoice("Apply Configuration", std::nullopt, with(&WelcomeState::applyConfigurationAndContinue));
    collector.addFirstAlternative("Skip Configuration", std::nullopt, with(&WelcomeState::skip));
}

void WelcomeState::startTimeSlice(const base::Sender&) { skip(); }

void WelcomeState::applyConfigurationAndContinue()
{
    createInitialConfigurationBasedOnSettings();
    fireTransition("next");
}

void WelcomeState::skip() { fireTransition("next"); }

void WelcomeState::testSoundSettings()
{
    auto choice = model().store()->string("notificationProfileChoice");
    OstrelNotificationSystem::sharedNotifier().displayNotification(kFiveMinutesLeft, std::nullopt, 0, false);
    if (choice == "none")
        return;
    if (choice == "some")
        SoundManager::sharedManager().playSoundWithPrivateName("clock1", 1.0f);
    else
        SpeechManager::sharedManager().speakString(std::string(kFiveMinutesLeft) + ".");
}

void WelcomeState::testContinuousSoundSettings()
{
    auto store = model().store();
    auto choice = store->string("continuousSoundProfileChoice");
    if (choice == "pomodoro" || choice == "pinkNoise") {
        store->set("continuousSound", choice == "pomodoro" ? "clock1_c" : "pink_noise");
        WhiteNoiseMachine::continuousSoundMachine().playSample();
        return;
    }
    OstrelNotificationSystem::sharedNotifier().displayNotification("Ssshhhhh!", "Enjoy the silence.", 0, false);
}

}
