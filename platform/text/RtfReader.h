#pragma once

// The RTF reader's own state, shared by its two halves: RtfReader.cpp reads the file's
// groups, words and text; RtfControlWords.cpp says what each control word means.

#include "platform/text/CodePage.h"
#include "platform/text/Document.h"
#include "platform/text/Unicode.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace text::rtf {

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
    LevelText,
    ListText,
    FieldInstruction,
    Attachment,
    DocumentDefaults,
};

// Bold, italic and size that one class of scripts takes in place of the ordinary ones, where
// the file says so (RTF's associated character properties).
struct ScriptFormat {
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<int> halfPoints;

    bool said() const { return bold || italic || halfPoints; }
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
    ScriptFormat complexScript;
    ScriptFormat eastAsian;
    // The class the file named last (\rtlch, \ltrch, \loch, \hich, \dbch): the one that
    // \b, \i, \fs and their associated forms describe. A run named East Asian gives all its
    // text but complex scripts the East Asian formatting.
    std::optional<ScriptClass> namedScript;
    // Whether the run is right to left (\rtlch until \ltrch): its neutral characters take the
    // complex scripts' formatting, even where it names \loch or \hich after.
    bool rightToLeft { false };
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

// A list level's marker format: this program's own where the file says it (\levelmarker),
// otherwise made from what other programs say of it.
struct ListLevel {
    std::string marker;
    bool explicitMarker { false };
    std::optional<int> numberFormat;
    std::optional<std::u16string> levelText;
};

struct ListDefinition {
    int id { 0 };
    std::vector<ListLevel> levels;
};

struct ListOverride {
    int listId { 0 };
    int number { 0 };
};

class Reader {
public:
    explicit Reader(std::string_view data)
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
    bool scriptWord(std::string_view word, bool hasParameter, int parameter);
    bool tableWord(std::string_view word, bool hasParameter, int parameter);
    void plainText();
    void rawByte(unsigned char byte);
    void emit(char16_t c);
    void emitText(char16_t c);
    void emitAttachment(const std::string& fileName);
    ScriptClass scriptOf(char16_t c);
    void placeLabel();
    void settleLabel(size_t start, const std::string& format);
    void describeLevel(const State& state);
    void startSkipping();
    bool dropForUnicodeFallback();
    void flush();
    void account(size_t runsBefore);
    void problem(std::string_view what);

    int codePage();
    std::optional<gfx::Font> fontFor(const State& state, ScriptClass script = ScriptClass::Latin) const;
    std::optional<gfx::Color> colorFor(const State& state) const;
    std::vector<std::string> listsFor(const State& state) const;
    ParagraphStyle paragraphFor(const State& state) const;
    Attributes attributesFor(const State& state, ScriptClass script = ScriptClass::Latin) const;
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
    size_t m_formattingBytes { 0 };

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
    // Where a list item's label read before its paragraph's properties starts in the text.
    std::optional<size_t> m_labelStart;
    // The last item number of each level of each list (by \ls), for labels that say none.
    std::map<int, std::array<int, maximumListLevels>> m_itemNumbers;
    // The newline that the next \par, \line or \page stands for, when this program wrote it.
    char16_t m_breakAs { 0 };

    Document m_document;
    std::u16string m_pending;
    Attributes m_pendingAttributes;
    ScriptClass m_pendingScript { ScriptClass::Latin };
    ScriptClass m_lastScript { ScriptClass::Latin };
    bool m_attributesStale { true };
};

}
