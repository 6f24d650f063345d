#pragma once

namespace text {

// Single-byte code pages for RTF's \'hh escapes. Files from other programs name their page
// with \ansicpg or per font with \fcharset; an unknown page reads as Windows-1252, the page
// nearly every such file uses.
class CodePage {
public:
    static constexpr int windowsLatin1 = 1252;

    static bool isSupported(int codePage);
    static char16_t decode(int codePage, unsigned char byte);
    // The page a font's \fcharset asks for; the document's own page for ANSI and defaults.
    static int forCharset(int charset, int documentCodePage);
};

}
