#pragma once

#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"
#include "platform/desktop/Opener.h"
#include "tests/support/TemporaryHome.h"

#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace ostrel::test {

// A home and a settings file of the case's own, with every alert, opened link and
// diagnostic line recorded. Alerts are answered from `answers` in turn, then with the
// default button.
class ShellTest : public testing::Test {
protected:
    ShellTest()
    {
        base::Defaults::setStandard(settings);
        m_previousPresenter = base::AlertPresenter::install([this](const base::AlertRequest& alert) {
            alerts.push_back(alert);
            if (answers.empty())
                return base::AlertAnswer {};
            auto answer = answers.front();
            answers.pop_front();
            return answer;
        });
        m_previousLauncher = desktop::Opener::setLauncher([this](const std::vector<std::string>& argv) {
            opened.push_back(argv.back());
            return true;
        });
        m_previousSink = base::setDiagnosticSink([this](std::string_view line) { logged.emplace_back(line); });
    }
    ~ShellTest() override
    {
        // A case that quits leaves the main loop asked to stop: the next case in the same
        // process starts without it (a file panel would end at once, unanswered).
        base::RunLoop::main().discardAll();
        base::setDiagnosticSink(m_previousSink);
        desktop::Opener::setLauncher(m_previousLauncher);
        base::AlertPresenter::install(m_previousPresenter);
        base::Defaults::setStandard(nullptr);
    }

    std::filesystem::path settingsFile() const { return home.configHome() / "Ostrel" / "defaults.json"; }
    // A settings store read afresh from the file, as the next launch reads it.
    void relaunchSettings()
    {
        settings->synchronize();
        settings = base::Defaults::create(settingsFile());
        base::Defaults::setStandard(settings);
    }
    bool loggedLineContaining(std::string_view part) const
    {
        for (const auto& line : logged)
            if (line.find(part) != std::string::npos)
                return true;
        return false;
    }

    TemporaryHome home;
    std::shared_ptr<base::Defaults> settings = base::Defaults::create(settingsFile());
    std::vector<base::AlertRequest> alerts;
    std::deque<base::AlertAnswer> answers;
    std::vector<std::string> opened;
    std::vector<std::string> logged;

private:
    base::AlertPresenter::Handler m_previousPresenter;
    desktop::Opener::Launcher m_previousLauncher;
    base::DiagnosticSink m_previousSink;
};

}
