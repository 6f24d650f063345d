// Pad pages on disk: templates, paging, deleting, fields, and a page that cannot be read or
// written losing nothing.
#include "MainWindowFixture.h"

#include "tests/support/WithoutPermissionOverride.h"

#include "viewkit/PushButtonBrick.h"

#include "platform/text/Rtfd.h"
#include "platform/text/Unicode.h"
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
    EXPECT_EQ(PadViewController::saveAllPads(), std::vector<std::string> { "Now Pad" });

    fs::permissions(nowFolder(), fs::perms::owner_all);
    EXPECT_EQ(PadViewController::saveAllPads(), std::vector<std::string> {});
    EXPECT_EQ(onDisk(page(0)), "unsaved words more");
}

TEST_F(PadPagesTest, QuittingWritesEveryPadNowFirst)
{
    mainWindow();
    int before = 0;
    for (const auto& line : diagnostics)
        before += line.find("saving backing store descriptor:") != std::string::npos;
    EXPECT_TRUE(PadViewController::saveAllPads().empty());
    std::vector<std::string> saved;
    for (const auto& line : diagnostics) {
        if (line.find("saving backing store descriptor:") != std::string::npos)
            saved.push_back(line);
    }
    ASSERT_EQ(saved.size(), std::size_t(before) + 3);
    EXPECT_NE(saved[std::size_t(before)].find("Now Pad"), std::string::npos);
    EXPECT_NE(saved.back().find("Scratch Pad"), std::string::npos);
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
