#include "platform/base/AlertPresenter.h"

#include "platform/base/Diagnostics.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using base::AlertAnswer;
using base::AlertPresenter;
using base::AlertRequest;

namespace {
AlertRequest quitQuestion()
{
    AlertRequest alert;
    alert.message = "Are you sure you want to quit Ostrel?";
    alert.informativeText = "Your timeslice will not be logged.";
    alert.buttons = { "OK", "Cancel" };
    return alert;
}
}

TEST(AlertPresenter, WithoutAPresenterTheAlertIsLoggedAndTheDefaultTaken)
{
    std::vector<std::string> lines;
    auto previous = base::setDiagnosticSink([&](std::string_view line) { lines.emplace_back(line); });
    AlertAnswer answer = AlertPresenter::present(quitQuestion());
    base::setDiagnosticSink(previous);
    EXPECT_EQ(answer, (AlertAnswer { 0, false }));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "alert: Are you sure you want to quit Ostrel? | Your timeslice will not be logged. | "
                        "answered \"OK\"");
}

TEST(AlertPresenter, NobodyThereNeverAgreesToADestructiveQuestion)
{
    std::vector<std::string> lines;
    auto previous = base::setDiagnosticSink([&](std::string_view line) { lines.emplace_back(line); });
    AlertRequest deletion;
    deletion.message = "Are you certain that you want to permanently delete this sheet?";
    deletion.buttons = { "OK", "Cancel" };
    deletion.destructive = true;
    EXPECT_EQ(AlertPresenter::present(deletion).button, 1);
    // Without a way to decline, the question is answered as asked: there is nothing else.
    deletion.buttons = { "Delete" };
    EXPECT_EQ(AlertPresenter::present(deletion).button, 0);
    base::setDiagnosticSink(previous);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("answered \"Cancel\""), std::string::npos) << lines[0];
}

TEST(AlertPresenter, InstalledResponderAnswersAndIsChecked)
{
    std::vector<AlertRequest> shown;
    auto previous = AlertPresenter::install([&](const AlertRequest& alert) {
        shown.push_back(alert);
        return AlertAnswer { alert.escapeButtonIndex(), true };
    });
    AlertAnswer cancel = AlertPresenter::present(quitQuestion());
    EXPECT_EQ(cancel.button, 1) << "Escape picks the button titled Cancel";
    EXPECT_FALSE(cancel.suppressed) << "no check box was shown";

    AlertRequest prompt;
    prompt.style = AlertRequest::Style::Informational;
    prompt.buttons = { "Join", "Not Now" };
    prompt.escapeButton = 1;
    prompt.suppressionTitle = AlertRequest::kStandardSuppressionTitle;
    EXPECT_EQ(AlertPresenter::present(prompt), (AlertAnswer { 1, true }));

    // A presenter answering a button that was never shown gets the default instead.
    AlertPresenter::install([](const AlertRequest&) { return AlertAnswer { 5, false }; });
    auto silence = base::setDiagnosticSink([](std::string_view) { });
    EXPECT_EQ(AlertPresenter::present(quitQuestion()).button, 0);
    base::setDiagnosticSink(silence);

    AlertPresenter::install(previous);
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].buttonTitles(), (std::vector<std::string> { "OK", "Cancel" }));
}

TEST(AlertPresenter, AlertWithoutButtonsShowsOneOK)
{
    AlertRequest alert;
    alert.message = "Could not write to log file folder!";
    EXPECT_EQ(alert.buttonTitles(), (std::vector<std::string> { "OK" }));
    EXPECT_EQ(alert.escapeButtonIndex(), -1);
}
