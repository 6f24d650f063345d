#pragma once

#include "core/ZrLog.h"
#include "platform/base/Diagnostics.h"

#include <string>
#include <vector>

namespace ostrel::test {

// Collects the diagnostic lines written while it lives. With `switchOn`, the program's own
// log switch is on meanwhile (as the "loggerIsOn" setting would have it); it is off after.
struct CapturedLog {
    std::vector<std::string> lines;
    base::DiagnosticSink previous;

    explicit CapturedLog(bool switchOn = false)
    {
        setZrLogOn(switchOn);
        previous = base::setDiagnosticSink([this](std::string_view line) { lines.emplace_back(line); });
    }
    ~CapturedLog()
    {
        base::setDiagnosticSink(previous);
        setZrLogOn(false);
    }
};

}
