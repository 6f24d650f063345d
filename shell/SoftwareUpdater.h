#pragma once

#include "shell/PackagedUpdater.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

struct OperatingSystemVersion {
    long majorVersion { 0 };
    long minorVersion { 0 };
    long patchVersion { 0 };
    bool operator==(const OperatingSystemVersion&) const = default;
};

// The program's side of updating: it gives the updater its user-agent text, and as the
// updater's delegate picks the update to offer from a feed (the newest one this system
// runs) and compares versions. A version text from a feed is outside input: one missing its
// minor number compares as if that number were empty, never out of range.
class SoftwareUpdater final : public UpdaterDelegate,
                              public VersionComparator,
                              public std::enable_shared_from_this<SoftwareUpdater> {
public:
    using UserAgentProvider = std::function<std::string()>;

    // Creates the updater, gives it the user-agent text and becomes its delegate.
    static std::shared_ptr<SoftwareUpdater> create(UserAgentProvider userAgentString);

    // Hands the user-agent text over again, then has the updater check now.
    void checkForUpdates(const base::Sender& sender);
    void setUpdateCheckInterval(double seconds);
    const std::shared_ptr<PackagedUpdater>& sparkleUpdater() const { return m_sparkleUpdater; }

    std::vector<base::Value::Dictionary> feedParametersForUpdater(PackagedUpdater& updater, bool sendingSystemProfile) override;
    const VersionComparator* versionComparatorForUpdater(PackagedUpdater& updater) override;
    std::optional<AppcastItem> bestValidUpdateInAppcast(const Appcast& appcast, PackagedUpdater& updater) override;
    // Application versions: major "." minor, optionally "a" or "b" and a pre-release number.
    // A release is newer than anything of its major and minor version.
    int compareVersion(const std::string& first, const std::string& second) const override;

    // Whether this system is at least the item's minimum system version (none or empty: any).
    bool hostSupportsItem(const AppcastItem& item) const;

    // System versions: runs of digits and of other characters, each "." a part of its own.
    enum class CharacterType { separator, number, string };
    static CharacterType typeOfCharacter(char character);
    static std::vector<std::string> splitVersionString(std::string_view version);
    static int standardCompareVersion(std::string_view first, std::string_view second);

    // The running kernel's release ("6.1.0-18-amd64" gives 6, 1, 0); zeros when unknown.
    static OperatingSystemVersion operatingSystemVersion();
    static bool isOperatingSystemAtLeastVersion(const OperatingSystemVersion& version);
    static std::string systemVersionString();

private:
    SoftwareUpdater() = default;
    void handOverUserAgentString();

    std::shared_ptr<PackagedUpdater> m_sparkleUpdater;
    UserAgentProvider m_userAgentString;
};

}
