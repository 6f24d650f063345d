#include "platform/base/Diagnostics.h"
#include "platform/text/CodePage.h"
#include "platform/text/FontTraits.h"
#include "platform/text/Rtf.h"
#include "platform/text/Unicode.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <unordered_map>

namespace text {

namespace {

constexpr size_t maximumNameLength = 1024;
constexpr size_t maximumInstructionLength = 8192;
constexpr size_t maximumWordLength = 32;
constexpr int maximumListLevels = 9;

enum class Destination {
    Text,
    FontTable,
    ColorTable,
    ListTable,
    ListOverrideTable,
    LevelMarker,
    FieldInstruction,
    Attachment,
    DocumentDefaults,
    Ignored,
};

struct State {
    Destination destination { Destination::Text };
    // Character formatting. `fontSet` stays false until the file says anything about the
    // font, so text of a file without fonts keeps "the default" rather than a guess.
    int font { -1 };
    bool fontSet { false };
    int halfPoints { 24 };
    bool bold { false };
    bool italic { false };
    int underline { 0 };
    int strikethrough { 0 };
    int color { 0 };
    int unicodeSkip { 1 };
    std::string link;
    // Paragraph formatting.
    Alignment alignment { Alignment::Natural };
    int listOverride { 0 };
    int listLevel { 0 };
    // Where the tables being read put what follows.
    int list { -1 };
    int level { -1 };
    int override { -1 };
    int field { -1 };
};

struct FontEntry {
    std::string name;
    int charset { 0 };
};

struct ListDefinition {
    int id { 0 };
    std::vector<std::string> markers;
    std::vector<bool> explicitMarker;
};

struct ListOverride {
    int listId { 0 };
    int number { 0 };
};

class RtfReader {
public:
    explicit RtfReader(std::string_view data)
        : m_data(data)
    {
    }

    std::optional<Document> read();

private:
    State& top() { return m_stack.back(); }
    bool skipping() const { return m_skipDepth > 0; }

    void openGroup();
    void closeGroup();
    void finishDestination(const State& closing);
    void controlSequence();
    void controlWord(std::string_view word, bool hasParameter, int parameter);
    bool destinationWord(std::string_view word);
    bool characterWord(std::string_view word, bool hasParameter, int parameter);
    bool tableWord(std::string_view word, bool hasParameter, int parameter);
    void plainText();
    void rawByte(unsigned char byte);
    void emit(char16_t c);
    void emitText(char16_t c);
    void emitAttachment(const std::string& fileName);
    void startSkipping();
    bool dropForUnicodeFallback();
    void flush();
    void problem(std::string_view what);

    int codePage();
    std::optional<gfx::Font> fontFor(const State& state) const;
    std::optional<gfx::Color> colorFor(const State& state) const;
    std::vector<std::string> listsFor(const State& state) const;
    Attributes attributesFor(const State& state) const;
    static std::string hyperlinkTarget(std::u16string_view instruction);

    std::string_view m_data;
    size_t m_position { 0 };
    std::vector<State> m_stack;
    size_t m_skipDepth { 0 };
    bool m_groupJustOpened { false };
    bool m_ignorableNext { false };
    int m_pendingFallback { 0 };
    size_t m_swallowDepth { 0 };
    bool m_finished { false };
    bool m_stopped { false };
    std::string m_problem;

    int m_documentCodePage { CodePage::windowsLatin1 };
    int m_defaultFont { -1 };
    std::map<int, FontEntry> m_fonts;
    int m_fontEntry { -1 };
    std::u16string m_fontName;
    std::vector<std::optional<gfx::Color>> m_colors;
    std::optional<gfx::Color> m_colorEntry;
    int m_red { 0 }, m_green { 0 }, m_blue { 0 };
    std::vector<ListDefinition> m_lists;
    std::vector<ListOverride> m_overrides;
    std::vector<std::u16string> m_fieldInstructions;
    std::u16string m_attachmentName;
    bool m_attachmentNameDone { false };

    Document m_document;
    std::u16string m_pending;
    Attributes m_pendingAttributes;
    bool m_attributesStale { true };
};

int saturatedParameter(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

std::optional<Document> RtfReader::read()
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
    if (!m_problem.empty())
        base::diagnostic("RTF: " + m_problem + "; kept the " + std::to_string(m_document.text.length()) + " characters read before it");
    return std::move(m_document);
}

void RtfReader::problem(std::string_view what)
{
    if (m_problem.empty())
        m_problem = what;
}

void RtfReader::openGroup()
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

void RtfReader::closeGroup()
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

void RtfReader::finishDestination(const State& closing)
{
    switch (closing.destination) {
    case Destination::FontTable:
        // Some writers leave out the last entry's semicolon.
        if (m_fontEntry >= 0 && !m_fontName.empty())
            emit(u';');
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

void RtfReader::startSkipping()
{
    m_skipDepth = 1;
    m_groupJustOpened = false;
}

bool RtfReader::dropForUnicodeFallback()
{
    if (m_pendingFallback <= 0)
        return false;
    --m_pendingFallback;
    return true;
}

void RtfReader::controlSequence()
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

void RtfReader::controlWord(std::string_view word, bool hasParameter, int parameter)
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

bool RtfReader::destinationWord(std::string_view word)
{
    static const std::unordered_map<std::string_view, Destination> destinations {
        { "fonttbl", Destination::FontTable },
        { "colortbl", Destination::ColorTable },
        { "listtable", Destination::ListTable },
        { "listoverridetable", Destination::ListOverrideTable },
        { "levelmarker", Destination::LevelMarker },
        { "ostreldocumentdefaults", Destination::DocumentDefaults },
    };
    static const std::unordered_map<std::string_view, bool> skipped {
        { "info", true }, { "stylesheet", true }, { "pict", true }, { "object", true },
        { "header", true }, { "headerl", true }, { "headerr", true }, { "headerf", true },
        { "footer", true }, { "footerl", true }, { "footerr", true }, { "footerf", true },
        { "footnote", true }, { "xe", true }, { "tc", true }, { "themedata", true },
        { "colorschememapping", true }, { "latentstyles", true }, { "datastore", true },
        { "revtbl", true }, { "rsidtbl", true }, { "filetbl", true }, { "leveltext", true },
        { "levelnumbers", true }, { "listname", true }, { "nonshppict", true }, { "generator", true },
        { "shp", true }, { "xmlnstbl", true }, { "mmathPr", true }, { "pgdsctbl", true },
    };
    State& state = top();
    if (auto found = destinations.find(word); found != destinations.end()) {
        if (found->second == Destination::LevelMarker) {
            if (state.list < 0 || state.level < 0)
                return startSkipping(), true;
            m_lists[state.list].markers[state.level].clear();
            m_lists[state.list].explicitMarker[state.level] = true;
        }
        state.destination = found->second;
        m_attributesStale = true;
        return true;
    }
    if (skipped.contains(word)) {
        startSkipping();
        return true;
    }
    if (word == "field") {
        m_fieldInstructions.emplace_back();
        state.field = static_cast<int>(m_fieldInstructions.size()) - 1;
        return true;
    }
    if (word == "fldinst") {
        if (state.field < 0)
            return startSkipping(), true;
        state.destination = Destination::FieldInstruction;
        return true;
    }
    if (word == "fldrslt") {
        state.destination = Destination::Text;
        if (state.field >= 0) {
            std::string target = hyperlinkTarget(m_fieldInstructions[state.field]);
            if (!target.empty())
                state.link = target;
        }
        m_attributesStale = true;
        return true;
    }
    if (word == "NeXTGraphic" && state.destination == Destination::Text) {
        state.destination = Destination::Attachment;
        m_attachmentName.clear();
        m_attachmentNameDone = false;
        return true;
    }
    return false;
}

bool RtfReader::tableWord(std::string_view word, bool hasParameter, int parameter)
{
    State& state = top();
    // Names in the tables may spell characters as \u like any text.
    if (word == "u" || word == "uc")
        return false;
    switch (state.destination) {
    case Destination::FontTable:
        if (word == "f" && hasParameter) {
            if (m_fontEntry >= 0 && !m_fontName.empty())
                emit(u';');
            m_fontEntry = parameter;
            m_fontName.clear();
            if (m_fonts.size() < Rtf::maximumTableEntries)
                m_fonts[parameter];
        } else if (word == "fcharset" && m_fontEntry >= 0 && m_fonts.contains(m_fontEntry)) {
            m_fonts[m_fontEntry].charset = parameter;
        }
        return true;
    case Destination::ColorTable:
        if (word == "red" || word == "green" || word == "blue") {
            int value = std::clamp(parameter, 0, 255);
            (word == "red" ? m_red : word == "green" ? m_green : m_blue) = value;
            m_colorEntry = gfx::Color::rgb(m_red / 255.0, m_green / 255.0, m_blue / 255.0);
        }
        return true;
    case Destination::ListTable:
        if (word == "list") {
            if (m_lists.size() >= Rtf::maximumTableEntries)
                return true;
            m_lists.emplace_back();
            state.list = static_cast<int>(m_lists.size()) - 1;
            state.level = -1;
        } else if (word == "listlevel" && state.list >= 0) {
            auto& list = m_lists[state.list];
            if (list.markers.size() >= maximumListLevels)
                return true;
            list.markers.emplace_back();
            list.explicitMarker.push_back(false);
            state.level = static_cast<int>(list.markers.size()) - 1;
        } else if (word == "levelnfc" && state.list >= 0 && state.level >= 0 && !m_lists[state.list].explicitMarker[state.level]) {
            // Lists from other programs name a numbering style rather than a marker format.
            static const std::map<int, std::string> styles { { 0, "{decimal}" }, { 1, "{upper-roman}" }, { 2, "{lower-roman}" },
                { 3, "{upper-alpha}" }, { 4, "{lower-alpha}" }, { 23, "{disc}" } };
            auto style = styles.find(parameter);
            m_lists[state.list].markers[state.level] = style == styles.end() ? "{disc}" : style->second;
        } else if (word == "listid" && state.list >= 0) {
            m_lists[state.list].id = parameter;
        }
        return true;
    case Destination::ListOverrideTable:
        if (word == "listoverride") {
            if (m_overrides.size() >= Rtf::maximumTableEntries)
                return true;
            m_overrides.emplace_back();
            state.override = static_cast<int>(m_overrides.size()) - 1;
        } else if (word == "listid" && state.override >= 0) {
            m_overrides[state.override].listId = parameter;
        } else if (word == "ls" && state.override >= 0) {
            m_overrides[state.override].number = parameter;
        }
        return true;
    case Destination::Attachment:
        m_attachmentNameDone = true;
        return true;
    default:
        return false;
    }
}

bool RtfReader::characterWord(std::string_view word, bool hasParameter, int parameter)
{
    State& state = top();
    auto on = [&] { return !hasParameter || parameter != 0; };
    auto restyle = [&] { m_attributesStale = true; };
    static const std::unordered_map<std::string_view, char16_t> symbols {
        { "par", u'\n' }, { "line", 0x2028 }, { "tab", u'\t' }, { "page", 0x000C }, { "cell", u'\t' },
        { "row", u'\n' }, { "emdash", 0x2014 }, { "endash", 0x2013 }, { "bullet", 0x2022 },
        { "lquote", 0x2018 }, { "rquote", 0x2019 }, { "ldblquote", 0x201C }, { "rdblquote", 0x201D },
        { "emspace", 0x2003 }, { "enspace", 0x2002 }, { "qmspace", 0x2005 }, { "zwj", 0x200D },
        { "zwnj", 0x200C }, { "ltrmark", 0x200E }, { "rtlmark", 0x200F },
    };
    if (auto symbol = symbols.find(word); symbol != symbols.end()) {
        emit(symbol->second);
    } else if (word == "u" && hasParameter) {
        emit(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter));
        m_pendingFallback = state.unicodeSkip;
    } else if (word == "uc") {
        state.unicodeSkip = std::clamp(parameter, 0, 16);
    } else if (word == "f" && hasParameter) {
        state.font = parameter, state.fontSet = true, restyle();
    } else if (word == "fs" && hasParameter) {
        state.halfPoints = std::clamp(parameter, 1, 3276), state.fontSet = true, restyle();
    } else if (word == "b") {
        state.bold = on(), state.fontSet = true, restyle();
    } else if (word == "i") {
        state.italic = on(), state.fontSet = true, restyle();
    } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "ulth" || word == "uldash" || word == "ulwave") {
        state.underline = on() ? 1 : 0, restyle();
    } else if (word == "ulnone") {
        state.underline = 0, restyle();
    } else if (word == "strike" || word == "striked") {
        state.strikethrough = on() ? 1 : 0, restyle();
    } else if (word == "cf" && hasParameter) {
        state.color = parameter, restyle();
    } else if (word == "plain") {
        state.font = -1, state.fontSet = false, state.halfPoints = 24, state.bold = state.italic = false;
        state.underline = state.strikethrough = state.color = 0;
        restyle();
    } else if (word == "pard") {
        state.alignment = Alignment::Natural, state.listOverride = 0, state.listLevel = 0, restyle();
    } else if (word == "ql" || word == "qc" || word == "qr" || word == "qj" || word == "qnatural") {
        state.alignment = word == "ql" ? Alignment::Left : word == "qc" ? Alignment::Center : word == "qr" ? Alignment::Right
            : word == "qj"                                                                    ? Alignment::Justified
                                                                                              : Alignment::Natural;
        restyle();
    } else if (word == "ls" && hasParameter) {
        state.listOverride = parameter, restyle();
    } else if (word == "ilvl" && hasParameter) {
        state.listLevel = std::clamp(parameter, 0, maximumListLevels - 1), restyle();
    } else if (word == "ansicpg" && hasParameter) {
        if (CodePage::isSupported(parameter))
            m_documentCodePage = parameter;
        else
            problem("code page " + std::to_string(parameter) + " is not known and was read as 1252");
    } else if (word == "mac") {
        m_documentCodePage = 10000;
    } else if (word == "pc") {
        m_documentCodePage = 437;
    } else if (word == "pca") {
        m_documentCodePage = 850;
    } else if (word == "deff" && hasParameter) {
        m_defaultFont = parameter;
    } else if (hasParameter && (word == "paperw" || word == "paperh" || word == "margl" || word == "margr" || word == "margt" || word == "margb" || word == "viewkind")) {
        auto& a = m_document.attributes;
        (word == "paperw" ? a.paperWidth : word == "paperh" ? a.paperHeight : word == "margl" ? a.marginLeft : word == "margr" ? a.marginRight : word == "margt" ? a.marginTop : word == "margb" ? a.marginBottom : a.viewKind) = parameter;
    } else {
        return false;
    }
    return true;
}

// Runs of plain ASCII in the body are most of any file; they go into the text in one piece.
void RtfReader::plainText()
{
    size_t end = m_position;
    if (!skipping() && m_pendingFallback == 0 && !m_ignorableNext && m_swallowDepth == 0 && top().destination == Destination::Text) {
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
    emitText(static_cast<char16_t>(m_data[m_position]));
    for (size_t i = m_position + 1; i < end; ++i)
        m_pending.push_back(static_cast<char16_t>(m_data[i]));
    m_position = end;
}

void RtfReader::rawByte(unsigned char byte)
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

int RtfReader::codePage()
{
    const State& state = top();
    int fontNumber = state.font >= 0 ? state.font : m_defaultFont;
    auto font = m_fonts.find(fontNumber);
    return font == m_fonts.end() ? m_documentCodePage : CodePage::forCharset(font->second.charset, m_documentCodePage);
}

void RtfReader::emit(char16_t c)
{
    State& state = top();
    switch (state.destination) {
    case Destination::Text:
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
        if (state.list >= 0 && state.level >= 0 && m_lists[state.list].markers[state.level].size() < maximumNameLength)
            m_lists[state.list].markers[state.level] += toUtf8(std::u16string_view(&c, 1));
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

void RtfReader::emitText(char16_t c)
{
    // The placeholder a package writes after each attachment group stands for that
    // attachment, not for a character of its own.
    if (m_swallowDepth == m_stack.size()) {
        m_swallowDepth = 0;
        if (c == 0x00AC || c == attachmentCharacter)
            return;
    }
    if (m_attributesStale) {
        Attributes attributes = attributesFor(top());
        if (!(attributes == m_pendingAttributes)) {
            flush();
            m_pendingAttributes = std::move(attributes);
        }
        m_attributesStale = false;
    }
    m_pending.push_back(c);
}

void RtfReader::emitAttachment(const std::string& fileName)
{
    flush();
    Attributes attributes = attributesFor(top());
    attributes.attachment = Attachment { fileName, nullptr };
    m_document.text.append(std::u16string_view(&attachmentCharacter, 1), attributes);
    m_attributesStale = true;
    m_swallowDepth = m_stack.size();
}

void RtfReader::flush()
{
    if (m_pending.empty())
        return;
    m_document.text.append(m_pending, m_pendingAttributes);
    m_pending.clear();
}

std::optional<gfx::Font> RtfReader::fontFor(const State& state) const
{
    if (!state.fontSet)
        return std::nullopt;
    auto font = m_fonts.find(state.font >= 0 ? state.font : m_defaultFont);
    std::string name = font != m_fonts.end() && !font->second.name.empty() ? font->second.name : gfx::Font {}.postScriptName;
    // Traits only add: a file that names "Helvetica-Bold" and says \b0 still means bold.
    gfx::Font named = gfx::Font::named(std::move(name), state.halfPoints / 2.0);
    return FontTraits::withTraits(named, state.bold || FontTraits::isBold(named), state.italic || FontTraits::isItalic(named));
}

std::optional<gfx::Color> RtfReader::colorFor(const State& state) const
{
    if (state.color <= 0 || static_cast<size_t>(state.color) >= m_colors.size())
        return std::nullopt;
    return m_colors[state.color];
}

std::vector<std::string> RtfReader::listsFor(const State& state) const
{
    if (state.listOverride <= 0)
        return {};
    for (const auto& override : m_overrides) {
        if (override.number != state.listOverride)
            continue;
        for (const auto& list : m_lists) {
            if (list.id != override.listId)
                continue;
            size_t levels = std::min(list.markers.size(), static_cast<size_t>(state.listLevel) + 1);
            return { list.markers.begin(), list.markers.begin() + static_cast<std::ptrdiff_t>(levels) };
        }
    }
    return {};
}

Attributes RtfReader::attributesFor(const State& state) const
{
    Attributes attributes;
    attributes.font = fontFor(state);
    attributes.foreground = colorFor(state);
    attributes.underline = state.underline;
    attributes.strikethrough = state.strikethrough;
    attributes.link = state.link;
    attributes.paragraph.alignment = state.alignment;
    attributes.paragraph.textLists = listsFor(state);
    return attributes;
}

// HYPERLINK "target" or HYPERLINK \l "anchor"; inside the quotes a backslash escapes the
// next character.
std::string RtfReader::hyperlinkTarget(std::u16string_view instruction)
{
    size_t i = instruction.find_first_not_of(u" \t");
    if (i == std::u16string_view::npos || instruction.substr(i, 9) != u"HYPERLINK")
        return {};
    i += 9;
    std::u16string prefix;
    while (i < instruction.size()) {
        while (i < instruction.size() && instruction[i] == u' ')
            ++i;
        if (i + 1 < instruction.size() && instruction[i] == u'\\' && instruction[i + 1] == u'l') {
            prefix = u"#";
            i += 2;
            continue;
        }
        break;
    }
    std::u16string target;
    if (i < instruction.size() && instruction[i] == u'"') {
        for (++i; i < instruction.size() && instruction[i] != u'"'; ++i) {
            if (instruction[i] == u'\\' && i + 1 < instruction.size())
                ++i;
            target.push_back(instruction[i]);
        }
    } else {
        while (i < instruction.size() && instruction[i] != u' ')
            target.push_back(instruction[i++]);
    }
    return target.empty() ? std::string {} : toUtf8(prefix + target);
}

}

std::optional<Document> Rtf::read(std::string_view data)
{
    return RtfReader(data).read();
}

}
