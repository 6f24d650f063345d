#include "log/RawTimeSlice.h"
#include "log/StringToDateTransformer.h"
#include "log/StringToTokenArrayTransformer.h"
#include "log/TagManager.h"
#include "platform/base/MainQueue.h"
#include "platform/base/RunLoop.h"
#include "tests/log/LogTestSupport.h"

#include <thread>

namespace ostrel::test {
namespace {

class TagsTest : public LogTest {
protected:
    TagManager& tags() { return TagManager::sharedInstance(); }
};

TEST_F(TagsTest, PiecesAreAddedOnceUntrimmedAndSortedIgnoringCase)
{
    tags().addTagsFromString("writing,,Email");
    tags().addTagsFromString("email, writing,writing,apple");
    EXPECT_EQ(tags().allTags(), (std::vector<std::string> { " writing", "apple", "Email", "email", "writing" }));
}

TEST_F(TagsTest, CompletionIgnoresLetterCase)
{
    tags().addTagsFromString("Ostrel,ostrich,OSTRACA,owl");
    EXPECT_EQ(tags().completionListStartingWith("ost"), (std::vector<std::string> { "OSTRACA", "Ostrel", "ostrich" }));
    EXPECT_EQ(tags().completionsForSubstring("OW"), std::vector<std::string> { "owl" });
    EXPECT_TRUE(tags().completionListStartingWith("z").empty());
}

TEST_F(TagsTest, ReadersOnAnotherThreadAddSafely)
{
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([t] {
            for (int i = 0; i < 200; ++i)
                TagManager::sharedInstance().addTagsFromString("shared,tag" + std::to_string((i + t) % 50));
        });
    }
    for (auto& reader : readers)
        reader.join();
    EXPECT_EQ(tags().allTags().size(), 51u);
}

TEST_F(TagsTest, SourceFieldsHearNewTagsOnTheMainThread)
{
    struct Field : TagManager::TokenField {
        std::vector<std::vector<std::string>> lists;
        void updateWithTagList(const std::vector<std::string>& list) override { lists.push_back(list); }
    };
    auto field = std::make_shared<Field>();
    tags().registerTokenField(field);
    tags().addTagsFromString("b,a");
    tags().addTagsFromString("a");
    EXPECT_TRUE(field->lists.empty());
    while (base::RunLoop::main().runOnce()) { }
    ASSERT_EQ(field->lists.size(), 1u);
    EXPECT_EQ(field->lists[0], (std::vector<std::string> { "a", "b" }));
}

TEST_F(TagsTest, TokenTransformerBothWays)
{
    StringToTokenArrayTransformer transformer;
    EXPECT_EQ(transformer.name(), "StringToTokenArrayTransformer");
    EXPECT_TRUE(transformer.transformedValue(std::string()).isNull());
    EXPECT_TRUE(transformer.transformedValue(base::Value()).isNull());
    EXPECT_EQ(transformer.transformedValue(std::string("a, b,")), (base::Value(base::Value::Array { "a", " b", "" })));
    EXPECT_EQ(transformer.reverseTransformedValue(base::Value::Array {}), base::Value(std::string()));
    EXPECT_EQ(transformer.reverseTransformedValue(base::Value()), base::Value(std::string()));
    EXPECT_EQ(transformer.reverseTransformedValue(base::Value::Array { "a", "b c" }), base::Value(std::string("a,b c")));
}

TEST_F(TagsTest, DateTransformerBothWays)
{
    StringToDateTransformer transformer;
    auto date = transformer.transformedValue(std::string("2026-02-28"));
    ASSERT_TRUE(date.asDate());
    EXPECT_EQ(date.asDate()->seconds, localDate(2026, 2, 28));
    EXPECT_EQ(transformer.reverseTransformedValue(date), base::Value(std::string("2026-02-28")));
    EXPECT_TRUE(transformer.transformedValue(base::Value()).isNull());
    EXPECT_TRUE(transformer.transformedValue(std::string("yesterday")).isNull());
    EXPECT_TRUE(transformer.reverseTransformedValue(base::Value()).isNull());
}

TEST_F(TagsTest, RecordFiltersByTagsAndDates)
{
    RawTimeSlice record;
    record.setTagString("work, email,Deep");
    EXPECT_TRUE(record.matchesTagFilter({}));
    EXPECT_TRUE(record.matchesTagFilter({ "work", "Deep" }));
    EXPECT_TRUE(record.matchesTagFilter({ " email" }));
    EXPECT_FALSE(record.matchesTagFilter({ "email" }));
    EXPECT_FALSE(record.matchesTagFilter({ "deep" }));
    record.setTagString("");
    EXPECT_FALSE(record.matchesTagFilter({ "work" }));

    record.setStartDate(localDate(2026, 1, 2, 10));
    EXPECT_EQ(record.dayString(), "2026-01-02");
    EXPECT_TRUE(record.beginsAfter(record.startDate()));
    EXPECT_FALSE(record.beginsBefore(record.startDate()));
    EXPECT_TRUE(record.beginsBefore(record.startDate() + 1));
    EXPECT_FALSE(record.beginsAfter(record.startDate() + 1));
    EXPECT_TRUE(record.beginsAfter(std::nullopt));
    EXPECT_TRUE(record.beginsBefore(std::nullopt));
}

}
}
