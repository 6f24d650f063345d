#pragma once

#include "core/ZrLog.h"
#include "log/BackingStoreManager.h"
#include "log/LogFileManager.h"
#include "log/Logger.h"
#include "log/TagManager.h"
#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"
#include "platform/base/RunLoop.h"
#include "platform/base/VirtualTime.h"
#include "platform/desktop/Opener.h"
#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"
#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/time.h>
#include <string>
#include <vector>

namespace ostrel::test {

// Every log test: a fresh home and settings, a virtual clock, alerts and file-manager
// requests recorded instead of shown, no network interface (identifier "default"), and
// empty shared caches.
class LogTest : public testing::Test {
protected:
    void SetUp() override
    {
        base::Defaults::setStandard(base::Defaults::create({}));
        m_previousAlerts = base::AlertPresenter::install([this](const base::AlertRequest& alert) {
            alerts.push_back(alert);
            return base::AlertAnswer {};
        });
        m_previousLauncher = desktop::Opener::setLauncher([this](const std::vector<std::string>& argv) {
            opened.push_back(argv.back());
            return true;
        });
        m_previousSink = base::setDiagnosticSink([this](std::string_view line) { diagnostics.emplace_back(line); });
        BackingStoreManager::sharedManager().setNetworkInterfacesFolder(home.path() / "no-network");
        LogFileManager::sharedInstance().reset();
        TagManager::sharedInstance().removeAllTags();
        setZrLogOn(true);
        auto& logger = Logger::sharedLogger();
        logger.setExtensionReset([] { });
        logger.resetActualSecondsWorked();
        logger.setCurrentWorkSource([] { return Logger::CurrentWork {}; });
        logger.updateLogFileDescriptors();
    }

    void TearDown() override
    {
        base::AlertPresenter::install(m_previousAlerts);
        desktop::Opener::setLauncher(m_previousLauncher);
        base::setDiagnosticSink(m_previousSink);
        setZrLogOn(false);
        base::RunLoop::main().discardAll();
    }

    std::filesystem::path logFolder() const { return home.dataHome() / "Ostrel" / "System Logs"; }

    // Sets a file's modification time relative to the virtual now.
    void touch(const std::filesystem::path& path, double secondsAgo)
    {
        double unix = base::Time::toUnix(clock.now() - secondsAgo);
        struct timeval times[2];
        times[0].tv_sec = times[1].tv_sec = time_t(unix);
        times[0].tv_usec = times[1].tv_usec = 0;
        ASSERT_EQ(::utimes(path.c_str(), times), 0);
    }

    bool sawDiagnostic(std::string_view part) const
    {
        for (const auto& line : diagnostics) {
            if (line.find(part) != std::string::npos)
                return true;
        }
        return false;
    }

    TemporaryHome home;
    base::VirtualTime clock;
    std::vector<base::AlertRequest> alerts;
    std::vector<std::string> opened;
    std::vector<std::string> diagnostics;

private:
    base::AlertPresenter::Handler m_previousAlerts;
    desktop::Opener::Launcher m_previousLauncher;
    base::DiagnosticSink m_previousSink;
};

// A rich-text package holding plain text, as another computer or an older version wrote it.
inline void writePackage(const std::filesystem::path& path, const std::string& plain)
{
    ASSERT_TRUE(text::Rtfd::writeFile(path, text::AttributedString::fromUtf8(plain)));
}

inline void writeText(const std::filesystem::path& path, const std::string& bytes)
{
    ASSERT_TRUE(base::files::writeAtomically(path, bytes));
}

// One entry in the file layout, with the fields given in order after its identifier.
inline std::string entryLines(const std::string& uuid, const std::vector<std::string>& lines, const char* newline = "\n")
{
    std::string entry = "#TimeSlice" + std::string(newline) + uuid + newline;
    for (const auto& line : lines)
        entry += line + newline;
    return entry;
}

// Seconds since the reference date for a local date and time.
double localDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

}
