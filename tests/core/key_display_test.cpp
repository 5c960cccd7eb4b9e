#include <gtest/gtest.h>

#include <string>

#include "settings/keys.h"

namespace {

std::string Widened(const std::string& keyText) {
    std::string out;
    for (char c : keyText) out += c == '+' ? std::string(" + ") : std::string(1, c);
    return out;
}

}  // namespace

TEST(KeyDisplayText, NamedKeysShowTheKeyTextWithBlanksAroundEveryPlus) {
    EXPECT_EQ(ShortCutToDisplayText(KeyCtrl | KeyAlt | 'A'), "Ctrl + Alt + A");
    EXPECT_EQ(ShortCutToDisplayText(KeyShift | KeyCtrl | KeyAlt | 0x70), "Shift + Ctrl + Alt + F1");
    EXPECT_EQ(ShortCutToDisplayText(0x0D), "Enter");
    for (int key = 1; key <= 0xFF; ++key) {
        for (uint16_t mods : {0, 0x2000, 0x4000, 0x8000, 0xE000}) {
            const uint16_t combination = static_cast<uint16_t>(key | mods);
            const std::string text = ShortCutToText(combination);
            if (!text.empty()) {
                EXPECT_EQ(ShortCutToDisplayText(combination, "ignored"), Widened(text)) << key;
            }
        }
    }
}

TEST(KeyDisplayText, NoKeyAndKeysWithoutANameStillShowSomething) {
    EXPECT_EQ(ShortCutToDisplayText(0), "なし");
    EXPECT_EQ(ShortCutToDisplayText(KeyCtrl), "なし");  // modifiers without a key are no key
    // A bare modifier: its name comes from the keyboard layout.
    EXPECT_EQ(ShortCutToDisplayText(KeyShift | 0x10, "Shift"), "Shift + Shift");
    // A layout that names a key "+" keeps the separators apart.
    EXPECT_EQ(ShortCutToDisplayText(KeyCtrl | 0xBB, "+"), "Ctrl + +");
    EXPECT_EQ(ShortCutToDisplayText(KeyAlt | 0xE5), "Alt + 0xE5");
    EXPECT_EQ(ShortCutToDisplayText(0x0C), "0x0C");
}
