#pragma once

#include "states/BaseState.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace ostrel {

class ModernUIState;
class QuickDurationChangingViewController;

// What the slice's screens do alike: firing their transitions, the objective field's focus
// and parsing commands, hiding the program, ending a slice that will not be rated, and
// closures that reach their screen only while it exists.
namespace ScreenCommands {

// A slice ended without a rating: with "shouldAlwaysSkipLogging" and
// "shouldAlwaysSkipAllBreaks" the counter is reset and the screen goes straight to the next
// slice; with the first alone straight to the break (whose screen resets the counter);
// otherwise by `fallback`. Both settings are read now.
void endWithoutRating(const BaseState& screen, const std::string& fallback);

void selectObjectiveField(ModernUIState& screen);
// Shows the tag editor when "hideTagEditor" followed by the postfix hides it, then focuses it.
void selectTagTokenField(ModernUIState& screen, const std::string& storageKeyPostfix);
void parseObjective(DataModel& model);
void parseClipboard(DataModel& model);
void hideApplication();

// A slice's length in whole seconds: planned D ("durationInSeconds"), extension E, worked W.
// What is left is D + E − W; the extension that leaves `remaining` is W + remaining − D.
// An overflow is a programming error (no real duration comes near one).
int64_t remainingOfSlice(int64_t planned, int64_t extension, int64_t worked);
int64_t extensionLeaving(int64_t remaining, int64_t worked, int64_t planned);

// Closes the pop-over if it is shown and forgets it.
void closeQuickDurationPopOver(std::shared_ptr<QuickDurationChangingViewController>& controller);

// A closure that runs `work` on the screen while the screen exists, and does nothing after.
template<typename S, typename Work>
std::function<void()> whileAlive(S& screen, Work work)
{
    std::weak_ptr<BaseState> weakScreen = screen.weak_from_this();
    return [weakScreen, work] {
        if (auto self = std::static_pointer_cast<S>(weakScreen.lock()))
            work(*self);
    };
}

}

}
