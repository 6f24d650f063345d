#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ostrel {

class HotKey;

// Holds the application's named hot keys, so that they live until they are replaced as a
// whole.
class KeyboardShortcutsManager {
public:
    // Made on first use, kept for the run.
    static KeyboardShortcutsManager& shared();

    std::map<std::string, std::shared_ptr<HotKey>> allHotKeysDic;
    std::vector<std::string> allIdentifiers() const;

    // Unregisters every hot key and lets it go; afterwards the dictionary is empty.
    void unregisterAll();
};

}
