#pragma once

#include <filesystem>

namespace desktop {

// Starting the program at login, through its entry in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart/ostrel.desktop). The entry counts only when it starts this very
// program, so a copy left behind by an older install reads as off and is replaced when
// turned on.
class Autostart {
public:
    static std::filesystem::path entryPath();

    static bool isOn();
    // False, with the reason logged, when the entry cannot be written or removed.
    static bool setOn(bool on);
};

}
