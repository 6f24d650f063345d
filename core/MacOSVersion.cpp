#include "core/MacOSVersion.h"

#include "platform/base/Timer.h"

namespace ostrel {

namespace {
MacOSVersion::AppearanceProvider& appearanceProvider()
{
    static MacOSVersion::AppearanceProvider provider;
    return provider;
}
}

std::optional<MacOSVersionType> macOSVersionTypeFromRawValue(uint32_t rawValue)
{
    if (rawValue >= 9 && rawValue <= 16)
        return static_cast<MacOSVersionType>(rawValue);
    return std::nullopt;
}

MacOSVersionType macOSVersionTypeForMinorVersion(int minorVersion)
{
    if (minorVersion >= 9 && minorVersion <= 15)
        return static_cast<MacOSVersionType>(minorVersion);
    return MacOSVersionType::asYetUnknownLaterVersion;
}

MacOSVersion& MacOSVersion::singleton()
{
    static MacOSVersion* version = new MacOSVersion; // thread-safe one-time initialisation
    return *version;
}

bool MacOSVersion::isDarkMode() const
{
    auto& provider = appearanceProvider();
    return provider ? provider() : true;
}

void MacOSVersion::setAppearanceProvider(AppearanceProvider provider)
{
    appearanceProvider() = std::move(provider);
}

void MacOSXVersion::setTimerToTolerance(base::Timer& timer, double seconds)
{
    timer.setTolerance(seconds);
}

bool MacOSXVersion::isInDarkMode()
{
    return MacOSVersion::singleton().isDarkMode();
}

bool MacOSXVersion::isCalvane()
{
    return false;
}

}
