// The log book: its cells, row actions and heights, the deletion's 60-second confirmation,
// and the entry editor's edge cases.
#include "MainWindowFixture.h"

#include "mainwindow/LogBookColumnView.h"
#include "mainwindow/LogBookRowHeights.h"
#include "mainwindow/LogBookTableView.h"
#include "mainwindow/LogBookTableViewController.h"
#include "mainwindow/LogEntryEditor.h"
#include "mainwindow/ObjectiveTextView.h"
#include "mainwindow/PadTable.h"

#include "log/FullDataSet.h"
#include "log/LogFile.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/DatePickerBrick.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "tests/support/WithoutPermissionOverride.h"

#include "platform/base/Calendar.h"
#include "platform/text/Rtfd.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/TextField.h"

#include <cmath>

namespace ostrel::test {

namespace {

namespace fs = std::filesystem;

class LogBookTest : public MainWindowTest {
protected:
    LogBookTableViewController& logBook()
    {
        mainWindow().showPad("logBookPadHidden");
        window().layoutIfNeeded();
        return *mainWindow().logBookTableViewController();
    }
    static double local(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
    {
        return base::Calendar::current().moment({ year, month, day, hour, minute, second, 0 });
    }
    std::string dayFile(double date) const { return Logger::sharedLogger().systemLogBackingStoreDesc()->getPathToFileForDate(date); }
    // An entry written into its day's file, the log read again.
    void log(const std::string& uuid, double start, const std::string& objective = "Write", const std::string& tags = "",
        const std::string& focus = "good")
    {
        FullTimeSlice record;
        record.setUuid(uuid);
        record.setObjectiveText(text::AttributedString::fromUtf8(objective));
        record.setStartDate(start);
        record.setDuration(1500);
        record.setActualDuration(1500);
        record.setTagString(tags);
        record.setFocusRating(focus);
        ASSERT_TRUE(LogFileManager::sharedInstance().createOrRetrieveLogFile(dayFile(start))->addOrReplaceThenSaveAndUpdate(record, uuid));
        wait(2);
    }
    std::vector<std::string> uuidsOnDisk(double date)
    {
        std::vector<std::string> uuids;
        auto document = text::Rtfd::readFile(dayFile(date));
        if (!document)
            return uuids;
        FullDataSet set;
        for (const auto& record : set.createTimeSlicesFromData(document->text))
            uuids.push_back(std::static_pointer_cast<FullTimeSlice>(record)->uuid());
        return uuids;
    }
    std::vector<std::string> menuTitles(int row)
    {
        auto cell = logBook().viewForRow(*logBook().tableView(), row);
        for (const auto& subview : cell->subviews()) {
            if (auto* pullDown = dynamic_cast<ui::PopUpButton*>(subview.get()))
                return pullDown->itemTitles();
        }
        return {};
    }
    LogEntryEditor& editor() { return *logBook().editor(); }
    void setTimes(double day, double from, double to)
    {
        editor().startDatePicker()->setDateValue(day);
        editor().startTimePicker()->setDateValue(from);
        editor().endTimePicker()->setDateValue(to);
    }
};

}

TEST_F(LogBookTest, CellTextsFollowTheRecord)
{
    EXPECT_EQ(LogBookTableViewController::durationText(1500), "25 MINUTES");
    EXPECT_EQ(LogBookTableViewController::durationText(3660), "1 HOUR 1 MINUTE");
    EXPECT_EQ(LogBookTableViewController::durationText(std::nan("")), "LESS THAN ONE MINUTE") << "no number shows as none";
    EXPECT_EQ(LogBookTableViewController::durationText(1e300), "LESS THAN ONE MINUTE");
    EXPECT_EQ(LogBookTableViewController::tagText("a,,b, c"), "a, b,  c");
    EXPECT_EQ(LogBookTableViewController::tagText(""), "");
    EXPECT_EQ(LogBookTableViewController::focusText("experienced flow"), "FLOW");
    EXPECT_EQ(LogBookTableViewController::focusText("highly focused"), "HIGHLY FOCUSED");
    EXPECT_EQ(LogBookTableViewController::focusText("undefined"), "UNDEFINED");
    double start = local(2026, 1, 5, 8);
    EXPECT_NE(LogBookTableViewController::dateLine(start, "en").find(" at "), std::string::npos);
    EXPECT_EQ(LogBookTableViewController::dateLine(start, "ja").find(" at "), std::string::npos) << "no English word in another language";
}

TEST_F(LogBookTest, TheListIsOneTabStopWhoseRowsTheKeysSelectOpenAndEdit)
{
    log("first", local(2026, 1, 5, 8));
    log("second", local(2026, 1, 5, 9));
    auto& table = *logBook().tableView();
    window().display();
    auto key = [&](base::KeyCode code, std::uint32_t modifiers = 0) { backend().press(window(), static_cast<std::uint16_t>(code), "", modifiers); };
    // Tab reaches the table, never its rows' menu buttons.
    for (int i = 0; i < 60 && window().firstResponder() != &table; ++i) {
        key(base::KeyCode::Tab);
        ASSERT_EQ(dynamic_cast<ui::PopUpButton*>(window().firstResponder()), nullptr);
    }
    ASSERT_EQ(window().firstResponder(), &table);
    key(base::KeyCode::DownArrow);
    key(base::KeyCode::DownArrow);
    EXPECT_EQ(table.selectedRow(), 1);
    auto* cell = dynamic_cast<LogBookColumnView*>(table.viewAtRow(1, true));
    EXPECT_TRUE(cell && cell->isSelected()) << "the selected row shows it";
    EXPECT_EQ(logBook().menuForRow(table, 1)->numberOfItems(), 3u) << "the keys' menu is the row's";
    key(base::KeyCode::Return);
    EXPECT_TRUE(logBook().isCurrentlyOnEditingTab());
    EXPECT_EQ(logBook().editUUID(), std::optional<std::string>("first"));
    // In the editor Escape is its "Cancel" and Return from a date its "Save", not the window's;
    // either way the keyboard goes back to the table, on the entry's row.
    key(base::KeyCode::Escape);
    EXPECT_FALSE(logBook().isCurrentlyOnEditingTab());
    EXPECT_EQ(window().firstResponder(), &table) << "the keyboard back on the table after Escape";
    EXPECT_EQ(table.selectedRow(), 1);
    logBook().startEdit(1);
    window().makeFirstResponder(editor().startDatePicker().get());
    setTimes(local(2026, 1, 5), local(2026, 1, 5, 10), local(2026, 1, 5, 10, 30));
    key(base::KeyCode::Return);
    EXPECT_FALSE(logBook().isCurrentlyOnEditingTab()) << "saved";
    EXPECT_EQ(window().firstResponder(), &table) << "the keyboard back on the table after Save";
    // Read back, the entry moved to the top: its row is the one selected.
    wait(2);
    ASSERT_EQ(logBook().dataSet().front()->uuid(), "first");
    EXPECT_EQ(table.selectedRow(), 0);
    key(base::KeyCode::Return);
    EXPECT_EQ(logBook().editUUID(), std::optional<std::string>("first")) << "Return opens the row it is on again";
}

TEST_F(LogBookTest, RowsAreTheLogNewestFirstWithTheirMenus)
{
    double today = local(2026, 1, 5, 8);
    log("early", today, "Read");
    text::AttributedString linked = text::AttributedString::fromUtf8("See ");
    for (const char* link : { "ostrel2things://ABC", "omnifocus:///task/x", "https://example.org/a", "ostrel2things://ABC", "not a link" }) {
        text::Attributes attributes;
        attributes.link = link;
        linked.append(u"x", attributes);
        linked.append(u" ", {});
    }
    FullTimeSlice record;
    record.setUuid("late");
    record.setObjectiveText(linked);
    record.setStartDate(today + 3600);
    ASSERT_TRUE(LogFileManager::sharedInstance().createOrRetrieveLogFile(dayFile(today))->addOrReplaceThenSaveAndUpdate(record, "late"));
    wait(2);
    ASSERT_EQ(logBook().numberOfRows(*logBook().tableView()), 2);
    EXPECT_EQ(logBook().objectValueFor(0)->uuid(), "late");
    EXPECT_EQ(menuTitles(0), (std::vector<std::string> { "", "Make current objective", "Edit...", "Delete", "Show task in Things",
                                 "Show task in OmniFocus", "Open \"https://example.org/a\"" }));
    // A menu shown before its day file was read again still edits its entry.
    auto menu = logBook().menuForRow(*logBook().tableView(), 0);
    auto before = logBook().objectValueFor(0);
    log("another", today + 7200);
    ASSERT_NE(logBook().objectValueFor(1), before) << "the day file was not read again";
    ASSERT_TRUE(menu->performActionForItemAt(1));
    EXPECT_EQ(logBook().editUUID(), std::optional<std::string>("late"));
    logBook().cancelEdit();
    logBook().objectValueFor(2)->setIsRTFD(false);
    EXPECT_EQ(menuTitles(2), (std::vector<std::string> { "", "Make current objective" })) << "a plain-text file is never rewritten";
}

TEST_F(LogBookTest, RowHeightsAddTheTagBandAndLeaveTheLastLineBreakOut)
{
    double today = local(2026, 1, 5, 8);
    log("tagged", today, "One line", "a,b");
    log("plain", today - 60, "One line");
    log("broken", today - 120, "One line\n");
    auto& table = *logBook().tableView();
    ASSERT_EQ(logBook().numberOfRows(table), 3);
    double tagged = logBook().heightOfRow(table, 0);
    double plain = logBook().heightOfRow(table, 1);
    EXPECT_EQ(tagged - plain, 23.0);
    EXPECT_EQ(logBook().heightOfRow(table, 2), plain);
    EXPECT_EQ(logBook().objectValueFor(0)->lastHeight(), tagged);
    text::LayoutDefaults defaults { NowAndLaterBoardManager::sharedManager().defaultFont(), NowAndLaterBoardManager::sharedManager().textColor() };
    EXPECT_EQ(plain, LogBookRowHeights::measure(text::AttributedString::fromUtf8("One line"), table.bounds().width() - 20, defaults) + 33);
}

// A height the record keeps is its row's answer until the table's width or the objective
// changes: a stale one would cut the row or leave a gap under it.
TEST_F(LogBookTest, KeptRowHeightsHoldForTheirWidthAndTheirText)
{
    double today = local(2026, 1, 5, 8);
    std::string objective;
    for (int word = 0; word < 40; ++word)
        objective += "objective ";
    log("long", today, objective);
    // Laid out once: the window's next layout would give the table its width back.
    auto& book = logBook();
    auto& table = *book.tableView();
    ASSERT_EQ(book.numberOfRows(table), 1);
    ui::Rect frame = table.frame();
    double kept = book.heightOfRow(table, 0);
    EXPECT_EQ(book.objectValueFor(0)->lastHeight(), kept);

    table.setFrame(ui::Rect(frame.origin, ui::Size(frame.width() * 2, frame.height())));
    EXPECT_LT(book.heightOfRow(table, 0), kept) << "measured again at the wider width";
    table.setFrame(frame);
    EXPECT_EQ(book.heightOfRow(table, 0), kept);

    book.objectValueFor(0)->setObjectiveText(text::AttributedString::fromUtf8("Short"));
    EXPECT_LT(book.heightOfRow(table, 0), kept) << "the text changed in place";
}

TEST_F(LogBookTest, ASecondDeletionWithinAMinuteGoesUnasked)
{
    double today = local(2026, 1, 5, 8);
    for (const char* uuid : { "A", "B", "C", "D" })
        log(uuid, today + (uuid[0] - 'A') * 60.0);
    alertAnswer = 1;
    logBook().deleteRow(0);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Are you sure you want to permanently delete this time slice?");
    EXPECT_EQ(alerts[0].informativeText, "This operation cannot be undone.");
    EXPECT_EQ(uuidsOnDisk(today).size(), 4u) << "Cancel keeps it";

    alertAnswer = 0;
    logBook().deleteRow(0);
    EXPECT_EQ(alerts.size(), 2u);
    wait(2);
    logBook().deleteRow(0);
    EXPECT_EQ(alerts.size(), 2u) << "within 60 seconds of the confirmation";
    wait(2);
    clock.advance(61);
    logBook().deleteRow(0);
    EXPECT_EQ(alerts.size(), 3u);
    wait(2);
    EXPECT_EQ(uuidsOnDisk(today), std::vector<std::string> { "A" });
    EXPECT_EQ(logBook().numberOfRows(*logBook().tableView()), 1);
}

TEST_F(LogBookTest, EntriesSharingAnIdentifierAreTellApartByTheirPlace)
{
    double today = local(2026, 1, 5, 8);
    auto file = LogFileManager::sharedInstance().createOrRetrieveLogFile(dayFile(today));
    for (double offset : { 0.0, 60.0 }) {
        FullTimeSlice twin;
        twin.setUuid("TWIN");
        twin.setObjectiveText(text::AttributedString::fromUtf8(offset ? "second" : "first"));
        twin.setStartDate(today + offset);
        // Appended: the identifier alone would find two.
        ASSERT_TRUE(file->addOrReplaceThenSaveAndUpdate(twin, offset ? "other" : "TWIN"));
    }
    wait(2);
    ASSERT_EQ(logBook().numberOfRows(*logBook().tableView()), 2);
    logBook().deleteRow(0);
    wait(2);
    ASSERT_EQ(logBook().numberOfRows(*logBook().tableView()), 1);
    EXPECT_EQ(logBook().objectValueFor(0)->objectiveText().utf8(), "first");
}

TEST_F(LogBookTest, MakeCurrentObjectiveTakesTheRowsObjectiveAndTags)
{
    log("A", local(2026, 1, 5, 8), "Plan the week", "planning,work");
    logBook().makeCurrentObjective(0);
    auto data = store().data("objective");
    ASSERT_TRUE(data);
    auto document = text::Rtfd::fromData(std::string(data->begin(), data->end()));
    ASSERT_TRUE(document);
    EXPECT_EQ(document->text.utf8(), "Plan the week");
    EXPECT_EQ(store().string("tags"), "planning,work");
}

TEST_F(LogBookTest, ANewEntryIsTheTwentyMinutesEndingNowAndSavesIntoTodaysFile)
{
    clock.set(local(2026, 1, 5, 10));
    store().set("objective", base::Value::Data {});
    logBook().startNewLogEntry();
    EXPECT_TRUE(logBook().isCurrentlyOnEditingTab());
    EXPECT_TRUE(mainWindow().addLogEntryButton()->isHidden());
    EXPECT_EQ(editor().startTimePicker()->text().substr(0, 8), "09:40:00");
    EXPECT_EQ(editor().endTimePicker()->text().substr(0, 8), "10:00:00");
    EXPECT_EQ(editor().editorDurationLabel()->stringValue(), "20 minutes");
    EXPECT_EQ(editor().focusLevelTempVariable()->value(), 1);
    EXPECT_FALSE(editor().completedTempVariable()->value());

    ASSERT_TRUE(logBook().saveEdit());
    EXPECT_FALSE(logBook().isCurrentlyOnEditingTab());
    EXPECT_FALSE(mainWindow().addLogEntryButton()->isHidden());
    wait(2);
    ASSERT_EQ(logBook().numberOfRows(*logBook().tableView()), 1);
    auto saved = logBook().objectValueFor(0);
    EXPECT_EQ(saved->actualDuration(), 1200.0);
    EXPECT_EQ(saved->duration(), 1200.0);
    EXPECT_EQ(saved->startDate(), local(2026, 1, 5, 9, 40));
    EXPECT_EQ(saved->fullPathOfLogFile(), dayFile(clock.now()));
}

TEST_F(LogBookTest, TheEndTimeBeforeTheStartIsTheNextDaysAndEqualTimesMakeOneSecond)
{
    logBook().startNewLogEntry();
    double day = local(2026, 2, 10);
    setTimes(day, local(2026, 2, 10, 23, 30), local(2026, 2, 10, 0, 15));
    EXPECT_EQ(logBook().computeEditorDuration(), 2700.0);
    EXPECT_EQ(logBook().computeStartDate(), local(2026, 2, 10, 23, 30));
    setTimes(day, local(2026, 2, 10, 11), local(2026, 2, 10, 11));
    EXPECT_EQ(logBook().computeEditorDuration(), 1.0);
    logBook().updateEditorDurationLabel();
    EXPECT_EQ(editor().editorDurationLabel()->stringValue(), "1 second");
}

TEST_F(LogBookTest, AnUnknownFocusOpensAsFlowAndIsSavedSo)
{
    double start = local(2026, 1, 5, 8);
    log("odd", start, "Odd one", "", "undefined");
    logBook().startEdit(0);
    EXPECT_EQ(editor().focusLevelTempVariable()->value(), 3);
    EXPECT_EQ(editor().focusLevelPopUp()->titleOfSelectedItem(), "I experienced \"flow\"");
    ASSERT_TRUE(logBook().saveEdit());
    wait(2);
    EXPECT_EQ(logBook().objectValueFor(0)->focusRating(), "experienced flow");
    EXPECT_EQ(logBook().objectValueFor(0)->uuid(), "odd") << "changed in place";
}

TEST_F(LogBookTest, AnEditedEntryMovedToAnotherDayStaysInItsFile)
{
    double start = local(2026, 1, 5, 8);
    log("A", start, "Write");
    logBook().startEdit(0);
    editor().startDatePicker()->setDateValue(local(2026, 1, 7));
    ASSERT_TRUE(logBook().saveEdit());
    wait(2);
    EXPECT_EQ(uuidsOnDisk(start), std::vector<std::string> { "A" });
    EXPECT_FALSE(fs::exists(dayFile(local(2026, 1, 7))));
    EXPECT_EQ(logBook().objectValueFor(0)->startDate(), local(2026, 1, 7, 8));
}

TEST_F(LogBookTest, ATimeTheClocksSkipMovesForwardAndNoDateIsRefused)
{
    home.setTimeZone("Europe/Berlin");
    logBook().startNewLogEntry();
    // 29 March 2026: clocks go from 02:00 to 03:00.
    auto gap = LogEntryEditor::momentOf({ 2026, 3, 29, 2, 30, 0, 0 });
    ASSERT_TRUE(gap);
    EXPECT_EQ(*gap, local(2026, 3, 29, 3, 30));
    EXPECT_FALSE(LogEntryEditor::momentOf({ 1, 1, 1, 0, 0, 0, 0 })) << "a year-1 day file is never made";

    editor().startDatePicker()->setDateValue(base::Time::distantPast());
    EXPECT_FALSE(logBook().saveEdit());
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "The log entry could not be saved.");
    EXPECT_TRUE(logBook().isCurrentlyOnEditingTab()) << "the editor stays open";
}

TEST_F(LogBookTest, AFailedWriteKeepsTheEditorOpen)
{
    clock.set(local(2026, 1, 5, 10));
    log("A", local(2026, 1, 5, 8));
    WithoutPermissionOverride heldToTheBits;
    ASSERT_TRUE(heldToTheBits.holds()) << "the permission bits could not be made to hold";
    fs::path folder = fs::path(dayFile(clock.now())).parent_path();
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    logBook().startNewLogEntry();
    EXPECT_FALSE(logBook().saveEdit());
    EXPECT_TRUE(logBook().isCurrentlyOnEditingTab());
    EXPECT_EQ(alerts.size(), 1u) << "one failure, one alert";
    EXPECT_FALSE(editor().problemLabel()->isHidden()) << "and the editor says so itself";
    fs::permissions(folder, fs::perms::owner_all);
    alerts.clear();
    EXPECT_TRUE(logBook().saveEdit());
    EXPECT_FALSE(logBook().isCurrentlyOnEditingTab());
    EXPECT_TRUE(alerts.empty());
}

TEST_F(LogBookTest, CancelLeavesEverythingAsItWas)
{
    log("A", local(2026, 1, 5, 8), "First", "x");
    log("B", local(2026, 1, 5, 9), "Second", "y");
    logBook().startEdit(0);
    EXPECT_EQ(store().string("tempTags"), "y");
    logBook().cancelEdit();
    EXPECT_FALSE(logBook().isCurrentlyOnEditingTab());
    EXPECT_EQ(store().string("tempTags"), "y") << "the editor's values stay until it opens again";
    logBook().startEdit(1);
    EXPECT_EQ(store().string("tempTags"), "x");
    EXPECT_EQ(editor().objectiveTextView()->string(), "First");
}

TEST_F(LogBookTest, AReadOnlyDayFileIsNeitherEditedNorDeleted)
{
    double morning = local(2026, 1, 5, 8);
    clock.set(local(2026, 1, 5, 10));
    log("A", morning, "Kept as it is");
    fs::path file = dayFile(morning);
    for (const auto& entry : fs::recursive_directory_iterator(file))
        fs::permissions(entry.path(), fs::perms::owner_read);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_exec);

    logBook().startEdit(0);
    editor().objectiveTextView()->insertText(u" and changed");
    EXPECT_FALSE(logBook().saveEdit());
    EXPECT_TRUE(logBook().isCurrentlyOnEditingTab()) << "the editor stays open";
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].informativeText.find("read-only"), std::string::npos);
    EXPECT_NE(editor().problemLabel()->stringValue().find("read-only"), std::string::npos);

    logBook().deleteRow(0);
    EXPECT_EQ(alerts.size(), 3u) << "asked, then told it stays";
    fs::permissions(file, fs::perms::owner_all);
    EXPECT_EQ(uuidsOnDisk(morning), std::vector<std::string> { "A" });
    for (const auto& name : fs::directory_iterator(file.parent_path()))
        EXPECT_EQ(name.path().filename().string().rfind('.', 0), std::string::npos) << "nothing hidden left beside it";
}

// The editor's word of a refused save is long: the log book stays in its pad, as wide as it
// was, rather than being squeezed out of the window and leaving the right pane blank (and
// the window widened past the display at the next change of pad).
TEST_F(LogBookTest, AProblemTheEditorTellsOfLeavesTheLogBookInItsPad)
{
    double morning = local(2026, 1, 5, 8);
    clock.set(local(2026, 1, 5, 10));
    log("A", morning, "Kept as it is");
    logBook().startEdit(0);
    window().layoutIfNeeded();
    double width = window().frame().width();
    auto& fragment = *mainWindow().padFragmentWall(PadTable::kLogBook);
    ASSERT_NE(fragment.superview(), nullptr);

    editor().showProblem("Not saved: Its day file \"System Log Day 2026-01-05 (1ec2a3f5).rtfd\" is read-only, and Ostrel "
                         "does not change a file you made read-only.");
    window().layoutIfNeeded();
    window().layoutIfNeeded();
    EXPECT_NE(fragment.superview(), nullptr) << "squeezed out of the window";
    EXPECT_EQ(window().contentMinSize().width, width);
    mainWindow().showPad("statsPadHidden");
    window().layoutIfNeeded();
    EXPECT_LE(window().frame().width(), width) << "the next pad widens the window by nothing the editor said";
}

TEST_F(LogBookTest, QuittingSavesAnEntryTheUserChangedAndNotOneMerelyOpened)
{
    clock.set(local(2026, 1, 5, 10));
    logBook().startNewLogEntry();
    EXPECT_FALSE(editor().hasUnsavedChanges());
    mainWindow().saveEverything();
    wait(2);
    EXPECT_TRUE(uuidsOnDisk(clock.now()).empty()) << "an entry merely opened is no work of the user's";

    editor().objectiveTextView()->setSelectedRange({ 0, editor().objectiveTextView()->textStorage().length() });
    editor().objectiveTextView()->insertText(u"Typed into the editor before quitting");
    EXPECT_TRUE(editor().hasUnsavedChanges());
    m_app->terminate();
    wait(2);
    EXPECT_EQ(uuidsOnDisk(clock.now()).size(), 1u);
    EXPECT_TRUE(alerts.empty());
}

TEST_F(LogBookTest, ADayFileOfTheOlderNamingShowsItsRowsAndCanBeEdited)
{
    double day = local(2026, 1, 4, 9);
    fs::path current = dayFile(day);
    fs::path older = current.parent_path() / "System Log Day 2026-01-04.rtfd";
    FullTimeSlice record;
    record.setUuid("older");
    record.setObjectiveText(text::AttributedString::fromUtf8("Written before computers were named"));
    record.setStartDate(day);
    record.setActualDuration(600);
    fs::path written = current.parent_path() / ".written.rtfd";
    ASSERT_TRUE(text::Rtfd::writeFile(written, LogFile::entryText(record)));
    // Arriving under the older name after start-up, as a sync brings it.
    fs::rename(written, older);
    LogFileManager::sharedInstance().update();
    wait(2);
    ASSERT_EQ(logBook().numberOfRows(*logBook().tableView()), 1);
    EXPECT_EQ(logBook().objectValueFor(0)->uuid(), "older");
    EXPECT_TRUE(logBook().objectValueFor(0)->isRTFD()) << "offered for editing like any day file";
    EXPECT_EQ(logBook().objectValueFor(0)->fullPathOfLogFile(), current.string()) << "read under this computer's name";
    EXPECT_FALSE(fs::exists(older));
}

TEST_F(LogBookTest, RowsReadWhileTheEditorShowsAreMeasuredWhenTheTableComesBack)
{
    // A reload while the editor shows (a save that failed, another computer's change) gives
    // the table rows it cannot measure; back on the table they get their heights, and no
    // row lies over another.
    double today = local(2026, 1, 5, 8);
    log("first", today, "A first entry with an objective long enough to wrap over a few lines of the log book pad");
    logBook().startEdit(0);
    log("second", today + 600, "A second entry, written while the editor shows, long enough to wrap as well");
    ASSERT_EQ(logBook().numberOfRows(*logBook().tableView()), 2);
    logBook().cancelEdit();
    window().layoutIfNeeded();
    auto& table = *logBook().tableView();
    for (int row = 0; row < 2; ++row) {
        EXPECT_GT(table.rectOfRow(row).height(), 33.0 + 10) << "measured, with its text's lines";
        auto* view = table.viewAtRow(row, true);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->frame(), table.rectOfRow(row));
    }
    EXPECT_EQ(table.rectOfRow(1).minY(), table.rectOfRow(0).maxY()) << "stacked, not overlapping";
}

TEST_F(LogBookTest, TheRowMenusArrowShowsOnItsBadgeAndLeavesTheFocusLevelWhole)
{
    log("rated", local(2026, 1, 5, 8), "Write", "", "highly focused");
    auto& table = *logBook().tableView();
    window().display();
    auto* row = table.viewAtRow(0, true);
    ASSERT_NE(row, nullptr);
    ui::PopUpButton* menu = nullptr;
    for (const auto& subview : row->subviews())
        menu = menu ? menu : dynamic_cast<ui::PopUpButton*>(subview.get());
    ASSERT_NE(menu, nullptr);
    // Window coordinates grow upwards; pictures are read from the top.
    double height = window().contentView()->bounds().height();
    ui::Rect cell = row->convertRectTo(row->bounds(), nullptr);
    ui::Rect arrow = menu->convertRectTo(menu->arrowRect(), nullptr);
    double top = height - cell.maxY();
    auto anyPixel = [&](double x, auto&& test) {
        for (double y = top + 2; y < top + 20; y += 0.5)
            if (test(window().pixelAt(x, y)))
                return true;
        return false;
    };
    auto orange = [](gfx::Color c) { return c.red > 0.8 && c.blue < c.red - 0.3; };
    auto dark = [](gfx::Color c) { return c.red < 0.4 && c.green < 0.4 && c.blue < 0.4; };
    auto light = [](gfx::Color c) { return c.red > 0.8 && c.green > 0.8 && c.blue > 0.8; };
    // "HIGHLY FOCUSED" ends 16 points in from the row's right edge: its last stroke shows.
    EXPECT_TRUE(anyPixel(cell.maxX() - 17.5, orange)) << "the focus level's last letter is covered";
    EXPECT_FALSE(anyPixel(cell.maxX() - 17.5, dark));
    // The arrow, light, on its dark badge.
    EXPECT_TRUE(anyPixel(arrow.midX() - 4.5, dark)) << "no badge under the arrow";
    EXPECT_TRUE(anyPixel(arrow.midX(), light));
}

}
