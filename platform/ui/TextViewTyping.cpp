#include "platform/ui/TextView.h"

#include "platform/text/Unicode.h"
#include "platform/gfx/TextLayout.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/SpellChecker.h"
#include "platform/ui/SpellingMarks.h"
#include "platform/ui/TextNavigation.h"
#include "platform/ui/Window.h"

#include <algorithm>

// The typing features: substitutions after each typed character, smart delete, and the
// spelling marks of the paragraphs drawn.
namespace ui {

TextView::~TextView() = default;

void TextView::setTextFeatures(const TextFeatures& features)
{
    if (features == m_features)
        return;
    m_features = features;
    setNeedsDisplay();
}

void TextView::replaceInTextStorage(text::Range range, const text::AttributedString& replacement)
{
    endComposition(true);
    std::size_t length = m_text.length();
    range.location = std::min(range.location, length);
    range.length = std::min(range.length, length - range.location);
    m_text.replace(range, replacement);
    if (m_layout && m_layoutWidth == layoutWidth())
        m_layout->update(m_text, range, replacement.length());
    else
        relayout();
    // The selection keeps its place in the text around the edit.
    auto moved = [&](std::size_t index) {
        if (index <= range.location)
            return index;
        if (index >= range.end())
            return index - range.length + replacement.length();
        return range.location + replacement.length();
    };
    std::size_t from = moved(m_selection.location);
    std::size_t to = moved(m_selection.end());
    m_selection = { from, to - from };
    m_anchor = moved(m_anchor);
    growToText();
    setNeedsDisplay();
    if (auto stored = onStorageChange)
        stored();
}

void TextView::typeText(std::u16string typed, bool typing)
{
    if (typed.empty())
        return;
    std::size_t at = m_selection.location;
    replace(m_selection, text::AttributedString(typed, m_typingAttributes), typing);
    applySubstitutions(at, typed);
}

void TextView::applySubstitutions(std::size_t at, const std::u16string& typed)
{
    std::size_t end = at + typed.size();
    // Whoever heard of the change may have rewritten it already (a typing shortcut fired):
    // their text is left as it is.
    if (end > m_text.length() || m_selection != text::Range { end, 0 } || m_text.string().compare(at, typed.size(), typed) != 0)
        return;
    std::size_t last = end - 1;
    if (m_features.smartQuotes) {
        if (auto quote = TextSubstitutions::smartQuote(m_text.string(), last))
            substitute(*quote, end);
    }
    if (m_features.smartDashes) {
        if (auto dash = TextSubstitutions::smartDash(m_text.string(), last)) {
            --last;
            --end;
            substitute(*dash, end);
        }
    }
    if (m_features.smartLinks) {
        if (auto link = TextSubstitutions::smartLink(m_text, last))
            substitute(*link, end);
    }
    if (m_features.automaticSpellingCorrection) {
        auto word = TextSubstitutions::wordBefore(m_text.string(), last);
        std::string spelled = word ? text::toUtf8(m_text.string().substr(word->location, word->length)) : std::string();
        if (word && !SpellChecker::shared().isCorrect(spelled)) {
            auto suggestions = SpellChecker::shared().suggestions(spelled, 1);
            if (!suggestions.empty()) {
                std::u16string correction = text::toUtf16(suggestions.front());
                substitute({ *word, correction, {} }, end - word->length + correction.size());
            }
        }
    }
}

void TextView::substitute(const TextSubstitution& substitution, std::size_t caret)
{
    text::AttributedString replacement;
    if (!substitution.link.empty()) {
        replacement = m_text.substring(substitution.range);
        replacement.updateAttributes({ 0, replacement.length() },
            [&](text::Attributes& attributes) { attributes.link = substitution.link; });
    } else {
        replacement = text::AttributedString(substitution.replacement, m_text.attributesAt(substitution.range.location));
    }
    // Part of the typing: one undo takes the typed text and what became of it together.
    replace(substitution.range, replacement, true);
    m_selection = { std::min(caret, m_text.length()), 0 };
    m_anchor = m_selection.location;
    syncTypingAttributes();
}

text::Range TextView::deletionRange(text::Range range) const
{
    return m_features.smartInsertDelete ? TextSubstitutions::smartDeleteRange(m_text.string(), range) : range;
}

void TextView::drawSpellingMarks(gfx::GraphicsContext& context, double top, double bottom)
{
    // Empty text asks nothing of the checker, whose dictionaries take megabytes once loaded.
    if (m_text.empty() || !SpellChecker::shared().isAvailable())
        return;
    if (!m_spelling)
        m_spelling = std::make_unique<SpellingMarks>();
    const auto& layout = layoutManager();
    auto lines = layout.linesIn(top - m_inset.height, bottom - m_inset.height);
    auto line = lines.begin();
    bool typingHere = isFocused() && m_editable && !m_selection.length;
    std::size_t lastParagraph = std::u16string::npos;
    const std::u16string& s = m_text.string();
    for (; line != lines.end() && line->rect.minY() + m_inset.height <= bottom; ++line) {
        if (line->range.location >= s.size())
            break;
        text::Range paragraph = TextNavigation::paragraphRange(s, line->range.location);
        if (paragraph.location == lastParagraph)
            continue;
        lastParagraph = paragraph.location;
        for (text::Range word : m_spelling->misspellings(s.substr(paragraph.location, paragraph.length))) {
            word.location += paragraph.location;
            // The word under the caret is judged once it is finished.
            if (typingHere && word.end() == m_selection.location)
                continue;
            if (!m_text.attributesAt(word.location).link.empty())
                continue;
            for (const Rect& rect : layout.selectionRects(word))
                SpellingMarks::drawMark(context, rect.offsetBy(m_inset.width, m_inset.height));
        }
    }
}

}

namespace ui {

bool TextView::performDragOperation(const Pasteboard& pasteboard, Point point)
{
    if (refuseEdit())
        return false;
    text::AttributedString dropped;
    if (auto rich = pasteboard.richText())
        dropped = std::move(*rich);
    else if (auto plain = pasteboard.string())
        dropped = text::AttributedString(text::toUtf16(gfx::displayableText(*plain)), m_typingAttributes);
    if (dropped.empty())
        return false;
    std::size_t at = std::min(characterIndexAt(point), m_text.length());
    replace({ at, 0 }, dropped, false);
    return true;
}

}
