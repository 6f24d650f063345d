#pragma once

#include "platform/base/AlertPresenter.h"
#include "platform/ui/Button.h"
#include "platform/ui/Event.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class Window;

// A modal alert: a message, an informative text, buttons in the order added (the first is
// the default, at the right, answering Return; one titled "Cancel", or the escape button,
// answers Escape and Ctrl+W), an optional suppression check box and help button. runModal()
// shows it in a nested run of the main loop: only common-mode timers and sources are
// serviced, main-queue tasks run and other windows keep drawing, but they take no input.
// Alerts run inside one another end in order: only the innermost one takes input.
class Alert {
public:
    using Style = base::AlertRequest::Style;
    // Answers an alert in place of the user once it shows: the index of the button to
    // press, or none to leave it to the user. For tests, through the presenter seam.
    using Responder = std::function<std::optional<int>(Alert&)>;

    static std::shared_ptr<Alert> create();
    static std::shared_ptr<Alert> fromRequest(const base::AlertRequest& request);
    ~Alert();
    Alert(const Alert&) = delete;
    Alert& operator=(const Alert&) = delete;

    Style alertStyle() const { return m_style; }
    void setAlertStyle(Style style) { m_style = style; }
    const std::string& messageText() const { return m_message; }
    void setMessageText(std::string text) { m_message = std::move(text); }
    const std::string& informativeText() const { return m_informative; }
    void setInformativeText(std::string text) { m_informative = std::move(text); }

    Button* addButton(std::string title);
    const std::vector<std::shared_ptr<Button>>& buttons() const { return m_buttons; }
    // -1: the button titled "Cancel", if any.
    void setEscapeButton(int index) { m_escapeButton = index; }

    bool showsSuppressionButton() const { return m_showsSuppression; }
    void setShowsSuppressionButton(bool shows) { m_showsSuppression = shows; }
    // The check box; its title may be changed before the alert runs.
    Button* suppressionButton() const { return m_suppression.get(); }

    // Shows a help button that calls this, leaving the alert up.
    std::function<void()> onHelp;

    // The index of the button pressed (0 for the first).
    int runModal();
    // Ends a running alert as if the button had been pressed.
    void pressButton(int index);
    bool isRunning() const { return m_running; }
    Window* window() const { return m_window.get(); }

    // The innermost alert running, if any: what a key or command that would act behind it
    // brings forward instead.
    static Alert* frontmost();
    // In front, with the keyboard on its button as it was (the default one at first), ringed.
    void bringForward();

    static void setResponder(Responder responder);
    // Makes real alerts the base layer's alert presenter. Without a display and without a
    // responder, alerts are logged and take their default button, as nobody could answer.
    static void installAsPresenter();

private:
    Alert();
    void build();
    // What the innermost alert makes of an event before its window or the menus see it:
    // none swallows it.
    std::optional<Event> filter(const Event& event);

    Style m_style { Style::Warning };
    std::string m_message;
    std::string m_informative;
    std::vector<std::shared_ptr<Button>> m_buttons;
    int m_escapeButton { -1 };
    // The answer when the alert's window goes without a button pressed.
    int m_closeAnswer { 0 };
    bool m_showsSuppression { false };
    std::shared_ptr<Button> m_suppression;
    std::shared_ptr<Window> m_window;
    bool m_running { false };
    std::optional<int> m_answer;
};

}
