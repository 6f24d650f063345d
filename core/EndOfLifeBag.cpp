#include "core/EndOfLifeBag.h"

#include <cstdio>

namespace ostrel {

EndOfLifeBag::~EndOfLifeBag()
{
    // Quoted, as a debug print of the text shows it: a developer watching the console sees
    // each bag go.
    std::fputs("\"disposing of end of life bag\"\n", stdout);
    if (!m_closures)
        return;
    // Moved out first so that a closure that drops the last reference to something owning
    // another bag never sees this list half-walked.
    auto closures = std::move(*m_closures);
    m_closures.reset();
    for (auto& closure : closures) {
        if (closure)
            closure();
    }
}

void EndOfLifeBag::add(std::function<void()> closure)
{
    if (!m_closures)
        m_closures.emplace();
    m_closures->push_back(std::move(closure));
}

}
