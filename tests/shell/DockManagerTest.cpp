#include "shell/DockManager.h"

#include "shell/MainBundle.h"
#include "tests/shell/ShellFixture.h"

#include "platform/ui/Application.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/OffscreenBackend.h"

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace ostrel {
namespace {

class DockManagerTest : public test::ShellTest {
protected:
    DockManagerTest() { application->setActivationPolicy(ui::ActivationPolicy::Accessory); }

    std::shared_ptr<DockManager> awake()
    {
        auto manager = DockManager::create();
        manager->setMainMenuDockSwitchingMenuItem(mainItem);
        manager->setGearMenuDockSwitchingMenuItem(gearItem);
        manager->awakeFromNib();
        return manager;
    }

    std::unique_ptr<ui::Application> application = ui::Application::create(std::make_unique<ui::OffscreenBackend>());
    std::shared_ptr<ui::MenuItem> mainItem = ui::MenuItem::create("");
    std::shared_ptr<ui::MenuItem> gearItem = ui::MenuItem::create("");
};

TEST_F(DockManagerTest, ItemsNameTheOtherModeAndConfirmingStoresItAndQuits)
{
    settings->set("dockless", true);
    auto manager = awake();
    EXPECT_EQ(DockManager::sharedManager(), manager);
    EXPECT_TRUE(manager->isActuallyRunningDockless());
    EXPECT_EQ(mainItem->title(), "Run As Full Application\u2026");
    EXPECT_EQ(gearItem->title(), "Run As Full Application\u2026");

    answers = { { 1, false } };
    gearItem->perform();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Run Ostrel as a full application with a main menu and a dock tile?");
    EXPECT_EQ(alerts[0].informativeText, "");
    EXPECT_EQ(alerts[0].buttons, (std::vector<std::string> { "OK", "Cancel" }));
    EXPECT_TRUE(settings->boolean("dockless"));
    EXPECT_FALSE(application->isTerminating());

    mainItem->perform();
    ASSERT_EQ(alerts.size(), 3u);
    EXPECT_EQ(alerts[2].message, "Setting changed.");
    EXPECT_EQ(alerts[2].buttons, (std::vector<std::string> { "Quit" }));
    EXPECT_TRUE(application->isTerminating());
    relaunchSettings();
    EXPECT_FALSE(settings->boolean("dockless"));
    // This run keeps its mode until the next launch.
    EXPECT_TRUE(manager->isActuallyRunningDockless());
    EXPECT_EQ(mainItem->title(), "Run As Full Application\u2026");
}

TEST_F(DockManagerTest, SwitchingToDocklessExplainsHowToReachTheProgram)
{
    auto manager = awake();
    EXPECT_EQ(mainItem->title(), "Run As Dockless Application\u2026");
    manager->toggleDockMode();
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0].message, "Run Ostrel as a dockless application with no main menu and no dock tile?");
    EXPECT_NE(alerts[0].informativeText.find("Super+R keyboard shortcut."), std::string::npos);
    EXPECT_TRUE(settings->boolean("dockless"));
}

TEST_F(DockManagerTest, AtLaunchOnlyAFullApplicationTurnsRegularAndGetsItsMenuBar)
{
    int menuBars = 0;
    settings->set("dockless", true);
    auto dockless = DockManager::create();
    dockless->on_becameRegularApplication = [&] { ++menuBars; };
    dockless->applyPresentation();
    EXPECT_EQ(application->activationPolicy(), ui::ActivationPolicy::Accessory);
    EXPECT_EQ(menuBars, 0);

    settings->set("dockless", false);
    auto full = DockManager::create();
    full->on_becameRegularApplication = [&] { ++menuBars; };
    full->applyPresentation();
    EXPECT_EQ(application->activationPolicy(), ui::ActivationPolicy::Regular);
    EXPECT_TRUE(application->isActive());
    EXPECT_EQ(menuBars, 1);
}

class ResourceFolder {
public:
    explicit ResourceFolder(const std::filesystem::path& folder)
    {
        if (const char* old = std::getenv("OSTREL_RESOURCES"))
            m_previous = old;
        std::filesystem::create_directories(folder);
        setenv("OSTREL_RESOURCES", folder.c_str(), 1);
    }
    ~ResourceFolder() { setenv("OSTREL_RESOURCES", m_previous.c_str(), 1); }

private:
    std::string m_previous;
};

TEST_F(DockManagerTest, TheBuildNumberIsStoredAsVersionAndMissingValuesReadNotDefined)
{
    EXPECT_EQ(MainBundle::versionNumber(), OSTREL_PROJECT_VERSION);
    EXPECT_EQ(MainBundle::buildNumber(), OSTREL_PROJECT_VERSION);
    DockManager::storeBundleVersion();
    EXPECT_EQ(settings->string("version"), OSTREL_PROJECT_VERSION);

    ResourceFolder resources(home.path() / "resources");
    auto info = home.path() / "resources" / "Info.plist";
    EXPECT_EQ(MainBundle::buildNumber(), "N.D.");
    std::ofstream(info) << "<plist version=\"1.0\"><dict><key>CFBundleShortVersionString</key><string>4.2</string>"
                           "<key>CFBundleVersion</key><integer>42</integer></dict></plist>";
    EXPECT_EQ(MainBundle::versionNumber(), "4.2");
    EXPECT_EQ(MainBundle::buildNumber(), "N.D.");
    DockManager::storeBundleVersion();
    EXPECT_EQ(settings->string("version"), "N.D.");

    std::ofstream(info) << "<plist version=\"1.0\"><array/></plist>";
    EXPECT_EQ(MainBundle::versionNumber(), "N.D.");
    // A pipe in the resources is not read, so nothing waits for a writer.
    std::filesystem::remove(info);
    ASSERT_EQ(mkfifo(info.c_str(), 0600), 0);
    EXPECT_EQ(MainBundle::versionNumber(), "N.D.");
}

}
}
