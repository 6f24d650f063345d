#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// One sound of the library: a row of "SoundMappingFile" with the file it resolved to.
struct SoundLibraryEntry {
    std::string privateName;
    std::string label;
    std::string fileName;
    std::filesystem::path filePath;

    bool operator==(const SoundLibraryEntry&) const = default;
};

// Where the library's sounds come from. The "SoundManager" resource list names the loader
// classes by name; an unknown name gets the base class, which loads nothing.
class SoundLibraryLoader {
public:
    static std::unique_ptr<SoundLibraryLoader> create(const std::string& className);
    virtual ~SoundLibraryLoader() = default;
    virtual std::vector<SoundLibraryEntry> loadSoundLibraryArray() { return {}; }

    // A file name "system_<name>" names the desktop theme's sound <name>; none otherwise.
    static std::optional<std::string> systemSoundName(const std::string& fileName);
};

// The program's own "SoundMappingFile": our generated sounds, and the theme's for "system_".
class SimpleSoundLibraryLoader : public SoundLibraryLoader {
public:
    std::vector<SoundLibraryEntry> loadSoundLibraryArray() override;
};

// Ours, then those of the companion noise package that we do not have already.
class CompoundSoundLibraryLoader : public SimpleSoundLibraryLoader {
public:
    std::vector<SoundLibraryEntry> loadSoundLibraryArray() override;
};

// The private names offered as continuous sounds.
class SoundCollectionLoader {
public:
    static std::unique_ptr<SoundCollectionLoader> create(const std::string& className);
    virtual ~SoundCollectionLoader() = default;
    virtual std::vector<std::string> loadPrivateNamesArray() { return {}; }
};

class ContinuousSoundCollectionLoader : public SoundCollectionLoader {
public:
    std::vector<std::string> loadPrivateNamesArray() override;
};

class CompoundContinuousSoundCollectionLoader : public ContinuousSoundCollectionLoader {
public:
    std::vector<std::string> loadPrivateNamesArray() override;
};

// The companion noise package: more continuous sounds with lists of the same form.
class NoiseMachineDetector {
public:
    static bool noiseMachineDetected();
    // Its resource folder, ending in "/".
    static std::string pathToNoiseMachineResources();
    // Tests point it elsewhere; an empty path restores the installed place.
    static void setResourcesFolder(const std::filesystem::path& folder);
};

// Every loader class under its own name, so that DynamicConfiguration can make the ones
// the "SoundManager" list names. Registering again changes nothing.
void registerSoundLoaderClasses();

// A list of strings among the program's sound resources; empty (logged) when it is missing
// or not a list of strings.
std::vector<std::string> soundResourceNameList(const std::string& listName);

}
