#include "platform/base/PropertyList.h"
#include "platform/base/Resources.h"
#include "platform/media/SoundData.h"
#include "platform/media/SoundFile.h"
#include "platform/media/SystemSounds.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace media::test {
namespace {

// The sound library's lists as the program reads them: through its own property-list
// reader, from the resources the build assembled beside the generated sounds.
class SoundLibraryFilesTest : public ::testing::Test {
protected:
    struct Entry {
        std::string privateName;
        std::string label;
        std::string fileName;
    };

    static base::Value plist(const std::string& name)
    {
        auto path = base::Resources::path(name, "plist", "sounds");
        EXPECT_TRUE(path) << name << ".plist is not among the resources";
        std::string error;
        auto value = path ? base::readPropertyList(*path, &error) : std::nullopt;
        EXPECT_TRUE(value) << name << ": " << error;
        return value.value_or(base::Value());
    }

    static std::string text(const base::Value& dictionary, const std::string& key)
    {
        const auto* value = dictionary.find(key);
        const auto* string = value ? value->asString() : nullptr;
        return string ? *string : std::string();
    }

    static std::vector<std::string> names(const std::string& list)
    {
        std::vector<std::string> result;
        auto value = plist(list);
        for (const auto& item : value.asArray() ? *value.asArray() : base::Value::Array())
            result.push_back(item.asString() ? *item.asString() : std::string());
        return result;
    }

    static std::vector<Entry> library()
    {
        std::vector<Entry> result;
        auto value = plist("SoundMappingFile");
        for (const auto& item : value.asArray() ? *value.asArray() : base::Value::Array())
            result.push_back({ text(item, "PrivateName"), text(item, "Label"), text(item, "FileName") });
        return result;
    }

    // Where the library finds the file: a resource of type "aif", or a system sound.
    static std::filesystem::path fileOf(const Entry& entry)
    {
        if (entry.fileName.starts_with("system_"))
            return SystemSounds::path(entry.fileName.substr(7));
        return base::Resources::path(entry.fileName, "aif").value_or(entry.fileName + ".aif (missing)");
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
    auto manager = plist("SoundManager");
    EXPECT_EQ(text(manager, "SoundLibraryLoader"), "SimpleSoundLibraryLoader");
    EXPECT_EQ(text(manager, "ContinuousSoundsLoader"), "ContinuousSoundCollectionLoader");
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
    bool systemSounds = SystemSounds::find("bell").has_value();
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
