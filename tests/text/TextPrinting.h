#pragma once

#include "platform/text/AttributedString.h"

#include <ostream>

namespace text {

// Readable failure messages: what a run carries, and the text with each run's length.
inline void PrintTo(const Attributes& a, std::ostream* out)
{
    *out << '{';
    if (a.font)
        *out << ' ' << a.font->postScriptName << ' ' << a.font->pointSize;
    if (a.foreground)
        *out << " rgb(" << a.foreground->red << ',' << a.foreground->green << ',' << a.foreground->blue << ')';
    if (a.underline)
        *out << " ul";
    if (a.strikethrough)
        *out << " strike";
    if (!a.link.empty())
        *out << " link " << a.link;
    if (a.paragraph.alignment != Alignment::Natural)
        *out << " align " << static_cast<int>(a.paragraph.alignment);
    for (const auto& list : a.paragraph.textLists)
        *out << " list " << list;
    if (a.attachment)
        *out << " attachment " << a.attachment->fileName << " (" << a.attachment->data().size() << " bytes)";
    *out << " }";
}

inline void PrintTo(const AttributedString& s, std::ostream* out)
{
    *out << '"' << s.utf8() << '"';
    for (const auto& run : s.runs()) {
        *out << " [" << run.length << ' ';
        PrintTo(run.attributes, out);
        *out << ']';
    }
}

}
