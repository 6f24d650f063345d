#include "platform/base/Json.h"
#include "platform/base/PropertyList.h"

#include <gtest/gtest.h>

using base::Value;

namespace {
Value sampleDocument()
{
    return Value(Value::Dictionary {
        { "durationInSeconds", 1500 },
        { "ratio", 0.25 },
        { "shouldUseSoftBreak", true },
        { "objective", "Write the “report” <now> & then ☕" },
        { "blob", Value::Data { 0, 1, 2, 250, 255 } },
        { "when", Value::Date { 123456789.0 } },
        { "names", Value::Array { "a", 2, false, Value::Array {} } },
        { "empty", Value::Dictionary {} },
    });
}
}

TEST(Values, JsonAndPropertyListRoundTrip)
{
    Value document = sampleDocument();
    EXPECT_EQ(base::parseJson(base::toJson(document)), document);
    EXPECT_EQ(base::parseJson(base::toJson(document, true)), document);
    EXPECT_EQ(base::parsePropertyList(base::toPropertyListXml(document)), document);
}

TEST(Values, LenientReadsConvertLikeSettings)
{
    EXPECT_EQ(Value("25").toInteger(), 25);
    EXPECT_EQ(Value("2.5").toDouble(), 2.5);
    EXPECT_EQ(Value("YES").toBoolean(), true);
    EXPECT_EQ(Value("0").toBoolean(), false);
    EXPECT_EQ(Value(7.9).toInteger(), 7);
    EXPECT_EQ(Value(1e300).toInteger(), INT64_MAX);
    EXPECT_FALSE(Value("twelve").toInteger());
    EXPECT_FALSE(Value(Value::Array {}).toDouble());
}

TEST(Values, DamagedDocumentsReadAsNone)
{
    std::string error;
    EXPECT_FALSE(base::parseJson("{\"a\": ", &error));
    EXPECT_FALSE(error.empty());
    // Whole up to a NUL byte, with more after it: read up to the NUL, the rest would be lost.
    EXPECT_FALSE(base::parseJson(std::string("{\"a\": 1}\0{\"b\": 2}", 17)));
    EXPECT_FALSE(base::parsePropertyList("<plist><dict><string>orphan</string></dict></plist>"));
    EXPECT_FALSE(base::parsePropertyList("<plist><integer>x</integer></plist>"));
    EXPECT_FALSE(base::parsePropertyList("not xml at all"));
    std::string deep(10000, '[');
    EXPECT_FALSE(base::parseJson(deep));
    std::string deepPlist;
    for (int i = 0; i < 1000; ++i)
        deepPlist += "<array>";
    EXPECT_FALSE(base::parsePropertyList("<plist>" + deepPlist + "</plist>"));
}

TEST(Values, ReadsHandWrittenPropertyList)
{
    auto value = base::parsePropertyList(R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<dict>
    <key>SoundLibraryLoader</key>
    <string>DefaultLoader</string>
    <key>Entries</key>
    <array>
        <dict><key>PrivateName</key><string>bell</string><key>Volume</key><real>0.5</real></dict>
    </array>
</dict>
</plist>)");
    ASSERT_TRUE(value);
    EXPECT_EQ(*value->find("SoundLibraryLoader"), Value("DefaultLoader"));
    const auto& entry = value->find("Entries")->asArray()->at(0);
    EXPECT_EQ(*entry.find("Volume"), Value(0.5));
}
