#include "platform/base/RepeatedDiagnostic.h"

#include "platform/base/Diagnostics.h"

namespace base {

void RepeatedDiagnostic::note(std::string_view line)
{
    ++m_count;
    if (m_count == 1) {
        diagnostic(line);
        return;
    }
    if (m_count < m_nextTold)
        return;
    diagnostic(std::string(line) + " (" + std::to_string(m_count) + " times so far)");
    if (m_nextTold <= UINT64_MAX / 10)
        m_nextTold *= 10;
}

}
