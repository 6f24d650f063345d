#include "UiFixture.h"

#include "tests/support/TemporaryHome.h"
#include "platform/base/AlertPresenter.h"
#include "platform/base/KeyCodes.h"
#include "platform/base/RunLoop.h"
#include "platform/ui/Control.h"
#include "platform/ui/FilePanel.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <fstream>

using namespace ui;
namespace fs = std::filesystem;

namespace {

class FilePanelTest : public UiTest {
protected:
    FilePanelTest()
    {
        m_folder = m_home.path() / "panel";
        fs::create_directories(m_folder / "Logs");
        fs::create_directories(m_folder / "Pad.rtfd");
        std::ofstream(m_folder / "a.csv") << "x";
        std::ofstream(m_folder / "B.txt") << "y";
        std::ofstream(m_folder / ".hidden.csv") << "z";
    }
    ~FilePanelTest() override
    {
        FilePanel::setResponder({});
        base::AlertPresenter::install({});
    }
    static std::vector<std::string> names(const FilePanel& panel)
    {
        std::vector<std::string> out;
        for (const auto& entry : panel.listing())
            out.push_back(entry.path.filename().string());
        return out;
    }
    ostrel::test::TemporaryHome m_home;
    fs::path m_folder;
};

TEST_F(FilePanelTest, ListingPutsFoldersFirstAndHidesHiddenNames)
{
    auto panel = FilePanel::openPanel();
    panel->setAllowedFileTypes({ "csv" });
    panel->setDirectory(m_folder);
    EXPECT_EQ(names(*panel), (std::vector<std::string> { "Logs", "a.csv", "B.txt", "Pad.rtfd" }));
    EXPECT_TRUE(panel->listing()[1].selectable);
    EXPECT_FALSE(panel->listing()[2].selectable) << "a type not allowed cannot be chosen";
    EXPECT_FALSE(panel->listing()[3].isDirectory) << "a package counts as one file";
    panel->open(0);
    EXPECT_EQ(panel->directory(), m_folder / "Logs");
    panel->goUp();
    EXPECT_EQ(panel->directory(), m_folder);
    panel->setDirectory(m_folder / "gone" / "deeper");
    EXPECT_EQ(panel->directory(), m_folder) << "a missing folder falls back to the nearest one there";
}

TEST_F(FilePanelTest, OpenPanelAnswersTheChosenFilesOrAFolder)
{
    auto panel = FilePanel::openPanel();
    panel->setDirectory(m_folder);
    panel->setAllowsMultipleSelection(true);
    FilePanel::setResponder([](FilePanel& shown) -> std::optional<FilePanel::Response> {
        shown.select(1);
        shown.select(2, true);
        return FilePanel::Response::OK;
    });
    ASSERT_EQ(panel->runModal(), FilePanel::Response::OK);
    EXPECT_EQ(panel->urls(), (std::vector<fs::path> { m_folder / "a.csv", m_folder / "B.txt" }));

    auto folders = FilePanel::openPanel();
    folders->setCanChooseFiles(false);
    folders->setCanChooseDirectories(true);
    folders->setDirectory(m_folder / "Logs");
    FilePanel::setResponder([](FilePanel&) { return std::optional(FilePanel::Response::OK); });
    ASSERT_EQ(folders->runModal(), FilePanel::Response::OK);
    EXPECT_EQ(folders->url(), m_folder / "Logs") << "with nothing selected the folder shown is chosen";
}

TEST_F(FilePanelTest, TheArrowsMoveTheSelectionInTheListAndReturnOpensIt)
{
    auto panel = FilePanel::openPanel();
    panel->setDirectory(m_folder);
    FilePanel::setResponder([this](FilePanel& shown) -> std::optional<FilePanel::Response> {
        auto views = shown.window()->contentView()->subtree();
        shown.window()->makeFirstResponder(
            *std::find_if(views.begin(), views.end(), [](View* v) { return v->acceptsFirstResponder() && !dynamic_cast<Control*>(v); }));
        for (auto key : { base::KeyCode::DownArrow, base::KeyCode::DownArrow, base::KeyCode::DownArrow, base::KeyCode::UpArrow, base::KeyCode::Return })
            backend().press(*shown.window(), static_cast<std::uint16_t>(key), "");
        return std::nullopt;
    });
    ASSERT_EQ(panel->runModal(), FilePanel::Response::OK);
    EXPECT_EQ(panel->urls(), std::vector<fs::path> { panel->listing()[1].path });
}

TEST_F(FilePanelTest, SavePanelAddsTheTypeAndAsksBeforeReplacing)
{
    auto panel = FilePanel::savePanel();
    panel->setTitle("Export Logs in CSV format");
    panel->setAllowedFileTypes({ "csv" });
    panel->setDirectory(m_folder);
    panel->setNameFieldStringValue("Ostrel Log");
    FilePanel::setResponder([](FilePanel&) { return std::optional(FilePanel::Response::OK); });
    ASSERT_EQ(panel->runModal(), FilePanel::Response::OK);
    EXPECT_EQ(panel->url(), m_folder / "Ostrel Log.csv");

    int asked = 0;
    base::AlertPresenter::install([&](const base::AlertRequest&) {
        ++asked;
        return base::AlertAnswer { 0, false };
    });
    panel->setNameFieldStringValue("a.csv");
    EXPECT_EQ(panel->runModal(), FilePanel::Response::Cancel) << "declining to replace keeps the file";
    EXPECT_EQ(asked, 1);

    for (const char* bad : { "", "../x", ".hidden" }) {
        panel->setNameFieldStringValue(bad);
        EXPECT_EQ(panel->runModal(), FilePanel::Response::Cancel) << bad;
        EXPECT_FALSE(panel->statusText().empty());
    }
}

TEST_F(FilePanelTest, NewFoldersAreNumberedAndOpened)
{
    auto panel = FilePanel::savePanel();
    panel->setDirectory(m_folder);
    EXPECT_TRUE(panel->createFolder());
    EXPECT_EQ(panel->directory(), m_folder / "untitled folder");
    panel->goUp();
    EXPECT_TRUE(panel->createFolder());
    EXPECT_EQ(panel->directory(), m_folder / "untitled folder 2");
}

TEST_F(FilePanelTest, HeadlessPanelWithoutResponderCancels)
{
    auto panel = FilePanel::openPanel();
    EXPECT_EQ(panel->runModal(), FilePanel::Response::Cancel);
}

TEST_F(FilePanelTest, APanelOpenWhileTheProgramQuitsIsCancelled)
{
    auto panel = FilePanel::openPanel();
    panel->setDirectory(m_folder);
    bool answered = false;
    FilePanel::setResponder([&](FilePanel&) -> std::optional<FilePanel::Response> {
        answered = true;
        return FilePanel::Response::OK;
    });
    base::RunLoop::main().stop();
    EXPECT_EQ(panel->runModal(), FilePanel::Response::Cancel);
    EXPECT_FALSE(answered) << "the loop stopped before anyone could answer";
    EXPECT_TRUE(panel->urls().empty());
    base::RunLoop::main().discardAll();
}

}
