#include "platform/media/SoundData.h"
#include "platform/media/SoundFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <vector>

namespace media::test {
namespace {

// The sound library's lists as the build leaves them beside the generated sounds.
class SoundLibraryFilesTest : public ::testing::Test {
protected:
    struct Entry {
        std::string privateName;
        std::string label;
        std::string fileName;
    };

    static std::filesystem::path folder()
    {
        const char* resources = std::getenv("OSTREL_RESOURCES");
        return std::filesystem::path(resources ? resources : "resources") / "sounds";
    }

    static pugi::xml_node plistRoot(pugi::xml_document& document, const std::string& name)
    {
        auto result = document.load_file((folder() / (name + ".plist")).c_str());
        EXPECT_TRUE(result) << name << ": " << result.description();
        return document.child("plist").first_child();
    }

    static std::vector<std::string> names(const std::string& list)
    {
        pugi::xml_document document;
        std::vector<std::string> result;
        for (auto item : plistRoot(document, list).children("string"))
            result.push_back(item.text().as_string());
        return result;
    }

    static std::vector<Entry> library()
    {
        pugi::xml_document document;
        std::vector<Entry> result;
        for (auto dict : plistRoot(document, "SoundMappingFile").children("dict")) {
            std::map<std::string, std::string> values;
            for (auto key = dict.child("key"); key; key = key.next_sibling("key"))
                values[key.text().as_string()] = key.next_sibling().text().as_string();
            result.push_back({ values["PrivateName"], values["Label"], values["FileName"] });
        }
        return result;
    }

    static std::filesystem::path fileOf(const Entry& entry)
    {
        if (entry.fileName.starts_with("system_"))
            return "/usr/share/sounds/freedesktop/stereo/" + entry.fileName.substr(7) + ".oga";
        return folder() / (entry.fileName + ".aif");
    }

    static const Entry* find(const std::vector<Entry>& entries, const std::string& privateName)
    {
        auto found = std::find_if(
            entries.begin(), entries.end(), [&](const Entry& entry) { return entry.privateName == privateName; });
        return found == entries.end() ? nullptr : &*found;
    }

    static std::vector<float> left(const SoundData& sound)
    {
        std::vector<float> channel(sound.frameCount());
        for (std::size_t i = 0; i < channel.size(); ++i)
            channel[i] = sound.samples[i * 2];
        return channel;
    }
};

TEST_F(SoundLibraryFilesTest, ManagerNamesLoadersThatNeedNoCompanionApplication)
{
    pugi::xml_document document;
    std::map<std::string, std::string> values;
    auto dict = plistRoot(document, "SoundManager");
    for (auto key = dict.child("key"); key; key = key.next_sibling("key"))
        values[key.text().as_string()] = key.next_sibling().text().as_string();
    EXPECT_EQ(values["SoundLibraryLoader"], "SimpleSoundLibraryLoader");
    EXPECT_EQ(values["ContinuousSoundsLoader"], "ContinuousSoundCollectionLoader");
}

TEST_F(SoundLibraryFilesTest, EveryOfferedNameIsInTheLibraryOnce)
{
    auto entries = library();
    ASSERT_FALSE(entries.empty());
    std::set<std::string> seen;
    for (const auto& entry : entries) {
        EXPECT_TRUE(seen.insert(entry.privateName).second) << entry.privateName << " twice";
        EXPECT_FALSE(entry.label.empty()) << entry.privateName;
        EXPECT_FALSE(entry.fileName.empty()) << entry.privateName;
    }
    for (const char* list : { "ReminderSoundPrivateNames", "EndSoundPrivateNames", "ContinuousSoundPrivateNames" }) {
        auto offered = names(list);
        EXPECT_FALSE(offered.empty()) << list;
        for (const auto& name : offered)
            EXPECT_TRUE(find(entries, name)) << name << " of " << list;
    }
}

TEST_F(SoundLibraryFilesTest, TheDefaultSettingsFindTheirSoundsInTheirMenus)
{
    auto contains = [](const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    auto ends = names("EndSoundPrivateNames");
    for (const char* name : { "sosumi", "alarm_clock", "morse", "pop" })
        EXPECT_TRUE(contains(ends, name)) << name;
    EXPECT_TRUE(contains(names("ReminderSoundPrivateNames"), "clock1"));
    EXPECT_TRUE(contains(names("ContinuousSoundPrivateNames"), "pink_noise"));
}

TEST_F(SoundLibraryFilesTest, EveryFileIsThereAndSounds)
{
    bool systemSounds = std::filesystem::exists("/usr/share/sounds/freedesktop/stereo");
    for (const auto& entry : library()) {
        if (entry.fileName.starts_with("system_") && !systemSounds)
            continue;
        auto path = fileOf(entry);
        auto sound = SoundFile::decode(path);
        ASSERT_NE(sound, nullptr) << path;
        EXPECT_GT(sound->duration(), 0.05) << path;
        EXPECT_LT(sound->duration(), 10.0) << path << ": files stay short";
        float peak = 0;
        for (float sample : sound->samples)
            peak = std::max(peak, std::abs(sample));
        EXPECT_GT(peak, 0.1f) << path;
        EXPECT_LE(peak, 0.95f) << path << " leaves headroom for mixing";
    }
}

TEST_F(SoundLibraryFilesTest, LoopsJoinWithoutAJumpAndOneShotsEndInSilence)
{
    auto entries = library();
    auto continuous = names("ContinuousSoundPrivateNames");
    for (const auto& entry : entries) {
        if (entry.fileName.starts_with("system_"))
            continue;
        auto sound = SoundFile::decode(fileOf(entry));
        ASSERT_NE(sound, nullptr);
        auto samples = left(*sound);
        bool loop = std::find(continuous.begin(), continuous.end(), entry.privateName) != continuous.end();
        if (loop) {
            float largestStep = 0;
            for (std::size_t i = 1; i < samples.size(); ++i)
                largestStep = std::max(largestStep, std::abs(samples[i] - samples[i - 1]));
            EXPECT_LE(std::abs(samples.front() - samples.back()), largestStep) << entry.privateName;
        } else {
            EXPECT_LT(std::abs(samples.back()), 0.01f) << entry.privateName;
        }
    }
}

}
}
