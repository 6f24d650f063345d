#include "attention/SoundLibraryLoader.h"

#include "platform/media/SystemSounds.h"
#include "tests/support/TemporaryHome.h"

#include <fstream>
#include <gmock/gmock.h>

namespace ostrel {
namespace {

using ::testing::ElementsAre;

class SoundLibraryLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_companion = m_home.path() / "noise";
        std::filesystem::create_directories(m_companion);
        NoiseMachineDetector::setResourcesFolder(m_companion);
        std::ofstream(m_companion / "ContinuousSoundPrivateNames.plist")
            << "<plist version=\"1.0\"><array><string>forest</string><string>pink_noise</string>"
               "<string>forest</string></array></plist>";
        std::ofstream(m_companion / "forest.aif") << "not decoded here";
        std::ofstream(m_companion / "SoundMappingFile.plist")
            << "<plist version=\"1.0\"><array>"
               "<dict><key>PrivateName</key><string>forest</string><key>Label</key><string>Forest</string>"
               "<key>FileName</key><string>forest</string></dict>"
               "<dict><key>PrivateName</key><string>pink_noise</string><key>Label</key><string>Their Pink</string>"
               "<key>FileName</key><string>forest</string></dict>"
               "<dict><key>PrivateName</key><string>lake</string><key>Label</key><string>Lake</string>"
               "<key>FileName</key><string>lake</string></dict>"
               "<dict><key>PrivateName</key><string>their_bell</string><key>Label</key><string>Bell</string>"
               "<key>FileName</key><string>system_bell</string></dict>"
               "</array></plist>";
    }
    void TearDown() override { NoiseMachineDetector::setResourcesFolder({}); }

    test::TemporaryHome m_home;
    std::filesystem::path m_companion;
};

TEST_F(SoundLibraryLoaderTest, TheCompanionsSoundsComeAfterOursAndNeverReplaceThem)
{
    ASSERT_TRUE(NoiseMachineDetector::noiseMachineDetected());
    EXPECT_EQ(NoiseMachineDetector::pathToNoiseMachineResources(), m_companion.string() + "/");

    auto own = SimpleSoundLibraryLoader().loadSoundLibraryArray();
    auto all = CompoundSoundLibraryLoader().loadSoundLibraryArray();
    ASSERT_EQ(all.size(), own.size() + (media::SystemSounds::find("bell") ? 2 : 1));
    EXPECT_TRUE(std::equal(own.begin(), own.end(), all.begin()));
    EXPECT_EQ(all[own.size()].privateName, "forest");
    EXPECT_EQ(all[own.size()].filePath, m_companion / "forest.aif");

    auto names = CompoundContinuousSoundCollectionLoader().loadPrivateNamesArray();
    auto ours = ContinuousSoundCollectionLoader().loadPrivateNamesArray();
    ASSERT_EQ(names.size(), ours.size() + 1);
    EXPECT_EQ(names.back(), "forest");
}

TEST_F(SoundLibraryLoaderTest, WithoutTheCompanionTheCompoundLoadersAreTheSimpleOnes)
{
    NoiseMachineDetector::setResourcesFolder(m_home.path() / "absent");
    EXPECT_FALSE(NoiseMachineDetector::noiseMachineDetected());
    EXPECT_EQ(CompoundSoundLibraryLoader().loadSoundLibraryArray(), SimpleSoundLibraryLoader().loadSoundLibraryArray());
    EXPECT_EQ(CompoundContinuousSoundCollectionLoader().loadPrivateNamesArray(),
        ContinuousSoundCollectionLoader().loadPrivateNamesArray());
}

TEST_F(SoundLibraryLoaderTest, LoadersAreMadeByClassNameAndAnUnknownNameLoadsNothing)
{
    EXPECT_FALSE(SoundLibraryLoader::create("SimpleSoundLibraryLoader")->loadSoundLibraryArray().empty());
    EXPECT_TRUE(SoundLibraryLoader::create("NoSuchLoader")->loadSoundLibraryArray().empty());
    EXPECT_FALSE(SoundCollectionLoader::create("CompoundContinuousSoundCollectionLoader")->loadPrivateNamesArray().empty());
    EXPECT_TRUE(SoundCollectionLoader::create("SoundCollectionLoader")->loadPrivateNamesArray().empty());
    EXPECT_EQ(SoundLibraryLoader::systemSoundName("system_alarm-clock-elapsed"), "alarm-clock-elapsed");
    EXPECT_EQ(SoundLibraryLoader::systemSoundName("bell"), std::nullopt);
}

}
}
