// Pad pages on disk: templates, paging, deleting, fields, and a page that cannot be read or
// written losing nothing.
#include "MainWindowFixture.h"

#include "tests/support/WithoutPermissionOverride.h"

#include "viewkit/PushButtonBrick.h"

#include "platform/text/Rtfd.h"
#include "platform/text/Unicode.h"
#include "platform/ui/Beep.h"
#include "platform/ui/TextField.h"

#include <fstream>
#include <sys/stat.h>

namespace ostrel::test {

namespace {

namespace fs = std::filesystem;

class PadPagesTest : public MainWindowTest {
protected:
    fs::path nowFolder() const { return padsFolder() / "Now Pad"; }
    fs::path page(int number) const
    {
        char name[32];
        std::snprintf(name, sizeof name, "Roz Ezed %06d.rtfd", number);
        return nowFolder() / name;
    }
    std::string onDisk(const fs::path& path)
    {
        auto document = text::Rtfd::readFile(path);
        return document ? document->text.utf8() : "(unreadable)";
    }
    std::string shown() { return nowText().string(); }
    std::string selected()
    {
        auto range = nowText().selectedRange();
        return text::toUtf8(nowText().textStorage().string().substr(range.location, range.length));
    }
    bool enabled(const std::shared_ptr<PushButtonBrick>& button) { return button->isEnabled(); }
};

}

TEST_F(PadPagesTest, ANewPadStartsOnAPageMadeFromItsTemplate)
{
    focusNowPad();
    EXPECT_TRUE(fs::is_directory(page(0)));
    EXPECT_EQ(shown().substr(0, 4), "Now\n");
    EXPECT_NE(shown().find("\u2039objective\u203A"), std::string::npos);
    EXPECT_EQ(onDisk(page(0)), shown());
    EXPECT_FALSE(enabled(nowPad().nextSheetButton()));
    EXPECT_FALSE(enabled(nowPad().previousSheetButton()));
    EXPECT_FALSE(enabled(nowPad().deleteSheetButton()));
}

TEST_F(PadPagesTest, PagingWritesTheTypedTextFirst)
{
    focusNowPad();
    nowText().showPage({});
    type("first page");
    nowPad().newSheet();
    EXPECT_EQ(onDisk(page(0)), "first page") << "written before the new page showed";
    EXPECT_EQ(shown().substr(0, 4), "Now\n");
    EXPECT_TRUE(enabled(nowPad().previousSheetButton()));
    EXPECT_TRUE(enabled(nowPad().deleteSheetButton()));
    EXPECT_FALSE(enabled(nowPad().nextSheetButton()));

    nowText().showPage({});
    type("second");
    nowPad().previousSheet();
    EXPECT_EQ(shown(), "first page");
    EXPECT_EQ(onDisk(page(1)), "second");
    nowPad().nextSheet();
    EXPECT_EQ(shown(), "second");
}

TEST_F(PadPagesTest, DeletingShowsTheNextPageOrTheOneBeforeTheLast)
{
    focusNowPad();
    nowPad().newSheet();
    nowPad().newSheet();
    nowPad().previousSheet();
    nowPad().previousSheet();
    nowText().showPage({});
    type("keep me");

    alertAnswer = 1;
    nowPad().deleteSheet();
    EXPECT_TRUE(fs::exists(page(0))) << "Cancel deletes nothing";
    EXPECT_EQ(onDisk(page(0)), "keep me") << "but the page was written";
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Are you certain that you want to permanently delete this sheet?");

    alertAnswer = 0;
    nowPad().nextSheet();
    nowPad().deleteSheet();
    EXPECT_FALSE(fs::exists(page(1)));
    EXPECT_EQ(nowPad().backingStoreDescriptor()->index().selectedID(), page(2).string()) << "the page after it";
    nowPad().deleteSheet();
    EXPECT_EQ(nowPad().backingStoreDescriptor()->index().selectedID(), page(0).string()) << "the last page: the one before";
    EXPECT_EQ(shown(), "keep me");
}

TEST_F(PadPagesTest, AnUnreadablePageIsShownReadOnlyAndNeverWritten)
{
    fs::create_directories(page(0));
    std::ofstream(page(0) / "TXT.rtf") << "this is no rich text at all";
    focusNowPad();
    EXPECT_TRUE(nowText().isShowingUnreadablePage());
    EXPECT_FALSE(nowText().isEditable());
    EXPECT_FALSE(nowPad().unreadableNotice()->isHidden());
    type("lost?");
    EXPECT_EQ(PadViewController::saveAllPads(), std::vector<std::string> {}) << "nothing to lose: it counts as saved";
    nowPad().newSheet();
    std::ifstream in(page(0) / "TXT.rtf");
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "this is no rich text at all");
    EXPECT_TRUE(nowPad().unreadableNotice()->isHidden()) << "the new page reads";
    EXPECT_TRUE(nowText().isEditable());
}

TEST_F(PadPagesTest, APageNotChangedHereIsNeverWrittenOverWhatAnotherProgramWrote)
{
    focusNowPad();
    // Another copy (or a sync service) writes the page after this one read it.
    ASSERT_TRUE(text::Rtfd::writeFile(page(0), text::AttributedString::fromUtf8("TEXT_FROM_A")));
    EXPECT_EQ(PadViewController::saveAllPads(), std::vector<std::string> {});
    EXPECT_EQ(onDisk(page(0)), "TEXT_FROM_A") << "the stale page on screen was written over it";
    nowPad().newSheet();
    EXPECT_EQ(onDisk(page(0)), "TEXT_FROM_A") << "paging wrote the stale page";

    // Changed here, it is written as ever.
    nowText().showPage({});
    type("mine");
    EXPECT_EQ(PadViewController::saveAllPads(), std::vector<std::string> {});
    EXPECT_EQ(onDisk(page(1)), "mine");
}

TEST_F(PadPagesTest, AFailedWriteIsShownOnceAndPagingKeepsTheText)
{
    focusNowPad();
    nowText().showPage({});
    WithoutPermissionOverride heldToTheBits;
    ASSERT_TRUE(heldToTheBits.holds()) << "the permission bits could not be made to hold";
    fs::permissions(nowFolder(), fs::perms::owner_read | fs::perms::owner_exec);
    type("unsaved words");
    wait(6);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "The pad page could not be saved.");
    type(" more");
    wait(6);
    EXPECT_EQ(alerts.size(), 1u) << "told once";

    auto before = nowPad().backingStoreDescriptor()->index().selectedID();
    nowPad().newSheet();
    EXPECT_EQ(nowPad().backingStoreDescriptor()->index().selectedID(), before) << "the page stays";
    EXPECT_EQ(shown(), "unsaved words more");
    EXPECT_EQ(alerts.size(), 2u) << "a page that cannot be left says why";
    nowPad().nextSheet();
    nowPad().previousSheet();
    EXPECT_EQ(alerts.size(), 4u) << "every time it is asked";
    EXPECT_EQ(PadViewController::saveAllPads(), std::vector<std::string> { "Now Pad" });

    fs::permissions(nowFolder(), fs::perms::owner_all);
    EXPECT_EQ(PadViewController::saveAllPads(), std::vector<std::string> {});
    EXPECT_EQ(onDisk(page(0)), "unsaved words more");
}

TEST_F(PadPagesTest, EveryWayOutWritesEveryPadNowFirst)
{
    // Typed into each pad, and the program ended before the delayed writes: the way out
    // writes them, and asks nothing on the way.
    mainWindow();
    for (const char* key : { "nowPadHidden", "laterPadHidden", "scratchPadHidden" }) {
        mainWindow().showPad(key);
        window().layoutIfNeeded();
    }
    std::vector<PadViewController*> pads { mainWindow().nowPadController().get(), mainWindow().laterPadController().get(),
        mainWindow().scratchPadController().get() };
    for (auto* pad : pads) {
        pad->textView()->showPage({});
        pad->textView()->insertText(u"typed just before the end");
    }
    diagnostics.clear();
    m_app->terminate();
    std::vector<std::string> saved;
    for (const auto& line : diagnostics) {
        if (line.find("saving backing store descriptor:") != std::string::npos)
            saved.push_back(line);
    }
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_NE(saved.front().find("Now Pad"), std::string::npos);
    EXPECT_NE(saved.back().find("Scratch Pad"), std::string::npos);
    for (auto* pad : pads) {
        auto page = BackingStoreManager::sharedManager().contentOfSelectedFile(*pad->backingStoreDescriptor());
        EXPECT_EQ(page.text.utf8(), "typed just before the end") << pad->title();
    }
    EXPECT_TRUE(alerts.empty());
}

TEST_F(PadPagesTest, AClosedPadReadsItsPageOnlyWhenFirstShown)
{
    fs::create_directories(padsFolder() / "Later Pad");
    auto laterPage = padsFolder() / "Later Pad" / "Later Pads 000000.rtfd";
    ASSERT_TRUE(text::Rtfd::writeFile(laterPage, text::AttributedString::fromUtf8("a long page, read when shown")));
    NowAndLaterBoardManager::sharedManager().reset();
    mainWindow();
    auto& later = *mainWindow().laterPadController();
    EXPECT_FALSE(later.isPageLoaded()) << "closed at start: nothing read";
    mainWindow().saveEverything();
    EXPECT_EQ(onDisk(laterPage), "a long page, read when shown") << "a page never read is never written";

    mainWindow().showPad("laterPadHidden");
    window().layoutIfNeeded();
    EXPECT_TRUE(later.isPageLoaded());
    EXPECT_EQ(later.textView()->string(), "a long page, read when shown");
}

TEST_F(PadPagesTest, AReadOnlyPageFileIsShownAsItIsAndRefusesEdits)
{
    fs::create_directories(nowFolder());
    ASSERT_TRUE(text::Rtfd::writeFile(page(0), text::AttributedString::fromUtf8("made read-only by its owner")));
    for (const auto& entry : fs::recursive_directory_iterator(page(0)))
        fs::permissions(entry.path(), fs::perms::owner_read);
    fs::permissions(page(0), fs::perms::owner_read | fs::perms::owner_exec);
    NowAndLaterBoardManager::sharedManager().reset();
    focusNowPad();
    EXPECT_FALSE(nowText().isEditable());
    EXPECT_EQ(nowText().pageLock(), NowAndLaterBoardTextView::PageLock::fileReadOnly);
    EXPECT_FALSE(nowPad().unreadableNotice()->isHidden());

    int beeps = ui::beepCount();
    type("no");
    ASSERT_EQ(alerts.size(), 1u) << "said once";
    EXPECT_EQ(alerts[0].message, "This page cannot be changed.");
    EXPECT_EQ(ui::beepCount(), beeps + 1) << "then a beep";
    // A template offered to it is refused the same way, and not counted as written.
    NowAndLaterBoardManager::sharedManager().addBreadcrumbsTemplateTo(nowText());
    EXPECT_EQ(shown(), "made read-only by its owner");
    wait(6);
    mainWindow().saveEverything();
    fs::permissions(page(0), fs::perms::owner_all);
    EXPECT_EQ(onDisk(page(0)), "made read-only by its owner");
    EXPECT_FALSE(fs::exists(nowFolder() / ".Roz Ezed 000000.rtfd.tmp")) << "nothing swapped in beside it";
}

TEST_F(PadPagesTest, DeletingASheetAsksAndHeadlessNobodyAgrees)
{
    focusNowPad();
    nowPad().newSheet();
    ASSERT_TRUE(fs::exists(page(1)));
    // With nobody there to answer (no presenter), the question takes its Cancel button.
    base::AlertPresenter::install({});
    nowPad().deleteSheet();
    EXPECT_TRUE(fs::exists(page(1))) << "a page is never deleted unasked";
}

TEST_F(PadPagesTest, FieldsAreSelectedForwardsAndBackwards)
{
    focusNowPad();
    nowText().showPage({ text::AttributedString::fromUtf8("a \u2039one\u203A b \u2039two\u203A \u2039open"), {}, true });
    NowAndLaterBoardManager::selectMarkedText(nowText());
    EXPECT_EQ(selected(), "\u2039one\u203A");
    nowText().selectNextField();
    EXPECT_EQ(selected(), "\u2039two\u203A");
    nowText().selectNextField();
    EXPECT_EQ(selected(), "\u2039two\u203A") << "a mark without its closing one is no field";
    nowText().selectPreviousField();
    EXPECT_EQ(selected(), "\u2039one\u203A");
    nowText().setSelectedRange({ 0, 0 });
    nowText().selectPreviousField();
    EXPECT_EQ(nowText().selectedRange(), (text::Range { 0, 0 }));
}

TEST_F(PadPagesTest, BreadcrumbsOpenTheScratchPadWithTheirFirstFieldSelected)
{
    mainWindow();
    NowAndLaterBoardManager::sharedManager().addBreadcrumbsTemplate();
    EXPECT_FALSE(store().boolean("scratchPadHidden"));
    EXPECT_TRUE(store().boolean("nowPadHidden"));
    auto& scratch = *mainWindow().scratchPadController()->textView();
    EXPECT_EQ(scratch.string().rfind("Breadcrumbs", 0), 0u) << "at the top of the page";
    auto range = scratch.selectedRange();
    EXPECT_EQ(text::toUtf8(scratch.textStorage().string().substr(range.location, range.length)), "\u2039what\u203A");
    EXPECT_EQ(window().firstResponder(), &scratch);
}

TEST_F(PadPagesTest, PrimingOnANewPageFollowsTheScratchTemplate)
{
    mainWindow();
    store().set("createNewScratchPadPageForPriming", true);
    auto& scratchPad = *mainWindow().scratchPadController();
    NowAndLaterBoardManager::sharedManager().addPrimingTemplateFromState();
    EXPECT_EQ(scratchPad.backingStoreDescriptor()->index().indexOfIDs().size(), 2u);
    std::string page = scratchPad.textView()->string();
    EXPECT_EQ(page.rfind("Priming", 0), 0u);
    EXPECT_NE(page.find("Scratch Pad"), std::string::npos) << "the new page's own template follows";
}

TEST_F(PadPagesTest, TogglingAPadOpensItAloneAndFocusesIt)
{
    mainWindow();
    auto& manager = NowAndLaterBoardManager::sharedManager();
    manager.showLaterPad();
    manager.toggleNowPad();
    EXPECT_FALSE(store().boolean("nowPadHidden"));
    EXPECT_TRUE(store().boolean("laterPadHidden"));
    EXPECT_EQ(window().firstResponder(), nowPad().textView().get());
    manager.toggleNowPad();
    EXPECT_TRUE(mainWindow().areAllPadsClosed());
}

}
