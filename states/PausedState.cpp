#include "states/PausedState.h"

#include "states/ScreenCommands.h"

#include "command/KeyboardShortcutsManager.h"
#include "command/MatchingItemCollector.h"
#include "command/OstrelHotKeyManager.h"
#include "core/KeyCombo.h"
#include "drawing/OstrelStyleKit.h"
#include "log/Logger.h"
#include "mainwindow/ObjectiveTextView.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/TitleFragment.h"

#include "platform/base/AlertPresenter.h"

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr uint32_t kCommand = 0x100;
constexpr uint16_t kReturnKey = 0x24;
constexpr uint16_t kTKey = 0x11;
constexpr uint16_t kOKey = 0x1F;

}

std::shared_ptr<PausedState> PausedState::create(DataModel& model)
{
    std::shared_ptr<PausedState> screen(new PausedState(model));
    screen->addButtons();
    return screen;
}

PausedState::PausedState(DataModel& model)
    : ModernUIState(model)
{
    exposeTransition("continueTimeSlice", m_continueTimeSlice);
    exposeTransition("abort", m_abort);
    exposeTransition("finish", m_finish);
    exposeTransition("straightToBreak", m_straightToBreak);
    exposeTransition("straightToNextTimeSlice", m_straightToNextTimeSlice);
}

const base::ActionTable& PausedState::actionTable() const
{
    using S = PausedState;
    static const auto table = base::ActionTable::of<S>(
        {
            { "pauseOrResumeTimeSlice:", &S::pauseOrResumeTimeSlice },
            { "stopTimeSlice:", &S::stopTimeSlice },
            { "selectObjectiveField:", &S::selectObjectiveField },
            { "selectTagTokenField:", &S::selectTagTokenField },
            { "parseObjective:", &S::parseObjective },
            { "parseClipboard:", &S::parseClipboard },
        },
        &ModernUIState::actionTable());
    return table;
}

void PausedState::addButtons()
{
    auto& factory = buttonWall()->factory();
    auto resume = factory.pushButton("Resume", ScreenCommands::whileAlive(*this, [](PausedState& self) { self.pauseOrResumeTimeSlice(); }),
        [](LayoutConstraintMaker& maker) { maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0); });
    resume->setKeyEquivalent("\r");
    // Each one to the left of the one before: "Hide", "Abort", "Finish", "Resume".
    auto leftOf = [](const std::shared_ptr<PushButtonBrick>& previous) {
        return [previous](LayoutConstraintMaker& maker) {
            maker.and_(*previous).place(A::Right, A::Left).pin(A::CenterY, A::CenterY, 0);
        };
    };
    auto finish = factory.pushButton("Finish", ScreenCommands::whileAlive(*this, [](PausedState& self) { self.internalEndTimeSlice(); }),
        leftOf(resume));
    auto abort = factory.pushButton("Abort", ScreenCommands::whileAlive(*this, [](PausedState& self) { self.abortTimeSlice(); }),
        leftOf(finish));
    auto hide = factory.pushButton("Hide", [] { ScreenCommands::hideApplication(); }, leftOf(abort));
    hide->setKeyEquivalent("\x1b");
}

void PausedState::build()
{
    createStackView();
    createAndInstallTitleFragment("Time Slice Paused.");
    auto& title = *titleFragment();
    title.setImage(OstrelStyleKit::imageOfPauseIcon(OstrelStyleKit::pausedColor()));
    title.setTint(OstrelStyleKit::pausedColor());
    setupObjectiveTextView(true, true, true, std::nullopt, "InPausedState");
}

void PausedState::activate()
{
    ModernUIState::activate();
    // Typing replaces the objective.
    if (auto& text = objectiveTextView())
        text->selectAll();
}

void PausedState::pauseOrResumeTimeSlice(const base::Sender&) { fireTransition("continueTimeSlice"); }

void PausedState::stopTimeSlice(const base::Sender&) { internalEndTimeSlice(); }

void PausedState::internalEndTimeSlice() { ScreenCommands::endWithoutRating(*this, "finish"); }

void PausedState::abortTimeSlice()
{
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Warning;
    alert.message = "Are you sure you want to reset the clock and return to defining a time slice?";
    alert.informativeText = "The time you have already spent on this time slice will not be logged.";
    alert.buttons = { "OK", "Cancel" };
    if (base::AlertPresenter::present(alert).button != 0)
        return;
    Logger::sharedLogger().resetActualSecondsWorked();
    fireTransition(model().shouldAlwaysSkipLogging() ? "straightToBreak" : "abort");
}

void PausedState::selectObjectiveField(const base::Sender&) { ScreenCommands::selectObjectiveField(*this); }

void PausedState::selectTagTokenField(const base::Sender&) { ScreenCommands::selectTagTokenField(*this, "InPausedState"); }

void PausedState::parseObjective(const base::Sender&) { ScreenCommands::parseObjective(model()); }

void PausedState::parseClipboard(const base::Sender&) { ScreenCommands::parseClipboard(model()); }

void PausedState::collectMatchingItems(MatchingItemCollector& collector)
{
    OstrelHotKeyManager hotKeys(model(), KeyboardShortcutsManager::shared());
    collector.addDefaultChoice("Resume Time Slice", KeyCombo(kReturnKey, kCommand),
        ScreenCommands::whileAlive(*this, [](PausedState& self) { self.pauseOrResumeTimeSlice(); }));
    collector.addFirstAlternative("End Time Slice", hotKeys.currentOrDefaultKeyCombo("endTimeSlice"),
        ScreenCommands::whileAlive(*this, [](PausedState& self) { self.internalEndTimeSlice(); }));
    collector.addSecondAlternative("Abort Time Slice", std::nullopt,
        ScreenCommands::whileAlive(*this, [](PausedState& self) { self.abortTimeSlice(); }));
    collectMatchingItemsForTextEditor(collector, "InPausedState");
    collector.addNavigationItem("Focus Tag Field", KeyCombo(kTKey, kCommand),
        ScreenCommands::whileAlive(*this, [](PausedState& self) { self.selectTagTokenField(); }));
    collector.addNavigationItem("Focus Objective Field", KeyCombo(kOKey, kCommand),
        ScreenCommands::whileAlive(*this, [](PausedState& self) { self.selectObjectiveField(); }));
}

}
