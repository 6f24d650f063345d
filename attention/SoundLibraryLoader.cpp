#include "attention/SoundLibraryLoader.h"

#include "core/DynamicConfiguration.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/PropertyList.h"
#include "platform/base/Resources.h"
#include "platform/media/SystemSounds.h"

#include <algorithm>

namespace ostrel {

namespace {

constexpr const char* kSystemPrefix = "system_";
constexpr const char* kNoiseMachineFolder = "/usr/share/ostrel-noise/resources";

std::filesystem::path& noiseMachineOverride()
{
    static std::filesystem::path folder;
    return folder;
}

std::optional<base::Value> readList(const std::filesystem::path& path)
{
    std::string error;
    auto value = base::readPropertyList(path, &error);
    if (!value)
        base::diagnostic("Sound list " + path.string() + " cannot be read: " + error);
    return value;
}

std::optional<base::Value> resourceList(const std::string& name)
{
    auto path = base::Resources::path(name, "plist", "sounds");
    if (!path) {
        base::diagnostic("Sound list " + name + ".plist is missing from the resources");
        return std::nullopt;
    }
    return readList(*path);
}

std::string text(const base::Value& dictionary, const char* key)
{
    const auto* value = dictionary.find(key);
    const auto* string = value ? value->asString() : nullptr;
    return string ? *string : std::string();
}

// Rows without a private name or a file name cannot be played and are left out.
std::vector<SoundLibraryEntry> mappingRows(const base::Value& list, const std::string& source)
{
    std::vector<SoundLibraryEntry> rows;
    for (const auto& item : list.asArray() ? *list.asArray() : base::Value::Array()) {
        SoundLibraryEntry entry { text(item, "PrivateName"), text(item, "Label"), text(item, "FileName"), {} };
        if (entry.privateName.empty() || entry.fileName.empty()) {
            base::diagnostic("Sound list " + source + " has a row without a private name or file name");
            continue;
        }
        rows.push_back(std::move(entry));
    }
    return rows;
}

std::vector<std::string> strings(const base::Value& list)
{
    std::vector<std::string> result;
    for (const auto& item : list.asArray() ? *list.asArray() : base::Value::Array()) {
        if (const auto* string = item.asString())
            result.push_back(*string);
    }
    return result;
}

}

std::optional<std::string> SoundLibraryLoader::systemSoundName(const std::string& fileName)
{
    if (fileName.rfind(kSystemPrefix, 0) != 0)
        return std::nullopt;
    return fileName.substr(std::string(kSystemPrefix).size());
}

std::unique_ptr<SoundLibraryLoader> SoundLibraryLoader::create(const std::string& className)
{
    if (className == "SimpleSoundLibraryLoader")
        return std::make_unique<SimpleSoundLibraryLoader>();
    if (className == "CompoundSoundLibraryLoader")
        return std::make_unique<CompoundSoundLibraryLoader>();
    if (className != "SoundLibraryLoader")
        base::diagnostic("Could not find the sound library loader " + className);
    return std::make_unique<SoundLibraryLoader>();
}

void registerSoundLoaderClasses()
{
    using Library = SoundLibraryLoader;
    using Collection = SoundCollectionLoader;
    DynamicConfiguration::registerClass<Library>("SoundLibraryLoader", [] { return std::make_unique<SoundLibraryLoader>(); });
    DynamicConfiguration::registerClass<Library>("SimpleSoundLibraryLoader",
        [] { return std::make_unique<SimpleSoundLibraryLoader>(); });
    DynamicConfiguration::registerClass<Library>("CompoundSoundLibraryLoader",
        [] { return std::make_unique<CompoundSoundLibraryLoader>(); });
    DynamicConfiguration::registerClass<Collection>("SoundCollectionLoader",
        [] { return std::make_unique<SoundCollectionLoader>(); });
    DynamicConfiguration::registerClass<Collection>("ContinuousSoundCollectionLoader",
        [] { return std::make_unique<ContinuousSoundCollectionLoader>(); });
    DynamicConfiguration::registerClass<Collection>("CompoundContinuousSoundCollectionLoader",
        [] { return std::make_unique<CompoundContinuousSoundCollectionLoader>(); });
}

std::vector<SoundLibraryEntry> SimpleSoundLibraryLoader::loadSoundLibraryArray()
{
    auto list = resourceList("SoundMappingFile");
    if (!list)
        return {};
    auto rows = mappingRows(*list, "SoundMappingFile");
    for (auto& entry : rows) {
        // A theme sound is the theme's even when one of ours has the same name ("bell").
        if (auto system = systemSoundName(entry.fileName))
            entry.filePath = media::SystemSounds::path(*system);
        else if (auto own = base::Resources::path(entry.fileName, "aif", "sounds"))
            entry.filePath = *own;
        else
            entry.filePath = media::SystemSounds::path(entry.fileName);
    }
    return rows;
}

std::vector<SoundLibraryEntry> CompoundSoundLibraryLoader::loadSoundLibraryArray()
{
    auto library = SimpleSoundLibraryLoader::loadSoundLibraryArray();
    if (!NoiseMachineDetector::noiseMachineDetected())
        return library;
    std::filesystem::path folder = NoiseMachineDetector::pathToNoiseMachineResources();
    auto list = readList(folder / "SoundMappingFile.plist");
    if (!list)
        return library;
    for (auto& entry : mappingRows(*list, (folder / "SoundMappingFile.plist").string())) {
        bool known = std::any_of(library.begin(), library.end(),
            [&](const SoundLibraryEntry& own) { return own.privateName == entry.privateName; });
        if (known)
            continue;
        std::error_code error;
        if (auto system = systemSoundName(entry.fileName)) {
            auto found = media::SystemSounds::find(*system);
            if (!found)
                continue;
            entry.filePath = *found;
        } else if (std::filesystem::exists(folder / (entry.fileName + ".aif"), error)) {
            entry.filePath = folder / (entry.fileName + ".aif");
        } else if (auto found = media::SystemSounds::find(entry.fileName)) {
            entry.filePath = *found;
        } else {
            continue;
        }
        library.push_back(std::move(entry));
    }
    return library;
}

std::unique_ptr<SoundCollectionLoader> SoundCollectionLoader::create(const std::string& className)
{
    if (className == "ContinuousSoundCollectionLoader")
        return std::make_unique<ContinuousSoundCollectionLoader>();
    if (className == "CompoundContinuousSoundCollectionLoader")
        return std::make_unique<CompoundContinuousSoundCollectionLoader>();
    if (className != "SoundCollectionLoader")
        base::diagnostic("Could not find the sound collection loader " + className);
    return std::make_unique<SoundCollectionLoader>();
}

std::vector<std::string> ContinuousSoundCollectionLoader::loadPrivateNamesArray()
{
    return soundResourceNameList("ContinuousSoundPrivateNames");
}

std::vector<std::string> CompoundContinuousSoundCollectionLoader::loadPrivateNamesArray()
{
    auto names = ContinuousSoundCollectionLoader::loadPrivateNamesArray();
    if (!NoiseMachineDetector::noiseMachineDetected())
        return names;
    std::filesystem::path folder = NoiseMachineDetector::pathToNoiseMachineResources();
    auto list = readList(folder / "ContinuousSoundPrivateNames.plist");
    for (auto& name : list ? strings(*list) : std::vector<std::string>()) {
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

bool NoiseMachineDetector::noiseMachineDetected()
{
    std::error_code error;
    return std::filesystem::is_directory(pathToNoiseMachineResources(), error);
}

std::string NoiseMachineDetector::pathToNoiseMachineResources()
{
    std::filesystem::path folder = noiseMachineOverride().empty() ? kNoiseMachineFolder : noiseMachineOverride();
    auto path = folder.string();
    return path.ends_with('/') ? path : path + "/";
}

void NoiseMachineDetector::setResourcesFolder(const std::filesystem::path& folder)
{
    noiseMachineOverride() = folder;
}

std::vector<std::string> soundResourceNameList(const std::string& listName)
{
    auto list = resourceList(listName);
    return list ? strings(*list) : std::vector<std::string>();
}

}
