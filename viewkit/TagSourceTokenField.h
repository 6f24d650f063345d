#pragma once

#include "log/TagManager.h"

#include "platform/ui/TokenField.h"

#include <memory>
#include <string>
#include <vector>

namespace ostrel {

// A token field that shows every tag of the log, sorted, in the light look with black text;
// it completes from the tag manager and is told by it (on the main queue) whenever new tags
// were read.
class TagSourceTokenField : public ui::TokenField, public TagManager::TokenField {
public:
    // Registered with the shared tag manager and showing its tags at once.
    static std::shared_ptr<TagSourceTokenField> create();

    bool allowsVibrancy() const { return false; }
    void updateWithTagList(const std::vector<std::string>& tags) override;

protected:
    TagSourceTokenField();
};

}
