#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/TextLayout.h"
#include "platform/ui/Control.h"
#include "platform/ui/TextFormatter.h"
#include "platform/ui/TextInput.h"
#include "platform/ui/UndoManager.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ui {

// Editing commands a field offers its owner before handling them itself.
enum class TextCommand { MoveUp, MoveDown, InsertNewline, Cancel };

// A one-line text field, or a label (not editable, wrapping at a width). Editing keeps one
// caret and one selection, all selected when the field takes the keyboard. onAction runs on
// Return; onTextChange on every edit; onCommand sees the up and down arrows, Return and Escape
// first and answers true for those it handled. A formatter refuses edits it does not allow:
// the field keeps its previous text. An input method's composition shows underlined in
// place of the selection; the formatter sees it once committed.
class TextField : public Control, public TextInputClient {
public:
    static std::shared_ptr<TextField> create(std::string text = {});
    // Not editable, not selectable, no border or background.
    static std::shared_ptr<TextField> createLabel(std::string text);

    std::function<void()> onTextChange;
    std::function<bool(TextCommand)> onCommand;
    // When the field gives up the keyboard after an edit.
    std::function<void()> onEndEditing;

    const std::string& stringValue() const { return m_text; }
    void setStringValue(std::string text);
    std::int64_t integerValue() const;
    void setIntegerValue(std::int64_t value) { setStringValue(std::to_string(value)); }
    const std::string& placeholder() const { return m_placeholder; }
    void setPlaceholder(std::string placeholder);

    bool isEditable() const { return m_editable; }
    void setEditable(bool editable);
    // A label draws only what its setters are given: when it changes, only its own part of
    // the window is drawn again. A field being edited also draws the keyboard's focus and
    // caret, and a drawing hook whatever it likes, so the window draws them whole.
    bool marksItsOwnChanges() const override { return !m_editable && !hasDrawHook(); }
    bool isSelectable() const { return m_selectable || m_editable; }
    void setSelectable(bool selectable) { m_selectable = selectable; }
    bool isBordered() const { return m_bordered; }
    void setBordered(bool bordered);
    bool drawsBackground() const { return m_drawsBackground; }
    void setDrawsBackground(bool draws);
    gfx::Color textColor() const { return m_textColor; }
    void setTextColor(gfx::Color color);
    gfx::TextAlignment alignment() const { return m_alignment; }
    void setAlignment(gfx::TextAlignment alignment);
    // A wrapping field breaks its text into lines of its width (or of the preferred width
    // for its intrinsic size); a single-line one keeps one line.
    bool wraps() const { return m_wraps; }
    void setWraps(bool wraps);
    double preferredMaxLayoutWidth() const { return m_preferredWidth; }
    void setPreferredMaxLayoutWidth(double width);

    const std::shared_ptr<TextFormatter>& formatter() const { return m_formatter; }
    void setFormatter(std::shared_ptr<TextFormatter> formatter) { m_formatter = std::move(formatter); }

    // Byte offsets into the UTF-8 text, always on character boundaries.
    std::size_t caret() const { return m_caret; }
    std::size_t selectionAnchor() const { return m_anchor; }
    void selectAll();
    void setCaret(std::size_t offset);
    // The text from the anchor to the caret selected, the caret where typing goes on.
    void setSelection(std::size_t anchor, std::size_t caret);
    bool isEditing() const;

    // Replaces the selection as typing does: checked by the formatter, reported as a change.
    bool insertText(const std::string& text);
    void deleteBackward();
    void deleteForward();

    Size intrinsicContentSize() const override;
    std::optional<double> firstBaselineOffsetFromTop() const override;
    bool acceptsFirstResponder() const override { return isEnabled() && isSelectable(); }
    bool passesReturnToDefaultButton() const override { return true; }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;
    // Ctrl+Z undoes the user's edits in steps (a run of typing, a run of deleting, a paste);
    // Ctrl+Shift+Z and Ctrl+Y redo. Ctrl with the arrows and Backspace goes by words.
    void keyDown(const Event& event) override;
    void mouseDown(const Event& event) override;
    void mouseDragged(const Event& event) override;
    // The middle button pastes the desktop's primary selection where it clicks.
    void otherMouseDown(const Event& event) override;
    UndoManager& undoManager() { return m_undo; }

    bool acceptsTextInput() const override { return isEditing(); }
    void setComposition(const Composition& composition) override;
    bool hasComposition() const override { return m_composition.has_value(); }
    void commitText(const std::string& utf8) override;
    Rect textInputCaretRect() const override;

protected:
    explicit TextField(std::string text);
    void drawOwnLook(gfx::GraphicsContext& context) override;
    Rect textRect() const;

private:
    enum class EditKind { None, Typing, Deleting, Other };
    bool command(TextCommand command);
    // Replaces bytes [from, to) when the formatter allows it, as an undoable edit.
    bool replace(std::size_t from, std::size_t to, const std::string& text, EditKind kind);
    void revealCaret();
    bool performEditingShortcut(const Event& event);
    void pasteText(const std::string& text);
    void recordUndo(EditKind kind);
    void restore(const std::string& text, std::size_t caret, std::size_t anchor);
    void claimPrimarySelection();
    // The start of the word before the offset (direction -1) or the end of the one after (1).
    std::size_t wordBoundary(std::size_t offset, int direction) const;
    std::size_t previousBoundary(std::size_t offset) const;
    std::size_t nextBoundary(std::size_t offset) const;
    std::size_t offsetAt(Point point) const;
    // Where a one-line text sits in the text rect for the alignment.
    Rect placed(const gfx::TextLayout& layout, Rect area) const { return placed(layout.boundingRect().width(), area); }
    Rect placed(double lineWidth, Rect area) const;
    // How wide a layout of `text` on one line is: the field's own text was measured already
    // when the field was sized.
    double lineWidth(const gfx::TextLayout& layout, const std::string& text) const;
    gfx::TextStyle style() const;
    // The text as shown: with the composition in place of the selection while there is one,
    // underlined; the caret's byte offset in it.
    struct Shown {
        std::string text;
        std::size_t caret { 0 };
        std::size_t compositionStart { 0 };
        std::size_t compositionEnd { 0 };
    };
    Shown shown() const;
    // `discard` also tells the input method, when the field ends the composition itself.
    void endComposition(bool discard);

    std::string m_text;
    std::string m_placeholder;
    bool m_editable { true };
    bool m_selectable { true };
    bool m_bordered { true };
    bool m_drawsBackground { true };
    bool m_wraps { false };
    double m_preferredWidth { 0 };
    gfx::Color m_textColor { gfx::Color::rgb(0.9, 0.9, 0.9) };
    gfx::TextAlignment m_alignment { gfx::TextAlignment::left };
    std::shared_ptr<TextFormatter> m_formatter;
    // The last text measured for the intrinsic size, and what it measured.
    struct MeasuredText {
        std::string text;
        gfx::TextStyle style;
        double width { 0 };
        unsigned fontGeneration { 0 };
        Rect rect;
        bool sameAs(const MeasuredText& other) const
        {
            return text == other.text && style == other.style && width == other.width && fontGeneration == other.fontGeneration;
        }
    };
    mutable std::optional<MeasuredText> m_measured;
    std::size_t m_caret { 0 };
    std::size_t m_anchor { 0 };
    bool m_edited { false };
    std::optional<Composition> m_composition;
    UndoManager m_undo;
    EditKind m_lastEdit { EditKind::None };
};

}
