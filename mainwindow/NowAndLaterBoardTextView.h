#pragma once

#include "platform/base/Responder.h"
#include "platform/text/Document.h"
#include "platform/ui/TextView.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class MenuItem;
class Pasteboard;
}

namespace ostrel {

class BackingStoreDescriptor;
class FastTypeTextViewDelegate;
class KVOResponder;
class TextIndicatorsView;

// The rich-text view of every pad page. Its font, colour and typing features follow the
// settings; it offers bold, italic, strike-through and plain-text commands with their own
// undo, takes Things to-dos and OmniFocus tasks by paste and drop, moves between "‹" … "›"
// fields and hands a selection to the objective parser. Typing shortcuts and saving are its
// delegate's (FastTypeTextViewDelegate).
class NowAndLaterBoardTextView : public ui::TextView {
public:
    static std::shared_ptr<NowAndLaterBoardTextView> create();
    ~NowAndLaterBoardTextView() override;

    std::shared_ptr<TextIndicatorsView> textIndicatorsView() const { return m_textIndicatorsView.lock(); }
    void setTextIndicatorsView(const std::shared_ptr<TextIndicatorsView>& view) { m_textIndicatorsView = view; }
    // The page series it edits; none for an objective field.
    const std::shared_ptr<BackingStoreDescriptor>& backingStoreDescriptor() const { return m_backingStoreDescriptor; }
    void setBackingStoreDescriptor(std::shared_ptr<BackingStoreDescriptor> descriptor) { m_backingStoreDescriptor = std::move(descriptor); }
    FastTypeTextViewDelegate* fastTypeDelegate() const { return m_delegate.get(); }

    // Set-up once built: the delegate, the pads' font and colour, the typing features, and
    // observers of the settings they come from.
    void awakeFromNib();
    void updateTextViewFeatures();
    bool shouldAutoDetectData() const;

    // Why the page shown may not be changed or written back.
    enum class PageLock {
        none,
        // It could not be read whole: writing it back would lose what was left out.
        unreadable,
        // Its file carries no write permission: the user made it read-only.
        fileReadOnly,
    };
    // A page read from its file, shown as it is: loading is no edit, so no shortcut fires,
    // nothing is written and there is nothing to undo. A locked page is shown read-only and
    // is never written back.
    void showPage(const text::Document& page, PageLock lock = PageLock::none);
    // Until a page is shown there is nothing of the user's to write (a closed pad reads its
    // page only when first shown).
    bool hasPage() const { return m_hasPage; }
    PageLock pageLock() const { return m_pageLock; }
    bool isShowingUnreadablePage() const { return m_pageLock == PageLock::unreadable; }
    const text::DocumentAttributes& documentAttributes() const { return m_documentAttributes; }
    // Told when the view first comes into a window: its pad is being shown.
    std::function<void()> onShown;
    void viewDidMoveToWindow() override;

    // Style commands, on the selection or on the typing attributes when none.
    void toggleBoldAttribute(const base::Sender& sender = {});
    void toggleItalicAttribute(const base::Sender& sender = {});
    void toggleStrikeOutAttribute(const base::Sender& sender = {});
    void makePlainText(const base::Sender& sender = {});
    void underline(const base::Sender& sender = {});
    gfx::Font fontForLocation(std::size_t index) const;
    enum class FontTrait { bold, italic };
    void removeFontTrait(FontTrait trait, text::Range range);
    void addFontTrait(FontTrait trait, text::Range range);

    void markAsCompleted(const base::Sender& sender = {});
    void next(const base::Sender& sender = {});
    void previous(const base::Sender& sender = {});
    void selectNextField(const base::Sender& sender = {});
    void selectPreviousField(const base::Sender& sender = {});
    void parseSelectionAndSetObjective(const base::Sender& sender = {});
    // Tags and a duration taken out of the selection, as the objective parser stores them.
    void parseSelection();
    virtual void revealInFinder(const base::Sender& sender = {});
    // The parse-selection item (named by whoever owns it) is enabled only with a selection.
    bool validateMenuItem(const ui::MenuItem& item, const ui::MenuItem* parseSelectionMenuItem) const;

    // Pasting and dropping from the task managers.
    static std::vector<std::string> readablePasteboardTypes();
    static std::optional<std::string> preferredPasteboardTypeFromArray(const std::vector<std::string>& offered);
    bool readSelectionFromPasteboard(const ui::Pasteboard& pasteboard, const std::string& type);
    void delayedThingsToDoInsertion();
    void insertThingsToDo();
    void paste() override;
    bool performDragOperation(const ui::Pasteboard& pasteboard, ui::Point point) override;

protected:
    NowAndLaterBoardTextView();
    const base::ActionTable& actionTable() const override;

private:
    void toggleTrait(FontTrait trait);
    void changeFontTrait(FontTrait trait, text::Range range, bool add);
    void applyDefaultFont();
    void applyTextColor();
    void applyToWholeText(const std::function<void(text::Attributes&)>& change);
    void takeOmniFocusTask(const ui::Pasteboard& pasteboard);

    std::weak_ptr<TextIndicatorsView> m_textIndicatorsView;
    std::shared_ptr<BackingStoreDescriptor> m_backingStoreDescriptor;
    std::shared_ptr<FastTypeTextViewDelegate> m_delegate;
    std::vector<std::shared_ptr<KVOResponder>> m_observers;
    text::DocumentAttributes m_documentAttributes;
    bool m_hasPage { false };
    PageLock m_pageLock { PageLock::none };
};

}
