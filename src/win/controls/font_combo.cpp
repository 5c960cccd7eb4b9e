#include "controls/font_combo.h"

#include <algorithm>
#include <vector>

#include "base/log.h"
#include "base/win_text.h"

namespace {

constexpr int GlyphSize = 16;
constexpr int GlyphLeft = 2;
constexpr int GlyphTextLeft = 22;
constexpr int TextLeft = 2;
constexpr COLORREF GlyphTransparent = RGB(0x80, 0x80, 0x80);
constexpr int DroppedHeight = 200;

int CALLBACK CollectFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD fontType, LPARAM data) {
    auto& fonts = *reinterpret_cast<TFontListBuilder*>(data);
    // A name code page 932 cannot spell would name another font, or none.
    std::string name;
    if (!NarrowExact(font->lfFaceName, name)) return 1;
    try {
        fonts.Add(fontType, font->lfPitchAndFamily, font->lfCharSet, name);
    } catch (...) {
        LogCurrentException("font list");  // no exception may unwind through the system
        return 0;
    }
    return 1;
}

}  // namespace

TZvFontComboBox::TZvFontComboBox() {
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), L"TRUETYPEGLYPH", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!picture) {
        LogSwallowed("font list: no TRUETYPEGLYPH picture; TrueType fonts go unmarked");
        return;
    }
    FGlyph.Reset(picture);
    FGlyphMask.Reset(CreateBitmap(GlyphSize, GlyphSize, 1, 1, nullptr));
    TMemoryDC glyphDC(CreateCompatibleDC(nullptr));
    TMemoryDC maskDC(CreateCompatibleDC(nullptr));
    TSelectObject glyphSelected(glyphDC.Get(), FGlyph.Get());
    TSelectObject maskSelected(maskDC.Get(), FGlyphMask.Get());
    // Mask: the transparent colour white, the rest black; then the
    // transparent pixels of the picture black, so it can be ORed in.
    SetBkColor(glyphDC.Get(), GlyphTransparent);
    BitBlt(maskDC.Get(), 0, 0, GlyphSize, GlyphSize, glyphDC.Get(), 0, 0, SRCCOPY);
    SetBkColor(glyphDC.Get(), RGB(0, 0, 0));
    SetTextColor(glyphDC.Get(), RGB(255, 255, 255));
    BitBlt(glyphDC.Get(), 0, 0, GlyphSize, GlyphSize, maskDC.Get(), 0, 0, SRCAND);
}

bool TZvFontComboBox::Create(HWND parent, int left, int top, int id) {
    // The height of a drop-down list's window is that of the open list; the
    // closed one takes the height of its items.
    return CreateControl(
        L"COMBOBOX", 0,
        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_SORT | CBS_HASSTRINGS,
        parent, left, top, 145, 20 + DroppedHeight, id);
}

void TZvFontComboBox::Attached() { Fill(); }

void TZvFontComboBox::SetSearchFonts(TFontKinds searchFonts) {
    searchFonts &= ftAllKinds;
    if (searchFonts == FSearchFonts) return;
    FSearchFonts = searchFonts;
    if (Handle()) Fill();
}

void TZvFontComboBox::SetShowGlyphs(bool showGlyphs) {
    if (showGlyphs == FShowGlyphs) return;
    FShowGlyphs = showGlyphs;
    RepaintList();
}

void TZvFontComboBox::Fill() {
    TFontListBuilder fonts(FSearchFonts);
    {
        TWindowDC screen(nullptr);
        LOGFONTW all{};
        all.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(screen.DC(), &all, CollectFont, reinterpret_cast<LPARAM>(&fonts), 0);
    }
    const std::string shown = FPendingName.empty() ? FontName() : FPendingName;
    FPendingName.clear();
    SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (const TListedFont& font : fonts.Fonts()) {
        const LRESULT index =
            SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(font.FaceName).c_str()));
        if (index >= 0) SendMessageW(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(index), font.Kinds);
    }
    ApplyItemHeights();
    const int keep = shown.empty() ? -1 : IndexOf(shown);
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(keep >= 0 ? keep : 0), 0);
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

int TZvFontComboBox::ItemHeight() const {
    TWindowDC dc(Handle());
    TSelectObject font(dc.DC(), ControlFont());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.DC(), &metrics);
    return std::max<int>(metrics.tmHeight, GlyphSize) + 2;
}

// Set here rather than asked of the parent, so the list measures right
// whether or not its parent passes WM_MEASUREITEM on.
void TZvFontComboBox::ApplyItemHeights() {
    const int height = ItemHeight();
    SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    const int count = Count();
    for (int i = 0; i < count; ++i) SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(i), height);
}

int TZvFontComboBox::Count() const {
    if (!Handle()) return 0;
    return static_cast<int>(std::max<LRESULT>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0), 0));
}

std::string TZvFontComboBox::Item(int index) const {
    const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return std::string();
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    const LRESULT got =
        SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return got > 0 ? Narrow(std::wstring_view(text.data(), static_cast<size_t>(got))) : std::string();
}

TFontKinds TZvFontComboBox::ItemKinds(int index) const {
    const LRESULT data = SendMessageW(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == CB_ERR ? 0 : static_cast<TFontKinds>(data);
}

// Exact, unlike CB_FINDSTRINGEXACT, which ignores case.
int TZvFontComboBox::IndexOf(const std::string& name) const {
    const int count = Count();
    for (int i = 0; i < count; ++i)
        if (Item(i) == name) return i;
    return -1;
}

std::string TZvFontComboBox::FontName() const {
    if (!Handle()) return FPendingName;
    const LRESULT index = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
    return index >= 0 ? Item(static_cast<int>(index)) : std::string();
}

void TZvFontComboBox::SetFontName(const std::string& name) {
    if (!Handle()) {
        FPendingName = name;
        return;
    }
    if (name == FontName()) return;
    const int index = IndexOf(name);
    if (index >= 0) SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TZvFontComboBox::RepaintList() {
    if (!Handle()) return;
    InvalidateRect(Handle(), nullptr, TRUE);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(Handle(), &info) && info.hwndList) InvalidateRect(info.hwndList, nullptr, TRUE);
}

LRESULT TZvFontComboBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandler(msg, wParam, lParam);
    if (msg == WM_SETFONT) ApplyItemHeights();
    return result;
}

bool TZvFontComboBox::HandleReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam;
    if (msg == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(ItemHeight());
        result = TRUE;
        return true;
    }
    if (msg == WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    return false;
}

void TZvFontComboBox::DrawGlyph(HDC dc, int x, int y) const {
    TMemoryDC source(CreateCompatibleDC(dc));
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    {
        TSelectObject mask(source.Get(), FGlyphMask.Get());
        BitBlt(dc, x, y, GlyphSize, GlyphSize, source.Get(), 0, 0, SRCAND);
    }
    {
        TSelectObject glyph(source.Get(), FGlyph.Get());
        BitBlt(dc, x, y, GlyphSize, GlyphSize, source.Get(), 0, 0, SRCPAINT);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

void TZvFontComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const int index = static_cast<int>(item.itemID);
        int textLeft = r.left + TextLeft;
        if (FShowGlyphs) {
            if ((ItemKinds(index) & ftTrueType) && FGlyph)
                DrawGlyph(dc, r.left + GlyphLeft, r.top + (r.bottom - r.top - GlyphSize) / 2);
            textLeft = r.left + GlyphTextLeft;
        }
        const std::wstring name = Widen(Item(index));
        RECT text{textLeft, r.top, r.right, r.bottom};
        TSelectObject font(dc, ControlFont());
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const int color = (item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                          : selected                      ? COLOR_HIGHLIGHTTEXT
                                                          : COLOR_WINDOWTEXT;
        const COLORREF oldColor = SetTextColor(dc, GetSysColor(color));
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &r);
}
