#include "platform/text/Rtfd.h"
#include "tests/support/TemporaryHome.h"
#include "tests/text/DiagnosticLines.h"
#include "tests/text/TextPrinting.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using text::AttributedString;
using text::Attributes;
using text::Rtfd;

namespace {

AttributedString withAttachment(const std::string& name, const std::string& contents)
{
    Attributes a;
    a.font = gfx::Font { "Helvetica", 12 };
    a.attachment = text::Attachment::make(name, contents);
    return AttributedString(std::u16string(1, text::attachmentCharacter), a);
}

AttributedString page()
{
    Attributes a;
    a.font = gfx::Font { "Helvetica", 12 };
    AttributedString s(u"#TimeSlice\nSee \U0001F600 ", a);
    s.append(withAttachment("picture.png", std::string("\x89PNG\0\x01", 6)));
    s.append(u" and ", a);
    s.append(withAttachment("picture.png", "second, other picture"));
    s.append(u"\n", a);
    return s;
}

std::vector<std::string> listing(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

}

TEST(Rtfd, PackageFolderRoundTripsTextAndAttachments)
{
    ostrel::test::TemporaryHome home;
    fs::path path = home.path() / "System Log Day 2026-12-06 (default).rtfd";
    text::DocumentAttributes attributes;
    attributes.paperWidth = 11900;
    ASSERT_TRUE(Rtfd::writeFile(path, page(), attributes));
    EXPECT_EQ(listing(path), (std::vector<std::string> { "TXT.rtf", "picture 2.png", "picture.png" }));
    EXPECT_EQ(slurp(path / "picture 2.png"), "second, other picture");

    auto document = Rtfd::readFile(path);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->attributes, attributes);
    AttributedString expected = page();
    size_t second = expected.string().rfind(text::attachmentCharacter);
    expected.updateAttributes({ second, 1 }, [](Attributes& a) { a.attachment->fileName = "picture 2.png"; });
    EXPECT_EQ(document->text, expected);
}

TEST(Rtfd, RewritingReplacesThePackageAndLeavesNoTemporaryFolder)
{
    ostrel::test::TemporaryHome home;
    fs::path folder = home.path() / "Now Pad";
    fs::create_directory(folder);
    fs::path path = folder / "Roz Ezed 000001.rtfd";
    ASSERT_TRUE(Rtfd::writeFile(path, page()));
    ASSERT_TRUE(Rtfd::writeFile(path, AttributedString(u"shorter")));
    EXPECT_EQ(listing(folder), (std::vector<std::string> { "Roz Ezed 000001.rtfd" }));
    EXPECT_EQ(listing(path), (std::vector<std::string> { "TXT.rtf" }));
    EXPECT_EQ(Rtfd::readFile(path)->text.utf8(), "shorter");
}

TEST(Rtfd, APackageIsTheUsersAlone)
{
    ostrel::test::TemporaryHome home;
    mode_t mask = ::umask(022);
    fs::path path = home.path() / "shared.rtfd";
    ASSERT_TRUE(Rtfd::writeFile(path, page()));
    ASSERT_TRUE(Rtfd::writeFile(path, page()));
    ::umask(mask);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0700));
}

TEST(Rtfd, AFailedWriteKeepsTheOldPackage)
{
    ostrel::test::TemporaryHome home;
    text::test::DiagnosticLines diagnostics;
    fs::path folder = home.path() / "Later Pad";
    fs::create_directory(folder);
    fs::path path = folder / "page.rtfd";
    ASSERT_TRUE(Rtfd::writeFile(path, AttributedString(u"old words")));
    Rtfd::Package hostile = Rtfd::package(AttributedString(u"new"));
    hostile["../escape"] = "x";
    EXPECT_FALSE(Rtfd::writeFolder(path, hostile));
    EXPECT_EQ(Rtfd::readFile(path)->text.utf8(), "old words");
    EXPECT_EQ(listing(folder), (std::vector<std::string> { "page.rtfd" }));
    EXPECT_FALSE(fs::exists(folder / "escape"));
    EXPECT_FALSE(Rtfd::writeFile(home.path() / "missing folder" / "page.rtfd", AttributedString(u"x")));
    EXPECT_FALSE(diagnostics.lines.empty());
}

TEST(Rtfd, APlainFileOfThePackagesNameIsReplacedToo)
{
    ostrel::test::TemporaryHome home;
    fs::path path = home.path() / "old.rtfd";
    std::ofstream(path) << "not a folder";
    ASSERT_TRUE(Rtfd::writeFile(path, AttributedString(u"now a package")));
    EXPECT_EQ(Rtfd::readFile(path)->text.utf8(), "now a package");
}

TEST(Rtfd, DamagedPackagesReadAsNoneOrWhatTheyHold)
{
    ostrel::test::TemporaryHome home;
    text::test::DiagnosticLines diagnostics;
    EXPECT_FALSE(Rtfd::readFile(home.path() / "absent.rtfd"));
    std::ofstream(home.path() / "plain.rtfd") << "{\\rtf1 a plain file of a package's name}";
    EXPECT_FALSE(Rtfd::readFile(home.path() / "plain.rtfd"));
    ASSERT_FALSE(diagnostics.lines.empty());
    EXPECT_NE(diagnostics.lines.back().find("plain.rtfd is not a package folder"), std::string::npos) << diagnostics.lines.back();

    fs::path empty = home.path() / "empty.rtfd";
    fs::create_directory(empty);
    EXPECT_FALSE(Rtfd::readFile(empty));

    fs::path notRtf = home.path() / "garbage.rtfd";
    fs::create_directory(notRtf);
    std::ofstream(notRtf / "TXT.rtf") << "\x00\x01 garbage";
    EXPECT_FALSE(Rtfd::readFile(notRtf));

    // A missing attachment keeps its place in the text; a planted link is not followed.
    fs::path partial = home.path() / "partial.rtfd";
    ASSERT_TRUE(Rtfd::writeFile(partial, withAttachment("gone.png", "bytes")));
    fs::remove(partial / "gone.png");
    fs::create_symlink("/etc/hostname", partial / "gone.png");
    auto document = Rtfd::readFile(partial);
    ASSERT_TRUE(document);
    ASSERT_TRUE(document->text.attributesAt(0).attachment);
    EXPECT_EQ(document->text.attributesAt(0).attachment->data(), "");
    EXPECT_FALSE(document->complete) << "writing it back would lose the attachment";
    EXPECT_FALSE(diagnostics.lines.empty());
}

TEST(Rtfd, FilesLeftOutOfAReadAreNamedAndTheDocumentIsNotComplete)
{
    ostrel::test::TemporaryHome home;
    text::test::DiagnosticLines diagnostics;
    fs::path path = home.path() / "crowded.rtfd";
    ASSERT_TRUE(Rtfd::writeFile(path, page()));
    EXPECT_TRUE(Rtfd::readFile(path)->complete);
    std::vector<std::string> unreadable;
    ASSERT_TRUE(Rtfd::readFolder(path, unreadable));
    EXPECT_TRUE(unreadable.empty());

    for (size_t i = 0; i < Rtfd::maximumFiles; ++i)
        std::ofstream(path / ("extra " + std::to_string(i)));
    auto package = Rtfd::readFolder(path, unreadable);
    ASSERT_TRUE(package);
    EXPECT_EQ(package->size(), Rtfd::maximumFiles);
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_FALSE(package->contains(unreadable[0]));
    auto document = Rtfd::readFile(path);
    ASSERT_TRUE(document);
    EXPECT_FALSE(document->complete);
}

TEST(Rtfd, AttachmentNamesTheTextCannotHoldAreTidiedSoTheFileIsFoundAgain)
{
    for (std::string name : { " leading.png", "trailing.png ", "two\nlines.png", "tab\tbed.png", "\x7F", " ", "br{a}ce\\ é;.png" }) {
        auto document = Rtfd::fromData(Rtfd::data(withAttachment(name, "bytes of " + name)));
        ASSERT_TRUE(document) << name;
        auto attachment = document->text.attributesAt(0).attachment;
        ASSERT_TRUE(attachment) << name;
        EXPECT_EQ(attachment->data(), "bytes of " + name) << name << " was written as " << attachment->fileName;
        EXPECT_TRUE(document->complete) << name;
    }
}

TEST(Rtfd, DataBlobsRoundTripAndRejectDamage)
{
    text::test::DiagnosticLines diagnostics;
    std::string data = Rtfd::data(page());
    auto document = Rtfd::fromData(data);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->text.utf8(), page().utf8());
    EXPECT_EQ(Rtfd::data(document->text), data) << "writing is deterministic";

    for (size_t cut = 0; cut < data.size(); ++cut)
        EXPECT_FALSE(Rtfd::decode(data.substr(0, cut))) << cut;
    std::string hostile = Rtfd::encode({ { "../../etc/passwd", "x" } });
    EXPECT_FALSE(Rtfd::decode(hostile));
    std::string huge = data.substr(0, 11) + std::string("\xFF\xFF\xFF\xFF", 4);
    EXPECT_FALSE(Rtfd::decode(huge));
    EXPECT_FALSE(Rtfd::fromData("{\\rtf1 plain RTF is not package data}"));
    EXPECT_FALSE(Rtfd::fromData(Rtfd::encode({ { "other.txt", "no text file" } })));
}
