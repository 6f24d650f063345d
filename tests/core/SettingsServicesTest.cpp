#include "core/DebugManager.h"
#include "core/DefaultsStorage.h"
#include "core/ZrLog.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "tests/support/TemporaryHome.h"

#include <fstream>
#include "tests/core/CapturedLog.h"

#include <gtest/gtest.h>
#include <sstream>

namespace ostrel {
namespace {

TEST(DiagnosticLog, SilentUntilTheManagerExistsThenFollowsTheSetting)
{
    test::CapturedLog log;
    auto store = base::Defaults::create({});
    store->registerDefaults({ { "loggerIsOn", true } });
    zr_log("before %s", "start-up");
    EXPECT_TRUE(log.lines.empty());

    auto manager = DebugManager::create(store);
    zr_log("Ostrel %s", "Launching");
    store->set("loggerIsOn", false);
    zr_log("dropped");
    store->set("loggerIsOn", true);
    zr_log("%d seconds", 42);
    EXPECT_EQ(log.lines, (std::vector<std::string> { "Ostrel Launching", "42 seconds" }));

    manager->awakeFromNib();
    EXPECT_EQ(DebugManager::sharedDebugManager(), manager);
}

TEST(StandardUserDefaultsStorage, StoresSynchronisesAndCountsRegisteredKeysAsDefined)
{
    test::TemporaryHome home;
    auto file = home.configHome() / "Ostrel" / "defaults.json";
    auto store = base::Defaults::create(file);
    StandardUserDefaultsStorage storage(store);
    storage.store(5, "launchManagerLaunchCounter");
    EXPECT_TRUE(storage.defined("launchManagerLaunchCounter"));
    EXPECT_EQ(storage.getInteger("launchManagerLaunchCounter"), 5);
    std::ifstream written(file);
    std::stringstream text;
    text << written.rdbuf();
    EXPECT_NE(text.str().find("launchManagerLaunchCounter"), std::string::npos);

    EXPECT_FALSE(storage.defined("firstLaunchDate"));
    storage.registerDefault(12.5, "firstLaunchDate");
    EXPECT_TRUE(storage.defined("firstLaunchDate"));
    EXPECT_DOUBLE_EQ(storage.getTimeInterval("firstLaunchDate"), 12.5);
    EXPECT_FALSE(storage.getBoolean("missing"));
    EXPECT_EQ(storage.getInteger("missing"), 0);
}

TEST(TestDefaultsStorage, MissingOrOtherKindsReadAsMarkers)
{
    TestDefaultsStorage storage;
    EXPECT_DOUBLE_EQ(storage.getTimeInterval("k"), -1.0);
    EXPECT_EQ(storage.getInteger("k"), -1);
    EXPECT_FALSE(storage.getBoolean("k"));
    EXPECT_FALSE(storage.defined("k"));
    storage.store(3, "k");
    EXPECT_TRUE(storage.defined("k"));
    EXPECT_DOUBLE_EQ(storage.getTimeInterval("k"), -1.0);
    EXPECT_EQ(storage.getInteger("k"), 3);
    storage.store(true, "k");
    EXPECT_TRUE(storage.getBoolean("k"));
    EXPECT_EQ(storage.getInteger("k"), -1);
}

TEST(TestDefaultsStorage, RegisteringKeepsAValueAlreadyThere)
{
    // As a launch manager does when it is made: a counter of earlier launches survives.
    TestDefaultsStorage storage;
    storage.store(5, "launchManagerLaunchCounter");
    storage.registerDefault(0, "launchManagerLaunchCounter");
    EXPECT_EQ(storage.getInteger("launchManagerLaunchCounter"), 5);
    storage.registerDefault(-1, "launchManagerLastExecutedLaunchDay");
    EXPECT_TRUE(storage.defined("launchManagerLastExecutedLaunchDay"));
    EXPECT_EQ(storage.getInteger("launchManagerLastExecutedLaunchDay"), -1);
    storage.store(7, "launchManagerLastExecutedLaunchDay");
    EXPECT_EQ(storage.getInteger("launchManagerLastExecutedLaunchDay"), 7);
}

}
}
