#pragma once

#include <memory>
#include <optional>
#include <string>

namespace ostrel {

class NoteWindow;
class SmartTimerWrapper;
class TitleOnlyNoteWindow;

// Our own banners: a note window in the middle of the main display for 2 seconds, then
// fading out. A banner with a description uses the window with a message line, any other
// the title-only one. A new banner takes the previous one away at once.
class VisualNotification {
public:
    static constexpr double kShownFor = 2.0;

    // Made on first use, with both windows.
    static VisualNotification& notifier();
    // Tests start from fresh windows; none makes the next use start afresh.
    static void setNotifier(std::shared_ptr<VisualNotification> notifier);
    static std::shared_ptr<VisualNotification> create();

    ~VisualNotification();

    // Sticky or not, the note goes after 2 seconds: this path has no way to dismiss it.
    void display(const std::optional<std::string>& title, const std::optional<std::string>& description, bool sticky);

    const std::shared_ptr<NoteWindow>& noteWindow() const { return m_noteWindow; }
    const std::shared_ptr<TitleOnlyNoteWindow>& titleOnlyNoteWindow() const { return m_titleOnlyNoteWindow; }
    // The last note's hiding timer, or none before the first note.
    const std::shared_ptr<SmartTimerWrapper>& timer() const { return m_timer; }

private:
    VisualNotification();

    std::shared_ptr<NoteWindow> m_noteWindow;
    std::shared_ptr<TitleOnlyNoteWindow> m_titleOnlyNoteWindow;
    std::shared_ptr<SmartTimerWrapper> m_timer;
};

}
