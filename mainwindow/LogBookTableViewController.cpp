#include "mainwindow/LogBookTableViewController.h"

#include "mainwindow/LogBookColumnView.h"
#include "mainwindow/LogBookTableView.h"
#include "mainwindow/LogEntryEditor.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "mainwindow/ObjectiveTextView.h"
#include "mainwindow/SpecialScroller.h"

#include "core/Clock.h"
#include "core/DateHelper.h"
#include "core/RTFHelper.h"
#include "core/ZrLog.h"
#include "drawing/OstrelStyleKit.h"
#include "log/BackingStoreManager.h"
#include "log/FullDataSet.h"
#include "log/Logger.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/SmartMenuItem.h"
#include "viewkit/TabWall.h"
#include "viewkit/Wall.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/DateFormat.h"
#include "platform/base/Defaults.h"
#include "platform/base/Files.h"
#include "platform/desktop/Opener.h"
#include "platform/ui/Button.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextView.h"
#include "platform/ui/Window.h"

#include <glib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

namespace ostrel {

namespace {

using A = ui::LayoutAttribute;

// The log manager keeps its listeners for good; this one lets the controller go.
class ListenerForwarder : public LogFileManagerListener {
public:
    explicit ListenerForwarder(std::weak_ptr<LogBookTableViewController> controller)
        : m_controller(std::move(controller))
    {
    }
    void logFilesWereUpdated() override
    {
        if (auto controller = m_controller.lock())
            controller->logFilesWereUpdated();
    }

private:
    std::weak_ptr<LogBookTableViewController> m_controller;
};

std::string upperCased(const std::string& text)
{
    gchar* upper = g_utf8_strup(text.c_str(), gssize(text.size()));
    std::string result(upper ? upper : "");
    g_free(upper);
    return result;
}

bool beginsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}

void LogBookTableViewController::build()
{
    auto view = Wall::create();
    setView(view);
    // Wide enough for the editor's first row (title, date and the duration in words).
    LayoutConstraintMaker width(*view);
    width.minWidth(kMinimumWidth);
    view->addConstraints(width.constraints());
    m_tabWall = TabWall::create();
    view->factory().internalAddBrick(m_tabWall, [](LayoutConstraintMaker& maker) { maker.fillContainer(); });
    m_logBookTab = m_tabWall->createNewWall();
    m_editTab = m_tabWall->createNewWall();
    m_logBookTab->setBackgroundColor(gfx::colors::clear);
    m_editTab->setBackgroundColor(gfx::colors::clear);

    m_tableView = LogBookTableView::create();
    m_tableView->setBackgroundColor(gfx::colors::clear);
    m_tableView->setBackgroundColor(OstrelStyleKit::n2());
    std::weak_ptr<LogBookTableViewController> weakSelf = std::static_pointer_cast<LogBookTableViewController>(shared_from_this());
    m_tableView->onWidthChange = [weakSelf] {
        if (auto self = weakSelf.lock())
            self->viewDidLayout();
    };
    m_scrollView = ui::ScrollView::create();
    m_scrollView->setContentView(ui::ClipView::create(true));
    m_scrollView->setDocumentView(m_tableView);
    m_scrollView->setDrawsBackground(false);
    m_scrollView->setHasVerticalScroller(true);
    m_scrollView->setAutohidesScrollers(true);
    m_scrollView->setVerticalScroller(SpecialScroller::create());
    // Beside the rows, not over their menus.
    m_scrollView->setScrollerBeside(true);
    m_scrollView->setContentCompressionResistancePriority(750, ui::Orientation::Vertical);
    m_logBookTab->factory().internalAddBrick(m_scrollView, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, 0).pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0);
    });
    m_tableView->setDataSource(this);

    reloadSystemLog();
    LogFileManager::sharedInstance().addListener(std::make_shared<ListenerForwarder>(weakSelf));

    m_editor = LogEntryEditor::create();
    m_editor->build(
        *m_editTab,
        [weakSelf] {
            if (auto self = weakSelf.lock())
                self->saveEdit();
        },
        [weakSelf] {
            if (auto self = weakSelf.lock())
                self->cancelEdit();
        });
    m_tabWall->selectItem(0);
}

text::LayoutDefaults LogBookTableViewController::rowTextDefaults() const
{
    auto& pads = NowAndLaterBoardManager::sharedManager();
    return { pads.defaultFont(), pads.textColor() };
}

void LogBookTableViewController::reloadSystemLog()
{
    m_dataSet.clear();
    if (auto current = LogFileManager::sharedInstance().currentFullDataSet())
        m_dataSet = current->fullTimeSlices();
    m_rowTextDefaults = rowTextDefaults();
    m_selectingForEditor = true;
    if (m_tableView)
        m_tableView->reloadData();
    m_selectingForEditor = false;
    if (m_rowToSelect && selectRowOf(*m_rowToSelect))
        m_rowToSelect.reset();
}

bool LogBookTableViewController::selectRowOf(const std::string& uuid)
{
    if (!m_tableView)
        return false;
    for (std::size_t row = 0; row < m_dataSet.size(); ++row) {
        if (m_dataSet[row]->uuid() != uuid)
            continue;
        m_selectingForEditor = true;
        m_tableView->selectRow(static_cast<int>(row));
        m_selectingForEditor = false;
        m_tableView->scrollRowToVisible(static_cast<int>(row));
        return true;
    }
    return false;
}

void LogBookTableViewController::returnToTable(const std::optional<std::string>& uuid)
{
    // The table is out of the window while the editor's page shows: the window is the pad's.
    auto* window = view() ? view()->window() : nullptr;
    auto* focused = window ? dynamic_cast<ui::View*>(window->firstResponder()) : nullptr;
    // Only the keyboard that was in the editor (or on nothing) comes back; one the user took
    // elsewhere meanwhile stays there.
    bool keyboardInEditor = window && (!focused || focused == window->contentView() || (m_editTab && focused->isDescendantOf(m_editTab.get())));
    showTablePage();
    // Selected now, and again by the reload a save brings, which may move the row.
    m_rowToSelect = uuid;
    if (uuid)
        selectRowOf(*uuid);
    if (keyboardInEditor && m_tableView)
        window->giveKeyboardTo(m_tableView.get());
}

void LogBookTableViewController::viewDidLayout()
{
    if (m_tableView)
        m_tableView->noteHeightsOfRowsChanged();
}

int LogBookTableViewController::numberOfRows(ui::TableView&) { return static_cast<int>(m_dataSet.size()); }

std::shared_ptr<FullTimeSlice> LogBookTableViewController::objectValueFor(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_dataSet.size())
        return nullptr;
    return m_dataSet[static_cast<std::size_t>(row)];
}

double LogBookTableViewController::heightOfRow(ui::TableView& table, int row)
{
    auto record = objectValueFor(row);
    if (!record)
        return table.rowHeight();
    double extra = record->tagString().empty() ? 33.0 : 56.0;
    // Out of sight (the pad closed, the editor showing) the table has no width worth laying
    // out for: the rows are measured once it shows again.
    if (!table.window() || table.bounds().width() < 1)
        return extra;
    double width = table.bounds().width() - 20.0;
    if (!m_rowHeights.holdsFor(width, m_rowTextDefaults)) {
        // The heights the records keep were measured at another width or with other fonts.
        for (const auto& each : m_dataSet)
            each->setLastHeight(-1.0);
    } else if (double kept = record->lastHeight(); kept >= 0) {
        return kept;
    }
    // One cache for every row: it knows the width and fonts its heights hold for, and a
    // reload's new records find their objectives' heights there.
    double height = m_rowHeights.textHeight(record->objectiveText(), width, m_rowTextDefaults) + extra;
    record->setLastHeight(height);
    return height;
}

std::string LogBookTableViewController::durationText(double actualDuration)
{
    // A duration that is no number, or no whole number of seconds a day file could hold,
    // shows as none.
    std::int64_t seconds = 0;
    if (std::isfinite(actualDuration) && std::fabs(actualDuration) < double(std::numeric_limits<std::int64_t>::max() / 2))
        seconds = static_cast<std::int64_t>(actualDuration);
    return upperCased(DateHelper::sharedHelper().formatNumberOfSecondsAsHoursAndMinutes(seconds));
}

std::string LogBookTableViewController::tagText(const std::string& tagString)
{
    std::string joined;
    std::size_t from = 0;
    while (from <= tagString.size()) {
        std::size_t comma = tagString.find(',', from);
        std::string piece = tagString.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (!piece.empty())
            joined += (joined.empty() ? "" : ", ") + piece;
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
    return joined;
}

std::string LogBookTableViewController::dateLine(double startDate, const std::string& language)
{
    // The English "at" joins an English date only; other languages have the locale's own form.
    if (language == "en") {
        auto& dates = DateHelper::sharedHelper();
        return dates.formattedDate(startDate) + " at " + dates.formattedTime(startDate);
    }
    return base::DateFormat::formatStyled(startDate, base::DateFormat::Style::Medium, base::DateFormat::Style::Medium);
}

std::string LogBookTableViewController::focusText(const std::string& focusRating)
{
    return focusRating == "experienced flow" ? "FLOW" : upperCased(focusRating);
}

std::string LogBookTableViewController::linkItemTitle(const std::string& link)
{
    if (beginsWith(link, "ostrel2things:"))
        return "Show task in Things";
    if (beginsWith(link, "omnifocus:"))
        return "Show task in OmniFocus";
    return "Open \"" + link + "\"";
}

void LogBookTableViewController::addRowItems(ui::Menu& menu, const std::shared_ptr<FullTimeSlice>& record)
{
    std::weak_ptr<LogBookTableViewController> weakSelf = std::static_pointer_cast<LogBookTableViewController>(shared_from_this());
    std::weak_ptr<FullTimeSlice> weakRecord = record;
    auto onRecord = [weakSelf, weakRecord, uuid = record->uuid()](void (LogBookTableViewController::*action)(int)) {
        return [weakSelf, weakRecord, uuid, action] {
            auto self = weakSelf.lock();
            if (!self)
                return;
            // The row the record has now: a reload between showing the menu and choosing
            // from it may have moved it, or read its day file again into a new record.
            auto& rows = self->m_dataSet;
            auto record = weakRecord.lock();
            auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return record && r == record; });
            if (row == rows.end())
                row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r->uuid() == uuid; });
            if (row != rows.end())
                ((*self).*action)(static_cast<int>(row - rows.begin()));
        };
    };
    menu.addItem(SmartMenuItem::create("Make current objective", onRecord(&LogBookTableViewController::makeCurrentObjective)));
    if (record->isRTFD()) {
        menu.addItem(SmartMenuItem::create("Edit...", onRecord(&LogBookTableViewController::startEdit)));
        menu.addItem(SmartMenuItem::create("Delete", onRecord(&LogBookTableViewController::deleteRow)));
    }
    for (const auto& link : record->extractedLinks()) {
        if (!desktop::Opener::isLink(link))
            continue;
        // The day file may come from another computer: only web and mail links open unasked.
        menu.addItem(SmartMenuItem::create(linkItemTitle(link), [link] { desktop::Opener::openLinkOnClick(link); }));
    }
}

std::shared_ptr<ui::Menu> LogBookTableViewController::menuForRow(ui::TableView&, int row)
{
    auto record = objectValueFor(row);
    if (!record)
        return nullptr;
    auto menu = ui::Menu::create();
    addRowItems(*menu, record);
    return menu;
}

bool LogBookTableViewController::activateRow(ui::TableView&, int row)
{
    // Opening a row edits it; a row of a plain-text file is never rewritten, so it opens nothing.
    auto record = objectValueFor(row);
    if (record && record->isRTFD())
        startEdit(row);
    return true;
}

void LogBookTableViewController::selectionDidChange(ui::TableView& table)
{
    // A row the user chose stays chosen through the next reload.
    if (!m_selectingForEditor)
        m_rowToSelect.reset();
    for (int row = 0; row < table.numberOfRows(); ++row)
        if (auto* cell = dynamic_cast<LogBookColumnView*>(table.viewAtRow(row)))
            cell->setSelected(table.selectedRowIndexes().count(row) > 0);
}

std::shared_ptr<ui::View> LogBookTableViewController::viewForRow(ui::TableView& table, int row)
{
    auto record = objectValueFor(row);
    if (!record)
        return nullptr;
    auto cell = LogBookColumnView::create();
    cell->setTranslatesAutoresizingMaskIntoConstraints(false);
    cell->setSelected(table.selectedRowIndexes().count(row) > 0);

    auto pullDown = ui::PopUpButton::create(true);
    pullDown->addItem("");
    addRowItems(*pullDown->menu(), record);
    pullDown->setControlSize(ui::ControlSize::Mini);
    pullDown->setBezelStyle(ui::BezelStyle::Borderless);
    cell->factory().internalAddBrick(pullDown, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Right, A::Right, -2.0).pin(A::Top, A::Top, 2.0);
    });

    cell->startDateAttributedString = LogBookLabel { dateLine(record->startDate(), base::DateFormat::language()),
        LogBookTextAttributes::objectiveLabelAttributes() };
    cell->durationAttributedString = LogBookLabel { durationText(record->actualDuration()), LogBookTextAttributes::durationLabelAttributes() };

    auto objective = ui::TextView::create();
    objective->setEditable(false);
    objective->setDrawsBackground(false);
    objective->setDefaults(m_rowTextDefaults);
    objective->setAttributedString(record->objectiveText());
    objective->setTranslatesAutoresizingMaskIntoConstraints(false);
    cell->addSubview(objective);
    LayoutConstraintMaker maker(*objective);
    // Inside the row's right edge: a right-to-left objective ends there, not 4 points past it.
    maker.container().pin(A::Left, A::Left, 3.0).pin(A::Right, A::Right, -4.0).pin(A::Top, A::Top, 25.0).pin(A::Bottom, A::Bottom, 0.0);
    cell->addConstraints(maker.constraints());

    if (!record->tagString().empty())
        cell->tagAttributedString = LogBookLabel { tagText(record->tagString()), LogBookTextAttributes::tagLabelAttributes() };

    const std::string& focus = record->focusRating();
    const LogBookTextStyle& focusStyle = focus == "experienced flow" ? LogBookTextAttributes::flowFocusAttributes()
        : focus == "highly focused"                                  ? LogBookTextAttributes::highlyFocusedAttributes()
        : focus == "good"                                            ? LogBookTextAttributes::goodFocusAttributes()
        : focus == "distracted"                                      ? LogBookTextAttributes::distractedFocusAttributes()
                                                                     : LogBookTextAttributes::unknownFocusAttributes();
    cell->focusLevelAttributedString = LogBookLabel { focusText(focus), focusStyle };
    return cell;
}

void LogBookTableViewController::makeCurrentObjective(int row)
{
    auto record = objectValueFor(row);
    if (!record)
        return;
    std::string data = record->objectiveAsRTFD();
    auto store = base::Defaults::standard();
    store->set("objective", base::Value::Data(data.begin(), data.end()));
    store->set("tags", record->tagString());
}

bool LogBookTableViewController::isStillLogged(const FullTimeSlice& record) const
{
    auto current = LogFileManager::sharedInstance().currentFullDataSet();
    if (!current || !record.fullPathOfLogFile() || !record.positionInFile())
        return false;
    for (const auto& candidate : current->fullTimeSlices()) {
        if (candidate->fullPathOfLogFile() == record.fullPathOfLogFile() && candidate->positionInFile() == record.positionInFile())
            return candidate->uuid() == record.uuid();
    }
    return false;
}

void LogBookTableViewController::deleteRow(int row)
{
    auto record = objectValueFor(row);
    if (!record)
        return;
    double now = Clock::now();
    if (std::fabs(now - m_dateThatDeletionAlertWasLastAccepted) > kDeletionConfirmationSeconds) {
        base::AlertRequest alert;
        alert.message = "Are you sure you want to permanently delete this time slice?";
        alert.informativeText = "This operation cannot be undone.";
        alert.buttons = { "OK", "Cancel" };
        alert.destructive = true;
        if (base::AlertPresenter::present(alert).button != 0)
            return;
        m_dateThatDeletionAlertWasLastAccepted = now;
    }
    m_editUUID = record->uuid();
    // The entry is the one at this place of its file, whatever other entry shares its identifier.
    if (isStillLogged(*record)) {
        const std::string& path = *record->fullPathOfLogFile();
        if (!refuseReadOnly(path, "deleted")) {
            auto before = base::AlertPresenter::presentedCount();
            auto file = LogFileManager::sharedInstance().createOrRetrieveLogFile(path);
            if (!file->deleteAndSave(record->uuid(), record->positionInFile()) && base::AlertPresenter::presentedCount() == before) {
                base::AlertRequest alert;
                alert.message = "The log entry could not be deleted.";
                alert.informativeText = "Its day file changed since the log book was read. The entry is left as it is.";
                base::AlertPresenter::present(alert);
            }
        }
    } else {
        zr_log("log book: the entry to delete is no longer in the log; nothing was changed");
    }
    showTablePage();
}

bool LogBookTableViewController::refuseReadOnly(const std::string& path, const char* what) const
{
    if (!base::files::isMarkedReadOnly(path))
        return false;
    std::string name = std::filesystem::path(path).filename().string();
    zr_log("log book: %s is read-only and is not %s", path.c_str(), what);
    base::AlertRequest alert;
    alert.message = std::string("The log entry could not be ") + what + ".";
    alert.informativeText = "Its day file \"" + name + "\" is read-only, and Ostrel does not change a file you made read-only.";
    base::AlertPresenter::present(alert);
    return true;
}

void LogBookTableViewController::showTablePage()
{
    if (auto button = m_addLogEntryButton.lock())
        button->setHidden(false);
    if (m_tabWall && m_tabWall->indexOfSelectedItem() != std::optional<std::size_t>(0)) {
        m_tabWall->selectItem(0);
        m_tabWall->setNeedsDisplay();
    }
}

bool LogBookTableViewController::isCurrentlyOnEditingTab() const
{
    if (!m_tabWall || !m_editTab)
        return false;
    auto found = m_tabWall->contentWallToTabViewItemDict().find(m_editTab.get());
    return found != m_tabWall->contentWallToTabViewItemDict().end() && found->second.get() == m_tabWall->selectedItem();
}

void LogBookTableViewController::internalStartEdit(const FullTimeSlice& record)
{
    m_rowToSelect.reset();
    if (auto button = m_addLogEntryButton.lock())
        button->setHidden(true);
    if (!isCurrentlyOnEditingTab()) {
        m_tabWall->selectItem(1);
        m_tabWall->setNeedsDisplay();
    }
    m_editor->fill(record);
}

void LogBookTableViewController::startEdit(int row)
{
    auto record = objectValueFor(row);
    if (!record)
        return;
    m_editUUID = record->uuid();
    m_editedRecord = record;
    internalStartEdit(*record);
}

void LogBookTableViewController::startNewLogEntry()
{
    m_editUUID.reset();
    m_editedRecord.reset();
    FullTimeSlice entry;
    // The current objective: package data, or plain rich text as older settings hold it.
    auto objective = RTFHelper::sharedInstance().attributedStringFromData(base::Defaults::standard()->data("objective"));
    entry.setObjectiveText(objective.value_or(text::AttributedString {}));
    entry.setDuration(1200.0);
    entry.setActualDuration(1200.0);
    entry.setStartDate(Clock::now() - 1200.0);
    internalStartEdit(entry);
}

void LogBookTableViewController::updateEditorDurationLabel() { m_editor->updateEditorDurationLabel(); }
std::optional<double> LogBookTableViewController::computeStartDate() const { return m_editor->computeStartDate(); }
double LogBookTableViewController::computeEditorDuration() const { return m_editor->computeEditorDuration(); }

void LogBookTableViewController::reportUnsaved(const std::string& why, std::uint64_t alertsBefore) const
{
    if (m_editor)
        m_editor->showProblem("Not saved: " + why);
    if (base::AlertPresenter::presentedCount() != alertsBefore)
        return;
    base::AlertRequest alert;
    alert.message = "The log entry could not be saved.";
    alert.informativeText = why + " The editor stays open, so nothing you entered is lost.";
    base::AlertPresenter::present(alert);
}

bool LogBookTableViewController::saveOpenEditor()
{
    if (!m_editor || !isCurrentlyOnEditingTab() || !m_editor->hasUnsavedChanges())
        return true;
    return saveEdit();
}

bool LogBookTableViewController::saveEdit()
{
    auto alertsBefore = base::AlertPresenter::presentedCount();
    auto start = computeStartDate();
    if (!start) {
        reportUnsaved("The date and time it starts at do not make a date.", alertsBefore);
        return false;
    }
    double duration = computeEditorDuration();
    auto record = std::make_shared<FullTimeSlice>();
    // Changed in place only while the log still holds it where it was read: otherwise it
    // goes in anew, under an identifier of its own.
    bool replacing = m_editUUID && m_editedRecord && isStillLogged(*m_editedRecord);
    record->setUuid(replacing ? *m_editUUID : BackingStoreManager::createUUID());
    record->setObjectiveText(m_editor->objectiveTextView()->textStorage());
    record->setObjective(m_editor->objectiveTextView()->string());
    record->setCompleted(m_editor->completedTempVariable()->value());
    record->setTagString(base::Defaults::standard()->string("tempTags").value_or(""));
    record->setFocusRating(Logger::concentrationLevelStringForTag(m_editor->focusLevelTempVariable()->value()));
    record->setDuration(duration);
    record->setActualDuration(duration);
    record->setStartDate(*start);
    record->setEndDate(*start + duration);

    auto& manager = LogFileManager::sharedInstance();
    std::string path;
    if (replacing) {
        path = *m_editedRecord->fullPathOfLogFile();
    } else if (auto log = Logger::sharedLogger().systemLogBackingStoreDesc()) {
        path = log->getPathToFileForDate(*start);
    }
    if (path.empty()) {
        reportUnsaved("There is no log folder to write it to.", alertsBefore);
        return false;
    }
    if (base::files::isMarkedReadOnly(path)) {
        zr_log("log book: %s is read-only and is not written", path.c_str());
        reportUnsaved("Its day file \"" + std::filesystem::path(path).filename().string()
                + "\" is read-only, and Ostrel does not change a file you made read-only.",
            alertsBefore);
        return false;
    }
    auto file = manager.createOrRetrieveLogFile(path);
    bool written = replacing ? file->addOrReplaceThenSaveAndUpdate(*record, *m_editUUID, m_editedRecord->positionInFile())
                             : file->addOrReplaceThenSaveAndUpdate(*record, record->uuid());
    if (!written) {
        reportUnsaved("Its day file could not be written.", alertsBefore);
        return false;
    }
    m_editor->showProblem({});
    returnToTable(record->uuid());
    return true;
}

void LogBookTableViewController::cancelEdit() { returnToTable(m_editUUID); }

}
