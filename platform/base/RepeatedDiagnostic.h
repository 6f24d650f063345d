#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace base {

// A failure that may come back thousands of times (a flood of connections, a folder that
// stays read-only) said once, then counted: its line again at the 10th, 100th, 1000th, …
// time with the count, so that the log shows how often without drowning in it.
class RepeatedDiagnostic {
public:
    // Each time it happens; `line` is said the first time and at each count worth telling.
    void note(std::string_view line);
    std::uint64_t count() const { return m_count; }

private:
    std::uint64_t m_count { 0 };
    std::uint64_t m_nextTold { 10 };
};

}
