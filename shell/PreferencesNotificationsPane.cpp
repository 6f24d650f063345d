#include "shell/PreferencesController.h"

#include "shell/PreferencesForm.h"
#include "shell/PreferencesValueTransformers.h"
#include "shell/PreferencesViews.h"

#include "attention/SoundManager.h"
#include "core/ValueTransformers.h"

#include "platform/base/Defaults.h"
#include "platform/ui/Button.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TabView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ostrel {

namespace {

constexpr const char* kTableIndexKey = "notificationPreferencesTableIndex";
constexpr double kPaneWidth = 720;
constexpr double kListHeight = 330;
constexpr double kDetailLeft = 216;
constexpr double kDetailWidth = 488;
constexpr double kDetailLabelWidth = 104;
// The detail page shown while no event is chosen.
constexpr int kNoRow = -1;

std::shared_ptr<const ValueTransformer> indexSetTransformer()
{
    if (auto named = ValueTransformer::named("IntToIndexSetTransformer"))
        return named;
    return std::make_shared<IntToIndexSetTransformer>();
}

SettingsBindingOptions minutesOfSeconds()
{
    SettingsBindingOptions options;
    options.valueTransformer = std::make_shared<SecondsToMinutesStringToIntegerValueTransformer>();
    return options;
}

std::shared_ptr<ui::TextField> minutesLabel() { return PreferencesForm::label("minutes"); }

}

void PreferencesController::addSoundRow(PreferencesForm& form, const std::string& label, std::size_t row)
{
    const auto& entry = preferencesSoundRows()[row];
    std::vector<PreferencesForm::Placed> controls;
    if (entry.onKey) {
        controls.push_back({ form.checkBox("", entry.onKey), 0 });
    } else {
        // No switch of its own: a gap of the switch's width keeps the pop-ups in line.
        double width = ui::Button::create("", ui::ButtonType::Switch)->intrinsicContentSize().width;
        controls.push_back({ ui::View::create(ui::Rect(0, 0, width, 1)), width });
    }
    auto popUp = ui::PopUpButton::create();
    popUp->setIdentifier(entry.popUpButton);
    popUp->addItems(soundLabels(*m_services.sounds, entry.list));
    std::weak_ptr<PreferencesController> weak = weak_from_this();
    std::string action = entry.action;
    ui::PopUpButton* sender = popUp.get();
    popUp->onAction = [weak, action, sender] {
        if (auto self = weak.lock())
            self->tryToPerform(action, sender);
    };
    m_soundPopUpButtons[row] = popUp;
    controls.push_back({ popUp, 170 });
    auto volume = form.slider(entry.volumeKey, 0, 1);
    volume->setToolTip("Volume");
    controls.push_back({ volume, 110 });
    form.row(label, std::move(controls));
}

void PreferencesController::addSpeechRows(PreferencesForm& form, const std::string& prefix, bool withInterval)
{
    std::vector<PreferencesForm::Placed> controls { { form.checkBox("Speak", prefix + "On"), 0 } };
    if (withInterval) {
        controls.push_back({ PreferencesForm::label("every"), 0 });
        controls.push_back({ form.textField(prefix + "Interval", minutesOfSeconds()), 44 });
        controls.push_back({ minutesLabel(), 0 });
    }
    form.row("Speech:", std::move(controls));
    form.row("", { { form.textArea(prefix + "Text"), 330 } });
}

void PreferencesController::addBannerRows(PreferencesForm& form, const std::string& prefix, const std::string& stickyKey,
    bool withInterval)
{
    std::vector<PreferencesForm::Placed> controls { { form.checkBox("Show", prefix + "On"), 0 },
        { form.checkBox("Keep on screen", stickyKey), 0 } };
    if (withInterval) {
        controls.push_back({ PreferencesForm::label("every"), 0 });
        controls.push_back({ form.textField(prefix + "Interval", minutesOfSeconds()), 44 });
        controls.push_back({ minutesLabel(), 0 });
    }
    form.row("Banner:", std::move(controls));
    form.row("Title:", { { form.textField(prefix + "Text"), 330 } });
    form.row("Message:", { { form.textField(prefix + "Description"), 330 } });
}

namespace {

// What every event's page offers: a sound, spoken text and a banner, by their keys' stems.
struct EventPage {
    int row;
    std::size_t sound;
    const char* soundLabel;
    // The reminders repeat: their sound, speech and banner each have an interval.
    const char* soundInterval;
    const char* speech;
    const char* banner;
    const char* sticky;
};

constexpr EventPage kEventPages[] = {
    { 1, 0, "Sound:", nullptr, "speechStart", "growlStart", "growlStartSticky" },
    { 2, 2, "Reminder:", "soundReminderInterval", "speechReminder", "growlReminder", "growlReminderSticky" },
    { 3, 1, "Sound:", nullptr, "speechWarning", "growlWarning", "growlWarningSticky" },
    { 4, 4, "Sound:", nullptr, "speechEnd", "growlEnd", "growlEndSticky" },
    { 5, 9, "Sound:", nullptr, "speechPaused", "growlPaused", "growlPausedSticky" },
    { 6, 10, "Sound:", nullptr, "speechStopped", "growlStopped", "growlStoppedSticky" },
    { 8, 11, "Sound:", nullptr, "speechBreakStart", "growlBreakStart", "growlBreakStartSticky" },
    { 9, 12, "Reminder:", "breakSoundReminderInterval", "breakSpeechReminder", "breakGrowlReminder", "breakGrowlReminderSticky" },
    { 10, 13, "Sound:", nullptr, "breakSpeechEnd", "breakGrowlEnd", "breakGrowlEndSticky" },
};

// The soft break's three messages, each spoken and shown.
constexpr std::array<std::array<const char*, 4>, 3> kSoftBreakMessages { {
    { "Still working", "speechSoftBreakUserStillActive", "growlSoftBreakUserStillActive", "growlSoftBreakUserStillActiveSticky" },
    { "15 seconds left", "speechSoftBreakIntermediary", "growlSoftBreakIntermediary", "growlSoftBreakIntermediaryStick" },
    { "Break starts", "speechSoftBreakFinal", "growlSoftBreakFinal", "growlSoftBreakFinalStick" },
} };

}

std::shared_ptr<ui::View> PreferencesController::buildNotificationPage(int row)
{
    PreferencesForm form(m_services.store, kDetailWidth - ui::Scroller::kWidth, kDetailLabelWidth);
    auto dimRows = [&form](const std::string& onKey, const std::string& durationKey) {
        form.row("Dimming:", { { form.checkBox("Dim the screens just before the end", onKey), 0 } });
        form.row("", { { PreferencesForm::label("for"), 0 }, { form.slider(durationKey, 1, 10, 10), 140 },
                         { PreferencesForm::label("seconds"), 0 } });
    };
    const EventPage* page = nullptr;
    for (const auto& candidate : kEventPages)
        if (candidate.row == row)
            page = &candidate;
    if (!page) {
        form.gap(120);
        form.note("Choose an event on the left to set how Ostrel tells you of it.");
    } else {
        if (row == 3)
            form.row("Warn with:", { { form.checkBox("10", "warning10MinutesOn"), 0 }, { form.checkBox("5", "warning5MinutesOn"), 0 },
                                       { form.checkBox("3", "warning3MinutesOn"), 0 }, { form.checkBox("1", "warning1MinuteOn"), 0 },
                                       { PreferencesForm::label("minutes left"), 0 } });
        addSoundRow(form, page->soundLabel, page->sound);
        bool repeats = page->soundInterval != nullptr;
        if (repeats)
            form.row("", { { PreferencesForm::label("every"), 0 }, { form.textField(page->soundInterval, minutesOfSeconds()), 44 },
                             { minutesLabel(), 0 } });
        if (row == 2) {
            addSoundRow(form, "Background:", 3);
            form.note("A continuous sound plays while the time slice runs.");
        }
        addSpeechRows(form, page->speech, repeats);
        addBannerRows(form, page->banner, page->sticky, repeats);
    }
    if (row == 3) {
        dimRows("dimBeforeEndOfTimeSlice", "endOfTimeSliceDimDuration");
        form.row("Darkness:", { { form.slider("dimmingAlpha", 0.1, 1), 160 } });
    }
    if (row == 10)
        dimRows("dimBeforeEndOfTimedBreak", "endOfTimedBreakDimDuration");
    if (row == 4) {
        form.heading("Soft Break");
        addSoundRow(form, "First tick:", 5);
        addSoundRow(form, "Second tick:", 6);
        addSoundRow(form, "Between ticks:", 8);
        addSoundRow(form, "Break starts:", 7);
        form.row("Flash screens:", { { form.popUp("softBreakScreenFlashingChoice", { { "Never", 0 }, { "When the break starts", 1 },
                                                                                       { "At every tick", 3 } }),
                                         0 } });
        for (const auto& [title, speech, banner, sticky] : kSoftBreakMessages) {
            form.heading(title);
            addSpeechRows(form, speech, false);
            addBannerRows(form, banner, sticky, false);
        }
    }
    form.note("In spoken texts and banners, <MinutesLeft> stands for the time left.");

    auto scroll = PreferencesBorderedScrollView::create();
    scroll->setContentView(ui::ClipView::create(true));
    scroll->setHasVerticalScroller(true);
    scroll->setAutohidesScrollers(true);
    scroll->setFrame(ui::Rect(0, 0, kDetailWidth, kListHeight));
    scroll->setDocumentView(form.view());
    return scroll;
}

void PreferencesController::buildNotificationFooter(PreferencesForm& form)
{
    m_soundOutputDevicePopUpButton = ui::PopUpButton::create();
    m_soundOutputDevicePopUpButton->addItems(audioDevices());
    std::weak_ptr<PreferencesController> weak = weak_from_this();
    ui::PopUpButton* devices = m_soundOutputDevicePopUpButton.get();
    m_soundOutputDevicePopUpButton->onAction = [weak, devices] {
        if (auto self = weak.lock())
            self->tryToPerform("changeSoundOutputDevice:", devices);
    };
    // As wide as its longest device name asks, so that no name runs under the arrows.
    double width = std::max(300.0, std::ceil(m_soundOutputDevicePopUpButton->intrinsicContentSize().width));
    form.row("Play sounds on:", { { m_soundOutputDevicePopUpButton, width } });
    auto tags = PreferencesForm::button("Speech Tags…", [weak] {
        if (auto self = weak.lock())
            self->tryToPerform("showSpeechTagsHelpTopic:", self.get());
    });
    form.row("Speaking volume:", { { form.slider("speechReminderVolume", 0, 1), 160 }, { tags, 0 } });
    form.row("Show banners as:", { { form.popUp("notificationsSystem", { { "Ostrel's own windows", 0 }, { "Desktop notifications", 1 } }), 0 } });
}

void PreferencesController::buildNotificationsPane()
{
    auto pane = PreferencesForm::sheet(ui::Size(kPaneWidth, 0));

    m_notificationTable = ui::TableView::create();
    m_notificationTable->setDataSource(this);
    auto list = PreferencesBorderedScrollView::create();
    list->setContentView(ui::ClipView::create(true));
    list->setFrame(ui::Rect(16, 16, kDetailLeft - 26, kListHeight));
    list->setDocumentView(m_notificationTable);
    m_notificationTable->setFrame(ui::Rect(0, 0, kDetailLeft - 26, 0));
    m_notificationTable->reloadData();

    m_notificationDetailTabView = PreferencesTablessTabView::create();
    m_notificationDetailTabView->setFrame(ui::Rect(kDetailLeft, 16, kDetailWidth, kListHeight));
    for (int row = kNoRow; row < static_cast<int>(m_notificationTableLabelArray.size()); ++row) {
        if (row != kNoRow && isGroupRow(*m_notificationTable, row))
            continue;
        auto item = ui::TabViewItem::create(row);
        item->sharedView()->addSubview(buildNotificationPage(row));
        m_notificationDetailTabView->addItem(item);
    }

    PreferencesForm footer(m_services.store, kPaneWidth, kDetailLeft - PreferencesForm::kMargin);
    buildNotificationFooter(footer);
    footer.view()->setFrameOrigin(ui::Point(0, 16 + kListHeight + 6));

    pane->addSubview(list);
    pane->addSubview(m_notificationDetailTabView);
    pane->addSubview(footer.view());
    pane->setFrameSize(ui::Size(kPaneWidth, 16 + kListHeight + 6 + footer.height()));
    addPane("Notifications", "Notifications", pane);

    // The table's selection and the stored row follow each other, through the index-set
    // transformer, for as long as the window lives.
    std::weak_ptr<PreferencesController> weak = weak_from_this();
    auto showStoredRow = [weak] {
        auto self = weak.lock();
        if (!self || !self->m_notificationTable)
            return;
        auto stored = self->m_services.store->object(kTableIndexKey).value_or(base::Value());
        auto rows = IntToIndexSetTransformer::indexSet(indexSetTransformer()->transformedValue(stored));
        int row = kNoRow;
        for (int candidate : rows) {
            if (candidate < self->numberOfRows(*self->m_notificationTable) && self->shouldSelectRow(*self->m_notificationTable, candidate)) {
                row = candidate;
                break;
            }
        }
        if (row == kNoRow)
            self->m_notificationTable->deselectAll();
        else
            self->m_notificationTable->selectRow(row);
        self->showNotificationRow(row);
    };
    m_windowObservations.push_back(m_services.store->addObserver(kTableIndexKey, [showStoredRow](const std::string&) { showStoredRow(); }));
    showStoredRow();
}

void PreferencesController::showNotificationRow(int row)
{
    if (!m_notificationDetailTabView)
        return;
    for (const auto& item : m_notificationDetailTabView->items()) {
        auto* identifier = std::any_cast<int>(&item->identifier());
        if (identifier && *identifier == row) {
            m_notificationDetailTabView->selectItem(item);
            return;
        }
    }
}

std::string PreferencesController::objectValueForRow(int row) const
{
    return row >= 0 && row < static_cast<int>(m_notificationTableLabelArray.size()) ? m_notificationTableLabelArray[static_cast<std::size_t>(row)]
                                                                                   : std::string();
}

int PreferencesController::numberOfRows(ui::TableView&) { return static_cast<int>(m_notificationTableLabelArray.size()); }

std::shared_ptr<ui::View> PreferencesController::viewForRow(ui::TableView& table, int row)
{
    bool group = isGroupRow(table, row);
    return PreferencesTableCell::create(ui::Rect(0, 0, table.bounds().width(), heightOfRow(table, row)), objectValueForRow(row),
        group ? gfx::Font::boldSystem(gfx::Font::systemFontSize) : gfx::Font::system(gfx::Font::systemFontSize), group ? 6 : 10);
}

double PreferencesController::heightOfRow(ui::TableView& table, int row) { return isGroupRow(table, row) ? 21 : 19; }

bool PreferencesController::isGroupRow(ui::TableView&, int row) { return row == 0 || row == 7; }

bool PreferencesController::shouldSelectRow(ui::TableView& table, int row) { return !isGroupRow(table, row); }

void PreferencesController::selectionDidChange(ui::TableView& table)
{
    if (&table != m_notificationTable.get())
        return;
    auto stored = indexSetTransformer()->reverseTransformedValue(IntToIndexSetTransformer::indexSetValue(table.selectedRowIndexes()));
    // An empty selection keeps the stored row: the next opening shows it again.
    if (!stored.isNull() && m_services.store->object(kTableIndexKey) != std::optional(stored))
        m_services.store->set(kTableIndexKey, stored);
    showNotificationRow(table.selectedRow());
}

}
