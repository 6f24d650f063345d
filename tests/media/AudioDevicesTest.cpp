#include "tests/media/AudioTestSupport.h"

#include <optional>

namespace media::test {
namespace {

class AudioDevicesTest : public AudioTest {
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        m_sink->setDevices({ { "hdmi", "HDMI Output" }, { "usb", "USB Headset" } });
    }
};

TEST_F(AudioDevicesTest, SystemDefaultIsListedFirst)
{
    auto devices = m_output->outputDevices();
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0].identifier, kSystemDefaultDevice);
    EXPECT_EQ(devices[1], (AudioDevice { "hdmi", "HDMI Output" }));
    EXPECT_EQ(devices[2].identifier, "usb");
}

TEST_F(AudioDevicesTest, VoicePlaysOnlyOnTheChosenDevice)
{
    auto voice = m_output->play(constantSound(100, 0.5f), { .device = "usb", .label = "ping" }, nullptr);
    EXPECT_EQ(m_output->deviceOf(voice), "usb");
    EXPECT_EQ(m_sink->events().front().device, "usb");
    EXPECT_FLOAT_EQ(pull(10, "usb")[0], 0.5f);
    EXPECT_FLOAT_EQ(peak(pull(10, kSystemDefaultDevice)), 0.0f);
}

TEST_F(AudioDevicesTest, DevicesPlayAtTheSameTime)
{
    m_output->play(constantSound(100, 0.5f), { .device = "usb" }, nullptr);
    m_output->play(constantSound(100, 0.25f), {}, nullptr);
    EXPECT_FLOAT_EQ(pull(10, "usb")[0], 0.5f);
    EXPECT_FLOAT_EQ(pull(10)[0], 0.25f);
}

TEST_F(AudioDevicesTest, DisconnectedDeviceFallsBackToTheDefault)
{
    auto voice = m_output->play(constantSound(100, 0.5f), { .device = "bluetooth" }, nullptr);
    EXPECT_EQ(m_output->deviceOf(voice), kSystemDefaultDevice);
    EXPECT_FLOAT_EQ(pull(10)[0], 0.5f);
    EXPECT_TRUE(logged("bluetooth is not connected"));
}

TEST_F(AudioDevicesTest, DeviceThatWillNotOpenFallsBackToTheDefault)
{
    m_sink->setBroken("hdmi");
    auto voice = m_output->play(constantSound(100, 0.5f), { .device = "hdmi" }, nullptr);
    EXPECT_EQ(m_output->deviceOf(voice), kSystemDefaultDevice);
    EXPECT_TRUE(logged("hdmi cannot be opened"));
}

TEST_F(AudioDevicesTest, UnpluggedDeviceEndsItsVoicesAndLaterOnesGoToTheDefault)
{
    std::optional<bool> completed;
    auto loop = m_output->play(constantSound(100, 0.5f), { .device = "usb", .loop = true },
        [&](bool done) { completed = done; });
    pull(10, "usb");
    m_sink->setDevices({ { "hdmi", "HDMI Output" } });

    auto next = m_output->play(constantSound(100, 0.25f), { .device = "usb" }, nullptr);
    EXPECT_EQ(m_output->deviceOf(next), kSystemDefaultDevice);
    EXPECT_FALSE(m_output->isPlaying(loop));
    ASSERT_TRUE(completed.has_value());
    EXPECT_FALSE(*completed);
}

TEST_F(AudioDevicesTest, NoOutputAtAllPlaysNothingAndSaysSo)
{
    m_sink->setBroken(kSystemDefaultDevice);
    EXPECT_EQ(m_output->play(constantSound(100, 0.5f), { .label = "chime" }, nullptr), 0u);
    EXPECT_TRUE(logged("chime is not played"));
}

}
}
