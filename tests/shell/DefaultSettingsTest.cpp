#include "shell/DefaultSettings.h"

#include "core/DataModel.h"
#include "core/SettingsArchive.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Paths.h"
#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

struct FreshSettings {
    test::TemporaryHome home;
    std::shared_ptr<base::Defaults> store = base::Defaults::create({});
    FreshSettings() { base::Defaults::setStandard(store); }
    ~FreshSettings() { base::Defaults::setStandard(nullptr); }
};

TEST(DefaultSettings, TableHoldsEveryKeyWithTheDeviceOnlyWhenKnown)
{
    setDefaultOutputDeviceProvider(nullptr);
    auto table = mainDefaultSettings();
    EXPECT_EQ(table.size(), 232u);
    EXPECT_FALSE(table.contains("soundOutputDevice"));
    setDefaultOutputDeviceProvider([] { return std::optional<std::string>("alsa_output.pci-0000_00_1f.3"); });
    table = mainDefaultSettings();
    EXPECT_EQ(table.size(), 233u);
    EXPECT_EQ(table.at("soundOutputDevice"), base::Value("alsa_output.pci-0000_00_1f.3"));
    setDefaultOutputDeviceProvider([] { return std::optional<std::string> {}; });
    EXPECT_FALSE(mainDefaultSettings().contains("soundOutputDevice"));
    setDefaultOutputDeviceProvider(nullptr);
}

TEST(DefaultSettings, ReadsAsRegisteredWithTheirKinds)
{
    FreshSettings settings;
    prepareDefaults();
    auto& store = *settings.store;
    EXPECT_EQ(store.object("soundReminderInterval"), base::Value(120));
    EXPECT_DOUBLE_EQ(store.real("dimmingAlpha"), 0.6);
    EXPECT_EQ(store.integer("topLeftX"), -1);
    EXPECT_EQ(store.integer("topLeftY"), -1);
    // What the program wrote before it saved whole points, it reads.
    store.set("topLeftY", 717.2099609375);
    EXPECT_EQ(store.real("topLeftY"), 717.2099609375);
    EXPECT_TRUE(store.boolean("loggerIsOn"));
    EXPECT_EQ(store.string("growlSoftBreakUserStillActiveText"), "Your Break will start in 30 seconds\u2026");
    EXPECT_EQ(store.string("readObjectiveAloudComboType"), "keyModifierCombo");
    EXPECT_FALSE(store.hasStoredValue("firstLaunch"));

    auto excluded = store.array("excludeApplicationsList");
    ASSERT_TRUE(excluded);
    ASSERT_EQ(excluded->size(), 4u);
    EXPECT_EQ(excluded->at(1), base::Value(base::Value::Dictionary { { "path", "/Applications/The Hit List.app" } }));
}

TEST(DefaultSettings, PathsAreExpandedToTheHomeFolder)
{
    FreshSettings settings;
    prepareDefaults();
    auto csv = settings.store->string("exportAsCSVPath").value_or("");
    EXPECT_EQ(csv, (settings.home.path() / "Desktop/Ostrel Log.csv").string());
    EXPECT_NE(csv.front(), '~');
    EXPECT_EQ(settings.store->string("dropboxLocation").value_or("").rfind(settings.home.path().string(), 0), 0u);
}

TEST(DefaultSettings, ColoursAndFontReadBackThroughTheArchive)
{
    FreshSettings settings;
    prepareDefaults();
    auto& store = *settings.store;
    EXPECT_EQ(readColorSetting(store, "laterPadBackgroundColor", gfx::colors::red),
        gfx::Color::rgb(0.893307, 0.999776, 0.862248));
    EXPECT_EQ(padTextColor(store), gfx::colors::black);
    EXPECT_EQ(padDefaultFont(store), gfx::Font::named("Helvetica", 12));
}

TEST(DefaultSettings, DamagedColourOrFontFallsBackToTheRegisteredValueWithALine)
{
    FreshSettings settings;
    prepareDefaults();
    std::vector<std::string> lines;
    auto previous = base::setDiagnosticSink([&](std::string_view line) { lines.emplace_back(line); });
    settings.store->set("textColor", "{\"color\":\"plum\"}");
    settings.store->set("defaultFont", base::Value::Data { 0xff, 0x00 });
    EXPECT_EQ(padTextColor(*settings.store), gfx::colors::black);
    EXPECT_EQ(padDefaultFont(*settings.store), gfx::Font::named("Helvetica", 12));
    base::setDiagnosticSink(previous);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "text color could not be deserialized");
    // Data where the font is kept as text is no font setting at all: the store says so.
    EXPECT_NE(lines[1].find("Setting \"defaultFont\""), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("the default"), std::string::npos) << lines[1];
}

TEST(DefaultSettings, VolumesAndIntervalsOutsideTheirRangesReadAsTheirDefaults)
{
    FreshSettings settings;
    prepareDefaults();
    auto& store = *settings.store;
    store.set("soundReminderVolume", 7);
    store.set("dimmingAlpha", -0.5);
    store.set("speechReminderInterval", -60);
    store.set("growlReminderInterval", 0);
    EXPECT_EQ(store.real("soundReminderVolume"), 1.0);
    EXPECT_EQ(store.real("dimmingAlpha"), 0.6);
    EXPECT_EQ(store.integer("speechReminderInterval"), 300);
    EXPECT_EQ(store.integer("growlReminderInterval"), 0) << "an interval of 0 silences its reminder";
    store.set("soundReminderVolume", 0.25);
    EXPECT_EQ(store.real("soundReminderVolume"), 0.25);
}

TEST(DefaultSettings, DataModelRegisteredAfterTheMainTableWins)
{
    FreshSettings settings;
    prepareDefaults();
    auto model = DataModel::create(settings.store); // its variables register as it is made
    prepareDefaults();                              // the main table runs twice at start-up
    model->prepare();
    EXPECT_EQ(settings.store->integer("notificationPosition"), 1);
    EXPECT_EQ(settings.store->integer("windowCompressionMode"), 0);
    EXPECT_EQ(model->windowCompressionMode->value(), WindowCompressionMode::never);

    // In start-up order the model is first used after both runs of the table.
    FreshSettings again;
    prepareDefaults();
    prepareDefaults();
    auto startUpModel = DataModel::create(again.store);
    startUpModel->prepare();
    EXPECT_EQ(again.store->integer("windowCompressionMode"), 2);
    EXPECT_EQ(again.store->integer("notificationPosition"), 1);

    // A stored value always wins over both tables.
    again.store->set("notificationPosition", 4);
    prepareDefaults();
    startUpModel->prepare();
    EXPECT_EQ(again.store->integer("notificationPosition"), 4);
}

}
}
