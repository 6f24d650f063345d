#pragma once

#include "command/MatchingText.h"

#include <string>

namespace ostrel {

// What one evaluation matches against: the typed text as typed, folded here once for every
// entry and scorer of the evaluation (folding is most of what a scorer would otherwise cost).
struct MatchingCriteria {
    MatchingCriteria(std::string searchString = {})
        : m_searchString(std::move(searchString))
        , m_folded(m_searchString)
    {
    }

    const std::string& searchString() const { return m_searchString; }
    const FoldedText& folded() const { return m_folded; }

    bool operator==(const MatchingCriteria& other) const { return m_searchString == other.m_searchString; }

private:
    std::string m_searchString;
    FoldedText m_folded;
};

}
