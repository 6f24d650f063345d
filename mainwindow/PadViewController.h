#pragma once

#include "viewkit/NiblessViewController.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class ScrollView;
class TextField;
}

namespace ostrel {

class BackingStoreDescriptor;
class NowAndLaterBoardTextView;
class PushButtonBrick;
class TextIndicatorsView;
class Wall;

// One of the three text pads: the pad's coloured background, the scrolling text view on
// the current page, the style indicators at the top right and, at the bottom right, buttons
// to add, page through and delete sheets and to open the typing-shortcut help. Every change
// of page writes the current one first; a page that cannot be written is not left.
class PadViewController : public NiblessViewController {
public:
    static constexpr const char* kUnreadableNotice = "This page could not be read whole: it is shown read-only and is never saved, "
                                                     "so nothing more of it is lost.";
    static constexpr const char* kReadOnlyNotice = "This page's file is read-only: it is shown as it is and never written. "
                                                   "Make the file writable again to change the page.";

    const std::optional<std::string>& backgroundColorStorageKey() const { return m_backgroundColorStorageKey; }
    void setBackgroundColorStorageKey(std::optional<std::string> key) { m_backgroundColorStorageKey = std::move(key); }
    const std::shared_ptr<BackingStoreDescriptor>& backingStoreDescriptor() const { return m_backingStoreDescriptor; }
    void setBackingStoreDescriptor(std::shared_ptr<BackingStoreDescriptor> descriptor) { m_backingStoreDescriptor = std::move(descriptor); }
    const std::shared_ptr<TextIndicatorsView>& textIndicatorsView() const { return m_textIndicatorsView; }
    // The pad's text view, its page read first if it was not yet: a closed pad reads its page
    // when it is first shown, or first asked for.
    const std::shared_ptr<NowAndLaterBoardTextView>& textView();
    void setTextView(std::shared_ptr<NowAndLaterBoardTextView> textView) { m_textView = std::move(textView); }
    bool isPageLoaded() const;
    const std::shared_ptr<PushButtonBrick>& previousSheetButton() const { return m_previousSheetButton; }
    const std::shared_ptr<PushButtonBrick>& nextSheetButton() const { return m_nextSheetButton; }
    const std::shared_ptr<PushButtonBrick>& newSheetButton() const { return m_newSheetButton; }
    const std::shared_ptr<PushButtonBrick>& deleteSheetButton() const { return m_deleteSheetButton; }
    const std::shared_ptr<PushButtonBrick>& helpButton() const { return m_helpButton; }
    // Shown over the bottom band while the page may not be changed (it could not be read,
    // or its file is read-only).
    const std::shared_ptr<ui::TextField>& unreadableNotice() const { return m_unreadableNotice; }

    // Every controller the builder made that is still alive, in the order made.
    static std::vector<std::shared_ptr<PadViewController>> all();
    static void addToAll(const std::shared_ptr<PadViewController>& controller);
    // Writes every pad's page, Now first (a page never read has nothing to write). The titles
    // ("Now Pad") of the pads whose page could not be written, so that quitting can say
    // what would be lost; the failures themselves are only logged.
    static std::vector<std::string> saveAllPads();

    void build() override;
    virtual void newSheet();
    virtual void focus();
    virtual std::shared_ptr<Wall> createTextViewWall();
    virtual void updateTextView();
    virtual void updateToolbarButtons();

    // The toolbar's actions.
    void nextSheet();
    void previousSheet();
    void deleteSheet();
    void showTypingShortcutHelp();

    // The pad's title in the pad table, for messages.
    std::string title() const;

protected:
    friend class NiblessViewController;
    PadViewController() = default;

private:
    void ensurePageLoaded();
    // Writes the page being left; false when it could not be written (the user was told).
    bool writeCurrentPage();
    // Why the user's change of the page was refused: said once for each page shown, then
    // only a beep.
    void editRefused();
    void updateLockNotice();
    void showPageWithID(const std::string& id);
    void addIndicatorButtons();
    void addToolbar(Wall& wall);

    std::optional<std::string> m_backgroundColorStorageKey;
    std::shared_ptr<BackingStoreDescriptor> m_backingStoreDescriptor;
    std::shared_ptr<TextIndicatorsView> m_textIndicatorsView;
    std::shared_ptr<NowAndLaterBoardTextView> m_textView;
    std::shared_ptr<PushButtonBrick> m_previousSheetButton;
    std::shared_ptr<PushButtonBrick> m_nextSheetButton;
    std::shared_ptr<PushButtonBrick> m_newSheetButton;
    std::shared_ptr<PushButtonBrick> m_deleteSheetButton;
    std::shared_ptr<PushButtonBrick> m_helpButton;
    std::shared_ptr<ui::ScrollView> m_scrollView;
    std::shared_ptr<ui::TextField> m_unreadableNotice;
    bool m_refusalShown { false };
};


}
