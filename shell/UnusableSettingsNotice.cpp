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

namespace ostrel {

base::AlertRequest settingsProblemAlert(const base::Defaults::RunningProblem& problem, const std::filesystem::path& file)
{
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Warning;
    using Kind = base::Defaults::RunningProblem::Kind;
    if (problem.kind == Kind::cannotSave) {
        alert.message = "Ostrel cannot save its settings";
        alert.informativeText = "The settings folder " + file.parent_path().string() + " cannot be written ("
            + problem.reason + "). Ostrel keeps your settings while it runs, but changes made now are lost when it quits.";
        return alert;
    }
    alert.message = "Ostrel could not read its settings";
    if (problem.keptAs)
        alert.informativeText = "Another program left the settings file damaged. It was kept as \u201c"
            + problem.keptAs->filename().string() + "\u201d in " + problem.keptAs->parent_path().string()
            + ", and Ostrel wrote back the settings it was using.";
    else
        alert.informativeText = "Another program left the settings file damaged, and it could not be moved aside. "
                                "Ostrel keeps the settings it was using while it runs.";
    return alert;
}

void tellOfSettingsProblemsWhileRunning(base::Defaults& settings)
{
    std::filesystem::path file = settings.file();
    settings.setProblemHandler([file](const base::Defaults::RunningProblem& problem) {
        // Told from the loop: the store is in the middle of a read or write here.
        base::MainQueue::async([alert = settingsProblemAlert(problem, file)] { base::AlertPresenter::present(alert); });
    });
}

}
