#include "shell/UnusableSettingsNotice.h"

#include "platform/base/MainQueue.h"

namespace ostrel {

std::optional<base::AlertRequest> unusableSettingsAlert(const base::Defaults& settings)
{
    const auto& problem = settings.loadProblem();
    if (!problem)
        return std::nullopt;
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Warning;
    alert.message = "Ostrel could not read its settings";
    std::string what = problem->unreadable ? "The settings file could not be read" : "The settings file is damaged";
    if (problem->keptAs)
        alert.informativeText = what + ". It was kept as \u201c" + problem->keptAs->filename().string() + "\u201d in "
            + problem->keptAs->parent_path().string() + ", and Ostrel started with the default settings.";
    else
        alert.informativeText = what + " and could not be moved aside. Ostrel started with the default settings.";
    return alert;
}

void tellOfUnusableSettingsWhenShown(const base::Defaults& settings)
{
    auto alert = unusableSettingsAlert(settings);
    if (!alert)
        return;
    // After the launch's own work, with the window on the screen behind it.
    base::MainQueue::async([alert = *alert] { base::AlertPresenter::present(alert); });
}

}
