#include "mainwindow/LogEntryEditor.h"

#include "mainwindow/ObjectiveTextView.h"
#include "mainwindow/TextScrollView.h"

#include "core/DateHelper.h"
#include "drawing/OstrelStyleKit.h"
#include "log/FullTimeSlice.h"
#include "log/Logger.h"
#include "viewkit/BezierPathUtility.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/CheckBoxBrickBinding.h"
#include "viewkit/CreateScrollView.h"
#include "viewkit/DatePickerBrick.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PopUpButtonBrickSimpleIntBinding.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/TagTokenFieldHelper.h"
#include "viewkit/Wall.h"

#include "platform/base/Defaults.h"
#include "platform/ui/Constraint.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <cmath>
#include <ctime>
#include <iostream>

namespace ostrel {

namespace {

using A = ui::LayoutAttribute;

// Seconds between two local dates and times read as if both were UTC: the wall-clock distance.
double wallClockSeconds(const base::DateComponents& from, const base::DateComponents& to)
{
    auto utc = [](const base::DateComponents& c) {
        std::tm parts {};
        parts.tm_year = c.year - 1900;
        parts.tm_mon = c.month - 1;
        parts.tm_mday = c.day;
        parts.tm_hour = c.hour;
        parts.tm_min = c.minute;
        parts.tm_sec = c.second;
        return double(timegm(&parts));
    };
    return utc(to) - utc(from);
}

// The largest jump of local clocks anywhere (two hours covers every zone's).
constexpr double kLargestGap = 7200;

}

std::shared_ptr<LogEntryEditor> LogEntryEditor::create() { return std::shared_ptr<LogEntryEditor>(new LogEntryEditor); }

LogEntryEditor::~LogEntryEditor()
{
    for (const auto& binding : m_bindings)
        binding->unbind();
}

std::optional<double> LogEntryEditor::momentOf(const base::DateComponents& components)
{
    // Four-digit years only: what a day file can be named for.
    if (components.year < 1000 || components.year > 9999)
        return std::nullopt;
    auto calendar = base::Calendar::current();
    double moment = calendar.moment(components);
    if (!std::isfinite(moment))
        return std::nullopt;
    double shift = wallClockSeconds(components, calendar.components(moment));
    if (shift == 0)
        return moment;
    // Inside a gap the clocks skip: the same distance past it, whichever way the C library
    // resolved the time.
    if (shift > 0 && shift <= kLargestGap)
        return moment;
    if (shift < 0 && shift >= -kLargestGap) {
        double forward = moment - shift;
        if (wallClockSeconds(components, calendar.components(forward)) == -shift)
            return forward;
    }
    return std::nullopt;
}

base::DateComponents LogEntryEditor::combined(double day, double timeOfDay) const
{
    auto date = m_calendar.components(day);
    auto time = m_calendar.components(timeOfDay);
    return { date.year, date.month, date.day, time.hour, time.minute, time.second, 0 };
}

std::optional<double> LogEntryEditor::computeStartDate() const
{
    if (!m_startDatePicker || !m_startTimePicker)
        return std::nullopt;
    return momentOf(combined(m_startDatePicker->dateValue(), m_startTimePicker->dateValue()));
}

double LogEntryEditor::computeEditorDuration() const
{
    if (!m_startDatePicker || !m_startTimePicker || !m_endTimePicker)
        return 0;
    auto start = momentOf(combined(m_startDatePicker->dateValue(), m_startTimePicker->dateValue()));
    auto end = momentOf(combined(m_startDatePicker->dateValue(), m_endTimePicker->dateValue()));
    if (!start || !end)
        return 0;
    double until = *end;
    if (until < *start)
        until += 86400;
    return std::max(until - *start, 1.0);
}

void LogEntryEditor::updateEditorDurationLabel()
{
    if (!m_editorDurationLabel)
        return;
    auto seconds = static_cast<std::int64_t>(computeEditorDuration());
    m_editorDurationLabel->setStringValue(DateHelper::sharedHelper().formatNumberOfSecondsAsHoursAndMinutesAndSeconds(seconds));
}

void LogEntryEditor::fill(const FullTimeSlice& record)
{
    auto store = base::Defaults::standard();
    store->set("tempTags", record.tagString());
    m_objectiveTextView->setAttributedString(record.objectiveText());
    m_focusLevelTempVariable->setValue(Logger::concentrationLevelTagForString(record.focusRating()));
    m_completedTempVariable->setValue(record.completed());
    double start = std::isfinite(record.startDate()) ? record.startDate() : 0;
    double actual = std::isfinite(record.actualDuration()) ? record.actualDuration() : 0;
    m_startDatePicker->setDateValue(start);
    m_startTimePicker->setDateValue(start);
    m_endTimePicker->setDateValue(start + actual);
    updateEditorDurationLabel();
    showProblem({});
    m_filled = values();
    if (auto* window = m_objectiveTextView->window())
        window->makeFirstResponder(m_objectiveTextView.get());
    m_objectiveTextView->selectAll();
}

LogEntryEditor::Values LogEntryEditor::values() const
{
    Values now;
    now.objective = m_objectiveTextView->textStorage();
    now.day = m_startDatePicker->dateValue();
    now.start = m_startTimePicker->dateValue();
    now.end = m_endTimePicker->dateValue();
    now.tags = base::Defaults::standard()->string("tempTags").value_or("");
    now.focus = m_focusLevelTempVariable->value();
    now.completed = m_completedTempVariable->value();
    return now;
}

bool LogEntryEditor::hasUnsavedChanges() const { return m_filled && !(values() == *m_filled); }

void LogEntryEditor::showProblem(const std::string& why)
{
    if (!m_problemLabel)
        return;
    m_problemLabel->setStringValue(why);
    m_problemLabel->setToolTip(why);
    m_problemLabel->setHidden(why.empty());
}

std::shared_ptr<Wall> LogEntryEditor::makeObjectiveWall()
{
    m_objectiveTextView = ObjectiveTextView::create();
    m_objectiveTextView->setFrame(ui::Rect(0, 0, 300.0, 40.0));
    m_objectiveTextView->setDrawsBackground(false);
    m_objectiveTextView->awakeFromNib();
    m_objectiveTextView->setTextContainerInset({ 4.0, 4.0 });

    m_objectiveScrollView = makeTextScrollView(m_objectiveTextView);
    m_objectiveScrollView->setBorderType(ui::ScrollView::BorderType::Line);

    auto wall = Wall::create();
    wall->setBackgroundColor(BezierPathUtility::colorWithKey("objectiveBackgroundColor"));
    wall->setBorderColor(OstrelStyleKit::n8());
    wall->setDrawTopBorder(true);
    wall->setDrawBottomBorder(true);
    wall->setDrawLeftBorder(true);
    wall->setDrawRightBorder(true);
    wall->addSubview(m_objectiveScrollView);
    m_objectiveScrollView->setTranslatesAutoresizingMaskIntoConstraints(false);
    LayoutConstraintMaker maker(*m_objectiveScrollView);
    maker.container().pin(A::Top, A::Top, 0).pin(A::Left, A::Left, 0).pin(A::Bottom, A::Bottom, 0).pin(A::Right, A::Right, 0);
    maker.minWidth(300.0);
    wall->addConstraints(maker.constraints());
    return wall;
}

void LogEntryEditor::build(Wall& editTab, std::function<void()> save, std::function<void()> cancel)
{
    auto content = Wall::create();
    auto scroll = createScrollView(content);
    editTab.factory().internalAddBrick(scroll, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, -35.0).pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0);
    });

    auto& factory = content->factory();
    auto rightOfPrevious = [&factory](LayoutConstraintMaker& maker) {
        maker.and_(*factory.previous()).place(A::Left, A::Right).pin(A::FirstBaseline, A::FirstBaseline, 0);
    };
    auto title = factory.label("Editing Log Entry For:", [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Top, A::Top);
    });
    m_startDatePicker = factory.datePickerBrick(rightOfPrevious);
    m_startDatePicker->setElements(ui::DatePicker::YearMonthDay);
    m_startDatePicker->small();
    m_editorDurationLabel = factory.label("Duration", rightOfPrevious);
    m_editorDurationLabel->setTextColor(gfx::colors::lightGray);
    // "22 minutes 23 seconds" whole beside the date, in the pad's width.
    m_editorDurationLabel->setFont(gfx::Font::system(gfx::Font::smallSystemFontSize));
    factory.label("From:", [title](LayoutConstraintMaker& maker) {
        maker.and_(*title).pin(A::Right, A::Right, 0).place(A::Top, A::Bottom);
    });
    m_startTimePicker = factory.datePickerBrick(rightOfPrevious);
    factory.label("To:", rightOfPrevious);
    m_endTimePicker = factory.datePickerBrick(rightOfPrevious);
    for (const auto& picker : { m_startTimePicker, m_endTimePicker }) {
        picker->setElements(ui::DatePicker::HourMinuteSecond);
        picker->small();
        picker->dateValueChangedFunc = [weakSelf = weak_from_this()](double) {
            if (auto self = weakSelf.lock())
                self->updateEditorDurationLabel();
        };
    }

    auto objectiveWall = makeObjectiveWall();
    auto startTime = m_startTimePicker;
    factory.internalAddBrick(objectiveWall, [startTime](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Right, A::Right);
        maker.height(40.0).minWidth(300.0);
        maker.and_(*startTime).place(A::Top, A::Bottom);
    });

    auto tagWall = factory.wall(std::nullopt, [objectiveWall](LayoutConstraintMaker& maker) {
        maker.and_(*objectiveWall).place(A::Top, A::Bottom);
        maker.container().pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0);
    });
    TagTokenFieldHelper::installTagTokenFieldInsideOfNormalWall(*tagWall, "tempTags");

    m_focusLevelPopUp = factory.popupButton([tagWall](LayoutConstraintMaker& maker) {
        maker.and_(*tagWall).pin(A::CenterX, A::CenterX, 0).place(A::Top, A::Bottom);
    });
    auto focusBinding = PopUpButtonBrickSimpleIntBinding::create(m_focusLevelPopUp, m_focusLevelTempVariable);
    focusBinding->addItem("I felt distracted", 0);
    focusBinding->addItem("My focus was good", 1);
    focusBinding->addItem("I felt highly focused", 2);
    focusBinding->addItem("I experienced \"flow\"", 3);
    focusBinding->activate();
    m_bindings.push_back(focusBinding);
    m_focusLevelLog = m_focusLevelTempVariable->addHotListener(
        [](const std::int64_t& level) { std::cout << "temp focusRating: " << level << std::endl; });

    auto popUp = m_focusLevelPopUp;
    m_completedCheckBox = factory.smartCheckBoxButton("Logged as completed", {}, [popUp](LayoutConstraintMaker& maker) {
        maker.and_(*popUp).place(A::Top, A::Bottom).pin(A::Left, A::Left, 0);
        maker.height(14.0);
        maker.container().place(A::Bottom, A::Bottom);
    });
    auto completedBinding = CheckBoxBrickBinding::create(m_completedCheckBox, m_completedTempVariable);
    completedBinding->activate();
    m_bindings.push_back(completedBinding);

    auto& buttons = editTab.factory();
    auto saveButton = buttons.pushButton("Save", std::move(save), [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Right, A::Right).place(A::Bottom, A::Bottom);
    });
    // Return from the editor's fields saves, nearer than the main window's own default
    // button; Escape reaches "Cancel" by its title.
    saveButton->setKeyEquivalent("\r");
    auto cancelButton = buttons.pushButton("Cancel", std::move(cancel), [saveButton](LayoutConstraintMaker& maker) {
        maker.and_(*saveButton).place(A::Right, A::Left).pin(A::FirstBaseline, A::FirstBaseline, 0);
    });
    // Left of the buttons, in the band they stand in: why the last save did not happen.
    m_problemLabel = buttons.label("", [cancelButton](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left);
        maker.and_(*cancelButton).pin(A::CenterY, A::CenterY, 0);
        maker.append(ui::Constraint::create(&maker.subject(), A::Right, ui::LayoutRelation::LessThanOrEqual, cancelButton.get(), A::Left, 1, -8.0));
    });
    m_problemLabel->setTextColor(gfx::Color::rgb(0.95, 0.55, 0.5));
    m_problemLabel->setFont(gfx::Font::system(gfx::Font::smallSystemFontSize));
    // Below even a fitting size's wish to be small: however long the word of a refused save,
    // the editor asks for no more width, or the window's stack squeezed the whole log book
    // out of its pad and left the pane blank.
    m_problemLabel->setContentCompressionResistancePriority(ui::LayoutPriority::FittingSizeCompression - 1, ui::Orientation::Horizontal);
    m_problemLabel->setHidden(true);
}

}
