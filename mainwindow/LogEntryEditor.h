#pragma once

#include "core/ListenerList.h"
#include "core/Variables.h"

#include "platform/base/Calendar.h"
#include "platform/text/AttributedString.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class ScrollView;
class TextField;
}

namespace ostrel {

class DatePickerBrick;
class FullTimeSlice;
class ObjectiveTextView;
class PopUpButtonBrick;
class CheckBoxBrick;
class Unbindable;
class Wall;

// The log book's editor page: the objective as rich text, the start date, the start and end
// times of day, the tags (in the setting "tempTags"), the focus level and the completed flag.
// It shows a record and says what the controls describe; writing is its controller's.
class LogEntryEditor : public std::enable_shared_from_this<LogEntryEditor> {
public:
    static std::shared_ptr<LogEntryEditor> create();
    ~LogEntryEditor();

    // Builds the controls into the editor's page; `save` and `cancel` are the two buttons'.
    void build(Wall& editTab, std::function<void()> save, std::function<void()> cancel);

    // Every control takes the record's values, and the objective the keyboard.
    void fill(const FullTimeSlice& record);
    void updateEditorDurationLabel();
    // Whether any control holds something else than what fill() put there: the user's work
    // that quitting must not lose.
    bool hasUnsavedChanges() const;
    // Why the entry could not be saved, shown beside the buttons until the editor is filled
    // again; none hides it.
    void showProblem(const std::string& why);
    const std::shared_ptr<ui::TextField>& problemLabel() const { return m_problemLabel; }

    // The start the controls describe: the date picker's day at the start picker's time of
    // day. A time the clocks skip (a daylight-saving gap) is moved forward by the gap; any
    // other combination that is no date gives none.
    std::optional<double> computeStartDate() const;
    // From the start time to the end time on the start day, the end read as the next day's
    // when it lies before the start; at least one second, and 0 when either is no date.
    double computeEditorDuration() const;

    // A local date and time as a moment, moving a time in a daylight-saving gap forward.
    static std::optional<double> momentOf(const base::DateComponents& components);

    const std::shared_ptr<ObjectiveTextView>& objectiveTextView() const { return m_objectiveTextView; }
    const std::shared_ptr<DatePickerBrick>& startDatePicker() const { return m_startDatePicker; }
    const std::shared_ptr<DatePickerBrick>& startTimePicker() const { return m_startTimePicker; }
    const std::shared_ptr<DatePickerBrick>& endTimePicker() const { return m_endTimePicker; }
    const std::shared_ptr<ui::TextField>& editorDurationLabel() const { return m_editorDurationLabel; }
    const std::shared_ptr<PopUpButtonBrick>& focusLevelPopUp() const { return m_focusLevelPopUp; }
    const std::shared_ptr<CheckBoxBrick>& completedCheckBox() const { return m_completedCheckBox; }
    const std::shared_ptr<StraightVariable<std::int64_t>>& focusLevelTempVariable() const { return m_focusLevelTempVariable; }
    const std::shared_ptr<StraightVariable<bool>>& completedTempVariable() const { return m_completedTempVariable; }

private:
    // What the controls hold, to tell whether the user changed any of them.
    struct Values {
        text::AttributedString objective;
        double day { 0 };
        double start { 0 };
        double end { 0 };
        std::string tags;
        std::int64_t focus { 0 };
        bool completed { false };
        bool operator==(const Values&) const = default;
    };
    Values values() const;

    LogEntryEditor() = default;
    std::shared_ptr<Wall> makeObjectiveWall();
    base::DateComponents combined(double day, double timeOfDay) const;

    std::shared_ptr<ObjectiveTextView> m_objectiveTextView;
    std::shared_ptr<ui::ScrollView> m_objectiveScrollView;
    std::shared_ptr<DatePickerBrick> m_startDatePicker;
    std::shared_ptr<DatePickerBrick> m_startTimePicker;
    std::shared_ptr<DatePickerBrick> m_endTimePicker;
    std::shared_ptr<ui::TextField> m_editorDurationLabel;
    std::shared_ptr<ui::TextField> m_problemLabel;
    std::optional<Values> m_filled;
    std::shared_ptr<PopUpButtonBrick> m_focusLevelPopUp;
    std::shared_ptr<CheckBoxBrick> m_completedCheckBox;
    std::shared_ptr<StraightVariable<std::int64_t>> m_focusLevelTempVariable { StraightVariable<std::int64_t>::create(0) };
    std::shared_ptr<StraightVariable<bool>> m_completedTempVariable { StraightVariable<bool>::create(false) };
    std::vector<std::shared_ptr<Unbindable>> m_bindings;
    ListenerToken m_focusLevelLog;
    base::Calendar m_calendar { base::Calendar::current() };
};

}
