#include "platform/base/Uuid.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <random>

namespace base {

std::string makeUuid()
{
    static std::mutex mutex;
    static std::mt19937_64 generator(std::random_device {}());
    std::uint64_t high, low;
    {
        std::lock_guard lock(mutex);
        high = generator();
        low = generator();
    }
    high = (high & 0xffffffffffff0fffULL) | 0x0000000000004000ULL;
    low = (low & 0x3fffffffffffffffULL) | 0x8000000000000000ULL;
    char text[37];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%04X-%012llX", unsigned(high >> 32), unsigned((high >> 16) & 0xffff),
        unsigned(high & 0xffff), unsigned(low >> 48), static_cast<unsigned long long>(low & 0xffffffffffffULL));
    return text;
}

bool isUuid(const std::string& text)
{
    if (text.size() != 36)
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? text[i] != '-' : !std::isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

}
