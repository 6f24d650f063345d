#pragma once

#include "command/MatchingItemKind.h"
#include "command/MatchingText.h"

#include <string>
#include <vector>

namespace ostrel {

// One line of the command pop-up: a command, a group header or an option. Entries are made
// afresh at every gathering and only their score changes while they live.
class MatchingItem {
public:
    virtual ~MatchingItem() = default;
    MatchingItem(const MatchingItem&) = delete;
    MatchingItem& operator=(const MatchingItem&) = delete;

    const std::string& identifier() const { return m_identifier; }
    // The title, which the typed text is matched against.
    const std::string& preciseMatchingString() const { return m_preciseMatchingString; }
    // The group path, outermost first: the entry's place in the tree and a second thing to match.
    const std::vector<std::string>& expandedMatchingStrings() const { return m_expandedMatchingStrings; }
    // Title and path as the scorers compare them, folded once when the entry is made: an entry
    // lives for one opening, and ranking runs on every keystroke of it.
    const FoldedText& foldedTitle() const { return m_foldedTitle; }
    const std::vector<FoldedText>& foldedPath() const { return m_foldedPath; }
    double matchingScore() const { return m_matchingScore; }
    void setMatchingScore(double score) { m_matchingScore = score; }
    const std::string& displayString() const { return m_preciseMatchingString; }
    MatchingItemKind kind() const { return m_kind; }

    virtual std::string byLineString() const;
    virtual bool isEnabled() const { return true; }
    virtual void execute() = 0;
    virtual void prepareForNext() { }
    virtual bool dismissBeforeExecution() const { return false; }

    // The path elements from last to first, joined by the separator.
    static std::string commonByLineString(const std::vector<std::string>& path);

    // " ← ": a blank, U+2190 and a blank.
    static constexpr const char* pathSeparator = " \u2190 ";

protected:
    MatchingItem(std::string title, std::vector<std::string> path, MatchingItemKind kind);

private:
    std::string m_identifier;
    std::string m_preciseMatchingString;
    std::vector<std::string> m_expandedMatchingStrings;
    FoldedText m_foldedTitle;
    std::vector<FoldedText> m_foldedPath;
    double m_matchingScore { 0 };
    MatchingItemKind m_kind { MatchingItemKind::item };
};

}
