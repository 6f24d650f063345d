#include "states/ScreenCommands.h"

#include "states/ModernUIState.h"
#include "states/QuickDurationChangingViewController.h"

#include "command/ObjectiveParser.h"
#include "core/StateMachine.h"
#include "log/Logger.h"
#include "mainwindow/ObjectiveTextView.h"
#include "shell/MainController.h"
#include "viewkit/TagTokenField.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/Popover.h"
#include "platform/ui/Window.h"

#include <cstdint>

namespace ostrel::ScreenCommands {

void endWithoutRating(const BaseState& screen, const std::string& fallback)
{
    auto& model = screen.model();
    if (!model.shouldAlwaysSkipLogging()) {
        screen.fireTransition(fallback);
        return;
    }
    if (model.shouldAlwaysSkipAllBreaks()) {
        Logger::sharedLogger().resetActualSecondsWorked();
        screen.fireTransition("straightToNextTimeSlice");
        return;
    }
    screen.fireTransition("straightToBreak");
}

void selectObjectiveField(ModernUIState& screen)
{
    auto& text = screen.objectiveTextView();
    if (auto* window = text ? text->window() : nullptr)
        window->makeFirstResponder(text.get());
}

void selectTagTokenField(ModernUIState& screen, const std::string& storageKeyPostfix)
{
    auto store = screen.model().store();
    std::string hidingKey = "hideTagEditor" + storageKeyPostfix;
    if (store->boolean(hidingKey)) {
        store->set(hidingKey, false);
        store->synchronize();
    }
    auto& field = screen.tagTokenField();
    if (auto* window = field ? field->window() : nullptr)
        window->makeFirstResponder(field.get());
}

void parseObjective(DataModel& model) { ObjectiveParser::shared().parseObjectiveField(model.objectiveData(), *model.store()); }

void parseClipboard(DataModel& model)
{
    ObjectiveParser::shared().parseClipboard(pasteboardItems(ui::Pasteboard::general()), *model.store());
}

void hideApplication()
{
    if (auto controller = MainController::sharedInstance())
        controller->hide();
}

namespace {

int64_t sum(int64_t first, int64_t second, int64_t third, const char* what)
{
    int64_t partial = 0;
    int64_t total = 0;
    if (__builtin_add_overflow(first, second, &partial) || __builtin_add_overflow(partial, third, &total))
        base::fatal(std::string("the slice's ") + what + " does not fit 64 bits");
    return total;
}

}

int64_t remainingOfSlice(int64_t planned, int64_t extension, int64_t worked)
{
    if (worked == INT64_MIN)
        base::fatal("the slice's worked seconds are out of range");
    return sum(planned, extension, -worked, "remaining time");
}

int64_t extensionLeaving(int64_t remaining, int64_t worked, int64_t planned)
{
    if (planned == INT64_MIN)
        base::fatal("the slice's planned duration is out of range");
    return sum(worked, remaining, -planned, "extension");
}

void closeQuickDurationPopOver(std::shared_ptr<QuickDurationChangingViewController>& controller)
{
    if (!controller)
        return;
    auto& popOver = controller->popOver();
    if (popOver && popOver->isShown())
        popOver->close();
    controller.reset();
}

}
