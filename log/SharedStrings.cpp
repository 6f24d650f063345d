#include "log/SharedStrings.h"

#include <mutex>
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
    static std::mutex mutex;
    // Nodes never move, so what is handed out stays where it is.
    static std::unordered_set<std::string, Hash, std::equal_to<>> kept;
    std::lock_guard lock(mutex);
    auto found = kept.find(value);
    if (found == kept.end())
        found = kept.emplace(value).first;
    return *found;
}

}
