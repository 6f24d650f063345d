#include "platform/base/AlertPresenter.h"

#include "platform/base/Diagnostics.h"

#include <utility>

namespace base {

namespace {
AlertPresenter::Handler& installed()
{
    static AlertPresenter::Handler handler;
    return handler;
}

std::uint64_t s_presented = 0;

}

std::vector<std::string> AlertRequest::buttonTitles() const
{
    if (buttons.empty())
        return { "OK" };
    return buttons;
}

int AlertRequest::escapeButtonIndex() const
{
    auto titles = buttonTitles();
    if (escapeButton >= 0 && escapeButton < int(titles.size()))
        return escapeButton;
    for (int i = 0; i < int(titles.size()); ++i)
        if (titles[i] == "Cancel")
            return i;
    return -1;
}

AlertAnswer AlertPresenter::answerForNobody(const AlertRequest& alert, std::string_view why)
{
    AlertAnswer answer;
    if (alert.destructive && alert.escapeButtonIndex() >= 0)
        answer.button = alert.escapeButtonIndex();
    auto titles = alert.buttonTitles();
    std::string line = "alert: " + alert.message;
    if (!alert.informativeText.empty())
        line += " | " + alert.informativeText;
    line += " | answered \"" + titles[std::size_t(answer.button)] + "\"";
    if (!why.empty())
        line += " (" + std::string(why) + ")";
    diagnostic(line);
    return answer;
}

AlertAnswer AlertPresenter::present(const AlertRequest& alert)
{
    ++s_presented;
    Handler handler = installed();
    if (!handler)
        return answerForNobody(alert);
    AlertAnswer answer = handler(alert);
    int buttons = int(alert.buttonTitles().size());
    // Callers index their own button list with the answer; one out of range would make them
    // act on a button that was never shown.
    if (answer.button < 0 || answer.button >= buttons) {
        diagnostic("alert: answer " + std::to_string(answer.button) + " names no button; taking the default");
        answer.button = 0;
    }
    if (!alert.suppressionTitle)
        answer.suppressed = false;
    return answer;
}

AlertPresenter::Handler AlertPresenter::install(Handler handler)
{
    return std::exchange(installed(), std::move(handler));
}

std::uint64_t AlertPresenter::presentedCount() { return s_presented; }

}
