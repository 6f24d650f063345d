#pragma once

#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Timer.h"

#include <functional>
#include <string>
#include <vector>

namespace desktop::test {

// Collects diagnostic lines for the life of the object.
class LogLines {
public:
    LogLines()
    {
        m_previous = base::setDiagnosticSink([this](std::string_view line) { lines.emplace_back(line); });
    }
    ~LogLines() { base::setDiagnosticSink(m_previous); }

    bool contains(const std::string& part) const
    {
        for (const auto& line : lines) {
            if (line.find(part) != std::string::npos)
                return true;
        }
        return false;
    }

    std::vector<std::string> lines;

private:
    base::DiagnosticSink m_previous;
};

// Drives the main run loop on the real clock until `done` holds, for events that come from
// outside (the X server, the kernel). The deadline only matters when a test is failing.
inline bool runLoopUntil(const std::function<bool()>& done, double seconds = 10)
{
    bool timedOut = false;
    bool held = false;
    auto deadline = base::Timer::create(seconds, false, base::RunLoop::Mode::Common,
        [&](base::Timer&) { timedOut = true; });
    // What ended the loop is the answer: asking again could catch a later change (a window
    // manager moving the focus once more) and call a condition that held a failure.
    base::RunLoop::main().runUntil([&] { return (held = done()) || timedOut; });
    deadline->invalidate();
    return held || done();
}

}
