#include "platform/base/KeyCodes.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
// Last: Xlib's macros (None, Bool) would break the headers above.
#include <X11/Xlib.h>

using base::KeyCodes;

TEST(KeyCodes, TableHas114KeysAndTheLayoutGaps)
{
    EXPECT_EQ(KeyCodes::all().size(), 114u);
    std::set<std::uint32_t> codes;
    for (const auto& key : KeyCodes::all()) {
        codes.insert(std::uint32_t(key.code));
        ASSERT_EQ(KeyCodes::find(std::uint32_t(key.code)), &key) << key.name;
    }
    EXPECT_EQ(codes.size(), 114u);
    // The context-menu key fills the gap the layout left at 0x6E.
    EXPECT_EQ(KeyCodes::find(0x6E)->name, "Menu");
    for (std::uint32_t gap : { 0x0A, 0x34, 0x42, 0x44, 0x46, 0x4D, 0x5D, 0x5E, 0x5F, 0x66, 0x68, 0x6C, 0x70 })
        EXPECT_EQ(KeyCodes::find(gap), nullptr) << gap;
    EXPECT_EQ(KeyCodes::find(0x7F), nullptr);
    EXPECT_EQ(KeyCodes::find(0xFFFFFFFF), nullptr);
}

TEST(KeyCodes, CodesTheStoredCombinationsUse)
{
    // Control-R opens the pop-up, Option-Command-N the Now pad, Command-Return starts a slice.
    EXPECT_EQ(std::uint32_t(base::KeyCode::R), 15u);
    EXPECT_EQ(std::uint32_t(base::KeyCode::N), 45u);
    EXPECT_EQ(std::uint32_t(base::KeyCode::Return), 0x24u);
    EXPECT_EQ(std::uint32_t(base::KeyCode::UpArrow), 126u);
    EXPECT_EQ(std::uint32_t(base::KeyCode::F1), 0x7Au);
    EXPECT_EQ(std::uint32_t(base::KeyCode::Keypad0), 0x52u);
    EXPECT_EQ(base::KeyModifier::Option | base::KeyModifier::Command, 2304u);
    EXPECT_EQ(base::KeyModifier::All, 0x1B00u);
    EXPECT_EQ(KeyCodes::find(15)->name, "r");
    EXPECT_EQ(KeyCodes::find(0x24)->name, "Return");
}

TEST(KeyCodes, NamesAndKeysymsAgreeWithX)
{
    for (const auto& key : KeyCodes::all()) {
        std::string name(key.name);
        KeySym fromName = XStringToKeysym(name.c_str());
        if (fromName == 0 && name == "XF86Fn")
            continue; // older libX11 lacks the name; the value is still the evdev Fn keysym
        EXPECT_EQ(fromName, KeySym(key.keysym)) << name;
    }
}

TEST(KeyCodes, KeysymsMapBackToCodes)
{
    EXPECT_EQ(KeyCodes::codeForKeysym(0x72), base::KeyCode::R);
    EXPECT_EQ(KeyCodes::codeForKeysym(0x52), base::KeyCode::R) << "Shift-R arrives as upper case";
    EXPECT_EQ(KeyCodes::codeForKeysym(0xff0d), base::KeyCode::Return);
    EXPECT_EQ(KeyCodes::codeForKeysym(0xff8d), base::KeyCode::KeypadEnter);
    EXPECT_EQ(KeyCodes::codeForKeysym(0xffbe), base::KeyCode::F1);
    EXPECT_EQ(KeyCodes::codeForKeysym(0xffe3), base::KeyCode::Command) << "Ctrl is the Command key";
    EXPECT_EQ(KeyCodes::codeForKeysym(0xffeb), base::KeyCode::Control) << "Super is the Control key";
    EXPECT_EQ(KeyCodes::codeForKeysym(0x21), std::nullopt) << "'!' is Shift-1, not a key of its own";
    for (const auto& key : KeyCodes::all())
        EXPECT_EQ(KeyCodes::codeForKeysym(key.keysym), key.code) << key.name;
}
