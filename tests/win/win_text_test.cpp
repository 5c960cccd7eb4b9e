#include <gtest/gtest.h>
#include <windows.h>

#include "base/win_text.h"
#include "text/text.h"

TEST(WinText, ConvertsThroughCodePage932WhateverTheSystemCodePage) {
    const std::string sjis = "表示ソフト\\ｱｸｾｻﾘ";
    std::wstring wide = Widen(sjis);
    EXPECT_EQ(wide, L"表示ソフト\\ｱｸｾｻﾘ");
    EXPECT_EQ(Narrow(wide), sjis);
    EXPECT_EQ(Widen(""), L"");
    EXPECT_EQ(Narrow(L""), "");
}

TEST(WinText, CoreLowerCasingAgreesWithTheSystemOnCapitals) {
    // The system lower-cases the full-width Latin, Greek and Cyrillic capitals;
    // compare in UTF-16 so the check holds on any system code page.
    const std::string capitals = "ABCＡＢＣＸＹＺΑΒΓΩАБВЁЖЯ";
    std::wstring expected = Widen(capitals);
    CharLowerBuffW(expected.data(), static_cast<DWORD>(expected.size()));
    EXPECT_EQ(Widen(AnsiLowerCase(capitals)), expected);
}
