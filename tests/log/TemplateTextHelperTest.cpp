#include "log/TemplateTextHelper.h"
#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

text::Attributes bold()
{
    text::Attributes attributes;
    attributes.font = gfx::Font::named("Helvetica-Bold", 14);
    return attributes;
}

TemplateTextHelper helperFor(const std::string& plain)
{
    TemplateTextHelper helper;
    helper.setText(text::AttributedString::fromUtf8(plain));
    return helper;
}

TEST(TemplateTextHelper, FillsKnownTagsAndIgnoresOthers)
{
    auto helper = helperFor("id: ‹uuid›\nfocus: ‹focusRating›\n");
    helper.substitute("A-1", "uuid");
    helper.substitute("nothing", "missing");
    helper.substitute("", "focusRating");
    EXPECT_EQ(helper.text().utf8(), "id: A-1\nfocus: \n");
}

TEST(TemplateTextHelper, RepeatedTagIsFilledOnlyAtItsFirstPlace)
{
    auto helper = helperFor("‹tags› and ‹tags›");
    helper.substitute("a,b", "tags");
    EXPECT_EQ(helper.text().utf8(), "a,b and ‹tags›");
}

TEST(TemplateTextHelper, ValueHoldingALaterTagIsNotFilledInTurn)
{
    auto helper = helperFor("#objective\n‹objective›\n#completed\n‹completed›\n#tags\n‹tags›\n");
    helper.substitute(text::AttributedString::fromUtf8("read ‹completed› and ‹tags›"), "objective");
    helper.substitute("YES", "completed");
    helper.substitute("work", "tags");
    EXPECT_EQ(helper.text().utf8(), "#objective\nread ‹completed› and ‹tags›\n#completed\nYES\n#tags\nwork\n");
}

TEST(TemplateTextHelper, PlainValuesTakeTheTagsFormattingRichValuesKeepTheirOwn)
{
    TemplateTextHelper helper;
    text::AttributedString source = text::AttributedString::fromUtf8("‹a›|‹b›");
    source.setAttributes({ 0, 3 }, bold());
    helper.setText(source);
    text::AttributedString rich = text::AttributedString::fromUtf8("link");
    rich.updateAttributes({ 0, 4 }, [](text::Attributes& attributes) { attributes.link = "https://example.org"; });
    helper.substitute("plain", "a");
    helper.substitute(rich, "b");
    EXPECT_EQ(helper.text().utf8(), "plain|link");
    EXPECT_EQ(helper.text().attributesAt(0).font, bold().font);
    EXPECT_EQ(helper.text().attributesAt(6).link, "https://example.org");
    EXPECT_FALSE(helper.text().attributesAt(6).font);
}

TEST(TemplateTextHelper, RtfLosesAttachmentsPackageDataKeepsThem)
{
    auto helper = helperFor("before ‹objective› after");
    text::AttributedString picture;
    text::Attributes attachment;
    attachment.attachment = text::Attachment::make("dot.png", std::string("\x89PNG fake", 9));
    picture.append(std::u16string(1, text::attachmentCharacter), attachment);
    helper.substituteRTFDData(text::Rtfd::data(picture), "objective");

    auto viaRtf = text::Rtf::read(helper.data());
    ASSERT_TRUE(viaRtf);
    // RTF names the picture but cannot hold its bytes.
    for (const auto& run : viaRtf->text.runs())
        EXPECT_TRUE(!run.attributes.attachment || run.attributes.attachment->data().empty());
    auto viaPackage = text::Rtfd::fromData(helper.asRTFDData());
    ASSERT_TRUE(viaPackage);
    size_t at = viaPackage->text.string().find(text::attachmentCharacter);
    ASSERT_NE(at, std::u16string::npos);
    ASSERT_TRUE(viaPackage->text.attributesAt(at).attachment);
    EXPECT_EQ(viaPackage->text.attributesAt(at).attachment->fileName, "dot.png");
}

TEST(TemplateTextHelper, DataThatIsNotRtfGivesAnEmptyTemplate)
{
    TemplateTextHelper helper;
    helper.setData("not rtf at all");
    helper.substitute("x", "uuid");
    EXPECT_TRUE(helper.text().empty());
}

}
}
