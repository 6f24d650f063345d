#pragma once

namespace ostrel {

// Where an entry stands in a screen's offer. The raw values are stored and compared as
// integers, so their order must never change.
enum class MatchingItemKind : int {
    item = 0,
    group = 1,
    globalOption = 2,
    stateOption = 3,
    defaultChoice = 4,
    firstAlternative = 5,
    firstAction = 6,
    secondAlternative = 7,
    secondAction = 8,
    thirdAlternative = 9,
    thirdAction = 10,
    fourthAlternative = 11,
    fourthAction = 12,
    fifthAlternative = 13,
    fifthAction = 14,
    sixthAlternative = 15,
    sixthAction = 16,
    seventhAlternative = 17,
    seventhAction = 18,
};

constexpr int rawValue(MatchingItemKind kind) { return static_cast<int>(kind); }

// The default choice, the alternatives and the actions: what the top level offers unasked.
constexpr bool isNextStepKind(MatchingItemKind kind)
{
    return rawValue(kind) >= 4 && rawValue(kind) <= 18;
}

// The actions sit on the even raw values from 6 up.
constexpr bool isActionKind(MatchingItemKind kind)
{
    return rawValue(kind) >= 6 && rawValue(kind) <= 18 && rawValue(kind) % 2 == 0;
}

}
