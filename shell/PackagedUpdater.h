#pragma once

#include "platform/base/Responder.h"
#include "platform/base/Value.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// One offered update of an update feed: only its version and the oldest system it runs on
// are read.
struct AppcastItem {
    std::string versionString;
    std::optional<std::string> minimumSystemVersion;
    bool operator==(const AppcastItem&) const = default;
};

struct Appcast {
    std::vector<AppcastItem> items;
};

class PackagedUpdater;

class VersionComparator {
public:
    virtual ~VersionComparator() = default;
    // -1 when the first is older, 0 when equal, 1 when the first is newer.
    virtual int compareVersion(const std::string& first, const std::string& second) const = 0;
};

// What an updater asks of the program while it looks at a feed.
class UpdaterDelegate {
public:
    virtual ~UpdaterDelegate() = default;
    virtual std::vector<base::Value::Dictionary> feedParametersForUpdater(PackagedUpdater& updater, bool sendingSystemProfile) = 0;
    virtual const VersionComparator* versionComparatorForUpdater(PackagedUpdater& updater) = 0;
    virtual std::optional<AppcastItem> bestValidUpdateInAppcast(const Appcast& appcast, PackagedUpdater& updater) = 0;
};

// The updater of this desktop. Updates of the program come with the package the system
// installed it from, so this updater fetches no feed and never uses the network: it keeps
// what it is given and, asked to check now, tells the user where updates come from.
class PackagedUpdater {
public:
    static std::shared_ptr<PackagedUpdater> create();

    const std::string& userAgentString() const { return m_userAgentString; }
    void setUserAgentString(std::string text) { m_userAgentString = std::move(text); }
    std::shared_ptr<UpdaterDelegate> delegate() const { return m_delegate.lock(); }
    void setDelegate(std::weak_ptr<UpdaterDelegate> delegate) { m_delegate = std::move(delegate); }
    double updateCheckInterval() const { return m_updateCheckInterval; }
    void setUpdateCheckInterval(double seconds) { m_updateCheckInterval = seconds; }

    void checkForUpdates(const base::Sender& sender);

private:
    PackagedUpdater() = default;

    std::string m_userAgentString;
    std::weak_ptr<UpdaterDelegate> m_delegate;
    double m_updateCheckInterval { 86400 };
};

}
