#include "core/KeyCombo.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(Key, CodesCoverTheLayoutExceptItsGaps)
{
    int known = 0;
    for (uint32_t code = 0; code <= 130; ++code) {
        auto key = Key::withCarbonKeyCode(code);
        if (!key)
            continue;
        ++known;
        EXPECT_EQ(key->carbonKeyCode(), code);
    }
    EXPECT_EQ(known, Key::count);
    for (uint32_t gap : { 0x0A, 0x34, 0x42, 0x44, 0x46, 0x4D, 0x5D, 0x5E, 0x5F, 0x66, 0x68, 0x6C, 0x6E, 0x70, 127 })
        EXPECT_FALSE(Key::withCarbonKeyCode(gap)) << gap;
    EXPECT_EQ(Key::withCarbonKeyCode(0x0F), Key(Key::r));
    EXPECT_EQ(Key::withCarbonKeyCode(0x7A), Key(Key::f1));
}

TEST(Key, MenuKeyEquivalentsAndNamesFindTheirKey)
{
    EXPECT_EQ(Key::withString("q"), Key(Key::q));
    EXPECT_EQ(Key::withString("Q"), Key(Key::q));
    EXPECT_EQ(Key::withString("1"), Key(Key::one));
    EXPECT_EQ(Key::withString(","), Key(Key::comma));
    EXPECT_EQ(Key::withString("'"), Key(Key::quote));
    EXPECT_EQ(Key::withString("PageDown"), Key(Key::pageDown));
    EXPECT_EQ(Key::withString("f12"), Key(Key::f12));
    EXPECT_EQ(Key::withString("\r"), Key(Key::return_));
    EXPECT_EQ(Key::withString("\u23CE"), Key(Key::return_));
    EXPECT_EQ(Key::withString("\u21A9\uFE0E"), Key(Key::return_));
    EXPECT_EQ(Key::withString("keypadEnter"), Key(Key::keypadEnter));
    EXPECT_EQ(Key::withString("\u2318"), Key(Key::command));
    EXPECT_EQ(Key::withString("\u2327"), Key(Key::keypadClear));
    EXPECT_EQ(Key::withString(" "), Key(Key::space));
    EXPECT_EQ(Key::withString("\uFF40"), Key(Key::grave));
}

TEST(Key, TextsOfNoKeyFindNothing)
{
    EXPECT_FALSE(Key::withString(""));
    EXPECT_FALSE(Key::withString("ab"));
    EXPECT_FALSE(Key::withString("\""));
    EXPECT_FALSE(Key::withString("UP ARROW"));
}

TEST(KeyCombo, DescribesItselfAsTheLinuxDesktopShowsKeys)
{
    // Control is the Super key here, command Ctrl, option Alt; the stored values keep their meaning.
    EXPECT_EQ(KeyCombo(15, 0x1000).description(), "Super+R");
    EXPECT_EQ(KeyCombo(45, 0x900).description(), "Ctrl+Alt+N");
    EXPECT_EQ(KeyCombo(1, 0x300).description(), "Ctrl+Shift+S");
    EXPECT_EQ(KeyCombo(0x76, 0x800).description(), "Alt+F4");
    EXPECT_EQ(KeyCombo(0x7A, 0).description(), "F1");
    EXPECT_EQ(KeyCombo(15, 0x1B00).description(), "Super+Ctrl+Alt+Shift+R");
    EXPECT_EQ(KeyCombo(0x0A, 0x100).description(), "Ctrl") << "a code of no key gives the modifiers alone";
    EXPECT_EQ(KeyCombo(0x0A, 0).description(), "");
    EXPECT_EQ(KeyCombo(0x24, 0x100).description(), "Ctrl+Enter");
    EXPECT_EQ(KeyCombo(0x14, 0x1200).description(), "Super+Shift+3");
}

TEST(Key, DescriptionsAreTheKeysNamesOnThisDesktop)
{
    EXPECT_EQ(Key(Key::a).description(), "A");
    EXPECT_EQ(Key(Key::zero).description(), "0");
    EXPECT_EQ(Key(Key::quote).description(), "'");
    EXPECT_EQ(Key(Key::grave).description(), "`");
    EXPECT_EQ(Key(Key::semicolon).description(), ";");
    EXPECT_EQ(Key(Key::space).description(), "Space");
    EXPECT_EQ(Key(Key::return_).description(), "Enter");
    EXPECT_EQ(Key(Key::delete_).description(), "Backspace");
    EXPECT_EQ(Key(Key::forwardDelete).description(), "Delete");
    EXPECT_EQ(Key(Key::escape).description(), "Esc");
    EXPECT_EQ(Key(Key::command).description(), "Ctrl");
    EXPECT_EQ(Key(Key::control).description(), "Super");
    EXPECT_EQ(Key(Key::option).description(), "Alt");
    EXPECT_EQ(Key(Key::pageDown).description(), "Page Down");
    EXPECT_EQ(Key(Key::upArrow).description(), "Up");
    EXPECT_EQ(Key(Key::f12).description(), "F12");
    EXPECT_EQ(Key(Key::keypad7).description(), "Keypad 7");
    for (int index = 0; index < Key::count; ++index)
        EXPECT_FALSE(Key(static_cast<Key::Value>(index)).description().empty()) << index;
}

TEST(KeyCombo, ModifierConversionKeepsOnlyTheFour)
{
    auto flags = EventModifier::command | EventModifier::option | EventModifier::capsLock;
    EXPECT_EQ(carbonModifiersFromEventModifiers(flags), 0x900u);
    EXPECT_EQ(carbonModifiersFromEventModifiers(EventModifier::function | EventModifier::numericPad), 0u);
    EXPECT_EQ(eventModifiersFromCarbonModifiers(0x1B00 | 0x1),
        EventModifier::command | EventModifier::option | EventModifier::shift | EventModifier::control);
    KeyCombo combo(Key::n, EventModifier::command | EventModifier::option);
    EXPECT_EQ(combo, KeyCombo(45, 2304));
    EXPECT_EQ(modifierSymbols(combo.modifiers()), "Ctrl+Alt+");
    EXPECT_EQ(modifierSymbols(EventModifier::control | EventModifier::shift | EventModifier::capsLock), "Super+Shift+");
}

TEST(KeyCombo, JSONRoundTripsAndNullMeansNone)
{
    EXPECT_EQ(keyComboJSON(KeyCombo(15, 4096)), R"({"carbonKeyCode":15,"carbonModifiers":4096})");
    EXPECT_EQ(keyComboJSON(std::nullopt), "null");
    EXPECT_EQ(keyComboFromJSON(keyComboJSON(KeyCombo(0x7E, 0x1B00))), std::optional(std::optional(KeyCombo(0x7E, 0x1B00))));
    auto none = keyComboFromJSON("null");
    ASSERT_TRUE(none);
    EXPECT_FALSE(*none);
    EXPECT_EQ(keyComboFromJSON(R"({"carbonModifiers":256,"carbonKeyCode":1,"extra":"x"})"),
        std::optional(std::optional(KeyCombo(1, 256))));
}

TEST(KeyCombo, DictionaryFormNeedsBothIntegers)
{
    KeyCombo combo(31, 2816);
    EXPECT_EQ(KeyCombo::fromDictionary(combo.dictionary()), combo);
    EXPECT_FALSE(KeyCombo::fromDictionary({}));
    EXPECT_FALSE(KeyCombo::fromDictionary({ { "keyCode", 31 } }));
    EXPECT_FALSE(KeyCombo::fromDictionary({ { "keyCode", 31 }, { "modifiers", "2816" } }));
    EXPECT_FALSE(KeyCombo::fromDictionary({ { "keyCode", -1 }, { "modifiers", 0 } }));
    EXPECT_FALSE(KeyCombo::fromDictionary({ { "keyCode", 1LL << 33 }, { "modifiers", 0 } }));
}

TEST(KeyCombo, BadJSONGivesNoAnswer)
{
    for (const char* text : { "", "{", "not json", "[]", "15", R"({"carbonKeyCode":15})",
             R"({"carbonKeyCode":15,"carbonModifiers":-1})", R"({"carbonKeyCode":15.5,"carbonModifiers":0})",
             R"({"carbonKeyCode":4294967296,"carbonModifiers":0})", R"({"carbonKeyCode":"15","carbonModifiers":0})" })
        EXPECT_FALSE(keyComboFromJSON(text)) << text;
}

}
}
