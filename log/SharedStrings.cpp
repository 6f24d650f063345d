#include "log/SharedStrings.h"

#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace ostrel {

namespace {
struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view value) const { return std::hash<std::string_view> {}(value); }
};
}

const std::string& sharedString(std::string_view value)
{
    static const std::string empty;
    if (value.empty())
        return empty;
    // Each thread remembers what it was handed: the threads reading ten years of log ask for
    // the same few strings tens of thousands of times, and would otherwise queue on the lock.
    thread_local std::unordered_map<std::string_view, const std::string*, Hash> seen;
    if (auto known = seen.find(value); known != seen.end())
        return *known->second;
    static std::mutex mutex;
    // Nodes never move, so what is handed out stays where it is.
    static std::unordered_set<std::string, Hash, std::equal_to<>> kept;
    const std::string* shared;
    {
        std::lock_guard lock(mutex);
        auto found = kept.find(value);
        if (found == kept.end())
            found = kept.emplace(value).first;
        shared = &*found;
    }
    seen.emplace(*shared, shared);
    return *shared;
}

}
