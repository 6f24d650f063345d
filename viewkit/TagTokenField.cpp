#include "viewkit/TagTokenField.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Event.h"
#include "platform/ui/Window.h"

namespace ostrel {

std::shared_ptr<TagTokenField> TagTokenField::create() { return std::shared_ptr<TagTokenField>(new TagTokenField); }

TagTokenField::TagTokenField() = default;

bool TagTokenField::becomeFirstResponder()
{
    if (!ui::TokenField::becomeFirstResponder())
        return false;
    // The caret goes after the last token, where typing starts a new one.
    if (!stringValue().empty() && !tokens().empty())
        setStringValue(join(tokens()) + ", ");
    setCaret(stringValue().size());
    m_hasStartedEditing = false;
    return true;
}

void TagTokenField::keyDown(const ui::Event& event)
{
    auto key = static_cast<base::KeyCode>(event.keyCode());
    bool endsToken = key == base::KeyCode::Return || key == base::KeyCode::KeypadEnter
        || (key == base::KeyCode::Tab && !(event.modifierFlags() & ui::ModifierFlag::Shift));
    if (endsToken && m_hasStartedEditing && isEditing()) {
        acceptSuggestion();
        endTokenAndStay();
        return;
    }
    std::string before = stringValue();
    ui::TokenField::keyDown(event);
    if (stringValue() != before)
        m_hasStartedEditing = true;
}

void TagTokenField::endTokenAndStay()
{
    ui::Window* host = window();
    if (!host)
        return;
    // Kept alive across the hand-over, in case giving up the keyboard ends an owner's hold.
    auto self = shared_from_this();
    host->makeFirstResponder(nullptr);
    host->makeFirstResponder(this);
}

}
