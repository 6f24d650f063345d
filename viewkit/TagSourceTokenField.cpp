#include "viewkit/TagSourceTokenField.h"

#include <algorithm>

namespace ostrel {

std::shared_ptr<TagSourceTokenField> TagSourceTokenField::create()
{
    std::shared_ptr<TagSourceTokenField> field(new TagSourceTokenField);
    TagManager::sharedInstance().registerTokenField(field);
    field->updateWithTagList(TagManager::sharedInstance().allTags());
    return field;
}

TagSourceTokenField::TagSourceTokenField()
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
    // The light look: black text on a light field.
    setTextColor(gfx::colors::black);
    setDrawsBackground(false);
    completions = [](const std::string& substring, std::size_t) {
        return TagManager::sharedInstance().completionsForSubstring(substring);
    };
}

void TagSourceTokenField::updateWithTagList(const std::vector<std::string>& tags)
{
    auto sorted = tags;
    std::stable_sort(sorted.begin(), sorted.end(), localizedCaseInsensitiveLess);
    setTokens(sorted);
}

}
