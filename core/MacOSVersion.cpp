#include "core/MacOSVersion.h"

#include "platform/base/MainQueue.h"
#include "platform/base/Timer.h"

#include <future>
#include <thread>

namespace ostrel {

namespace {
MacOSVersion::AppearanceProvider& appearanceProvider()
{
    static MacOSVersion::AppearanceProvider provider;
    return provider;
}

// Static initialisation runs on the main thread, before anything could start another.
const std::thread::id mainThread = std::this_thread::get_id();
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
    auto ask = [] {
        auto& provider = appearanceProvider();
        return provider ? provider() : true;
    };
    if (std::this_thread::get_id() == mainThread)
        return ask();
    // The application object belongs to the main thread: ask there and wait for the answer.
    auto answer = std::make_shared<std::promise<bool>>();
    auto future = answer->get_future();
    base::MainQueue::async([answer, ask] { answer->set_value(ask()); });
    return future.get();
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
