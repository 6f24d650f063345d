#pragma once

#include <memory>

namespace ostrel {

class MatchingLineFragment;

// Makes the pop-up's result rows, once each, when the pop-up is built.
class MatchingLineFragmentFactory {
public:
    virtual ~MatchingLineFragmentFactory() = default;
    // A plain row: icon and chevron surfaces of 40 by 40, title 13 and by-line 10 points.
    virtual std::shared_ptr<MatchingLineFragment> makeBlank();
};

// The application's rows: the style kit's icons, the state of options and key symbols.
class OstrelMatchingLineFragmentFactory final : public MatchingLineFragmentFactory {
public:
    std::shared_ptr<MatchingLineFragment> makeBlank() override;
};

}
