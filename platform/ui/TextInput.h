#pragma once

#include "platform/ui/Geometry.h"

#include <cstddef>
#include <string>

namespace ui {

// What an input method is composing (Chinese, Japanese, Korean and other composed input):
// its text, and within it the caret and the part being converted, counted in characters.
// Empty text means the composition ended without any text.
struct Composition {
    std::string text;
    std::size_t cursor { 0 };
    std::size_t selectionLength { 0 };

    bool operator==(const Composition&) const = default;
    bool isEmpty() const { return text.empty(); }
    // The same, its text made valid UTF-8 and its caret and selection kept inside it: what
    // comes from an input method is checked once, where it enters.
    Composition sanitized() const;
    // Byte offset into the text of a count of characters (the end for counts beyond it),
    // and the same in UTF-16 units, as rich text counts.
    std::size_t byteOffset(std::size_t characters) const;
    std::size_t utf16Offset(std::size_t characters) const;
};

// A view that takes typed text. An input method composes in it, shown in place and
// underlined but not yet part of the text, then commits what was composed.
class TextInputClient {
public:
    virtual ~TextInputClient() = default;

    // Whether typed text is taken now (editable); only then does an input method compose.
    virtual bool acceptsTextInput() const = 0;
    // Shows the composition at the insertion point in place of the selection, without
    // touching the text or its undo; an empty one takes it away again.
    virtual void setComposition(const Composition& composition) = 0;
    virtual bool hasComposition() const = 0;
    // Finished text: inserted once, in place of the selection, as one undo step.
    virtual void commitText(const std::string& utf8) = 0;
    // The caret (in the composition while there is one), in the view's coordinates: the
    // input method puts its candidates beside it.
    virtual Rect textInputCaretRect() const = 0;
};

}
