#pragma once

#include "platform/gfx/Color.h"
#include "platform/text/AttributedString.h"
#include "platform/text/RichTextLayout.h"
#include "platform/ui/TextFeatures.h"
#include "platform/ui/TextInput.h"
#include "platform/ui/TextSubstitutions.h"
#include "platform/ui/UndoManager.h"
#include "platform/ui/View.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class SpellingMarks;

// Rich text being edited: a caret and a selection moved by mouse and keyboard, typing in the
// typing attributes, bold and italic by font traits, underline and strike-through, links
// that open on a click, and undo in groups. The layout is updated paragraph by paragraph,
// so typing in a long page stays fast. Inside a scroll view the text view grows with its
// text. Indices are UTF-16 units, as in the text layer. An input method's composition shows
// underlined at the insertion point and joins the text only when committed. The typing
// features (TextFeatures) are off until set.
class TextView : public View, public TextInputClient {
public:
    static std::shared_ptr<TextView> create();
    ~TextView() override;

    // The text changed by the user (typing, deleting, pasting, formatting, undo).
    std::function<void()> onTextChange;
    // Any change of the text, the user's or the program's (replaceInTextStorage), undo and
    // redo included; loading (setAttributedString) is none. Whoever keeps the text elsewhere,
    // a page on disk, hears of every change here.
    std::function<void()> onStorageChange;
    // The user tried to change text that is not editable (typing, deleting, pasting,
    // dropping, formatting, an insertion made on the user's behalf): the owner says why.
    // Without one, a refused key goes on up the responder chain.
    std::function<void()> onEditRefused;
    std::function<void()> onTypingAttributesChange;
    std::function<void()> onSelectionChange;
    // Editing commands by name ("insertNewline:", "insertTab:", "moveUp:", "moveDown:",
    // "cancelOperation:", "deleteBackward:") offered first; true when the delegate handled it.
    std::function<bool(std::string_view command)> onCommand;
    // A link was clicked: true when handled; otherwise the link opens in its program.
    std::function<bool(const std::string& link)> onLinkClick;
    // Draws the selection while the view is not focused (the inactive highlight).
    std::function<void(gfx::GraphicsContext&, const std::vector<Rect>& rects)> drawInactiveSelection;

    const text::AttributedString& textStorage() const { return m_text; }
    // Replaces the whole text (not undoable, not reported): loading a page.
    void setAttributedString(text::AttributedString text);
    std::string string() const { return m_text.utf8(); }

    text::Range selectedRange() const { return m_selection; }
    void setSelectedRange(text::Range range);
    const text::Attributes& typingAttributes() const { return m_typingAttributes; }
    void setTypingAttributes(text::Attributes attributes);

    // An edit the program makes straight in the storage: neither recorded for undo (whoever
    // makes it registers its own undo) nor reported as a change of the user's.
    void replaceInTextStorage(text::Range range, const text::AttributedString& replacement);

    // The user's edits: undoable and reported; refused (onEditRefused) while not editable.
    void insertText(std::u16string_view text);
    void insertText(const text::AttributedString& text);
    // False when refused.
    bool replaceCharacters(text::Range range, const text::AttributedString& replacement);
    // Whether the latest change reported by onTextChange was typed (keys, an input method's
    // text): what typing answers (shortcuts) does not answer pasting, dropping or formatting.
    bool lastChangeWasTyped() const { return m_lastChangeTyped; }
    void deleteBackward();
    void deleteForward();
    // On the selection, or on the typing attributes when nothing is selected.
    void toggleBold();
    void toggleItalic();
    void toggleUnderline();
    void toggleStrikethrough();
    void selectAll();
    // A line break; in a list item it starts the next item (tab, marker, tab), and in an
    // empty item it ends the list instead.
    void insertNewline();
    // With the general pasteboard: the selection as RTFD, RTF and plain text; pasting takes
    // the richest of them there is, as one undo step.
    void copy();
    void cut();
    virtual void paste();

    UndoManager& undoManager() { return m_undo; }

    const TextFeatures& textFeatures() const { return m_features; }
    void setTextFeatures(const TextFeatures& features);

    bool isEditable() const { return m_editable; }
    void setEditable(bool editable) { m_editable = editable; }
    bool isSelectable() const { return m_selectable || m_editable; }
    void setSelectable(bool selectable) { m_selectable = selectable; }
    // An editor's Tab and Shift+Tab type a tab (Ctrl+Tab leaves); a note field's move the focus.
    bool insertsTabs() const { return m_insertsTabs; }
    void setInsertsTabs(bool inserts) { m_insertsTabs = inserts; }
    Size textContainerInset() const { return m_inset; }
    void setTextContainerInset(Size inset);
    const text::LayoutDefaults& defaults() const { return m_defaults; }
    void setDefaults(text::LayoutDefaults defaults);
    gfx::Color backgroundColor() const { return m_background; }
    void setBackgroundColor(gfx::Color color);
    void setDrawsBackground(bool draws);
    const std::string& placeholder() const { return m_placeholder; }
    void setPlaceholder(std::string placeholder);

    // The height the text takes laid out at a width, insets included.
    double usedHeight(double width) const;
    // Scrolls the enclosing scroll view, if any, so that the caret is in sight.
    void scrollCaretToVisible();
    // The caret's place in the view.
    Rect caretRect() const;
    // What the selection is filled with, while the view has the keyboard or not: the text
    // in its default colour reads on it at 4.5:1 or better.
    gfx::Color selectionColor(bool focused) const;
    // The character index under a point of the view.
    std::size_t characterIndexAt(Point point) const;
    const text::RichTextLayout& layoutManager() const;

    bool isFlipped() const override { return true; }
    // Every change marks the lines it touched, the caret and the selection.
    bool marksItsOwnChanges() const override { return true; }
    bool acceptsFirstResponder() const override { return isSelectable(); }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;
    void frameDidChange() override;
    void layout() override { growToText(); }
    void keyDown(const Event& event) override;
    void mouseDown(const Event& event) override;
    void mouseDragged(const Event& event) override;
    // The middle button pastes the desktop's primary selection where it clicks.
    void otherMouseDown(const Event& event) override;
    // Dropped text (rich, else plain) goes in where it was dropped, as one undo step. The
    // view takes the types it was registered for (registerForDraggedTypes).
    bool performDragOperation(const Pasteboard& pasteboard, Point point) override;
    Size intrinsicContentSize() const override;

    bool acceptsTextInput() const override { return m_editable; }
    void setComposition(const Composition& composition) override;
    bool hasComposition() const override { return m_composition.has_value(); }
    void commitText(const std::string& utf8) override;
    Rect textInputCaretRect() const override { return caretRect(); }

protected:
    TextView();

private:
    // Every edit goes through here: the storage, the layout, the undo and the reports.
    void replace(text::Range range, const text::AttributedString& replacement, bool typing);
    // True (and the owner told) when the text may not be changed.
    bool refuseEdit();
    // In the view: the full width of the lines from one index to another, and what the caret
    // or selection covers.
    Rect editedLines(std::size_t from, std::size_t to) const;
    Rect selectionArea() const;
    // A selection put back after an edit, kept within the text as it is now.
    void restoreSelection(text::Range range);
    // Typed or committed text, then what the typing features make of it.
    void typeText(std::u16string typed, bool typing);
    void applySubstitutions(std::size_t at, const std::u16string& typed);
    void substitute(const TextSubstitution& substitution, std::size_t caret);
    // The selection's range as smart delete widens it.
    text::Range deletionRange(text::Range range) const;
    void drawSpellingMarks(gfx::GraphicsContext& context, double top, double bottom);
    void applyAttributes(text::Range range, const std::function<void(text::Attributes&)>& change);
    void toggleTrait(bool bold);
    void toggleLine(int text::Attributes::*line);
    bool command(std::string_view name);
    void moveTo(std::size_t index, bool extend);
    // Selected text becomes the desktop's primary selection.
    void claimPrimarySelection();
    void syncTypingAttributes();
    void relayout();
    // The paragraphs out of sight are measured a few milliseconds at a time, between events.
    void scheduleLayoutCompletion();
    void completeLayoutALittle();
    void growToText();
    double layoutWidth() const;
    bool isFocused() const;
    // Takes the composition out of the layout; `discard` also tells the input method, when
    // the view ends it on its own.
    void endComposition(bool discard);
    // The text as laid out: the text itself, or with the composition in place of the selection.
    text::AttributedString composedText() const;

    text::AttributedString m_text;
    std::unique_ptr<text::RichTextLayout> m_layout;
    double m_layoutWidth { -1 };
    bool m_completionScheduled { false };
    text::Range m_selection;
    // The end of the selection that stays put while extending.
    std::size_t m_anchor { 0 };
    text::Attributes m_typingAttributes;
    text::LayoutDefaults m_defaults { gfx::Font::system(13), gfx::Color::rgb(0.9, 0.9, 0.9) };
    UndoManager m_undo;
    bool m_editable { true };
    bool m_lastChangeTyped { false };
    bool m_insertsTabs { false };
    bool m_selectable { true };
    Size m_inset { 0, 0 };
    gfx::Color m_background { gfx::Color::rgb(0.12, 0.12, 0.13) };
    bool m_drawsBackground { true };
    std::string m_placeholder;
    // What an input method is composing, and where it sits in the laid-out text.
    std::optional<Composition> m_composition;
    text::Range m_composedRange;
    TextFeatures m_features;
    std::unique_ptr<SpellingMarks> m_spelling;
};

}
