#include "states/RateTimeSliceState.h"

#include "states/MainWindowAccess.h"
#include "states/ScreenCommands.h"

#include "core/Clock.h"
#include "log/FullFeaturedStatisticsManager.h"
#include "log/Logger.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/ObjectiveTextView.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/Wall.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/Window.h"

#include <algorithm>

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

// A stored extension outside this is damaged; it is read as the nearest bound.
constexpr int64_t kLongestExtensionInMinutes = 24 * 60;

}

std::shared_ptr<RateTimeSliceState> RateTimeSliceState::create(DataModel& model)
{
    std::shared_ptr<RateTimeSliceState> screen(new RateTimeSliceState(model));
    screen->addButtons();
    return screen;
}

RateTimeSliceState::RateTimeSliceState(DataModel& model)
    : ModernUIState(model)
{
    exposeTransition("next", m_next);
    exposeTransition("extend", m_extend);
    exposeTransition("skipLogging", m_skipLogging);
    exposeTransition("straightToNextTimeSlice", m_straightToNextTimeSlice);
}

RateTimeSliceState::~RateTimeSliceState()
{
    if (m_activateObjectiveEditingAfterDelayTimer)
        m_activateObjectiveEditingAfterDelayTimer->stop();
}

void RateTimeSliceState::addButtons()
{
    auto& factory = buttonWall()->factory();
    auto logButton = factory.pushButton("Log", ScreenCommands::whileAlive(*this, [](RateTimeSliceState& self) { self.internalContinue(); }),
        [](LayoutConstraintMaker& maker) { maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0); });
    logButton->setKeyEquivalent("\r");
    factory.pushButton("Hide", [] { ScreenCommands::hideApplication(); },
        [logButton](LayoutConstraintMaker& maker) { maker.and_(*logButton).place(A::Right, A::Left).pin(A::CenterY, A::CenterY, 0); });
}

void RateTimeSliceState::activate()
{
    auto controller = MainController::sharedInstance();
    auto* delegate = controller ? controller->pseudoAppDelegate() : nullptr;
    if (!delegate)
        base::fatal(className() + ": no application delegate to bring to the front");
    // A slice has ended: the rating comes to the front whatever the user is doing.
    delegate->makeFront();
    ModernUIState::activate();
    switchToWeeklyStatisticWhenAsked();
    delayObjectiveEditing();
}

void RateTimeSliceState::switchToWeeklyStatisticWhenAsked()
{
    auto store = model().store();
    if (!store->boolean("rateTimeSliceStateAutomaticallySwitchToWeeklyStatistic"))
        return;
    auto* controller = MainWindowAccess::controller();
    if (!controller)
        base::fatal(className() + ": no main window to show the statistics in");
    // Only beside a pad the user has open.
    if (controller->areAllPadsClosed())
        return;
    if (!controller->statsController())
        base::fatal(className() + ": the main window has no statistics");
    controller->showCurrentWeekStatisticsPad();
}

void RateTimeSliceState::delayObjectiveEditing()
{
    auto& text = objectiveTextView();
    if (!text)
        base::fatal(className() + ": activated before it was built");
    if (!model().store()->boolean("disableObjectiveEditingForTwoSecondsAfterActivation")) {
        text->selectAll();
        return;
    }
    // Keys still held from the running screen must not land in the objective.
    text->setEditable(false);
    if (m_activateObjectiveEditingAfterDelayTimer)
        m_activateObjectiveEditingAfterDelayTimer->stop();
    std::weak_ptr<ObjectiveTextView> weakText = text;
    m_activateObjectiveEditingAfterDelayTimer = Clock::timerWithSystemTimeInterval(2.0, false, [weakText](base::Timer&) {
        if (auto view = weakText.lock()) {
            view->setEditable(true);
            view->selectAll();
        }
    });
}

bool RateTimeSliceState::logTimeSlice()
{
    auto& logger = Logger::sharedLogger();
    if (logger.actualSecondsWorked() == 0)
        return true;
    // A failed write has told the user and kept the counter, the extension and the dates.
    if (!logger.logCurrentTimeSlice())
        return false;
    FullFeaturedStatisticsManager::sharedInstance()->prepareDataSet();
    return true;
}

void RateTimeSliceState::internalContinue()
{
    if (!logTimeSlice())
        return;
    fireTransition(model().shouldAlwaysSkipAllBreaks() ? "straightToNextTimeSlice" : "next");
}

void RateTimeSliceState::internalStraightToNextTimeSlice()
{
    if (!logTimeSlice())
        return;
    fireTransition("straightToNextTimeSlice");
}

void RateTimeSliceState::internalExtend(int64_t minutes)
{
    minutes = std::clamp<int64_t>(minutes, 1, kLongestExtensionInMinutes);
    // The running screen then runs D + E − W = exactly these minutes, and the worked seconds
    // go on adding up into the one entry written when the slice is rated at last.
    model().setCurrentTimeSliceExtensionDuration(ScreenCommands::extensionLeaving(60 * minutes,
        Logger::sharedLogger().actualSecondsWorked(), model().durationInSeconds()));
    fireTransition("extend");
}

void RateTimeSliceState::continueWorking() { internalExtend(model().store()->integer("timeSliceExtensionDurationInMinutes")); }

void RateTimeSliceState::internalDoNotLogWithAlertDialog()
{
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Warning;
    alert.message = "Are you sure you do not want the time spent to be logged in any way?";
    alert.buttons = { "OK", "Cancel" };
    if (base::AlertPresenter::present(alert).button != 0)
        return;
    // A copy kept after a failed Log goes too: the user said the time is not to be logged.
    Logger::sharedLogger().dropCurrentTimeSlice();
    fireTransition("skipLogging");
}

void RateTimeSliceState::parseObjective(const base::Sender&) { ScreenCommands::parseObjective(model()); }

void RateTimeSliceState::parseClipboard(const base::Sender&) { ScreenCommands::parseClipboard(model()); }

void RateTimeSliceState::selectObjectiveField(const base::Sender&) { ScreenCommands::selectObjectiveField(*this); }

void RateTimeSliceState::selectTagTokenField(const base::Sender&) { ScreenCommands::selectTagTokenField(*this, "InRateTimeSliceState"); }

void RateTimeSliceState::setDistractedLevel(const base::Sender&) { model().focusLevelVariable->setValue(0); }

void RateTimeSliceState::setGoodLevel(const base::Sender&) { model().focusLevelVariable->setValue(1); }

void RateTimeSliceState::setHighlyFocusedLevel(const base::Sender&) { model().focusLevelVariable->setValue(2); }

void RateTimeSliceState::setFlowLevel(const base::Sender&) { model().focusLevelVariable->setValue(3); }

}
