#include "shell/OmniFocusHelper.h"

#include "tests/shell/ShellFixture.h"

namespace ostrel {
namespace {

using OmniFocusHelperTest = test::ShellTest;

std::string task(const std::string& minutes, const std::string& contexts = {})
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<omnifocus>\n  <task id=\"kX2\">\n    <name>Write the report</name>\n"
           "    <estimated-minutes>"
        + minutes + "</estimated-minutes>\n  </task>\n" + contexts + "</omnifocus>\n";
}

TEST_F(OmniFocusHelperTest, OmniFocusTaskReading)
{
    auto read = OmniFocusHelper::parseTaskInfo(task("25",
        "  <context id=\"c1\"><name>Deep Work</name></context>\n  <context><name>Office</name></context>\n"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->taskID(), "kX2");
    EXPECT_EQ(read->estimatedMinutesAsInt(), 25);
    // White space goes wherever it stands, so a two-word context becomes one tag; the task's
    // own name lies outside the context path.
    EXPECT_EQ(read->contextNames(), (std::vector<std::string> { "DeepWork", "Office" }));
    EXPECT_TRUE(read->elementStack().empty());
    EXPECT_EQ(read->elementPath(), "");

    EXPECT_EQ(OmniFocusHelper::parseTaskInfo(task("\n   25 \t\r\n"))->estimatedMinutesAsInt(), 25);
    EXPECT_EQ(OmniFocusHelper::parseTaskInfo(task("+7"))->estimatedMinutesAsInt(), 7);
    for (std::string unusable : { "25.5", "twenty", "", "+-5", "-", "99999999999999999999" }) {
        auto unset = OmniFocusHelper::parseTaskInfo(task(unusable));
        EXPECT_FALSE(unset->estimatedMinutes()) << unusable;
        EXPECT_EQ(unset->estimatedMinutesAsInt(), 0) << unusable;
    }

    // A name split by an entity reference arrives in pieces and is joined before it is stored.
    auto split = OmniFocusHelper::parseTaskInfo("<omnifocus><context><name>R&amp;D\nlab</name></context></omnifocus>");
    EXPECT_EQ(split->contextNames(), (std::vector<std::string> { "R&Dlab" }));
    EXPECT_FALSE(split->taskID());

    auto two = OmniFocusHelper::parseTaskInfo("<omnifocus><task id=\"a\"/><task id=\"b\"/><task/></omnifocus>");
    EXPECT_FALSE(two->taskID());
    two = OmniFocusHelper::parseTaskInfo("<omnifocus><task id=\"a\"/><task id=\"b\"/></omnifocus>");
    EXPECT_EQ(two->taskID(), "b");

    // Malformed XML keeps what was read before the error.
    auto broken = OmniFocusHelper::parseTaskInfo(
        "<omnifocus><context><name>Home</name></context><context><name>Sh<op</name></context></omnifocus>");
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->contextNames(), (std::vector<std::string> { "Home" }));
    EXPECT_TRUE(loggedLineContaining("an OmniFocus task ends early at line 1"));

    // CDATA is no part of the format and is not read.
    EXPECT_EQ(OmniFocusHelper::parseTaskInfo(
                  "<omnifocus><context><name><![CDATA[Secret]]>Home</name></context></omnifocus>")
                  ->contextNames(),
        (std::vector<std::string> { "Home" }));
}

TEST_F(OmniFocusHelperTest, DocumentTypesEntitiesAndOversizedDropsAreNotRead)
{
    std::string bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE omnifocus [\n <!ENTITY a \"aaaaaaaaaa\">\n";
    for (char level = 'b'; level <= 'k'; ++level)
        bomb += std::string(" <!ENTITY ") + level + " \"" + [&] {
            std::string ten;
            for (int i = 0; i < 10; ++i)
                ten += std::string("&") + char(level - 1) + ";";
            return ten;
        }() + "\">\n";
    bomb += "]>\n<omnifocus><context><name>&k;</name></context></omnifocus>\n";
    auto read = OmniFocusHelper::parseTaskInfo(bomb);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->contextNames().empty());
    EXPECT_TRUE(loggedLineContaining("a document type is not read in a task"));

    // An entity nobody declared is an error, never a lookup.
    auto undeclared = OmniFocusHelper::parseTaskInfo("<omnifocus><context><name>&ext;</name></context></omnifocus>");
    EXPECT_TRUE(undeclared->contextNames().empty());

    std::string large = task("25", "<context><name>" + std::string(2 * 1024 * 1024, 'x') + "</name></context>");
    EXPECT_FALSE(OmniFocusHelper::parseTaskInfo(large));
    EXPECT_TRUE(loggedLineContaining("is more than a task; not read"));
    std::string atTheLimit = task("25");
    atTheLimit.insert(atTheLimit.size() - 13, OmniFocusHelper::kMaximumXmlBytes - atTheLimit.size(), ' ');
    ASSERT_EQ(atTheLimit.size(), OmniFocusHelper::kMaximumXmlBytes);
    EXPECT_EQ(OmniFocusHelper::parseTaskInfo(atTheLimit)->estimatedMinutesAsInt(), 25);

    EXPECT_FALSE(OmniFocusHelper::parseTaskInfo(task("25", "<context><name>\xC3(</name></context>")));
}

}
}
