#include "base/win_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "base/handles.h"
#include "text/text.h"
#include "win_test_util.h"

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

TEST(WinText, NeverSpellsALookAlike) {
    // Best fit would give "a\..\x" for the yen signs and "e" for é: names of
    // other files. '?' names none.
    EXPECT_EQ(Narrow(L"a\u00A5..\u00A5x"), "a?..?x");
    EXPECT_EQ(Narrow(L"caf\u00E9.txt"), "caf?.txt");
    EXPECT_EQ(Narrow(L"\U0001F600x"), "?x");  // a surrogate pair is one character

    std::string out;
    EXPECT_TRUE(NarrowExact(L"表示ソフト\\ｱｸｾｻﾘ", out));
    EXPECT_EQ(out, "表示ソフト\\ｱｸｾｻﾘ");
    EXPECT_FALSE(NarrowExact(L"C:\\a\u00A5b", out));
    EXPECT_EQ(out, "C:\\a?b");
    EXPECT_FALSE(NarrowExact(L"\u00E9", out));
    EXPECT_TRUE(NarrowExact(L"", out));
    EXPECT_EQ(out, "");
}

TEST(WinText, APathCodePage932CannotSpellGoesByItsShortName) {
    TTempFolder folder;
    const std::wstring base = Widen(folder.Path());
    // "a¥..¥x" spelled with backslashes would be the sibling "x".
    const std::wstring odd = base + L"a\u00A5..\u00A5x";
    ASSERT_TRUE(CreateDirectoryW(odd.c_str(), nullptr));
    MakeFolder(folder / "x");
    WriteTextFile(folder / "x\\inside.txt", "wrong one");
    const std::wstring file = odd + L"\\caf\u00E9.txt";
    {
        TFileHandle handle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(handle);
    }

    std::optional<std::string> named = NarrowPath(file);
    ASSERT_TRUE(named.has_value());
    EXPECT_EQ(named->find("\\..\\"), std::string::npos) << *named;
    // The name reaches the very same file.
    std::wstring longName(MAX_PATH, L'\0');
    const DWORD n = GetLongPathNameW(Widen(*named).c_str(), longName.data(), MAX_PATH);
    longName.resize(n);
    EXPECT_EQ(CompareStringOrdinal(longName.c_str(), -1, file.c_str(), -1, TRUE), CSTR_EQUAL) << *named;

    // A name that can be spelled stays as it is, existing or not.
    EXPECT_EQ(NarrowPath(L"C:\\表示\\無い.exe"), std::optional<std::string>("C:\\表示\\無い.exe"));
    // Missing and unspellable: nothing to go by.
    EXPECT_FALSE(NarrowPath(base + L"missing\u00A5file").has_value());
}
