#pragma once

#include "platform/text/AttributedString.h"

#include <optional>

namespace text {

// Settings of a whole rich-text document rather than of its runs: the default font and
// colour a writer hands over (as the pads' plain-text conversion does), paper and margins in
// twips, and the view kind. Kept through a read and a write so that a template's page set-up
// survives being filled in.
struct DocumentAttributes {
    std::optional<gfx::Font> font;
    std::optional<gfx::Color> foreground;
    std::optional<int> paperWidth;
    std::optional<int> paperHeight;
    std::optional<int> marginLeft;
    std::optional<int> marginRight;
    std::optional<int> marginTop;
    std::optional<int> marginBottom;
    std::optional<int> viewKind;

    bool operator==(const DocumentAttributes&) const = default;
};

struct Document {
    AttributedString text;
    DocumentAttributes attributes;
    // False when the read stopped short of the text's closing brace or left text after it,
    // or a file the package holds or names could not be read: writing such a document back
    // over its file would lose what was left out.
    bool complete { true };

    bool operator==(const Document&) const = default;
};

}
