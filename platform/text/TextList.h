#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// The marker a list item shows, from the list's marker format: "{disc}" gives "•",
// "({decimal})" gives "(3)" for item 3, and text outside the braces stays as written ("➤").
// The pads type the marker into the text when a list shortcut fires.
class TextList {
public:
    static std::u16string marker(std::string_view format, int itemNumber);

    // The format cut into the text every item shows and the places of the item number
    // ("({decimal})" gives "(", the number in "decimal", ")"), as list tables that keep a
    // level's text with its number's place marked want it. Bullets are text here.
    struct Piece {
        std::u16string text;
        std::string numberStyle;
        bool operator==(const Piece&) const = default;
    };
    static std::vector<Piece> pieces(std::string_view format);

    // The format whose marker is `marker` for every item: a bullet by its name where it has
    // one ("•" gives "{disc}"), other text as written.
    static std::string formatOf(std::u16string_view marker);

    // The item whose marker `text` is, if it is one: "(12)" is item 12 of "({decimal})".
    static std::optional<int> itemNumber(std::string_view format, std::u16string_view text);
};

}
