#include "command/MatchingLineFragmentFactory.h"

#include "command/OstrelMatchingLineFragment.h"

namespace ostrel {

std::shared_ptr<MatchingLineFragment> MatchingLineFragmentFactory::makeBlank() { return MatchingLineFragment::create(); }

std::shared_ptr<MatchingLineFragment> OstrelMatchingLineFragmentFactory::makeBlank()
{
    auto row = OstrelMatchingLineFragment::create();
    row->setImageSize({ 40, 40 });
    row->setDisplayStringFontSize(13);
    row->setByLineFontSize(11);
    row->setTopInset(6);
    row->setBottomInset(6);
    return row;
}

}
