// The text view's side of the desktop's primary selection: what the user selects is offered
// to other programs, and the middle button pastes theirs (or ours) where it clicks.
#include "platform/ui/TextView.h"

#include "platform/ui/Event.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/PrimarySelection.h"

namespace ui {

void TextView::claimPrimarySelection()
{
    if (!m_selection.length)
        return;
    // Asked for once the run loop turns: the selection as it is then, if the view still is.
    std::weak_ptr<View> weak = weak_from_this();
    PrimarySelection::shared().claim([weak]() -> std::optional<std::string> {
        auto view = std::static_pointer_cast<TextView>(weak.lock());
        if (!view || !view->m_selection.length)
            return std::nullopt;
        return view->m_text.substring(view->m_selection).utf8();
    });
}

void TextView::otherMouseDown(const Event& event)
{
    if (!m_editable)
        return;
    auto text = PrimarySelection::shared().text();
    if (!text || text->empty())
        return;
    endComposition(true);
    // Plain text, placed as a drop is: one undo step where the pointer is.
    Pasteboard selection;
    selection.setString(*text);
    performDragOperation(selection, convertPointFrom(event.locationInWindow(), nullptr));
}

}
