#include "command/ObjectiveParser.h"

#include "command/StoredEnumeration.h"
#include "core/CommaSeparatedString.h"
#include "core/RTFHelper.h"
#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/text/Rtf.h"
#include "platform/text/Unicode.h"
#include "platform/ui/Pasteboard.h"

#include <algorithm>
#include <charconv>
#include <memory>

#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace ostrel {

namespace {

const char16_t* const tagPattern = u"[\\n\\r, ]*@([\\w'-]+),?";
// The word boundary after the unit keeps "25 mails" from reading as 25 minutes.
const char16_t* const durationPattern = u"[ ,]*([0-9]+)[ ]*mi?n?u?t?e?s?\\b";

std::unique_ptr<icu::RegexPattern> compile(const char16_t* pattern)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexPattern> compiled(icu::RegexPattern::compile(icu::UnicodeString(pattern), 0, status));
    if (U_FAILURE(status)) {
        base::diagnostic(std::string("ObjectiveParser: pattern does not compile: ") + u_errorName(status));
        return nullptr;
    }
    return compiled;
}

std::string utf8(const icu::UnicodeString& text)
{
    std::string result;
    text.toUTF8String(result);
    return result;
}

// The text being taken apart, with the place each of its units had in the input, so that
// where a tag stands is judged on the input rather than on what earlier removals left.
class ShrinkingText {
public:
    explicit ShrinkingText(const std::u16string& input)
        : m_input(input)
        , m_text(input.data(), static_cast<int32_t>(input.size()))
    {
        m_origin.resize(input.size());
        for (std::size_t i = 0; i < m_origin.size(); ++i)
            m_origin[i] = i;
    }

    const icu::UnicodeString& text() const { return m_text; }
    std::size_t origin(int32_t index) const { return m_origin[static_cast<std::size_t>(index)]; }
    char16_t inputAt(std::size_t index) const { return m_input[index]; }

    ObjectiveParseResult::Removal remove(int32_t start, int32_t end)
    {
        m_text.remove(start, end - start);
        m_origin.erase(m_origin.begin() + start, m_origin.begin() + end);
        return { static_cast<std::size_t>(start), static_cast<std::size_t>(end - start) };
    }

    std::u16string string() const { return std::u16string(m_text.getBuffer(), static_cast<std::size_t>(m_text.length())); }

private:
    const std::u16string& m_input;
    icu::UnicodeString m_text;
    std::vector<std::size_t> m_origin;
};

// An "@" starts a tag only at the start of the text, after white space or a comma, or right
// after another tag; inside "bob@example.com" it is part of an address.
bool startsTag(const ShrinkingText& text, std::size_t at, const std::vector<std::size_t>& tagEnds)
{
    if (at == 0)
        return true;
    char16_t before = text.inputAt(at - 1);
    if (before == u',' || u_isUWhiteSpace(before))
        return true;
    return std::find(tagEnds.begin(), tagEnds.end(), at - 1) != tagEnds.end();
}

void takeOutTags(ShrinkingText& text, ObjectiveParseResult& result)
{
    auto pattern = compile(tagPattern);
    if (!pattern)
        return;
    std::vector<std::size_t> tagEnds;
    for (bool found = true; found;) {
        found = false;
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(text.text(), status));
        int32_t from = 0;
        while (U_SUCCESS(status) && matcher->find(from, status)) {
            auto tagStart = matcher->start(1, status);
            auto tagEnd = matcher->end(1, status);
            if (U_FAILURE(status))
                break;
            if (!startsTag(text, text.origin(tagStart - 1), tagEnds)) {
                // A rejected match may have swallowed the separators of the next tag (the ", "
                // of "bob@home, @work"): look again right after its "@".
                from = tagStart;
                continue;
            }
            result.tags.push_back(utf8(matcher->group(1, status)));
            tagEnds.push_back(text.origin(tagEnd - 1));
            auto start = matcher->start(status);
            auto end = matcher->end(status);
            matcher.reset(); // it refers to the text about to shrink
            result.removals.push_back(text.remove(start, end));
            found = true;
            break;
        }
    }
}

void takeOutDuration(ShrinkingText& text, ObjectiveParseResult& result)
{
    auto pattern = compile(durationPattern);
    if (!pattern)
        return;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(text.text(), status));
    if (U_FAILURE(status) || !matcher->find(status) || matcher->groupCount() != 1)
        return;
    auto digits = utf8(matcher->group(1, status));
    std::int64_t minutes = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), minutes);
    // Too many digits: no duration, and the number stays in the objective.
    if (error != std::errc() || end != digits.data() + digits.size())
        return;
    auto start = matcher->start(status);
    auto stop = matcher->end(status);
    matcher.reset();
    if (U_FAILURE(status))
        return;
    result.removals.push_back(text.remove(start, stop));
    result.duration = minutes;
}

}

ObjectiveParser& ObjectiveParser::shared()
{
    static ObjectiveParser parser;
    return parser;
}

ObjectiveParseResult ObjectiveParser::parse(const std::u16string& string, const text::AttributedString* attributedString) const
{
    ObjectiveParseResult result;
    ShrinkingText text(string);
    takeOutTags(text, result);
    takeOutDuration(text, result);
    result.string = text.string();
    if (!attributedString)
        return result;
    // Ranges of another text would cut the rich copy in the wrong places; the plain result
    // still holds everything the user wrote.
    if (attributedString->string() != string) {
        base::diagnostic("ObjectiveParser: the rich text does not hold the parsed text; it is left out");
        return result;
    }
    result.attributedString = *attributedString;
    for (auto& removal : result.removals)
        result.attributedString->erase({ removal.location, removal.length });
    return result;
}

namespace {

RTFHelper::Data asData(std::string_view bytes)
{
    return RTFHelper::Data(bytes.begin(), bytes.end());
}

}

void ObjectiveParser::parseObjectiveField() const
{
    parseObjectiveField(DataModel::shared().objectiveData(), *base::Defaults::standard());
}

void ObjectiveParser::parseObjectiveField(const base::Value::Data& objectiveData, base::Defaults& defaults) const
{
    auto rich = RTFHelper::sharedInstance().attributedStringFromData(objectiveData);
    if (!rich)
        return;
    internalSet(parse(rich->string(), &*rich), defaults);
}

std::vector<PasteboardItem> pasteboardItems(const ui::Pasteboard& pasteboard)
{
    PasteboardItem item {
        pasteboard.data(ui::PasteboardType::Rtf),
        pasteboard.data(ui::PasteboardType::Rtfd),
        std::nullopt,
    };
    // Text from another program is only as well-formed as it cares to make it.
    if (auto plain = pasteboard.string(ui::PasteboardType::String))
        item.plainText = text::toUtf16(*plain);
    if (!item.rtfData && !item.rtfdData && !item.plainText)
        return {};
    return { std::move(item) };
}

void ObjectiveParser::parseClipboard() const
{
    parseClipboard(pasteboardItems(ui::Pasteboard::general()), *base::Defaults::standard());
}

void ObjectiveParser::parseClipboard(const std::vector<PasteboardItem>& items, base::Defaults& defaults) const
{
    for (auto& item : items) {
        std::optional<text::AttributedString> rich;
        if (item.rtfData) {
            rich = RTFHelper::sharedInstance().attributedStringFromRTFData(asData(*item.rtfData));
        } else if (item.rtfdData) {
            rich = RTFHelper::sharedInstance().attributedStringFromData(asData(*item.rtfdData));
        } else if (item.plainText) {
            internalSet(parse(*item.plainText), defaults);
            continue;
        }
        if (rich)
            internalSet(parse(rich->string(), &*rich), defaults);
    }
}

int ObjectiveParser::longestDuration(TimeScale timeScale)
{
    switch (timeScale) {
    case TimeScale::oneHour:
        return 60;
    case TimeScale::oneAndAHalfHour:
        return 90;
    case TimeScale::twoHours:
        return 120;
    case TimeScale::fortyFiveMinutes:
        return 45;
    }
    return 60;
}

void ObjectiveParser::internalSet(const ObjectiveParseResult& result, base::Defaults& defaults) const
{
    if (result.duration != -1) {
        auto longest = longestDuration(storedCase(defaults, "timeSliceTimeScale", TimeScale::oneHour));
        auto minutes = std::max<std::int64_t>(std::min<std::int64_t>(result.duration, longest), 2);
        defaults.set("durationInSeconds", minutes * 60);
    }
    if (!result.tags.empty())
        defaults.set("tags", asCommaSeparatedString(result.tags));
    if (result.attributedString) {
        defaults.set("objective", RTFHelper::sharedInstance().rtfdDataFromAttributedString(*result.attributedString));
        return;
    }
    // Plain text is stored as unstyled RTF: no document attributes, unlike a package.
    defaults.set("objective", asData(text::Rtf::write(text::AttributedString(result.string))));
}

}
