#include "platform/ui/Event.h"
#include "platform/ui/KeyTable.h"

#include <SDL_scancode.h>
#include <gtest/gtest.h>

using base::KeyCode;
using ui::KeyTable;

TEST(KeyTable, EveryKeyWithAScancodeMapsBackToItself)
{
    int mapped = 0;
    for (const auto& key : base::KeyCodes::all()) {
        int scancode = KeyTable::scancodeFor(key.code);
        if (scancode == SDL_SCANCODE_UNKNOWN)
            continue;
        ++mapped;
        EXPECT_EQ(KeyTable::codeForScancode(scancode), key.code) << key.name;
    }
    EXPECT_GT(mapped, 100);
}

TEST(KeyTable, CommonKeysHaveTheirScancodes)
{
    EXPECT_EQ(KeyTable::scancodeFor(KeyCode::R), SDL_SCANCODE_R);
    EXPECT_EQ(KeyTable::scancodeFor(KeyCode::Digit5), SDL_SCANCODE_5);
    EXPECT_EQ(KeyTable::scancodeFor(KeyCode::Escape), SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(KeyTable::scancodeFor(KeyCode::Delete), SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(KeyTable::scancodeFor(KeyCode::ForwardDelete), SDL_SCANCODE_DELETE);
    EXPECT_EQ(KeyTable::scancodeFor(KeyCode::UpArrow), SDL_SCANCODE_UP);
    EXPECT_EQ(KeyTable::codeForScancode(SDL_SCANCODE_UNKNOWN), std::nullopt);
    auto entry = KeyTable::find(KeyCode::Return);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name, "Return");
    EXPECT_EQ(entry->scancode, SDL_SCANCODE_RETURN);
}

TEST(KeyTable, ModifierFlagsConvertToAndFromStoredMasks)
{
    using namespace ui;
    std::uint32_t stored = base::KeyModifier::Control | base::KeyModifier::Option;
    std::uint32_t flags = ModifierFlag::fromKeyModifiers(stored);
    EXPECT_EQ(flags, ModifierFlag::Control | ModifierFlag::Option);
    EXPECT_EQ(ModifierFlag::toKeyModifiers(flags | ModifierFlag::CapsLock), stored);
}
