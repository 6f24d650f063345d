#pragma once

#include "platform/ui/TokenField.h"

#include <memory>

namespace ostrel {

// The token field of tags. After the user typed, Return or Tab completes the token and keeps
// the keyboard in the field (taking the offered completion, if any, and tidying the list),
// so tag after tag can be entered; a Tab with nothing typed since moves on as usual.
// Taking the keyboard puts the caret at the end of the text.
class TagTokenField : public ui::TokenField {
public:
    static std::shared_ptr<TagTokenField> create();

    // Whether the user typed since the field last took the keyboard.
    bool hasStartedEditing() const { return m_hasStartedEditing; }
    bool allowsVibrancy() const { return true; }

    bool becomeFirstResponder() override;
    void keyDown(const ui::Event& event) override;

protected:
    TagTokenField();

private:
    // The field gives up the keyboard, which ends the token, and takes it straight back.
    void endTokenAndStay();

    bool m_hasStartedEditing { false };
};

}
