#pragma once

namespace ui {
class Button;
class PopUpButton;
class Slider;
class TextField;
class TextView;
class TokenField;
}

namespace ostrel {

class CheckBoxBrick;
class DataModel;
class TagTokenField;

// The model's bindings of controls to its settings keys in the model's store, one settings
// binding each (core knows no windows, so they live here). Screens bind when they build and
// call the matching unbind from their clean-up closures.

// The objective's rich text, continuously.
void bindObjective(const DataModel& model, ui::TextView& textView);
void unbindObjective(ui::TextView& textView);
// "tags" through "StringToTokenArrayTransformer", continuously, "No Tags." when empty.
void bindTags(const DataModel& model, TagTokenField& field);
void unbindTags(TagTokenField& field);
// "tagFilter" likewise, "<Enter Tags to Filter>" when empty.
void bindTagFilter(const DataModel& model, ui::TokenField& field);
void unbindTagFilter(ui::TokenField& field);
// The durations in seconds, shown as whole minutes.
void bindDurationInMinutes(const DataModel& model, ui::Slider& slider);
void unbindDurationInMinutes(ui::Slider& slider);
void bindBreakDurationInMinutes(const DataModel& model, ui::Slider& slider);
void unbindBreakDurationInMinutes(ui::Slider& slider);
// The Pomodoro break lengths in minutes, as text.
void bindFirstPomodoroBreakDurationInMinutes(const DataModel& model, ui::TextField& field);
void unbindFirstPomodoroBreakDurationInMinutes(ui::TextField& field);
void bindSecondPomodoroBreakDurationInMinutes(const DataModel& model, ui::TextField& field);
void unbindSecondPomodoroBreakDurationInMinutes(ui::TextField& field);
void bindThirdPomodoroBreakDurationInMinutes(const DataModel& model, ui::TextField& field);
void unbindThirdPomodoroBreakDurationInMinutes(ui::TextField& field);
void bindFourthPomodoroBreakDurationInMinutes(const DataModel& model, ui::TextField& field);
void unbindFourthPomodoroBreakDurationInMinutes(ui::TextField& field);
// Check boxes on Boolean keys.
void bindThirdPomodoroBreakEnabled(const DataModel& model, ui::Button& button);
void unbindThirdPomodoroBreakEnabled(ui::Button& button);
void bindFourthPomodoroBreakEnabled(const DataModel& model, ui::Button& button);
void unbindFourthPomodoroBreakEnabled(ui::Button& button);
void bindCompleted(const DataModel& model, ui::Button& button);
void unbindCompleted(ui::Button& button);
void bindSoftBreakOnOffCheckbox(const DataModel& model, ui::Button& button);
void unbindSoftBreakOnOffCheckbox(ui::Button& button);
void bindEndInformalBreakForLunch(const DataModel& model, ui::Button& button);
void unbindEndInformalBreakForLunch(ui::Button& button);
void bindEndInformalBreakForBreakfast(const DataModel& model, ui::Button& button);
void unbindEndInformalBreakForBreakfast(ui::Button& button);
void bindEndInformalBreakAutomatically(const DataModel& model, ui::Button& button);
void unbindEndInformalBreakAutomatically(ui::Button& button);
void bindEndInformalBreakAutomaticallyAfterInactivity(const DataModel& model, ui::Button& button);
void unbindEndInformalBreakAutomaticallyAfterInactivity(ui::Button& button);
void bindLockScreenDuringBreak(const DataModel& model, ui::Button& button);
void unbindLockScreenDuringBreak(ui::Button& button);
// The focus pop-up by index, the statistics pop-up by tag (continuously).
void bindFocusRating(const DataModel& model, ui::PopUpButton& popUp);
void unbindFocusRating(ui::PopUpButton& popUp);
void bindStatsMode(const DataModel& model, ui::PopUpButton& popUp);
void unbindStatsMode(ui::PopUpButton& popUp);
// The continuous sound's volume slider and on/off check box.
void bindContinuousSoundVolume(const DataModel& model, ui::Slider& slider);
void bindContinuousSoundOn(const DataModel& model, CheckBoxBrick& checkBox);

}
