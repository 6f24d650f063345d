#include "tests/media/AudioTestSupport.h"

#include "platform/media/LoopPlayer.h"
#include "platform/media/Sound.h"
#include "platform/media/SoundFile.h"
#include "platform/media/SystemSounds.h"

#include <fstream>
#include <optional>
#include <sndfile.h>

namespace media::test {
namespace {

class SoundTest : public AudioTest {
protected:
    void SetUp() override
    {
        AudioTest::SetUp();
        m_folder = std::filesystem::temp_directory_path() / ("media-sound-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_folder);
        SoundFile::clearCache();
    }
    void TearDown() override
    {
        std::filesystem::remove_all(m_folder);
        AudioTest::TearDown();
    }

    std::filesystem::path tone(const std::string& name, std::size_t frames, float value, int format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16)
    {
        auto path = m_folder / name;
        writeSoundFile(path, std::vector<float>(frames, value), 48000, format);
        return path;
    }

    std::filesystem::path m_folder;
};

TEST_F(SoundTest, AiffWavAndOggDecodeToStereoFrames)
{
    for (auto [name, format] : { std::pair { "a.aif", SF_FORMAT_AIFF | SF_FORMAT_PCM_16 },
             std::pair { "b.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT }, std::pair { "c.oga", SF_FORMAT_OGG | SF_FORMAT_VORBIS } }) {
        auto data = SoundFile::decode(tone(name, 4800, 0.5f, format));
        ASSERT_NE(data, nullptr) << name;
        EXPECT_EQ(data->sampleRate, 48000);
        EXPECT_NEAR(data->duration(), 0.1, 0.01) << name;
        EXPECT_NEAR(data->samples[2000 * 2 + 1], 0.5f, 0.05f) << name;
    }
}

TEST_F(SoundTest, DecodingIsCachedUntilTheFileChanges)
{
    auto path = tone("cached.aif", 480, 0.5f);
    auto first = SoundFile::decode(path);
    EXPECT_EQ(SoundFile::decode(path), first);
    writeSoundFile(path, std::vector<float>(960, 0.25f), 48000, SF_FORMAT_AIFF | SF_FORMAT_PCM_16);
    auto second = SoundFile::decode(path);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->frameCount(), 960u);
}

TEST_F(SoundTest, MissingOrUndecodableFilesAreLoggedAndPlayNothing)
{
    EXPECT_EQ(Sound::load(m_folder / "absent.aif"), nullptr);
    EXPECT_TRUE(logged("absent.aif is missing"));

    auto garbage = m_folder / "garbage.aif";
    std::ofstream(garbage) << "FORM, but not really an AIFF file";
    EXPECT_EQ(Sound::load(garbage), nullptr);
    EXPECT_TRUE(logged("Cannot decode sound file " + garbage.string()));

    auto empty = m_folder / "empty.wav";
    std::ofstream { empty };
    EXPECT_EQ(Sound::load(empty), nullptr);

    auto player = LoopPlayer::create();
    EXPECT_FALSE(player->play(garbage, kSystemDefaultDevice));
    EXPECT_FALSE(player->isPlaying());
    EXPECT_TRUE(m_sink->events().empty());
}

TEST_F(SoundTest, SoundPlaysOnItsDeviceAtItsVolumeAndReportsItsEnd)
{
    m_sink->setDevices({ { "usb", "USB" } });
    auto sound = Sound::load(tone("ping.aif", 480, 0.5f));
    ASSERT_NE(sound, nullptr);
    std::optional<bool> completed;
    sound->on_finished = [&](bool done) { completed = done; };
    sound->setDevice("usb");
    sound->setVolume(0.5f);
    ASSERT_TRUE(sound->play());
    EXPECT_FALSE(sound->play()) << "already playing";
    EXPECT_TRUE(sound->isPlaying());
    EXPECT_EQ(m_sink->events().front().label, sound->path().string());
    EXPECT_NEAR(pull(10, "usb")[0], 0.25f, 1e-3f);
    pull(480, "usb");
    EXPECT_FALSE(sound->isPlaying());
    ASSERT_TRUE(completed.has_value());
    EXPECT_TRUE(*completed);
    EXPECT_TRUE(sound->play()) << "plays again from the start";
}

TEST_F(SoundTest, PreviewFromALaterPointPlaysOnlyTheRest)
{
    auto sound = Sound::load(tone("long.aif", 48000 * 3, 0.5f));
    sound->setCurrentTime(sound->duration() - 1.0);
    sound->play();
    pull(48000 - 10);
    EXPECT_TRUE(sound->isPlaying());
    pull(20);
    EXPECT_FALSE(sound->isPlaying());
}

TEST_F(SoundTest, DroppingAPlayingSoundStopsIt)
{
    auto sound = Sound::load(tone("drop.aif", 4800, 0.5f));
    sound->play();
    sound.reset();
    pull(480);
    EXPECT_FLOAT_EQ(peak(pull(10)), 0.0f);

    // Stopped, then dropped while it fades: one stop, as the sound library does it.
    sound = Sound::load(tone("drop.aif", 4800, 0.5f));
    sound->play();
    sound->stop();
    sound.reset();
    EXPECT_EQ(m_sink->eventsOf(VoiceEvent::Kind::Stopped).size(), 2u);
}

TEST_F(SoundTest, LoopChangesVolumeWithoutRestartingAndMovesDevicesInPlace)
{
    m_sink->setDevices({ { "usb", "USB" } });
    auto ramp = m_folder / "ramp.wav";
    std::vector<float> samples(4800);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(i) / 4800;
    writeSoundFile(ramp, samples, 48000, SF_FORMAT_WAV | SF_FORMAT_FLOAT);

    auto player = LoopPlayer::create();
    ASSERT_TRUE(player->play(ramp, kSystemDefaultDevice));
    pull(1000);
    player->setVolume(0.5f);
    auto after = pull(2000);
    EXPECT_NEAR(after.back(), 0.5f * 2999 / 4800, 1e-3f) << "kept its place in the file";
    EXPECT_EQ(m_sink->eventsOf(VoiceEvent::Kind::Started).size(), 1u);

    player->setDevice("usb");
    EXPECT_NEAR(pull(1, "usb")[0], 0.5f * 3000 / 4800, 1e-3f);
    EXPECT_TRUE(player->isPlaying());
    pull(480);
    EXPECT_FLOAT_EQ(peak(pull(10)), 0.0f) << "nothing left on the old device";

    player->stop();
    pull(480, "usb");
    EXPECT_FALSE(player->isPlaying());
    EXPECT_FLOAT_EQ(peak(pull(10, "usb")), 0.0f);
}

TEST_F(SoundTest, SystemSoundsAreFoundInTheDataFoldersInOrder)
{
    auto first = m_folder / "first";
    auto second = m_folder / "second";
    for (const auto& folder : { first, second })
        std::filesystem::create_directories(folder / "sounds/freedesktop/stereo");
    writeSoundFile(second / "sounds/freedesktop/stereo/bell.oga", std::vector<float>(4800, 0.3f), 48000,
        SF_FORMAT_OGG | SF_FORMAT_VORBIS);
    writeSoundFile(first / "sounds/freedesktop/stereo/bell.wav", std::vector<float>(4800, 0.3f), 48000,
        SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    writeSoundFile(second / "sounds/freedesktop/stereo/message.oga", std::vector<float>(4800, 0.3f), 48000,
        SF_FORMAT_OGG | SF_FORMAT_VORBIS);
    const char* saved = std::getenv("XDG_DATA_DIRS");
    std::string before = saved ? saved : "";
    setenv("XDG_DATA_DIRS", ("relative/ignored:" + first.string() + ":" + second.string()).c_str(), 1);

    EXPECT_EQ(SystemSounds::find("bell"), first / "sounds/freedesktop/stereo/bell.wav");
    EXPECT_EQ(SystemSounds::find("message"), second / "sounds/freedesktop/stereo/message.oga");
    EXPECT_EQ(SystemSounds::find("absent"), std::nullopt);
    EXPECT_EQ(SystemSounds::path("absent"), "/usr/share/sounds/freedesktop/stereo/absent.oga");
    EXPECT_EQ(SystemSounds::find("../stereo/bell"), std::nullopt) << "a name, never a path";
    EXPECT_EQ(SystemSounds::path("../../etc/passwd").filename(), "unnamed.oga");

    auto sound = Sound::named("message");
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->path(), second / "sounds/freedesktop/stereo/message.oga");
    EXPECT_EQ(Sound::named("nothing-of-that-name"), nullptr);
    EXPECT_EQ(Sound::named("/etc/hostname"), nullptr);
    setenv("XDG_DATA_DIRS", before.c_str(), 1);
}

TEST_F(SoundTest, NamedSoundsPreferTheProgramsOwn)
{
    auto pop = Sound::named("pop");
    ASSERT_NE(pop, nullptr) << "the build generates pop.aif into the resources";
    EXPECT_EQ(pop->path().filename(), "pop.aif");
}

TEST_F(SoundTest, FreedesktopSystemSoundsDecode)
{
    auto bell = SystemSounds::find("bell");
    if (!bell)
        GTEST_SKIP() << "sound-theme-freedesktop is not installed";
    auto data = SoundFile::decode(*bell);
    ASSERT_NE(data, nullptr);
    EXPECT_GT(data->duration(), 0.1);
    EXPECT_GT(peak(data->samples), 0.05f);
}

}
}
