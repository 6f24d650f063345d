#include "platform/base/KeyCodes.h"
#include "platform/base/KeyNames.h"

#include <gtest/gtest.h>

using base::KeyCode;
namespace Names = base::KeyNames;
namespace Modifier = base::KeyModifier;

namespace {
constexpr std::uint32_t code(KeyCode key)
{
    return std::uint32_t(key);
}
}

TEST(KeyNames, EveryKeyHasANameOfItsOwn)
{
    for (const auto& key : base::KeyCodes::all()) {
        std::string_view name = Names::name(code(key.code));
        EXPECT_FALSE(name.empty()) << key.name;
        EXPECT_EQ(Names::codeNamed(name), code(key.code)) << name << " names another key too";
    }
    EXPECT_EQ(Names::name(0x0A), "");
    EXPECT_EQ(Names::codeNamed("page up"), code(KeyCode::PageUp));
    EXPECT_EQ(Names::codeNamed("f12"), code(KeyCode::F12));
    EXPECT_EQ(Names::codeNamed("Hyper"), std::nullopt);
}

TEST(KeyNames, ShortcutsReadAsTheDesktopShowsThem)
{
    // Command is Ctrl, Control is Super, Option is Alt; the order is fixed.
    EXPECT_EQ(Names::shortcut(Modifier::Command | Modifier::Shift, code(KeyCode::S)), "Ctrl+Shift+S");
    EXPECT_EQ(Names::shortcut(Modifier::Option, code(KeyCode::F4)), "Alt+F4");
    EXPECT_EQ(Names::shortcut(Modifier::All, code(KeyCode::R)), "Super+Ctrl+Alt+Shift+R");
    EXPECT_EQ(Names::shortcut(Modifier::Command, code(KeyCode::Return)), "Ctrl+Enter");
    EXPECT_EQ(Names::shortcut(0, code(KeyCode::Minus)), "-");
    EXPECT_EQ(Names::shortcut(Modifier::Command, 0x0A), "Ctrl");
    // Menu key equivalents come as the characters the keys type.
    EXPECT_EQ(Names::shortcut(Modifier::Command, std::string_view("q")), "Ctrl+Q");
    EXPECT_EQ(Names::shortcut(Modifier::Command, std::string_view(",")), "Ctrl+,");
    EXPECT_EQ(Names::shortcut(0, std::string_view("\x1b")), "Esc");
    EXPECT_EQ(Names::shortcut(Modifier::Command, std::string_view("\r")), "Ctrl+Enter");
    EXPECT_EQ(Names::shortcut(Modifier::Control, std::string_view("f12")), "Super+F12");
    EXPECT_EQ(Names::shortcut(Modifier::Command, std::string_view("é")), "Ctrl+é");
}
