// The field's keyboard and pointer: moving, selecting and editing keys, the clipboard and the
// primary selection, and undo and redo of the user's edits.
#include "platform/ui/TextField.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Event.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/PrimarySelection.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cctype>

namespace ui {

namespace {

bool isWordCharacter(char c)
{
    auto u = static_cast<unsigned char>(c);
    // Bytes of characters beyond ASCII count as letters: words of any script hold together.
    return u >= 0x80 || std::isalnum(u) || c == '_' || c == '\'';
}

}

bool TextField::command(TextCommand command)
{
    if (auto handler = onCommand)
        return handler(command);
    return false;
}

std::size_t TextField::wordBoundary(std::size_t offset, int direction) const
{
    if (direction < 0) {
        while (offset > 0 && !isWordCharacter(m_text[offset - 1]))
            --offset;
        while (offset > 0 && isWordCharacter(m_text[offset - 1]))
            --offset;
        return offset;
    }
    while (offset < m_text.size() && !isWordCharacter(m_text[offset]))
        ++offset;
    while (offset < m_text.size() && isWordCharacter(m_text[offset]))
        ++offset;
    return offset;
}

void TextField::keyDown(const Event& event)
{
    // A key that reaches us while composing was not the input method's: what it composed goes.
    endComposition(true);
    if (!isEditing()) {
        Control::keyDown(event);
        return;
    }
    std::uint32_t flags = event.modifierFlags();
    bool shift = flags & ModifierFlag::Shift;
    // Ctrl (the command key here) steps by words, as on every Linux desktop.
    bool word = flags & (ModifierFlag::Command | ModifierFlag::Option);
    auto move = [&](std::size_t to) {
        m_undo.closeOpenGroup();
        m_caret = to;
        if (!shift)
            m_anchor = to;
        else if (m_anchor != m_caret)
            claimPrimarySelection();
        setNeedsDisplay();
        revealCaret();
    };
    switch (static_cast<base::KeyCode>(event.keyCode())) {
    case base::KeyCode::UpArrow:
        if (!command(TextCommand::MoveUp))
            move(0);
        return;
    case base::KeyCode::DownArrow:
        if (!command(TextCommand::MoveDown))
            move(m_text.size());
        return;
    case base::KeyCode::Return:
    case base::KeyCode::KeypadEnter:
        if (!command(TextCommand::InsertNewline)) {
            m_edited = false;
            selectAll();
            sendAction();
            // Then on to the window, whose default button Return presses, as in any dialog.
            if (window())
                Control::keyDown(event);
        }
        return;
    case base::KeyCode::Escape:
        if (!command(TextCommand::Cancel))
            Control::keyDown(event);
        return;
    case base::KeyCode::Tab:
        Control::keyDown(event);
        return;
    case base::KeyCode::LeftArrow:
        if (m_anchor != m_caret && !shift && !word)
            move(std::min(m_anchor, m_caret));
        else
            move(word ? wordBoundary(m_caret, -1) : previousBoundary(m_caret));
        return;
    case base::KeyCode::RightArrow:
        if (m_anchor != m_caret && !shift && !word)
            move(std::max(m_anchor, m_caret));
        else
            move(word ? wordBoundary(m_caret, 1) : nextBoundary(m_caret));
        return;
    case base::KeyCode::Home:
        move(0);
        return;
    case base::KeyCode::End:
        move(m_text.size());
        return;
    case base::KeyCode::Delete:
        // Ctrl+Backspace takes the word before the caret.
        if (word && m_anchor == m_caret)
            replace(wordBoundary(m_caret, -1), m_caret, {}, EditKind::Other);
        else
            deleteBackward();
        return;
    case base::KeyCode::ForwardDelete:
        if (word && m_anchor == m_caret)
            replace(m_caret, wordBoundary(m_caret, 1), {}, EditKind::Other);
        else
            deleteForward();
        return;
    default:
        break;
    }
    if (flags & (ModifierFlag::Command | ModifierFlag::Control)) {
        if (!(flags & ModifierFlag::Command) || !performEditingShortcut(event))
            Control::keyDown(event);
        return;
    }
    const std::string& typed = event.characters();
    bool printable = !typed.empty() && std::all_of(typed.begin(), typed.end(), [](char c) {
        auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u != 0x7f;
    });
    if (printable)
        insertText(typed);
    else
        Control::keyDown(event);
}

bool TextField::performEditingShortcut(const Event& event)
{
    // By the letter, whatever its case: Ctrl+Shift+Z arrives as "Z".
    std::string c = event.characters();
    if (c.size() == 1)
        c[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(c[0])));
    bool shift = event.modifierFlags() & ModifierFlag::Shift;
    std::size_t from = std::min(m_anchor, m_caret);
    std::size_t to = std::max(m_anchor, m_caret);
    if (c == "a") {
        selectAll();
        claimPrimarySelection();
    } else if ((c == "c" || c == "x") && to > from) {
        Pasteboard::general().clearContents();
        Pasteboard::general().setString(m_text.substr(from, to - from));
        if (c == "x")
            replace(from, to, {}, EditKind::Other);
    } else if (c == "v") {
        if (auto text = Pasteboard::general().string())
            pasteText(*text);
    } else if ((c == "z" && shift) || (c == "y" && !shift)) {
        m_undo.redo();
    } else if (c == "z") {
        m_undo.undo();
    } else {
        return false;
    }
    return true;
}

void TextField::pasteText(const std::string& text)
{
    // A paste is an undo step of its own, never part of the typing around it.
    m_undo.closeOpenGroup();
    insertText(text);
    m_undo.closeOpenGroup();
}

void TextField::recordUndo(EditKind kind)
{
    // Typing runs and deleting runs each undo as one step; anything else stands alone.
    if (kind != m_lastEdit || kind == EditKind::Other)
        m_undo.closeOpenGroup();
    m_lastEdit = kind;
    std::weak_ptr<View> weak = weak_from_this();
    m_undo.registerUndo([weak, text = m_text, caret = m_caret, anchor = m_anchor] {
        if (auto field = std::static_pointer_cast<TextField>(weak.lock()))
            field->restore(text, caret, anchor);
    });
}

void TextField::restore(const std::string& text, std::size_t caret, std::size_t anchor)
{
    // Registers the state it leaves, which is what redo (or undo again) comes back to.
    recordUndo(EditKind::Other);
    m_lastEdit = EditKind::None;
    m_text = text;
    m_caret = std::min(caret, m_text.size());
    m_anchor = std::min(anchor, m_text.size());
    m_edited = true;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
    if (auto changed = onTextChange)
        changed();
}

void TextField::claimPrimarySelection()
{
    if (m_anchor == m_caret)
        return;
    std::weak_ptr<View> weak = weak_from_this();
    PrimarySelection::shared().claim([weak]() -> std::optional<std::string> {
        auto field = std::static_pointer_cast<TextField>(weak.lock());
        if (!field || field->m_anchor == field->m_caret)
            return std::nullopt;
        std::size_t from = std::min(field->m_anchor, field->m_caret);
        return field->m_text.substr(from, std::max(field->m_anchor, field->m_caret) - from);
    });
}

void TextField::mouseDown(const Event& event)
{
    endComposition(true);
    if (!isEditing())
        return;
    std::size_t offset = offsetAt(convertPointFrom(event.locationInWindow(), nullptr));
    if (event.clickCount() == 2) {
        // A double click takes the word.
        setCaret(offset);
        m_anchor = wordBoundary(std::min(offset + 1, m_text.size()), -1);
        m_caret = wordBoundary(m_anchor, 1);
        claimPrimarySelection();
        return;
    }
    if (event.modifierFlags() & ModifierFlag::Shift) {
        m_caret = offset;
        claimPrimarySelection();
        setNeedsDisplay();
        return;
    }
    setCaret(offset);
}

void TextField::mouseDragged(const Event& event)
{
    if (!isEditing())
        return;
    m_caret = offsetAt(convertPointFrom(event.locationInWindow(), nullptr));
    claimPrimarySelection();
    setNeedsDisplay();
}

void TextField::otherMouseDown(const Event& event)
{
    if (!isEditing())
        return;
    auto text = PrimarySelection::shared().text();
    if (!text || text->empty())
        return;
    // Where the middle button clicked, as X programs paste the primary selection.
    setCaret(offsetAt(convertPointFrom(event.locationInWindow(), nullptr)));
    pasteText(*text);
}

}
