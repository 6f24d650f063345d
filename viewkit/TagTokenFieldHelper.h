#pragma once

#include <functional>
#include <memory>
#include <string>

namespace ostrel {

class TagTokenField;
class Wall;

// Installs a tag token field with its tag pull-down at its right into a wall: the field
// completes from the tag manager and shows "No Tags." when empty; the pull-down appends a
// known tag to the same settings key. The field is unbound when the wall ends.
class TagTokenFieldHelper {
public:
    using BindFunc = std::function<void(TagTokenField&)>;

    // In a screen's fragment, the caller binding the field; the filter view sits further in
    // (16 points from the sides, 4 from the top) than others (10 and 8 from the sides, 2 from the top).
    static std::shared_ptr<TagTokenField> installTagTokenFieldInsideFragment(Wall& wall, const std::string& storageKey,
        BindFunc bindFunc, BindFunc unbindFunc, bool forFilterView);
    // In any wall, the field bound here to the key itself (the log book's "tempTags").
    static std::shared_ptr<TagTokenField> installTagTokenFieldInsideOfNormalWall(Wall& wall, const std::string& storageKey);

private:
    TagTokenFieldHelper() = default;
    static std::shared_ptr<TagTokenField> createTagTokenField();
    static void installPullDown(Wall& wall, TagTokenField& field, const std::string& storageKey, double rightMargin);
};

}
