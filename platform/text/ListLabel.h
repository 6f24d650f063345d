#pragma once

#include <cstddef>
#include <string_view>

namespace text {

// The label a list item starts with: its marker, which list-aware programs draw in its
// place. This program keeps it as tab, marker, tab, as the pads' list shortcuts type it;
// text from elsewhere may have other white space around the marker, or a marker that its
// list's format would not make (a symbol font's bullet, the numbers of several levels).
class ListLabel {
public:
    static constexpr size_t longestMarker = 32;

    // The length of the label that `paragraph` starts with in a list of `format`, up to and
    // including the tab after the marker; 0 when it starts with none.
    static size_t length(std::u16string_view paragraph, std::string_view format);

    // Whether `marker` can be an item's marker in a list of `format`: one the format makes,
    // a bullet of any kind, or a number in the format's style with punctuation around it and
    // the numbers of the levels above before it ("2.iv)").
    static bool isMarker(std::string_view format, std::u16string_view marker);

    // The marker of a label: the label without the white space around it.
    static std::u16string_view marker(std::u16string_view label);
};

}
