#include "attention/VisualNotification.h"

#include "attention/NoteWindow.h"
#include "core/Clock.h"

#include "platform/ui/TextField.h"

namespace ostrel {

namespace {
std::shared_ptr<VisualNotification>& installed()
{
    static std::shared_ptr<VisualNotification> notifier;
    return notifier;
}
}

VisualNotification& VisualNotification::notifier()
{
    if (!installed())
        installed() = create();
    return *installed();
}

void VisualNotification::setNotifier(std::shared_ptr<VisualNotification> notifier) { installed() = std::move(notifier); }

std::shared_ptr<VisualNotification> VisualNotification::create()
{
    return std::shared_ptr<VisualNotification>(new VisualNotification);
}

VisualNotification::VisualNotification()
    : m_noteWindow(NoteWindow::create())
    , m_titleOnlyNoteWindow(TitleOnlyNoteWindow::create())
{
}

VisualNotification::~VisualNotification()
{
    if (m_timer)
        m_timer->stop();
}

void VisualNotification::display(const std::optional<std::string>& title, const std::optional<std::string>& description,
    bool)
{
    if (auto previous = std::exchange(m_timer, nullptr))
        previous->stop();
    // Closing also stops a fade still running on either window: a fade-out that ended
    // later would otherwise close the note shown now.
    m_noteWindow->close();
    m_titleOnlyNoteWindow->close();

    std::shared_ptr<TitleOnlyNoteWindow> window;
    if (description && !description->empty()) {
        m_noteWindow->titleLabel()->setStringValue(title.value_or(""));
        m_noteWindow->messageLabel()->setStringValue(*description);
        window = m_noteWindow;
    } else {
        m_titleOnlyNoteWindow->titleLabel()->setStringValue(title.value_or(""));
        window = m_titleOnlyNoteWindow;
    }
    window->center();
    window->orderFrontRegardless();
    window->performOpeningAnimation();
    m_timer = Clock::timerWithSimulatedTimeInterval(kShownFor, false, [weak = std::weak_ptr(window)](base::Timer&) {
        if (auto shown = weak.lock())
            shown->performClosingAnimation();
    });
}

}
