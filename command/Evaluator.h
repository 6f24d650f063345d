#pragma once

namespace ostrel {

class MatchingItem;
struct MatchingCriteria;

// One scorer of the ranking chain.
class Evaluator {
public:
    virtual ~Evaluator() = default;
    virtual double evaluateScore(const MatchingItem&, const MatchingCriteria&) const { return 0; }
    // A scorer that answers true ends the chain for an entry nothing has accepted so far.
    virtual bool bailBeforeRunningIfScoreIsStillZero() const { return false; }
};

// The title begins with the typed text.
class PrefixPreciseStringMatchingEvaluator final : public Evaluator {
public:
    double evaluateScore(const MatchingItem&, const MatchingCriteria&) const override;
};

// The title contains the typed text.
class PartialPreciseStringMatchEvaluator final : public Evaluator {
public:
    double evaluateScore(const MatchingItem&, const MatchingCriteria&) const override;
};

// A group on the entry's path begins with or contains the typed text.
class PartialContiguousExpandedStringMatchEvaluator final : public Evaluator {
public:
    double evaluateScore(const MatchingItem&, const MatchingCriteria&) const override;
};

// The typed characters occur in the title in order; adjacent ones count double.
class NonContiguousPreciseMatchingStringEvaluator final : public Evaluator {
public:
    double evaluateScore(const MatchingItem&, const MatchingCriteria&) const override;
};

// Scores nothing; drops entries that no text matcher before it accepted.
class FinishingEvaluator final : public Evaluator {
public:
    bool bailBeforeRunningIfScoreIsStillZero() const override { return true; }
};

// A fixed bonus by kind, so a screen's main command and its alternatives lead.
class IntrinsicExecutableMenuItemEvaluator final : public Evaluator {
public:
    double evaluateScore(const MatchingItem&, const MatchingCriteria&) const override;
};

}
