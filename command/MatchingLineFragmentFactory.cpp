#include "command/MatchingLineFragmentFactory.h"

#include "command/MatchingLineFragment.h"

namespace ostrel {

std::shared_ptr<MatchingLineFragment> MatchingLineFragmentFactory::makeBlank() { return MatchingLineFragment::create(); }

std::shared_ptr<MatchingLineFragment> OstrelMatchingLineFragmentFactory::makeBlank() { return MatchingLineFragment::create(); }

}
