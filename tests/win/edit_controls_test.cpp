// The hot-key field and the font list: real EDIT and COMBOBOX windows driven
// by messages, their notifications passed on by a parent as a dialog would.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "base/win_text.h"
#include "controls/font_combo.h"
#include "controls/hot_key_edit.h"
#include "controls_test_support.h"
#include "settings/keys.h"

namespace {

// Passes its controls' notifications on, and counts the drawings it could not.
class TReflectingParent : public TTestTopWindow {
public:
    int DrawsReflected = 0;
    int DrawsLeft = 0;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        const bool reflected = TStdControl::ReflectToControl(Handle(), msg, wParam, lParam, result);
        if (msg == WM_DRAWITEM) ++(reflected ? DrawsReflected : DrawsLeft);
        if (reflected) return result;
        return TTestTopWindow::HandleMessage(msg, wParam, lParam);
    }
};

// The modifiers held, as the thread's key state says; released when the object goes.
class THeldKeys {
public:
    explicit THeldKeys(std::vector<int> keys) {
        BYTE state[256] = {};
        for (int key : keys) state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~THeldKeys() {
        BYTE state[256] = {};
        SetKeyboardState(state);
    }
    THeldKeys(const THeldKeys&) = delete;
    THeldKeys& operator=(const THeldKeys&) = delete;
};

std::string TextOf(HWND wnd) {
    wchar_t text[256] = {};
    GetWindowTextW(wnd, text, 256);
    return Narrow(text);
}

LPARAM KeyData(UINT key, bool alt = false) {
    return 1 | static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16) | (alt ? (1L << 29) : 0);
}

void PressKey(HWND wnd, UINT key, bool alt = false) {
    SendMessageW(wnd, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, KeyData(key, alt));
    SendMessageW(wnd, alt ? WM_SYSKEYUP : WM_KEYUP, key, KeyData(key, alt) | (3L << 30));
}

struct THotKeyFixture {
    TReflectingParent parent;
    THotKeyEx edit;
    int changes = 0;
    THotKeyFixture() {
        EXPECT_TRUE(parent.Create());
        EXPECT_TRUE(edit.Create(parent.Handle(), 10, 10, 160, 22, 101));
        edit.OnChange = [this](TComponent&) { ++changes; };
    }
};

DRAWITEMSTRUCT DrawItemFor(const TZvFontComboBox& combo, HDC dc, int index, UINT state = 0) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(combo.Handle()));
    item.itemID = static_cast<UINT>(index);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = combo.Handle();
    item.hDC = dc;
    item.rcItem = RECT{0, 0, 200, 20};
    item.itemData = index >= 0 ? combo.ItemKinds(index) : 0;
    return item;
}

int FindItem(const TZvFontComboBox& combo, bool trueType) {
    for (int i = 0; i < combo.Count(); ++i)
        if (((combo.ItemKinds(i) & ftTrueType) != 0) == trueType) return i;
    return -1;
}

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

const COLORREF GlyphBlue = RGB(0x1C, 0x38, 0x68);  // the mark's outline, row 5 column 6

bool AnyPixel(const TTestCanvas& canvas, int left, int right, int top, int bottom, COLORREF not_) {
    for (int x = left; x < right; ++x)
        for (int y = top; y < bottom; ++y)
            if (canvas.Pixel(x, y) != not_) return true;
    return false;
}

}  // namespace

TEST(HotKeyEx, KeyDownsBecomeTheCombinationWithTheModifiersHeld) {
    THotKeyFixture t;
    EXPECT_EQ(t.edit.HotKey(), 0);
    EXPECT_EQ(TextOf(t.edit.Handle()), "なし");
    {
        THeldKeys held({VK_CONTROL, VK_MENU});
        PressKey(t.edit.Handle(), 'A', true);
    }
    EXPECT_EQ(t.edit.HotKey(), KeyCtrl | KeyAlt | 'A');
    EXPECT_EQ(TextOf(t.edit.Handle()), "Ctrl + Alt + A");
    EXPECT_EQ(t.changes, 1);
    {
        // The same combination again (a key held down repeats) is no change.
        THeldKeys held({VK_CONTROL, VK_MENU});
        PressKey(t.edit.Handle(), 'A', true);
    }
    EXPECT_EQ(t.changes, 1);
    {
        // A bare modifier is a key of its own, named by the keyboard layout.
        THeldKeys held({VK_SHIFT});
        PressKey(t.edit.Handle(), VK_SHIFT);
    }
    EXPECT_EQ(t.edit.HotKey(), KeyShift | VK_SHIFT);
    EXPECT_EQ(TextOf(t.edit.Handle()), "Shift + " + THotKeyEx::DisplayText(VK_SHIFT));
    EXPECT_NE(THotKeyEx::DisplayText(VK_SHIFT), "0x10");
    // F10 and Alt come as system keys.
    PressKey(t.edit.Handle(), VK_F10, false);
    SendMessageW(t.edit.Handle(), WM_SYSKEYDOWN, VK_F10, KeyData(VK_F10));
    EXPECT_EQ(t.edit.HotKey(), VK_F10);
    EXPECT_EQ(TextOf(t.edit.Handle()), "F10");
    // A key without a name in the key text still shows as something.
    PressKey(t.edit.Handle(), VK_OEM_1);
    EXPECT_EQ(t.edit.HotKey(), VK_OEM_1);
    EXPECT_NE(TextOf(t.edit.Handle()), "");
    EXPECT_NE(TextOf(t.edit.Handle()), "なし");
    EXPECT_EQ(t.changes, 4);

    // Set by the program: shown, but no change of the user's.
    t.edit.SetHotKey(KeyShift | KeyCtrl | VK_F1);
    EXPECT_EQ(TextOf(t.edit.Handle()), "Shift + Ctrl + F1");
    t.edit.SetHotKey(0);
    EXPECT_EQ(TextOf(t.edit.Handle()), "なし");
    EXPECT_EQ(t.changes, 4);
}

TEST(HotKeyEx, NothingCanBeTypedOrPastedIn) {
    THotKeyFixture t;
    t.edit.SetHotKey(KeyCtrl | 'L');
    for (wchar_t c : {L'x', L'\b', L'\x16', L'あ'}) SendMessageW(t.edit.Handle(), WM_CHAR, c, 1);
    SendMessageW(t.edit.Handle(), WM_SYSCHAR, L'x', KeyData('X', true));
    SendMessageW(t.edit.Handle(), EM_SETSEL, 0, -1);
    SendMessageW(t.edit.Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"typed"));
    SendMessageW(t.edit.Handle(), WM_CLEAR, 0, 0);
    SendMessageW(t.edit.Handle(), WM_CUT, 0, 0);
    // Made editable from outside: it stays read-only.
    SendMessageW(t.edit.Handle(), EM_SETREADONLY, FALSE, 0);
    EXPECT_TRUE(GetWindowLongPtrW(t.edit.Handle(), GWL_STYLE) & ES_READONLY);
    ASSERT_TRUE(OpenClipboard(t.parent.Handle()));
    EmptyClipboard();
    const wchar_t pasted[] = L"pasted";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(pasted));
    memcpy(GlobalLock(memory), pasted, sizeof(pasted));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(t.edit.Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(t.edit.Handle()), "Ctrl + L");
    EXPECT_EQ(t.edit.HotKey(), KeyCtrl | 'L');
    EXPECT_EQ(t.changes, 0);
}

TEST(HotKeyEx, TabLeavesTheFieldUnlessCtrlOrAltIsHeld) {
    THotKeyFixture t;
    THotKeyEx next;
    ASSERT_TRUE(next.Create(t.parent.Handle(), 10, 40, 160, 22, 102));
    ShowWindow(t.parent.Handle(), SW_SHOW);
    SetForegroundWindow(t.parent.Handle());

    // What the dialog manager asks before it moves the focus.
    MSG tab{t.edit.Handle(), WM_KEYDOWN, VK_TAB, KeyData(VK_TAB), 0, {}};
    MSG letter{t.edit.Handle(), WM_KEYDOWN, 'A', KeyData('A'), 0, {}};
    MSG enter{t.edit.Handle(), WM_KEYDOWN, VK_RETURN, KeyData(VK_RETURN), 0, {}};
    auto dialogCode = [&](MSG& m) {
        return SendMessageW(t.edit.Handle(), WM_GETDLGCODE, m.wParam, reinterpret_cast<LPARAM>(&m));
    };
    EXPECT_FALSE(dialogCode(tab) & (DLGC_WANTALLKEYS | DLGC_WANTTAB));
    EXPECT_TRUE(dialogCode(letter) & DLGC_WANTALLKEYS);
    EXPECT_TRUE(dialogCode(enter) & DLGC_WANTALLKEYS);
    {
        THeldKeys held({VK_SHIFT});
        EXPECT_FALSE(dialogCode(tab) & (DLGC_WANTALLKEYS | DLGC_WANTTAB));
    }
    {
        THeldKeys held({VK_CONTROL});
        EXPECT_TRUE(dialogCode(tab) & DLGC_WANTALLKEYS);
    }

    // Without a dialog manager the field moves the focus itself.
    SetFocus(t.edit.Handle());
    ASSERT_EQ(GetFocus(), t.edit.Handle());
    PressKey(t.edit.Handle(), VK_TAB);
    EXPECT_EQ(GetFocus(), next.Handle());
    EXPECT_EQ(t.edit.HotKey(), 0);
    {
        THeldKeys held({VK_SHIFT});
        PressKey(next.Handle(), VK_TAB);
    }
    EXPECT_EQ(GetFocus(), t.edit.Handle());
    EXPECT_EQ(next.HotKey(), 0);
    {
        THeldKeys held({VK_CONTROL});
        PressKey(t.edit.Handle(), VK_TAB);
    }
    EXPECT_EQ(GetFocus(), t.edit.Handle());
    EXPECT_EQ(t.edit.HotKey(), KeyCtrl | VK_TAB);
    EXPECT_EQ(TextOf(t.edit.Handle()), "Ctrl + Tab");
    ShowWindow(t.parent.Handle(), SW_HIDE);
}

TEST(HotKeyEx, InADialogTabMovesOnAndEnterAndEscAreKeys) {
    // An empty dialog from a template in memory; the fields are added to it.
    struct {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } templ{};
    templ.dialog.style = WS_POPUP | WS_VISIBLE;
    templ.dialog.cx = 200;
    templ.dialog.cy = 100;
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &templ.dialog, nullptr, EmptyDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    {
        THotKeyEx first, second;
        ASSERT_TRUE(first.Create(dialog, 5, 5, 150, 22, 201));
        ASSERT_TRUE(second.Create(dialog, 5, 35, 150, 22, 202));
        SetForegroundWindow(dialog);
        SetFocus(first.Handle());
        ASSERT_EQ(GetFocus(), first.Handle());
        auto press = [&](UINT key) {
            MSG m{GetFocus(), WM_KEYDOWN, key, KeyData(key), 0, {}};
            if (!IsDialogMessageW(dialog, &m)) DispatchMessageW(&m);
        };
        press(VK_RETURN);
        EXPECT_EQ(first.HotKey(), VK_RETURN);
        press(VK_TAB);
        EXPECT_EQ(GetFocus(), second.Handle());
        press(VK_ESCAPE);
        EXPECT_EQ(second.HotKey(), VK_ESCAPE);
        EXPECT_TRUE(IsWindow(dialog));
        // Moving on from outside the dialog manager goes through the dialog too.
        PressKey(second.Handle(), VK_TAB);
        EXPECT_EQ(GetFocus(), first.Handle());
        EXPECT_EQ(first.HotKey(), VK_RETURN);
    }
    DestroyWindow(dialog);
}

TEST(HotKeyEx, TheEditGetsItsOwnProcedureBack) {
    TReflectingParent parent;
    ASSERT_TRUE(parent.Create());
    HWND plain = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 100, 20, parent.Handle(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    const LONG_PTR original = GetWindowLongPtrW(plain, GWLP_WNDPROC);
    {
        THotKeyEx edit;
        ASSERT_TRUE(edit.Attach(plain));
        EXPECT_EQ(TStdControl::FromHandle(plain), &edit);
        EXPECT_TRUE(GetWindowLongPtrW(plain, GWL_STYLE) & ES_READONLY);
        EXPECT_EQ(TextOf(plain), "なし");
        THotKeyEx other;
        EXPECT_FALSE(other.Attach(plain));  // one object per window
    }
    // An attached window outlives its object, with its own procedure.
    ASSERT_TRUE(IsWindow(plain));
    EXPECT_EQ(GetWindowLongPtrW(plain, GWLP_WNDPROC), original);
    EXPECT_EQ(TStdControl::FromHandle(plain), nullptr);
    SendMessageW(plain, WM_CHAR, L'x', 1);  // no object behind it any more
    THotKeyEx created;
    ASSERT_TRUE(created.Create(parent.Handle(), 0, 30, 100, 20));
    HWND window = created.Handle();
    // The window goes before its object: the object lets go of it.
    DestroyWindow(window);
    EXPECT_EQ(created.Handle(), nullptr);
    created.SetHotKey('A');
}

TEST(FontComboBox, ListsEachFontOnceSortedAndOnlyOfTheKindsSearched) {
    TReflectingParent parent;
    ASSERT_TRUE(parent.Create());
    TZvFontComboBox combo;
    EXPECT_EQ(combo.SearchFonts(), ftAllKinds);
    EXPECT_TRUE(combo.ShowGlyphs());
    ASSERT_TRUE(combo.Create(parent.Handle(), 5, 5, 301));
    RECT r{};
    GetWindowRect(combo.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 145);

    const int count = combo.Count();
    ASSERT_GT(count, 1);
    ASSERT_LE(count, 512);
    EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(combo.FontName(), combo.Item(0));
    std::set<std::string> names;
    bool vertical = false;
    for (int i = 0; i < count; ++i) {
        const std::string name = combo.Item(i);
        EXPECT_TRUE(names.insert(name).second) << "twice: " << name;
        EXPECT_NE(combo.ItemKinds(i), 0) << name;
        EXPECT_LT(Widen(name).size(), static_cast<size_t>(LF_FACESIZE)) << name;
        vertical = vertical || name[0] == '@';
        EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETITEMHEIGHT, i, 0), combo.ItemHeight());
        if (i > 0) {
            const std::wstring a = Widen(combo.Item(i - 1)), b = Widen(name);
            EXPECT_LE(CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1), CSTR_EQUAL)
                << combo.Item(i - 1) << " before " << name;
        }
    }
    EXPECT_NE(FindItem(combo, true), -1) << "no TrueType font";
    EXPECT_TRUE(vertical) << "no vertical font listed with every kind searched";

    // The font shown stays where it is still listed.
    int trueType = 0;  // a horizontal one
    while (trueType < count && (!(combo.ItemKinds(trueType) & ftTrueType) || combo.Item(trueType)[0] == '@'))
        ++trueType;
    ASSERT_LT(trueType, count);
    const std::string kept = combo.Item(trueType);
    combo.SetFontName(kept);
    combo.SetSearchFonts(ftAllKinds & ~(ftVertical | ftBitmap | ftVector));
    EXPECT_EQ(combo.FontName(), kept);
    ASSERT_GT(combo.Count(), 0);
    EXPECT_LT(combo.Count(), count);
    for (int i = 0; i < combo.Count(); ++i) {
        EXPECT_NE(combo.Item(i)[0], '@') << combo.Item(i);
        EXPECT_EQ(combo.ItemKinds(i) & (ftVertical | ftBitmap | ftVector), 0) << combo.Item(i);
    }
    // Nothing searched, nothing listed.
    combo.SetSearchFonts(0);
    EXPECT_EQ(combo.Count(), 0);
    EXPECT_EQ(combo.FontName(), "");
}

TEST(FontComboBox, FontNameSelectsAnExactMatchOrNothing) {
    TReflectingParent parent;
    ASSERT_TRUE(parent.Create());
    TZvFontComboBox combo;
    combo.SetFontName("Before the window");
    EXPECT_EQ(combo.FontName(), "Before the window");
    ASSERT_TRUE(combo.Create(parent.Handle(), 5, 5, 302));
    EXPECT_EQ(combo.FontName(), combo.Item(0));  // not listed: the first

    const std::string last = combo.Item(combo.Count() - 1);
    combo.SetFontName(last);
    EXPECT_EQ(combo.FontName(), last);
    combo.SetFontName("No Such Font Anywhere");
    EXPECT_EQ(combo.FontName(), last);
    combo.SetFontName("");
    EXPECT_EQ(combo.FontName(), last);
    // Another case is another name.
    for (int i = 0; i < combo.Count(); ++i) {
        std::string name = combo.Item(i), lower = name;
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (lower == name || combo.FontName() == name) continue;
        bool listed = false;
        for (int j = 0; j < combo.Count(); ++j) listed = listed || combo.Item(j) == lower;
        if (listed) continue;
        combo.SetFontName(lower);
        EXPECT_EQ(combo.FontName(), last) << lower;
        break;
    }
    // A name set before the window is created is shown once it is listed.
    TZvFontComboBox early;
    early.SetFontName(last);
    ASSERT_TRUE(early.Create(parent.Handle(), 5, 40, 303));
    EXPECT_EQ(early.FontName(), last);
}

TEST(FontComboBox, DrawsTheTrueTypeMarkOnlyWithShowGlyphs) {
    TReflectingParent parent;
    ASSERT_TRUE(parent.Create());
    TZvFontComboBox combo;
    ASSERT_TRUE(combo.Create(parent.Handle(), 5, 5, 304));
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const int trueType = FindItem(combo, true);
    ASSERT_NE(trueType, -1);
    {
        TTestCanvas canvas(200, 20);
        DRAWITEMSTRUCT item = DrawItemFor(combo, canvas.DC(), trueType);
        EXPECT_TRUE(SendMessageW(parent.Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)));
        EXPECT_EQ(canvas.Pixel(8, 7), GlyphBlue);  // the mark, vertically centred at 2
        EXPECT_EQ(canvas.Pixel(2, 2), window);     // its transparent corner
        EXPECT_EQ(canvas.Pixel(199, 0), window);
        EXPECT_FALSE(AnyPixel(canvas, 18, 22, 0, 20, window));  // the name starts at 22
        EXPECT_TRUE(AnyPixel(canvas, 22, 200, 0, 20, window));
    }
    {
        // Selected: highlight behind everything but the mark.
        TTestCanvas canvas(200, 20);
        DRAWITEMSTRUCT item = DrawItemFor(combo, canvas.DC(), trueType, ODS_SELECTED | ODS_FOCUS);
        SendMessageW(parent.Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(canvas.Pixel(8, 7), GlyphBlue);
        EXPECT_EQ(canvas.Pixel(2, 2), GetSysColor(COLOR_HIGHLIGHT));
    }
    const int other = FindItem(combo, false);
    if (other != -1) {
        TTestCanvas canvas(200, 20);
        DRAWITEMSTRUCT item = DrawItemFor(combo, canvas.DC(), other);
        SendMessageW(parent.Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        EXPECT_FALSE(AnyPixel(canvas, 0, 22, 0, 20, window)) << combo.Item(other);
    }
    combo.SetShowGlyphs(false);
    {
        TTestCanvas canvas(200, 20);
        DRAWITEMSTRUCT item = DrawItemFor(combo, canvas.DC(), trueType);
        SendMessageW(parent.Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        EXPECT_NE(canvas.Pixel(8, 7), GlyphBlue);
        EXPECT_TRUE(AnyPixel(canvas, 0, 18, 0, 20, window));  // the name at the left
    }
    {
        // An empty selection field: only the fill.
        TTestCanvas canvas(200, 20);
        DRAWITEMSTRUCT item = DrawItemFor(combo, canvas.DC(), -1, ODS_COMBOBOXEDIT);
        SendMessageW(parent.Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        EXPECT_FALSE(AnyPixel(canvas, 0, 200, 0, 20, window));
    }
}

TEST(FontComboBox, TheRealControlPaintsThroughItsParent) {
    TReflectingParent parent;
    ASSERT_TRUE(parent.Create());
    TZvFontComboBox combo;
    ASSERT_TRUE(combo.Create(parent.Handle(), 5, 5, 305));
    combo.SetFontName(combo.Item(FindItem(combo, true)));
    ShowWindow(parent.Handle(), SW_SHOW);
    SetForegroundWindow(parent.Handle());
    UpdateWindow(combo.Handle());
    {
        RECT r{};
        GetClientRect(combo.Handle(), &r);
        TTestCanvas canvas(r.right, r.bottom);
        PrintWindow(combo.Handle(), canvas.DC(), 0);
        bool mark = false;
        for (int x = 0; x < r.right && !mark; ++x)
            for (int y = 0; y < r.bottom && !mark; ++y) mark = canvas.Pixel(x, y) == GlyphBlue;
        EXPECT_TRUE(mark) << "the selection field shows the TrueType mark";
    }
    // The open list draws its items through the same parent.
    SendMessageW(combo.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
    RedrawWindow(info.hwndList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SendMessageW(combo.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_GT(parent.DrawsReflected, 1);
    EXPECT_EQ(parent.DrawsLeft, 0);
    // A new font: the items are measured again.
    TFont big(CreateFontW(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    SendMessageW(combo.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(big.Get()), TRUE);
    EXPECT_GE(SendMessageW(combo.Handle(), CB_GETITEMHEIGHT, 0, 0), 32);
    SendMessageW(combo.Handle(), WM_SETFONT, 0, FALSE);
    ShowWindow(parent.Handle(), SW_HIDE);
}
