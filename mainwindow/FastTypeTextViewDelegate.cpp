#include "mainwindow/FastTypeTextViewDelegate.h"

#include "mainwindow/NowAndLaterBoardManager.h"
#include "mainwindow/NowAndLaterBoardTextView.h"
#include "mainwindow/TextIndicatorsView.h"

#include "core/MacOSVersion.h"
#include "core/ZrLog.h"
#include "log/BackingStoreManager.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Timer.h"
#include "platform/text/FontTraits.h"
#include "platform/text/TextList.h"
#include "platform/ui/TextNavigation.h"

#include <glib.h>

namespace ostrel {

namespace {

constexpr double kWriteDelay = 5.0;
constexpr double kWriteTolerance = 2.5;

bool isLetter(char16_t c) { return g_unichar_isalpha(gunichar(c)); }

// The first letter from `from` up to `to`, else `from`.
std::size_t firstLetter(const std::u16string& s, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to && i < s.size(); ++i) {
        if (isLetter(s[i]))
            return i;
    }
    return from;
}

text::AttributedString struckOut(text::AttributedString text, bool on)
{
    text.updateAttributes({ 0, text.length() }, [on](text::Attributes& attributes) { attributes.strikethrough = on ? 1 : 0; });
    return text;
}

}

std::shared_ptr<FastTypeTextViewDelegate> FastTypeTextViewDelegate::create()
{
    return std::shared_ptr<FastTypeTextViewDelegate>(new FastTypeTextViewDelegate);
}

FastTypeTextViewDelegate::~FastTypeTextViewDelegate()
{
    if (m_pendingWriteTimer)
        m_pendingWriteTimer->invalidate();
}

const std::u16string& FastTypeTextViewDelegate::separatorLine()
{
    static const std::u16string line(32, u'\u2500');
    return line;
}

std::shared_ptr<TextIndicatorsView> FastTypeTextViewDelegate::textIndicatorsView() const
{
    return m_textView ? m_textView->textIndicatorsView() : nullptr;
}

void FastTypeTextViewDelegate::textDidChange()
{
    auto* view = m_textView;
    if (!view || m_applyingShortcuts)
        return;
    // An undo or redo puts back what was, and pasted, dropped or restyled text was not typed:
    // no shortcut answers them (the write they need is asked for all the same).
    auto& undo = view->undoManager();
    if (undo.isUndoing() || undo.isRedoing())
        return;
    if (!view->lastChangeWasTyped()) {
        updateTextToolbar();
        return;
    }
    m_applyingShortcuts = true;
    m_groupOpen = false;
    const std::u16string newline = u"\n";
    replaceTypedTrigger(u"--", true, separatorLine() + newline);
    replaceTypedTrigger(u"\n--", false, newline + separatorLine() + newline);
    replaceTypedTrigger(u"done'", false, u"\u2714");
    strikeOutTypedLine();
    makeListItem(u"* ", "{disc}");
    makeListItem(u"1. ", "({decimal})");
    makeListItem(u"+ ", "\u27A4");
    if (m_groupOpen)
        undo.endGrouping();
    m_groupOpen = false;
    m_applyingShortcuts = false;
    triggerDelayedWrite();
    updateTextToolbar();
}

void FastTypeTextViewDelegate::beginShortcutGroup()
{
    // Only a shortcut that fires opens a group: plain typing stays one undo step of its own.
    if (m_groupOpen || !m_textView)
        return;
    m_textView->undoManager().beginGrouping();
    m_groupOpen = true;
}

bool FastTypeTextViewDelegate::replaceTypedTrigger(const std::u16string& trigger, bool atPageStart,
    const std::u16string& replacement)
{
    auto* view = m_textView;
    text::Range selection = view->selectedRange();
    const std::u16string& s = view->textStorage().string();
    std::size_t caret = selection.location;
    if (selection.length || caret < trigger.size())
        return false;
    if (atPageStart && caret != trigger.size())
        return false;
    if (s.compare(caret - trigger.size(), trigger.size(), trigger) != 0)
        return false;
    beginShortcutGroup();
    // As the user would: one delete at a time, then the replacement typed.
    for (std::size_t i = 0; i < trigger.size(); ++i)
        view->deleteBackward();
    view->insertText(replacement);
    return true;
}

bool FastTypeTextViewDelegate::strikeOutTypedLine()
{
    auto* view = m_textView;
    text::Range selection = view->selectedRange();
    const text::AttributedString& text = view->textStorage();
    const std::u16string& s = text.string();
    std::size_t caret = selection.location;
    // Only the "--" just typed at the end of a line: one elsewhere on the page stays as it is.
    if (selection.length || caret < 2 || s[caret - 1] != u'-' || s[caret - 2] != u'-')
        return false;
    if (caret < s.size() && s[caret] != u'\n')
        return false;
    std::size_t p = caret - 2;
    // A "--" opening the page became a separator before this rule is asked.
    if (p == 0)
        return false;
    std::size_t lineStart = 0;
    if (p >= 2) {
        auto newline = s.rfind(u'\n', p - 2);
        if (newline != std::u16string::npos)
            lineStart = newline;
    }
    std::size_t from = firstLetter(s, lineStart, p);
    beginShortcutGroup();
    text::Range struck { from, p - from };
    registerUndoStrikeOut(struck);
    view->replaceInTextStorage(struck, struckOut(text.substring(struck), true));
    view->replaceCharacters({ p, 2 }, {});
    return true;
}

bool FastTypeTextViewDelegate::makeListItem(const std::u16string& trigger, const std::string& markerFormat)
{
    auto* view = m_textView;
    text::Range selection = view->selectedRange();
    const text::AttributedString& text = view->textStorage();
    const std::u16string& s = text.string();
    std::size_t caret = selection.location;
    if (selection.length)
        return false;
    std::size_t r = 0;
    std::size_t b = 0;
    std::u16string onNewLine = u"\n" + trigger;
    if (caret >= onNewLine.size() && s.compare(caret - onNewLine.size(), onNewLine.size(), onNewLine) == 0) {
        r = caret - onNewLine.size();
        b = r + 1;
    } else if (caret == trigger.size() && s.compare(0, trigger.size(), trigger) == 0) {
        r = b = 0;
    } else {
        return false;
    }
    text::AttributedString kept = text.substring({ r, caret - r });
    text::Attributes attributes = text.attributesAt(r);
    attributes.paragraph.textLists = { markerFormat };
    attributes.link.clear();
    attributes.attachment.reset();
    std::u16string item = u"\t" + text::TextList::marker(markerFormat, 1) + u"\t\n";
    beginShortcutGroup();
    view->replaceInTextStorage({ b, trigger.size() }, text::AttributedString(item, attributes));
    // The insertion point goes between the second tab and the item's line break.
    if (view->selectedRange().location == b + item.size())
        view->setSelectedRange({ b + item.size() - 1, 0 });
    registerUndo(&FastTypeTextViewDelegate::undoBullet, { r, b + item.size() - r, kept, selection });
    return true;
}

void FastTypeTextViewDelegate::registerUndo(void (FastTypeTextViewDelegate::*action)(const UndoInfo&), UndoInfo info)
{
    if (!m_textView)
        return;
    std::weak_ptr<FastTypeTextViewDelegate> weakSelf = weak_from_this();
    m_textView->undoManager().registerUndo([weakSelf, action, info] {
        if (auto self = weakSelf.lock())
            ((*self).*action)(info);
    });
}

void FastTypeTextViewDelegate::registerUndoStrikeOut(text::Range range)
{
    if (!m_textView)
        return;
    registerUndo(&FastTypeTextViewDelegate::undoStrikeOut,
        { range.location, range.length, m_textView->textStorage().substring(range), m_textView->selectedRange() });
}

void FastTypeTextViewDelegate::undoStrikeOut(const UndoInfo& info)
{
    auto* view = m_textView;
    if (!view)
        return;
    text::Range range { info.location, info.length };
    registerUndo(&FastTypeTextViewDelegate::undoStrikeOut,
        { info.location, info.length, view->textStorage().substring(range), view->selectedRange() });
    view->replaceInTextStorage(range, info.attributedString);
    view->setSelectedRange(info.selection);
    updateTextToolbar();
}

void FastTypeTextViewDelegate::undoBullet(const UndoInfo& info)
{
    auto* view = m_textView;
    if (!view)
        return;
    text::Range range { info.location, info.length };
    registerUndo(&FastTypeTextViewDelegate::undoBullet,
        { info.location, info.attributedString.length(), view->textStorage().substring(range), view->selectedRange() });
    view->replaceInTextStorage(range, info.attributedString);
    view->setSelectedRange(info.selection);
}

void FastTypeTextViewDelegate::strikeOutAndContinue()
{
    auto* view = m_textView;
    if (!view || !view->isEditable())
        return;
    const std::u16string& s = view->textStorage().string();
    std::size_t caret = view->selectedRange().location;
    text::Range paragraph = ui::TextNavigation::paragraphRange(s, caret);
    // The whole line with its line break, as a line is selected.
    std::size_t lineEnd = paragraph.end() < s.size() ? paragraph.end() + 1 : paragraph.end();
    std::size_t from = firstLetter(s, paragraph.location, lineEnd);
    text::Range struck { from, lineEnd - from };
    auto& undo = view->undoManager();
    undo.beginGrouping();
    registerUndoStrikeOut(struck);
    view->replaceInTextStorage(struck, struckOut(view->textStorage().substring(struck), true));
    undo.endGrouping();
    const std::u16string& after = view->textStorage().string();
    std::size_t next = lineEnd < after.size() ? ui::TextNavigation::paragraphRange(after, lineEnd).end() : after.size();
    view->setSelectedRange({ next, 0 });
    triggerDelayedWrite();
    updateTextToolbar();
}

void FastTypeTextViewDelegate::updateTextToolbar()
{
    auto indicators = textIndicatorsView();
    if (!indicators || !m_textView)
        return;
    const text::Attributes& typing = m_textView->typingAttributes();
    auto& manager = NowAndLaterBoardManager::sharedManager();
    // A run without a font of its own is in the pad's default font.
    gfx::Font font = typing.font.value_or(manager.defaultFont());
    bool plain = font == manager.defaultFont() && (!typing.foreground || *typing.foreground == manager.textColor());
    plain ? indicators->activatePlainIndicator() : indicators->deactivatePlainIndicator();
    typing.strikethrough ? indicators->activateStrikeThroughIndicator() : indicators->deactivateStrikeThroughIndicator();
    typing.underline ? indicators->activateUnderlineIndicator() : indicators->deactivateUnderlineIndicator();
    text::FontTraits::isBold(font) ? indicators->activateBoldIndicator() : indicators->deactivateBoldIndicator();
    text::FontTraits::isItalic(font) ? indicators->activateItalicsIndicator() : indicators->deactivateItalicsIndicator();
}

void FastTypeTextViewDelegate::textStorageDidChange()
{
    // Only a page of a pad is written; the objective fields are kept by their owners.
    if (m_textView && m_textView->backingStoreDescriptor() && m_textView->hasPage()) {
        m_unsavedChange = true;
        triggerDelayedWrite();
    }
}

void FastTypeTextViewDelegate::triggerDelayedWrite()
{
    if (m_pendingWriteTimer)
        return;
    std::weak_ptr<FastTypeTextViewDelegate> weakSelf = weak_from_this();
    m_pendingWriteTimer = base::Timer::create(kWriteDelay, false, base::RunLoop::Mode::Default, [weakSelf](base::Timer&) {
        if (auto self = weakSelf.lock())
            self->timerFireMethod();
    });
    MacOSXVersion::setTimerToTolerance(*m_pendingWriteTimer, kWriteTolerance);
}

void FastTypeTextViewDelegate::timerFireMethod()
{
    // Let go of first: a failed write shows an alert, and a change made while it is up asks
    // for a write of its own.
    std::shared_ptr<base::Timer> fired = std::move(m_pendingWriteTimer);
    zr_log("FastTypeDelegate: saving my text view on timer");
    save();
    if (fired)
        fired->invalidate();
}

bool FastTypeTextViewDelegate::save(FailureNotice notice)
{
    auto* view = m_textView;
    if (!view || !view->backingStoreDescriptor() || !view->hasPage())
        return true;
    auto& descriptor = *view->backingStoreDescriptor();
    std::string page = descriptor.index().selectedID().value_or(descriptor.folderPath());
    switch (view->pageLock()) {
    case NowAndLaterBoardTextView::PageLock::unreadable:
        zr_log("not saving %s: it could not be read, and writing would lose what it holds", page.c_str());
        return true;
    case NowAndLaterBoardTextView::PageLock::fileReadOnly:
        zr_log("not saving %s: its file is read-only", page.c_str());
        return true;
    case NowAndLaterBoardTextView::PageLock::none:
        break;
    }
    // A page nobody changed here is never written: another program (a copy started beside
    // this one, a sync service) may have written a newer one since it was read.
    if (!m_unsavedChange)
        return true;
    // Written now: a write still pending would only write the same again.
    if (m_pendingWriteTimer) {
        m_pendingWriteTimer->invalidate();
        m_pendingWriteTimer.reset();
    }
    zr_log("saving backing store descriptor: %s", page.c_str());
    if (BackingStoreManager::sharedManager().write(view->textStorage(), descriptor, view->documentAttributes())) {
        m_failureShown = false;
        m_unsavedChange = false;
        return true;
    }
    zr_log("could not save the pad page %s", page.c_str());
    bool tell = notice == FailureNotice::always || (notice == FailureNotice::onceUntilWritten && !m_failureShown);
    if (tell) {
        m_failureShown = true;
        base::AlertRequest alert;
        alert.message = "The pad page could not be saved.";
        alert.informativeText = "Ostrel could not write \"" + page
            + "\". The text stays in the pad, and is written again with your next change.";
        base::AlertPresenter::present(alert);
    }
    return false;
}

}
