#pragma once

#include <string>

namespace ostrel {

// Gives log files from before the computer's identifier was part of their names the
// current naming, once per launch, before the log is first read.
class UpgradeManager {
public:
    static UpgradeManager& sharedInstance();

    void upgradeEverything();
    // The renaming pass over one folder: every name that begins with `root` and holds no
    // ")" gets " (<identifier>)" before its extension. Failed moves are logged and tried
    // again next launch.
    void upgradeSystemLogs(const std::string& folder, const std::string& root, const std::string& identifier);

private:
    UpgradeManager() = default;
};

}
