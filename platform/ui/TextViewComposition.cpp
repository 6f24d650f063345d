#include "platform/ui/TextView.h"

#include "platform/gfx/TextLayout.h"
#include "platform/text/Unicode.h"
#include "platform/ui/Window.h"

// What an input method composes: shown in place of the selection, joining the text only
// when committed.
namespace ui {

text::AttributedString TextView::composedText() const
{
    text::AttributedString shown = m_text;
    if (!m_composition)
        return shown;
    text::Attributes attributes = m_typingAttributes;
    attributes.underline = 1;
    shown.replace(m_selection, text::AttributedString(text::toUtf16(m_composition->text), attributes));
    return shown;
}

void TextView::setComposition(const Composition& composition)
{
    if (!m_editable)
        return;
    if (composition.isEmpty()) {
        endComposition(false);
        return;
    }
    // What was typed before is one undo step; the composition is none until committed.
    m_undo.closeOpenGroup();
    text::Range shown = m_composition ? m_composedRange : m_selection;
    std::size_t length = text::toUtf16(composition.text).size();
    m_composition = composition;
    m_composedRange = { m_selection.location, length };
    if (m_layout && m_layoutWidth == layoutWidth())
        m_layout->update(composedText(), shown, length);
    else
        relayout();
    growToText();
    scrollCaretToVisible();
    setNeedsDisplay();
}

void TextView::endComposition(bool discard)
{
    if (!m_composition)
        return;
    text::Range shown = m_composedRange;
    m_composition.reset();
    if (m_layout && m_layoutWidth == layoutWidth())
        m_layout->update(m_text, shown, m_selection.length);
    else
        relayout();
    growToText();
    setNeedsDisplay();
    if (discard && window())
        window()->discardComposition();
}

void TextView::commitText(const std::string& utf8)
{
    endComposition(false);
    if (!m_editable || utf8.empty())
        return;
    // Not typing: a committed word is an undo step of its own.
    typeText(text::toUtf16(gfx::displayableText(utf8)), false);
}

}
