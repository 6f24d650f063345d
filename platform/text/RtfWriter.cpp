#include "platform/text/FontTraits.h"
#include "platform/text/ListLabel.h"
#include "platform/text/Rtf.h"
#include "platform/text/RtfNumbering.h"
#include "platform/text/TextList.h"
#include "platform/text/Unicode.h"

#include <algorithm>
#include <cmath>

namespace text {

namespace {

// The breaks that stay within their paragraph: a line (\line) and a page (\page). Every
// other newline ends its paragraph (\par).
bool breaksLineOnly(char16_t c) { return c == 0x2028 || c == 0x000B; }
bool breaksPage(char16_t c) { return c == 0x000C; }
bool endsParagraph(char16_t c) { return isNewline(c) && !breaksLineOnly(c) && !breaksPage(c); }

// What the reader will believe at the current point of the output; every run is written as
// the difference from it, so the output depends on nothing but the text.
struct WriterState {
    std::optional<std::string> fontName;
    int halfPoints { 24 };
    bool bold { false };
    bool italic { false };
    // The associated properties that complex scripts take; unsaid, other readers take them
    // as regular, and this program as the ordinary ones.
    std::optional<bool> complexBold;
    std::optional<bool> complexItalic;
    std::optional<int> complexHalfPoints;
    int underline { 0 };
    int strikethrough { 0 };
    int color { 0 };
    ParagraphStyle paragraph;
    std::string link;
};

class RtfWriter {
public:
    RtfWriter(const AttributedString& text, const DocumentAttributes& attributes, Rtf::Attachments attachments)
        : m_text(text)
        , m_attributes(attributes)
        , m_attachments(attachments)
    {
    }

    std::string write();

private:
    void collectTables();
    int fontIndex(const std::string& name) const;
    int colorIndex(const std::optional<gfx::Color>& color) const;
    int listIndex(const std::vector<std::string>& lists) const;
    void writeHeader();
    void writeListTable();
    void writeLevelText(const std::vector<TextList::Piece>& pieces, int level);
    void writeRun(size_t start, size_t length, const Attributes& attributes);
    void writeLink(const std::string& link);
    void writeCharacterFormat(const Attributes& attributes);
    void writeParagraphFormat(const ParagraphStyle& paragraph);
    void writeFontFormat(const std::optional<gfx::Font>& font);
    void writeComplexScriptFormat(const gfx::Font& font);
    size_t labelEnd(size_t paragraphStart, const ParagraphStyle& paragraph) const;

    void word(std::string_view w);
    void word(std::string_view w, long parameter);
    void raw(std::string_view s);
    void character(char16_t c);
    void writeBreak(char16_t c);
    void literal(std::u16string_view s);
    void literal(std::string_view utf8);

    const AttributedString& m_text;
    const DocumentAttributes& m_attributes;
    Rtf::Attachments m_attachments;
    std::vector<std::string> m_fonts;
    std::vector<gfx::Color> m_colors;
    std::vector<std::vector<std::string>> m_lists;
    WriterState m_state;
    WriterState m_beforeLink;
    bool m_delimit { false };
    // Where the list item being written stops being its marker.
    size_t m_labelEnd { 0 };
    std::string m_out;
};

int halfPointsOf(double pointSize)
{
    return static_cast<int>(std::clamp(std::lround(pointSize * 2), 1L, 3276L));
}

int componentOf(double value)
{
    return static_cast<int>(std::clamp(std::lround(value * 255), 0L, 255L));
}

bool sameColor(const gfx::Color& a, const gfx::Color& b)
{
    return componentOf(a.red) == componentOf(b.red) && componentOf(a.green) == componentOf(b.green) && componentOf(a.blue) == componentOf(b.blue);
}

std::string RtfWriter::write()
{
    m_out.reserve(m_text.length() + m_text.length() / 8 + 256);
    collectTables();
    writeHeader();
    size_t start = 0;
    for (const auto& run : m_text.runs()) {
        writeRun(start, run.length, run.attributes);
        start += run.length;
    }
    if (!m_state.link.empty())
        raw("}}");
    raw("}");
    return std::move(m_out);
}

void RtfWriter::collectTables()
{
    auto addFont = [&](const std::optional<gfx::Font>& font) {
        if (font && fontIndex(font->postScriptName) < 0)
            m_fonts.push_back(font->postScriptName);
    };
    auto addColor = [&](const std::optional<gfx::Color>& color) {
        if (color && colorIndex(color) == 0)
            m_colors.push_back(*color);
    };
    addFont(m_attributes.font);
    addColor(m_attributes.foreground);
    for (const auto& run : m_text.runs()) {
        addFont(run.attributes.font);
        addColor(run.attributes.foreground);
        const auto& lists = run.attributes.paragraph.textLists;
        if (!lists.empty() && listIndex(lists) == 0)
            m_lists.push_back(lists);
    }
    // Other programs give text without a font of its own the \deff font, so that one is the
    // document's default face, never a bold or slanted one the text happened to meet first.
    if (!m_fonts.empty()) {
        std::string plain = FontTraits::withTraits(m_attributes.font ? m_attributes.font->postScriptName : gfx::Font {}.postScriptName, false, false);
        std::erase(m_fonts, plain);
        m_fonts.insert(m_fonts.begin(), std::move(plain));
    }
}

int RtfWriter::fontIndex(const std::string& name) const
{
    auto found = std::find(m_fonts.begin(), m_fonts.end(), name);
    return found == m_fonts.end() ? -1 : static_cast<int>(found - m_fonts.begin());
}

// Colour 0 is the reader's default, so table entries count from 1.
int RtfWriter::colorIndex(const std::optional<gfx::Color>& color) const
{
    if (!color)
        return 0;
    for (size_t i = 0; i < m_colors.size(); ++i) {
        if (sameColor(m_colors[i], *color))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

int RtfWriter::listIndex(const std::vector<std::string>& lists) const
{
    auto found = std::find(m_lists.begin(), m_lists.end(), lists);
    return found == m_lists.end() ? 0 : static_cast<int>(found - m_lists.begin()) + 1;
}

void RtfWriter::writeHeader()
{
    raw("{");
    word("rtf", 1);
    word("ansi");
    word("ansicpg", 1252);
    word("uc", 0);
    if (!m_fonts.empty())
        word("deff", 0);
    if (!m_fonts.empty()) {
        raw("{");
        word("fonttbl");
        for (size_t i = 0; i < m_fonts.size(); ++i) {
            word("f", static_cast<long>(i));
            word("fnil");
            word("fcharset", 0);
            std::string name = m_fonts[i];
            // A semicolon would end the entry early; no real font name holds one.
            std::replace(name.begin(), name.end(), ';', ' ');
            literal(std::string_view(name));
            raw(";");
        }
        raw("}\n");
    }
    if (!m_colors.empty()) {
        raw("{");
        word("colortbl");
        raw(";");
        for (const auto& color : m_colors) {
            word("red", componentOf(color.red));
            word("green", componentOf(color.green));
            word("blue", componentOf(color.blue));
            raw(";");
        }
        raw("}\n");
    }
    if (!m_lists.empty())
        writeListTable();
    const auto& a = m_attributes;
    auto number = [&](std::string_view name, const std::optional<int>& value) {
        if (value)
            word(name, *value);
    };
    number("paperw", a.paperWidth);
    number("paperh", a.paperHeight);
    number("margl", a.marginLeft);
    number("margr", a.marginRight);
    number("margt", a.marginTop);
    number("margb", a.marginBottom);
    number("viewkind", a.viewKind);
    if (a.font || a.foreground) {
        raw("{\\*");
        word("ostreldocumentdefaults");
        if (a.font) {
            word("f", fontIndex(a.font->postScriptName));
            word("fs", halfPointsOf(a.font->pointSize));
            // The system font's name does not carry its weight, so the traits are said here too.
            if (FontTraits::isBold(*a.font))
                word("b", 1);
            if (FontTraits::isItalic(*a.font))
                word("i", 1);
        }
        if (a.foreground)
            word("cf", colorIndex(a.foreground));
        raw("}");
    }
    raw("\n");
}

void RtfWriter::writeListTable()
{
    raw("{\\*");
    word("listtable");
    for (size_t i = 0; i < m_lists.size(); ++i) {
        raw("{");
        word("list");
        word("listtemplateid", static_cast<long>(i) + 1);
        for (size_t level = 0; level < m_lists[i].size(); ++level) {
            const std::string& format = m_lists[i][level];
            auto pieces = TextList::pieces(format);
            auto number = std::find_if(pieces.begin(), pieces.end(), [](const auto& piece) { return !piece.numberStyle.empty(); });
            raw("{");
            word("listlevel");
            word("levelnfc", number == pieces.end() ? rtf::bulletFormat : rtf::numberFormat(number->numberStyle));
            word("levelstartat", 1);
            raw("{\\*");
            word("levelmarker");
            literal(std::string_view(format));
            raw("}");
            writeLevelText(pieces, static_cast<int>(level));
            raw("}");
        }
        word("listid", static_cast<long>(i) + 1);
        raw("}");
    }
    raw("}{\\*");
    word("listoverridetable");
    for (size_t i = 0; i < m_lists.size(); ++i) {
        raw("{");
        word("listoverride");
        word("listid", static_cast<long>(i) + 1);
        word("listoverridecount", 0);
        word("ls", static_cast<long>(i) + 1);
        raw("}");
    }
    raw("}\n");
}

// The level's marker as list-aware readers draw it: a length byte, then the marker with
// \'0N standing for the number of level N; \levelnumbers says where those stand.
void RtfWriter::writeLevelText(const std::vector<TextList::Piece>& pieces, int level)
{
    constexpr size_t longest = 255;
    struct Character {
        char16_t c;
        bool number;
    };
    std::vector<Character> text;
    for (const auto& piece : pieces) {
        if (piece.numberStyle.empty()) {
            for (char16_t c : piece.text)
                text.push_back({ c, false });
        } else {
            text.push_back({ static_cast<char16_t>(level), true });
        }
    }
    text.resize(std::min(text.size(), longest));
    auto byte = [this](size_t value) {
        static constexpr char digits[] = "0123456789abcdef";
        m_out += "\\'";
        m_out.push_back(digits[value >> 4 & 15]);
        m_out.push_back(digits[value & 15]);
        m_delimit = false;
    };
    raw("{");
    word("leveltext");
    byte(text.size());
    for (const auto& [c, number] : text) {
        // A semicolon would end the text before its length says.
        if (number)
            byte(c);
        else if (c == u';' || c < 0x20)
            word("u", c);
        else
            literal(std::u16string_view(&c, 1));
    }
    raw(";}{");
    word("levelnumbers");
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i].number)
            byte(i + 1);
    }
    raw(";}");
}

void RtfWriter::writeRun(size_t start, size_t length, const Attributes& attributes)
{
    // Readers that take a paragraph's properties where a field starts must find them before
    // the field, not inside its result.
    if (attributes.link != m_state.link && !m_state.link.empty()) {
        raw("}}");
        m_state = m_beforeLink;
    }
    writeParagraphFormat(attributes.paragraph);
    if (!attributes.link.empty() && attributes.link != m_state.link)
        writeLink(attributes.link);
    writeCharacterFormat(attributes);
    bool inLabel = false;
    for (size_t i = start; i < start + length; ++i) {
        char16_t c = m_text.string()[i];
        // A label opens its paragraph: "X\t" after a line break within one is text.
        if (i == 0 || endsParagraph(m_text.string()[i - 1]))
            m_labelEnd = labelEnd(i, attributes.paragraph);
        // The marker typed into a list item is its label: list-aware readers draw their own
        // in its place, others show this one. A label is read as part of its list's paragraph,
        // so a piece of one that is not in the list stays ordinary text.
        if (inLabel != (i < m_labelEnd && !attributes.paragraph.textLists.empty())) {
            inLabel = !inLabel;
            inLabel ? (raw("{"), word("listtext")) : raw("}");
        }
        if (c == attachmentCharacter && attributes.attachment) {
            if (m_attachments == Rtf::Attachments::omitted)
                continue;
            raw("{{");
            word("NeXTGraphic");
            literal(std::string_view(attributes.attachment->fileName));
            raw("}\\'ac}");
        } else {
            character(c);
        }
    }
    if (inLabel)
        raw("}");
}

// Tab, marker, tab, as the pads' list shortcuts type them, or a label kept from elsewhere in
// another form; text that is no marker is left as ordinary text.
size_t RtfWriter::labelEnd(size_t paragraphStart, const ParagraphStyle& paragraph) const
{
    if (paragraph.textLists.empty())
        return 0;
    auto start = std::u16string_view(m_text.string()).substr(paragraphStart, 2 * ListLabel::longestMarker + 1);
    size_t length = ListLabel::length(start, paragraph.textLists.back());
    return length ? paragraphStart + length : 0;
}

void RtfWriter::writeLink(const std::string& link)
{
    m_beforeLink = m_state;
    m_state.link = link;
    raw("{");
    word("field");
    raw("{\\*");
    word("fldinst");
    raw("{");
    literal(std::string_view("HYPERLINK \""));
    std::string target;
    for (char c : link) {
        if (c == '"' || c == '\\')
            target.push_back('\\');
        target.push_back(c);
    }
    literal(std::string_view(target));
    literal(std::string_view("\""));
    raw("}}{");
    word("fldrslt");
}

void RtfWriter::writeParagraphFormat(const ParagraphStyle& paragraph)
{
    if (paragraph == m_state.paragraph)
        return;
    word("pard");
    switch (paragraph.alignment) {
    case Alignment::Natural:
        break;
    case Alignment::Left:
        word("ql");
        break;
    case Alignment::Center:
        word("qc");
        break;
    case Alignment::Right:
        word("qr");
        break;
    case Alignment::Justified:
        word("qj");
        break;
    }
    if (!paragraph.textLists.empty()) {
        word("ls", listIndex(paragraph.textLists));
        word("ilvl", static_cast<long>(paragraph.textLists.size()) - 1);
    }
    m_state.paragraph = paragraph;
}

void RtfWriter::writeCharacterFormat(const Attributes& attributes)
{
    int color = colorIndex(attributes.foreground);
    // Only \plain can take a font back to "unsaid".
    if (!attributes.font && m_state.fontName) {
        word("plain");
        WriterState plain;
        plain.paragraph = std::move(m_state.paragraph);
        plain.link = std::move(m_state.link);
        m_state = std::move(plain);
    }
    // The associated properties change with the ordinary ones, wherever they do: other
    // programs give a neutral character after complex text (and complex text typed later)
    // the associated ones.
    if (attributes.font)
        writeComplexScriptFormat(*attributes.font);
    writeFontFormat(attributes.font);
    int underline = attributes.underline ? 1 : 0;
    if (underline != m_state.underline)
        underline ? word("ul") : word("ulnone");
    int strikethrough = attributes.strikethrough ? 1 : 0;
    if (strikethrough != m_state.strikethrough)
        word("strike", strikethrough);
    if (color != m_state.color)
        word("cf", color);
    m_state.underline = underline;
    m_state.strikethrough = strikethrough;
    m_state.color = color;
}

void RtfWriter::writeFontFormat(const std::optional<gfx::Font>& font)
{
    if (!font)
        return;
    const std::string& name = font->postScriptName;
    if (m_state.fontName != name)
        word("f", fontIndex(name));
    int halfPoints = halfPointsOf(font->pointSize);
    if (!m_state.fontName || halfPoints != m_state.halfPoints)
        word("fs", halfPoints);
    // The name carries the traits; \b and \i say them again for readers that only know those.
    bool bold = FontTraits::isBold(*font);
    bool italic = FontTraits::isItalic(*font);
    if (bold != m_state.bold)
        word("b", bold ? 1 : 0);
    if (italic != m_state.italic)
        word("i", italic ? 1 : 0);
    m_state.fontName = name;
    m_state.halfPoints = halfPoints;
    m_state.bold = bold;
    m_state.italic = italic;
}

// Other programs give complex scripts bold, italic and size of their own, the associated
// properties, and read \b, \i and \fs for Latin text only. Said in the form that marks
// them for right-to-left runs, and back to left-to-right for the ordinary ones.
void RtfWriter::writeComplexScriptFormat(const gfx::Font& font)
{
    bool bold = FontTraits::isBold(font);
    bool italic = FontTraits::isItalic(font);
    int halfPoints = halfPointsOf(font.pointSize);
    if (m_state.complexBold.value_or(false) == bold && m_state.complexItalic.value_or(false) == italic && m_state.complexHalfPoints == halfPoints)
        return;
    word("rtlch");
    if (m_state.complexBold.value_or(false) != bold)
        word("ab", bold ? 1 : 0);
    if (m_state.complexItalic.value_or(false) != italic)
        word("ai", italic ? 1 : 0);
    if (m_state.complexHalfPoints != halfPoints)
        word("afs", halfPoints);
    word("ltrch");
    m_state.complexBold = bold;
    m_state.complexItalic = italic;
    m_state.complexHalfPoints = halfPoints;
}

void RtfWriter::word(std::string_view w)
{
    m_out.push_back('\\');
    m_out.append(w);
    m_delimit = true;
}

void RtfWriter::word(std::string_view w, long parameter)
{
    word(w);
    if (w == "b" || w == "i" || w == "ab" || w == "ai" || w == "strike") {
        // \b and \b1 mean the same; the short form is what readers expect.
        if (parameter == 0)
            m_out.push_back('0');
        return;
    }
    m_out.append(std::to_string(parameter));
}

void RtfWriter::raw(std::string_view s)
{
    m_out.append(s);
    m_delimit = false;
}

void RtfWriter::character(char16_t c)
{
    switch (c) {
    case u'\\':
        raw("\\\\");
        return;
    case u'{':
        raw("\\{");
        return;
    case u'}':
        raw("\\}");
        return;
    case u'\t':
        word("tab");
        return;
    default:
        break;
    }
    if (isNewline(c)) {
        writeBreak(c);
        return;
    }
    if (c < 0x20 || c >= 0x7F) {
        word("u", c > 0x7FFF ? static_cast<long>(c) - 65536 : static_cast<long>(c));
        return;
    }
    if (m_delimit)
        m_out.push_back(' ');
    m_out.push_back(static_cast<char>(c));
    m_delimit = false;
}

// Every newline breaks the line in other programs too: a paragraph, a line or a page as it
// means. The ones that share a word with another are named for this program's reader first
// (a word other readers pass over), so that they read back as the same characters.
void RtfWriter::writeBreak(char16_t c)
{
    bool page = breaksPage(c);
    bool line = breaksLineOnly(c);
    if (c != u'\n' && c != 0x2028 && !page)
        word("ostrelbreak", c);
    word(page ? "page" : line ? "line" : "par");
    if (!line)
        raw("\n");
}

// Names and instructions keep their newlines as characters: a table reads no breaks.
void RtfWriter::literal(std::u16string_view s)
{
    for (char16_t c : s)
        isNewline(c) ? word("u", c) : character(c);
}

void RtfWriter::literal(std::string_view utf8)
{
    literal(std::u16string_view(toUtf16(utf8)));
}

}

std::string Rtf::write(const AttributedString& text, const DocumentAttributes& attributes, Attachments attachments)
{
    return RtfWriter(text, attributes, attachments).write();
}

}
