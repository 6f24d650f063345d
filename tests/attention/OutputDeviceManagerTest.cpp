#include "tests/attention/AttentionTestSupport.h"

#include "attention/OutputDeviceManager.h"
#include "attention/SoundManager.h"
#include "attention/WhiteNoiseMachine.h"

#include "platform/ui/Menu.h"

#include <gmock/gmock.h>

namespace ostrel::test {
namespace {

using ::testing::ElementsAre;

class OutputDeviceManagerTest : public AttentionTest {
protected:
    void SetUp() override
    {
        AttentionTest::SetUp();
        m_sink->setDevices({ { "usb-1", "USB Headset" }, { "hdmi-2", "HDMI Output" } });
        SoundManager::sharedManager().rebuildDeviceList();
    }
    std::shared_ptr<OutputDeviceManager> awake()
    {
        auto manager = OutputDeviceManager::create(m_store, m_menu);
        manager->playStartSoundWithNewSettings = [] { SoundManager::sharedManager().playSoundWithPrivateName("clock1", 1.0f); };
        manager->awakeFromNib();
        return manager;
    }
    std::vector<std::string> titles() const
    {
        std::vector<std::string> out;
        for (auto& item : m_menu->items())
            out.push_back(item->title());
        return out;
    }
    std::vector<std::string> checked() const
    {
        std::vector<std::string> out;
        for (auto& item : m_menu->items()) {
            if (item->state() == 1)
                out.push_back(item->title());
        }
        return out;
    }
    std::string lastDeviceStarted() const
    {
        auto started = m_sink->eventsOf(media::VoiceEvent::Kind::Started);
        return started.empty() ? "" : started.back().device;
    }

    std::shared_ptr<ui::Menu> m_menu = ui::Menu::create();
};

TEST_F(OutputDeviceManagerTest, TheMenuListsTheDevicesWithTheSystemDefaultFirstAndTheCurrentOneChecked)
{
    m_menu->addItem("left over from before");
    settings().set("soundOutputDevice", "hdmi-2");
    auto manager = awake();
    EXPECT_THAT(titles(), ElementsAre("Use Default from System Sound Preferences", "USB Headset", "HDMI Output"));
    EXPECT_THAT(checked(), ElementsAre("HDMI Output"));
    for (auto& item : m_menu->items())
        EXPECT_EQ(item->keyEquivalent(), "");

    // Filled again, it replaces its items rather than adding to them.
    manager->awakeFromNib();
    EXPECT_EQ(m_menu->numberOfItems(), 3u);
}

TEST_F(OutputDeviceManagerTest, ADeviceThatIsGoneChecksTheSystemDefaultAndIsForgotten)
{
    settings().set("soundOutputDevice", "unplugged-7");
    auto manager = awake();
    EXPECT_THAT(checked(), ElementsAre("Use Default from System Sound Preferences"));
    EXPECT_EQ(settings().string("soundOutputDevice"), "useSystemDefault");
}

TEST_F(OutputDeviceManagerTest, ChoosingADeviceStoresItMovesTheCheckAndPlaysTheStartSoundThere)
{
    auto manager = awake();
    ASSERT_TRUE(m_menu->performActionForItemAt(1));
    EXPECT_EQ(settings().string("soundOutputDevice"), "usb-1");
    EXPECT_THAT(checked(), ElementsAre("USB Headset"));
    EXPECT_THAT(entries("sound"), ElementsAre("sound clock1"));
    EXPECT_EQ(lastDeviceStarted(), "usb-1");

    // The continuous loop follows the choice at once.
    settings().set("continuousSoundOn", true);
    WhiteNoiseMachine::continuousSoundMachine().playSubjectToSettings();
    m_menu->performActionForItemAt(2);
    EXPECT_THAT(playingLoops(), ElementsAre("pink_noise"));
    EXPECT_EQ(lastDeviceStarted(), "hdmi-2");

    m_menu->performActionForItemAt(0);
    EXPECT_EQ(settings().string("soundOutputDevice"), "useSystemDefault");
    EXPECT_THAT(checked(), ElementsAre("Use Default from System Sound Preferences"));
}

TEST_F(OutputDeviceManagerTest, AnItemForADeviceUnpluggedSinceTheMenuWasBuiltChangesNothing)
{
    settings().set("soundOutputDevice", "usb-1");
    auto manager = awake();
    m_sink->setDevices({ { "usb-1", "USB Headset" } });
    SoundManager::sharedManager().rebuildDeviceList();
    take();
    m_menu->performActionForItemAt(2);
    EXPECT_EQ(settings().string("soundOutputDevice"), "usb-1");
    EXPECT_THAT(checked(), ElementsAre("USB Headset"));
    EXPECT_THAT(entries("sound"), ElementsAre());
}

TEST_F(OutputDeviceManagerTest, TheMenuOutlivesItsManagerHarmlessly)
{
    awake();
    EXPECT_EQ(m_menu->numberOfItems(), 3u);
    m_menu->performActionForItemAt(1);
    EXPECT_EQ(settings().string("soundOutputDevice"), "useSystemDefault");
}

}
}
