#include "core/ZrLog.h"

#include "platform/base/Diagnostics.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace ostrel {

namespace {
// Written on the main thread, read from any: relaxed is all a log switch needs.
std::atomic<bool> loggerSwitch { false };
}

bool zr_logIsOn()
{
    return loggerSwitch.load(std::memory_order_relaxed);
}

void setZrLogOn(bool on)
{
    loggerSwitch.store(on, std::memory_order_relaxed);
}

void zr_log(const char* format, ...)
{
    if (!zr_logIsOn())
        return;
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length < 0) {
        va_end(arguments);
        return;
    }
    std::vector<char> text(static_cast<size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, arguments);
    va_end(arguments);
    base::diagnostic(std::string_view(text.data(), static_cast<size_t>(length)));
}

}
