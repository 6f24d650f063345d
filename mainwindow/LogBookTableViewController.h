#pragma once

#include "mainwindow/LogBookRowHeights.h"

#include "log/LogFileManager.h"
#include "viewkit/NiblessViewController.h"

#include "platform/base/Time.h"
#include "platform/ui/TableView.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class Button;
class Menu;
class ScrollView;
}

namespace ostrel {

class FullTimeSlice;
class LogBookColumnView;
class LogBookTableView;
class LogEntryEditor;
class TabWall;
class Wall;

// The Log Book pad: every logged slice of the log folder, the latest first, one row each with
// its date, duration, focus level, objective and tags and a pull-down of row actions; and, on
// a second page, the entry editor. Rows are addressed by their file and their place in it,
// so two entries that share an identifier are never mistaken for each other.
class LogBookTableViewController : public NiblessViewController, public ui::TableViewDataSource,
                                   public LogFileManagerListener {
public:
    // How far apart two deletions may be for the second to go unasked.
    static constexpr double kDeletionConfirmationSeconds = 60;
    static constexpr double kMinimumWidth = 430;

    const std::vector<std::shared_ptr<FullTimeSlice>>& dataSet() const { return m_dataSet; }
    const std::shared_ptr<LogBookTableView>& tableView() const { return m_tableView; }
    const std::shared_ptr<ui::ScrollView>& scrollView() const { return m_scrollView; }
    double dateThatDeletionAlertWasLastAccepted() const { return m_dateThatDeletionAlertWasLastAccepted; }
    const std::shared_ptr<TabWall>& tabWall() const { return m_tabWall; }
    const std::shared_ptr<Wall>& logBookTab() const { return m_logBookTab; }
    const std::shared_ptr<Wall>& editTab() const { return m_editTab; }
    const std::optional<std::string>& editUUID() const { return m_editUUID; }
    const std::shared_ptr<LogEntryEditor>& editor() const { return m_editor; }
    // The main window's "+" button, hidden while the editor shows.
    void setAddLogEntryButton(const std::shared_ptr<ui::Button>& button) { m_addLogEntryButton = button; }

    void build() override;
    void reloadSystemLog();
    void logFilesWereUpdated() override { reloadSystemLog(); }
    // The rows' heights again, after the table's width changed.
    void viewDidLayout();

    int numberOfRows(ui::TableView& table) override;
    std::shared_ptr<FullTimeSlice> objectValueFor(int row) const;
    std::shared_ptr<ui::View> viewForRow(ui::TableView& table, int row) override;
    double heightOfRow(ui::TableView& table, int row) override;
    // Return on a row edits it; Shift+F10 and the menu key show the row's pull-down items.
    std::shared_ptr<ui::Menu> menuForRow(ui::TableView& table, int row) override;
    bool activateRow(ui::TableView& table, int row) override;
    void selectionDidChange(ui::TableView& table) override;

    // The row actions.
    void makeCurrentObjective(int row);
    void deleteRow(int row);

    // The editor's page.
    void startNewLogEntry();
    void startEdit(int row);
    // False, with a message and the editor still open, when the entry could not be written
    // (its day file is read-only, or the write failed): one alert, and the reason beside
    // the buttons.
    bool saveEdit();
    void cancelEdit();
    // On the way out: the entry open in the editor is saved when the user changed anything
    // in it. False when it could not be.
    bool saveOpenEditor();
    void updateEditorDurationLabel();
    std::optional<double> computeStartDate() const;
    double computeEditorDuration() const;
    bool isCurrentlyOnEditingTab() const;

    // What a row's cell shows, worked out from its record.
    static std::string durationText(double actualDuration);
    static std::string tagText(const std::string& tagString);
    static std::string focusText(const std::string& focusRating);
    // The start as the row's top line: date and time, in the words of a language ("en", "ja").
    static std::string dateLine(double startDate, const std::string& language);
    // The title of the menu item that opens a link of the objective.
    static std::string linkItemTitle(const std::string& link);

protected:
    friend class NiblessViewController;
    LogBookTableViewController() = default;

private:
    void internalStartEdit(const FullTimeSlice& record);
    // The row actions, for the row's pull-down and its keyboard menu alike.
    void addRowItems(ui::Menu& menu, const std::shared_ptr<FullTimeSlice>& record);
    void showTablePage();
    // The editor closed: the table takes the keyboard back (from the editor's page, which
    // hides), with the entry's row selected now and again once a reload brings its new record,
    // unless the user chose another row meanwhile. Without an entry (a new one cancelled) the
    // row selected before stays so.
    void returnToTable(const std::optional<std::string>& uuid);
    // Selects the row of the entry with that identifier, in sight; false when none shows it.
    bool selectRowOf(const std::string& uuid);
    // The record as the current data set holds it now: same file, same place, same identifier.
    bool isStillLogged(const FullTimeSlice& record) const;
    text::LayoutDefaults rowTextDefaults() const;
    // Says why the entry was not saved: beside the editor's buttons, and in an alert unless
    // whatever failed below already showed one.
    void reportUnsaved(const std::string& why, std::uint64_t alertsBefore) const;
    // A day file the user made read-only is left as it is; says so when it is one.
    bool refuseReadOnly(const std::string& path, const char* what) const;

    std::vector<std::shared_ptr<FullTimeSlice>> m_dataSet;
    std::shared_ptr<LogBookTableView> m_tableView;
    std::shared_ptr<ui::ScrollView> m_scrollView;
    double m_dateThatDeletionAlertWasLastAccepted { base::Time::distantPast() };
    std::shared_ptr<TabWall> m_tabWall;
    std::shared_ptr<Wall> m_logBookTab;
    std::shared_ptr<Wall> m_editTab;
    std::optional<std::string> m_editUUID;
    // The row the editor was opened on, for its file and its place in it.
    std::shared_ptr<const FullTimeSlice> m_editedRecord;
    std::shared_ptr<LogEntryEditor> m_editor;
    // The entry whose row the next reload selects: one just saved is read back with it.
    std::optional<std::string> m_rowToSelect;
    bool m_selectingForEditor { false };
    std::weak_ptr<ui::Button> m_addLogEntryButton;
    LogBookRowHeights m_rowHeights;
    text::LayoutDefaults m_rowTextDefaults;
};

}
