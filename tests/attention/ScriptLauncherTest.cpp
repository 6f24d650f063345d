#include "tests/attention/AttentionTestSupport.h"

#include "attention/ScriptLauncher.h"

#include "platform/base/Paths.h"
#include "platform/desktop/UserScript.h"

#include <fstream>
#include <gmock/gmock.h>
#include <sstream>
#include <sys/stat.h>

namespace ostrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ScriptLauncherTest : public AttentionTest {
protected:
    ScriptLauncher& launcher() { return ScriptLauncher::sharedScriptLauncher(); }
    std::filesystem::path scriptPath() { return *ScriptLauncher::directoryURL() / ScriptLauncher::kScriptName; }
};

TEST_F(ScriptLauncherTest, TheScriptLivesInTheScriptsFolderOfTheApplicationData)
{
    EXPECT_EQ(ScriptLauncher::directoryURL(), base::paths::applicationSupport() / "Scripts");
    EXPECT_EQ(scriptPath().filename(), "NotificationHandler.scpt");
}

TEST_F(ScriptLauncherTest, OneAndTwoArgumentCallsAndAMissingText)
{
    launcher().executeEventHandlerWithoutResult("time_slice_start", std::string("Starting Time Slice"));
    launcher().executeEventHandlerWithoutResult("time_slice_in_progress", std::string("5 minutes left"), 300);
    launcher().executeEventHandlerWithoutResult("timed_break_end", std::nullopt);
    EXPECT_THAT(take(), ElementsAre("script time_slice_start|Starting Time Slice",
                            "script time_slice_in_progress|5 minutes left|300", "script timed_break_end|"));
}

TEST_F(ScriptLauncherTest, WithoutAScriptNothingIsStarted)
{
    std::filesystem::remove(scriptPath());
    launcher().executeEventHandlerWithoutResult("time_slice_start", std::string("Starting Time Slice"));
    EXPECT_THAT(take(), IsEmpty());
}

TEST_F(ScriptLauncherTest, TheUsersScriptRunsWithTheHandlerAndItsArgumentsAsArgv)
{
    ScriptLauncher::setRunner(nullptr);
    auto out = m_home.path() / "calls.txt";
    std::ofstream(scriptPath()) << "#!/bin/sh\nprintf '%s;' \"$@\" >> '" << out.string() << "'\necho >> '" << out.string()
                                << "'\n";
    chmod(scriptPath().c_str(), 0755);
    launcher().executeEventHandlerWithoutResult("time_slice_in_progress", std::string("Fix \"$(rm -rf ~)\" & more"), 90);
    desktop::UserScript::waitForAll();
    std::stringstream calls;
    calls << std::ifstream(out).rdbuf();
    EXPECT_EQ(calls.str(), "time_slice_in_progress;Fix \"$(rm -rf ~)\" & more;90;\n");
}

}
}
