#include "shell/OmniFocusHelper.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Utf8.h"

#include <algorithm>
#include <charconv>
#include <expat.h>

namespace ostrel {

namespace {

// The expat callbacks' user data: the helper and whether a CDATA section is open.
struct ParseContext {
    OmniFocusHelper* helper { nullptr };
    XML_Parser parser { nullptr };
    bool inCData { false };
    std::string refusal;
};

void refuse(ParseContext& context, const char* what)
{
    if (context.refusal.empty())
        context.refusal = what;
    XML_StopParser(context.parser, XML_FALSE);
}

// An optional sign and digits only, within the 64-bit range.
std::optional<int64_t> decimalInteger(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}

std::shared_ptr<OmniFocusHelper> OmniFocusHelper::parseTaskInfo(std::string_view xml)
{
    if (xml.size() > kMaximumXmlBytes) {
        base::diagnostic("an OmniFocus task of " + std::to_string(xml.size()) + " bytes is more than a task; not read");
        return nullptr;
    }
    if (!base::isValidUtf8(xml)) {
        base::diagnostic("an OmniFocus task that is not UTF-8 text; not read");
        return nullptr;
    }
    std::shared_ptr<OmniFocusHelper> helper(new OmniFocusHelper);
    XML_Parser parser = XML_ParserCreate("UTF-8");
    if (!parser) {
        base::diagnostic("no XML parser for an OmniFocus task");
        return nullptr;
    }
    ParseContext context;
    context.helper = helper.get();
    context.parser = parser;
    XML_SetUserData(parser, &context);
    // External entities and parameter entities are never fetched; any document type or
    // entity declaration ends the reading before anything is expanded.
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
    XML_SetStartDoctypeDeclHandler(parser, [](void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        refuse(*static_cast<ParseContext*>(data), "a document type");
    });
    XML_SetEntityDeclHandler(parser, [](void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                         const XML_Char*, const XML_Char*, const XML_Char*) {
        refuse(*static_cast<ParseContext*>(data), "an entity declaration");
    });
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            static_cast<ParseContext*>(data)->helper->didStartElement(name, attributes);
        },
        [](void* data, const XML_Char*) { static_cast<ParseContext*>(data)->helper->didEndElement(); });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
        auto& context = *static_cast<ParseContext*>(data);
        // Text in CDATA sections is not the task's: the task format has none.
        if (!context.inCData)
            context.helper->foundCharacters(std::string_view(text, static_cast<std::size_t>(length)));
    });
    XML_SetCdataSectionHandler(
        parser, [](void* data) { static_cast<ParseContext*>(data)->inCData = true; },
        [](void* data) { static_cast<ParseContext*>(data)->inCData = false; });

    if (XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) == XML_STATUS_ERROR) {
        std::string reason = context.refusal.empty() ? XML_ErrorString(XML_GetErrorCode(parser))
                                                     : context.refusal + " is not read in a task";
        base::diagnostic("an OmniFocus task ends early at line " + std::to_string(XML_GetCurrentLineNumber(parser))
            + ": " + reason);
    }
    XML_ParserFree(parser);
    return helper;
}

std::string OmniFocusHelper::elementPath() const
{
    std::string path;
    for (const auto& name : m_elementStack)
        path += "/" + name;
    return path;
}

bool OmniFocusHelper::isAtPath(std::initializer_list<std::string_view> path) const
{
    return std::equal(m_elementStack.begin(), m_elementStack.end(), path.begin(), path.end());
}

void OmniFocusHelper::didStartElement(std::string_view name, const char** attributes)
{
    m_elementStack.emplace_back(name);
    if (name != "task")
        return;
    m_taskID.reset();
    for (const char** attribute = attributes; attribute && attribute[0]; attribute += 2) {
        if (std::string_view(attribute[0]) == "id")
            m_taskID = attribute[1];
    }
}

void OmniFocusHelper::foundCharacters(std::string_view characters)
{
    // White space goes wherever it stands, so a two-word context name becomes one tag;
    // taking it out of each piece takes it out of the whole.
    if (!m_currentCharacters)
        m_currentCharacters.emplace();
    std::copy_if(characters.begin(), characters.end(), std::back_inserter(*m_currentCharacters),
        [](char c) { return c != ' ' && c != '\n' && c != '\t' && c != '\r'; });
}

void OmniFocusHelper::didEndElement()
{
    // The path still names the element that ends.
    if (isAtPath({ "omnifocus", "task", "estimated-minutes" }) && m_currentCharacters) {
        if (auto minutes = decimalInteger(*m_currentCharacters))
            m_estimatedMinutes = minutes;
    }
    if (isAtPath({ "omnifocus", "context", "name" }) && m_currentCharacters)
        m_contextNames.push_back(*m_currentCharacters);
    m_currentCharacters.reset();
    if (!m_elementStack.empty())
        m_elementStack.pop_back();
}

}
