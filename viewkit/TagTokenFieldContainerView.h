#pragma once

#include "platform/ui/View.h"

#include <memory>

namespace ostrel {

class TagTokenField;

// A plain view that holds a tag token field and can hand it the keyboard.
class TagTokenFieldContainerView : public ui::View {
public:
    static std::shared_ptr<TagTokenFieldContainerView> create(ui::Rect frame = {});

    const std::shared_ptr<TagTokenField>& tagTokenField() const { return m_tagTokenField; }
    void setTagTokenField(std::shared_ptr<TagTokenField> field) { m_tagTokenField = std::move(field); }

    // Makes the field the window's first responder; without a field this is a programming
    // error and stops the program.
    void selectTagTokenField();

protected:
    explicit TagTokenFieldContainerView(ui::Rect frame);

private:
    std::shared_ptr<TagTokenField> m_tagTokenField;
};

}
