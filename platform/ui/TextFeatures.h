#pragma once

namespace ui {

// The automatic help a text view gives while the user types. Smart quotes turn a typed ' or "
// into a curly one, smart dashes turn "--" into "—" once the next character follows, smart
// links make an address a link when a space or line break ends it, smart insert and delete
// keep one space between words when a word is pasted or a selection deleted, and continuous
// spell checking marks the unknown words of every paragraph shown (automatic correction
// puts the first suggestion in place when a word ends). The desktop offers no grammar
// checking, data detection or text replacement: those three are kept so that settings can
// name them, and they switch nothing.
struct TextFeatures {
    bool smartQuotes { false };
    bool smartDashes { false };
    bool smartLinks { false };
    bool smartInsertDelete { false };
    bool continuousSpellChecking { false };
    bool automaticSpellingCorrection { false };
    bool grammarChecking { false };
    bool dataDetection { false };
    bool textReplacement { false };

    bool operator==(const TextFeatures&) const = default;
};

}
