#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace base {
class Timer;
}

namespace ostrel {

// Releases by their minor version number; everything unknown counts as the latest.
enum class MacOSVersionType : uint32_t {
    mavericks = 9,
    yosemite = 10,
    elCapitan = 11,
    sierra = 12,
    highSierra = 13,
    mojave = 14,
    catalina = 15,
    asYetUnknownLaterVersion = 16,
};

std::optional<MacOSVersionType> macOSVersionTypeFromRawValue(uint32_t rawValue);
MacOSVersionType macOSVersionTypeForMinorVersion(int minorVersion);

// Which release runs and whether the application shows the dark appearance. On this
// desktop there is no such release number, so every caller sees the latest release.
class MacOSVersion {
public:
    static MacOSVersion& singleton();

    MacOSVersionType currentVersion() const { return m_currentVersion; }
    // Asks the application object once it exists; dark until then, as the application
    // forces the dark appearance at start-up anyway. From another thread it waits for the
    // main thread's answer, so the main thread must not be waiting for that caller.
    bool isDarkMode() const;

    using AppearanceProvider = std::function<bool()>;
    static void setAppearanceProvider(AppearanceProvider provider);

private:
    MacOSVersion() = default;
    MacOSVersionType m_currentVersion { MacOSVersionType::asYetUnknownLaterVersion };
};

// The older code's questions about the running system.
namespace MacOSXVersion {
void setTimerToTolerance(base::Timer& timer, double seconds);
bool isInDarkMode();
// Whether this copy runs as the sibling product; never on this desktop.
bool isCalvane();
}

}
