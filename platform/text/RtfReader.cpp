#include "platform/text/RtfReader.h"

#include "platform/base/Diagnostics.h"
#include "platform/text/FontTraits.h"
#include "platform/text/ListLabel.h"
#include "platform/text/Rtf.h"
#include "platform/text/TextList.h"
#include "platform/text/Unicode.h"

#include <cctype>
#include <algorithm>

namespace text {

namespace rtf {

namespace {

int saturatedParameter(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// What a run's attributes hold beyond the run itself. Every run gets its own copy of the
// link, font name and list markers, so a few bytes of a hostile file that toggle \b inside a
// long link would otherwise cost kilobytes each.
size_t formattingBytes(const Attributes& attributes)
{
    size_t bytes = attributes.link.size();
    if (attributes.font)
        bytes += attributes.font->postScriptName.size();
    for (const auto& marker : attributes.paragraph.textLists)
        bytes += sizeof(marker) + marker.size();
    if (attributes.attachment)
        bytes += attributes.attachment->fileName.size();
    return bytes;
}

}

std::optional<Document> Reader::read()
{
    size_t start = 0;
    while (start < m_data.size() && (m_data[start] == ' ' || m_data[start] == '\r' || m_data[start] == '\n' || m_data[start] == '\t'))
        ++start;
    if (m_data.substr(start, 5) != "{\\rtf")
        return std::nullopt;
    m_position = start;
    m_stack.push_back(State {});
    while (m_position < m_data.size() && !m_finished && !m_stopped) {
        char c = m_data[m_position++];
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\':
            controlSequence();
            break;
        case '\r':
        case '\n':
            break;
        default:
            --m_position;
            plainText();
        }
    }
    if (!m_finished && !m_stopped)
        problem("ended before its last group closed");
    flush();
    // Anything after the closing brace but white space (or the NULs some writers pad with)
    // was not read, so writing the document back would lose it.
    bool nothingAfter = true;
    for (size_t at = m_position; at < m_data.size() && nothingAfter; ++at)
        nothingAfter = std::isspace(static_cast<unsigned char>(m_data[at])) || m_data[at] == '\0';
    m_document.complete = m_finished && nothingAfter;
    if (!m_problem.empty())
        base::diagnostic("RTF: " + m_problem + "; kept the " + std::to_string(m_document.text.length()) + " characters read before it");
    return std::move(m_document);
}

void Reader::problem(std::string_view what)
{
    if (m_problem.empty())
        m_problem = what;
}

void Reader::openGroup()
{
    m_pendingFallback = 0;
    m_ignorableNext = false;
    if (skipping()) {
        ++m_skipDepth;
        return;
    }
    if (m_stack.size() > Rtf::maximumGroupDepth) {
        problem("groups nested deeper than " + std::to_string(Rtf::maximumGroupDepth));
        m_stopped = true;
        return;
    }
    m_stack.push_back(m_stack.back());
    m_groupJustOpened = true;
    m_attributesStale = true;
}

void Reader::closeGroup()
{
    m_pendingFallback = 0;
    m_ignorableNext = false;
    m_groupJustOpened = false;
    if (skipping()) {
        if (--m_skipDepth > 0)
            return;
    } else {
        finishDestination(top());
    }
    if (m_swallowDepth == m_stack.size())
        m_swallowDepth = 0;
    State closing = std::move(m_stack.back());
    m_stack.pop_back();
    m_attributesStale = true;
    if (m_stack.size() == 1) {
        m_finished = true;
        return;
    }
    if (closing.destination == Destination::Attachment && top().destination == Destination::Text) {
        auto first = m_attachmentName.find_first_not_of(u' ');
        auto last = m_attachmentName.find_last_not_of(u' ');
        emitAttachment(first == std::u16string::npos ? std::string {} : toUtf8(std::u16string_view(m_attachmentName).substr(first, last - first + 1)));
    }
}

void Reader::finishDestination(const State& closing)
{
    switch (closing.destination) {
    case Destination::FontTable:
        // Some writers leave out the last entry's semicolon.
        if (m_fontEntry >= 0 && !m_fontName.empty())
            emit(u';');
        break;
    case Destination::LevelText:
        describeLevel(closing);
        break;
    case Destination::DocumentDefaults:
        if (closing.fontSet)
            m_document.attributes.font = fontFor(closing);
        if (closing.color > 0)
            m_document.attributes.foreground = colorFor(closing);
        break;
    default:
        break;
    }
}

void Reader::startSkipping()
{
    m_skipDepth = 1;
    m_groupJustOpened = false;
}

bool Reader::dropForUnicodeFallback()
{
    if (m_pendingFallback <= 0)
        return false;
    --m_pendingFallback;
    return true;
}

void Reader::controlSequence()
{
    if (m_position >= m_data.size())
        return;
    char c = m_data[m_position];
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
        size_t wordStart = m_position;
        while (m_position < m_data.size() && ((m_data[m_position] >= 'a' && m_data[m_position] <= 'z') || (m_data[m_position] >= 'A' && m_data[m_position] <= 'Z')))
            ++m_position;
        std::string_view word = m_data.substr(wordStart, m_position - wordStart);
        bool negative = false;
        if (m_position + 1 < m_data.size() && m_data[m_position] == '-' && m_data[m_position + 1] >= '0' && m_data[m_position + 1] <= '9') {
            negative = true;
            ++m_position;
        }
        bool hasParameter = false;
        int64_t value = 0;
        while (m_position < m_data.size() && m_data[m_position] >= '0' && m_data[m_position] <= '9') {
            hasParameter = true;
            // Saturate rather than overflow: no RTF number means anything past 32 bits.
            if (value < INT64_C(1) << 40)
                value = value * 10 + (m_data[m_position] - '0');
            ++m_position;
        }
        if (m_position < m_data.size() && m_data[m_position] == ' ')
            ++m_position;
        int parameter = saturatedParameter(negative ? -value : value);
        if (word == "bin" && hasParameter) {
            // Binary data is skipped by count, whatever destination it is in.
            size_t length = static_cast<size_t>(std::max(parameter, 0));
            m_position += std::min(length, m_data.size() - m_position);
            return;
        }
        if (skipping())
            return;
        if (dropForUnicodeFallback())
            return;
        if (word.size() > maximumWordLength)
            word = {};
        controlWord(word, hasParameter, parameter);
        return;
    }
    ++m_position;
    if (c == '\'') {
        int byte = 0;
        int digits = 0;
        while (digits < 2 && m_position < m_data.size()) {
            char h = m_data[m_position];
            int v = h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10 : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
            if (v < 0)
                break;
            byte = byte * 16 + v;
            ++digits;
            ++m_position;
        }
        if (skipping() || dropForUnicodeFallback() || digits == 0)
            return;
        emit(CodePage::decode(codePage(), static_cast<unsigned char>(byte)));
        return;
    }
    if (skipping())
        return;
    if (c == '*') {
        m_ignorableNext = true;
        return;
    }
    if (dropForUnicodeFallback())
        return;
    if (m_ignorableNext) {
        startSkipping();
        return;
    }
    m_groupJustOpened = false;
    switch (c) {
    case '\\':
    case '{':
    case '}':
        emit(static_cast<char16_t>(c));
        break;
    case '~':
        emit(0x00A0);
        break;
    case '-':
        emit(0x00AD);
        break;
    case '_':
        emit(0x2011);
        break;
    case '\n':
    case '\r':
        emit(u'\n');
        break;
    case '\t':
        emit(u'\t');
        break;
    default:
        break;
    }
}

void Reader::controlWord(std::string_view word, bool hasParameter, int parameter)
{
    bool ignorable = m_ignorableNext;
    bool atGroupStart = m_groupJustOpened;
    m_ignorableNext = false;
    m_groupJustOpened = false;
    if (atGroupStart && destinationWord(word))
        return;
    if (ignorable) {
        startSkipping();
        return;
    }
    if (tableWord(word, hasParameter, parameter))
        return;
    characterWord(word, hasParameter, parameter);
}

// Runs of plain ASCII in the body are most of any file; they go into the text in one piece.
void Reader::plainText()
{
    size_t end = m_position;
    // In a right-to-left run spaces and letters may take different formatting.
    if (!skipping() && m_pendingFallback == 0 && !m_ignorableNext && m_swallowDepth == 0 && top().destination == Destination::Text
        && !top().rightToLeft) {
        while (end < m_data.size()) {
            auto c = static_cast<unsigned char>(m_data[end]);
            if (c < 0x20 || c >= 0x80 || c == '\\' || c == '{' || c == '}')
                break;
            ++end;
        }
    }
    if (end == m_position) {
        rawByte(static_cast<unsigned char>(m_data[m_position++]));
        return;
    }
    m_groupJustOpened = false;
    m_breakAs = 0;
    emitText(static_cast<char16_t>(m_data[m_position]));
    for (size_t i = m_position + 1; i < end; ++i)
        m_pending.push_back(static_cast<char16_t>(m_data[i]));
    m_position = end;
}

void Reader::rawByte(unsigned char byte)
{
    if (skipping() || dropForUnicodeFallback())
        return;
    if (m_ignorableNext) {
        startSkipping();
        return;
    }
    m_groupJustOpened = false;
    emit(byte < 0x80 ? byte : CodePage::decode(codePage(), byte));
}

int Reader::codePage()
{
    const State& state = top();
    int fontNumber = state.font >= 0 ? state.font : m_defaultFont;
    auto font = m_fonts.find(fontNumber);
    return font == m_fonts.end() ? m_documentCodePage : CodePage::forCharset(font->second.charset, m_documentCodePage);
}

void Reader::emit(char16_t c)
{
    m_breakAs = 0;
    State& state = top();
    switch (state.destination) {
    case Destination::Text:
        emitText(c);
        break;
    case Destination::ListText:
        // Word processors write an item's label before the paragraph's properties, and
        // clear those inside it.
        if (!m_labelStart && listsFor(state).empty())
            m_labelStart = m_document.text.length() + m_pending.size();
        emitText(c);
        break;
    case Destination::FontTable:
        if (c == u';') {
            if (m_fontEntry >= 0 && m_fonts.contains(m_fontEntry)) {
                auto first = m_fontName.find_first_not_of(u' ');
                m_fonts[m_fontEntry].name = first == std::u16string::npos ? std::string {} : toUtf8(m_fontName.substr(first));
            }
            m_fontEntry = -1;
            m_fontName.clear();
        } else if (c >= 0x20 && m_fontName.size() < maximumNameLength) {
            m_fontName.push_back(c);
        }
        break;
    case Destination::ColorTable:
        if (c == u';') {
            if (m_colors.size() < Rtf::maximumTableEntries)
                m_colors.push_back(m_colorEntry);
            m_colorEntry.reset();
            m_red = m_green = m_blue = 0;
        }
        break;
    case Destination::LevelMarker:
        if (state.list >= 0 && state.level >= 0 && m_lists[state.list].levels[state.level].marker.size() < maximumNameLength)
            m_lists[state.list].levels[state.level].marker += toUtf8(std::u16string_view(&c, 1));
        break;
    case Destination::LevelText:
        if (state.list >= 0 && state.level >= 0) {
            auto& levelText = m_lists[state.list].levels[state.level].levelText;
            if (levelText && levelText->size() < maximumNameLength)
                levelText->push_back(c);
        }
        break;
    case Destination::FieldInstruction:
        if (state.field >= 0 && m_fieldInstructions[state.field].size() < maximumInstructionLength)
            m_fieldInstructions[state.field].push_back(c);
        break;
    case Destination::Attachment:
        if (!m_attachmentNameDone && c >= 0x20 && m_attachmentName.size() < maximumNameLength)
            m_attachmentName.push_back(c);
        break;
    default:
        break;
    }
}

void Reader::emitText(char16_t c)
{
    // The placeholder a package writes after each attachment group stands for that
    // attachment, not for a character of its own.
    if (m_swallowDepth == m_stack.size()) {
        m_swallowDepth = 0;
        if (c == 0x00AC || c == attachmentCharacter)
            return;
    }
    if (m_labelStart && top().destination != Destination::ListText)
        placeLabel();
    ScriptClass script = scriptOf(c);
    if (m_attributesStale || script != m_pendingScript) {
        Attributes attributes = attributesFor(top(), script);
        if (!(attributes == m_pendingAttributes)) {
            flush();
            m_pendingAttributes = std::move(attributes);
        }
        m_attributesStale = false;
        m_pendingScript = script;
    }
    m_pending.push_back(c);
}

// Which formatting a character takes: only a file that gives scripts formatting of their
// own makes the difference.
ScriptClass Reader::scriptOf(char16_t c)
{
    const State& state = top();
    if (!state.complexScript.said() && !state.eastAsian.said())
        return m_lastScript = ScriptClass::Latin;
    bool eastAsianRun = state.namedScript == ScriptClass::EastAsian;
    switch (ScriptClass script = scriptClass(c)) {
    case ScriptClass::Continuing:
        break;
    case ScriptClass::Neutral:
        m_lastScript = eastAsianRun ? ScriptClass::EastAsian : state.rightToLeft ? ScriptClass::Complex : ScriptClass::Latin;
        break;
    case ScriptClass::Latin:
        m_lastScript = eastAsianRun ? ScriptClass::EastAsian : ScriptClass::Latin;
        break;
    default:
        m_lastScript = script;
    }
    return m_lastScript;
}

// The label read so far belongs to the paragraph whose text follows it.
void Reader::placeLabel()
{
    size_t start = *m_labelStart;
    m_labelStart.reset();
    flush();
    size_t end = m_document.text.length();
    if (start >= end)
        return;
    size_t runs = m_document.text.runs().size();
    ParagraphStyle paragraph = paragraphFor(top());
    if (!paragraph.textLists.empty()) {
        settleLabel(start, paragraph.textLists.back());
        end = m_document.text.length();
    }
    if (start < end)
        m_document.text.updateAttributes({ start, end - start }, [&paragraph](Attributes& a) { a.paragraph = paragraph; });
    account(runs);
}

// A list item's label as another program drew it becomes the item's marker as this program
// keeps it, tab, marker, tab, so that it is written back as a label and never as text beside
// the one the list draws. A label its list could not have drawn gives way to the list's own
// marker for the item; one of nothing but white space goes. The label is the end of the text.
void Reader::settleLabel(size_t start, const std::string& format)
{
    AttributedString& text = m_document.text;
    std::u16string_view drawn = std::u16string_view(text.string()).substr(start);
    std::u16string_view marker = ListLabel::marker(drawn);
    if (marker.size() > ListLabel::longestMarker || std::any_of(marker.begin(), marker.end(), isNewline))
        return;
    if (marker.empty()) {
        text.erase({ start, drawn.size() });
        return;
    }
    Range markerRange { start + static_cast<size_t>(marker.data() - drawn.data()), marker.size() };
    auto& numbers = m_itemNumbers[top().listOverride];
    size_t level = static_cast<size_t>(top().listLevel);
    // No font of ours draws a symbol font's bullet.
    bool kept = ListLabel::isMarker(format, marker) && !(marker.size() == 1 && isPrivateUse(marker[0]));
    numbers[level] = TextList::itemNumber(format, marker).value_or(numbers[level] + 1);
    std::fill(numbers.begin() + static_cast<std::ptrdiff_t>(level) + 1, numbers.end(), 0);
    std::u16string own = kept ? std::u16string {} : TextList::marker(format, numbers[level]);
    if (kept && drawn.size() == marker.size() + 2 && drawn.front() == u'\t' && drawn.back() == u'\t')
        return;
    if (!kept && own.empty()) {
        text.erase({ start, drawn.size() });
        return;
    }
    auto attributesAt = [&text](size_t index) {
        Attributes attributes = text.attributesAt(index);
        attributes.attachment.reset();
        return attributes;
    };
    // From the end, so that each range is still where it was.
    Attributes first = attributesAt(start);
    text.replace({ markerRange.end(), text.length() - markerRange.end() }, AttributedString(u"\t", attributesAt(text.length() - 1)));
    if (!kept)
        text.replace(markerRange, AttributedString(std::move(own), attributesAt(markerRange.location)));
    text.replace({ start, markerRange.location - start }, AttributedString(u"\t", first));
}

void Reader::emitAttachment(const std::string& fileName)
{
    if (m_labelStart)
        placeLabel();
    flush();
    Attributes attributes = attributesFor(top());
    attributes.attachment = Attachment { fileName, nullptr };
    size_t runs = m_document.text.runs().size();
    m_document.text.append(std::u16string_view(&attachmentCharacter, 1), attributes);
    account(runs);
    m_attributesStale = true;
    m_swallowDepth = m_stack.size();
}

void Reader::flush()
{
    if (m_pending.empty())
        return;
    size_t runs = m_document.text.runs().size();
    m_document.text.append(m_pending, m_pendingAttributes);
    m_pending.clear();
    account(runs);
}

// Real files, even long pads full of links, stay far below this; past it the file is
// read as far as it got, like a truncated one.
void Reader::account(size_t runsBefore)
{
    if (m_document.text.runs().size() <= runsBefore)
        return;
    m_formattingBytes += formattingBytes(m_document.text.runs().back().attributes);
    if (m_formattingBytes > Rtf::maximumFormattingBytes + Rtf::formattingBytesPerByte * m_data.size()) {
        problem("its formatting would take more memory than a file of its size may");
        m_stopped = true;
    }
}

std::optional<gfx::Font> Reader::fontFor(const State& state, ScriptClass script) const
{
    static const ScriptFormat none;
    const ScriptFormat& own = script == ScriptClass::Complex ? state.complexScript : script == ScriptClass::EastAsian ? state.eastAsian : none;
    if (!state.fontSet && !own.said())
        return std::nullopt;
    auto font = m_fonts.find(state.font >= 0 ? state.font : m_defaultFont);
    std::string name = font != m_fonts.end() && !font->second.name.empty() ? font->second.name : gfx::Font {}.postScriptName;
    // Traits only add: a file that names "Helvetica-Bold" and says \b0 still means bold.
    gfx::Font named = gfx::Font::named(std::move(name), own.halfPoints.value_or(state.halfPoints) / 2.0);
    return FontTraits::withTraits(named, own.bold.value_or(state.bold) || FontTraits::isBold(named),
        own.italic.value_or(state.italic) || FontTraits::isItalic(named));
}

std::optional<gfx::Color> Reader::colorFor(const State& state) const
{
    if (state.color <= 0 || static_cast<size_t>(state.color) >= m_colors.size())
        return std::nullopt;
    return m_colors[state.color];
}

std::vector<std::string> Reader::listsFor(const State& state) const
{
    if (state.listOverride <= 0)
        return {};
    for (const auto& override : m_overrides) {
        if (override.number != state.listOverride)
            continue;
        for (const auto& list : m_lists) {
            if (list.id != override.listId)
                continue;
            size_t levels = std::min(list.levels.size(), static_cast<size_t>(state.listLevel) + 1);
            std::vector<std::string> markers;
            for (size_t level = 0; level < levels; ++level)
                markers.push_back(list.levels[level].marker);
            return markers;
        }
    }
    return {};
}

ParagraphStyle Reader::paragraphFor(const State& state) const
{
    return { state.alignment, listsFor(state) };
}

Attributes Reader::attributesFor(const State& state, ScriptClass script) const
{
    Attributes attributes;
    attributes.font = fontFor(state, script);
    attributes.foreground = colorFor(state);
    attributes.underline = state.underline;
    attributes.strikethrough = state.strikethrough;
    attributes.link = state.link;
    attributes.paragraph = paragraphFor(state);
    return attributes;
}

}

std::optional<Document> Rtf::read(std::string_view data)
{
    return rtf::Reader(data).read();
}

}
