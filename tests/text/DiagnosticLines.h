#pragma once

#include "platform/base/Diagnostics.h"

#include <string>
#include <vector>

namespace text::test {

// Collects the diagnostic lines written while it lives, and puts the previous sink back.
class DiagnosticLines {
public:
    DiagnosticLines()
        : m_previous(base::setDiagnosticSink([this](std::string_view line) { lines.emplace_back(line); }))
    {
    }
    ~DiagnosticLines() { base::setDiagnosticSink(m_previous); }
    DiagnosticLines(const DiagnosticLines&) = delete;
    DiagnosticLines& operator=(const DiagnosticLines&) = delete;

    std::vector<std::string> lines;

private:
    base::DiagnosticSink m_previous;
};

}
