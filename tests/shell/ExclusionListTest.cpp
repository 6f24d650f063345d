#include "tests/shell/PreferencesFixture.h"

#include "shell/ExclusionListTable.h"

#include "platform/ui/FilePanel.h"
#include "platform/ui/TableView.h"

#include <fstream>

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> storedPaths(base::Defaults& settings)
{
    std::vector<std::string> paths;
    for (const auto& entry : settings.array(ExclusionListTable::kKey).value_or(base::Value::Array {})) {
        auto* dictionary = entry.asDictionary();
        auto found = dictionary ? dictionary->find("path") : base::Value::Dictionary::const_iterator {};
        paths.push_back(dictionary && found != dictionary->end() && found->second.asString() ? *found->second.asString() : "?");
    }
    return paths;
}

class ExclusionListTest : public PreferencesTest {
protected:
    ~ExclusionListTest() override { ui::FilePanel::setResponder({}); }

    // Desktop entries of a folder of the case's own, and a file that is none.
    fs::path applications()
    {
        fs::path folder = home.path() / "applications";
        fs::create_directories(folder);
        for (const char* name : { "editor.desktop", "mail.desktop", "notes.txt" })
            std::ofstream(folder / name) << "[Desktop Entry]\n";
        return folder;
    }
};

TEST_F(ExclusionListTest, ApplicationsAreAddedOnceFromTheirDesktopEntries)
{
    fs::path folder = applications();
    settings->set(ExclusionListTable::kKey,
        base::Value::Array { base::Value::Dictionary { { "path", (folder / "editor.desktop").string() } } });
    std::vector<std::string> asked;
    ui::FilePanel::setResponder([&](ui::FilePanel& panel) -> std::optional<ui::FilePanel::Response> {
        asked = { panel.title(), panel.prompt(), panel.directory().string(), panel.allowedFileTypes().front(),
            panel.allowsMultipleSelection() ? "several" : "one", panel.canChooseDirectories() ? "folders" : "no folders" };
        panel.setDirectory(folder);
        for (std::size_t index = 0; index < panel.listing().size(); ++index)
            panel.select(index, true);
        return ui::FilePanel::Response::OK;
    });
    auto controller = makeController();
    controller->addApplicationToExclusionList();

    ASSERT_EQ(asked.size(), 6u);
    EXPECT_EQ(asked[0], "Add");
    EXPECT_EQ(asked[1], "Add");
    if (fs::is_directory("/usr/share/applications")) {
        EXPECT_EQ(fs::path(asked[2]), fs::path("/usr/share/applications/"));
    }
    EXPECT_EQ(asked[3], "desktop");
    EXPECT_EQ(asked[4], "several");
    EXPECT_EQ(asked[5], "no folders");
    EXPECT_EQ(storedPaths(*settings), (std::vector<std::string> { (folder / "editor.desktop").string(), (folder / "mail.desktop").string() }))
        << "the one already listed and the file that is no entry are left out";
    EXPECT_EQ(controller->exclusionListTable()->tableView()->numberOfRows(), 2);
}

TEST_F(ExclusionListTest, TheSamePathTwiceInOneChoiceIsListedOnce)
{
    auto table = ExclusionListTable::create(settings);
    auto registered = storedPaths(*settings);
    ASSERT_EQ(registered.size(), 4u);
    table->add({ "/usr/share/applications/a.desktop", "/usr/share/applications/a.desktop", registered[1] });
    auto paths = storedPaths(*settings);
    ASSERT_EQ(paths.size(), 5u);
    EXPECT_EQ(paths[4], "/usr/share/applications/a.desktop");
    EXPECT_EQ(std::vector<std::string>(paths.begin(), paths.begin() + 4), registered) << "the registered four stay as they are";
    EXPECT_EQ(table->paths(), paths);
}

TEST_F(ExclusionListTest, CancellingChangesNothingAndDamagedEntriesStay)
{
    base::Value::Array damaged { base::Value("not a dictionary"), base::Value::Dictionary { { "path", "/opt/x.desktop" } } };
    settings->set(ExclusionListTable::kKey, damaged);
    ui::FilePanel::setResponder([](ui::FilePanel&) { return std::optional(ui::FilePanel::Response::Cancel); });
    auto controller = makeController();
    controller->addApplicationToExclusionList();
    EXPECT_EQ(settings->array(ExclusionListTable::kKey), std::optional(damaged));

    auto& table = *controller->exclusionListTable();
    EXPECT_EQ(table.paths(), std::vector<std::string> { "/opt/x.desktop" }) << "only entries that name a path are shown";
    table.tableView()->selectRow(0);
    controller->removeApplicationFromExclusionList();
    EXPECT_EQ(settings->array(ExclusionListTable::kKey), std::optional(base::Value::Array { base::Value("not a dictionary") }));
}

}
}
