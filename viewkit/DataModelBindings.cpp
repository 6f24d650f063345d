#include "viewkit/DataModelBindings.h"

#include "viewkit/CheckBoxBrick.h"
#include "viewkit/SettingsBinding.h"
#include "viewkit/TagTokenField.h"

#include "core/DataModel.h"
#include "core/ValueTransformers.h"

#include "platform/ui/PopUpButton.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TextView.h"

namespace ostrel {

namespace {

void bindValue(const DataModel& model, ui::View& control, const char* key, SettingsBindingOptions options = {})
{
    SettingsBinding::bind(control, BindingName::value, model.store(), key, std::move(options));
}

void unbindValue(ui::View& control) { SettingsBinding::unbind(control, BindingName::value); }

SettingsBindingOptions minutesOfSeconds()
{
    SettingsBindingOptions options;
    options.valueTransformer = std::make_shared<SecondsToMinutesIntegerValueTransformer>();
    return options;
}

SettingsBindingOptions tokens(const char* nullPlaceholder, bool validatesImmediately)
{
    SettingsBindingOptions options;
    options.valueTransformerName = "StringToTokenArrayTransformer";
    options.continuouslyUpdatesValue = true;
    options.validatesImmediately = validatesImmediately;
    options.nullPlaceholder = nullPlaceholder;
    return options;
}

SettingsBindingOptions validated()
{
    SettingsBindingOptions options;
    options.validatesImmediately = true;
    return options;
}

}

void bindObjective(const DataModel& model, ui::TextView& textView)
{
    SettingsBindingOptions options;
    options.continuouslyUpdatesValue = true;
    SettingsBinding::bind(textView, BindingName::data, model.store(), "objective", options);
}

void unbindObjective(ui::TextView& textView) { SettingsBinding::unbind(textView, BindingName::data); }

void bindTags(const DataModel& model, TagTokenField& field) { bindValue(model, field, "tags", tokens("No Tags.", false)); }
void unbindTags(TagTokenField& field) { unbindValue(field); }

void bindTagFilter(const DataModel& model, ui::TokenField& field)
{
    bindValue(model, field, "tagFilter", tokens("<Enter Tags to Filter>", true));
}
void unbindTagFilter(ui::TokenField& field) { unbindValue(field); }

void bindDurationInMinutes(const DataModel& model, ui::Slider& slider)
{
    bindValue(model, slider, "durationInSeconds", minutesOfSeconds());
}
void unbindDurationInMinutes(ui::Slider& slider) { unbindValue(slider); }

void bindBreakDurationInMinutes(const DataModel& model, ui::Slider& slider)
{
    bindValue(model, slider, "breakDurationInSeconds", minutesOfSeconds());
}
void unbindBreakDurationInMinutes(ui::Slider& slider) { unbindValue(slider); }

void bindFirstPomodoroBreakDurationInMinutes(const DataModel& model, ui::TextField& field)
{
    bindValue(model, field, "firstPomodoroBreakDurationInMinutes", validated());
}
void unbindFirstPomodoroBreakDurationInMinutes(ui::TextField& field) { unbindValue(field); }

void bindSecondPomodoroBreakDurationInMinutes(const DataModel& model, ui::TextField& field)
{
    bindValue(model, field, "secondPomodoroBreakDurationInMinutes", validated());
}
void unbindSecondPomodoroBreakDurationInMinutes(ui::TextField& field) { unbindValue(field); }

void bindThirdPomodoroBreakDurationInMinutes(const DataModel& model, ui::TextField& field)
{
    bindValue(model, field, "thirdPomodoroBreakDurationInMinutes", validated());
}
void unbindThirdPomodoroBreakDurationInMinutes(ui::TextField& field) { unbindValue(field); }

void bindFourthPomodoroBreakDurationInMinutes(const DataModel& model, ui::TextField& field)
{
    bindValue(model, field, "fourthPomodoroBreakDurationInMinutes", validated());
}
void unbindFourthPomodoroBreakDurationInMinutes(ui::TextField& field) { unbindValue(field); }

void bindThirdPomodoroBreakEnabled(const DataModel& model, ui::Button& button) { bindValue(model, button, "thirdPomodoroBreakEnabled"); }
void unbindThirdPomodoroBreakEnabled(ui::Button& button) { unbindValue(button); }

void bindFourthPomodoroBreakEnabled(const DataModel& model, ui::Button& button) { bindValue(model, button, "fourthPomodoroBreakEnabled"); }
void unbindFourthPomodoroBreakEnabled(ui::Button& button) { unbindValue(button); }

void bindCompleted(const DataModel& model, ui::Button& button) { bindValue(model, button, "completed"); }
void unbindCompleted(ui::Button& button) { unbindValue(button); }

void bindSoftBreakOnOffCheckbox(const DataModel& model, ui::Button& button) { bindValue(model, button, "shouldUseSoftBreak"); }
void unbindSoftBreakOnOffCheckbox(ui::Button& button) { unbindValue(button); }

void bindEndInformalBreakForLunch(const DataModel& model, ui::Button& button) { bindValue(model, button, "endInformalBreakForLunch"); }
void unbindEndInformalBreakForLunch(ui::Button& button) { unbindValue(button); }

void bindEndInformalBreakForBreakfast(const DataModel& model, ui::Button& button)
{
    bindValue(model, button, "endInformalBreakForBreakfast");
}
void unbindEndInformalBreakForBreakfast(ui::Button& button) { unbindValue(button); }

void bindEndInformalBreakAutomatically(const DataModel& model, ui::Button& button)
{
    bindValue(model, button, "endInformalBreakAutomatically");
}
void unbindEndInformalBreakAutomatically(ui::Button& button) { unbindValue(button); }

void bindEndInformalBreakAutomaticallyAfterInactivity(const DataModel& model, ui::Button& button)
{
    bindValue(model, button, "endInformalBreakAutomaticallyAfterInactivity");
}
void unbindEndInformalBreakAutomaticallyAfterInactivity(ui::Button& button) { unbindValue(button); }

void bindLockScreenDuringBreak(const DataModel& model, ui::Button& button) { bindValue(model, button, "lockScreenDuringBreak"); }
void unbindLockScreenDuringBreak(ui::Button& button) { unbindValue(button); }

void bindFocusRating(const DataModel& model, ui::PopUpButton& popUp)
{
    SettingsBinding::bind(popUp, BindingName::selectedIndex, model.store(), "focusRating");
}
void unbindFocusRating(ui::PopUpButton& popUp) { SettingsBinding::unbind(popUp, BindingName::selectedIndex); }

void bindStatsMode(const DataModel& model, ui::PopUpButton& popUp)
{
    SettingsBindingOptions options;
    options.continuouslyUpdatesValue = true;
    SettingsBinding::bind(popUp, BindingName::selectedTag, model.store(), "values.currentlyDisplayedStatistic", options);
}
void unbindStatsMode(ui::PopUpButton& popUp) { SettingsBinding::unbind(popUp, BindingName::selectedTag); }

void bindContinuousSoundVolume(const DataModel& model, ui::Slider& slider) { bindValue(model, slider, "continuousSoundVolume"); }

void bindContinuousSoundOn(const DataModel& model, CheckBoxBrick& checkBox) { bindValue(model, checkBox, "continuousSoundOn"); }

}
