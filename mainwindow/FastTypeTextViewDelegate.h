#pragma once

#include "platform/text/AttributedString.h"

#include <memory>
#include <string>

namespace base {
class Timer;
}

namespace ostrel {

class NowAndLaterBoardTextView;
class TextIndicatorsView;

// The pad text view's delegate: after each edit of the user's it rewrites the typing
// shortcuts (separator lines, "done'" as a check mark, "--" at a line's end as a struck-out
// line, bullet, numbered and arrow lists) as one undoable step, keeps the style indicators
// in step with the typing attributes, and writes the page five seconds after the first
// unsaved change. A shortcut fires only where its trigger ends at the insertion point.
class FastTypeTextViewDelegate : public std::enable_shared_from_this<FastTypeTextViewDelegate> {
public:
    static std::shared_ptr<FastTypeTextViewDelegate> create();
    ~FastTypeTextViewDelegate();

    // Not owned: the text view owns its delegate.
    NowAndLaterBoardTextView* textView() const { return m_textView; }
    void setTextView(NowAndLaterBoardTextView* textView) { m_textView = textView; }
    std::shared_ptr<TextIndicatorsView> textIndicatorsView() const;

    // What an undo or redo of the pads' own steps puts back: a range and its rich text, and
    // the selection to restore.
    struct UndoInfo {
        std::size_t location { 0 };
        std::size_t length { 0 };
        text::AttributedString attributedString;
        text::Range selection;
    };

    // After the user's change: the typing shortcuts, for typed text only (not for pasting,
    // dropping, a style command or undo), and the indicators.
    void textDidChange();
    // After any change of the page's text: a write is due.
    void textStorageDidChange();
    void textViewDidChangeTypingAttributes() { updateTextToolbar(); }
    void updateTextToolbar();
    // Strikes out the line of the insertion point and moves to the end of the next one.
    void strikeOutAndContinue();
    void undoStrikeOut(const UndoInfo& info);
    void undoBullet(const UndoInfo& info);
    // Registers `undoStrikeOut` for a range as it is now: the style commands' undo.
    void registerUndoStrikeOut(text::Range range);

    // A write of the page 5 seconds after the first change since the last write.
    void triggerDelayedWrite();
    bool hasPendingWrite() const { return m_pendingWriteTimer != nullptr; }
    void timerFireMethod();
    // Who hears of a write that failed: the delayed write tells once, until a write succeeds
    // again; a step the user asked for (a new or another page) tells every time; quitting
    // only logs, as nobody can be asked any more.
    enum class FailureNotice { onceUntilWritten, always, logOnly };
    // Writes the page now. False when it could not be written. A page not read yet, shown
    // read-only (it could not be read, or its file is read-only), or not changed since it
    // was shown or written, is never written and counts as saved.
    bool save(FailureNotice notice = FailureNotice::onceUntilWritten);
    bool hasUnsavedChange() const { return m_unsavedChange; }
    // Another page is shown: nothing of it is unsaved yet.
    void pageWasShown() { m_unsavedChange = false; }

    // What a separator shortcut puts in: 32 box-drawing rules.
    static const std::u16string& separatorLine();

private:
    FastTypeTextViewDelegate() = default;
    // Opens the undo group of this change's shortcuts, once.
    void beginShortcutGroup();
    bool replaceTypedTrigger(const std::u16string& trigger, bool atPageStart, const std::u16string& replacement);
    bool strikeOutTypedLine();
    bool makeListItem(const std::u16string& trigger, const std::string& markerFormat);
    void registerUndo(void (FastTypeTextViewDelegate::*action)(const UndoInfo&), UndoInfo info);

    NowAndLaterBoardTextView* m_textView { nullptr };
    std::shared_ptr<base::Timer> m_pendingWriteTimer;
    bool m_applyingShortcuts { false };
    bool m_groupOpen { false };
    bool m_failureShown { false };
    bool m_unsavedChange { false };
};

}
