#include "platform/text/RtfReader.h"

#include "platform/text/Rtf.h"
#include "platform/text/RtfNumbering.h"
#include "platform/text/Unicode.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <utility>

namespace text::rtf {

bool Reader::destinationWord(std::string_view word)
{
    static const std::unordered_map<std::string_view, Destination> destinations {
        { "fonttbl", Destination::FontTable },
        { "colortbl", Destination::ColorTable },
        { "listtable", Destination::ListTable },
        { "listoverridetable", Destination::ListOverrideTable },
        { "levelmarker", Destination::LevelMarker },
        { "leveltext", Destination::LevelText },
        { "listtext", Destination::ListText },
        { "pntext", Destination::ListText },
        { "ostreldocumentdefaults", Destination::DocumentDefaults },
    };
    static const std::unordered_map<std::string_view, bool> skipped {
        { "info", true }, { "stylesheet", true }, { "pict", true }, { "object", true },
        { "header", true }, { "headerl", true }, { "headerr", true }, { "headerf", true },
        { "footer", true }, { "footerl", true }, { "footerr", true }, { "footerf", true },
        { "footnote", true }, { "xe", true }, { "tc", true }, { "themedata", true },
        { "colorschememapping", true }, { "latentstyles", true }, { "datastore", true },
        { "revtbl", true }, { "rsidtbl", true }, { "filetbl", true },
        { "levelnumbers", true }, { "listname", true }, { "nonshppict", true }, { "generator", true },
        { "shp", true }, { "xmlnstbl", true }, { "mmathPr", true }, { "pgdsctbl", true },
    };
    State& state = top();
    if (auto found = destinations.find(word); found != destinations.end()) {
        if (found->second == Destination::LevelMarker || found->second == Destination::LevelText) {
            if (state.list < 0 || state.level < 0)
                return startSkipping(), true;
            auto& level = m_lists[state.list].levels[state.level];
            if (found->second == Destination::LevelText) {
                level.levelText.emplace();
            } else {
                level.marker.clear();
                level.explicitMarker = true;
            }
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

bool Reader::tableWord(std::string_view word, bool hasParameter, int parameter)
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
            auto& levels = m_lists[state.list].levels;
            if (levels.size() >= maximumListLevels)
                return true;
            levels.emplace_back();
            state.level = static_cast<int>(levels.size()) - 1;
        } else if (word == "levelnfc" && state.list >= 0 && state.level >= 0) {
            m_lists[state.list].levels[state.level].numberFormat = parameter;
            describeLevel(state);
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

bool Reader::characterWord(std::string_view word, bool hasParameter, int parameter)
{
    State& state = top();
    auto on = [&] { return !hasParameter || parameter != 0; };
    auto restyle = [&] { m_attributesStale = true; };
    // Looked through for every control word of every file a log loads: twenty words are
    // told apart by their lengths faster than hashed.
    static constexpr std::pair<std::string_view, char16_t> symbols[] {
        { "par", u'\n' }, { "line", 0x2028 }, { "tab", u'\t' }, { "page", 0x000C }, { "cell", u'\t' },
        { "row", u'\n' }, { "emdash", 0x2014 }, { "endash", 0x2013 }, { "bullet", 0x2022 },
        { "lquote", 0x2018 }, { "rquote", 0x2019 }, { "ldblquote", 0x201C }, { "rdblquote", 0x201D },
        { "emspace", 0x2003 }, { "enspace", 0x2002 }, { "qmspace", 0x2005 }, { "zwj", 0x200D },
        { "zwnj", 0x200C }, { "ltrmark", 0x200E }, { "rtlmark", 0x200F },
    };
    auto symbol = std::find_if(std::begin(symbols), std::end(symbols), [word](const auto& entry) { return entry.first == word; });
    if (symbol != std::end(symbols)) {
        bool isBreak = word == "par" || word == "line" || word == "page";
        emit(isBreak && m_breakAs ? m_breakAs : symbol->second);
    } else if (word == "ostrelbreak" && hasParameter) {
        m_breakAs = parameter > 0 && parameter <= 0xFFFF && isNewline(static_cast<char16_t>(parameter)) ? static_cast<char16_t>(parameter) : 0;
    } else if (scriptWord(word, hasParameter, parameter)) {
        restyle();
    } else if (word == "u" && hasParameter) {
        emit(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter));
        m_pendingFallback = state.unicodeSkip;
    } else if (word == "uc") {
        state.unicodeSkip = std::clamp(parameter, 0, 16);
    } else if (word == "f" && hasParameter) {
        state.font = parameter, state.fontSet = true, restyle();
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
        state.complexScript = state.eastAsian = {};
        state.namedScript.reset();
        state.rightToLeft = false;
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

// Bold, italic and size, ordinary (\b) or associated (\ab), describe the scripts the file
// named last: \rtlch the complex ones, \dbch East Asian text, \ltrch, \loch and \hich the
// ordinary formatting. Before any is named, the ordinary words are ordinary and the
// associated ones are for complex scripts.
bool Reader::scriptWord(std::string_view word, bool hasParameter, int parameter)
{
    State& state = top();
    static const std::unordered_map<std::string_view, ScriptClass> names {
        { "rtlch", ScriptClass::Complex }, { "dbch", ScriptClass::EastAsian },
        { "ltrch", ScriptClass::Latin }, { "loch", ScriptClass::Latin }, { "hich", ScriptClass::Latin },
    };
    if (auto named = names.find(word); named != names.end()) {
        state.namedScript = named->second;
        if (word == "rtlch" || word == "ltrch")
            state.rightToLeft = word == "rtlch";
        return true;
    }
    bool associated = word.starts_with('a');
    if (associated)
        word.remove_prefix(1);
    if (word != "b" && word != "i" && !(word == "fs" && hasParameter))
        return false;
    ScriptClass script = state.namedScript.value_or(associated ? ScriptClass::Complex : ScriptClass::Latin);
    bool on = !hasParameter || parameter != 0;
    int halfPoints = std::clamp(parameter, 1, 3276);
    if (script == ScriptClass::Latin) {
        if (word == "b")
            state.bold = on;
        else if (word == "i")
            state.italic = on;
        else
            state.halfPoints = halfPoints;
        state.fontSet = true;
        return true;
    }
    ScriptFormat& format = script == ScriptClass::Complex ? state.complexScript : state.eastAsian;
    if (word == "fs")
        format.halfPoints = halfPoints;
    else
        (word == "b" ? format.bold : format.italic) = on;
    return true;
}

// Lists from other programs describe a level by its numbering style and the text of its
// label rather than by a marker format.
void Reader::describeLevel(const State& state)
{
    auto& level = m_lists[state.list].levels[state.level];
    if (!level.explicitMarker)
        level.marker = markerFormat(level.numberFormat, level.levelText, state.level);
}

// HYPERLINK "target" or HYPERLINK \l "anchor"; inside the quotes a backslash escapes the
// next character.
std::string Reader::hyperlinkTarget(std::u16string_view instruction)
{
    size_t i = instruction.find_first_not_of(u" \t");
    if (i == std::u16string_view::npos || instruction.substr(i, 9) != u"HYPERLINK")
        return {};
    i += 9;
    bool anchor = false;
    while (i < instruction.size()) {
        while (i < instruction.size() && instruction[i] == u' ')
            ++i;
        if (i + 1 < instruction.size() && instruction[i] == u'\\' && instruction[i + 1] == u'l') {
            anchor = true;
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
    std::string result;
    if (!target.empty()) {
        if (anchor)
            result.push_back('#');
        result.append(toUtf8(target));
    }
    return result;
}

}
