#include "log/Logger.h"
#include "log/TaskLinks.h"
#include "log/TaskManagerBridge.h"
#include "tests/log/LogTestSupport.h"

namespace ostrel::test {
namespace {

// Records what the logger asked of the task managers.
class RecordingTaskManagers : public TaskManagerBridge {
public:
    bool installed { true };
    std::vector<std::string> calls;

    bool isInstalled(App app) override
    {
        calls.push_back("installed? " + name(app));
        return installed;
    }
    bool activate(App app) override
    {
        calls.push_back("activate " + name(app));
        return installed;
    }
    bool markThingsToDo(const std::string& id, bool complete, bool moveToLogBook) override
    {
        calls.push_back("things " + id + (complete ? " complete" : "") + (moveToLogBook ? " logbook" : ""));
        return true;
    }
    bool markHitListTask(const std::string& id) override
    {
        calls.push_back("hitlist " + id);
        return true;
    }
    std::optional<std::string> runScript(const std::string& script) override
    {
        calls.push_back("script " + script);
        return std::nullopt;
    }

private:
    static std::string name(App app)
    {
        return app == App::Things ? "Things" : app == App::OmniFocus ? "OmniFocus" : "The Hit List";
    }
};

class TaskLinksTest : public LogTest {
protected:
    void SetUp() override
    {
        LogTest::SetUp();
        TaskManagerBridge::install(bridge);
        for (auto key : { "thingsIntegrationToDoCompletion", "omnifocusIntegration", "theHitListIntegration" })
            base::Defaults::standard()->set(key, true);
    }
    void TearDown() override
    {
        TaskManagerBridge::install(nullptr);
        LogTest::TearDown();
    }

    static text::AttributedString objectiveWithLinks(const std::vector<std::string>& links)
    {
        text::AttributedString objective = text::AttributedString::fromUtf8("tasks:");
        for (const auto& url : links) {
            text::Attributes link;
            link.link = url;
            objective.append(u" ", {});
            objective.append(u"task", link);
        }
        return objective;
    }

    void logSlice(const text::AttributedString& objective, bool completed)
    {
        Logger::sharedLogger().setCurrentWorkSource([=] {
            Logger::CurrentWork work;
            work.objective = objective;
            work.completed = completed;
            return work;
        });
        Logger::sharedLogger().prepareTimeSliceSystemLogEntryTextWithUUID("U-1");
    }

    std::shared_ptr<RecordingTaskManagers> bridge { std::make_shared<RecordingTaskManagers>() };
};

TEST_F(TaskLinksTest, LinksAreFoundByPrefixAtTheStart)
{
    auto objective = objectiveWithLinks({ "ostrel2things://A1", "https://example.org/ostrel2things://B2",
        "omnifocus:///task/kX9", "ostrel2things://C3" });
    EXPECT_EQ(TaskLinks::identifiersWithPrefix(objective, TaskLinks::kThingsPrefix),
        (std::vector<std::string> { "A1", "C3" }));
    EXPECT_EQ(TaskLinks::identifiersWithPrefix(objective, TaskLinks::kOmniFocusPrefix), std::vector<std::string> { "kX9" });
    EXPECT_TRUE(TaskLinks::identifiersWithPrefix(objective, TaskLinks::kTheHitListPrefix).empty());
}

TEST_F(TaskLinksTest, ALinkInSeveralStylesIsOneLink)
{
    text::Attributes plain, bold;
    plain.link = bold.link = "ostrel2things://A1";
    bold.font = gfx::Font::named("Helvetica-Bold", 12);
    text::AttributedString objective;
    objective.append(u"write ", plain);
    objective.append(u"the", bold);
    objective.append(u" report", plain);
    objective.append(u" then", text::Attributes {});
    objective.append(u" again", plain);
    EXPECT_EQ(TaskLinks::identifiersWithPrefix(objective, TaskLinks::kThingsPrefix),
        (std::vector<std::string> { "A1", "A1" }));
}

TEST_F(TaskLinksTest, OnlyPlainIdentifiersMayEnterAScript)
{
    EXPECT_TRUE(TaskLinks::isSafeIdentifier("kX9-1.a_b"));
    for (auto bad : { "", "a\"", "a b", "x\"\nend tell\ndo shell script \"rm -rf ~", "ü", "a;b", "a/b" })
        EXPECT_FALSE(TaskLinks::isSafeIdentifier(bad)) << bad;
    EXPECT_EQ(TaskLinks::omniFocusScript("kX9"),
        "tell application \"OmniFocus\"\ntell default document\nset t_ask to task id \"kX9\"\nmark complete t_ask\n"
        "end tell\nend tell\n");
}

TEST_F(TaskLinksTest, CompletedSliceMarksEachManagerInOrder)
{
    logSlice(objectiveWithLinks({ "ostrel2things://T1", "omnifocus:///task/O1", "thehitlist:///H1", "ostrel2things://T2" }),
        true);
    EXPECT_EQ(bridge->calls,
        (std::vector<std::string> { "script " + TaskLinks::omniFocusScript("O1"), "installed? The Hit List",
            "activate The Hit List", "hitlist H1", "installed? Things", "activate Things", "things T1 complete",
            "things T2 complete" }));
}

TEST_F(TaskLinksTest, NothingIsMarkedForAnUncompletedSlice)
{
    logSlice(objectiveWithLinks({ "ostrel2things://T1", "omnifocus:///task/O1" }), false);
    EXPECT_TRUE(bridge->calls.empty());
}

TEST_F(TaskLinksTest, SettingsOffOrWebLinksLaunchNothing)
{
    base::Defaults::standard()->set("thingsIntegrationToDoCompletion", false);
    base::Defaults::standard()->set("omnifocusIntegration", false);
    logSlice(objectiveWithLinks({ "ostrel2things://T1", "omnifocus:///task/O1", "https://example.org" }), true);
    EXPECT_TRUE(bridge->calls.empty());
}

TEST_F(TaskLinksTest, PastedScriptTextIsRefused)
{
    logSlice(objectiveWithLinks({ "omnifocus:///task/x\" & (do shell script \"touch /tmp/owned\") & \"",
                 "ostrel2things://T1;rm" }),
        true);
    for (const auto& call : bridge->calls)
        EXPECT_EQ(call.find("shell"), std::string::npos) << call;
    EXPECT_EQ(std::count_if(bridge->calls.begin(), bridge->calls.end(), [](auto& c) { return c.starts_with("things "); }), 0);
    EXPECT_TRUE(sawDiagnostic("refusing OmniFocus task identifier"));
}

TEST_F(TaskLinksTest, OnLinuxTheManagersAreNotInstalled)
{
    TaskManagerBridge::install(nullptr);
    logSlice(objectiveWithLinks({ "ostrel2things://T1", "omnifocus:///task/O1", "thehitlist:///H1" }), true);
    EXPECT_TRUE(sawDiagnostic("Things 3 not found!"));
    EXPECT_TRUE(sawDiagnostic("result = OmniFocus is not installed"));
    EXPECT_TRUE(sawDiagnostic("The Hit List is not running"));
}

}
}
