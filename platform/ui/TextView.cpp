#include "platform/ui/TextView.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/RunLoop.h"
#include "platform/desktop/Opener.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/TextLayout.h"
#include "platform/text/FontTraits.h"
#include "platform/text/TextList.h"
#include "platform/text/Unicode.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/TextNavigation.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/SpellingMarks.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace ui {

gfx::Color TextView::selectionColor(bool focused) const
{
    return m_drawsBackground ? ControlLook::selectionColor(m_background, focused)
                             : ControlLook::selectionColorForText(m_defaults.color, focused);
}

std::shared_ptr<TextView> TextView::create() { return std::shared_ptr<TextView>(new TextView); }

TextView::TextView()
    : View({})
{
    // Laid out from the start, empty as it is: the text machinery (fonts, shaping) is set
    // up when the view is made, not in the middle of its first frame.
    relayout();
}

double TextView::layoutWidth() const { return std::max(1.0, bounds().width() - 2 * m_inset.width); }

void TextView::relayout()
{
    // Laid out as it is looked at: a long page opens in time linear in its length, and what
    // is not in sight is measured bit by bit afterwards.
    m_layout = std::make_unique<text::RichTextLayout>(m_composition ? composedText() : m_text, layoutWidth(), m_defaults,
        text::RichTextLayout::Laziness::asNeeded);
    m_layoutWidth = layoutWidth();
    scheduleLayoutCompletion();
}

void TextView::scheduleLayoutCompletion()
{
    std::weak_ptr<View> weakSelf = weak_from_this();
    // Not while being made: nothing holds the view yet to come back to.
    if (m_completionScheduled || !m_layout || weakSelf.expired() || m_layout->isComplete())
        return;
    m_completionScheduled = true;
    base::RunLoop::main().post([weakSelf] {
        if (auto self = std::static_pointer_cast<TextView>(weakSelf.lock()))
            self->completeLayoutALittle();
    });
}

void TextView::completeLayoutALittle()
{
    m_completionScheduled = false;
    if (!m_layout)
        return;
    // What shows stays where it is while the paragraphs above it get their true heights.
    auto* clip = dynamic_cast<ClipView*>(superview());
    std::optional<std::size_t> anchor;
    double before = 0;
    if (clip && clip->bounds().minY() > 0) {
        anchor = m_layout->indexAt(Point(0, clip->bounds().minY() - m_inset.height));
        before = m_layout->caretRect(*anchor).minY();
    }
    bool complete = m_layout->layOutMore(0.004);
    growToText();
    if (anchor) {
        double moved = m_layout->caretRect(*anchor).minY() - before;
        if (moved != 0) {
            auto* scroll = dynamic_cast<ScrollView*>(clip->superview());
            Point origin = clip->bounds().origin;
            if (scroll)
                scroll->scrollToPoint(Point(origin.x, origin.y + moved));
            else
                clip->setBoundsOrigin(Point(origin.x, origin.y + moved));
        }
    }
    if (!complete)
        scheduleLayoutCompletion();
}

const text::RichTextLayout& TextView::layoutManager() const
{
    if (!m_layout || m_layoutWidth != layoutWidth())
        const_cast<TextView*>(this)->relayout();
    return *m_layout;
}

void TextView::setAttributedString(text::AttributedString string)
{
    if (m_composition) {
        m_composition.reset();
        if (window())
            window()->discardComposition();
    }
    m_text = std::move(string);
    m_undo.removeAllActions();
    m_selection = { m_text.length(), 0 };
    m_anchor = m_text.length();
    relayout();
    syncTypingAttributes();
    growToText();
    setNeedsDisplay();
}

void TextView::setDefaults(text::LayoutDefaults defaults)
{
    m_defaults = std::move(defaults);
    relayout();
    growToText();
    setNeedsDisplay();
}

void TextView::setTextContainerInset(Size inset)
{
    m_inset = inset;
    growToText();
    setNeedsDisplay();
}

void TextView::setBackgroundColor(gfx::Color color)
{
    m_background = color;
    setNeedsDisplay();
}

void TextView::setDrawsBackground(bool draws)
{
    m_drawsBackground = draws;
    setNeedsDisplay();
}

void TextView::setPlaceholder(std::string placeholder)
{
    m_placeholder = std::move(placeholder);
    setNeedsDisplay();
}

void TextView::frameDidChange()
{
    if (m_layout && m_layoutWidth != layoutWidth())
        relayout();
}

double TextView::usedHeight(double width) const
{
    double textWidth = std::max(1.0, width - 2 * m_inset.width);
    if (m_layout && m_layoutWidth == textWidth)
        return std::ceil(m_layout->boundingRect().height()) + 2 * m_inset.height;
    text::RichTextLayout layout(m_text, textWidth, m_defaults, text::RichTextLayout::Laziness::asNeeded);
    double height = layout.boundingRect().height();
    if (m_text.empty())
        height = gfx::textBoundingRect("X", 0, gfx::TextStyle(m_defaults.font)).height();
    return std::ceil(height) + 2 * m_inset.height;
}

Size TextView::intrinsicContentSize() const { return { kNoIntrinsicMetric, kNoIntrinsicMetric }; }

void TextView::growToText()
{
    // In a scroll view the text view is as tall as its text, and at least as tall as the view.
    auto* clip = dynamic_cast<ClipView*>(superview());
    if (!clip)
        return;
    double width = clip->bounds().width();
    double height = std::max(clip->bounds().height(), usedHeight(width));
    if (frame().size != Size(width, height))
        setFrameSize(Size(width, height));
}

void TextView::scrollCaretToVisible()
{
    auto* clip = dynamic_cast<ClipView*>(superview());
    auto* scroll = clip ? dynamic_cast<ScrollView*>(clip->superview()) : nullptr;
    // Nothing shows yet before the first layout: there is nothing to keep the caret in.
    if (scroll && clip->bounds().isEmpty())
        return;
    Rect caret = caretRect();
    if (scroll) {
        Rect visible = convertRectFrom(clip->bounds(), clip);
        if (caret.minY() < visible.minY())
            scroll->scrollToPoint(Point(0, caret.minY()));
        else if (caret.maxY() > visible.maxY())
            scroll->scrollToPoint(Point(0, caret.maxY() - visible.height()));
    }
    // Typed into a form the wheel scrolled partly away, the caret is brought back; a text
    // the program sets elsewhere (a row of a list) leaves the list where it is.
    if (!window() || window()->firstResponder() != this)
        return;
    // A caret is a line with no width, which no rectangle would hold. Its own box shows it
    // already; the boxes around that one follow.
    ScrollView::scrollRectToVisible(*this, caret.insetBy(-2, -2));
}

void TextView::setSelectedRange(text::Range range)
{
    endComposition(true);
    std::size_t length = m_text.length();
    range.location = std::min(range.location, length);
    range.length = std::min(range.length, length - range.location);
    m_selection = range;
    m_anchor = range.location;
    m_undo.closeOpenGroup();
    syncTypingAttributes();
    setNeedsDisplay();
    scrollCaretToVisible();
    if (auto changed = onSelectionChange)
        changed();
}

void TextView::setTypingAttributes(text::Attributes attributes)
{
    m_typingAttributes = std::move(attributes);
    if (auto changed = onTypingAttributesChange)
        changed();
}

void TextView::syncTypingAttributes()
{
    if (m_text.empty())
        return;
    std::size_t at = m_selection.length ? m_selection.location : (m_selection.location ? m_selection.location - 1 : 0);
    text::Attributes attributes = m_text.attributesAt(std::min(at, m_text.length() - 1));
    // Typing after a link writes plain text, not more of the link; an attachment's
    // formatting is no text's.
    attributes.link.clear();
    attributes.attachment.reset();
    if (attributes == m_typingAttributes)
        return;
    setTypingAttributes(std::move(attributes));
}

void TextView::replace(text::Range range, const text::AttributedString& replacement, bool typing)
{
    endComposition(true);
    std::size_t length = m_text.length();
    range.location = std::min(range.location, length);
    range.length = std::min(range.length, length - range.location);
    text::AttributedString old = m_text.substring(range);
    if (!typing)
        m_undo.closeOpenGroup();
    m_undo.registerUndo([this, location = range.location, newLength = replacement.length(), old] {
        bool redoing = m_undo.isRedoing();
        replace({ location, newLength }, old, false);
        // Undo shows what came back selected; redo leaves the caret where the redone text
        // ends, as typing did, so the next key adds to it instead of replacing its last letter.
        if (!redoing)
            m_selection = { location, old.length() };
        m_anchor = m_selection.location;
    });
    if (!typing)
        m_undo.closeOpenGroup();
    // What the edit changes on screen: the lines it touches before and after, and the caret
    // and selection it leaves; everything below when the text's height changes with it.
    bool incremental = m_layout && m_layoutWidth == layoutWidth();
    std::optional<Rect> before;
    double heightBefore = 0;
    if (incremental) {
        before = editedLines(range.location, range.end()).unionWith(selectionArea());
        heightBefore = m_layout->boundingRect().height();
    }
    m_text.replace(range, replacement);
    if (incremental)
        m_layout->update(m_text, range, replacement.length());
    else
        relayout();
    m_selection = { range.location + replacement.length(), 0 };
    m_anchor = m_selection.location;
    m_lastChangeTyped = typing && !m_undo.isUndoing() && !m_undo.isRedoing();
    growToText();
    scrollCaretToVisible();
    if (before && m_layout->boundingRect().height() == heightBefore) {
        setNeedsDisplayInRect(before->unionWith(editedLines(range.location, range.location + replacement.length())).unionWith(selectionArea()));
    } else if (before) {
        setNeedsDisplayInRect(Rect(0, before->minY(), bounds().width(), std::max(0.0, bounds().height() - before->minY())));
    } else {
        setNeedsDisplay();
    }
    if (auto stored = onStorageChange)
        stored();
    if (auto changed = onTextChange)
        changed();
}

Rect TextView::editedLines(std::size_t from, std::size_t to) const
{
    // To the end of the paragraph: an edit may wrap every line after it differently.
    to = std::max(to, TextNavigation::paragraphRange(m_text.string(), std::min(to, m_text.length())).end());
    auto first = m_layout->lineAt(from).rect;
    auto last = m_layout->lineAt(to).rect;
    double top = std::min(first.minY(), last.minY());
    double bottom = std::max(first.maxY(), last.maxY());
    // The whole width: a line's text moves along it, and a list marker sits before it.
    return Rect(0, top + m_inset.height, bounds().width(), bottom - top);
}

Rect TextView::selectionArea() const
{
    if (!m_selection.length)
        return caretRect().insetBy(-2, 0);
    return editedLines(m_selection.location, m_selection.end());
}

bool TextView::refuseEdit()
{
    if (m_editable)
        return false;
    if (auto refused = onEditRefused)
        refused();
    return true;
}

void TextView::restoreSelection(text::Range range)
{
    std::size_t length = m_text.length();
    range.location = std::min(range.location, length);
    range.length = std::min(range.length, length - range.location);
    m_selection = range;
    m_anchor = range.location;
}

void TextView::insertText(std::u16string_view string)
{
    if (refuseEdit())
        return;
    replace(m_selection, text::AttributedString(std::u16string(string), m_typingAttributes), true);
}

void TextView::insertText(const text::AttributedString& string)
{
    if (!refuseEdit())
        replace(m_selection, string, true);
}

bool TextView::replaceCharacters(text::Range range, const text::AttributedString& replacement)
{
    if (refuseEdit())
        return false;
    replace(range, replacement, false);
    return true;
}

void TextView::deleteBackward()
{
    if (refuseEdit())
        return;
    if (m_selection.length) {
        replace(deletionRange(m_selection), {}, true);
        return;
    }
    std::size_t at = m_selection.location;
    if (at == 0)
        return;
    std::size_t from = at - 1;
    if (from > 0 && text::isLowSurrogate(m_text.string()[from]) && text::isHighSurrogate(m_text.string()[from - 1]))
        --from;
    replace({ from, at - from }, {}, true);
}

void TextView::deleteForward()
{
    if (refuseEdit())
        return;
    if (m_selection.length) {
        replace(deletionRange(m_selection), {}, true);
        return;
    }
    std::size_t at = m_selection.location;
    if (at >= m_text.length())
        return;
    std::size_t to = at + 1;
    if (to < m_text.length() && text::isHighSurrogate(m_text.string()[at]) && text::isLowSurrogate(m_text.string()[to]))
        ++to;
    replace({ at, to - at }, {}, true);
}

void TextView::applyAttributes(text::Range range, const std::function<void(text::Attributes&)>& change)
{
    if (!range.length) {
        text::Attributes attributes = m_typingAttributes;
        change(attributes);
        setTypingAttributes(std::move(attributes));
        return;
    }
    text::AttributedString changed = m_text.substring(range);
    changed.updateAttributes({ 0, changed.length() }, change);
    text::Range selection = range;
    replace(range, changed, false);
    // Whoever heard of the change may have changed the text again: the selection goes
    // back only as far as the text now reaches.
    restoreSelection(selection);
    syncTypingAttributes();
}

void TextView::toggleTrait(bool bold)
{
    if (refuseEdit())
        return;
    const text::Attributes& first = m_selection.length ? m_text.attributesAt(m_selection.location) : m_typingAttributes;
    gfx::Font font = first.font.value_or(m_defaults.font);
    bool on = bold ? text::FontTraits::isBold(font) : text::FontTraits::isItalic(font);
    gfx::Font fallback = m_defaults.font;
    // Only the font changes: links, colours and the rest stay as they were.
    applyAttributes(m_selection, [bold, on, fallback](text::Attributes& attributes) {
        gfx::Font f = attributes.font.value_or(fallback);
        attributes.font = text::FontTraits::withTraits(f, bold ? !on : text::FontTraits::isBold(f),
            bold ? text::FontTraits::isItalic(f) : !on);
    });
}

void TextView::toggleBold() { toggleTrait(true); }
void TextView::toggleItalic() { toggleTrait(false); }

void TextView::toggleLine(int text::Attributes::*line)
{
    if (refuseEdit())
        return;
    const text::Attributes& first = m_selection.length ? m_text.attributesAt(m_selection.location) : m_typingAttributes;
    int value = first.*line ? 0 : 1;
    applyAttributes(m_selection, [line, value](text::Attributes& attributes) { attributes.*line = value; });
}

void TextView::toggleUnderline() { toggleLine(&text::Attributes::underline); }
void TextView::toggleStrikethrough() { toggleLine(&text::Attributes::strikethrough); }

void TextView::selectAll()
{
    endComposition(true);
    m_undo.closeOpenGroup();
    m_selection = { 0, m_text.length() };
    m_anchor = 0;
    setNeedsDisplay();
    claimPrimarySelection();
}

void TextView::insertNewline()
{
    if (refuseEdit())
        return;
    std::size_t at = m_selection.location;
    text::Range paragraph = TextNavigation::paragraphRange(m_text.string(), at);
    const text::Attributes& here = paragraph.length ? m_text.attributesAt(paragraph.location)
                                                    : m_typingAttributes;
    if (here.paragraph.textLists.empty()) {
        insertText(u"\n");
        return;
    }
    const std::string& format = here.paragraph.textLists.back();
    const std::u16string& s = m_text.string();
    // An item reads tab, marker, tab, then its text.
    std::size_t prefix = 0;
    if (paragraph.length && s[paragraph.location] == u'\t') {
        auto second = s.find(u'\t', paragraph.location + 1);
        if (second != std::u16string::npos && second < paragraph.end())
            prefix = second + 1 - paragraph.location;
    }
    text::Attributes attributes = here;
    attributes.link.clear();
    attributes.attachment.reset();
    if (prefix == paragraph.length) {
        // Return in an empty item ends the list: the marker goes, and so does the list.
        attributes.paragraph.textLists.clear();
        text::AttributedString plain(u"", attributes);
        replace(paragraph, plain, false);
        setTypingAttributes(attributes);
        return;
    }
    // The item number: this item's place among the list's items right above it.
    int number = 1;
    for (std::size_t start = paragraph.location; start > 0;) {
        text::Range previous = TextNavigation::paragraphRange(m_text.string(), start - 1);
        if (!previous.length || m_text.attributesAt(previous.location).paragraph.textLists != here.paragraph.textLists)
            break;
        ++number;
        start = previous.location;
    }
    std::u16string item = u"\n\t" + text::TextList::marker(format, number + 1) + u"\t";
    replace(m_selection, text::AttributedString(item, attributes), true);
}

void TextView::copy()
{
    if (m_selection.length)
        Pasteboard::general().setRichText(m_text.substring(m_selection));
}

void TextView::cut()
{
    if (!m_selection.length || refuseEdit())
        return;
    copy();
    replace(deletionRange(m_selection), {}, false);
}

void TextView::paste()
{
    if (refuseEdit())
        return;
    const Pasteboard& pasteboard = Pasteboard::general();
    text::AttributedString pasted;
    if (auto rich = pasteboard.richText())
        pasted = std::move(*rich);
    else if (auto plain = pasteboard.string())
        pasted = text::AttributedString(text::toUtf16(gfx::displayableText(*plain)), m_typingAttributes);
    if (pasted.empty())
        return;
    if (m_features.smartInsertDelete) {
        auto spacing = TextSubstitutions::smartInsertSpacing(m_text.string(), m_selection, pasted.string());
        text::Attributes around = pasted.attributesAt(0);
        if (spacing.before)
            pasted.insert(0, text::AttributedString(u" ", around));
        if (spacing.after)
            pasted.append(u" ", pasted.attributesAt(pasted.length() - 1));
    }
    replace(m_selection, pasted, false);
}

void TextView::moveTo(std::size_t index, bool extend)
{
    endComposition(true);
    index = std::min(index, m_text.length());
    m_undo.closeOpenGroup();
    Rect before = selectionArea();
    if (extend) {
        std::size_t from = std::min(m_anchor, index);
        m_selection = { from, std::max(m_anchor, index) - from };
    } else {
        m_selection = { index, 0 };
        m_anchor = index;
    }
    syncTypingAttributes();
    // Where the caret or selection was and is: the rest of the text stays as it shows.
    setNeedsDisplayInRect(before.unionWith(selectionArea()));
    // A caret moved by the keys goes on being seen: typing never lands out of sight.
    scrollCaretToVisible();
    if (extend)
        claimPrimarySelection();
    if (auto changed = onSelectionChange)
        changed();
}

bool TextView::command(std::string_view name)
{
    if (auto handler = onCommand)
        return handler(name);
    return false;
}

bool TextView::isFocused() const { return window() && window()->firstResponder() == this && window()->isKeyWindow(); }

bool TextView::becomeFirstResponder()
{
    setNeedsDisplay();
    return true;
}

bool TextView::resignFirstResponder()
{
    endComposition(true);
    m_undo.closeOpenGroup();
    setNeedsDisplay();
    return true;
}

void TextView::keyDown(const Event& event)
{
    // A key that reaches us while composing was not the input method's: what it composed goes.
    endComposition(true);
    std::uint32_t flags = event.modifierFlags();
    bool shift = flags & ModifierFlag::Shift;
    bool commandKey = flags & ModifierFlag::Command;
    // Ctrl (the command key here) steps by words, as Alt does; Home and End reach line edges.
    bool word = flags & (ModifierFlag::Option | ModifierFlag::Command);
    std::size_t caret = m_selection.location == m_anchor ? m_selection.end() : m_selection.location;
    auto lineEdge = [&](int direction) { return TextNavigation::lineBoundary(layoutManager(), m_text.string(), caret, direction); };
    auto wordEdge = [&](int direction) { return TextNavigation::wordBoundary(m_text.string(), caret, direction); };
    auto vertical = [&](int direction) { return TextNavigation::verticalMove(layoutManager(), m_text.length(), caret, direction); };
    // A page is what shows of the text, less the row the caret keeps in sight.
    auto page = [&](int direction) {
        auto* clip = dynamic_cast<ClipView*>(superview());
        double shown = clip ? clip->bounds().height() : bounds().height();
        double row = layoutManager().caretRect(caret).height();
        return TextNavigation::verticalMove(layoutManager(), m_text.length(), caret, direction, shown - 2 * row);
    };
    auto key = static_cast<base::KeyCode>(event.keyCode());
    // Text that is only read, with nothing selected, has no caret to move: these keys go on
    // to what holds it (a list scrolls, a table moves its selection).
    if (!m_editable && !m_selection.length && !shift
        && (key == base::KeyCode::Home || key == base::KeyCode::End || key == base::KeyCode::UpArrow || key == base::KeyCode::DownArrow
            || key == base::KeyCode::PageUp || key == base::KeyCode::PageDown)) {
        View::keyDown(event);
        return;
    }
    switch (key) {
    case base::KeyCode::LeftArrow:
        if (!shift && m_selection.length && !word)
            moveTo(m_selection.location, false);
        else
            moveTo(word ? wordEdge(-1) : (caret ? caret - 1 : 0), shift);
        return;
    case base::KeyCode::RightArrow:
        if (!shift && m_selection.length && !word)
            moveTo(m_selection.end(), false);
        else
            moveTo(word ? wordEdge(1) : caret + 1, shift);
        return;
    case base::KeyCode::UpArrow:
        if (!command("moveUp:"))
            moveTo(commandKey ? 0 : vertical(-1), shift);
        return;
    case base::KeyCode::DownArrow:
        if (!command("moveDown:"))
            moveTo(commandKey ? m_text.length() : vertical(1), shift);
        return;
    case base::KeyCode::PageUp:
        moveTo(page(-1), shift);
        return;
    case base::KeyCode::PageDown:
        moveTo(page(1), shift);
        return;
    case base::KeyCode::Home:
        moveTo(commandKey ? 0 : lineEdge(-1), shift);
        return;
    case base::KeyCode::End:
        moveTo(commandKey ? m_text.length() : lineEdge(1), shift);
        return;
    case base::KeyCode::Return:
    case base::KeyCode::KeypadEnter:
        if (!command("insertNewline:"))
            insertNewline();
        return;
    case base::KeyCode::Tab:
        if (command(shift ? "insertBacktab:" : "insertTab:"))
            return;
        if (m_insertsTabs && m_editable)
            insertText(u"\t");
        else
            View::keyDown(event);
        return;
    case base::KeyCode::Escape:
        if (!command("cancelOperation:"))
            View::keyDown(event);
        return;
    case base::KeyCode::Delete:
        if (!command("deleteBackward:"))
            deleteBackward();
        return;
    case base::KeyCode::ForwardDelete:
        if (!command("deleteForward:"))
            deleteForward();
        return;
    default:
        break;
    }
    // Ctrl alone (or with Shift): with Alt or Super held the keys are the menus' (Alt+Ctrl+I starts
    // an informal break, it does not italicise).
    if (commandKey && !(flags & (ModifierFlag::Option | ModifierFlag::Control))) {
        // By the letter, whatever its case: Ctrl+Shift+Z arrives as "Z".
        std::string c = event.characters();
        if (c.size() == 1)
            c[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(c[0])));
        if (c == "b")
            toggleBold();
        else if (c == "i")
            toggleItalic();
        else if (c == "u")
            toggleUnderline();
        else if (c == "a")
            selectAll();
        else if (c == "c")
            copy();
        else if (c == "x")
            cut();
        else if (c == "v")
            paste();
        else if ((c == "z" && shift) || (c == "y" && !shift))
            m_undo.redo();
        else if (c == "z")
            m_undo.undo();
        else
            View::keyDown(event);
        return;
    }
    const std::string& typed = event.characters();
    bool printable = !typed.empty() && !(flags & ModifierFlag::Control)
        && std::all_of(typed.begin(), typed.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7f; });
    if (printable && m_editable)
        typeText(text::toUtf16(gfx::displayableText(typed)), true);
    else if (printable && onEditRefused)
        refuseEdit();
    else
        View::keyDown(event);
}

std::size_t TextView::characterIndexAt(Point point) const
{
    return layoutManager().indexAt(Point(point.x - m_inset.width, point.y - m_inset.height));
}

Rect TextView::caretRect() const
{
    std::size_t caret = m_selection.location == m_anchor ? m_selection.end() : m_selection.location;
    if (m_composition)
        caret = m_composedRange.location + m_composition->utf16Offset(m_composition->cursor);
    return layoutManager().caretRect(caret).offsetBy(m_inset.width, m_inset.height);
}

void TextView::mouseDown(const Event& event)
{
    endComposition(true);
    if (!isSelectable())
        return;
    Point point = convertPointFrom(event.locationInWindow(), nullptr);
    std::size_t index = characterIndexAt(point);
    // A click on a link opens it, unless the delegate takes it; one that is no web or mail
    // link asks first.
    if (!m_text.empty()) {
        std::size_t at = index < m_text.length() ? index : index - 1;
        const std::string& link = m_text.attributesAt(at).link;
        Rect caret = layoutManager().caretRect(at);
        if (!link.empty() && std::abs(caret.midY() + m_inset.height - point.y) <= caret.height()) {
            if (auto handler = onLinkClick; handler && handler(link))
                return;
            desktop::Opener::openLinkOnClick(link);
            return;
        }
    }
    if (event.clickCount() == 2) {
        std::size_t from = TextNavigation::wordBoundary(m_text.string(), std::min(index + 1, m_text.length()), -1);
        std::size_t to = TextNavigation::wordBoundary(m_text.string(), from, 1);
        moveTo(from, false);
        moveTo(to, true);
        return;
    }
    moveTo(index, event.modifierFlags() & ModifierFlag::Shift);
}

void TextView::mouseDragged(const Event& event)
{
    if (isSelectable())
        moveTo(characterIndexAt(convertPointFrom(event.locationInWindow(), nullptr)), true);
}

void TextView::draw(gfx::GraphicsContext& context, const Rect&)
{
    if (m_drawsBackground) {
        context.setFillColor(m_background);
        context.fillRect(bounds());
    }
    const auto& layout = layoutManager();
    // Only down to the bottom of what is in sight: the paragraphs below are never touched.
    double bottom = std::min(bounds().height(), context.clipBoundingBox().maxY());
    Rect area(m_inset.width, m_inset.height, layoutWidth(), std::max(0.0, bottom - m_inset.height));
    bool focused = isFocused();
    text::Range highlighted = m_selection;
    if (m_composition) {
        // The part of a composition being converted shows as selected.
        const Composition& c = *m_composition;
        std::size_t from = m_composedRange.location + c.utf16Offset(c.cursor);
        highlighted = { from, m_composedRange.location + c.utf16Offset(c.cursor + c.selectionLength) - from };
    }
    if (highlighted.length) {
        // Only the part of the selection in sight: selecting all of a long page draws a page.
        std::size_t shownFrom = layout.lineAt(layout.indexAt(Point(0, std::max(0.0, context.clipBoundingBox().minY() - m_inset.height)))).range.location;
        std::size_t shownTo = layout.lineAt(layout.indexAt(Point(area.maxX(), std::max(0.0, bottom - m_inset.height)))).range.end();
        std::size_t from = std::max(highlighted.location, shownFrom);
        std::size_t to = std::min(highlighted.end(), shownTo + 1);
        highlighted = from < to ? text::Range { from, to - from } : text::Range { from, 0 };
    }
    if (highlighted.length) {
        std::vector<Rect> rects;
        for (const Rect& r : layout.selectionRects(highlighted))
            rects.push_back(r.offsetBy(m_inset.width, m_inset.height));
        if (focused || !drawInactiveSelection) {
            context.setFillColor(selectionColor(focused));
            for (const Rect& r : rects)
                context.fillRect(r);
        } else {
            drawInactiveSelection(context, rects);
        }
    }
    if (m_text.empty() && !m_composition && !m_placeholder.empty())
        gfx::TextLayout(m_placeholder, gfx::TextStyle(m_defaults.font, ControlLook::kSecondaryText), area.width()).draw(area);
    layout.draw(area);
    if (m_features.continuousSpellChecking && !m_composition)
        drawSpellingMarks(context, context.clipBoundingBox().minY(), bottom);
    if (focused && (!m_selection.length || m_composition) && m_editable) {
        Rect caret = caretRect();
        context.setFillColor(m_typingAttributes.foreground.value_or(m_defaults.color));
        context.fillRect(Rect(std::floor(caret.minX()), caret.minY(), 1, caret.height()));
    }
    // Paragraphs drawn for the first time may be taller or shorter than estimated.
    growToText();
}

}
