#include "tests/attention/AttentionTestSupport.h"

#include "attention/SoundLibraryLoader.h"
#include "attention/SoundManager.h"
#include "attention/SpeechManager.h"

#include "platform/base/Resources.h"
#include "platform/media/Speech.h"
#include "platform/media/SystemSounds.h"

#include <fstream>
#include <optional>
#include <set>
#include <gmock/gmock.h>
#include <sndfile.h>

namespace ostrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SoundManagerTest : public AttentionTest {
protected:
    SoundManager& library() { return SoundManager::sharedManager(); }

    std::vector<media::VoiceEvent> started() { return m_sink->eventsOf(media::VoiceEvent::Kind::Started); }
};

TEST_F(SoundManagerTest, EveryOfferedAndDefaultNameHasAPlayableFile)
{
    auto& names = library().privateNames();
    std::vector<std::string> needed { "sosumi", "clock1", "alarm_clock", "morse", "pop", "pink_noise" };
    for (auto* list : { &library().reminderSoundsPrivateNames(), &library().endSoundsPrivateNames(),
             &library().continuousSoundsPrivateNames() })
        needed.insert(needed.end(), list->begin(), list->end());
    for (auto& name : needed) {
        EXPECT_THAT(names, ::testing::Contains(name));
        auto path = library().getFilePathFromPrivateName(name);
        ASSERT_TRUE(path) << name;
        EXPECT_TRUE(std::filesystem::exists(*path)) << name << ": " << *path;
    }
    EXPECT_EQ(library().reminderSoundsLabels().size(), library().reminderSoundsPrivateNames().size());
    EXPECT_EQ(library().endSoundsLabels().front(), "Alarm Clock");
    EXPECT_EQ(library().continuousSoundsLabels().front(), "Pink Noise");
}

TEST_F(SoundManagerTest, TheLoadersAreTheClassesItsListNamesAndAFaultyListStopsTheProgram)
{
    namespace fs = std::filesystem;
    // Resources of this case's own: the installed lists, with the loaders' list changed.
    auto installed = base::Resources::path("SoundManager", "plist");
    ASSERT_TRUE(installed);
    fs::path resources = m_home.path() / "resources";
    fs::create_directories(resources / "sounds");
    for (const auto& entry : fs::directory_iterator(installed->parent_path())) {
        if (entry.path().extension() == ".plist")
            fs::copy_file(entry.path(), resources / "sounds" / entry.path().filename());
        else
            fs::create_symlink(entry.path(), resources / "sounds" / entry.path().filename());
    }
    auto writeList = [&](const std::string& entries) {
        std::ofstream(resources / "sounds" / "SoundManager.plist", std::ios::trunc)
            << "<plist version=\"1.0\"><dict>" << entries << "</dict></plist>";
    };
    fs::path companion = m_home.path() / "noise";
    fs::create_directories(companion);
    std::ofstream(companion / "ContinuousSoundPrivateNames.plist")
        << "<plist version=\"1.0\"><array><string>forest</string></array></plist>";
    std::ofstream(companion / "forest.aif") << "not decoded here";
    std::ofstream(companion / "SoundMappingFile.plist")
        << "<plist version=\"1.0\"><array><dict><key>PrivateName</key><string>forest</string><key>Label</key>"
           "<string>Forest</string><key>FileName</key><string>forest</string></dict></array></plist>";
    NoiseMachineDetector::setResourcesFolder(companion);
    struct Restored {
        std::optional<std::string> resources;
        ~Restored()
        {
            NoiseMachineDetector::setResourcesFolder({});
            resources ? setenv("OSTREL_RESOURCES", resources->c_str(), 1) : unsetenv("OSTREL_RESOURCES");
        }
    } restored { std::getenv("OSTREL_RESOURCES") ? std::optional<std::string>(std::getenv("OSTREL_RESOURCES")) : std::nullopt };
    setenv("OSTREL_RESOURCES", resources.c_str(), 1);

    writeList("<key>SoundLibraryLoader</key><string>CompoundSoundLibraryLoader</string>"
              "<key>ContinuousSoundsLoader</key><string>CompoundContinuousSoundCollectionLoader</string>");
    auto compound = SoundManager::create(m_store);
    EXPECT_THAT(compound->privateNames(), ::testing::Contains("forest"));
    EXPECT_EQ(compound->continuousSoundsPrivateNames().back(), "forest");

    writeList("<key>ContinuousSoundsLoader</key><string>ContinuousSoundCollectionLoader</string>");
    EXPECT_DEATH(SoundManager::create(m_store), "newObjectForKey: inPropertyList: Key SoundLibraryLoader not found at: ");
    writeList("<key>SoundLibraryLoader</key><string>StreamingLoader</string>"
              "<key>ContinuousSoundsLoader</key><string>ContinuousSoundCollectionLoader</string>");
    EXPECT_DEATH(SoundManager::create(m_store), "newObjectWithClassName: Could not find the class: StreamingLoader");
}

TEST_F(SoundManagerTest, SystemNamesAreTheDesktopThemesSoundsEvenWhereWeHaveOneOfThatName)
{
    auto own = library().getFilePathFromPrivateName("bell");
    auto theme = library().getFilePathFromPrivateName("system_bell");
    ASSERT_TRUE(own && theme);
    EXPECT_EQ(own->filename(), "bell.aif");
    EXPECT_EQ(*theme, media::SystemSounds::path("bell"));

    library().playSoundWithPrivateName("system_bell", 1.0f);
    ASSERT_EQ(started().size(), 1u);
    EXPECT_EQ(started()[0].label, theme->string());
}

TEST_F(SoundManagerTest, ANewSoundCutsOffThePreviousOneAtTheChosenVolume)
{
    library().playSoundWithPrivateName("alarm_clock", 1.0f);
    library().playSoundWithPrivateName("clock1", 0.5f);
    auto events = m_sink->events();
    ASSERT_EQ(started().size(), 2u);
    auto first = started()[0].voice;
    auto stop = std::find_if(events.begin(), events.end(),
        [&](auto& event) { return event.kind == media::VoiceEvent::Kind::Stopped && event.voice == first; });
    auto second = std::find_if(events.begin(), events.end(),
        [&](auto& event) { return event.kind == media::VoiceEvent::Kind::Started && event.voice != first; });
    EXPECT_LT(stop - events.begin(), second - events.begin());
    EXPECT_EQ(std::filesystem::path(second->label).stem(), "clock1");
    EXPECT_FLOAT_EQ(second->volume, 0.5f);

    library().playSoundWithPrivateName("pop", 7.0f);
    EXPECT_FLOAT_EQ(started().back().volume, 1.0f);
}

TEST_F(SoundManagerTest, MuteSilencesPlayingButNotPreviews)
{
    library().setAllSoundsAreMuted(true);
    EXPECT_TRUE(settings().boolean("mute"));
    library().playSoundWithPrivateName("clock1", 1.0f);
    EXPECT_THAT(started(), IsEmpty());

    library().playSampleWithPrivateName("alarm_clock", 1.0f);
    ASSERT_EQ(started().size(), 1u);
    EXPECT_EQ(std::filesystem::path(started()[0].label).stem(), "alarm_clock");
}

TEST_F(SoundManagerTest, APreviewPlaysOnlyTheLastSecondOfALongerSound)
{
    auto folder = m_home.path() / "sounds";
    std::filesystem::create_directories(folder);
    auto write = [&](const std::string& name, double seconds) {
        auto path = folder / (name + ".aif");
        SF_INFO info { .frames = 0, .samplerate = 48000, .channels = 1, .format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16,
            .sections = 0, .seekable = 0 };
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        std::vector<float> samples(std::size_t(seconds * 48000), 0.5f);
        sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
        sf_close(file);
    };
    write("long", 3.0);
    write("short", 0.5);
    // The only way a sound reaches the library is its resource list, so a test library is
    // pointed at resources of its own.
    auto resources = m_home.path() / "resources";
    std::filesystem::create_directories(resources / "sounds");
    std::filesystem::copy(folder / "long.aif", resources / "sounds" / "long.aif");
    std::filesystem::copy(folder / "short.aif", resources / "sounds" / "short.aif");
    std::ofstream(resources / "sounds" / "SoundMappingFile.plist")
        << "<plist version=\"1.0\"><array>"
           "<dict><key>PrivateName</key><string>long</string><key>Label</key><string>Long</string><key>FileName</key><string>long</string></dict>"
           "<dict><key>PrivateName</key><string>short</string><key>Label</key><string>Short</string><key>FileName</key><string>short</string></dict>"
           "</array></plist>";
    // An installation names its loaders.
    std::filesystem::copy(*base::Resources::path("SoundManager", "plist"), resources / "sounds" / "SoundManager.plist");
    auto previous = std::string(getenv("OSTREL_RESOURCES"));
    setenv("OSTREL_RESOURCES", resources.c_str(), 1);
    auto own = SoundManager::create(m_store);
    setenv("OSTREL_RESOURCES", previous.c_str(), 1);

    own->playSampleWithPrivateName("long", 1.0f);
    auto heard = m_sink->pull(media::kSystemDefaultDevice, 48000 * 3 / 2);
    std::size_t lastSound = 0;
    for (std::size_t i = 0; i < heard.size(); i += 2) {
        if (heard[i] != 0.0f)
            lastSound = i / 2;
    }
    EXPECT_NEAR(double(lastSound), 48000.0, 100.0);

    own->playSampleWithPrivateName("short", 1.0f);
    heard = m_sink->pull(media::kSystemDefaultDevice, 48000);
    std::size_t sounding = 0;
    for (std::size_t i = 0; i < heard.size(); i += 2)
        sounding += heard[i] != 0.0f;
    EXPECT_NEAR(double(sounding), 24000.0, 100.0);
    // Neither the missing lists nor the loaders' defaults stop anything.
    EXPECT_THAT(own->reminderSoundsPrivateNames(), IsEmpty());
}

TEST_F(SoundManagerTest, UnknownNamesAndUnplayableFilesAreLoggedAndPlayNothing)
{
    library().playSoundWithPrivateName("no_such_sound", 1.0f);
    EXPECT_TRUE(logged("could not find sound no_such_sound in sound library"));
    EXPECT_EQ(library().getFilePathFromPrivateName("no_such_sound"), std::nullopt);
    EXPECT_EQ(library().getSoundWithPrivateName("no_such_sound"), nullptr);

    // A theme sound the desktop does not have.
    auto resources = m_home.path() / "resources";
    std::filesystem::create_directories(resources / "sounds");
    std::ofstream(resources / "sounds" / "broken.aif") << "FORM but not a sound";
    std::ofstream(resources / "sounds" / "SoundMappingFile.plist")
        << "<plist version=\"1.0\"><array>"
           "<dict><key>PrivateName</key><string>gone</string><key>FileName</key><string>system_no-such-theme-sound</string></dict>"
           "<dict><key>PrivateName</key><string>broken</string><key>FileName</key><string>broken</string></dict>"
           "<dict><key>PrivateName</key><string>nameless</string></dict>"
           "</array></plist>";
    // An installation names its loaders.
    std::filesystem::copy(*base::Resources::path("SoundManager", "plist"), resources / "sounds" / "SoundManager.plist");
    auto previous = std::string(getenv("OSTREL_RESOURCES"));
    setenv("OSTREL_RESOURCES", resources.c_str(), 1);
    auto own = SoundManager::create(m_store);
    setenv("OSTREL_RESOURCES", previous.c_str(), 1);
    EXPECT_THAT(own->privateNames(), ElementsAre("gone", "broken"));
    own->playSoundWithPrivateName("gone", 1.0f);
    own->playSoundWithPrivateName("broken", 1.0f);
    own->playSampleWithPrivateName("broken", 1.0f);
    EXPECT_THAT(started(), IsEmpty());
    EXPECT_TRUE(logged("Sound gone cannot be played"));
    EXPECT_TRUE(logged("Sound broken cannot be played"));
}

TEST_F(SoundManagerTest, TheDeviceListStartsWithTheSystemDefault)
{
    m_sink->setDevices({ { "usb-1", "USB Headset" }, { "hdmi-2", "HDMI Output" } });
    library().rebuildDeviceList();
    EXPECT_THAT(library().audioDevices(),
        ElementsAre("Use Default from System Sound Preferences", "USB Headset", "HDMI Output"));
    EXPECT_THAT(library().audioDeviceUIDList(), ElementsAre("useSystemDefault", "usb-1", "hdmi-2"));
    EXPECT_EQ(library().audioDeviceUIDWithIndex(0), "useSystemDefault");
    EXPECT_EQ(library().audioDeviceUIDWithIndex(3), std::nullopt);
    EXPECT_EQ(library().audioDeviceNameWithIndex(-1), std::nullopt);
    EXPECT_EQ(library().indexOfDeviceWithUID("hdmi-2"), 2u);
    EXPECT_EQ(library().indexOfDeviceWithName("Speakers"), std::nullopt);
}

TEST_F(SoundManagerTest, SoundsPlayOnTheChosenDeviceAndAGoneDeviceFallsBackToTheDefault)
{
    m_sink->setDevices({ { "usb-1", "USB Headset" } });
    library().rebuildDeviceList();
    settings().set("soundOutputDevice", "usb-1");
    library().playSoundWithPrivateName("clock1", 1.0f);
    EXPECT_EQ(started().back().device, "usb-1");

    settings().set("soundOutputDevice", "unplugged-7");
    library().playSoundWithPrivateName("clock1", 1.0f);
    EXPECT_EQ(started().back().device, "useSystemDefault");
    EXPECT_EQ(settings().string("soundOutputDevice"), "useSystemDefault");
}

TEST_F(SoundManagerTest, TurningMuteOnStopsASoundAndCutsSpeechOffInMidSentence)
{
    library().playSoundWithPrivateName("alarm_clock", 1.0f);
    SpeechManager::sharedManager().speakString("A rather long sentence that is still being spoken");
    ASSERT_EQ(started().size(), 2u);
    library().setAllSoundsAreMuted(true);
    auto stopped = m_sink->eventsOf(media::VoiceEvent::Kind::Stopped);
    std::set<media::VoiceId> voices;
    for (auto& event : stopped)
        voices.insert(event.voice);
    EXPECT_TRUE(voices.contains(started()[0].voice));
    EXPECT_TRUE(voices.contains(started()[1].voice));

    auto before = m_sink->events().size();
    library().setAllSoundsAreMuted(false);
    EXPECT_EQ(m_sink->events().size(), before);
}

}
}
